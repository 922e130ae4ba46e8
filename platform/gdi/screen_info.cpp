#include "platform/gdi/screen_info.h"

#include <mutex>

namespace platform::gdi {

namespace {

std::mutex& ScreenMutex() {
  static std::mutex mutex;
  return mutex;
}

ScreenInfo& Screen() {
  static ScreenInfo screen;
  return screen;
}

}  // namespace

ScreenInfo CurrentScreen() {
  std::lock_guard lock(ScreenMutex());
  return Screen();
}

void SetScreen(const ScreenInfo& info) {
  std::lock_guard lock(ScreenMutex());
  Screen() = info;
}

}  // namespace platform::gdi
