#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/base/clock.h"
#include "platform/win32.h"

namespace {

using std::chrono::steady_clock;

// Real time a test gives a thread before calling it stuck; only a broken
// layer comes near it. This is a watchdog, not a measurement.
constexpr auto kStuckAfter = std::chrono::seconds(30);

// Virtual time moves in steps small enough that a wait which gives up early
// is seen doing so, and few enough that a minute passes well inside the
// watchdog even on a loaded machine.
constexpr uint64_t kStepMs = 10;

// One virtual clock for the whole run, never destroyed, so that a thread a
// failed test leaves behind never reads a dead clock.
platform::VirtualClock& TestClock() {
  static auto* clock = new platform::VirtualClock(1'000'000);
  return *clock;
}

class ThreadsTest : public testing::Test {
 protected:
  void SetUp() override { platform::SetCurrentClock(&TestClock()); }
  void TearDown() override { platform::SetCurrentClock(nullptr); }

  // Whether `object` becomes signalled (a thread ends, an event is set)
  // while virtual time stands still.
  static bool Signalled(HANDLE object) {
    const auto give_up = steady_clock::now() + kStuckAfter;
    while (WaitForSingleObject(object, 0) == WAIT_TIMEOUT) {
      if (steady_clock::now() > give_up) return false;
      std::this_thread::yield();
    }
    return true;
  }

  // Whether `object` becomes signalled while virtual time moves on in small
  // steps.
  static bool SignalledAsTimePasses(HANDLE object) {
    const auto give_up = steady_clock::now() + kStuckAfter;
    while (WaitForSingleObject(object, 0) == WAIT_TIMEOUT) {
      if (steady_clock::now() > give_up) return false;
      TestClock().Advance(kStepMs);
      std::this_thread::yield();
    }
    return true;
  }

  static DWORD ExitCodeOf(HANDLE thread) {
    DWORD code = 0xDEAD;
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    return code;
  }
};

// Waits for the event passed as parameter, then ends with 7.
DWORD WaitForRelease(LPVOID event) {
  return WaitForSingleObject(static_cast<HANDLE>(event), INFINITE) == WAIT_OBJECT_0 ? 7 : 99;
}

HANDLE StartWaitingForRelease(HANDLE release) {
  return CreateThread(nullptr, 0, WaitForRelease, release, 0, nullptr);
}

struct Job {
  DWORD input = 0;
  DWORD seen_thread_id = 0;
};

DWORD RecordAndDouble(LPVOID parameter) {
  auto* job = static_cast<Job*>(parameter);
  job->seen_thread_id = GetCurrentThreadId();
  return job->input * 2;
}

TEST_F(ThreadsTest, ThreadGetsItsParameterAndEndsWithItsResult) {
  Job job{21, 0};
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, RecordAndDouble, &job, 0, &id);
  ASSERT_NE(thread, nullptr);
  ASSERT_TRUE(Signalled(thread));
  EXPECT_EQ(ExitCodeOf(thread), 42u);
  EXPECT_EQ(job.seen_thread_id, id) << "CreateThread's id is the one the thread sees";
  EXPECT_NE(id, GetCurrentThreadId());
  EXPECT_EQ(GetCurrentThreadId(), GetCurrentThreadId());
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0)
      << "an ended thread stays signalled";
  EXPECT_TRUE(CloseHandle(thread));
  DWORD code = 0;
  EXPECT_FALSE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  HANDLE small =
      CreateThread(nullptr, 1, RecordAndDouble, &job, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  ASSERT_NE(small, nullptr) << "a tiny stack request is rounded up, not refused";
  ASSERT_TRUE(Signalled(small));
  CloseHandle(small);
}

TEST_F(ThreadsTest, ThreadIsStillActiveUntilItsEventWakesIt) {
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = StartWaitingForRelease(release);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(ExitCodeOf(thread), static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
  ASSERT_TRUE(SetEvent(release));
  ASSERT_TRUE(Signalled(thread)) << "SetEvent must wake the waiting thread";
  EXPECT_EQ(ExitCodeOf(thread), 7u);
  CloseHandle(thread);
  CloseHandle(release);
}

struct TimedWait {
  HANDLE target;
  DWORD timeout;
  HANDLE starting = CreateEventA(nullptr, TRUE, FALSE, nullptr);  // set just before the wait
  DWORD result = 0;
  ULONGLONG elapsed = 0;  // virtual milliseconds
  ~TimedWait() { CloseHandle(starting); }
};

DWORD WaitAndMeasure(LPVOID parameter) {
  auto* wait = static_cast<TimedWait*>(parameter);
  SetEvent(wait->starting);
  ULONGLONG start = GetTickCount64();
  wait->result = WaitForSingleObject(wait->target, wait->timeout);
  wait->elapsed = GetTickCount64() - start;
  return 0;
}

TEST_F(ThreadsTest, TimedWaitRunsOutOnTheVirtualClock) {
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE worker = StartWaitingForRelease(release);
  TimedWait wait{worker, 60'000};  // a minute: a wait on real time would trip the watchdog
  HANDLE waiter = CreateThread(nullptr, 0, WaitAndMeasure, &wait, 0, nullptr);
  ASSERT_TRUE(SignalledAsTimePasses(waiter)) << "the wait ignored the virtual clock";
  EXPECT_EQ(wait.result, WAIT_TIMEOUT);
  EXPECT_GE(wait.elapsed, 60'000u) << "the wait gave up before its time";
  EXPECT_EQ(ExitCodeOf(worker), static_cast<DWORD>(STILL_ACTIVE));
  SetEvent(release);
  EXPECT_TRUE(Signalled(worker));
  for (HANDLE h : {waiter, worker, release}) CloseHandle(h);
}

TEST_F(ThreadsTest, TimedWaitEndsWhenTheThreadEndsFirst) {
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE worker = StartWaitingForRelease(release);
  TimedWait wait{worker, 60'000};
  HANDLE waiter = CreateThread(nullptr, 0, WaitAndMeasure, &wait, 0, nullptr);
  ASSERT_TRUE(Signalled(wait.starting));
  SetEvent(release);
  ASSERT_TRUE(Signalled(waiter));
  EXPECT_EQ(wait.result, WAIT_OBJECT_0);
  EXPECT_EQ(wait.elapsed, 0u) << "no virtual time passed";
  for (HANDLE h : {waiter, worker, release}) CloseHandle(h);
}

TEST_F(ThreadsTest, ClosingARunningThreadsHandleLetsItFinish) {
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE events[2] = {release, done};
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](LPVOID parameter) -> DWORD {
        auto* pair = static_cast<HANDLE*>(parameter);
        WaitForSingleObject(pair[0], INFINITE);
        SetEvent(pair[1]);
        return 0;
      },
      events, 0, nullptr);
  ASSERT_TRUE(CloseHandle(thread));
  SetEvent(release);
  EXPECT_TRUE(Signalled(done)) << "the thread stopped when its handle closed";
  CloseHandle(release);
  CloseHandle(done);
}

void LeaveEarly(bool* after) {
  ExitThread(42);
  *after = true;
}

TEST_F(ThreadsTest, ExitThreadEndsTheThreadWithItsCode) {
  bool after = false;
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](LPVOID parameter) -> DWORD {
        LeaveEarly(static_cast<bool*>(parameter));
        return 1;
      },
      &after, 0, nullptr);
  ASSERT_TRUE(Signalled(thread));
  EXPECT_EQ(ExitCodeOf(thread), 42u);
  EXPECT_FALSE(after) << "code after ExitThread ran";
  CloseHandle(thread);
}

TEST_F(ThreadsTest, ManualResetStaysSetAndAutoResetLetsOneWaitThrough) {
  HANDLE manual = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0) << "a wait must not reset it";
  ASSERT_TRUE(ResetEvent(manual));
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);

  HANDLE automatic = CreateEventA(nullptr, FALSE, TRUE, nullptr);
  EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT) << "the wait must reset it";
  SetEvent(automatic);
  SetEvent(automatic);
  EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT) << "signals do not add up";
  CloseHandle(manual);
  CloseHandle(automatic);
}

TEST_F(ThreadsTest, EachAutoResetSignalWakesOneOfTwoWaiters) {
  HANDLE gate = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  HANDLE first = StartWaitingForRelease(gate);
  HANDLE second = StartWaitingForRelease(gate);
  SetEvent(gate);
  const auto give_up = steady_clock::now() + kStuckAfter;
  int ended = 0;
  while ((ended = (WaitForSingleObject(first, 0) == WAIT_OBJECT_0) +
                  (WaitForSingleObject(second, 0) == WAIT_OBJECT_0)) == 0 &&
         steady_clock::now() < give_up) {
    std::this_thread::yield();
  }
  EXPECT_EQ(ended, 1) << "one SetEvent on an auto-reset event releases exactly one waiter";
  SetEvent(gate);
  EXPECT_TRUE(Signalled(first));
  EXPECT_TRUE(Signalled(second));
  for (HANDLE h : {first, second, gate}) CloseHandle(h);
}

TEST_F(ThreadsTest, BadHandlesAndRequestsFailTheWin32Way) {
  EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(WaitForSingleObject(reinterpret_cast<HANDLE>(0x7777), INFINITE), WAIT_FAILED);
  HANDLE file =
      CreateFileA("/dev/null", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(WaitForSingleObject(file, 0), WAIT_FAILED) << "files cannot be waited for";
  EXPECT_FALSE(SetEvent(file)) << "a file is no event";
  CloseHandle(file);

  Job job;
  EXPECT_EQ(CreateThread(nullptr, 0, RecordAndDouble, &job, CREATE_SUSPENDED, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
  EXPECT_EQ(CreateEventA(nullptr, TRUE, FALSE, "named"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(ThreadsTest, TickCountsAndSleepFollowTheLayerClock) {
  const ULONGLONG start = GetTickCount64();
  TestClock().Advance(1234);
  EXPECT_EQ(GetTickCount64(), start + 1234);
  const ULONGLONG past_a_wrap = (((start >> 32) + 1) << 32) + 5;
  TestClock().Set(past_a_wrap);
  EXPECT_EQ(GetTickCount(), 5u) << "GetTickCount wraps at 32 bits";
  EXPECT_EQ(GetTickCount64(), past_a_wrap);

  Sleep(0);  // must not wait for virtual time
  HANDLE sleeper = CreateThread(
      nullptr, 0,
      [](LPVOID) -> DWORD {
        ULONGLONG before = GetTickCount64();
        Sleep(1000);
        return static_cast<DWORD>(GetTickCount64() - before);
      },
      nullptr, 0, nullptr);
  ASSERT_TRUE(SignalledAsTimePasses(sleeper)) << "Sleep ignored the virtual clock";
  EXPECT_GE(ExitCodeOf(sleeper), 1000u) << "virtual milliseconds slept";
  CloseHandle(sleeper);
}

}  // namespace
