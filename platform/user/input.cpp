#include "platform/user/input.h"

#include <cstdlib>

#include "platform/base/clock.h"
#include "platform/display/display.h"
#include "platform/user/focus.h"
#include "platform/user/message_queue.h"
#include "platform/user/window.h"
#include "platform/user/window_class.h"
#include "platform/win32.h"

namespace platform::user {
HWND WindowAtScreenPoint(POINT screen);
}

namespace platform::input {

namespace {

using user::Window;

struct InputState {
  POINT pointer{0, 0};
  BYTE keys[256] = {};  // the device's key state, bit 0x80 = down
  UINT double_click_ms = 500;
  // The last button press, for double-click detection.
  UINT last_down_message = 0;
  HWND last_down_window = nullptr;
  uint64_t last_down_time = 0;
  POINT last_down_point{};
};

InputState& State() {
  static InputState state;
  return state;
}

uint64_t Now() { return CurrentClock().NowMs(); }

bool KeyDown(int vk) { return (State().keys[vk] & 0x80) != 0; }

WPARAM MouseKeyFlags() {
  WPARAM flags = 0;
  if (KeyDown(VK_LBUTTON)) flags |= MK_LBUTTON;
  if (KeyDown(VK_RBUTTON)) flags |= MK_RBUTTON;
  if (KeyDown(VK_MBUTTON)) flags |= MK_MBUTTON;
  if (KeyDown(VK_SHIFT)) flags |= MK_SHIFT;
  if (KeyDown(VK_CONTROL)) flags |= MK_CONTROL;
  return flags;
}

void Post(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, int vk = -1, bool down = false,
          bool follows_focus = false) {
  user::InputMessage input;
  input.msg = MSG{hwnd, message, wparam, lparam, static_cast<DWORD>(Now()), State().pointer};
  input.vk = vk;
  input.down = down;
  input.follows_focus = follows_focus;
  user::PostInput(input);
}

struct Target {
  HWND hwnd = nullptr;
  LRESULT hit = HTNOWHERE;
};

// Where a mouse event goes: the capture window takes everything as client
// input; otherwise the window under the pointer with its hit-test code.
Target MouseTarget() {
  POINT pt = State().pointer;
  if (HWND capture = GetCapture()) return {capture, HTCLIENT};
  HWND hwnd = user::WindowAtScreenPoint(pt);
  if (hwnd == nullptr) return {};
  // Disabled children are passed over on the way down; a disabled top-level
  // window (the owner of a modal dialog) takes no mouse input at all.
  if (!IsWindowEnabled(hwnd)) return {hwnd, HTERROR};
  return {hwnd, SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y))};
}

LPARAM ClientPoint(HWND hwnd) {
  POINT p = State().pointer;
  ScreenToClient(hwnd, &p);
  return MAKELPARAM(p.x, p.y);
}

UINT ButtonMessage(Button button, bool down, bool client) {
  static const UINT kClient[3][2] = {{WM_LBUTTONUP, WM_LBUTTONDOWN},
                                     {WM_RBUTTONUP, WM_RBUTTONDOWN},
                                     {WM_MBUTTONUP, WM_MBUTTONDOWN}};
  UINT message = kClient[static_cast<int>(button)][down ? 1 : 0];
  return client ? message : message - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN;
}

int ButtonKey(Button button) {
  return button == Button::kLeft ? VK_LBUTTON : button == Button::kRight ? VK_RBUTTON : VK_MBUTTON;
}

// A press at the same window and place as the previous one, within the
// double-click time, is a double click; a third press starts over.
bool IsDoubleClick(UINT message, HWND hwnd) {
  InputState& s = State();
  uint64_t now = Now();
  bool twice = s.last_down_message == message && s.last_down_window == hwnd &&
               now - s.last_down_time <= s.double_click_ms &&
               std::abs(s.pointer.x - s.last_down_point.x) <= 2 &&
               std::abs(s.pointer.y - s.last_down_point.y) <= 2;
  if (twice) {
    s.last_down_message = 0;
  } else {
    s.last_down_message = message;
    s.last_down_window = hwnd;
    s.last_down_time = now;
    s.last_down_point = s.pointer;
  }
  return twice;
}

// A click on any window but the active one asks it WM_MOUSEACTIVATE first:
// an inactive top-level window, or a child window, which is never the
// active window itself (so a child can take the focus when clicked). Its
// top-level window is activated unless it already is or the answer says
// otherwise; false when the click is to be eaten.
bool ActivateOnClick(const Target& t, UINT message) {
  Window* w = user::FindWindowQuiet(t.hwnd);
  if (w == nullptr || GetCapture() != nullptr) return true;
  Window* root = user::RootOf(w);
  const HWND root_hwnd = root->hwnd;
  const bool root_active = user::Focus().active == root_hwnd;
  if ((root_active && w == root) || (root->ex_style & WS_EX_NOACTIVATE)) return true;
  LRESULT answer = SendMessageA(t.hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root_hwnd),
                                MAKELPARAM(t.hit, message));
  const bool activate = answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT;
  // The answer may have destroyed the window; look it up again.
  Window* still = activate && !root_active ? user::FindWindowQuiet(root_hwnd) : nullptr;
  if (still != nullptr) user::Activate(still, WA_CLICKACTIVE);
  return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

}  // namespace

POINT PointerPosition() { return State().pointer; }

void MouseMove(POINT screen) {
  InputState& s = State();
  if (screen.x == s.pointer.x && screen.y == s.pointer.y) return;
  s.pointer = screen;
  Target t = MouseTarget();
  if (t.hwnd == nullptr) return;
  SendMessageA(t.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(t.hwnd),
               MAKELPARAM(t.hit, WM_MOUSEMOVE));
  if (t.hit == HTERROR) return;
  if (t.hit == HTCLIENT) {
    Post(t.hwnd, WM_MOUSEMOVE, MouseKeyFlags(), ClientPoint(t.hwnd));
  } else {
    Post(t.hwnd, WM_NCMOUSEMOVE, static_cast<WPARAM>(t.hit), MAKELPARAM(screen.x, screen.y));
  }
}

void MouseButton(Button button, bool down) {
  int vk = ButtonKey(button);
  InputState& s = State();
  if (down)
    s.keys[vk] |= 0x80;
  else
    s.keys[vk] &= static_cast<BYTE>(~0x80);
  Target t = MouseTarget();
  if (t.hwnd == nullptr || t.hit == HTERROR || t.hit == HTNOWHERE) return;
  bool client = t.hit == HTCLIENT;
  UINT message = ButtonMessage(button, down, client);
  if (down && !ActivateOnClick(t, message)) return;
  if (!IsWindow(t.hwnd)) return;
  if (down && IsDoubleClick(message, t.hwnd)) {
    Window* w = user::FindWindowQuiet(t.hwnd);
    if (!client || (w && (w->window_class->style & CS_DBLCLKS))) {
      message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    }
  }
  if (client) {
    Post(t.hwnd, message, MouseKeyFlags(), ClientPoint(t.hwnd), vk, down);
  } else {
    Post(t.hwnd, message, static_cast<WPARAM>(t.hit), MAKELPARAM(s.pointer.x, s.pointer.y), vk,
         down);
  }
}

void MouseWheel(int delta) {
  HWND target = GetFocus() ? GetFocus() : GetActiveWindow();
  if (target == nullptr) return;
  POINT pt = State().pointer;
  Post(target, WM_MOUSEWHEEL, MAKEWPARAM(MouseKeyFlags(), static_cast<WORD>(delta)),
       MAKELPARAM(pt.x, pt.y));
}

void Key(UINT vk, bool down, UINT scan_code, bool extended) {
  if (vk > 255) return;
  InputState& s = State();
  bool was_down = KeyDown(static_cast<int>(vk));
  if (down)
    s.keys[vk] |= 0x80;
  else
    s.keys[vk] &= static_cast<BYTE>(~0x80);
  HWND target = GetFocus();
  bool alt = KeyDown(VK_MENU);
  // Without a focus window keys go to the active window as system keys.
  bool system = alt || vk == VK_F10 || target == nullptr;
  if (target == nullptr) target = GetActiveWindow();
  if (target == nullptr) return;
  if (vk == VK_MENU && !down) system = true;
  LPARAM lparam = 1 | (static_cast<LPARAM>(scan_code & 0xFF) << 16) | (extended ? (1 << 24) : 0) |
                  (alt ? (1 << 29) : 0) | (was_down ? (1 << 30) : 0) | (down ? 0 : (1u << 31));
  UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  Post(target, message, vk, lparam, static_cast<int>(vk), down, true);
}

void Text(std::string_view gbk) {
  HWND target = GetFocus();
  if (target == nullptr) return;
  for (char c : gbk) {
    Post(target, WM_CHAR, static_cast<BYTE>(c), 1, -1, false, true);
  }
}

}  // namespace platform::input

SHORT GetAsyncKeyState(int vKey) {
  if (vKey < 0 || vKey > 255) return 0;
  return (platform::input::State().keys[vKey] & 0x80) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL GetCursorPos(LPPOINT lpPoint) {
  if (lpPoint == nullptr) return FALSE;
  *lpPoint = platform::input::State().pointer;
  return TRUE;
}

BOOL SetCursorPos(int X, int Y) {
  platform::input::MouseMove({X, Y});
  if (auto* display = platform::CurrentDisplay()) display->CursorMoved({X, Y});
  return TRUE;
}

namespace platform::input {

void ForgetPressesOn(HWND hwnd) {
  InputState& s = State();
  if (s.last_down_window == hwnd) s.last_down_message = 0;
}

}  // namespace platform::input

UINT GetDoubleClickTime() { return platform::input::State().double_click_ms; }

BOOL SetDoubleClickTime(UINT uInterval) {
  platform::input::State().double_click_ms = uInterval ? uInterval : 500;
  return TRUE;
}
