// The little modal loops of the non-client area: dragging a window by its
// caption and pressing a caption button. Both run until the mouse button is
// released (or Esc, or the quit message, which is put back for the caller).
#include "platform/user/nonclient.h"
#include "platform/user/window.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

bool IsMouseMove(UINT message) { return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE; }
bool IsButtonUp(UINT message) { return message == WM_LBUTTONUP || message == WM_NCLBUTTONUP; }

// Runs `on_move` for every mouse move until the button is released; returns
// where it was released, or false when the loop was cut short.
template <typename OnMove>
bool TrackUntilRelease(HWND hwnd, OnMove on_move, POINT* released) {
  SetCapture(hwnd);
  MSG msg;
  bool completed = false;
  while (GetCapture() == hwnd) {
    if (!GetMessageA(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (IsMouseMove(msg.message)) {
      on_move(msg.pt);
    } else if (IsButtonUp(msg.message)) {
      *released = msg.pt;
      completed = true;
      break;
    } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      break;
    } else {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  return completed;
}

}  // namespace

void TrackCaptionDrag(HWND hwnd, POINT start) {
  RECT origin;
  if (!GetWindowRect(hwnd, &origin)) return;
  SendMessageA(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  auto move_to = [&](POINT pt) {
    SetWindowPos(hwnd, nullptr, origin.left + pt.x - start.x, origin.top + pt.y - start.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  POINT released{};
  if (!TrackUntilRelease(hwnd, move_to, &released) && IsWindow(hwnd)) {
    SetWindowPos(hwnd, nullptr, origin.left, origin.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (IsWindow(hwnd)) SendMessageA(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

bool TrackCaptionButton(HWND hwnd, LRESULT button) {
  POINT released{};
  if (!TrackUntilRelease(
          hwnd, [](POINT) {}, &released))
    return false;
  if (!IsWindow(hwnd)) return false;
  return SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(released.x, released.y)) == button;
}

}  // namespace platform::user
