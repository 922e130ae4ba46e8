// The editor's main flow on a real X server (Xvfb, started by CTest through
// xvfb-run) with the SDL display and real X input from xdotool: the built
// program runs as a child process from a copy of its directory, a picture is
// opened through the real file dialog, a stroke is painted, a line of text is
// added, both save buttons write their files (their message boxes closed with
// Enter), and Esc ends the program with exit code 0. What the editor did is
// read back from the files it saved.
//
// Where to click comes from the real main window loaded in this process on
// the headless display, so the test follows the form. Every wait has a
// deadline of seconds; without an X server or xdotool the test is skipped,
// saying why.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/editor_e2e_support.h"
#include "app/main_window_units.h"
#include "platform/win32.h"
#include "runtime/core/app_state.h"
#include "tests/e2e/x11_environment.h"

namespace app::e2e {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr auto kPatience = std::chrono::seconds(20);

// Pixels of `colour` in [x0, x1) x [y0, y1) of a saved BMP file image.
int CountInBmp(const std::string& bmp, int x0, int y0, int x1, int y1, uint32_t colour) {
  int count = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) count += BmpPixel(bmp, x, y) == colour;
  }
  return count;
}

// Runs a shell command and answers its standard output.
std::string Output(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
  pclose(pipe);
  return out;
}

bool WaitFor(const std::function<bool()>& done) {
  const auto deadline = Clock::now() + kPatience;
  while (!done()) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

// The layout comes from the main window the base fixture loads in this
// process on the headless display; the program runs from its run directory.
class EditorUnderX : public EditorTest {
 protected:
  void SetUp() override {
    std::string why;
    xdotool_ = ::e2e::XdotoolOrSkip(&why);
    if (xdotool_.empty()) GTEST_SKIP() << why;
    EditorTest::SetUp();
    fs::copy_file(MIENZO_PROGRAM, run_directory_ / "mienzo");
    // X and D-Bus client libraries keep buffers for the life of the process.
    std::ofstream(run_directory_ / "lsan.supp") << "leak:libdbus-1.so\nleak:libX11.so\n";
  }

  void TearDown() override {
    if (child_ > 0) {
      kill(child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
    if (HasFailure()) {
      std::printf("program's stderr:\n%s\n", ReadAll(run_directory_ / "stderr.txt").c_str());
    }
    EditorTest::TearDown();
  }

  // A point of the main window in its own window coordinates: the SDL
  // window shows the whole window rectangle, frame and caption included.
  static POINT InWindow(HWND hwnd, int x, int y) {
    RECT frame{};
    GetWindowRect(runtime::App().main_window, &frame);
    const POINT at = OnScreen(hwnd, x, y);
    return {at.x - frame.left, at.y - frame.top};
  }
  static POINT UnitCentre(uint32_t unit_id) {
    const SIZE size = ClientSize(Unit(unit_id));
    return InWindow(Unit(unit_id), size.cx / 2, size.cy / 2);
  }

  void Start() {
    child_ = fork();
    ASSERT_GE(child_, 0);
    if (child_ == 0) {
      std::freopen((run_directory_ / "stderr.txt").c_str(), "w", stderr);
      setenv("SDL_VIDEODRIVER", "x11", 1);
      setenv("SDL_AUDIODRIVER", "dummy", 1);
      setenv("LSAN_OPTIONS", ("suppressions=" + (run_directory_ / "lsan.supp").string()).c_str(),
             1);
      const std::string program = (run_directory_ / "mienzo").string();
      execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
  }

  // The child's visible top-level windows, as X window ids.
  std::vector<std::string> Windows() const {
    std::istringstream lines(Output(xdotool_ + " search --onlyvisible --pid " +
                                    std::to_string(child_) + " 2>/dev/null"));
    std::vector<std::string> ids;
    for (std::string id; std::getline(lines, id);) {
      if (!id.empty()) ids.push_back(id);
    }
    return ids;
  }
  // A visible window of the child other than the main window: a dialog or
  // message box.
  std::string WaitForDialog() const {
    std::string dialog;
    WaitFor([&] {
      for (const std::string& id : Windows()) {
        if (id != main_) dialog = id;
      }
      return !dialog.empty();
    });
    return dialog;
  }
  bool WaitForDialogGone() const {
    return WaitFor([&] { return Windows().size() == 1; });
  }

  void Drive(const std::string& arguments) {
    const std::string command = xdotool_ + " " + arguments;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  std::string MoveTo(POINT at) const {
    return "mousemove --sync --window " + main_ + " " + std::to_string(at.x) + " " +
           std::to_string(at.y) + " ";
  }
  std::string MoveToPanel(int x, int y) const { return MoveTo(InWindow(Panel(), x, y)); }
  void ClickUnit(uint32_t unit_id) { Drive(MoveTo(UnitCentre(unit_id)) + "click 1"); }
  // Keys go to the window under the pointer (no window manager: the focus
  // follows the pointer), then to the focused control inside it.
  void TypeInto(uint32_t unit_id, const std::string& text) {
    ClickUnit(unit_id);
    Drive("key ctrl+a type --delay 15 '" + text + "'");
  }
  // Clicks a save button and closes the message box that should follow.
  void SaveAndConfirm(uint32_t button, const fs::path& file) {
    ClickUnit(button);
    const std::string box = WaitForDialog();
    ASSERT_FALSE(box.empty()) << "no message box after the save";
    EXPECT_TRUE(fs::exists(file)) << file;
    Drive("mousemove --sync --window " + box + " 5 5 key Return");
    ASSERT_TRUE(WaitForDialogGone()) << "the message box stayed";
  }

  std::string xdotool_;
  pid_t child_ = -1;
  std::string main_;
};

TEST_F(EditorUnderX, OpenPaintWriteSaveBothAndEscape) {
  Start();
  main_ = Output("timeout 20 " + xdotool_ + " search --sync --onlyvisible --name '^Mienzo$'");
  main_ = main_.substr(0, main_.find('\n'));
  ASSERT_FALSE(main_.empty()) << "the main window never appeared";

  // 打开图片 through the real dialog: its file name box has the focus.
  ClickUnit(kOpenButton);
  const std::string dialog = WaitForDialog();
  ASSERT_FALSE(dialog.empty()) << "no open dialog";
  Drive("mousemove --sync --window " + dialog + " 5 5 type --delay 15 '" +
        (run_directory_ / "harbour.jpg").string() + "'");
  Drive("key Return");
  ASSERT_TRUE(WaitForDialogGone()) << "the open dialog stayed";

  // A stroke with the button held, then a line of text at the text position.
  Drive(MoveToPanel(200, 300) + "mousedown 1 " + MoveToPanel(230, 310) + "sleep 0.1 " +
        MoveToPanel(260, 320) + "sleep 0.1 mouseup 1");
  TypeInto(app::kTextEdit, "Xvfb");
  ClickUnit(kAddTextButton);

  TypeInto(app::kNameEdit, "x11-panel");
  TypeInto(app::kExtensionCombo, ".bmp");
  SaveAndConfirm(kSaveFileButton, run_directory_ / "x11-panel.bmp");
  TypeInto(app::kNameEdit, "x11-harbour");
  TypeInto(app::kExtensionCombo, ".jpg");
  SaveAndConfirm(kSavePicBoxButton, run_directory_ / "x11-harbour.jpg");

  Drive(MoveTo(InWindow(runtime::App().main_window, 858, 300)) + "key Escape");
  int status = -1;
  ASSERT_TRUE(WaitFor([&] { return waitpid(child_, &status, WNOHANG) == child_; }))
      << "Esc did not end the program";
  child_ = -1;
  ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);

  const std::string panel = ReadAll(run_directory_ / "x11-panel.bmp");
  ASSERT_GE(panel.size(), 54u) << "the panel was not saved";
  EXPECT_EQ(panel.substr(0, 2), "BM");
  EXPECT_EQ(Le32(panel, 18), 848u);
  EXPECT_EQ(Le32(panel, 22), 626u);
  EXPECT_LT(CountInBmp(panel, 0, 0, 848, 626, ButtonFace()), 848 * 626 / 20)
      << "the opened picture covers the panel";
  // Moves that wait together merge into the newest, so only the stroke's
  // last point is sure to have its dot; the press paints none.
  EXPECT_GE(CountInBmp(panel, 257, 317, 264, 324, kInk), 6) << "the dot at the stroke's end";
  EXPECT_EQ(CountInBmp(panel, 197, 297, 204, 304, kInk), 0) << "the press alone paints nothing";
  EXPECT_GE(CountInBmp(panel, 0, 0, 60, 20, kInk), 15) << "the added text at the panel's top-left";
  EXPECT_TRUE(ReadAll(run_directory_ / "x11-harbour.jpg") ==
              ReadAll(run_directory_ / "harbour.jpg"))
      << "the picture box's JPEG bytes";
}

}  // namespace
}  // namespace app::e2e
