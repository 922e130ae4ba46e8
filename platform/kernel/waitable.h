// Kernel objects that WaitForSingleObject can wait for (threads, events).
#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/kernel/kernel_object.h"

namespace platform {

class Waitable : public KernelObject {
 public:
  // WAIT_OBJECT_0 once the object is signalled (taking what a successful wait
  // takes, such as an auto-reset event's signal), WAIT_TIMEOUT when
  // `timeout_ms` pass first on CurrentClock(). INFINITE never times out.
  DWORD Wait(DWORD timeout_ms);

 protected:
  // Called with mutex_ held: whether the object is signalled, after taking
  // what a successful wait takes.
  virtual bool TryAcquire() = 0;

  // Applies `change` under the lock and wakes every waiter to look again.
  template <typename Change>
  void Signal(Change change) {
    {
      std::lock_guard lock(mutex_);
      change();
    }
    changed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable changed_;

 private:
  DWORD WaitWithTimeout(std::unique_lock<std::mutex>& lock, DWORD timeout_ms);
};

}  // namespace platform
