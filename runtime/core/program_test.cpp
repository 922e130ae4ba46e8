// Whole programs of the tests' own, each run in a child process: a program
// header, a start routine that reaches the runtime only through the entry
// table, and a plain window as its start window on the headless display.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <utility>

#include "platform/display/headless.h"
#include "platform/user/nonclient.h"
#include "platform/win32.h"
#include "runtime/core/app_state.h"
#include "runtime/core/entry_table.h"
#include "runtime/core/error_report.h"
#include "runtime/core/runtime_library.h"
#include "runtime/core/shutdown.h"
#include "runtime/core/startup.h"
#include "runtime/core/test_support.h"

namespace runtime {
namespace {

using core_testing::TestFramework;

constexpr uint32_t kStartWindow = 0x52010001;

platform::HeadlessDisplay* g_display = nullptr;
// What the program does when its window first goes idle.
void (*g_on_first_idle)(HWND window) = nullptr;

void LogExitRoutine(const char* name) {
  const bool main_thread = GetCurrentThreadId() == App().main_thread_id;
  std::fprintf(stderr, "exit routine %s%s\n", name, main_thread ? "" : " off the main thread");
}
void CleanUp() { LogExitRoutine("CleanUp"); }
void SecondExitRoutine() { LogExitRoutine("Second"); }

int32_t StartRoutine() {
  const RuntimeEntryTable& runtime = EntryTable();
  runtime.call_helper(6);
  runtime.call_helper(3, CleanUp);
  runtime.call_helper(3, SecondExitRoutine);
  runtime.call_helper(3, CleanUp);  // already there: it still runs once
  runtime.load_start_window(kStartWindow);
  runtime.run_message_loop();
  return 0;
}

ProgramHeader Header() {
  static const LibraryDescriptor* const libraries[] = {&RuntimeLibrary()};
  static const char constants[8] = "";
  ProgramHeader header{};
  header.run_mode = 3;
  header.counter_seed = 0x00010053;
  header.constant_data = constants;
  header.constant_size = sizeof constants;
  header.library_count = 1;
  header.libraries = libraries;
  return header;
}

// The handler stand-in: as the event dispatcher does, it finds no handler
// while events are suppressed.
void RaiseWindowEvent(const char* event) {
  if (App().event_suppression == 0) std::fprintf(stderr, "handler: %s\n", event);
}

// Runs the program and ends the process with its exit code.
[[noreturn]] void RunTestProgram(const ProgramHeader& header, bool with_framework = true) {
  platform::HeadlessDisplay display;
  g_display = &display;
  std::optional<TestFramework> framework;
  if (with_framework) {
    framework.emplace();
    framework->on_idle = [&](int32_t position, int32_t) {
      if (auto action = std::exchange(g_on_first_idle, nullptr)) {
        action(framework->windows()[static_cast<size_t>(position)]);
      }
      return 0;
    };
    framework->on_message = [](HWND, UINT message, WPARAM, LPARAM, LRESULT*) {
      if (message == WM_DESTROY) RaiseWindowEvent("window destroyed");
      return false;
    };
  }
  ExitProcess(static_cast<UINT>(RunProgram(header, StartRoutine)));
}

void ClickCloseBox(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
  const RECT box =
      platform::user::CaptionButtonRects(style, ex_style, frame.right - frame.left).close;
  g_display->Click(frame.left + (box.left + box.right) / 2, frame.top + (box.top + box.bottom) / 2);
}

constexpr const char* kNormalEnd =
    "^handler: window destroyed\nexit routine CleanUp\nexit routine Second\n$";

TEST(ProgramDeathTest, ClosingTheLastWindowEndsWithZeroAfterTheExitRoutines) {
  EXPECT_EXIT(
      {
        g_on_first_idle = ClickCloseBox;
        RunTestProgram(Header());
      },
      testing::ExitedWithCode(0), kNormalEnd);
  EXPECT_EXIT(
      {
        g_on_first_idle = [](HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); };
        RunTestProgram(Header());
      },
      testing::ExitedWithCode(0), kNormalEnd);
}

TEST(ProgramDeathTest, EndProgramRunsTheExitRoutinesAndEndsWithItsCode) {
  EXPECT_EXIT(
      {
        g_on_first_idle = [](HWND) { EntryTable().end_program(-1); };
        RunTestProgram(Header());
      },
      testing::ExitedWithCode(255), "^exit routine CleanUp\nexit routine Second\n$")
      << "events are suppressed before the windows go, so no handler runs";
}

TEST(ProgramDeathTest, RunTimeErrorShowsItsTextAndSkipsExitRoutinesAndHandlers) {
  EXPECT_EXIT(
      {
        g_on_first_idle = [](HWND) { EntryTable().report_error_by_code(5); };
        RunTestProgram(Header());
      },
      testing::ExitedWithCode(255),
      "^MessageBox: 错误: 运行时出错! 错误代码：5 错误信息：数据或数组类型不匹配\n$");
}

DWORD EndFromAnotherThread(LPVOID) {
  EntryTable().end_program(7);
  return 0;
}

TEST(ProgramDeathTest, ShutDownAskedForOnAnotherThreadRunsOnTheMainThread) {
  EXPECT_EXIT(
      {
        g_on_first_idle = [](HWND) {
          CloseHandle(CreateThread(nullptr, 0, EndFromAnotherThread, nullptr, 0, nullptr));
        };
        RunTestProgram(Header());
      },
      testing::ExitedWithCode(7), "^exit routine CleanUp\nexit routine Second\n$");
}

TEST(ProgramDeathTest, WithoutTemplatesTheStartWindowCannotLoad) {
  EXPECT_EXIT(RunTestProgram(Header(), false), testing::ExitedWithCode(255),
              "^MessageBox: 错误: 运行时出错! 错误信息：载入启动窗口失败\n$");
}

TEST(ProgramDeathTest, TemplateThatNoReaderTakesIsReportedAtStartUp) {
  static const uint8_t segment[4] = {};
  ProgramHeader header = Header();
  header.template_segment = segment;
  header.template_size = sizeof segment;
  EXPECT_EXIT(RunTestProgram(header), testing::ExitedWithCode(255),
              "^MessageBox: 错误: 运行时出错! 错误信息：载入窗口模板数据段出错!\n$");
}

TEST(ProgramDeathTest, ErrorInAnExitRoutineEndsAtOnceWithMinusOne) {
  EXPECT_EXIT(
      {
        g_on_first_idle = [](HWND) {
          RegisterExitRoutine([] { ReportErrorByCode(1); });
          PostQuitMessage(0);
        };
        RunTestProgram(Header());
      },
      testing::ExitedWithCode(255),
      "^exit routine CleanUp\nexit routine Second\nMessageBox: 错误: 运行时出错! 错误代码：1 "
      "错误信息：数组成员引用下标超出定义范围\n$");
}

}  // namespace
}  // namespace runtime
