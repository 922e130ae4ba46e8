// Elliptic, rounded and polygon regions: which pixels they hold, the fill
// modes on a self-crossing star, degenerate and huge inputs.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace {

// The region's pixels inside `width` x `height` from the origin, one text
// row per pixel row, 'X' for members.
std::string Membership(HRGN region, int width, int height) {
  std::string text;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) text += PtInRegion(region, x, y) ? 'X' : '.';
    text += '\n';
  }
  return text;
}

std::string Lines(std::initializer_list<const char*> rows) {
  std::string text;
  for (const char* row : rows) (text += row) += '\n';
  return text;
}

TEST(EllipticRegion, HoldsThePixelsWhoseCentresAreInTheInscribedEllipse) {
  HRGN region = CreateEllipticRgn(0, 0, 6, 4);
  ASSERT_NE(region, nullptr);
  EXPECT_EQ(Membership(region, 7, 5), Lines({".XXXX..",  //
                                             "XXXXXX.",  //
                                             "XXXXXX.",  //
                                             ".XXXX..",  //
                                             "......."}));
  RECT box{};
  EXPECT_EQ(GetRgnBox(region, &box), COMPLEXREGION);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, 6) << "the right edge is outside, as for rectangles";
  EXPECT_EQ(box.bottom, 4);
  DeleteObject(region);
}

TEST(EllipticRegion, CornerOrderAndNegativePlacesDoNotChangeTheShape) {
  HRGN forward = CreateEllipticRgn(0, 0, 9, 5);
  HRGN backward = CreateEllipticRgn(9, 5, 0, 0);
  const RECT far_box{-20, -15, -11, -10};
  HRGN far = CreateEllipticRgnIndirect(&far_box);
  EXPECT_TRUE(EqualRgn(forward, backward));
  OffsetRgn(far, 20, 15);
  EXPECT_TRUE(EqualRgn(forward, far));
  EXPECT_EQ(CreateEllipticRgnIndirect(nullptr), nullptr);
  for (HRGN r : {forward, backward, far}) DeleteObject(r);
}

TEST(EllipticRegion, MatchesWhatEllipseCoversWithAOnePixelPen) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 12, 9);
  HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, 12, 9, WHITENESS);
  HGDIOBJ old_brush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Ellipse(dc, 1, 1, 12, 8);
  HRGN region = CreateEllipticRgn(1, 1, 12, 8);
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 12; ++x) {
      EXPECT_EQ(PtInRegion(region, x, y) != FALSE, GetPixel(dc, x, y) == RGB(0, 0, 0))
          << "pixel " << x << "," << y;
    }
  }
  DeleteObject(region);
  SelectObject(dc, old_brush);
  SelectObject(dc, old_bitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST(RoundRectRegion, RoundsTheCornersAndBecomesABoxOrAnEllipseAtTheExtremes) {
  HRGN rounded = CreateRoundRectRgn(0, 0, 8, 6, 4, 4);
  EXPECT_EQ(Membership(rounded, 8, 6), Lines({".XXXXXX.",  //
                                              "XXXXXXXX",  //
                                              "XXXXXXXX",  //
                                              "XXXXXXXX",  //
                                              "XXXXXXXX",  //
                                              ".XXXXXX."}));
  HRGN square = CreateRoundRectRgn(0, 0, 8, 6, 0, 0);
  HRGN box = CreateRectRgn(0, 0, 8, 6);
  EXPECT_TRUE(EqualRgn(square, box)) << "no corners: the rectangle";
  HRGN oversized = CreateRoundRectRgn(0, 0, 8, 6, 100, -100);
  HRGN ellipse = CreateEllipticRgn(0, 0, 8, 6);
  EXPECT_TRUE(EqualRgn(oversized, ellipse)) << "corners no larger than the box, signs ignored";
  for (HRGN r : {rounded, square, box, oversized, ellipse}) DeleteObject(r);
}

TEST(ShapedRegions, DegenerateBoxesGiveEmptyRegionsAndHugeOnesDoNotOverflow) {
  RECT box{};
  HRGN flat = CreateEllipticRgn(5, 5, 5, 10);
  ASSERT_NE(flat, nullptr);
  EXPECT_EQ(GetRgnBox(flat, &box), NULLREGION);
  HRGN thin = CreateRoundRectRgn(0, 3, 10, 3, 4, 4);
  EXPECT_EQ(GetRgnBox(thin, &box), NULLREGION);

  // A huge box with square or small corners is cheap: the rows between the
  // corners are one band.
  HRGN huge = CreateRoundRectRgn(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0);
  ASSERT_NE(huge, nullptr);
  EXPECT_EQ(GetRgnBox(huge, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, -(1 << 27)) << "coordinates are kept inside +-2^27";
  EXPECT_EQ(box.right, 1 << 27);
  HRGN huge_rounded = CreateRoundRectRgn(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 20, 20);
  ASSERT_NE(huge_rounded, nullptr);
  EXPECT_FALSE(PtInRegion(huge_rounded, -(1 << 27), -(1 << 27)));
  EXPECT_TRUE(PtInRegion(huge_rounded, 0, -(1 << 27)));

  // An ellipse that tall needs a rectangle per row: refused, not built.
  SetLastError(0);
  EXPECT_EQ(CreateEllipticRgn(INT_MIN, INT_MIN, INT_MAX, INT_MAX), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(CreateRoundRectRgn(0, 0, 100, 100, INT_MIN, INT_MIN) != nullptr, true)
      << "corner sizes are clamped to the box";
  for (HRGN r : {flat, thin, huge, huge_rounded}) DeleteObject(r);
}

TEST(PolygonRegion, HoldsThePixelsWhoseCentresAreInside) {
  const POINT triangle[] = {{0, 0}, {4, 0}, {0, 4}};
  HRGN region = CreatePolygonRgn(triangle, 3, ALTERNATE);
  EXPECT_EQ(Membership(region, 4, 4), Lines({"XXX.",  //
                                             "XX..",  //
                                             "X...",  //
                                             "...."}));
  const POINT corners[] = {{2, 1}, {9, 1}, {9, 7}, {2, 7}};
  HRGN square = CreatePolygonRgn(corners, 4, WINDING);
  HRGN box = CreateRectRgn(2, 1, 9, 7);
  EXPECT_TRUE(EqualRgn(square, box)) << "a rectangle's corners make the rectangle";
  for (HRGN r : {region, square, box}) DeleteObject(r);
}

TEST(PolygonRegion, AStarsCentreIsInsideByWindingButNotByAlternate) {
  const POINT star[] = {{50, 10}, {74, 82}, {12, 38}, {88, 38}, {26, 82}};
  HRGN alternate = CreatePolygonRgn(star, 5, ALTERNATE);
  HRGN winding = CreatePolygonRgn(star, 5, WINDING);
  EXPECT_FALSE(PtInRegion(alternate, 50, 50)) << "crossed twice: outside by ALTERNATE";
  EXPECT_TRUE(PtInRegion(winding, 50, 50)) << "wound twice: inside by WINDING";
  for (HRGN r : {alternate, winding}) {
    EXPECT_TRUE(PtInRegion(r, 50, 15)) << "the top point";
    EXPECT_TRUE(PtInRegion(r, 20, 40)) << "the left point";
    EXPECT_FALSE(PtInRegion(r, 50, 80)) << "between the bottom points";
    EXPECT_FALSE(PtInRegion(r, 10, 10));
  }
  HRGN difference = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(difference, winding, alternate, RGN_DIFF), COMPLEXREGION);
  RECT centre{};
  GetRgnBox(difference, &centre);
  EXPECT_GT(centre.left, 30) << "only the middle pentagon differs";
  EXPECT_LT(centre.right, 70);
  for (HRGN r : {alternate, winding, difference}) DeleteObject(r);
}

TEST(PolygonRegion, RefusesFewPointsAndUnknownModesAndBoundsItsWork) {
  const POINT two[] = {{0, 0}, {5, 5}};
  SetLastError(0);
  EXPECT_EQ(CreatePolygonRgn(two, 1, ALTERNATE), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(CreatePolygonRgn(nullptr, 3, ALTERNATE), nullptr);
  EXPECT_EQ(CreatePolygonRgn(two, 2, 7), nullptr);
  HRGN line = CreatePolygonRgn(two, 2, ALTERNATE);
  ASSERT_NE(line, nullptr) << "two points: a region with nothing in it";
  RECT box{};
  EXPECT_EQ(GetRgnBox(line, &box), NULLREGION);

  const POINT huge_box[] = {
      {INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}};
  HRGN whole = CreatePolygonRgn(huge_box, 4, ALTERNATE);
  ASSERT_NE(whole, nullptr) << "straight sides: one band, however tall";
  EXPECT_EQ(GetRgnBox(whole, &box), SIMPLEREGION);
  EXPECT_EQ(box.bottom, 1 << 27);
  const POINT huge_triangle[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}};
  SetLastError(0);
  EXPECT_EQ(CreatePolygonRgn(huge_triangle, 3, WINDING), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  DeleteObject(line);
  DeleteObject(whole);
}

}  // namespace
