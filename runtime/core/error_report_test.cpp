#include "runtime/core/error_report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/base/gbk.h"
#include "platform/dialogs/answers.h"
#include "platform/dialogs/message_box_icons.h"
#include "platform/display/headless.h"
#include "platform/win32.h"
#include "runtime/core/app_state.h"
#include "runtime/core/messages.h"

namespace runtime {
namespace {

using platform::gbk::Gbk;

TEST(ErrorMessage, CodeAndTextLinesAppearOnlyWhenGiven) {
  EXPECT_EQ(BuildErrorMessage("", 0), Gbk("运行时出错!\r\n\r\n"));
  EXPECT_EQ(BuildErrorMessage(nullptr, 0), Gbk("运行时出错!\r\n\r\n"));
  EXPECT_EQ(BuildErrorMessage(nullptr, 7), Gbk("运行时出错!\r\n\r\n错误代码：7\r\n\r\n"));
  EXPECT_EQ(BuildErrorMessage(Gbk("坏").c_str(), -3),
            Gbk("运行时出错!\r\n\r\n错误代码：-3\r\n\r\n错误信息：坏\r\n"));
}

TEST(ErrorMessage, OverlongTextIsCutNotOverrun) {
  std::string text(5000, 'x');
  char small[64];
  size_t length = FormatErrorMessage(text.c_str(), 1, small, sizeof small);
  EXPECT_EQ(length, sizeof small - 1);
  EXPECT_EQ(small[sizeof small - 1], '\0');
}

// What the report's box is, looked at while it is up.
struct ErrorBoxSeen {
  std::string title;
  std::string text;
  std::vector<int> buttons;
  HICON icon = nullptr;
  HWND owner = nullptr;
  bool other_window_enabled = false;
};

std::string TextOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

TEST(ErrorBox, IsAnOwnerlessStopBoxWithOneOkButtonThatLeavesOtherWindowsAlone) {
  platform::HeadlessDisplay display;
  HWND window = CreateWindowExA(0, "Static", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
  ErrorBoxSeen seen;
  platform::dialogs::SetModalShownHook([&](HWND box) {
    seen.title = TextOf(box);
    seen.text = TextOf(GetDlgItem(box, 0xFFFF));
    for (int id = IDOK; id <= IDCONTINUE; ++id) {
      if (GetDlgItem(box, id) != nullptr) seen.buttons.push_back(id);
    }
    seen.icon = reinterpret_cast<HICON>(SendMessageA(GetDlgItem(box, 0x14), STM_GETICON, 0, 0));
    seen.owner = GetWindow(box, GW_OWNER);
    seen.other_window_enabled = IsWindowEnabled(window) != FALSE;
  });
  const std::string message = BuildErrorMessage(Gbk("坏").c_str(), 5);
  testing::internal::CaptureStderr();
  ShowErrorBox(message.c_str(), messages::ErrorCaption());
  const std::string log = testing::internal::GetCapturedStderr();
  platform::dialogs::SetModalShownHook({});
  DestroyWindow(window);

  EXPECT_EQ(seen.text, message) << "the box shows the report's line breaks as they are";
  EXPECT_EQ(seen.title, Gbk("错误"));
  EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
  EXPECT_NE(seen.icon, nullptr);
  EXPECT_EQ(seen.icon, platform::dialogs::MessageBoxIcon(MB_ICONERROR));
  EXPECT_EQ(seen.owner, nullptr);
  EXPECT_TRUE(seen.other_window_enabled) << "neither owned nor task-modal";
  EXPECT_EQ(log, "MessageBox: 错误: 运行时出错! 错误代码：5 错误信息：坏\n");
}

TEST(ErrorReportDeathTest, ReportStillReachesStderrWhenNoBoxCouldAnswer) {
  EXPECT_EXIT(
      {
        platform::dialogs::SetModalShownHook([](HWND box) { DestroyWindow(box); });
        ReportErrorByCode(5);
      },
      testing::ExitedWithCode(255),
      "^错误: 运行时出错! 错误代码：5 错误信息：数据或数组类型不匹配\n$");
}

// With nobody at the screen the box logs its caption and text on one line,
// each run of line breaks as one space, and answers itself.
TEST(ErrorReportDeathTest, ReportByCodeShowsTheTableText) {
  EXPECT_EXIT(ReportErrorByCode(5), testing::ExitedWithCode(255),
              "^MessageBox: 错误: 运行时出错! 错误代码：5 错误信息：数据或数组类型不匹配\n$");
  EXPECT_EXIT(
      ReportErrorByCode(11), testing::ExitedWithCode(255),
      "^MessageBox: 错误: 运行时出错! 错误代码：11 错误信息：所提供参数的数据类型不符合要求\n$");
}

TEST(ErrorReportDeathTest, CodeOutsideTheTableShowsTheCodeAlone) {
  EXPECT_EXIT(ReportErrorByCode(12), testing::ExitedWithCode(255),
              "^MessageBox: 错误: 运行时出错! 错误代码：12\n$");
}

int32_t SuppressingHook(int32_t code, const char*) {
  std::fprintf(stderr, "hook saw %d with suppression %d\n", code, App().event_suppression);
  return 1;
}

TEST(ErrorReportDeathTest, HookSuppressesTheMessageButTheProgramStillEnds) {
  EXPECT_EXIT(
      {
        App().error_hook = SuppressingHook;
        ReportRuntimeError("x", 3);
      },
      testing::ExitedWithCode(255), "^hook saw 3 with suppression 1\n$");
}

int32_t ReportingHook(int32_t, const char*) { ReportRuntimeError("nested", 0); }

TEST(ErrorReportDeathTest, ReportFromInsideTheHookGoesStraightToTheMessage) {
  EXPECT_EXIT(
      {
        App().error_hook = ReportingHook;
        ReportRuntimeError("outer", 0);
      },
      testing::ExitedWithCode(255), "^MessageBox: 错误: 运行时出错! 错误信息：nested\n$");
}

void ExitRoutineThatMustNotRun() { std::fputs("exit routine ran", stderr); }

TEST(ErrorReportDeathTest, ExitRoutinesDoNotRunAfterAnError) {
  EXPECT_EXIT(
      {
        App().exit_routines.push_back(ExitRoutineThatMustNotRun);
        ReportRuntimeError(nullptr, 0);
      },
      testing::ExitedWithCode(255), "^MessageBox: 错误: 运行时出错!\n$");
}

}  // namespace
}  // namespace runtime
