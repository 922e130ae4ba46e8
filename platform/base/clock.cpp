#include "platform/base/clock.h"

#include <atomic>
#include <thread>

namespace platform {

uint64_t SystemClock::NowMs() {
  auto elapsed = std::chrono::steady_clock::now() - start_;
  return static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void SystemClock::SleepUntil(uint64_t deadline_ms) {
  uint64_t now = NowMs();
  if (deadline_ms > now) std::this_thread::sleep_for(std::chrono::milliseconds(deadline_ms - now));
}

uint64_t VirtualClock::NowMs() {
  std::lock_guard lock(mutex_);
  return now_;
}

void VirtualClock::SleepUntil(uint64_t deadline_ms) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return now_ >= deadline_ms; });
}

void VirtualClock::Advance(uint64_t ms) {
  {
    std::lock_guard lock(mutex_);
    now_ += ms;
  }
  changed_.notify_all();
}

void VirtualClock::Set(uint64_t now_ms) {
  {
    std::lock_guard lock(mutex_);
    if (now_ms > now_) now_ = now_ms;
  }
  changed_.notify_all();
}

namespace {
SystemClock& TheSystemClock() {
  static SystemClock clock;
  return clock;
}
std::atomic<Clock*> g_current{nullptr};
}  // namespace

Clock& CurrentClock() {
  Clock* clock = g_current.load(std::memory_order_acquire);
  return clock ? *clock : TheSystemClock();
}

void SetCurrentClock(Clock* clock) { g_current.store(clock, std::memory_order_release); }

}  // namespace platform
