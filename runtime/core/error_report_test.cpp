#include "runtime/core/error_report.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/base/gbk.h"
#include "runtime/core/app_state.h"

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

TEST(ErrorReportDeathTest, ReportByCodeShowsTheTableText) {
  EXPECT_EXIT(ReportErrorByCode(5), testing::ExitedWithCode(255),
              "错误代码：5\r\n\r\n错误信息：数据或数组类型不匹配");
  EXPECT_EXIT(ReportErrorByCode(11), testing::ExitedWithCode(255),
              "所提供参数的数据类型不符合要求");
}

TEST(ErrorReportDeathTest, CodeOutsideTheTableShowsTheCodeAlone) {
  EXPECT_EXIT(ReportErrorByCode(12), testing::ExitedWithCode(255), "错误代码：12\r\n\r\n$");
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
      testing::ExitedWithCode(255), "错误信息：nested");
}

void ExitRoutineThatMustNotRun() { std::fputs("exit routine ran", stderr); }

TEST(ErrorReportDeathTest, ExitRoutinesDoNotRunAfterAnError) {
  EXPECT_EXIT(
      {
        App().exit_routines.push_back(ExitRoutineThatMustNotRun);
        ReportRuntimeError(nullptr, 0);
      },
      testing::ExitedWithCode(255), "^运行时出错!\r\n\r\n$");
}

}  // namespace
}  // namespace runtime
