#include "platform/display/sdl_wait.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace platform::sdl {

X11Waiter::X11Waiter() : wake_fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

X11Waiter::~X11Waiter() {
  if (wake_fd_ >= 0) close(wake_fd_);
}

void X11Waiter::Wake() {
  const uint64_t one = 1;
  // A full counter still reads as woken, so a failed write loses nothing.
  [[maybe_unused]] ssize_t written = write(wake_fd_, &one, sizeof one);
}

void X11Waiter::Wait(int x11_fd, int timeout_ms) {
  // Pumping empties Xlib's own queue, so whatever comes later shows on the
  // connection; nothing may read from it between here and poll.
  SDL_PumpEvents();
  if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return;
  pollfd fds[2] = {{wake_fd_, POLLIN, 0}, {x11_fd, POLLIN, 0}};
  poll(fds, x11_fd >= 0 ? 2 : 1, timeout_ms);  // a signal (SIGINT) ends it too
  uint64_t count = 0;
  [[maybe_unused]] ssize_t got = read(wake_fd_, &count, sizeof count);
}

}  // namespace platform::sdl
