// Shape regions: the figures, the outline table, and a window reshaped
// when its size changes.
#include "runtime/units/window/window_outlines.h"
#include "runtime/units/window/window_test_support.h"

namespace runtime::units::window_testing {
namespace {

using forms::RecordValues;
using namespace window;

struct Region {
  explicit Region(HRGN handle) : rgn(handle) {}
  ~Region() {
    if (rgn != nullptr) DeleteObject(rgn);
  }
  bool Has(int x, int y) const { return PtInRegion(rgn, x, y) != FALSE; }
  RECT Box() const {
    RECT box{};
    GetRgnBox(rgn, &box);
    return box;
  }
  HRGN rgn;
};

TEST(WindowShapeTest, EllipseRoundedRectangleAndRing) {
  EXPECT_EQ(MakeShapeRegion(0, 200, 100), nullptr) << "the rectangle needs no region";
  Region ellipse(MakeShapeRegion(1, 200, 100));
  EXPECT_TRUE(ellipse.Has(100, 50));
  EXPECT_TRUE(ellipse.Has(2, 50));
  EXPECT_FALSE(ellipse.Has(5, 5));
  Region rounded(MakeShapeRegion(2, 200, 100));  // corners of 20 (100 / 5)
  EXPECT_FALSE(rounded.Has(0, 0));
  EXPECT_TRUE(rounded.Has(10, 10));
  EXPECT_TRUE(rounded.Has(20, 0));
  Region ring(MakeShapeRegion(3, 200, 100));
  EXPECT_FALSE(ring.Has(100, 50)) << "the middle is cut out";
  EXPECT_TRUE(ring.Has(100, 10));
  EXPECT_TRUE(ring.Has(25, 50));
  EXPECT_FALSE(ring.Has(60, 50)) << "inside the inner ellipse (50..150 x 25..75)";
}

TEST(WindowShapeTest, ListedOutlinesAreScaledToTheWindow) {
  Region up(MakeShapeRegion(4, 200, 100));
  EXPECT_TRUE(up.Has(100, 5));
  EXPECT_FALSE(up.Has(5, 5));
  EXPECT_TRUE(up.Has(5, 98));
  Region down(MakeShapeRegion(5, 200, 100));
  EXPECT_TRUE(down.Has(5, 1));
  EXPECT_FALSE(down.Has(5, 98));
  Region diamond(MakeShapeRegion(12, 200, 100));
  EXPECT_TRUE(diamond.Has(100, 50));
  EXPECT_FALSE(diamond.Has(20, 10));
  Region hexagon(MakeShapeRegion(10, 200, 100));
  EXPECT_FALSE(hexagon.Has(2, 2));
  EXPECT_TRUE(hexagon.Has(2, 50));
}

TEST(WindowShapeTest, EveryOutlineIsAFigureInsideTheWindow) {
  for (int32_t shape = kFirstOutline; shape < kFirstOutline + kOutlineCount; ++shape) {
    const auto outline = Outline(shape);
    EXPECT_GE(outline.size(), 3u) << shape;
    EXPECT_LE(outline.size(), 28u) << shape;
    for (const OutlinePoint& point : outline) {
      EXPECT_TRUE(point.x >= 0 && point.x <= kOutlineScale && point.y >= 0 &&
                  point.y <= kOutlineScale)
          << shape;
    }
    Region region(MakeShapeRegion(shape, 300, 200));
    ASSERT_NE(region.rgn, nullptr) << shape;
    const RECT box = region.Box();
    EXPECT_GE(box.left, 0);
    EXPECT_LE(box.right, 300);
    EXPECT_GT((box.right - box.left) * (box.bottom - box.top), 300 * 200 / 4)
        << "shape " << shape << " fills a good part of the window";
  }
  EXPECT_TRUE(Outline(3).empty());
  EXPECT_TRUE(Outline(30).empty());
  Region star(MakeShapeRegion(13, 300, 300));
  EXPECT_TRUE(star.Has(150, 150)) << "a star's middle is filled";
  EXPECT_FALSE(star.Has(40, 280)) << "between its lower points";
}

TEST_F(WindowTest, ShapeFollowsTheWindowSize) {
  ASSERT_NE(LoadOne(WindowRecord([](RecordValues& v) {
              v.SetInt(kShape, 1);
              v.SetInt(kBorder, kBorderSizable);
            })),
            nullptr);
  HWND hwnd = HandleOf();
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(hwnd, region), ERROR);
  RECT box{};
  GetRgnBox(region, &box);
  EXPECT_EQ(box.right, 320);
  SetWindowPos(hwnd, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
  GetWindowRgn(hwnd, region);
  GetRgnBox(region, &box);
  EXPECT_EQ(box.right, 400);
  EXPECT_EQ(box.bottom, 300);
  const forms::PropertyPair plain{0, 0, nullptr};
  SetWindowProperty(UnitOf(), kShapeProperty, &plain, 0);
  EXPECT_EQ(GetWindowRgn(hwnd, region), ERROR) << "back to the rectangle";
  DeleteObject(region);
}

}  // namespace
}  // namespace runtime::units::window_testing
