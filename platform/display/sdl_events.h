// Device input from SDL events: the pointer, buttons, wheel, keys and typed
// text go to the input entry point (platform/user/input.h) in screen
// coordinates, and what the desktop does to our SDL windows (close button,
// focus, exposure, minimising) becomes what Win32 would send. UI thread only.
#pragma once

#include <SDL.h>

#include <optional>

#include "platform/display/sdl_windows.h"

namespace platform::sdl {

// What a batch of events asks of the display once it has been translated.
struct EventEffects {
  bool present = false;         // a window lost its pixels on the desktop
  bool screen_changed = false;  // a monitor came, went or changed
};

class EventTranslator {
 public:
  explicit EventTranslator(WindowSet& windows) : windows_(windows) {}

  void Translate(const SDL_Event& event, EventEffects* effects);

 private:
  bool Locate(Uint32 window_id, int x, int y, bool dragging, POINT* screen);
  void Motion(const SDL_MouseMotionEvent& e);
  void Button(const SDL_MouseButtonEvent& e);
  void Wheel(const SDL_MouseWheelEvent& e);
  void Key(const SDL_KeyboardEvent& e);
  void Text(const SDL_TextInputEvent& e);
  void Window(const SDL_WindowEvent& e, EventEffects* effects);
  void Quit();

  WindowSet& windows_;
  // Where on the screen the X event behind the next SDL mouse event
  // happened (X11 only).
  std::optional<POINT> root_;
  // While a button is held the pointer follows the screen from where it was
  // before: a caption drag moves the window under it, and coordinates
  // relative to a moving window arrive measured from wherever it was then.
  bool anchored_ = false;
  POINT anchor_screen_{};    // a pointer position in the window manager's coordinates
  POINT anchor_root_{};      // the same moment on the desktop's screen
  Uint32 buttons_held_ = 0;  // SDL_BUTTON masks of the buttons down
  // Left Alt with a key is a menu command, never text; AltGr (right Alt)
  // types characters on many layouts.
  bool left_alt_down_ = false;
};

}  // namespace platform::sdl
