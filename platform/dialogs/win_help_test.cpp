// WinHelpA: what each command does, when a help file reaches the viewer and
// why not, with the desktop stood in for; then the real pieces (the desktop
// check on the headless display, the PATH search, the detached start) with
// a stand-in viewer script, never a real viewer.
#include "platform/dialogs/win_help.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/base/gbk.h"
#include "platform/display/headless.h"
#include "platform/win32.h"
#include "tests/support/temp_dir.h"

namespace platform::dialogs {
namespace {

using testing_support::FileContents;
using testing_support::TempDir;

struct Launch {
  std::string viewer;
  std::string file;
};

// What the stand-in desktop says and saw.
struct FakeDesktop {
  bool desktop = true;
  std::string viewer = "/usr/bin/xdg-open";
  DWORD launch_error = 0;
  std::vector<Launch> launches;
};
FakeDesktop* fake = nullptr;

HelpDesktop Fake() {
  return HelpDesktop{[] { return fake->desktop; }, [] { return fake->viewer; },
                     [](const std::string& viewer, const std::string& file) {
                       fake->launches.push_back({viewer, file});
                       return fake->launch_error;
                     }};
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class WinHelp : public ::testing::Test {
 protected:
  void SetUp() override {
    fake = &desktop_;
    previous_ = SetHelpDesktop(Fake());
    help_ = temp_.PathOf("app.hlp");
    WriteFile(help_, "help");
  }
  void TearDown() override {
    SetHelpDesktop(previous_);
    fake = nullptr;
  }

  // FALSE and the last error, or TRUE and 0.
  std::pair<BOOL, DWORD> Call(LPCSTR file, UINT command, ULONG_PTR data = 0) {
    SetLastError(0);
    const BOOL ok = WinHelpA(nullptr, file, command, data);
    return {ok, ok ? 0 : GetLastError()};
  }

  FakeDesktop desktop_;
  HelpDesktop previous_{};
  TempDir temp_;
  std::string help_;
};

TEST_F(WinHelp, CommandsThatShowTheFileHandItToTheViewer) {
  for (UINT command : {HELP_CONTENTS, HELP_INDEX, HELP_FINDER, HELP_CONTEXT, HELP_CONTEXTPOPUP,
                       HELP_KEY, HELP_PARTIALKEY, HELP_FORCEFILE}) {
    desktop_.launches.clear();
    EXPECT_EQ(Call(help_.c_str(), command, 42), std::make_pair(TRUE, DWORD{0})) << command;
    ASSERT_EQ(desktop_.launches.size(), 1u) << command;
    EXPECT_EQ(desktop_.launches[0].viewer, "/usr/bin/xdg-open");
    EXPECT_EQ(desktop_.launches[0].file, std::filesystem::canonical(help_).string());
  }
}

TEST_F(WinHelp, CommandsThatNeedNoFileNeverStartTheViewer) {
  EXPECT_EQ(Call(nullptr, HELP_QUIT), std::make_pair(TRUE, DWORD{0}));
  EXPECT_EQ(Call(help_.c_str(), HELP_QUIT), std::make_pair(TRUE, DWORD{0}));
  EXPECT_EQ(Call(help_.c_str(), HELP_SETCONTENTS, 3), std::make_pair(TRUE, DWORD{0}));
  EXPECT_EQ(Call(help_.c_str(), HELP_HELPONHELP),
            std::make_pair(FALSE, DWORD{ERROR_FILE_NOT_FOUND}));
  EXPECT_EQ(Call(help_.c_str(), HELP_COMMAND), std::make_pair(FALSE, DWORD{ERROR_NOT_SUPPORTED}));
  EXPECT_EQ(Call(help_.c_str(), 0x7777), std::make_pair(FALSE, DWORD{ERROR_INVALID_PARAMETER}));
  EXPECT_TRUE(desktop_.launches.empty());
}

TEST_F(WinHelp, EachMissingPieceHasItsOwnError) {
  EXPECT_EQ(Call(nullptr, HELP_CONTENTS), std::make_pair(FALSE, DWORD{ERROR_INVALID_PARAMETER}));
  EXPECT_EQ(Call("", HELP_CONTENTS), std::make_pair(FALSE, DWORD{ERROR_INVALID_PARAMETER}));
  EXPECT_EQ(Call(temp_.PathOf("none.hlp").c_str(), HELP_CONTENTS),
            std::make_pair(FALSE, DWORD{ERROR_FILE_NOT_FOUND}));
  EXPECT_EQ(Call(temp_.PathOf("no/such/folder/a.hlp").c_str(), HELP_CONTENTS),
            std::make_pair(FALSE, DWORD{ERROR_PATH_NOT_FOUND}));
  EXPECT_EQ(Call(temp_.path().string().c_str(), HELP_CONTENTS),
            std::make_pair(FALSE, DWORD{ERROR_FILE_NOT_FOUND}))
      << "a folder is no help file";
  desktop_.viewer.clear();
  EXPECT_EQ(Call(help_.c_str(), HELP_FINDER), std::make_pair(FALSE, DWORD{ERROR_NO_ASSOCIATION}));
  desktop_.desktop = false;
  EXPECT_EQ(Call(help_.c_str(), HELP_FINDER), std::make_pair(FALSE, DWORD{ERROR_NOT_SUPPORTED}));
  EXPECT_TRUE(desktop_.launches.empty());
  desktop_ = FakeDesktop{};
  desktop_.launch_error = ERROR_ACCESS_DENIED;
  EXPECT_EQ(Call(help_.c_str(), HELP_FINDER), std::make_pair(FALSE, DWORD{ERROR_ACCESS_DENIED}))
      << "a viewer that cannot start says why";
  HWND dead = reinterpret_cast<HWND>(0x7FF0);
  SetLastError(0);
  EXPECT_FALSE(WinHelpA(dead, help_.c_str(), HELP_FINDER, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(WinHelp, WindowSuffixesAndWindowsPathsNameTheFile) {
  const std::string chinese = temp_.PathOf(gbk::ToUtf8(gbk::Gbk("帮助.hlp")));
  WriteFile(chinese, "help");
  std::string windows_style = gbk::FromUtf8(temp_.path().string()) + "\\" + gbk::Gbk("帮助.hlp");
  EXPECT_EQ(Call((windows_style + ">main").c_str(), HELP_CONTEXT, 7),
            std::make_pair(TRUE, DWORD{0}));
  ASSERT_EQ(desktop_.launches.size(), 1u);
  EXPECT_EQ(desktop_.launches[0].file, std::filesystem::canonical(chinese).string())
      << "UTF-8 and absolute for the viewer";
}

// ---------------------------------------------------------------------------
// The real pieces
// ---------------------------------------------------------------------------

TEST(WinHelpDesktop, TheHeadlessDisplayIsNoDesktop) {
  HeadlessDisplay display;
  EXPECT_FALSE(RealHelpDesktop().has_desktop());
  TempDir temp;
  const std::string help = temp.PathOf("app.hlp");
  WriteFile(help, "help");
  SetLastError(0);
  EXPECT_FALSE(WinHelpA(nullptr, help.c_str(), HELP_CONTENTS, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

void MakeScript(const std::string& path, const std::string& body, mode_t mode) {
  WriteFile(path, "#!/bin/sh\n" + body);
  chmod(path.c_str(), mode);
}

TEST(WinHelpDesktop, FindOnPathTakesTheFirstExecutableOfTheName) {
  TempDir temp;
  std::filesystem::create_directories(temp.PathOf("a"));
  std::filesystem::create_directories(temp.PathOf("b"));
  std::filesystem::create_directories(temp.PathOf("c/xdg-open"));  // a folder of that name
  MakeScript(temp.PathOf("a/xdg-open"), "", 0644);                 // not executable
  MakeScript(temp.PathOf("b/xdg-open"), "", 0755);
  const std::string path_list = temp.PathOf("c") + ":" + temp.PathOf("a") + "::" + temp.PathOf("b");
  EXPECT_EQ(FindOnPath("xdg-open", path_list), temp.PathOf("b/xdg-open"));
  EXPECT_EQ(FindOnPath("xdg-open", temp.PathOf("a")), "");
  EXPECT_EQ(FindOnPath("xdg-open", ""), "");
  EXPECT_EQ(FindOnPath("b/xdg-open", temp.path().string()), "") << "names only";
}

// A stand-in viewer writes its argument into a pipe and leaves. The launch
// returns without waiting for it, so the test waits (with a deadline) for
// what comes down the pipe.
std::string ReadUntilWriterLeaves(int fd, int deadline_ms) {
  std::string text;
  pollfd wait{fd, POLLIN, 0};
  while (poll(&wait, 1, deadline_ms) > 0) {
    char buffer[256];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0) text.append(buffer, static_cast<size_t>(got));
    if (got == 0 && (wait.revents & POLLHUP)) break;  // the writer has gone
  }
  return text;
}

TEST(WinHelpDesktop, LaunchDetachedStartsTheProgramWithTheFile) {
  TempDir temp;
  const std::string viewer = temp.PathOf("viewer");
  const std::string fifo = temp.PathOf("seen");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  MakeScript(viewer, "printf '%s' \"$1\" > '" + fifo + "'\n", 0755);
  // Open before the viewer starts, so that its write finds a reader.
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  ASSERT_EQ(LaunchDetached(viewer, "/tmp/some file.hlp"), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(ReadUntilWriterLeaves(reader, 10000), "/tmp/some file.hlp");
  close(reader);
}

TEST(WinHelpDesktop, LaunchDetachedReportsWhyAProgramCannotStart) {
  TempDir temp;
  EXPECT_EQ(LaunchDetached(temp.PathOf("missing"), "x"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  const std::string not_executable = temp.PathOf("plain");
  MakeScript(not_executable, "", 0644);
  EXPECT_EQ(LaunchDetached(not_executable, "x"), static_cast<DWORD>(ERROR_ACCESS_DENIED))
      << "no execute bit at all stops even root";
}

}  // namespace
}  // namespace platform::dialogs
