// Paths: figures recorded instead of drawn, the bracket's errors, and the
// regions PathToRegion makes of them.
#include "platform/gdi/path.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/gdi_testing.h"
#include "platform/win32.h"

namespace {

using gdi_testing::MemoryDc;
using gdi_testing::SamePixels;

constexpr uint32_t kWhite = 0xFFFFFF;

// Ends the DC's path and takes its region; fails the test when there is none.
HRGN EndAndTake(HDC dc) {
  EXPECT_TRUE(EndPath(dc));
  HRGN region = PathToRegion(dc);
  EXPECT_NE(region, nullptr);
  return region;
}

testing::AssertionResult HasBox(HRGN region, RECT expected) {
  RECT box{};
  GetRgnBox(region, &box);
  if (EqualRect(&box, &expected)) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "expected box (" << expected.left << ", " << expected.top << ", " << expected.right
         << ", " << expected.bottom << "), got (" << box.left << ", " << box.top << ", "
         << box.right << ", " << box.bottom << ")";
}

TEST(PathTest, ATriangleMakesThePolygonsRegionAndDrawsNothing) {
  MemoryDc dc(12, 12, kWhite);
  MoveToEx(dc.dc(), 9, 9, nullptr);
  ASSERT_TRUE(BeginPath(dc.dc()));
  MoveToEx(dc.dc(), 2, 1, nullptr);
  EXPECT_TRUE(LineTo(dc.dc(), 10, 9));
  EXPECT_TRUE(LineTo(dc.dc(), 1, 7));
  EXPECT_TRUE(CloseFigure(dc.dc()));
  EXPECT_TRUE(Rectangle(dc.dc(), 0, 0, 12, 12)) << "recorded, not drawn";
  AbortPath(dc.dc());
  EXPECT_TRUE(SamePixels(std::vector<uint32_t>(144, kWhite), dc.Pixels(), 12));
  POINT position{};
  GetCurrentPositionEx(dc.dc(), &position);
  EXPECT_EQ(position.x, 1) << "the current position still moves";

  ASSERT_TRUE(BeginPath(dc.dc()));
  MoveToEx(dc.dc(), 2, 1, nullptr);
  LineTo(dc.dc(), 10, 9);
  LineTo(dc.dc(), 1, 7);
  HRGN path = EndAndTake(dc.dc());
  const POINT corners[] = {{2, 1}, {10, 9}, {1, 7}};
  HRGN polygon = CreatePolygonRgn(corners, 3, ALTERNATE);
  EXPECT_TRUE(EqualRgn(path, polygon)) << "an open figure is closed for its region";
  EXPECT_TRUE(PtInRegion(path, 5, 5));
  EXPECT_FALSE(PtInRegion(path, 9, 4));
  EXPECT_TRUE(FillRgn(dc.dc(), path, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  EXPECT_EQ(dc.at(5, 5), 0u);
  EXPECT_EQ(PathToRegion(dc.dc()), nullptr) << "the path is gone once it is a region";
  DeleteObject(path);
  DeleteObject(polygon);
}

TEST(PathTest, TheBracketMustBeInTheRightState) {
  MemoryDc dc(4, 4);
  EXPECT_EQ(PathToRegion(dc.dc()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CAN_NOT_COMPLETE));
  EXPECT_FALSE(EndPath(dc.dc()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CAN_NOT_COMPLETE));
  EXPECT_FALSE(CloseFigure(dc.dc()));
  ASSERT_TRUE(BeginPath(dc.dc()));
  EXPECT_TRUE(Rectangle(dc.dc(), 0, 0, 3, 3));
  EXPECT_EQ(PathToRegion(dc.dc()), nullptr) << "a path still open is no region yet";
  EXPECT_TRUE(EndPath(dc.dc()));
  EXPECT_FALSE(CloseFigure(dc.dc())) << "the bracket is closed";
  EXPECT_TRUE(AbortPath(dc.dc()));
  EXPECT_EQ(PathToRegion(dc.dc()), nullptr) << "AbortPath drops an ended path too";
  EXPECT_TRUE(AbortPath(dc.dc())) << "with nothing to drop";
  EXPECT_FALSE(BeginPath(nullptr));
  EXPECT_EQ(PathToRegion(nullptr), nullptr);
}

TEST(PathTest, RectanglesLeaveOutTheirRightAndBottomEdges) {
  MemoryDc dc(8, 8);
  BeginPath(dc.dc());
  EXPECT_TRUE(Rectangle(dc.dc(), 6, 5, 1, 1)) << "corners in any order";
  HRGN region = EndAndTake(dc.dc());
  EXPECT_TRUE(HasBox(region, RECT{1, 1, 5, 4}));
  DeleteObject(region);

  BeginPath(dc.dc());
  EXPECT_TRUE(Ellipse(dc.dc(), 0, 0, 21, 21));
  region = EndAndTake(dc.dc());
  EXPECT_TRUE(PtInRegion(region, 10, 10));
  EXPECT_TRUE(PtInRegion(region, 1, 10));
  EXPECT_FALSE(PtInRegion(region, 2, 2)) << "outside the curve near the corner";
  EXPECT_FALSE(PtInRegion(region, 20, 10)) << "the right edge is left out";
  DeleteObject(region);
}

TEST(PathTest, FiguresCountTogetherUnderTheFillMode) {
  MemoryDc dc(4, 4);
  const POINT outer[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  const POINT inner[] = {{3, 3}, {7, 3}, {7, 7}, {3, 7}};
  const POINT reversed[] = {{3, 3}, {3, 7}, {7, 7}, {7, 3}};
  struct Case {
    int mode;
    const POINT* hole;
    bool filled;
  };
  for (const Case& c : {Case{ALTERNATE, inner, false}, Case{WINDING, inner, true},
                        Case{WINDING, reversed, false}}) {
    SetPolyFillMode(dc.dc(), c.mode);
    BeginPath(dc.dc());
    Polygon(dc.dc(), outer, 4);
    Polyline(dc.dc(), c.hole, 4);
    HRGN region = EndAndTake(dc.dc());
    EXPECT_EQ(PtInRegion(region, 5, 5), c.filled ? TRUE : FALSE) << "mode " << c.mode;
    EXPECT_TRUE(PtInRegion(region, 1, 1));
    EXPECT_FALSE(PtInRegion(region, 10, 10));
    DeleteObject(region);
  }
}

TEST(PathTest, LinesStartFromTheCurrentPositionAndFiguresAfterAClose) {
  MemoryDc dc(4, 4);
  MoveToEx(dc.dc(), 0, 0, nullptr);
  BeginPath(dc.dc());
  LineTo(dc.dc(), 10, 0);
  LineTo(dc.dc(), 10, 10);
  CloseFigure(dc.dc());
  LineTo(dc.dc(), 20, 10);
  LineTo(dc.dc(), 20, 20);
  HRGN region = EndAndTake(dc.dc());
  EXPECT_TRUE(PtInRegion(region, 8, 2)) << "(0, 0), (10, 0), (10, 10)";
  EXPECT_FALSE(PtInRegion(region, 2, 8));
  EXPECT_TRUE(PtInRegion(region, 18, 12)) << "a second figure from (10, 10)";
  EXPECT_FALSE(PtInRegion(region, 12, 18));
  DeleteObject(region);
}

TEST(PathTest, PointsAreRecordedInDevicePixels) {
  MemoryDc dc(4, 4);
  SetMapMode(dc.dc(), MM_ANISOTROPIC);
  SetViewportExtEx(dc.dc(), 2, 2, nullptr);
  SetViewportOrgEx(dc.dc(), 1, 1, nullptr);
  BeginPath(dc.dc());
  const POINT square[] = {{0, 0}, {5, 0}, {5, 5}, {0, 5}};
  Polygon(dc.dc(), square, 4);
  SetMapMode(dc.dc(), MM_TEXT);
  SetViewportOrgEx(dc.dc(), 0, 0, nullptr);
  HRGN region = EndAndTake(dc.dc());
  EXPECT_TRUE(HasBox(region, RECT{1, 1, 11, 11})) << "a later mapping does not move them";
  DeleteObject(region);
}

TEST(PathTest, AHugeSlantedPathIsRefusedNotBuilt) {
  MemoryDc dc(4, 4);
  BeginPath(dc.dc());
  const POINT sliver[] = {{0, 0}, {1 << 26, 1 << 26}, {0, 1 << 26}};
  Polygon(dc.dc(), sliver, 3);
  EndPath(dc.dc());
  EXPECT_EQ(PathToRegion(dc.dc()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  BeginPath(dc.dc());
  const POINT tall[] = {{0, 0}, {1 << 26, 0}, {1 << 26, 1 << 26}, {0, 1 << 26}};
  Polygon(dc.dc(), tall, 4);
  HRGN region = EndAndTake(dc.dc());
  EXPECT_TRUE(HasBox(region, RECT{0, 0, 1 << 26, 1 << 26})) << "straight bands cost nothing";
  DeleteObject(region);
}

// The recording rules on their own.
TEST(PathRecordingTest, LoneMovesGiveWayAndClosedFiguresEnd) {
  platform::gdi::Path path;
  path.Begin();
  path.MoveTo({1, 1});
  path.MoveTo({2, 2});
  path.LineTo({2, 2}, {3, 3});
  ASSERT_EQ(path.figures().size(), 1u) << "the first move led nowhere";
  EXPECT_EQ(path.figures()[0].points.size(), 2u);
  EXPECT_TRUE(path.CloseFigure());
  path.LineTo({3, 3}, {4, 4});
  ASSERT_EQ(path.figures().size(), 2u);
  EXPECT_TRUE(path.figures()[0].closed);
  EXPECT_EQ(path.figures()[1].points[0].x, 3) << "a line after a close starts anew";
  EXPECT_TRUE(platform::gdi::RectangleFigure({3, 3}, {3, 9}).empty());
  EXPECT_TRUE(platform::gdi::EllipseFigure({3, 3}, {4, 9}).empty());
}

}  // namespace
