#include "platform/display/sdl_events.h"

#include "platform/base/gbk.h"
#include "platform/display/sdl_keys.h"
#include "platform/display/sdl_x11.h"
#include "platform/user/input.h"
#include "platform/win32.h"

namespace platform::sdl {

namespace {

bool ButtonFor(Uint8 sdl_button, input::Button* button) {
  switch (sdl_button) {
    case SDL_BUTTON_LEFT:
      *button = input::Button::kLeft;
      return true;
    case SDL_BUTTON_RIGHT:
      *button = input::Button::kRight;
      return true;
    case SDL_BUTTON_MIDDLE:
      *button = input::Button::kMiddle;
      return true;
    default:
      return false;
  }
}

bool IsMinimized(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & WS_MINIMIZE) != 0; }

}  // namespace

void EventTranslator::Translate(const SDL_Event& event, EventEffects* effects) {
  switch (event.type) {
    case SDL_MOUSEMOTION:
      Motion(event.motion);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      Button(event.button);
      break;
    case SDL_MOUSEWHEEL:
      Wheel(event.wheel);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      Key(event.key);
      break;
    case SDL_TEXTINPUT:
      Text(event.text);
      break;
    case SDL_WINDOWEVENT:
      Window(event.window, effects);
      break;
    case SDL_DISPLAYEVENT:
      effects->screen_changed = true;
      break;
    case SDL_QUIT:
      Quit();
      break;
    case SDL_SYSWMEVENT: {
      int x = 0, y = 0;
      if (PointerRootPosition(event.syswm, &x, &y))
        root_ = POINT{x, y};
      else
        root_.reset();
      break;
    }
    default:
      break;  // text being composed, clipboard news, ...: nothing to tell
  }
}

// The screen point of a pointer event at (x, y) in an SDL window: by the
// window's place, or, while dragging, by how far the pointer went on the
// desktop's screen since it was last placed by a window.
bool EventTranslator::Locate(Uint32 window_id, int x, int y, bool dragging, POINT* screen) {
  std::optional<POINT> root = root_;
  root_.reset();
  if (dragging && anchored_ && root) {
    *screen = {anchor_screen_.x + root->x - anchor_root_.x,
               anchor_screen_.y + root->y - anchor_root_.y};
    return true;
  }
  if (!windows_.ToScreen(window_id, x, y, screen)) return false;
  anchored_ = root.has_value();
  if (anchored_) {
    anchor_screen_ = *screen;
    anchor_root_ = *root;
  }
  return true;
}

void EventTranslator::Motion(const SDL_MouseMotionEvent& e) {
  POINT screen;
  if (Locate(e.windowID, e.x, e.y, e.state != 0, &screen)) input::MouseMove(screen);
}

void EventTranslator::Button(const SDL_MouseButtonEvent& e) {
  const bool down = e.state == SDL_PRESSED;
  POINT screen;
  if (Locate(e.windowID, e.x, e.y, buttons_held_ != 0, &screen)) input::MouseMove(screen);
  if (down)
    buttons_held_ |= SDL_BUTTON(e.button);
  else
    buttons_held_ &= ~SDL_BUTTON(e.button);
  input::Button button;
  // A release is never dropped, or the button would stay down for the program.
  if (ButtonFor(e.button, &button)) input::MouseButton(button, down);
}

void EventTranslator::Wheel(const SDL_MouseWheelEvent& e) {
  int notches = e.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.y : e.y;
  if (notches != 0) input::MouseWheel(notches * WHEEL_DELTA);
}

void EventTranslator::Key(const SDL_KeyboardEvent& e) {
  const bool down = e.state == SDL_PRESSED;
  if (e.keysym.scancode == SDL_SCANCODE_LALT) left_alt_down_ = down;
  Win32Key key = MapKey(e.keysym.scancode, e.keysym.sym, (e.keysym.mod & KMOD_NUM) != 0);
  if (key.vk != 0) input::Key(key.vk, down, key.scan, key.extended);
}

void EventTranslator::Text(const SDL_TextInputEvent& e) {
  const bool control = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
  if (left_alt_down_ && !control) return;
  input::Text(gbk::FromUtf8(e.text));
}

void EventTranslator::Window(const SDL_WindowEvent& e, EventEffects* effects) {
  HWND hwnd = windows_.HwndOf(e.windowID);
  if (hwnd == nullptr || !IsWindow(hwnd)) return;
  switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE:
      if (IsWindowEnabled(hwnd)) PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      windows_.FocusGained(hwnd);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      if (auto* w = user::FindWindowQuiet(hwnd); w != nullptr && w->surface) {
        w->surface->MarkAllDirty();
        effects->present = true;
      }
      break;
    // The desktop's own minimise and restore (task bar, keys) go through
    // the window as the system menu's would; ours come back here unchanged.
    case SDL_WINDOWEVENT_MINIMIZED:
      if (!IsMinimized(hwnd) && IsWindowVisible(hwnd)) {
        PostMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      }
      break;
    case SDL_WINDOWEVENT_RESTORED:
      if (IsMinimized(hwnd)) PostMessageA(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
      break;
    default:
      break;
  }
}

// The session is ending or the terminal interrupted us: every main window is
// asked to close, as its close button would, so the program can save and
// quit the way it always does.
void EventTranslator::Quit() {
  bool asked = false;
  for (const user::Window* w : user::TopLevels()) {
    if (w->owner == nullptr && w->IsVisibleFlag()) {
      PostMessageA(w->hwnd, WM_CLOSE, 0, 0);
      asked = true;
    }
  }
  if (!asked) PostQuitMessage(0);
}

}  // namespace platform::sdl
