// Putting a top-level window's surface on its SDL window: the dirty
// rectangles are converted into the SDL window's framebuffer and only they
// are sent to the desktop. UI thread only.
#pragma once

#include <SDL.h>

#include "platform/user/window.h"

namespace platform::sdl {

// What shows where a shaped window (SetWindowRgn) has no pixels: SDL windows
// are rectangles, so the outside is filled with the headless display's desktop
// colour.
constexpr uint32_t kOutsideShapePixel = 0x003A6EA5;

// Takes the dirty region of `w`'s surface and shows it in `window`.
void PresentSurface(SDL_Window* window, const user::Window& w);

}  // namespace platform::sdl
