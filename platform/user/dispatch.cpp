// TranslateMessage, DispatchMessage, CallWindowProc.
#include "platform/user/painting.h"
#include "platform/user/window.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

// The character a key makes on its own, for keys no text input reports:
// Enter, Backspace, Tab, Esc and Ctrl with a letter. Printable characters
// arrive from the display as WM_CHAR already.
int ControlCharacter(WPARAM vk) {
  switch (vk) {
    case VK_RETURN:
      return '\r';
    case VK_BACK:
      return '\b';
    case VK_TAB:
      return '\t';
    case VK_ESCAPE:
      return 0x1B;
    default:
      break;
  }
  bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
  if (ctrl && !alt && vk >= 'A' && vk <= 'Z') return static_cast<int>(vk - 'A' + 1);
  return -1;
}

}  // namespace

}  // namespace platform::user

BOOL TranslateMessage(const MSG* lpMsg) {
  if (lpMsg == nullptr) return FALSE;
  if (lpMsg->message == WM_KEYDOWN) {
    int c = platform::user::ControlCharacter(lpMsg->wParam);
    if (c < 0) return FALSE;
    PostMessageA(lpMsg->hwnd, WM_CHAR, static_cast<WPARAM>(c), lpMsg->lParam);
    return TRUE;
  }
  if (lpMsg->message == WM_SYSKEYDOWN) {
    // Alt with a letter or digit: the mnemonic character, in lower case.
    WPARAM vk = lpMsg->wParam;
    bool letter = vk >= 'A' && vk <= 'Z', digit = vk >= '0' && vk <= '9';
    if (!letter && !digit) return FALSE;
    WPARAM c = letter ? vk - 'A' + 'a' : vk;
    PostMessageA(lpMsg->hwnd, WM_SYSCHAR, c, lpMsg->lParam);
    return TRUE;
  }
  return FALSE;
}

LRESULT DispatchMessageA(const MSG* lpMsg) {
  if (lpMsg == nullptr) return 0;
  // A timer with a procedure calls it, also a thread timer (no window).
  if (lpMsg->message == WM_TIMER && lpMsg->lParam != 0 &&
      (lpMsg->hwnd == nullptr || platform::user::FindWindowQuiet(lpMsg->hwnd) != nullptr)) {
    auto proc = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
    proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, static_cast<DWORD>(lpMsg->time));
    return 0;
  }
  if (lpMsg->hwnd == nullptr) return 0;
  platform::user::Window* w = platform::user::FindWindow(lpMsg->hwnd);
  if (w == nullptr) return 0;
  LRESULT result = w->proc ? w->proc(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam) : 0;
  if (lpMsg->message == WM_PAINT) {
    // A window that ignored WM_PAINT would be asked again forever.
    w = platform::user::FindWindowQuiet(lpMsg->hwnd);
    if (w != nullptr) {
      w->internal_paint = false;
      platform::gdi::Region left = w->update;
      if (!left.IsEmpty()) platform::user::Validate(w, left, false);
    }
  }
  return result;
}

LRESULT CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}
