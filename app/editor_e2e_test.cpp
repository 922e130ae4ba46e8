// The editor driven end to end on the headless display: painting, placed
// text, opening, both saves, clearing, and closing with Esc.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/app_routines.h"
#include "app/editor_e2e_support.h"
#include "app/main_window_units.h"
#include "platform/dialogs/answers.h"
#include "platform/win32.h"
#include "runtime/core/app_state.h"
#include "runtime/core/run_loop.h"
#include "runtime/core/test_support.h"

namespace app::e2e {
namespace {

using runtime::core_testing::RunLoopUntilItEnds;

using runtime::App;

TEST_F(EditorTest, OpensCentredOnTheScreenWithJpgInTheComboBox) {
  RECT frame{};
  GetWindowRect(App().main_window, &frame);
  EXPECT_EQ(frame.right - frame.left, 1155);
  EXPECT_EQ(frame.bottom - frame.top, 673);
  EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - 1155) / 2) << "centred, not at 50";
  EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - 673) / 2) << "centred, not at 50";
  char extension[16] = {};
  GetWindowTextA(Unit(app::kExtensionCombo), extension, sizeof extension);
  EXPECT_STREQ(extension, ".jpg");
}

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
  PaintDot(120, 110);
  ClickUnit(kSaveFileButton);
  const std::string bmp = ReadAll(SavedFile());
  ASSERT_GE(bmp.size(), 54u) << SavedFile();
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(Le32(bmp, 2), bmp.size());
  const SIZE size = ClientSize(Panel());
  EXPECT_EQ(Le32(bmp, 18), static_cast<uint32_t>(size.cx));
  EXPECT_EQ(Le32(bmp, 22), static_cast<uint32_t>(size.cy));
  EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24);
  EXPECT_EQ(BmpPixel(bmp, 120, 110), kInk) << "the dot, read from the file";
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
  const uint32_t face = ButtonFace();
  int other = 0;
  for (int y = 0; y < static_cast<int>(Le32(bmp, 22)); ++y) {
    for (int x = 0; x < static_cast<int>(Le32(bmp, 18)); ++x) other += BmpPixel(bmp, x, y) != face;
  }
  EXPECT_EQ(other, 0) << "pixels other than the background";
}

TEST_F(EditorTest, EscClosesTheWindowAndTheLoopEndsWithExitCodeZero) {
  HWND main = App().main_window;
  display_.Key(VK_ESCAPE);
  EXPECT_TRUE(RunLoopUntilItEnds());
  EXPECT_FALSE(IsWindow(main));
  EXPECT_EQ(App().quit_code, 0);
}

}  // namespace
}  // namespace app::e2e
