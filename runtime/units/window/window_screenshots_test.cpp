// Windows of several shapes and borders side by side on the headless
// screen; with MIENZO_SCREENSHOT_DIR set the screen is kept as
// window-shapes.png and window-borders.png.
#include "runtime/units/window/window_test_support.h"

namespace runtime::units::window_testing {
namespace {

using forms::RecordValues;
using namespace window;

// A picture that shades from one colour to another, left to right.
std::string Shaded(COLORREF from, COLORREF to) {
  std::string bmp = SolidBmp(64, 8, from);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 64; ++x) {
      const size_t at = 54 + static_cast<size_t>(y) * 192 + static_cast<size_t>(x) * 3;
      const auto mix = [&](int a, int b) { return static_cast<char>(a + (b - a) * x / 63); };
      bmp[at] = mix(GetBValue(from), GetBValue(to));
      bmp[at + 1] = mix(GetGValue(from), GetGValue(to));
      bmp[at + 2] = mix(GetRValue(from), GetRValue(to));
    }
  }
  return bmp;
}

TEST_F(WindowTest, ShapesSideBySide) {
  const int32_t shapes[] = {1, 2, 3, 4, 9, 10, 13, 14, 16, 17, 23, 28};
  std::vector<forms::WindowTemplate> windows;
  for (size_t i = 0; i < std::size(shapes); ++i) {
    const std::string record = WindowRecord([&](RecordValues& v) {
      v.SetInt(kBorder, kBorderNone);
      v.SetInt(kMinButton, 0);
      v.SetInt(kStartPosition, kAsStored);
      v.SetInt(kShape, shapes[i]);
      v.SetText(kBackPicture, Shaded(RGB(30, 90, 200), RGB(240, 170, 40)));
      v.SetInt(kBackPictureMode, kStretched);
    });
    const auto column = static_cast<int32_t>(i % 4);
    const auto row = static_cast<int32_t>(i / 4);
    windows.push_back(OneWindow(record, 40 + 320 * column, 30 + 240 * row, 280, 210,
                                0x52010001 + static_cast<uint32_t>(i)));
  }
  RegisterForms(windows);
  for (size_t i = 0; i < std::size(shapes); ++i) {
    ASSERT_TRUE(Load(0x52010001 + static_cast<uint32_t>(i)));
  }
  Pump();
  SaveScreenshotIfAsked(display_, "window-shapes.png");
  const uint32_t desktop = display_.ScreenPixel(5, 5);
  EXPECT_EQ(display_.ScreenPixel(42, 32), desktop)
      << "the ellipse leaves its corner to the desktop";
  EXPECT_NE(display_.ScreenPixel(40 + 140, 30 + 105), desktop) << "and fills its middle";
}

TEST_F(WindowTest, BordersSideBySide) {
  std::vector<forms::WindowTemplate> windows;
  const char* captions[] = {"Border 0",     "1 sizable",        "2 fixed",        "3 sizable tool",
                            "4 fixed tool", "5 sunken sizable", "6 sunken fixed", ""};
  for (int32_t i = 0; i < 8; ++i) {
    const std::string record = WindowRecord([&](RecordValues& v) {
      v.SetInt(kBorder, i < 7 ? i : kBorderFixed);
      v.SetText(kCaption, captions[i]);
      v.SetInt(kControlBox, i < 7 ? 1 : 0);
      v.SetInt(kMaxButton, i == 1 ? 1 : 0);
      v.SetInt(kStartPosition, kAsStored);
      v.SetInt(kBackColor, static_cast<int32_t>(RGB(250, 250, 240 - 20 * i)));
    });
    windows.push_back(OneWindow(record, 40 + 320 * (i % 4), 60 + 300 * (i / 4), 280, 200,
                                0x52010001 + static_cast<uint32_t>(i)));
  }
  RegisterForms(windows);
  for (uint32_t i = 0; i < 8; ++i) ASSERT_TRUE(Load(0x52010001 + i));
  Pump();
  SaveScreenshotIfAsked(display_, "window-borders.png");
  EXPECT_EQ(ClientPixel(HandleOf(0x52010008), 10, 10), RGB(250, 250, 100));
}

}  // namespace
}  // namespace runtime::units::window_testing
