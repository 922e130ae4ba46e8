// RoundRect: a small case pixel by pixel, and the two extremes it shares
// with Rectangle and Ellipse for every kind of pen.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gdi/gdi_testing.h"
#include "platform/win32.h"

namespace {

using gdi_testing::MemoryDc;
using gdi_testing::SamePixels;

constexpr uint32_t W = 0xFFFFFF;
constexpr uint32_t K = 0x000000;
constexpr uint32_t G = 0x808080;

// Draws with a grey brush and `pen` on a white canvas and returns the pixels.
std::vector<uint32_t> Draw(int width, int height, HGDIOBJ pen,
                           const std::function<void(HDC)>& draw) {
  MemoryDc dc(width, height, W);
  HBRUSH brush = CreateSolidBrush(RGB(0x80, 0x80, 0x80));
  HGDIOBJ old_brush = SelectObject(dc.dc(), brush);
  HGDIOBJ old_pen = SelectObject(dc.dc(), pen);
  draw(dc.dc());
  SelectObject(dc.dc(), old_brush);
  SelectObject(dc.dc(), old_pen);
  DeleteObject(brush);
  return dc.Pixels();
}

TEST(RoundRectTest, ASmallRoundRectCutsOneCornerPixelEachWay) {
  const auto pixels = Draw(9, 7, GetStockObject(BLACK_PEN),
                           [](HDC dc) { EXPECT_TRUE(RoundRect(dc, 0, 0, 8, 6, 4, 4)); });
  EXPECT_TRUE(SamePixels({W, K, K, K, K, K, K, W, W,  //
                          K, G, G, G, G, G, G, K, W,  //
                          K, G, G, G, G, G, G, K, W,  //
                          K, G, G, G, G, G, G, K, W,  //
                          K, G, G, G, G, G, G, K, W,  //
                          W, K, K, K, K, K, K, W, W,  //
                          W, W, W, W, W, W, W, W, W},
                         pixels, 9));
}

TEST(RoundRectTest, WithoutAPenTheInsideIsOnePixelSmaller) {
  const auto pixels = Draw(8, 6, GetStockObject(NULL_PEN),
                           [](HDC dc) { EXPECT_TRUE(RoundRect(dc, 8, 6, 0, 0, 4, 4)); });
  EXPECT_TRUE(SamePixels({W, G, G, G, G, G, W, W,  //
                          G, G, G, G, G, G, G, W,  //
                          G, G, G, G, G, G, G, W,  //
                          G, G, G, G, G, G, G, W,  //
                          W, G, G, G, G, G, W, W,  //
                          W, W, W, W, W, W, W, W},
                         pixels, 8));
}

struct PenCase {
  int style;
  int width;
};

TEST(RoundRectTest, SquareCornersDrawRectangleAndFullCornersDrawEllipse) {
  const PenCase pens[] = {
      {PS_SOLID, 1}, {PS_SOLID, 3}, {PS_INSIDEFRAME, 3}, {PS_INSIDEFRAME, 4}, {PS_NULL, 1}};
  for (const PenCase& p : pens) {
    SCOPED_TRACE(testing::Message() << "style " << p.style << " width " << p.width);
    HPEN pen = CreatePen(p.style, p.width, RGB(0, 0, 0));
    const auto ellipse = Draw(16, 14, pen, [](HDC dc) { Ellipse(dc, 2, 2, 13, 11); });
    const auto full = Draw(16, 14, pen, [](HDC dc) { RoundRect(dc, 2, 2, 13, 11, 11, 9); });
    EXPECT_TRUE(SamePixels(ellipse, full, 16)) << "corners as large as the box";
    const auto oversized = Draw(16, 14, pen, [](HDC dc) { RoundRect(dc, 2, 2, 13, 11, 99, 99); });
    EXPECT_TRUE(SamePixels(ellipse, oversized, 16)) << "larger corners are cut to the box";
    if (p.width == 1) {
      const auto rectangle = Draw(16, 14, pen, [](HDC dc) { Rectangle(dc, 2, 2, 13, 11); });
      const auto square = Draw(16, 14, pen, [](HDC dc) { RoundRect(dc, 2, 2, 13, 11, 0, 0); });
      EXPECT_TRUE(SamePixels(rectangle, square, 16)) << "no corners";
    }
    DeleteObject(pen);
  }
}

TEST(RoundRectTest, TheInsideUsesTheBrushPatternAndTheRop2) {
  MemoryDc dc(8, 8, 0x000000);
  HBRUSH hatch = CreateHatchBrush(HS_HORIZONTAL, RGB(255, 255, 255));
  HGDIOBJ old_brush = SelectObject(dc.dc(), hatch);
  HGDIOBJ old_pen = SelectObject(dc.dc(), GetStockObject(NULL_PEN));
  SetBkMode(dc.dc(), TRANSPARENT);
  SetROP2(dc.dc(), R2_XORPEN);
  EXPECT_TRUE(RoundRect(dc.dc(), 0, 0, 9, 9, 0, 0));
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(dc.at(x, y), y == 4 ? 0xFFFFFFu : 0u) << x << "," << y;
    }
  }
  EXPECT_TRUE(RoundRect(dc.dc(), 0, 0, 9, 9, 0, 0));
  EXPECT_TRUE(SamePixels(std::vector<uint32_t>(64, 0), dc.Pixels(), 8)) << "XOR twice restores";
  SelectObject(dc.dc(), old_brush);
  SelectObject(dc.dc(), old_pen);
  DeleteObject(hatch);
  EXPECT_FALSE(RoundRect(nullptr, 0, 0, 4, 4, 2, 2));
}

}  // namespace
