// CreateWindowEx and DestroyWindow, with their message sequences:
// creation sends WM_GETMINMAXINFO (framed top-level windows), WM_NCCREATE,
// WM_NCCALCSIZE, WM_CREATE, then WM_SIZE and WM_MOVE; destruction sends
// WM_DESTROY parent first, then WM_NCDESTROY children first.
#include <algorithm>

#include "platform/display/display.h"
#include "platform/gdi/surface.h"
#include "platform/user/caret.h"
#include "platform/user/clipboard.h"
#include "platform/user/focus.h"
#include "platform/user/input.h"
#include "platform/user/menu.h"
#include "platform/user/message_queue.h"
#include "platform/user/nonclient.h"
#include "platform/user/system_menu.h"
#include "platform/user/painting.h"
#include "platform/user/window.h"
#include "platform/user/window_class.h"
#include "platform/user/window_internal.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

POINT g_next_default_position{26, 26};

void PlaceDefault(CREATESTRUCTA& cs, bool child) {
  if (child) {
    if (cs.x == CW_USEDEFAULT) cs.x = cs.y = 0;
    if (cs.cx == CW_USEDEFAULT) cs.cx = cs.cy = 0;
    return;
  }
  ScreenSettings screen = CurrentScreen();
  if (cs.x == CW_USEDEFAULT) {
    cs.x = g_next_default_position.x;
    cs.y = g_next_default_position.y;
    g_next_default_position.x = (g_next_default_position.x + 26) % (screen.width / 2);
    g_next_default_position.y = (g_next_default_position.y + 26) % (screen.height / 2);
  }
  if (cs.cx == CW_USEDEFAULT) {
    cs.cx = screen.width * 3 / 4;
    cs.cy = screen.height * 3 / 4;
  }
}

}  // namespace

void RecomputeClient(Window* w) {
  RECT insets = NonClientInsets(w->style, w->ex_style);
  NCCALCSIZE_PARAMS params{};
  params.rgrc[0] = w->rect;
  WINDOWPOS pos{w->hwnd, nullptr, w->rect.left, w->rect.top, w->Width(), w->Height(), 0};
  params.lppos = &pos;
  if (w->proc) {
    w->proc(w->hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    const RECT& c = params.rgrc[0];
    w->client = {c.left - w->rect.left, c.top - w->rect.top, c.right - w->rect.left,
                 c.bottom - w->rect.top};
  } else {
    w->client = {insets.left, insets.top, w->Width() - insets.right, w->Height() - insets.bottom};
  }
  w->client.right = std::max(w->client.left, w->client.right);
  w->client.bottom = std::max(w->client.top, w->client.bottom);
}

namespace {

std::shared_ptr<Window> NewWindow(const CREATESTRUCTA& cs, std::shared_ptr<WindowClass> cls,
                                  Window* parent) {
  auto w = std::make_shared<Window>();
  w->window_class = cls;
  w->proc = cls->proc;
  w->instance = cs.hInstance;
  w->thread_id = CurrentThreadId();
  w->style = static_cast<DWORD>(cs.style) & ~WS_VISIBLE;
  w->ex_style = cs.dwExStyle;
  if ((w->style & WS_CAPTION) == WS_CAPTION) w->ex_style |= WS_EX_WINDOWEDGE;
  w->parent = parent;
  if (parent) {
    w->id = reinterpret_cast<LONG_PTR>(cs.hMenu);
    w->style |= 0;  // children keep their styles as given
  } else {
    w->style |= WS_CLIPSIBLINGS;  // top-level windows always clip their siblings
  }
  w->rect = {cs.x, cs.y, cs.x + std::max(0, cs.cx), cs.y + std::max(0, cs.cy)};
  // A window made minimised or maximised restores to where it was made.
  w->restore_rect = w->rect;
  w->extra.assign(static_cast<size_t>(cls->window_extra), 0);
  return w;
}

void LinkIntoTree(const std::shared_ptr<Window>& w, HWND owner) {
  w->hwnd = reinterpret_cast<HWND>(Windows().Insert(w));
  if (w->parent == nullptr) {
    if (Window* o = FindWindowQuiet(owner)) w->owner = RootOf(o)->hwnd;
    w->surface = std::make_shared<gdi::Surface>(std::max(1, w->Width()), std::max(1, w->Height()));
    w->surface->SetScreenPosition({w->rect.left, w->rect.top});
  }
  auto& siblings = SiblingsOf(w.get());
  // A topmost window goes first; others go first among the non-topmost ones.
  auto at = siblings.begin();
  if (!(w->ex_style & WS_EX_TOPMOST)) {
    while (at != siblings.end() && ((*at)->ex_style & WS_EX_TOPMOST)) ++at;
  }
  siblings.insert(at, w.get());
  ++w->window_class->window_count;
}

void Unlink(Window* w) {
  auto& siblings = SiblingsOf(w);
  std::erase(siblings, w);
  --w->window_class->window_count;
}

// Sends the creation messages; false when the window refused to be created.
bool SendCreationMessages(Window* w, CREATESTRUCTA& cs) {
  HWND hwnd = w->hwnd;
  if (w->IsTopLevel() && (w->style & (WS_THICKFRAME | WS_CAPTION))) {
    MINMAXINFO info{};
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  }
  if (!SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) return false;
  if (!IsWindow(hwnd)) return false;
  RecomputeClient(w);
  if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) return false;
  if (!IsWindow(hwnd)) return false;
  SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED,
               MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
  POINT client_origin{w->rect.left + w->client.left, w->rect.top + w->client.top};
  SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(client_origin.x, client_origin.y));
  return IsWindow(hwnd);
}

void NotifyParent(Window* w, UINT event) {
  if (w->parent == nullptr || !(w->style & WS_CHILD) || (w->ex_style & WS_EX_NOPARENTNOTIFY)) {
    return;
  }
  for (Window* p = w->parent; p != nullptr; p = p->parent) {
    SendMessageA(p->hwnd, WM_PARENTNOTIFY, MAKEWPARAM(event, w->id),
                 reinterpret_cast<LPARAM>(w->hwnd));
    if (p->ex_style & WS_EX_NOPARENTNOTIFY) break;
  }
}

void SendDestroy(Window* w) {
  SendMessageA(w->hwnd, WM_DESTROY, 0, 0);
  std::vector<Window*> children = w->children;
  for (Window* c : children) {
    if (IsWindow(c->hwnd)) SendDestroy(c);
  }
}

void SendNcDestroyAndFree(Window* w) {
  std::vector<Window*> children = w->children;
  for (Window* c : children) SendNcDestroyAndFree(c);
  HWND hwnd = w->hwnd;
  SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
  DestroyMenuOf(w);
  DestroySystemMenuOf(w);
  DestroyCaretOf(w);
  ForgetClipboardWindow(hwnd);
  ForgetWindow(hwnd);
  input::ForgetPressesOn(hwnd);
  ForgetFocusOf(w);
  bool top_level = w->IsTopLevel();
  Unlink(w);
  auto keep = Windows().Remove(reinterpret_cast<uintptr_t>(hwnd));
  if (top_level) {
    if (Display* display = CurrentDisplay()) display->TopLevelDestroyed(hwnd);
  }
}

}  // namespace

void AbortCreation(Window* w) {
  w->destroying = true;
  SendNcDestroyAndFree(w);
}

}  // namespace platform::user

using platform::user::Window;

HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                     int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                     HINSTANCE hInstance, LPVOID lpParam) {
  auto cls = platform::user::FindClass(lpClassName);
  if (!cls) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  Window* parent = nullptr;
  if (dwStyle & WS_CHILD) {
    parent = platform::user::FindWindowQuiet(hWndParent);
    if (parent == nullptr) {
      SetLastError(ERROR_TLW_WITH_WSCHILD);
      return nullptr;
    }
  } else if (hMenu != nullptr && !IsMenu(hMenu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);  // for other windows hMenu is their menu bar
    return nullptr;
  }
  CREATESTRUCTA cs{lpParam,
                   hInstance,
                   hMenu,
                   hWndParent,
                   nHeight,
                   nWidth,
                   Y,
                   X,
                   static_cast<LONG>(dwStyle),
                   lpWindowName,
                   lpClassName,
                   dwExStyle};
  platform::user::PlaceDefault(cs, parent != nullptr);
  auto w = platform::user::NewWindow(cs, cls, parent);
  platform::user::LinkIntoTree(w, parent ? nullptr : hWndParent);
  if (parent == nullptr) platform::user::AdoptMenuBar(w.get(), hMenu);
  HWND hwnd = w->hwnd;
  if (!platform::user::SendCreationMessages(w.get(), cs)) {
    if (IsWindow(hwnd)) platform::user::AbortCreation(w.get());
    return nullptr;
  }
  w->creating = false;
  platform::user::NotifyParent(w.get(), WM_CREATE);
  if (w->IsTopLevel()) {
    if (auto* display = platform::CurrentDisplay()) display->TopLevelChanged(hwnd);
  }
  if (dwStyle & WS_VISIBLE) {
    if (dwStyle & WS_MAXIMIZE)
      ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    else if (dwStyle & WS_MINIMIZE)
      ShowWindow(hwnd, SW_SHOWMINIMIZED);
    else
      ShowWindow(hwnd, SW_SHOW);
  }
  return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hWnd) {
  Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return FALSE;
  if (w->thread_id != platform::user::CurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (w->destroying) return TRUE;
  w->destroying = true;
  platform::user::NotifyParent(w, WM_DESTROY);
  // Owned top-level windows go first.
  std::vector<HWND> owned;
  for (Window* t : platform::user::TopLevels()) {
    if (t->owner == hWnd) owned.push_back(t->hwnd);
  }
  for (HWND o : owned) DestroyWindow(o);
  if (w->IsVisibleFlag()) {
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  }
  platform::user::SendDestroy(w);
  platform::user::SendNcDestroyAndFree(w);
  return TRUE;
}
