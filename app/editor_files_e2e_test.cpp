// The editor's picture and save buttons end to end: the small picture, the
// extension chosen in the combo box, and the confirmation that only a save
// that wrote its file shows.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/editor_e2e_support.h"
#include "app/main_window_units.h"
#include "platform/dialogs/answers.h"
#include "platform/win32.h"

namespace app::e2e {
namespace {

using Rgb = std::array<double, 3>;

class EditorFilesTest : public EditorTest {
 protected:
  void ChooseHarbour() {
    platform::dialogs::QueueFileDialogAnswer((run_directory_ / "harbour.jpg").string());
  }
  // The mean colour of the panel within `area`.
  Rgb MeanColour(const RECT& area) const {
    const std::vector<uint32_t> shown = PanelPixels();
    const int width = ClientSize(Panel()).cx;
    Rgb sum{};
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        const uint32_t pixel = shown[static_cast<size_t>(y) * width + x];
        for (int c = 0; c < 3; ++c) sum[c] += pixel >> (16 - 8 * c) & 0xFF;
      }
    }
    const double count = static_cast<double>(area.right - area.left) * (area.bottom - area.top);
    for (double& channel : sum) channel /= count;
    return sum;
  }
};

TEST_F(EditorFilesTest, AddSmallPictureDrawsTheChosenPictureIntoA33By33SquareAtTheCorner) {
  ChooseHarbour();
  ClickUnit(kSmallPictureButton);
  EXPECT_EQ(platform::dialogs::QueuedAnswerCount(), 0u) << "the open dialog took the answer";
  const RECT square{0, 0, 33, 33};
  EXPECT_TRUE(BackgroundOutside({square}));
  int covered = 0;
  for (int y = 0; y < 33; ++y) {
    for (int x = 0; x < 33; ++x) covered += PanelPixel(x, y) != ButtonFace();
  }
  EXPECT_GT(covered, 33 * 33 * 95 / 100) << "picture pixels in the square";
  for (const POINT corner : {POINT{0, 0}, POINT{32, 0}, POINT{0, 32}, POINT{32, 32}}) {
    EXPECT_NE(PanelPixel(corner.x, corner.y), ButtonFace())
        << "the square reaches (" << corner.x << ", " << corner.y << ")";
  }

  // The same picture stretched over the whole panel has much the same mean
  // colour as the small one.
  const Rgb small = MeanColour(square);
  ChooseHarbour();
  ClickUnit(kOpenButton);
  const SIZE size = ClientSize(Panel());
  const Rgb whole = MeanColour({0, 0, size.cx, size.cy});
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(small[c], whole[c], 4.0) << "channel " << c;
}

TEST_F(EditorFilesTest, SaveFileWithPngChosenWritesTheSameBmpDataUnderThePngName) {
  PaintDot(200, 200);
  ClickUnit(kSaveFileButton);
  ChooseExtension(".png");
  char extension[16] = {};
  GetWindowTextA(Unit(app::kExtensionCombo), extension, sizeof extension);
  EXPECT_STREQ(extension, ".png");
  ClickUnit(kSaveFileButton);

  const std::string jpg = ReadAll(run_directory_ / "Kerlo表情.jpg");
  const std::string png = ReadAll(run_directory_ / "Kerlo表情.png");
  ASSERT_GE(png.size(), 54u) << "a BMP file under the .png name";
  EXPECT_EQ(png.substr(0, 2), "BM");
  EXPECT_EQ(BmpPixel(png, 200, 200), kInk) << "the dot";
  EXPECT_TRUE(png == jpg) << "the same bytes as the save under .jpg";
}

TEST_F(EditorFilesTest, OnlyASaveThatWroteItsFileConfirmsIt) {
  const std::vector<std::string> before = RunDirectoryNames();
  TypeInto(app::kNameEdit, "no-such-folder/picture");
  ClickUnit(kSaveFileButton);
  TypeInto(app::kNameEdit, std::string(300, 'n'));  // longer than a file name may be
  ClickUnit(kSaveFileButton);
  ClickUnit(kSavePicBoxButton);
  EXPECT_TRUE(message_boxes().empty())
      << "no message after a failed save; shown: " << message_boxes().front();
  EXPECT_EQ(RunDirectoryNames(), before) << "nothing written";

  TypeInto(app::kNameEdit, "picture");
  ClickUnit(kSaveFileButton);
  EXPECT_EQ(message_boxes(), std::vector<std::string>{"保存成功！"});
  EXPECT_EQ(GetFocus(), Unit(kSaveFileButton)) << "the focus came back to the button";
  EXPECT_EQ(RunDirectoryNames(), (std::vector<std::string>{"harbour.jpg", "picture.jpg"}));
}

}  // namespace
}  // namespace app::e2e
