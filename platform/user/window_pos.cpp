// SetWindowPos and ShowWindow: every change of place, size, z-order and
// visibility goes through SetWindowPos, which sends WM_WINDOWPOSCHANGING
// first and WM_WINDOWPOSCHANGED after (DefWindowProc turns the latter into
// WM_MOVE and WM_SIZE).
#include <algorithm>

#include "platform/display/display.h"
#include "platform/user/focus.h"
#include "platform/user/painting.h"
#include "platform/user/window.h"
#include "platform/user/window_internal.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Moves `w` in its sibling list as `after` says; true when the order changed.
bool Reorder(Window* w, HWND after) {
  auto& siblings = SiblingsOf(w);
  std::vector<Window*> before = siblings;
  if (after == HWND_TOPMOST) w->ex_style |= WS_EX_TOPMOST;
  if (after == HWND_NOTOPMOST) w->ex_style &= ~static_cast<DWORD>(WS_EX_TOPMOST);
  std::erase(siblings, w);
  auto first_plain = std::find_if(siblings.begin(), siblings.end(),
                                  [](Window* s) { return !(s->ex_style & WS_EX_TOPMOST); });
  if (after == HWND_BOTTOM) {
    siblings.push_back(w);
  } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    siblings.insert((w->ex_style & WS_EX_TOPMOST) ? siblings.begin() : first_plain, w);
  } else {
    auto at =
        std::find_if(siblings.begin(), siblings.end(), [&](Window* s) { return s->hwnd == after; });
    siblings.insert(at == siblings.end() ? first_plain : at + 1, w);
  }
  return before != siblings;
}

void ApplyVisibility(Window* w, UINT flags, bool* shown, bool* hidden) {
  if ((flags & SWP_SHOWWINDOW) && !w->IsVisibleFlag()) {
    w->style |= WS_VISIBLE;
    *shown = true;
  } else if ((flags & SWP_HIDEWINDOW) && w->IsVisibleFlag()) {
    LeaveWindow(w);
    w->style &= ~WS_VISIBLE;
    *hidden = true;
  }
}

void Resize(Window* w, const RECT& client_before) {
  RecomputeClient(w);
  if (w->surface) w->surface->Resize(std::max(1, w->Width()), std::max(1, w->Height()));
  (void)client_before;
}

UINT ClientChangeFlags(const Window* w, const RECT& old_rect, const RECT& old_client) {
  UINT flags = 0;
  int old_w = old_client.right - old_client.left, old_h = old_client.bottom - old_client.top;
  int new_w = w->client.right - w->client.left, new_h = w->client.bottom - w->client.top;
  if (old_w == new_w && old_h == new_h) flags |= SWP_NOCLIENTSIZE;
  if (old_rect.left + old_client.left == w->rect.left + w->client.left &&
      old_rect.top + old_client.top == w->rect.top + w->client.top) {
    flags |= SWP_NOCLIENTMOVE;
  }
  return flags;
}

}  // namespace

bool ChangeWindowPos(Window* w, WINDOWPOS pos) {
  HWND hwnd = w->hwnd;
  if (!(pos.flags & SWP_NOSENDCHANGING)) {
    SendMessageA(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!IsWindow(hwnd)) return false;
  }
  const RECT old_rect = w->rect;
  const RECT old_client = w->client;
  RECT new_rect = old_rect;
  if (!(pos.flags & SWP_NOMOVE)) {
    new_rect = {pos.x, pos.y, pos.x + w->Width(), pos.y + w->Height()};
  }
  if (!(pos.flags & SWP_NOSIZE)) {
    new_rect.right = new_rect.left + std::max(0, pos.cx);
    new_rect.bottom = new_rect.top + std::max(0, pos.cy);
  }
  bool shown = false, hidden = false;
  ApplyVisibility(w, pos.flags, &shown, &hidden);
  bool reordered = !(pos.flags & SWP_NOZORDER) && Reorder(w, pos.hwndInsertAfter);
  bool resized =
      new_rect.right - new_rect.left != w->Width() || new_rect.bottom - new_rect.top != w->Height();
  bool moved = !SameRect(new_rect, old_rect);
  w->rect = new_rect;
  if (resized || (pos.flags & SWP_FRAMECHANGED)) Resize(w, old_client);
  if (w->surface) w->surface->SetScreenPosition({new_rect.left, new_rect.top});

  if (!(pos.flags & SWP_NOREDRAW)) {
    if (hidden) {
      ExposeAfterMove(w, old_rect, false);
    } else if (moved || shown || (pos.flags & SWP_FRAMECHANGED)) {
      ExposeAfterMove(w, old_rect, resized || shown || (pos.flags & SWP_FRAMECHANGED));
    } else if (reordered && !w->IsTopLevel()) {
      Invalidate(w, WindowArea(w), true, true, true);
    }
  }
  pos.x = new_rect.left;
  pos.y = new_rect.top;
  pos.cx = new_rect.right - new_rect.left;
  pos.cy = new_rect.bottom - new_rect.top;
  pos.flags |= ClientChangeFlags(w, old_rect, old_client);
  SendMessageA(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  if (!IsWindow(hwnd)) return false;
  if (w->IsTopLevel() &&
      (moved || resized || shown || hidden || reordered || (pos.flags & SWP_FRAMECHANGED))) {
    if (Display* display = CurrentDisplay()) display->TopLevelChanged(hwnd);
  }
  if (w->IsTopLevel() && !(pos.flags & SWP_NOACTIVATE) && (shown || reordered) &&
      w->IsVisibleFlag() && !(w->ex_style & WS_EX_NOACTIVATE)) {
    Activate(w, WA_ACTIVE);
  }
  return true;
}

}  // namespace platform::user

using platform::user::Window;

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
  Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return FALSE;
  if (hWndInsertAfter == hWnd) uFlags |= SWP_NOZORDER;
  WINDOWPOS pos{hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags};
  return platform::user::ChangeWindowPos(w, pos) ? TRUE : FALSE;
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW);
  return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight, flags);
}

BOOL BringWindowToTop(HWND hWnd) {
  return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
