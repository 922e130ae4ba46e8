#include "platform/display/display.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/gdi/screen_info.h"
#include "platform/user/message_queue.h"

namespace platform {

namespace {
std::atomic<Display*> g_display{nullptr};
std::atomic<DWORD> g_display_thread{0};
std::atomic<bool> g_first_frame_noted{false};
}  // namespace

void NoteFramePresented() {
  if (g_first_frame_noted.exchange(true, std::memory_order_relaxed)) return;
  if (std::getenv("MIENZO_REPORT_FIRST_FRAME") == nullptr) return;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::fprintf(stderr, "first frame: monotonic_ns=%lld\n",
               static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  std::fflush(stderr);
}

Display* CurrentDisplay() { return g_display.load(std::memory_order_acquire); }

DWORD DisplayThread() { return g_display_thread.load(std::memory_order_acquire); }

void SetCurrentDisplay(Display* display) {
  g_display_thread.store(display ? user::CurrentThreadId() : 0, std::memory_order_release);
  g_display.store(display, std::memory_order_release);
  ScreenSettings screen = CurrentScreen();
  gdi::SetScreen({screen.width, screen.height, screen.dpi});
}

ScreenSettings CurrentScreen() {
  Display* display = CurrentDisplay();
  return display ? display->Screen() : ScreenSettings{};
}

}  // namespace platform
