// Rectangle, Ellipse and Polygon: the pen's outline against the brush's
// inside, PS_INSIDEFRAME, the null pen, and the polygon fill modes.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/gdi_testing.h"
#include "platform/win32.h"

namespace {

using gdi_testing::MemoryDc;
using gdi_testing::SamePixels;

constexpr uint32_t W = 0xFFFFFF;
constexpr uint32_t K = 0x000000;
constexpr uint32_t G = 0x808080;

// A white canvas with a grey brush and, unless a pen is given, the black pen.
class ShapeTest : public testing::Test {
 protected:
  void Prepare(int width, int height, HGDIOBJ pen = nullptr) {
    dc_ = std::make_unique<MemoryDc>(width, height, W);
    brush_ = CreateSolidBrush(RGB(0x80, 0x80, 0x80));
    old_brush_ = SelectObject(dc_->dc(), brush_);
    old_pen_ = SelectObject(dc_->dc(), pen ? pen : GetStockObject(BLACK_PEN));
  }
  void TearDown() override {
    if (!dc_) return;
    SelectObject(dc_->dc(), old_brush_);
    SelectObject(dc_->dc(), old_pen_);
    DeleteObject(brush_);
    for (HPEN pen : pens_) DeleteObject(pen);
  }
  HPEN Pen(int style, int width) {
    pens_.push_back(CreatePen(style, width, RGB(0, 0, 0)));
    return pens_.back();
  }
  HDC dc() const { return dc_->dc(); }
  std::vector<uint32_t> Pixels() const { return dc_->Pixels(); }

  std::unique_ptr<MemoryDc> dc_;
  HBRUSH brush_ = nullptr;
  HGDIOBJ old_brush_ = nullptr;
  HGDIOBJ old_pen_ = nullptr;
  std::vector<HPEN> pens_;
};

TEST_F(ShapeTest, RectangleOutlinesItsOuterPixelsAndFillsTheRest) {
  Prepare(6, 6);
  EXPECT_TRUE(Rectangle(dc(), 1, 1, 5, 5));
  EXPECT_TRUE(SamePixels({W, W, W, W, W, W,  //
                          W, K, K, K, K, W,  //
                          W, K, G, G, K, W,  //
                          W, K, G, G, K, W,  //
                          W, K, K, K, K, W,  //
                          W, W, W, W, W, W},
                         Pixels(), 6));
}

TEST_F(ShapeTest, RectangleWithTheNullPenIsOnePixelSmaller) {
  Prepare(5, 5, GetStockObject(NULL_PEN));
  EXPECT_TRUE(Rectangle(dc(), 4, 4, 0, 0)) << "corners in either order";
  EXPECT_TRUE(SamePixels({G, G, G, W, W,  //
                          G, G, G, W, W,  //
                          G, G, G, W, W,  //
                          W, W, W, W, W,  //
                          W, W, W, W, W},
                         Pixels(), 5));
}

TEST_F(ShapeTest, RectangleWithTheNullBrushDrawsOnlyTheOutline) {
  Prepare(4, 4);
  SelectObject(dc(), GetStockObject(NULL_BRUSH));
  EXPECT_TRUE(Rectangle(dc(), 0, 0, 4, 4));
  EXPECT_TRUE(SamePixels({K, K, K, K,  //
                          K, W, W, K,  //
                          K, W, W, K,  //
                          K, K, K, K},
                         Pixels(), 4));
}

// A centred 3-pixel pen spills one pixel out of the box; PS_INSIDEFRAME
// moves it in so the same picture fits a box two pixels larger.
TEST_F(ShapeTest, InsideFrameKeepsAWideOutlineInsideTheBox) {
  const std::vector<uint32_t> framed = {K, K, K, K, K, K, K,  //
                                        K, K, K, K, K, K, K,  //
                                        K, K, K, K, K, K, K,  //
                                        K, K, K, G, K, K, K,  //
                                        K, K, K, K, K, K, K,  //
                                        K, K, K, K, K, K, K,  //
                                        K, K, K, K, K, K, K};
  Prepare(7, 7);
  SelectObject(dc(), Pen(PS_INSIDEFRAME, 3));
  EXPECT_TRUE(Rectangle(dc(), 0, 0, 7, 7));
  EXPECT_TRUE(SamePixels(framed, Pixels(), 7));
  SelectObject(dc(), Pen(PS_SOLID, 3));
  PatBlt(dc(), 0, 0, 7, 7, WHITENESS);
  EXPECT_TRUE(Rectangle(dc(), 1, 1, 6, 6));
  EXPECT_TRUE(SamePixels(framed, Pixels(), 7));
}

TEST_F(ShapeTest, EllipseOutlinesItsEdgeAndFillsItsMiddle) {
  Prepare(6, 6);
  EXPECT_TRUE(Ellipse(dc(), 0, 0, 6, 6));
  EXPECT_TRUE(SamePixels({W, K, K, K, K, W,  //
                          K, G, G, G, G, K,  //
                          K, G, G, G, G, K,  //
                          K, G, G, G, G, K,  //
                          K, G, G, G, G, K,  //
                          W, K, K, K, K, W},
                         Pixels(), 6));
}

TEST_F(ShapeTest, EllipseWithTheNullPenFillsTheSmallerBox) {
  Prepare(6, 6, GetStockObject(NULL_PEN));
  EXPECT_TRUE(Ellipse(dc(), 0, 0, 6, 6));
  EXPECT_TRUE(SamePixels({W, G, G, G, W, W,  //
                          G, G, G, G, G, W,  //
                          G, G, G, G, G, W,  //
                          G, G, G, G, G, W,  //
                          W, G, G, G, W, W,  //
                          W, W, W, W, W, W},
                         Pixels(), 6));
}

// PS_INSIDEFRAME: the 2-pixel ring of a 6x6 circle fills the box's edge
// pixels and one more pixel in.
TEST_F(ShapeTest, InsideFrameEllipseRingsStayInTheBox) {
  Prepare(6, 6);
  SelectObject(dc(), Pen(PS_INSIDEFRAME, 2));
  EXPECT_TRUE(Ellipse(dc(), 0, 0, 6, 6));
  EXPECT_TRUE(SamePixels({W, K, K, K, K, W,  //
                          K, K, K, K, K, K,  //
                          K, K, G, G, K, K,  //
                          K, K, G, G, K, K,  //
                          K, K, K, K, K, K,  //
                          W, K, K, K, K, W},
                         Pixels(), 6));
}

// A centred 3-pixel pen around the 6x6 circle of (1, 1)-(7, 7) spills one
// pixel out of the box and leaves a 2x2 inside.
TEST_F(ShapeTest, WideEllipseRingsAreAsWideAsThePen) {
  Prepare(8, 8);
  SelectObject(dc(), Pen(PS_SOLID, 3));
  EXPECT_TRUE(Ellipse(dc(), 1, 1, 7, 7));
  EXPECT_TRUE(SamePixels({W, W, K, K, K, K, W, W,  //
                          W, K, K, K, K, K, K, W,  //
                          K, K, K, K, K, K, K, K,  //
                          K, K, K, G, G, K, K, K,  //
                          K, K, K, G, G, K, K, K,  //
                          K, K, K, K, K, K, K, K,  //
                          W, K, K, K, K, K, K, W,  //
                          W, W, K, K, K, K, W, W},
                         Pixels(), 8));
}

TEST_F(ShapeTest, PolygonOfARectanglesCornersMatchesRectangle) {
  Prepare(6, 6);
  const POINT corners[] = {{1, 1}, {4, 1}, {4, 4}, {1, 4}};
  EXPECT_TRUE(Polygon(dc(), corners, 4));
  EXPECT_TRUE(SamePixels({W, W, W, W, W, W,  //
                          W, K, K, K, K, W,  //
                          W, K, G, G, K, W,  //
                          W, K, G, G, K, W,  //
                          W, K, K, K, K, W,  //
                          W, W, W, W, W, W},
                         Pixels(), 6));
  EXPECT_FALSE(Polygon(dc(), corners, 1));
}

// A square traced twice in the same direction: every pixel is crossed an
// even number of times (ALTERNATE leaves it out) with winding number 2
// (WINDING fills it).
TEST_F(ShapeTest, PolygonFillModesDecideWhatIsInside) {
  Prepare(5, 5, GetStockObject(NULL_PEN));
  const POINT twice[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}, {4, 0}, {4, 4}, {0, 4}};
  EXPECT_EQ(GetPolyFillMode(dc()), ALTERNATE);
  EXPECT_TRUE(Polygon(dc(), twice, 8));
  EXPECT_TRUE(SamePixels(std::vector<uint32_t>(25, W), Pixels(), 5));
  EXPECT_EQ(SetPolyFillMode(dc(), WINDING), ALTERNATE);
  EXPECT_EQ(SetPolyFillMode(dc(), 3), 0);
  EXPECT_TRUE(Polygon(dc(), twice, 8));
  EXPECT_TRUE(SamePixels({G, G, G, G, W,  //
                          G, G, G, G, W,  //
                          G, G, G, G, W,  //
                          G, G, G, G, W,  //
                          W, W, W, W, W},
                         Pixels(), 5));
}

TEST_F(ShapeTest, ATriangleFillsThePixelsWhoseCentresItHolds) {
  Prepare(5, 4, GetStockObject(NULL_PEN));
  const POINT triangle[] = {{0, 0}, {4, 4}, {0, 4}};
  EXPECT_TRUE(Polygon(dc(), triangle, 3));
  EXPECT_TRUE(SamePixels({W, W, W, W, W,  //
                          G, W, W, W, W,  //
                          G, G, W, W, W,  //
                          G, G, G, W, W},
                         Pixels(), 5));
}

}  // namespace
