// A window of labels side by side: the four text effects, the eight gradient
// directions, a gradient frame, a tiled background picture and a wrapped
// caption. MIENZO_SCREENSHOT_DIR keeps the screen as units-labels.png.
#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "runtime/units/common/controls_test_support.h"
#include "runtime/units/label/label_schema.h"
#include "runtime/units/window/window_schema.h"

namespace runtime::units::controls_testing {
namespace {

using forms::RecordValues;

constexpr COLORREF kGrey = RGB(160, 160, 160);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
// Unit numbers of the labels the assertions look at.
constexpr uint32_t kFirstEffect = 1;    // 1..4: effects 0..3
constexpr uint32_t kFirstGradient = 5;  // 5..12: modes 1..8
constexpr uint32_t kPictureLabel = 14;
constexpr int kTile = 24;
// The quadrants of the tile, pale so the caption over them reads.
constexpr COLORREF kPink = RGB(255, 200, 200);
constexpr COLORREF kLavender = RGB(200, 200, 255);
constexpr COLORREF kMint = RGB(200, 255, 200);

std::string LabelRecord(const std::function<void(RecordValues&)>& change) {
  RecordValues values(LabelSchema());
  change(values);
  return forms::WriteRecord(values);
}

std::string BoldFont(int height) {
  LOGFONTA font{};
  font.lfHeight = -height;
  font.lfWeight = FW_BOLD;
  std::strcpy(font.lfFaceName, "Sans");
  return {reinterpret_cast<const char*>(&font), sizeof font};
}

void Put32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A square 24-bit BMP in four quadrants: pink and lavender on top, white
// and mint below, so a tile's place and orientation show.
std::string QuadrantBmp() {
  std::string bmp = "BM";
  Put32(bmp, 54 + kTile * kTile * 3);
  Put32(bmp, 0);
  Put32(bmp, 54);
  Put32(bmp, 40);
  Put32(bmp, kTile);
  Put32(bmp, kTile);
  Put32(bmp, 1 | (24 << 16));
  for (int i = 0; i < 6; ++i) Put32(bmp, 0);
  for (int y = kTile - 1; y >= 0; --y) {  // bottom-up rows
    for (int x = 0; x < kTile; ++x) {
      const bool top = y < kTile / 2, left = x < kTile / 2;
      const COLORREF c = top ? (left ? kPink : kLavender) : (left ? kWhite : kMint);
      bmp += {static_cast<char>(GetBValue(c)), static_cast<char>(GetGValue(c)),
              static_cast<char>(GetRValue(c))};
    }
  }
  return bmp;
}

class LabelGalleryTest : public ControlsTest {
 protected:
  forms_testing::FormBuilder Gallery() {
    forms_testing::FormBuilder form;
    form.Window(20, 20, 700, 420).properties = window_testing::WindowRecord(
        [](RecordValues& v) { v.SetInt(window::kStartPosition, window::kAsStored); });
    for (int effect = 0; effect < 4; ++effect) {
      AddUnit(form, kFirstEffect + effect, kLabelType, LabelRecord([&](RecordValues& v) {
                v.SetText(label::kCaption, "Effect " + std::to_string(effect));
                v.SetInt(label::kTextEffect, effect);
                v.SetInt(label::kTextColor, static_cast<int32_t>(effect == 3 ? kYellow : kBlack));
                v.SetInt(label::kBackColor, static_cast<int32_t>(kGrey));
                v.SetInt(label::kAlignment, 1);
                v.SetText(label::kFont, BoldFont(20));
              }),
              10 + effect * 170, 10, 160, 50);
    }
    for (int mode = 1; mode <= 8; ++mode) {
      const bool three = mode % 2 == 1;  // odd modes red-white-blue, even red-blue
      AddUnit(form, kFirstGradient + mode - 1, kLabelType, LabelRecord([&](RecordValues& v) {
                v.SetText(label::kCaption, "Mode " + std::to_string(mode));
                v.SetInt(label::kGradientMode, mode);
                v.SetInt(label::kGradientColor1, static_cast<int32_t>(kRed));
                v.SetInt(label::kGradientColor2, static_cast<int32_t>(three ? kWhite : kBlue));
                v.SetInt(label::kGradientColor3,
                         three ? static_cast<int32_t>(kBlue) : static_cast<int32_t>(0xFF000000));
                v.SetInt(label::kAlignment, 1);
              }),
              10 + (mode - 1) * 85, 75, 80, 80);
    }
    AddUnit(form, 13, kLabelType, LabelRecord([](RecordValues& v) {
              v.SetText(label::kCaption, "Gradient frame");
              v.SetInt(label::kBorder, 6);  // the gradient frame
              v.SetInt(label::kFrameWidth, 12);
              v.SetInt(label::kFrameColor1, 0x603000);
              v.SetInt(label::kFrameColor2, 0xFFE0A0);
              v.SetInt(label::kFrameColor3, 0x603000);
              v.SetInt(label::kBackColor, 0xFFFFFF);
              v.SetInt(label::kAlignment, 1);
            }),
            10, 170, 220, 100);
    AddUnit(form, kPictureLabel, kLabelType, LabelRecord([](RecordValues& v) {
              v.SetText(label::kCaption, "Tiled picture");
              v.SetText(label::kBackPicture, QuadrantBmp());
              v.SetInt(label::kBackPictureMode, 1);
              v.SetInt(label::kTextColor, static_cast<int32_t>(kBlue));
              v.SetInt(label::kTextEffect, 1);
              v.SetInt(label::kAlignment, 1);
              v.SetText(label::kFont, BoldFont(18));
            }),
            240, 170, 200, 100);
    AddUnit(form, 15, kLabelType, LabelRecord([](RecordValues& v) {
              v.SetText(label::kCaption,
                        "Word wrap breaks this long caption into several lines at the spaces "
                        "between its words, and centres each line.");
              v.SetInt(label::kWordWrap, 1);
              v.SetInt(label::kAlignment, 1);
              v.SetInt(label::kBorder, 1);
              v.SetInt(label::kBackColor, 0xE0FFFF);
            }),
            450, 170, 220, 100);
    return form;
  }

  // The bounds of the pixels of `colour` in unit `number`; left -1 when
  // there are none. One composed screen serves every pixel.
  RECT Extent(uint32_t number, COLORREF colour) const {
    RECT client{};
    GetClientRect(UnitHwnd(number), &client);
    POINT origin{0, 0};
    ClientToScreen(UnitHwnd(number), &origin);
    const std::vector<uint32_t> screen = display_.ComposeScreen();
    const uint32_t rgb = (uint32_t{GetRValue(colour)} << 16) | (uint32_t{GetGValue(colour)} << 8) |
                         GetBValue(colour);
    RECT bounds{-1, -1, -1, -1};
    for (LONG y = 0; y < client.bottom; ++y) {
      for (LONG x = 0; x < client.right; ++x) {
        const size_t at =
            static_cast<size_t>(origin.y + y) * static_cast<size_t>(display_.Screen().width) +
            static_cast<size_t>(origin.x + x);
        if (screen[at] != rgb) continue;
        bounds = bounds.left < 0 ? RECT{x, y, x, y}
                                 : RECT{std::min(bounds.left, x), std::min(bounds.top, y),
                                        std::max(bounds.right, x), std::max(bounds.bottom, y)};
      }
    }
    return bounds;
  }
};

TEST_F(LabelGalleryTest, EffectsGradientsFrameAndPictureSideBySide) {
  LoadForm(Gallery());
  display_.PumpUntilIdle();
  Pump();
  window_testing::SaveScreenshotIfAsked(display_, "units-labels.png");

  // Each effect's copy lies down-right of the caption by its own offset.
  // Only the copy drawn last shows whole; the one drawn first shows on the
  // side away from it (its far side when it lies behind, else its near one).
  struct Case {
    uint32_t effect;
    COLORREF first, last;
    LONG offset;  // of `first` from `last`
  };
  for (const Case& c :
       {Case{1, kWhite, kBlack, 1}, Case{2, kWhite, kBlack, -1}, Case{3, kBlack, kYellow, 2}}) {
    const RECT first = Extent(kFirstEffect + c.effect, c.first);
    const RECT last = Extent(kFirstEffect + c.effect, c.last);
    ASSERT_GE(first.left, 0) << "effect " << c.effect;
    ASSERT_GE(last.left, 0) << "effect " << c.effect;
    if (c.offset > 0) {
      EXPECT_EQ(first.right - last.right, c.offset) << "effect " << c.effect;
      EXPECT_EQ(first.bottom - last.bottom, c.offset) << "effect " << c.effect;
    } else {
      EXPECT_EQ(first.left - last.left, c.offset) << "effect " << c.effect;
      EXPECT_EQ(first.top - last.top, c.offset) << "effect " << c.effect;
    }
  }
  EXPECT_EQ(Extent(kFirstEffect, kWhite).left, -1) << "no effect, no white copy";

  // Mode 1 (top to bottom, three colours) and mode 6 (right to left, two):
  // the ends carry the first and last colours, rows or columns are even.
  const HWND down = UnitHwnd(kFirstGradient);
  EXPECT_EQ(ClientPixel(down, 2, 0), kRed);
  EXPECT_EQ(ClientPixel(down, 77, 0), kRed);
  EXPECT_EQ(ClientPixel(down, 2, 40), kWhite) << "the middle stop half way";
  const COLORREF bottom = ClientPixel(down, 2, 79);
  EXPECT_LT(GetRValue(bottom), 8);
  EXPECT_GT(GetBValue(bottom), 247);
  const HWND leftward = UnitHwnd(kFirstGradient + 5);
  EXPECT_EQ(ClientPixel(leftward, 79, 2), kRed);
  EXPECT_EQ(ClientPixel(leftward, 79, 77), kRed);
  EXPECT_GT(GetBValue(ClientPixel(leftward, 0, 2)), 245);

  // The picture repeats from the top-left corner, upright.
  const HWND tiled = UnitHwnd(kPictureLabel);
  for (int x : {0, kTile, 5 * kTile}) {
    EXPECT_EQ(ClientPixel(tiled, x + 2, 2), kPink) << x;
    EXPECT_EQ(ClientPixel(tiled, x + kTile - 2, 2), kLavender) << x;
    EXPECT_EQ(ClientPixel(tiled, x + kTile - 2, kTile - 2), kMint) << x;
    EXPECT_EQ(ClientPixel(tiled, x + 2, kTile - 2), kWhite) << x;
    EXPECT_EQ(ClientPixel(tiled, x + 2, kTile + 2), kPink) << x << ", the next row";
  }
}

}  // namespace
}  // namespace runtime::units::controls_testing
