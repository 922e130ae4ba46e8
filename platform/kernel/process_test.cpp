#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32.h"
#include "tests/support/temp_dir.h"

namespace {

// The death test's child is a fresh run of this program, so both sides name
// the log by the parent's process id rather than by a random folder.
std::string LogPathFor(pid_t parent) {
  return testing::TempDir() + "mienzo-exit-process-" + std::to_string(parent) + ".log";
}

FILE* g_log = nullptr;

void NoteExitHandler() {
  std::fputs(" exit handler ran", g_log);
  std::fflush(g_log);
}

TEST(ExitProcessDeathTest, FlushesBufferedOutputAndSkipsExitHandlers) {
  const std::string log = LogPathFor(::getpid());
  EXPECT_EXIT(
      {
        g_log = std::fopen(LogPathFor(::getppid()).c_str(), "w");
        std::setvbuf(g_log, nullptr, _IOFBF, 4096);
        std::fputs("buffered", g_log);
        std::atexit(NoteExitHandler);
        ExitProcess(42);
      },
      testing::ExitedWithCode(42), "");
  EXPECT_EQ(testing_support::FileContents(log), "buffered")
      << "expected the buffered text, flushed, and no exit handler";
  std::remove(log.c_str());
}

}  // namespace
