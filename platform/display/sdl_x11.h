// What the SDL display needs to know of X11 that SDL does not say: where on
// the root window (the screen) a pointer event happened, which SDL hands over
// as an SDL_SYSWMEVENT just before the SDL events it makes of it; and the
// connection to the X server, to wait on. Kept apart so that Xlib's macros
// stay out of the layer's other files.
#pragma once

#include <SDL.h>

namespace platform::sdl {

// Whether SDL runs on X11.
bool OnX11();

// Asks SDL for the X events (and leaves it be on other video drivers).
void ListenToX11Events();

// The file descriptor of the X server connection behind `window`; -1 when
// there is none (no window, or not X11).
int X11Connection(SDL_Window* window);

// The root-window position of the X pointer event (motion, button,
// entering or leaving a window) an SDL_SYSWMEVENT carries; false for
// anything else.
bool PointerRootPosition(const SDL_SysWMEvent& event, int* x, int* y);

}  // namespace platform::sdl
