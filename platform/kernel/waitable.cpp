// Waits measured on the layer's clock.
//
// A wait sleeps on the object's condition variable, which wakes it when the
// object is signalled. Time is the harder half: the system clock's
// milliseconds are real ones, so the wait can sleep the whole remainder at
// once; any other clock (a virtual clock a test moves on) tells nobody when
// it moves, so the wait re-reads it every few real milliseconds.
#include "platform/kernel/waitable.h"

#include <algorithm>
#include <chrono>

#include "platform/base/clock.h"

namespace platform {

namespace {
constexpr uint64_t kVirtualClockPollMs = 2;
}  // namespace

DWORD Waitable::Wait(DWORD timeout_ms) {
  std::unique_lock lock(mutex_);
  if (TryAcquire()) return WAIT_OBJECT_0;
  if (timeout_ms == INFINITE) {
    changed_.wait(lock, [this] { return TryAcquire(); });
    return WAIT_OBJECT_0;
  }
  return WaitWithTimeout(lock, timeout_ms);
}

DWORD Waitable::WaitWithTimeout(std::unique_lock<std::mutex>& lock, DWORD timeout_ms) {
  Clock& clock = CurrentClock();
  const bool real_time = dynamic_cast<SystemClock*>(&clock) != nullptr;
  const uint64_t deadline = clock.NowMs() + timeout_ms;
  for (;;) {
    const uint64_t now = clock.NowMs();
    if (now >= deadline) return WAIT_TIMEOUT;
    const uint64_t remaining = deadline - now;
    const uint64_t slice = real_time ? remaining : std::min(remaining, kVirtualClockPollMs);
    changed_.wait_for(lock, std::chrono::milliseconds(slice));
    if (TryAcquire()) return WAIT_OBJECT_0;
  }
}

}  // namespace platform

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  auto object = platform::FindKernelObject<platform::Waitable>(hHandle);
  if (!object) return WAIT_FAILED;
  return object->Wait(dwMilliseconds);
}
