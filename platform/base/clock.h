// The one clock the layer reads time through.
//
// GetTickCount, Sleep, timers, caret blink, double-click timing and message
// waits all ask the current clock. The SDL display uses the real clock; the
// headless display may install a virtual clock that tests advance by hand, so
// no test sleeps or depends on the machine's speed.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; never goes back.
  virtual uint64_t NowMs() = 0;
  // Blocks the calling thread until NowMs() >= deadline.
  virtual void SleepUntil(uint64_t deadline_ms) = 0;
  void SleepFor(uint64_t ms) { SleepUntil(NowMs() + ms); }
};

// Real time from a monotonic source.
class SystemClock final : public Clock {
 public:
  uint64_t NowMs() override;
  void SleepUntil(uint64_t deadline_ms) override;

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Time that moves only when told to. Sleepers on other threads wake when an
// advance passes their deadline.
class VirtualClock final : public Clock {
 public:
  explicit VirtualClock(uint64_t start_ms = 0) : now_(start_ms) {}
  uint64_t NowMs() override;
  void SleepUntil(uint64_t deadline_ms) override;
  void Advance(uint64_t ms);
  void Set(uint64_t now_ms);  // ignored when it would go back

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  uint64_t now_;
};

// The clock in use; the system clock until a display installs another.
Clock& CurrentClock();
// Installs `clock` (not owned; must outlive its use), or the system clock
// again for null.
void SetCurrentClock(Clock* clock);

}  // namespace platform
