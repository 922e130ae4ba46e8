// A window's menu bar: the room it takes below the caption (WM_NCCALCSIZE
// lays it out for the window's width), where its items are, and SetMenu,
// GetMenu and DrawMenuBar.
#include <algorithm>

#include "platform/user/menu.h"
#include "platform/user/menu_layout.h"
#include "platform/user/nonclient.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

// The frame and caption above and beside the bar, without the client edge
// or scroll bars, which lie inside it.
RECT OuterInsets(const Window* w) {
  return NonClientInsets(w->style & ~static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL),
                         w->ex_style & ~static_cast<DWORD>(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
}

void ReframeWindow(HWND hwnd) {
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

HMENU BarOf(const Window* w) {
  if (w == nullptr || (w->style & WS_CHILD) || w->menu == nullptr) return nullptr;
  return FindMenuQuiet(w->menu) ? w->menu : nullptr;
}

int LayOutMenuBar(Window* w, int window_width) {
  w->menu_height = 0;
  if ((w->style & WS_CHILD) || w->menu == nullptr) return 0;
  const RECT outer = OuterInsets(w);
  const int width = std::max(0, window_width - static_cast<int>(outer.left + outer.right));
  std::shared_ptr<Menu> menu = FindMenuQuiet(w->menu);
  // A bar destroyed while attached keeps one empty row, as Windows leaves it.
  w->menu_height = menu ? LayOutBar(*menu, width) : GetSystemMetrics(SM_CYMENU);
  return w->menu_height;
}

RECT MenuBarRect(const Window* w) {
  if (w->menu_height <= 0 || (w->style & (WS_CHILD | WS_MINIMIZE))) return {0, 0, 0, 0};
  const RECT outer = OuterInsets(w);
  return {outer.left, outer.top, w->Width() - outer.right, outer.top + w->menu_height};
}

int MenuBarItemAt(const Window* w, POINT screen) {
  const RECT bar = MenuBarRect(w);
  std::shared_ptr<Menu> menu = FindMenuQuiet(BarOf(w));
  if (menu == nullptr) return -1;
  const POINT origin = ScreenOrigin(w);
  const POINT in_window{screen.x - origin.x, screen.y - origin.y};
  if (!PtInRect(&bar, in_window)) return -1;
  const int index = MenuItemAt(*menu, {in_window.x - bar.left, in_window.y - bar.top});
  return index >= 0 && !IsSeparator(menu->items[static_cast<size_t>(index)]) ? index : -1;
}

RECT MenuBarItemScreenRect(const Window* w, int index) {
  std::shared_ptr<Menu> menu = FindMenuQuiet(BarOf(w));
  if (menu == nullptr || index < 0 || static_cast<size_t>(index) >= menu->items.size()) return {};
  const RECT bar = MenuBarRect(w);
  const POINT origin = ScreenOrigin(w);
  RECT r = menu->items[static_cast<size_t>(index)].rect;
  OffsetRect(&r, origin.x + bar.left, origin.y + bar.top);
  return r;
}

void RedrawMenuBar(HWND hwnd) {
  Window* w = FindWindowQuiet(hwnd);
  if (w == nullptr || MenuBarRect(w).bottom == 0) return;
  HDC dc = GetWindowDC(hwnd);
  if (dc == nullptr) return;
  PaintMenuBar(dc, w);
  ReleaseDC(hwnd, dc);
}

void AdoptMenuBar(Window* w, HMENU menu) {
  if (std::shared_ptr<Menu> old = FindMenuQuiet(w->menu)) {
    old->focused = -1;  // a detached bar shows nothing pressed when it comes back
    old->dropped = false;
  }
  w->menu = menu;
}

void DestroyMenuOf(Window* w) {
  if ((w->style & WS_CHILD) || w->menu == nullptr) return;
  HMENU menu = w->menu;
  w->menu = nullptr;
  if (IsMenu(menu)) DestroyMenu(menu);
}

}  // namespace platform::user

using platform::user::Window;

BOOL SetMenu(HWND hWnd, HMENU hMenu) {
  Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return FALSE;
  if (w->style & WS_CHILD) {
    SetLastError(ERROR_CHILD_WINDOW_MENU);
    return FALSE;
  }
  if (hMenu != nullptr && platform::user::FindMenu(hMenu) == nullptr) return FALSE;
  platform::user::AdoptMenuBar(w, hMenu);
  platform::user::ReframeWindow(hWnd);
  return TRUE;
}

HMENU GetMenu(HWND hWnd) {
  Window* w = platform::user::FindWindow(hWnd);
  return w != nullptr && !(w->style & WS_CHILD) ? w->menu : nullptr;
}

BOOL DrawMenuBar(HWND hWnd) {
  Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr || (w->style & WS_CHILD) || w->menu == nullptr) return FALSE;
  platform::user::ReframeWindow(hWnd);
  return TRUE;
}
