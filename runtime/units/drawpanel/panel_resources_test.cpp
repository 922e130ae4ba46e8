// The panel's pen, brush and font: what each property value makes, and
// what the brushes paint.
#include "runtime/units/drawpanel/panel_resources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>

#include "platform/display/headless.h"
#include "runtime/units/drawpanel/brush_patterns.h"
#include "runtime/units/drawpanel/coordinate_unit.h"
#include "runtime/units/drawpanel/panel_dc.h"
#include "runtime/units/drawpanel/panel_properties.h"

namespace runtime::units::drawpanel {
namespace {

class PanelResources : public testing::Test {
 protected:
  Panel NewPanel() { return Panel(*ReadPanelRecord(nullptr, 0)); }

  platform::HeadlessDisplay display_;
};

TEST_F(PanelResources, PenStylesMapToThePlatformsWithStyleZeroAlwaysThin) {
  const int expected_style[] = {PS_ALTERNATE, PS_SOLID,      PS_DASH,       PS_DOT,
                                PS_DASHDOT,   PS_DASHDOTDOT, PS_INSIDEFRAME};
  for (int32_t style = 0; style <= 6; ++style) {
    HPEN pen = MakePanelPen(style, 5, 0x123456);
    ASSERT_NE(pen, nullptr) << style;
    LOGPEN made{};
    GetObjectA(pen, sizeof made, &made);
    if (style != 0) {
      // CreatePen makes styles it does not know solid; 8 is one of them.
      EXPECT_EQ(static_cast<int>(made.lopnStyle), expected_style[style]) << style;
    }
    EXPECT_EQ(made.lopnWidth.x, style == 0 ? 0 : 5) << style;
    EXPECT_EQ(made.lopnColor, 0x123456u) << style;
    DeleteObject(pen);
  }
}

// Fills an 8 x 8 white square with `brush` as the dispatcher prepares a
// shape: the brush colour as the text colour, white as the background.
struct Tile {
  COLORREF pixels[8][8];
};
Tile PaintTile(HBRUSH brush, COLORREF brush_colour) {
  Tile tile{};
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  {
    BitmapDc dc(bitmap);
    PatBlt(dc.dc(), 0, 0, 8, 8, WHITENESS);
    SetTextColor(dc.dc(), brush_colour);
    SetBkColor(dc.dc(), 0xFFFFFF);
    SetBkMode(dc.dc(), OPAQUE);
    HGDIOBJ previous = SelectObject(dc.dc(), brush);
    PatBlt(dc.dc(), 0, 0, 8, 8, PATCOPY);
    SelectObject(dc.dc(), previous);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) tile.pixels[y][x] = GetPixel(dc.dc(), x, y);
    }
  }
  DeleteObject(bitmap);
  return tile;
}

TEST_F(PanelResources, BrushStylesPaintHollowSolidHatchesAndPatterns) {
  constexpr COLORREF kInk = 0x3050A0;
  using Rule = bool (*)(int x, int y);
  const Rule hatches[] = {
      [](int x, int y) { return x + y == 7; },            // 2 back-diagonal
      [](int x, int y) { return x == 4 || y == 4; },      // 3 cross
      [](int x, int y) { return x == y || x + y == 7; },  // 4 diagonal cross
      [](int x, int y) { return x == y; },                // 5 forward-diagonal
      [](int, int y) { return y == 4; },                  // 6 horizontal
      [](int x, int) { return x == 4; },                  // 7 vertical
  };
  for (int32_t style = 1; style <= kLastBrushStyle; ++style) {
    HBRUSH brush = MakePanelBrush(style, kInk);
    ASSERT_NE(brush, nullptr) << style;
    const Tile tile = PaintTile(brush, kInk);
    DeleteObject(brush);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        bool ink = true;
        if (style >= 2 && style <= 7) ink = hatches[style - 2](x, y);
        if (style >= kFirstPatternStyle) {
          ink = (PatternForStyle(style)[y] & (0x80 >> x)) == 0;  // clear bits: brush colour
        }
        ASSERT_EQ(tile.pixels[y][x], ink ? kInk : 0xFFFFFFu)
            << "style " << style << " at (" << x << ", " << y << ")";
      }
    }
  }
  LOGBRUSH hollow{};
  HBRUSH brush = MakePanelBrush(0, kInk);
  GetObjectA(brush, sizeof hollow, &hollow);
  EXPECT_EQ(hollow.lbStyle, static_cast<UINT>(BS_HOLLOW)) << "style 0 fills nothing";
  DeleteObject(brush);
}

TEST_F(PanelResources, FortyEightPatternsAllDifferentAndAllPatterned) {
  std::set<BrushPattern> seen;
  for (int32_t style = kFirstPatternStyle; style <= kLastBrushStyle; ++style) {
    const BrushPattern& pattern = PatternForStyle(style);
    EXPECT_TRUE(seen.insert(pattern).second) << "style " << style << " repeats another";
    int set_bits = 0;
    for (uint8_t row : pattern) set_bits += __builtin_popcount(row);
    EXPECT_GT(set_bits, 0) << style;
    EXPECT_LT(set_bits, 64) << style;
  }
  EXPECT_EQ(seen.size(), 48u);
}

TEST_F(PanelResources, FontHeightsKeepTheirScreenSizeInEveryUnit) {
  EXPECT_EQ(FontHeightInUnits(-12, 0, 96), -12) << "pixels stay";
  EXPECT_EQ(FontHeightInUnits(-16, 1, 96), -42) << "16/96 in x -253.8 = -42.3";
  EXPECT_EQ(FontHeightInUnits(-16, 2, 96), -423);
  EXPECT_EQ(FontHeightInUnits(-12, 3, 96), -12) << "0.125 in x -100 = -12.5, truncated";
  EXPECT_EQ(FontHeightInUnits(-16, 4, 96), -166);
  EXPECT_EQ(FontHeightInUnits(12, 5, 96), -180) << "a cell height becomes a character height";
  EXPECT_EQ(FontHeightInUnits(-12, 5, 120), -144);
}

TEST_F(PanelResources, TheUnitFontRuleOverridesTheStoredRecord) {
  Panel panel = NewPanel();
  LOGFONTA stored{};
  stored.lfHeight = -20;
  stored.lfWeight = 700;
  stored.lfCharSet = 134;
  stored.lfOutPrecision = 3;
  stored.lfClipPrecision = 2;
  stored.lfQuality = 4;
  stored.lfPitchAndFamily = 0x31;
  std::memset(stored.lfFaceName, 'x', sizeof stored.lfFaceName);  // no terminator
  panel.record.SetText(kFont, std::string(reinterpret_cast<const char*>(&stored), sizeof stored));
  const LOGFONTA made = PanelLogFont(panel, 96);
  EXPECT_EQ(made.lfHeight, -20);
  EXPECT_EQ(made.lfWeight, 700);
  EXPECT_EQ(made.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(made.lfOutPrecision, 0);
  EXPECT_EQ(made.lfClipPrecision, 0);
  EXPECT_EQ(made.lfQuality, PROOF_QUALITY);
  EXPECT_EQ(made.lfPitchAndFamily, 0);
  EXPECT_EQ(std::strlen(made.lfFaceName), 31u) << "the face name is ended";

  panel.record.SetText(kFont, "not sixty bytes");
  LOGFONTA gui{};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  EXPECT_STREQ(PanelLogFont(panel, 96).lfFaceName, gui.lfFaceName) << "the default GUI font";
  panel.record.SetInt(kCoordinateUnit, kUnitTwip);
  EXPECT_EQ(PanelLogFont(panel, 96).lfHeight, FontHeightInUnits(gui.lfHeight, kUnitTwip, 96));
}

TEST_F(PanelResources, TextIsAsTallOnTheScreenInEveryUnit) {
  Panel panel = NewPanel();
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 64);
  ReleaseDC(nullptr, screen);
  {
    BitmapDc dc(bitmap);
    RebuildFont(panel);
    HGDIOBJ previous = SelectObject(dc.dc(), panel.font);
    SIZE pixels{};
    GetTextExtentPoint32A(dc.dc(), "W", 1, &pixels);
    SelectObject(dc.dc(), previous);
    for (int32_t unit = 1; unit <= kLastCoordinateUnit; ++unit) {
      panel.record.SetInt(kCoordinateUnit, unit);
      RebuildFont(panel);
      ApplyCoordinateUnit(dc.dc(), unit);
      previous = SelectObject(dc.dc(), panel.font);
      SIZE logical{};
      GetTextExtentPoint32A(dc.dc(), "W", 1, &logical);
      SelectObject(dc.dc(), previous);
      const POINT device = ToDevice(dc.dc(), POINT{0, logical.cy});
      SetMapMode(dc.dc(), MM_TEXT);
      EXPECT_NEAR(device.y, pixels.cy, 1) << "unit " << unit;
    }
  }
  DeleteObject(bitmap);
}

}  // namespace
}  // namespace runtime::units::drawpanel
