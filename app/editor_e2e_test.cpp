// The editor driven end to end on the headless display: the real program
// header, start-up and handlers, the real unit types, and only injected
// mouse and keyboard input and queued dialog answers from outside. What the
// handlers did is read back from the screen or from the files they saved.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/app_routines.h"
#include "app/main_window_units.h"
#include "app/program.h"
#include "platform/dialogs/answers.h"
#include "platform/display/headless.h"
#include "platform/win32.h"
#include "runtime/core/app_state.h"
#include "runtime/core/hooks.h"
#include "runtime/core/run_loop.h"
#include "runtime/core/startup.h"
#include "runtime/core/test_support.h"
#include "runtime/forms/framework.h"
#include "runtime/forms/loaded_window.h"
#include "runtime/forms/registry.h"

namespace {

namespace fs = std::filesystem;
using runtime::App;

constexpr uint32_t kOpenButton = 0x16010008;
constexpr uint32_t kPlaceTextButton = 0x16010017;
constexpr uint32_t kSaveFileButton = 0x16010019;
constexpr uint32_t kClearButton = 0x16010046;
constexpr uint32_t kSavePicBoxButton = 0x16010049;
constexpr uint32_t kInk = 0xFF5080;  // the colour picker's stored colour, 0xRRGGBB

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

uint32_t Le32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

uint32_t ButtonFace() {
  const COLORREF c = GetSysColor(COLOR_BTNFACE);
  return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

class EditorTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    run_directory_ =
        fs::temp_directory_path() / ("mienzo-e2e-" + std::to_string(::getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(run_directory_);
    fs::create_directories(run_directory_);
    fs::copy_file(MIENZO_APP_DIR "/assets/harbour.jpg", run_directory_ / "harbour.jpg");

    // The start routine's steps, short of its message loop: the test pumps.
    runtime::forms::InstallFormsFramework();
    App().header = &app::Program();
    runtime::InitializeRuntime();
    App().run_directory = run_directory_.string();
    runtime::LoadStartWindow(app::kMainWindow);
    ASSERT_NE(App().main_window, nullptr);
    Pump();
  }

  void TearDown() override {
    platform::dialogs::ClearQueuedAnswers();
    runtime::forms::DeleteLoadedWindows();
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    runtime::Hooks() = runtime::FrameworkHooks{};
    runtime::core_testing::ResetApp();
    App().current_event_source = {};
    app::CleanUp();
    app::Globals() = app::AppGlobals{};
    if (!HasFailure()) fs::remove_all(run_directory_);
  }

  // Every queued message, offered first to the window objects as the run
  // loop offers it.
  void Pump() {
    screen_.clear();
    MSG msg{};
    for (int guard = 0; guard < 100000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      bool consumed = false;
      for (HWND at = msg.hwnd; at != nullptr && !consumed; at = GetParent(at)) {
        void* object = runtime::Hooks().find_window_object(at);
        consumed = object != nullptr && runtime::Hooks().pre_translate(object, &msg);
      }
      if (consumed) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  static HWND Unit(uint32_t unit_id) {
    const runtime::forms::LoadedWindow* window = runtime::forms::Registry().Find(app::kMainWindow);
    if (window == nullptr) return nullptr;
    const runtime::forms::UnitObject* unit = window->LiveAt(window->units.IndexOf(unit_id));
    return unit != nullptr ? unit->window : nullptr;
  }
  static HWND Panel() { return Unit(app::kDrawPanel); }

  static POINT OnScreen(HWND hwnd, int x, int y) {
    POINT point{x, y};
    ClientToScreen(hwnd, &point);
    return point;
  }
  static SIZE ClientSize(HWND hwnd) {
    RECT rect{};
    GetClientRect(hwnd, &rect);
    return {rect.right, rect.bottom};
  }

  void MoveTo(HWND hwnd, int x, int y) {
    const POINT at = OnScreen(hwnd, x, y);
    display_.MoveMouse(at.x, at.y);
    Pump();
  }
  void ClickUnit(uint32_t unit_id) {
    HWND unit = Unit(unit_id);
    ASSERT_NE(unit, nullptr);
    const SIZE size = ClientSize(unit);
    const POINT at = OnScreen(unit, size.cx / 2, size.cy / 2);
    display_.Click(at.x, at.y);
    Pump();
  }

  // Screen pixel (0xRRGGBB) at client point (x, y) of the panel.
  uint32_t PanelPixel(int x, int y) const {
    // Composing the screen is slow: once per pump is enough.
    if (screen_.empty()) screen_ = display_.ComposeScreen();
    const POINT at = OnScreen(Panel(), x, y);
    const int width = display_.Screen().width;
    return screen_[static_cast<size_t>(at.y) * width + at.x] & 0xFFFFFF;
  }
  std::vector<uint32_t> PanelPixels() const {
    const SIZE size = ClientSize(Panel());
    std::vector<uint32_t> pixels;
    for (int y = 0; y < size.cy; ++y) {
      for (int x = 0; x < size.cx; ++x) pixels.push_back(PanelPixel(x, y));
    }
    return pixels;
  }
  int CountAround(int x, int y, int radius, uint32_t colour) const {
    int count = 0;
    for (int dy = -radius; dy <= radius; ++dy) {
      for (int dx = -radius; dx <= radius; ++dx) count += PanelPixel(x + dx, y + dy) == colour;
    }
    return count;
  }

  // The file the save buttons write with the stored name and extension: the
  // GBK name reaches the file system as UTF-8.
  fs::path SavedFile() const { return run_directory_ / "Kerlo表情.jpg"; }

  platform::HeadlessDisplay display_;
  fs::path run_directory_;
  mutable std::vector<uint32_t> screen_;
};

TEST_F(EditorTest, DotsOfWidthFourInThePickedColourOnlyWhileTheButtonIsHeld) {
  const uint32_t background = PanelPixel(150, 150);
  EXPECT_EQ(background, ButtonFace());
  MoveTo(Panel(), 100, 100);
  MoveTo(Panel(), 150, 150);
  EXPECT_EQ(CountAround(150, 150, 6, kInk), 0) << "a plain move paints nothing";

  display_.Press();
  Pump();
  MoveTo(Panel(), 200, 120);
  EXPECT_EQ(PanelPixel(200, 120), kInk);
  const int dot = CountAround(200, 120, 6, kInk);
  EXPECT_GE(dot, 9) << "about 4 pixels across";
  EXPECT_LE(dot, 20) << "about 4 pixels across";
  EXPECT_EQ(PanelPixel(200 + 4, 120), background);
  EXPECT_EQ(PanelPixel(200, 120 + 4), background);
  display_.Release();
  Pump();
  MoveTo(Panel(), 300, 300);
  EXPECT_EQ(CountAround(300, 300, 6, kInk), 0) << "released over the panel: no more dots";
}

TEST_F(EditorTest, PaintingGoesOnAfterAReleaseOutsideThePanel) {
  HWND main = App().main_window;
  MoveTo(Panel(), 100, 100);
  display_.Press();
  Pump();
  MoveTo(main, 858, 300);  // the window's own background, right of the panel
  display_.Release();
  Pump();
  EXPECT_EQ(app::Globals().mouse_down, 1);
  MoveTo(Panel(), 400, 400);
  EXPECT_EQ(PanelPixel(400, 400), kInk) << "the flag stayed set: dots without the button";

  MoveTo(Panel(), 420, 420);
  display_.Press();
  display_.Release();
  Pump();
  MoveTo(Panel(), 500, 450);
  EXPECT_EQ(CountAround(500, 450, 6, kInk), 0) << "a release over the panel ends it";
}

TEST_F(EditorTest, PlaceTextWritesTheTopBoxTextAtTheStoredPosition) {
  ClickUnit(kPlaceTextButton);
  int min_x = 10000, min_y = 10000, max_x = -1, max_y = -1;
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 400; ++x) {
      if (PanelPixel(x, y) != kInk) continue;
      min_x = std::min(min_x, x);
      min_y = std::min(min_y, y);
      max_x = std::max(max_x, x);
      max_y = std::max(max_y, y);
    }
  }
  ASSERT_GE(max_x, 0) << "no text in the picked colour";
  EXPECT_GE(min_x, 22);
  EXPECT_LE(min_x, 26);
  EXPECT_GE(min_y, 22);
  EXPECT_LE(min_y, 32);
  EXPECT_GT(max_x - min_x, 100) << "the whole line";
  EXPECT_LT(max_y - min_y, 30) << "one line";
}

TEST_F(EditorTest, OpenPictureStretchesItOverThePanelAndCancelChangesNothing) {
  const std::vector<uint32_t> empty = PanelPixels();
  platform::dialogs::QueueFileDialogCancel();
  ClickUnit(kOpenButton);
  EXPECT_EQ(platform::dialogs::QueuedAnswerCount(), 0u);
  EXPECT_EQ(app::Globals().picture_file_name, nullptr);
  EXPECT_EQ(app::Globals().loaded_picture, 0);
  EXPECT_TRUE(PanelPixels() == empty) << "cancelled: the panel is unchanged";

  platform::dialogs::QueueFileDialogAnswer((run_directory_ / "harbour.jpg").string());
  ClickUnit(kOpenButton);
  EXPECT_NE(app::Globals().loaded_picture, 0);
  const SIZE size = ClientSize(Panel());
  // Sample a grid over the whole client area, corners included.
  int covered = 0, samples = 0;
  for (int y = 0; y < size.cy; y += 25) {
    for (int x = 0; x < size.cx; x += 25) {
      ++samples;
      covered += PanelPixel(x, y) != ButtonFace();
    }
  }
  EXPECT_GT(covered, samples * 95 / 100) << covered << " of " << samples;
  EXPECT_NE(PanelPixel(size.cx - 1, size.cy - 1), ButtonFace()) << "reaches the far corner";
}

TEST_F(EditorTest, SaveFileWritesBmpBytesUnderTheJpgName) {
  char extension[16] = {};
  GetWindowTextA(Unit(app::kExtensionCombo), extension, sizeof extension);
  EXPECT_STREQ(extension, ".jpg");
  MoveTo(Panel(), 100, 100);
  display_.Press();
  Pump();
  MoveTo(Panel(), 120, 110);
  display_.Release();
  Pump();

  ClickUnit(kSaveFileButton);
  const std::string bmp = ReadAll(SavedFile());
  ASSERT_GE(bmp.size(), 54u) << SavedFile();
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(Le32(bmp, 2), bmp.size());
  const SIZE size = ClientSize(Panel());
  EXPECT_EQ(Le32(bmp, 18), static_cast<uint32_t>(size.cx));
  EXPECT_EQ(Le32(bmp, 22), static_cast<uint32_t>(size.cy));
  EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24);
  // The dot, read from the file: bottom-up rows of BGR.
  const uint32_t row = (static_cast<uint32_t>(size.cx) * 3 + 3) / 4 * 4;
  const size_t at = Le32(bmp, 10) + (size.cy - 1 - 110) * row + 120 * 3;
  ASSERT_LT(at + 2, bmp.size());
  const uint32_t pixel = static_cast<unsigned char>(bmp[at + 2]) << 16 |
                         static_cast<unsigned char>(bmp[at + 1]) << 8 |
                         static_cast<unsigned char>(bmp[at]);
  EXPECT_EQ(pixel, kInk);
}

TEST_F(EditorTest, SavePicBoxWritesTheStoredJpegBytesUnchanged) {
  ClickUnit(kSavePicBoxButton);
  const std::string saved = ReadAll(SavedFile());
  EXPECT_EQ(saved.size(), 87896u);
  EXPECT_TRUE(saved == ReadAll(MIENZO_APP_DIR "/assets/harbour.jpg"));
}

TEST_F(EditorTest, ClearAllThenSaveGivesTheBackgroundOnly) {
  platform::dialogs::QueueFileDialogAnswer((run_directory_ / "harbour.jpg").string());
  ClickUnit(kOpenButton);
  ClickUnit(kPlaceTextButton);
  MoveTo(Panel(), 300, 300);
  display_.Press();
  Pump();
  MoveTo(Panel(), 310, 305);
  display_.Release();
  Pump();
  ASSERT_NE(PanelPixel(400, 400), ButtonFace()) << "the picture is there before the clear";

  ClickUnit(kClearButton);
  ClickUnit(kSaveFileButton);
  const std::string bmp = ReadAll(SavedFile());
  ASSERT_GE(bmp.size(), 54u);
  const uint32_t width = Le32(bmp, 18);
  const uint32_t height = Le32(bmp, 22);
  const uint32_t row = (width * 3 + 3) / 4 * 4;
  const uint32_t face = ButtonFace();
  int other = 0;
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      const size_t at = Le32(bmp, 10) + y * row + x * 3;
      const uint32_t pixel = static_cast<unsigned char>(bmp[at + 2]) << 16 |
                             static_cast<unsigned char>(bmp[at + 1]) << 8 |
                             static_cast<unsigned char>(bmp[at]);
      other += pixel != face;
    }
  }
  EXPECT_EQ(other, 0) << "pixels other than the background";
}

// Runs the real message loop until it ends, or fails after a few seconds.
bool RunLoopUntilItEnds() {
  const DWORD main_thread = GetCurrentThreadId();
  bool finished = false;
  std::thread watchdog([&] {
    for (int i = 0; i < 500 && !finished; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!finished) PostThreadMessageA(main_thread, WM_QUIT, 99, 0);
  });
  runtime::RunMessageLoop();
  finished = true;
  watchdog.join();
  return App().quit_code != 99;
}

TEST_F(EditorTest, EscClosesTheWindowAndTheLoopEndsWithExitCodeZero) {
  HWND main = App().main_window;
  display_.Key(VK_ESCAPE);
  EXPECT_TRUE(RunLoopUntilItEnds());
  EXPECT_FALSE(IsWindow(main));
  EXPECT_EQ(App().quit_code, 0);
}

}  // namespace
