#include "runtime/core/app_state.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>

namespace runtime {
namespace {

TEST(ProgramPath, SplitsAtTheLastSeparator) {
  ProgramPath p = SplitProgramPath("/opt/mienzo/bin/mienzo");
  EXPECT_EQ(p.directory, "/opt/mienzo/bin");
  EXPECT_EQ(p.file_name, "mienzo");
  p = SplitProgramPath("C:\\Tools\\Editor\\app.exe");
  EXPECT_EQ(p.directory, "C:\\Tools\\Editor");
  EXPECT_EQ(p.file_name, "app.exe");
}

TEST(ProgramPath, RootAndBareNamesHaveAnEmptyDirectory) {
  ProgramPath root = SplitProgramPath("/mienzo");
  EXPECT_EQ(root.directory, "");
  EXPECT_EQ(root.file_name, "mienzo");
  ProgramPath bare = SplitProgramPath("mienzo");
  EXPECT_EQ(bare.directory, "");
  EXPECT_EQ(bare.file_name, "mienzo");
  EXPECT_EQ(SplitProgramPath("C:\\app.exe").directory, "C:");
}

TEST(ProgramPath, TrailByteThatLooksLikeABackslashIsNoSeparator) {
  // 0x95 0x5C is one GBK character whose second byte is '\'.
  ProgramPath p = SplitProgramPath(
      "/data/\x95\x5C"
      "app");
  EXPECT_EQ(p.directory, "/data");
  EXPECT_EQ(p.file_name,
            "\x95\x5C"
            "app");
}

TEST(ProgramPath, RecordedFromTheRunningProgram) {
  char self[PATH_MAX] = {};
  ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
  AppState state;
  RecordProgramPath(state);
  EXPECT_EQ(state.run_directory + "/" + state.program_file_name, self);
}

}  // namespace
}  // namespace runtime
