#include "platform/display/sdl_x11.h"

#include <SDL_syswm.h>

#include <cstring>

namespace platform::sdl {

bool OnX11() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && std::strcmp(driver, "x11") == 0;
}

void ListenToX11Events() {
  if (OnX11()) SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

int X11Connection(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
    return -1;
  }
  return ConnectionNumber(info.info.x11.display);
#else
  (void)window;
  return -1;
#endif
}

bool PointerRootPosition(const SDL_SysWMEvent& event, int* x, int* y) {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (event.msg == nullptr || event.msg->subsystem != SDL_SYSWM_X11) return false;
  const XEvent& x_event = event.msg->msg.x11.event;
  switch (x_event.type) {
    case MotionNotify:
      *x = x_event.xmotion.x_root;
      *y = x_event.xmotion.y_root;
      return true;
    case ButtonPress:
    case ButtonRelease:
      *x = x_event.xbutton.x_root;
      *y = x_event.xbutton.y_root;
      return true;
    case EnterNotify:
    case LeaveNotify:
      *x = x_event.xcrossing.x_root;
      *y = x_event.xcrossing.y_root;
      return true;
    default:
      return false;
  }
#else
  (void)event;
  (void)x;
  (void)y;
  return false;
#endif
}

}  // namespace platform::sdl
