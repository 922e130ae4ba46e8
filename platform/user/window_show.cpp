// ShowWindow: visibility, minimising, maximising and restoring.
#include <algorithm>

#include "platform/display/display.h"
#include "platform/user/nonclient.h"
#include "platform/user/window.h"
#include "platform/user/window_internal.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

// Where a minimised top-level window sits: off the screen, as Windows keeps it.
constexpr RECT kMinimizedRect{-32000, -32000, -32000 + 160, -32000 + 28};

RECT MaximizedRect(const Window* w) {
  RECT area;
  if (w->IsTopLevel()) {
    area = CurrentScreen().work_area;
  } else {
    area = {0, 0, w->parent->client.right - w->parent->client.left,
            w->parent->client.bottom - w->parent->client.top};
  }
  // The frame hangs outside the area so the client fills it.
  RECT insets = NonClientInsets(w->style & ~WS_CAPTION, w->ex_style);
  return {area.left - insets.left, area.top - insets.top, area.right + insets.right,
          area.bottom + insets.bottom};
}

void Place(Window* w, const RECT& r, UINT flags) {
  WINDOWPOS pos{w->hwnd,
                HWND_TOP,
                r.left,
                r.top,
                r.right - r.left,
                r.bottom - r.top,
                flags | SWP_FRAMECHANGED};
  ChangeWindowPos(w, pos);
}

void SendSizeState(Window* w, WPARAM state) {
  SendMessageA(w->hwnd, WM_SIZE, state,
               MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
}

// Minimise, maximise or restore; false for other commands.
bool ChangeState(Window* w, int cmd) {
  const bool minimize = cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED || cmd == SW_SHOWMINNOACTIVE;
  const bool maximize = cmd == SW_SHOWMAXIMIZED;
  const bool restore = cmd == SW_RESTORE || cmd == SW_SHOWNORMAL || cmd == SW_SHOWDEFAULT;
  if (!minimize && !maximize && !restore) return false;
  const bool was_changed = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) != 0;
  if (restore && !was_changed) return false;
  if ((minimize || maximize) && !was_changed) w->restore_rect = w->rect;
  w->style &= ~static_cast<DWORD>(WS_MINIMIZE | WS_MAXIMIZE);
  UINT flags = SWP_SHOWWINDOW | ((minimize && cmd != SW_SHOWMINIMIZED) ? SWP_NOACTIVATE : 0);
  if (minimize) {
    w->style |= WS_MINIMIZE;
    Place(w, w->IsTopLevel() ? kMinimizedRect : RECT{0, 0, 160, 28}, flags);
    SendSizeState(w, SIZE_MINIMIZED);
  } else if (maximize) {
    w->style |= WS_MAXIMIZE;
    Place(w, MaximizedRect(w), flags);
    SendSizeState(w, SIZE_MAXIMIZED);
  } else {
    Place(w, w->restore_rect, flags);
    SendSizeState(w, SIZE_RESTORED);
  }
  return true;
}

}  // namespace

}  // namespace platform::user

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
  platform::user::Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return FALSE;
  const BOOL was_visible = w->IsVisibleFlag() ? TRUE : FALSE;
  if (nCmdShow == SW_HIDE) {
    if (!was_visible) return FALSE;
    SendMessageA(hWnd, WM_SHOWWINDOW, FALSE, 0);
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return was_visible;
  }
  if (!was_visible) {
    SendMessageA(hWnd, WM_SHOWWINDOW, TRUE, 0);
    if (!IsWindow(hWnd)) return was_visible;
  }
  if (platform::user::ChangeState(w, nCmdShow)) return was_visible;
  UINT flags = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE;
  const bool quiet = nCmdShow == SW_SHOWNA || nCmdShow == SW_SHOWNOACTIVATE ||
                     nCmdShow == SW_SHOWMINNOACTIVE || !w->IsTopLevel();
  if (quiet) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
  if (was_visible) flags |= SWP_NOZORDER;
  SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, flags);
  return was_visible;
}
