// The demo played by the real program: a copy of the program's directory in
// a temporary folder, the program started there on the headless display,
// and the files it leaves checked.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/editor_e2e_support.h"

namespace {

namespace fs = std::filesystem;

using app::e2e::Le32;
using app::e2e::ReadAll;

class DemoRunTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() / ("mienzo-demo-" + std::to_string(::getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::copy_file(MIENZO_PROGRAM, folder_ / "mienzo");
    fs::copy_file(MIENZO_APP_DIR "/demo.mienzo", folder_ / "demo.mienzo");
    fs::copy_file(MIENZO_APP_DIR "/assets/harbour.jpg", folder_ / "harbour.jpg");
  }
  void TearDown() override {
    if (!HasFailure()) fs::remove_all(folder_);
  }

  // Runs the program with its output in files of the folder; the exit code.
  int Run() {
    const std::string command = "cd '" + folder_.string() +
                                "' && MIENZO_DISPLAY=headless ./mienzo >stdout.txt 2>stderr.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path folder_;
};

TEST_F(DemoRunTest, PlaysTheDemoAndLeavesTheScreenshotAndBothSavedFiles) {
  ASSERT_EQ(Run(), 0) << ReadAll(folder_ / "stderr.txt");
  const std::string out = ReadAll(folder_ / "stdout.txt");
  const std::string err = ReadAll(folder_ / "stderr.txt");

  // The panel, as the BMP file image the panel's picture makes: 24 bits, the
  // panel's client size (852 x 630 outside, less its sunken edge).
  const std::string bmp = ReadAll(folder_ / "demo-panel.bmp");
  ASSERT_GE(bmp.size(), 54u) << "no panel file; stdout:\n" << out << "\nstderr:\n" << err;
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(Le32(bmp, 2), bmp.size());
  const uint32_t width = Le32(bmp, 18);
  const uint32_t height = Le32(bmp, 22);
  EXPECT_TRUE(width >= 848 && width <= 852) << width;
  EXPECT_TRUE(height >= 626 && height <= 630) << height;
  EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24);
  const uint32_t row = (width * 3 + 3) / 4 * 4;
  EXPECT_EQ(bmp.size(), Le32(bmp, 10) + row * height);

  // The picture box's stored picture, byte for byte.
  EXPECT_EQ(ReadAll(folder_ / "demo-harbour.jpg"), ReadAll(MIENZO_APP_DIR "/assets/harbour.jpg"));

  for (const char* shot : {"demo-screenshot.png", "demo-after-saving.png"}) {
    EXPECT_EQ(ReadAll(folder_ / shot).substr(0, 8), "\x89PNG\r\n\x1a\n") << shot;
    EXPECT_NE(out.find("screenshot: " + (folder_ / shot).string()), std::string::npos) << out;
  }
  EXPECT_NE(out.find("saved: " + (folder_ / "demo-panel.bmp").string()), std::string::npos) << out;
  EXPECT_NE(out.find("saved: " + (folder_ / "demo-harbour.jpg").string()), std::string::npos)
      << out;
  // Each save says so, and the message box answers itself.
  EXPECT_NE(err.find("保存成功！"), std::string::npos) << err;
  if (const char* keep = std::getenv("MIENZO_SCREENSHOT_DIR"); keep != nullptr && *keep != '\0') {
    fs::copy_file(folder_ / "demo-screenshot.png", fs::path(keep) / "editor-after-demo.png",
                  fs::copy_options::overwrite_existing);
  }
}

TEST_F(DemoRunTest, ABadScriptIsReportedAndNothingRuns) {
  std::ofstream(folder_ / "demo.mienzo") << "click 1 2\nfly away\n";
  EXPECT_EQ(Run(), 1);
  EXPECT_NE(ReadAll(folder_ / "stderr.txt").find("line 2: unknown command \"fly\""),
            std::string::npos);
}

}  // namespace
