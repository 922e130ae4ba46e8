// Waiting on X11 for the desktop's input or a wake, without SDL's own wait.
//
// While it waits, SDL 2 wakes itself by sending an X event to one of our
// windows over a second connection to the X server. When that window is
// destroyed soon after, the server may take the destroy first, and the error
// it answers is read only when SDL closes that connection, where Xlib's
// default handler ends the program. So on X11 the display waits on the X
// connection and an eventfd of its own, and SDL is only ever asked to pump.
#pragma once

#include <SDL.h>

namespace platform::sdl {

class X11Waiter {
 public:
  X11Waiter();
  ~X11Waiter();
  X11Waiter(const X11Waiter&) = delete;
  X11Waiter& operator=(const X11Waiter&) = delete;

  // Any thread; no SDL call.
  void Wake();
  // Takes what the X server sent into SDL's queue and, when nothing came,
  // blocks until the X connection `x11_fd` (-1: none yet) has input, Wake()
  // is called or `timeout_ms` passes (-1: no limit).
  void Wait(int x11_fd, int timeout_ms);

 private:
  int wake_fd_ = -1;  // an eventfd: readable once woken
};

}  // namespace platform::sdl
