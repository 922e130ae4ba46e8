// Pen styles: the screen's dash patterns on one-pixel lines, how they run
// on along a call, their gaps in OPAQUE and TRANSPARENT modes, the styles
// that draw solid, and dashed outlines of shapes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gdi/gdi_testing.h"
#include "platform/win32.h"

namespace {

using gdi_testing::MemoryDc;

constexpr uint32_t kCanvas = 0x808080;
constexpr COLORREF kPen = RGB(255, 0, 0);
constexpr COLORREF kBack = RGB(0, 0, 255);

// One character a pixel: '#' pen, '.' background colour, ' ' untouched.
char Cell(uint32_t pixel) {
  if (pixel == 0xFF0000) return '#';
  if (pixel == 0x0000FF) return '.';
  if (pixel == kCanvas) return ' ';
  return '?';
}

std::string Row(MemoryDc& dc, int y, int from, int to) {
  std::string row;
  for (int x = from; x < to; ++x) row += Cell(dc.at(x, y));
  return row;
}

std::string Column(MemoryDc& dc, int x, int from, int to) {
  std::string column;
  for (int y = from; y < to; ++y) column += Cell(dc.at(x, y));
  return column;
}

// A grey canvas and a DC with a red pen of `style`, blue background colour.
class PenStyleTest : public testing::Test {
 protected:
  void Use(HPEN pen) {
    pen_ = pen;
    ASSERT_NE(pen_, nullptr);
    old_ = SelectObject(dc_.dc(), pen_);
    SetBkColor(dc_.dc(), kBack);
  }
  void UseStyle(int style, int width = 1) { Use(CreatePen(style, width, kPen)); }
  void TearDown() override {
    if (!pen_) return;
    SelectObject(dc_.dc(), old_);
    DeleteObject(pen_);
  }
  void Line(int x1, int y1, int x2, int y2) {
    MoveToEx(dc_.dc(), x1, y1, nullptr);
    EXPECT_TRUE(LineTo(dc_.dc(), x2, y2));
  }

  MemoryDc dc_{48, 12, kCanvas};
  HPEN pen_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

TEST_F(PenStyleTest, DashIsEighteenOnAndSixOff) {
  UseStyle(PS_DASH);
  Line(0, 1, 48, 1);
  EXPECT_EQ(Row(dc_, 1, 0, 30), "##################......######");
  EXPECT_EQ(Row(dc_, 1, 30, 48), "############......");
  Line(47, 3, -1, 3);
  EXPECT_EQ(Row(dc_, 3, 24, 48), "......##################") << "drawn backwards from its start";
}

TEST_F(PenStyleTest, DotDashDotAndDashDotDotFollowTheScreenPatterns) {
  struct Case {
    int style;
    const char* row;
  };
  const Case cases[] = {
      {PS_DOT, "###...###...###...###...###...###...###...###..."},
      {PS_DASHDOT, "#########......###......#########......###......"},
      {PS_DASHDOTDOT, "#########...###...###...#########...###...###..."},
  };
  int y = 0;
  for (const Case& c : cases) {
    HPEN pen = CreatePen(c.style, 1, kPen);
    HGDIOBJ old = SelectObject(dc_.dc(), pen);
    SetBkColor(dc_.dc(), kBack);
    MoveToEx(dc_.dc(), 0, y, nullptr);
    LineTo(dc_.dc(), 48, y);
    EXPECT_EQ(Row(dc_, y, 0, 48), c.row) << "style " << c.style;
    SelectObject(dc_.dc(), old);
    DeleteObject(pen);
    y += 2;
  }
}

TEST_F(PenStyleTest, TransparentModeLeavesTheGapsAlone) {
  UseStyle(PS_DOT);
  SetBkMode(dc_.dc(), TRANSPARENT);
  Line(0, 0, 13, 0);
  EXPECT_EQ(Row(dc_, 0, 0, 14), "###   ###   # ");
  SetBkMode(dc_.dc(), OPAQUE);
  SetROP2(dc_.dc(), R2_NOTCOPYPEN);
  Line(0, 2, 6, 2);
  EXPECT_EQ(dc_.at(0, 2), 0x00FFFFu) << "the pen's colour through the ROP2";
  EXPECT_EQ(dc_.at(3, 2), 0xFFFF00u) << "and the background colour too";
}

TEST_F(PenStyleTest, ThePatternRunsOnWithinOneCallOnly) {
  UseStyle(PS_DOT);
  const POINT corner[] = {{0, 0}, {8, 0}, {8, 8}};
  EXPECT_TRUE(Polyline(dc_.dc(), corner, 3));
  EXPECT_EQ(Row(dc_, 0, 0, 9), "###...###") << "(8, 0) is pixel 8 of the pattern";
  EXPECT_EQ(Column(dc_, 8, 0, 9), "#...###. ");
  Line(20, 0, 28, 0);
  EXPECT_TRUE(LineTo(dc_.dc(), 28, 8));
  EXPECT_EQ(Column(dc_, 28, 0, 9), "###...## ") << "each LineTo starts the pattern again";
}

TEST_F(PenStyleTest, UnknownStylesAreSolidAndWidePensDrawSolid) {
  for (int style : {PS_USERSTYLE, PS_ALTERNATE, 9, 42}) {
    HPEN pen = CreatePen(style, 1, kPen);
    ASSERT_NE(pen, nullptr) << "style " << style;
    LOGPEN logical{};
    ASSERT_EQ(GetObjectA(pen, sizeof logical, &logical), static_cast<int>(sizeof logical));
    EXPECT_EQ(logical.lopnStyle, static_cast<UINT>(PS_SOLID)) << "style " << style;
    DeleteObject(pen);
  }
  Use(CreatePen(PS_ALTERNATE, 1, kPen));
  Line(0, 0, 10, 0);
  EXPECT_EQ(Row(dc_, 0, 0, 11), "########## ");
  HPEN wide = CreatePen(PS_DASH, 3, kPen);
  SelectObject(dc_.dc(), wide);
  Line(2, 5, 40, 5);
  EXPECT_EQ(Row(dc_, 5, 2, 41), std::string(39, '#')) << "dashes are for one-pixel pens";
  SelectObject(dc_.dc(), pen_);
  DeleteObject(wide);
}

TEST_F(PenStyleTest, AWidthOfOnePixelOnTheDeviceKeepsTheDashes) {
  UseStyle(PS_DOT, 2);
  SetMapMode(dc_.dc(), MM_ANISOTROPIC);
  SetWindowExtEx(dc_.dc(), 2, 2, nullptr);
  SetViewportExtEx(dc_.dc(), 1, 1, nullptr);
  Line(0, 0, 24, 0);
  EXPECT_EQ(Row(dc_, 0, 0, 13), "###...###... ") << "two logical units are one pixel";
}

TEST_F(PenStyleTest, ExtCreatePenAlternatesAndScalesGeometricDashes) {
  const LOGBRUSH red{BS_SOLID, kPen, 0};
  Use(ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &red, 0, nullptr));
  Line(0, 0, 7, 0);
  EXPECT_EQ(Row(dc_, 0, 0, 8), "#.#.#.# ");
  HPEN geometric = ExtCreatePen(PS_GEOMETRIC | PS_DASH, 1, &red, 0, nullptr);
  ASSERT_NE(geometric, nullptr);
  SelectObject(dc_.dc(), geometric);
  Line(0, 2, 9, 2);
  EXPECT_EQ(Row(dc_, 2, 0, 10), "###.###.# ") << "three widths on, one off";
  SelectObject(dc_.dc(), pen_);
  DeleteObject(geometric);
  EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_ALTERNATE, 1, &red, 0, nullptr), nullptr)
      << "PS_ALTERNATE is for cosmetic pens";
}

TEST_F(PenStyleTest, RectangleOutlinesRunCounterClockwiseFromTheTopRight) {
  UseStyle(PS_DOT);
  SelectObject(dc_.dc(), GetStockObject(NULL_BRUSH));
  EXPECT_TRUE(Rectangle(dc_.dc(), 0, 0, 8, 4));
  EXPECT_EQ(Row(dc_, 0, 0, 9), "##...### ");
  EXPECT_EQ(Row(dc_, 1, 0, 9), "#      # ");
  EXPECT_EQ(Row(dc_, 2, 0, 9), ".      # ");
  EXPECT_EQ(Row(dc_, 3, 0, 9), "..###... ");
}

TEST_F(PenStyleTest, DashedEllipsesSplitTheSolidOutline) {
  SelectObject(dc_.dc(), GetStockObject(NULL_BRUSH));
  UseStyle(PS_SOLID);
  EXPECT_TRUE(Ellipse(dc_.dc(), 0, 0, 12, 10));
  std::vector<bool> solid;
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 14; ++x) solid.push_back(dc_.at(x, y) == 0xFF0000u);
  }
  MemoryDc dashed(48, 12, kCanvas);
  HPEN dot = CreatePen(PS_DOT, 1, kPen);
  SelectObject(dashed.dc(), dot);
  SelectObject(dashed.dc(), GetStockObject(NULL_BRUSH));
  SetBkColor(dashed.dc(), kBack);
  EXPECT_TRUE(Ellipse(dashed.dc(), 0, 0, 12, 10));
  int dashes = 0;
  int gaps = 0;
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 14; ++x) {
      const uint32_t pixel = dashed.at(x, y);
      EXPECT_EQ(pixel != kCanvas, solid[static_cast<size_t>(y * 14 + x)]) << x << ", " << y;
      dashes += pixel == 0xFF0000u;
      gaps += pixel == 0x0000FFu;
    }
  }
  EXPECT_GT(dashes, 10);
  EXPECT_GT(gaps, 10);
  EXPECT_LE(std::abs(dashes - gaps), 3) << "three on, three off all round";
  SelectObject(dashed.dc(), GetStockObject(BLACK_PEN));
  DeleteObject(dot);
}

}  // namespace
