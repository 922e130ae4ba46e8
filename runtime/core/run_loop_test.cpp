// The message loop over plain windows on the headless display, in process.
#include "runtime/core/run_loop.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/display/headless.h"
#include "runtime/core/app_state.h"
#include "runtime/core/hooks.h"
#include "runtime/core/idle.h"
#include "runtime/core/test_support.h"

namespace runtime {
namespace {

using core_testing::TestFramework;

class RunLoopTest : public testing::Test {
 protected:
  explicit RunLoopTest(platform::ClockKind clock = platform::ClockKind::kVirtual)
      : display_(clock) {}
  void TearDown() override { core_testing::ResetApp(); }

  platform::HeadlessDisplay display_;
  TestFramework framework_;
};

bool QuitPending() {
  MSG msg{};
  return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

TEST_F(RunLoopTest, ReturnsAtOnceWhenNoLoadedWindowIsLive) {
  HWND early = framework_.Load();
  DestroyWindow(early);
  EXPECT_FALSE(QuitPending()) << "before the loop has started no quit is posted";
  RunMessageLoop();
  EXPECT_TRUE(App().message_loop_running);
  EXPECT_FALSE(QuitPending());
}

TEST_F(RunLoopTest, ClosingOneOfTwoWindowsKeepsTheLoopGoingUntilTheLast) {
  HWND first = framework_.Load();
  HWND second = framework_.Load();
  std::vector<int32_t> events;
  framework_.on_idle = [&](int32_t position, int32_t) {
    events.push_back(position);
    if (events.size() == 1) PostMessageA(first, WM_CLOSE, 0, 0);
    if (!IsWindow(first)) PostMessageA(second, WM_CLOSE, 0, 0);
    return 0;
  };
  RunMessageLoop();
  EXPECT_EQ(events, (std::vector<int32_t>{0, 1, 1}))
      << "the second window still had idle time after the first one closed";
  EXPECT_FALSE(IsWindow(second));
  EXPECT_EQ(App().quit_code, 0);
}

std::string g_idle_log;
HWND g_first = nullptr;
HWND g_second = nullptr;

void RecordIdle(intptr_t name) {
  g_idle_log += static_cast<char>(name);
  if (name != 'b') return;
  DestroyWindow(g_idle_log == "b" ? g_first : g_second);
}

TEST_F(RunLoopTest, IdleCallbacksRunLastFirstAndThoseOfDeadWindowsAreDropped) {
  g_idle_log.clear();
  g_first = framework_.Load();
  g_second = framework_.Load();
  RegisterIdleCallback(g_first, RecordIdle, 'a');
  RegisterIdleCallback(g_second, RecordIdle, 'b');
  RegisterIdleCallback(g_second, RecordIdle, 'x');  // one per window
  RegisterIdleCallback(reinterpret_cast<HWND>(uintptr_t{0x7FF0}), RecordIdle, 'y');
  HWND third = framework_.Load();
  RegisterIdleCallback(third, nullptr, 'z');
  DestroyWindow(third);
  ASSERT_EQ(App().idle_callbacks.size(), 2u);

  RunMessageLoop();
  EXPECT_EQ(g_idle_log, "bb") << "the first window's callback never ran once it was gone";
  ASSERT_EQ(App().idle_callbacks.size(), 1u);
  EXPECT_EQ(App().idle_callbacks[0].window, g_second);
  RunIdleCallbacks();
  EXPECT_TRUE(App().idle_callbacks.empty());
  EXPECT_EQ(g_idle_log, "bb");
}

int g_passes = 0;
platform::HeadlessDisplay* g_display = nullptr;

void CountPass(intptr_t) {
  ++g_passes;
  g_display->AdvanceTime(10);
}

TEST_F(RunLoopTest, WindowIdleEventsStartOnTheThirdPassWithTheTimeSinceIdleBegan) {
  g_passes = 0;
  g_display = &display_;
  HWND window = framework_.Load();
  RegisterIdleCallback(window, CountPass, 0);
  struct Event {
    int passes;
    int32_t milliseconds;
    bool operator==(const Event&) const = default;
  };
  std::vector<Event> events;
  framework_.on_idle = [&](int32_t, int32_t milliseconds) {
    events.push_back({g_passes, milliseconds});
    if (events.size() < 3) return 1;  // asks for more idle time
    PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
  };
  RunMessageLoop();
  // The period starts after the first pass's callbacks moved the clock on.
  const std::vector<Event> expected{{3, 20}, {4, 30}, {5, 40}};
  ASSERT_EQ(events.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(events[i].passes, expected[i].passes) << "event " << i;
    EXPECT_EQ(events[i].milliseconds, expected[i].milliseconds) << "event " << i;
  }
}

class RearmTest : public RunLoopTest {
 protected:
  RearmTest() : RunLoopTest(platform::ClockKind::kReal) {}
};

// Each probe happens in an idle event, together with a timer. If the probe
// starts a new idle period, the next idle event comes before the timer; if
// not, the loop waits and only the timer's message brings idle time back.
TEST_F(RearmTest, RepaintsSystemTimersAndRepeatedMouseMovesDoNotRestartIdleTime) {
  HWND window = framework_.Load();
  auto post = [window](UINT message) { return [=] { PostMessageA(window, message, 0, 0); }; };
  const std::vector<std::pair<std::string, std::function<void()>>> probes = {
      {"WM_USER", post(WM_USER)},
      {"0x118", post(0x118)},
      {"first WM_MOUSEMOVE", post(WM_MOUSEMOVE)},
      {"WM_MOUSEMOVE at the same point", post(WM_MOUSEMOVE)},
      {"WM_NCMOUSEMOVE at that point", post(WM_NCMOUSEMOVE)},
      {"WM_PAINT", [window] { InvalidateRect(window, nullptr, TRUE); }},
  };
  const std::vector<bool> expected{true, false, true, false, true, false};
  constexpr UINT_PTR kTimer = 1;
  bool timer_fired = false;
  size_t next = 0;
  std::vector<bool> restarted;
  framework_.on_message = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (message != WM_TIMER) return false;
    timer_fired = true;
    KillTimer(window, kTimer);
    *result = 0;
    return true;
  };
  framework_.on_idle = [&](int32_t, int32_t) {
    if (next > 0) restarted.push_back(!timer_fired);
    KillTimer(window, kTimer);
    timer_fired = false;
    if (next == probes.size()) {
      PostMessageA(window, WM_CLOSE, 0, 0);
    } else {
      probes[next++].second();
      SetTimer(window, kTimer, 300, nullptr);
    }
    return 0;
  };
  RunMessageLoop();
  ASSERT_EQ(restarted.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(restarted[i], expected[i]) << probes[i].first;
  }
}

struct WindowObject {
  const char* name;
};
WindowObject g_top{"top"}, g_main{"main"}, g_child{"child"};
HWND g_top_window = nullptr;
HWND g_main_window = nullptr;
std::vector<std::string> g_offers;
constexpr UINT kConsumedByMain = WM_USER + 1;
constexpr UINT kNotConsumed = WM_USER + 2;

void* FindObject(HWND window) {
  if (window == g_top_window) return &g_top;
  if (window == g_main_window) return &g_main;
  return nullptr;
}

BOOL OfferToObject(void* object, MSG* msg) {
  auto* target = static_cast<WindowObject*>(object);
  if (msg->message == kConsumedByMain || msg->message == kNotConsumed) {
    g_offers.push_back(std::string(target->name) + ":" + std::to_string(msg->message - WM_USER));
  }
  return target == &g_main && msg->message == kConsumedByMain;
}

TEST_F(RunLoopTest, MessagesAreOfferedToWindowObjectsUpToTheMainWindowBeforeDispatch) {
  g_offers.clear();
  g_top_window = framework_.Load();
  g_main_window = framework_.Load(g_top_window);
  HWND child = framework_.Load(g_main_window);
  App().main_window = g_main_window;
  Hooks().find_window_object = FindObject;
  Hooks().pre_translate = OfferToObject;
  std::vector<UINT> dispatched;
  framework_.on_message = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (hwnd == child && message == kQueryWindowObject) {
      *result = reinterpret_cast<LRESULT>(&g_child);
      return true;
    }
    if (hwnd == child && message >= WM_USER) dispatched.push_back(message);
    return false;
  };
  PostMessageA(child, kConsumedByMain, 0, 0);
  PostMessageA(child, kNotConsumed, 0, 0);
  PostMessageA(g_top_window, WM_CLOSE, 0, 0);
  RunMessageLoop();
  EXPECT_EQ(g_offers, (std::vector<std::string>{"child:1", "main:1", "child:2", "main:2"}))
      << "the window above the main window is not asked";
  EXPECT_EQ(dispatched, (std::vector<UINT>{kNotConsumed}))
      << "a consumed message is not dispatched";
}

TEST_F(RunLoopTest, ModalLoopEndsWhenItsFlagClearsAndPassesAQuitOn) {
  HWND window = framework_.Load();
  constexpr UINT kEndModal = WM_USER + 3;
  constexpr UINT kQuitInModal = WM_USER + 4;
  bool running = false;
  std::vector<std::string> log;
  framework_.on_message = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message == kEndModal) running = false;
    if (message == kQuitInModal) PostQuitMessage(9);
    return false;
  };
  static bool* flag_for_idle = nullptr;
  bool inside = false;
  framework_.on_idle = [&](int32_t, int32_t) {
    // The modal loops below have idle time of their own.
    if (std::exchange(inside, true)) return 0;
    // Ended by an idle pass: a callback clears the flag.
    running = true;
    flag_for_idle = &running;
    RegisterIdleCallback(
        window, [](intptr_t) { *flag_for_idle = false; }, 0);
    RunModalLoop(running);
    RemoveIdleCallback(window);
    log.push_back("ended by idle");
    // Ended by a message.
    running = true;
    PostMessageA(window, kEndModal, 0, 0);
    RunModalLoop(running);
    log.push_back("ended by message");
    // A quit ends it and is posted again for the outer loop.
    running = true;
    PostMessageA(window, kQuitInModal, 0, 0);
    RunModalLoop(running);
    log.push_back(running ? "ended by quit" : "flag cleared");
    inside = false;
    return 0;
  };
  RunMessageLoop();
  EXPECT_EQ(log, (std::vector<std::string>{"ended by idle", "ended by message", "ended by quit"}));
  EXPECT_EQ(App().quit_code, 9) << "the outer loop ended on the quit passed on";
  EXPECT_TRUE(IsWindow(window));
}

}  // namespace
}  // namespace runtime
