// Win32 events: a flag that waiters sleep on, reset by hand or by the one
// waiter it lets through.
#include "platform/kernel/waitable.h"

namespace platform {

namespace {

enum class ResetMode { kManual, kAutomatic };

class Event final : public Waitable {
 public:
  Event(ResetMode mode, bool signalled) : mode_(mode), signalled_(signalled) {}

  void Set() {
    Signal([this] { signalled_ = true; });
  }
  void Reset() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
  }

 private:
  bool TryAcquire() override {
    if (!signalled_) return false;
    if (mode_ == ResetMode::kAutomatic) signalled_ = false;
    return true;
  }

  const ResetMode mode_;
  bool signalled_;  // guarded by mutex_
};

}  // namespace

}  // namespace platform

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCSTR lpName) {
  if (lpName != nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto mode = bManualReset ? platform::ResetMode::kManual : platform::ResetMode::kAutomatic;
  auto event = std::make_shared<platform::Event>(mode, bInitialState != FALSE);
  SetLastError(ERROR_SUCCESS);
  return platform::ToHandle(platform::KernelHandles().Insert(std::move(event)));
}

BOOL SetEvent(HANDLE hEvent) {
  auto event = platform::FindKernelObject<platform::Event>(hEvent);
  if (!event) return FALSE;
  event->Set();
  return TRUE;
}

BOOL ResetEvent(HANDLE hEvent) {
  auto event = platform::FindKernelObject<platform::Event>(hEvent);
  if (!event) return FALSE;
  event->Reset();
  return TRUE;
}
