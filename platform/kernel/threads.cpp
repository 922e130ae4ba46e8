// Win32 threads over POSIX threads.
//
// Threads are created detached: Win32 has no join, and the thread object
// behind the handle outlives the thread for as long as a handle or the thread
// itself holds it. The object becomes signalled, with its exit code, when the
// start routine returns or the thread calls ExitThread; closing the handle
// only drops the handle's share, so the thread runs on.
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/kernel/waitable.h"

namespace platform {

namespace {

class Thread final : public Waitable {
 public:
  DWORD ExitCode() {
    std::lock_guard lock(mutex_);
    return finished_ ? exit_code_ : static_cast<DWORD>(STILL_ACTIVE);
  }
  void Finish(DWORD code) {
    Signal([&] {
      finished_ = true;
      exit_code_ = code;
    });
  }
  void PublishId(DWORD id) {
    Signal([&] { id_ = id; });
  }
  // The new thread's id, once it has started far enough to know it.
  DWORD AwaitId() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return id_ != 0; });
    return id_;
  }

 private:
  bool TryAcquire() override { return finished_; }

  bool finished_ = false;  // all fields guarded by mutex_
  DWORD exit_code_ = 0;
  DWORD id_ = 0;
};

struct StartInfo {
  std::shared_ptr<Thread> thread;
  LPTHREAD_START_ROUTINE routine;
  LPVOID parameter;
};

// What the thread ends with: its routine's result, or ExitThread's code.
thread_local DWORD t_exit_code = 0;

// Marks the thread finished on every way out, including the unwinding that
// ExitThread starts.
struct FinishOnExit {
  std::shared_ptr<Thread> thread;
  ~FinishOnExit() { thread->Finish(t_exit_code); }
};

void* RunThread(void* raw) {
  std::unique_ptr<StartInfo> info(static_cast<StartInfo*>(raw));
  FinishOnExit finish{info->thread};
  info->thread->PublishId(GetCurrentThreadId());
  t_exit_code = info->routine(info->parameter);
  return nullptr;
}

// dwStackSize rounded up to whole pages and to the least POSIX allows.
size_t StackSizeFor(SIZE_T requested) {
  const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
  const long least = ::sysconf(_SC_THREAD_STACK_MIN);
  size_t size =
      std::max<size_t>(requested, least > 0 ? static_cast<size_t>(least) : PTHREAD_STACK_MIN);
  return (size + page - 1) / page * page;
}

// Starts the detached thread; returns a pthread error number or 0.
int StartThread(SIZE_T stack_size, std::unique_ptr<StartInfo> info) {
  pthread_attr_t attributes;
  int error = ::pthread_attr_init(&attributes);
  if (error != 0) return error;
  error = ::pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  if (error == 0 && stack_size != 0) {
    error = ::pthread_attr_setstacksize(&attributes, StackSizeFor(stack_size));
  }
  pthread_t id;
  if (error == 0) error = ::pthread_create(&id, &attributes, RunThread, info.get());
  if (error == 0) info.release();  // the thread owns it now
  ::pthread_attr_destroy(&attributes);
  return error;
}

}  // namespace

}  // namespace platform

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T dwStackSize,
                    LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter,
                    DWORD dwCreationFlags, LPDWORD lpThreadId) {
  // A suspended start would need ResumeThread, which the layer does not have.
  if (lpStartAddress == nullptr || (dwCreationFlags & ~STACK_SIZE_PARAM_IS_A_RESERVATION) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto thread = std::make_shared<platform::Thread>();
  auto info = std::make_unique<platform::StartInfo>(
      platform::StartInfo{thread, lpStartAddress, lpParameter});
  int error = platform::StartThread(dwStackSize, std::move(info));
  if (error != 0) {
    SetLastError(error == EINVAL ? ERROR_INVALID_PARAMETER : ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  DWORD id = thread->AwaitId();
  if (lpThreadId) *lpThreadId = id;
  return platform::ToHandle(platform::KernelHandles().Insert(std::move(thread)));
}

BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode) {
  auto thread = platform::FindKernelObject<platform::Thread>(hThread);
  if (!thread) return FALSE;
  if (lpExitCode == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *lpExitCode = thread->ExitCode();
  return TRUE;
}

void ExitThread(DWORD dwExitCode) {
  platform::t_exit_code = dwExitCode;
  ::pthread_exit(nullptr);
}

DWORD GetCurrentThreadId() {
  thread_local const DWORD id = static_cast<DWORD>(::gettid());
  return id;
}
