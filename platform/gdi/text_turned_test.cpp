// Text at any escapement. Turned glyphs are anti-aliased outlines, so these
// tests look at where the ink lies (its main direction, the turned cell it
// must stay in) rather than at exact pixels; quarter turns must keep their
// exact pixels however the angle is wound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "platform/gdi/gdi_testing.h"
#include "platform/gdi/text_testing.h"

namespace {

using gdi_testing::MemoryDc;
using gdi_testing::SamePixels;
using text_testing::Gbk;
using text_testing::ScopedFont;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int kSize = 120;

HFONT TurnedFont(const char* utf8_face, LONG height, LONG escapement) {
  return CreateFontA(height, 0, escapement, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0,
                     Gbk(utf8_face).c_str());
}

// Text space of a pixel's centre: u along the baseline turned by `tenths`
// from `origin`, v across it towards the descent.
void TextSpaceOf(POINT pixel, POINT origin, int tenths, double* u, double* v) {
  const double radians = tenths * std::numbers::pi / 1800;
  const double dx = pixel.x + 0.5 - origin.x, dy = pixel.y + 0.5 - origin.y;
  *u = dx * std::cos(radians) - dy * std::sin(radians);
  *v = dx * std::sin(radians) + dy * std::cos(radians);
}

// The ink's main axis, counter-clockwise on the screen, -90 to 90 degrees.
double MainDirection(const std::vector<POINT>& ink) {
  double cx = 0, cy = 0, xx = 0, yy = 0, xy = 0;
  for (const POINT& p : ink) {
    cx += p.x;
    cy += p.y;
  }
  cx /= static_cast<double>(ink.size());
  cy /= static_cast<double>(ink.size());
  for (const POINT& p : ink) {
    xx += (p.x - cx) * (p.x - cx);
    yy += (p.y - cy) * (p.y - cy);
    xy += (p.x - cx) * (p.y - cy);
  }
  return -0.5 * std::atan2(2 * xy, xx - yy) * 180 / std::numbers::pi;  // y points down
}

// Each cell is drawn opaque in red under blue text: the changed pixels are
// the turned cell, placed by the alignment along the turned axes, with its
// main axis along the baseline and the corners of its bounding box left
// alone; the glyphs run its whole length.
TEST(TurnedText, CellsAndGlyphsLieAlongTheTurnedBaseline) {
  SKIP_WITHOUT_WENQUANYI();
  const std::string text = Gbk("中文字中文字");
  for (const auto& [face, height, tenths, align, at] :
       {std::tuple{"宋体", -12, 450, TA_LEFT | TA_TOP, POINT{15, 100}},
        std::tuple{"黑体", -16, 3600 + 300, TA_LEFT | TA_TOP, POINT{15, 100}},
        std::tuple{"黑体", -16, -450, TA_RIGHT | TA_BOTTOM, POINT{110, 110}}}) {
    MemoryDc memory(kSize, kSize, kWhite);
    ScopedFont font(memory.dc(), TurnedFont(face, height, tenths));
    SetBkColor(memory.dc(), RGB(255, 0, 0));
    SetTextColor(memory.dc(), RGB(0, 0, 255));
    SetTextAlign(memory.dc(), static_cast<UINT>(align));
    TextOutA(memory.dc(), at.x, at.y, text.c_str(), static_cast<int>(text.size()));
    SIZE extent{};
    GetTextExtentPoint32A(memory.dc(), text.c_str(), static_cast<int>(text.size()), &extent);
    const bool left_top = align == (TA_LEFT | TA_TOP);
    const double u0 = left_top ? 0 : -extent.cx, v0 = left_top ? 0 : -extent.cy;
    std::vector<POINT> cell;
    double first_glyph = 1e9, last_glyph = -1e9;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        if (memory.at(x, y) == kWhite) continue;
        cell.push_back(POINT{x, y});
        double u = 0, v = 0;
        TextSpaceOf(POINT{x, y}, at, tenths, &u, &v);
        EXPECT_TRUE(u > u0 - 1 && u < u0 + extent.cx + 1 && v > v0 - 1 && v < v0 + extent.cy + 1)
            << face << " " << tenths << ": (" << x << ", " << y << ") outside the cell";
        if (memory.at(x, y) >> 16 < 0xC0) {
          first_glyph = std::min(first_glyph, u);
          last_glyph = std::max(last_glyph, u);
        }
      }
    }
    const double area = extent.cx * extent.cy;
    EXPECT_NEAR(static_cast<double>(cell.size()), area, 0.05 * area) << face << " " << tenths;
    const int reduced = ((tenths % 3600) + 3600 + 900) % 1800 - 900;
    EXPECT_NEAR(MainDirection(cell), reduced / 10.0, 2.0) << face << " " << tenths;
    EXPECT_GT(last_glyph - first_glyph, 0.85 * extent.cx) << face << " " << tenths;
    const RECT box = text_testing::ChangedBox(memory.Pixels(), kSize, kWhite);
    for (const POINT corner :
         {POINT{box.left, box.top}, POINT{box.right - 1, box.top}, POINT{box.left, box.bottom - 1},
          POINT{box.right - 1, box.bottom - 1}}) {
      EXPECT_EQ(memory.at(corner.x, corner.y), kWhite)
          << face << " " << tenths << ": corner (" << corner.x << ", " << corner.y << ")";
    }
  }
}

TEST(TurnedText, QuarterTurnsKeepTheirPixelsHoweverTheAngleIsWound) {
  SKIP_WITHOUT_WENQUANYI();
  const std::string text = Gbk("中文 Ag");
  auto pixels = [&](const char* face, LONG tenths) {
    MemoryDc memory(kSize, kSize, kWhite);
    ScopedFont font(memory.dc(), TurnedFont(face, -12, tenths));
    TextOutA(memory.dc(), 60, 60, text.c_str(), static_cast<int>(text.size()));
    return memory.Pixels();
  };
  for (const char* face : {"宋体", "黑体"}) {
    EXPECT_TRUE(SamePixels(pixels(face, 900), pixels(face, 3600 + 900), kSize)) << face;
    EXPECT_TRUE(SamePixels(pixels(face, 900), pixels(face, -2700), kSize)) << face;
    EXPECT_TRUE(SamePixels(pixels(face, 0), pixels(face, -3600), kSize)) << face;
  }
  // 宋体's bitmap strike stays one-bit at a quarter turn and comes from the
  // outline, in grey levels, at any other angle.
  auto greys = [](const std::vector<uint32_t>& drawn) {
    return std::count_if(drawn.begin(), drawn.end(),
                         [](uint32_t p) { return (p & 0xFF) != 0 && (p & 0xFF) != 0xFF; });
  };
  EXPECT_EQ(greys(pixels("宋体", 900)), 0);
  EXPECT_GT(greys(pixels("宋体", 450)), 0);
}

}  // namespace
