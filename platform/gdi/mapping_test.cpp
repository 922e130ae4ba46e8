// Mapping modes: the conversions both ways in every mode, the isotropic
// adjustment, the facade's previous values and errors, and drawing, filling
// and clipping in logical units.
#include "platform/gdi/mapping.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "platform/gdi/gdi_testing.h"
#include "platform/gdi/screen_info.h"
#include "platform/win32.h"

namespace {

using gdi_testing::MemoryDc;
using platform::gdi::DeviceSize;
using platform::gdi::Mapping;

constexpr uint32_t W = 0xFFFFFF;
constexpr uint32_t K = 0x000000;

// The headless screen: 1366 x 768 pixels, 361 x 203 mm at 96 DPI.
const DeviceSize kScreen{SIZE{361, 203}, SIZE{1366, 768}};

Mapping Scaled(SIZE window, SIZE viewport, POINT window_origin = {0, 0},
               POINT viewport_origin = {0, 0}) {
  Mapping m;
  m.mode = MM_ANISOTROPIC;
  m.window_extent = window;
  m.viewport_extent = viewport;
  m.window_origin = window_origin;
  m.viewport_origin = viewport_origin;
  return m;
}

testing::AssertionResult IsPoint(POINT actual, LONG x, LONG y) {
  if (actual.x == x && actual.y == y) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "expected (" << x << ", " << y << "), got (" << actual.x << ", " << actual.y << ")";
}

testing::AssertionResult IsSize(SIZE actual, LONG cx, LONG cy) {
  if (actual.cx == cx && actual.cy == cy) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "expected " << cx << " x " << cy << ", got " << actual.cx << " x " << actual.cy;
}

testing::AssertionResult IsRect(RECT actual, RECT expected) {
  if (EqualRect(&actual, &expected)) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "expected (" << expected.left << ", " << expected.top << ", " << expected.right << ", "
         << expected.bottom << "), got (" << actual.left << ", " << actual.top << ", "
         << actual.right << ", " << actual.bottom << ")";
}

TEST(MappingConversionTest, ScalesOffsetsAndConvertsBack) {
  const Mapping m = Scaled({2, 3}, {4, -6}, {1, 1}, {10, 20});
  EXPECT_TRUE(IsPoint(ToDevice(m, {2, 2}), 12, 18));
  EXPECT_TRUE(IsPoint(ToLogical(m, {12, 18}), 2, 2));
  EXPECT_TRUE(IsPoint(ToDevice(m, {1, 1}), 10, 20)) << "the window origin lands on the viewport's";
  EXPECT_TRUE(IsPoint(ToDevice(Mapping{}, {-7, 9}), -7, 9)) << "MM_TEXT changes nothing";
  EXPECT_TRUE(Mapping{}.IsIdentity());
  EXPECT_FALSE(m.IsIdentity());
  EXPECT_TRUE(IsRect(ToDeviceRect(m, RECT{1, 1, 3, 4}), RECT{10, 14, 14, 20}))
      << "a flipped axis puts the corners back in order";
  EXPECT_TRUE(IsRect(ToLogicalRect(m, RECT{10, 14, 14, 20}), RECT{1, 1, 3, 4}));
}

TEST(MappingConversionTest, RoundsHalvesUpBothWays) {
  const Mapping half = Scaled({2, 2}, {1, 1});
  EXPECT_TRUE(IsPoint(ToDevice(half, {1, 3}), 1, 2)) << "0.5 and 1.5 round up";
  EXPECT_TRUE(IsPoint(ToDevice(half, {-1, -3}), 0, -1)) << "-0.5 and -1.5 round up too";
  const Mapping flipped = Scaled({2, 2}, {-1, -1});
  EXPECT_TRUE(IsPoint(ToDevice(flipped, {1, -1}), 0, 1));
  const Mapping twice = Scaled({1, 1}, {2, 2});
  EXPECT_TRUE(IsPoint(ToLogical(twice, {1, -1}), 1, 0)) << "DPtoLP rounds the same way";
  EXPECT_TRUE(IsPoint(ToLogical(twice, {3, -3}), 2, -1));
  const Mapping thirds = Scaled({3, 3}, {1, 1});
  EXPECT_TRUE(IsPoint(ToDevice(thirds, {4, 5}), 1, 2)) << "1.33 and 1.67";
}

TEST(MappingConversionTest, ClampsToThirtyTwoBitsAndScalesLengths) {
  const Mapping huge = Scaled({1, 1}, {1000000, -1000000});
  EXPECT_TRUE(IsPoint(ToDevice(huge, {1 << 30, 1 << 30}), INT_MAX, INT_MIN));
  const Mapping far = Scaled({1, 1}, {1, 1}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX});
  EXPECT_TRUE(IsPoint(ToDevice(far, {INT_MAX, 0}), INT_MAX, INT_MAX))
      << "offsets beyond 32 bits are computed exactly, then clamped";
  const Mapping m = Scaled({3, 4}, {-2, 1});
  EXPECT_EQ(WidthToDevice(m, 3), 2) << "a flipped axis keeps the length's sign";
  EXPECT_EQ(WidthToDevice(m, -3), -2);
  EXPECT_EQ(WidthToDevice(m, 0), 0);
  EXPECT_EQ(HeightToDevice(m, 6), 2) << "1.5 rounds away from zero";
  EXPECT_EQ(HeightToDevice(m, -6), -2);
}

TEST(MappingModeTest, FixedModesTakeTheScreenSizeAndRunYUpwards) {
  struct Case {
    int mode;
    LONG cx;
    LONG cy;
  };
  for (const Case& c : {Case{MM_LOMETRIC, 3610, 2030}, Case{MM_HIMETRIC, 36100, 20300},
                        Case{MM_LOENGLISH, 1421, 799}, Case{MM_HIENGLISH, 14213, 7992},
                        Case{MM_TWIPS, 20466, 11509}}) {
    Mapping m;
    m.window_origin = POINT{5, 5};
    ASSERT_TRUE(SetMode(m, c.mode, kScreen));
    EXPECT_TRUE(IsSize(m.window_extent, c.cx, c.cy)) << "mode " << c.mode;
    EXPECT_TRUE(IsSize(m.viewport_extent, 1366, -768)) << "mode " << c.mode;
    EXPECT_TRUE(IsPoint(m.window_origin, 5, 5)) << "origins stay";
    EXPECT_TRUE(SetWindowExtent(m, SIZE{1, 1})) << "ignored, not refused";
    EXPECT_TRUE(IsSize(m.window_extent, c.cx, c.cy));
  }
  Mapping m;
  ASSERT_TRUE(SetMode(m, MM_LOMETRIC, kScreen));
  EXPECT_TRUE(IsPoint(ToDevice(m, {100, -50}), 38, 19)) << "37.8 and 18.9 pixels";
  EXPECT_TRUE(IsPoint(ToLogical(m, {100, 100}), 264, -264));
  EXPECT_FALSE(SetMode(m, 0, kScreen));
  EXPECT_FALSE(SetMode(m, MM_ANISOTROPIC + 1, kScreen));
  EXPECT_EQ(m.mode, MM_LOMETRIC);
}

TEST(MappingModeTest, ScalableModesKeepOrSetTheirExtents) {
  Mapping m;
  ASSERT_TRUE(SetMode(m, MM_ANISOTROPIC, kScreen));
  EXPECT_TRUE(IsSize(m.window_extent, 1, 1)) << "from MM_TEXT: one to one";
  EXPECT_TRUE(IsSize(m.viewport_extent, 1, 1));
  ASSERT_TRUE(SetMode(m, MM_TWIPS, kScreen));
  ASSERT_TRUE(SetMode(m, MM_ANISOTROPIC, kScreen));
  EXPECT_TRUE(IsSize(m.window_extent, 20466, 11509)) << "the fixed mode's extents stay";
  EXPECT_FALSE(SetWindowExtent(m, SIZE{0, 5}));
  EXPECT_FALSE(SetViewportExtent(m, SIZE{5, 0}));
  EXPECT_TRUE(IsSize(m.window_extent, 20466, 11509)) << "zero extents are refused";
  EXPECT_TRUE(SetWindowExtent(m, SIZE{-3, 7}));
  ASSERT_TRUE(SetMode(m, MM_ANISOTROPIC, kScreen));
  EXPECT_TRUE(IsSize(m.window_extent, -3, 7)) << "choosing the same mode changes nothing";
  ASSERT_TRUE(SetMode(m, MM_ISOTROPIC, kScreen));
  EXPECT_TRUE(IsSize(m.window_extent, 3610, 2030)) << "isotropic starts out as MM_LOMETRIC";
  EXPECT_TRUE(IsSize(m.viewport_extent, 1366, -768));
  ASSERT_TRUE(SetMode(m, MM_TEXT, kScreen));
  EXPECT_TRUE(IsSize(m.window_extent, 1, 1));
  EXPECT_TRUE(IsSize(m.viewport_extent, 1, 1));
}

TEST(MappingModeTest, IsotropicShrinksTheLargerScale) {
  struct Case {
    SIZE window;
    SIZE viewport;
    SIZE expected;
  };
  const Case cases[] = {
      {{100, 100}, {200, 100}, {100, 100}},  // x scale 2 shrinks to 1
      {{100, 100}, {200, -50}, {50, -50}},   // signs stay
      {{100, 100}, {-300, 100}, {-100, 100}},
      {{3, 1}, {10, 10}, {10, 3}},  // y: 10 * 1 / 3 = 3.33
      {{4, 1}, {10, 5}, {10, 3}},   // y: 10 * 1 / 4 = 2.5 rounds up
      {{1, 1000}, {1, 1}, {1, 1}},  // x would be 0.001: never 0
      {{2, 1}, {10, 5}, {10, 5}},   // already square
  };
  for (const Case& c : cases) {
    Mapping m;
    ASSERT_TRUE(SetMode(m, MM_ISOTROPIC, kScreen));
    ASSERT_TRUE(SetWindowExtent(m, c.window));
    ASSERT_TRUE(SetViewportExtent(m, c.viewport));
    EXPECT_TRUE(IsSize(m.viewport_extent, c.expected.cx, c.expected.cy))
        << "window " << c.window.cx << " x " << c.window.cy << ", viewport " << c.viewport.cx
        << " x " << c.viewport.cy;
  }
  Mapping m;
  ASSERT_TRUE(SetMode(m, MM_ISOTROPIC, kScreen));
  ASSERT_TRUE(SetWindowExtent(m, SIZE{10, 10}));
  ASSERT_TRUE(SetViewportExtent(m, SIZE{100, 100}));
  ASSERT_TRUE(SetWindowExtent(m, SIZE{10, 20}));
  EXPECT_TRUE(IsSize(m.viewport_extent, 50, 100)) << "a new window extent adjusts too";
}

// The facade on a memory DC, with the screen pinned to the headless size.
class MappingFacadeTest : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = platform::gdi::CurrentScreen();
    platform::gdi::SetScreen(platform::gdi::ScreenInfo{1366, 768, 96});
  }
  void TearDown() override { platform::gdi::SetScreen(saved_); }

 private:
  platform::gdi::ScreenInfo saved_;
};

TEST_F(MappingFacadeTest, SettersHandBackWhatWasThere) {
  MemoryDc dc(4, 4);
  EXPECT_EQ(GetMapMode(dc.dc()), MM_TEXT);
  EXPECT_EQ(SetMapMode(dc.dc(), MM_LOMETRIC), MM_TEXT);
  EXPECT_EQ(SetMapMode(dc.dc(), MM_ANISOTROPIC), MM_LOMETRIC);
  SIZE size{};
  ASSERT_TRUE(GetWindowExtEx(dc.dc(), &size));
  EXPECT_TRUE(IsSize(size, 3610, 2030)) << "HORZSIZE and VERTSIZE of the headless screen";
  EXPECT_TRUE(SetWindowExtEx(dc.dc(), 10, 20, &size));
  EXPECT_TRUE(IsSize(size, 3610, 2030));
  EXPECT_TRUE(SetWindowExtEx(dc.dc(), 10, 20, nullptr));
  EXPECT_FALSE(SetViewportExtEx(dc.dc(), 0, 20, &size));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(IsSize(size, 1366, -768)) << "the previous extent comes back even when refused";
  POINT point{};
  EXPECT_TRUE(SetWindowOrgEx(dc.dc(), 3, 4, nullptr));
  EXPECT_TRUE(OffsetWindowOrgEx(dc.dc(), 1, -1, &point));
  EXPECT_TRUE(IsPoint(point, 3, 4));
  ASSERT_TRUE(GetWindowOrgEx(dc.dc(), &point));
  EXPECT_TRUE(IsPoint(point, 4, 3));
  EXPECT_TRUE(SetViewportOrgEx(dc.dc(), -5, 6, &point));
  EXPECT_TRUE(IsPoint(point, 0, 0));
  EXPECT_TRUE(OffsetViewportOrgEx(dc.dc(), 5, 6, nullptr));
  ASSERT_TRUE(GetViewportOrgEx(dc.dc(), &point));
  EXPECT_TRUE(IsPoint(point, 0, 12));
  EXPECT_FALSE(GetViewportOrgEx(dc.dc(), nullptr));
  EXPECT_FALSE(GetWindowExtEx(dc.dc(), nullptr));
  EXPECT_EQ(SetMapMode(dc.dc(), 99), 0);
  EXPECT_EQ(GetMapMode(dc.dc()), MM_ANISOTROPIC);
  EXPECT_EQ(SetMapMode(nullptr, MM_TEXT), 0);
  EXPECT_EQ(GetMapMode(nullptr), 0);
  EXPECT_FALSE(SetWindowOrgEx(nullptr, 0, 0, nullptr));
}

TEST_F(MappingFacadeTest, PointsConvertInPlaceAndTheStateIsSaved) {
  MemoryDc dc(4, 4);
  SetMapMode(dc.dc(), MM_ANISOTROPIC);
  SetWindowExtEx(dc.dc(), 2, 2, nullptr);
  SetViewportExtEx(dc.dc(), 3, -3, nullptr);
  SetViewportOrgEx(dc.dc(), 10, 10, nullptr);
  POINT points[] = {{0, 0}, {1, 1}, {4, -4}};
  ASSERT_TRUE(LPtoDP(dc.dc(), points, 3));
  EXPECT_TRUE(IsPoint(points[0], 10, 10));
  EXPECT_TRUE(IsPoint(points[1], 12, 9)) << "1.5 up, -1.5 up";
  EXPECT_TRUE(IsPoint(points[2], 16, 16));
  ASSERT_TRUE(DPtoLP(dc.dc(), points + 2, 1));
  EXPECT_TRUE(IsPoint(points[2], 4, -4));
  EXPECT_TRUE(LPtoDP(dc.dc(), nullptr, 0));
  EXPECT_FALSE(LPtoDP(dc.dc(), nullptr, 1));
  EXPECT_FALSE(DPtoLP(dc.dc(), points, -1));

  const int saved = SaveDC(dc.dc());
  SetMapMode(dc.dc(), MM_TEXT);
  SetViewportOrgEx(dc.dc(), 0, 0, nullptr);
  ASSERT_TRUE(RestoreDC(dc.dc(), saved));
  EXPECT_EQ(GetMapMode(dc.dc()), MM_ANISOTROPIC);
  POINT back{1, 1};
  LPtoDP(dc.dc(), &back, 1);
  EXPECT_TRUE(IsPoint(back, 12, 9)) << "RestoreDC brings the whole mapping back";
}

TEST_F(MappingFacadeTest, ALineInTenthsOfAMillimetreLandsOnItsPixels) {
  MemoryDc dc(40, 20, W);
  SetMapMode(dc.dc(), MM_LOMETRIC);
  MoveToEx(dc.dc(), 0, 0, nullptr);
  EXPECT_TRUE(LineTo(dc.dc(), 100, -50)) << "to device (38, 19)";
  EXPECT_EQ(dc.at(0, 0), K);
  EXPECT_EQ(dc.at(19, 9), K) << "the middle";
  EXPECT_EQ(dc.at(37, 18), K) << "the last pixel before the end";
  EXPECT_EQ(dc.at(38, 19), W) << "the end point is left out";
  EXPECT_EQ(dc.at(1, 1), W);
  POINT position{};
  ASSERT_TRUE(GetCurrentPositionEx(dc.dc(), &position));
  EXPECT_TRUE(IsPoint(position, 100, -50)) << "the current position is logical";
  EXPECT_EQ(SetPixel(dc.dc(), 50, -50, RGB(255, 0, 0)), RGB(255, 0, 0));
  EXPECT_EQ(dc.at(19, 19), 0xFF0000u) << "18.9 rounds to 19 both ways";
  EXPECT_EQ(GetPixel(dc.dc(), 50, -50), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc.dc(), 0, 0), RGB(0, 0, 0));
}

// A DC at twice the scale: one logical unit is 2 x 2 pixels.
void ScaleByTwo(HDC dc) {
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 1, 1, nullptr);
  SetViewportExtEx(dc, 2, 2, nullptr);
}

TEST_F(MappingFacadeTest, FillsAndRegionsAreInLogicalUnits) {
  MemoryDc dc(8, 6, W);
  ScaleByTwo(dc.dc());
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  const RECT rect{1, 0, 3, 1};
  EXPECT_TRUE(FillRect(dc.dc(), &rect, black));
  HRGN region = CreateRectRgn(0, 2, 1, 3);
  EXPECT_TRUE(FillRgn(dc.dc(), region, black));
  EXPECT_TRUE(PatBlt(dc.dc(), 4, 3, -1, -1, BLACKNESS)) << "logical (3, 2)-(4, 3)";
  EXPECT_TRUE(gdi_testing::SamePixels({W, W, K, K, K, K, W, W,  //
                                       W, W, K, K, K, K, W, W,  //
                                       W, W, W, W, W, W, W, W,  //
                                       W, W, W, W, W, W, W, W,  //
                                       K, K, W, W, W, W, K, K,  //
                                       K, K, W, W, W, W, K, K},
                                      dc.Pixels(), 8));
  DeleteObject(region);
}

TEST_F(MappingFacadeTest, FramesAreOneLogicalUnitWide) {
  MemoryDc dc(8, 8, W);
  ScaleByTwo(dc.dc());
  const RECT rect{0, 0, 4, 4};
  EXPECT_TRUE(FrameRect(dc.dc(), &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  EXPECT_EQ(dc.at(1, 1), K) << "two pixels thick";
  EXPECT_EQ(dc.at(2, 2), W);
  EXPECT_EQ(dc.at(6, 6), K);
  EXPECT_EQ(dc.at(5, 5), W);
}

TEST_F(MappingFacadeTest, ClipRectanglesAndTheClipBoxAreLogical) {
  MemoryDc dc(100, 100, W);
  SetMapMode(dc.dc(), MM_LOMETRIC);
  RECT box{};
  EXPECT_EQ(GetClipBox(dc.dc(), &box), SIMPLEREGION);
  EXPECT_TRUE(IsRect(box, RECT{0, -264, 264, 0})) << "100 pixels are 26.4 mm, y upwards";

  ScaleByTwo(dc.dc());
  EXPECT_EQ(GetClipBox(dc.dc(), &box), SIMPLEREGION);
  EXPECT_TRUE(IsRect(box, RECT{0, 0, 50, 50}));
  EXPECT_EQ(IntersectClipRect(dc.dc(), 10, 10, 5, 5), SIMPLEREGION) << "corners in any order";
  EXPECT_EQ(GetClipBox(dc.dc(), &box), SIMPLEREGION);
  EXPECT_TRUE(IsRect(box, RECT{5, 5, 10, 10}));
  EXPECT_EQ(ExcludeClipRect(dc.dc(), 5, 5, 10, 6), SIMPLEREGION);
  const RECT all{0, 0, 50, 50};
  FillRect(dc.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(dc.at(10, 11), W) << "the excluded band, device rows 10 and 11";
  EXPECT_EQ(dc.at(10, 12), K);
  EXPECT_EQ(dc.at(19, 19), K);
  EXPECT_EQ(dc.at(20, 19), W) << "device (20, 20) ends the clip";

  HRGN device = CreateRectRgn(0, 0, 4, 4);
  EXPECT_EQ(SelectClipRgn(dc.dc(), device), SIMPLEREGION);
  EXPECT_EQ(GetClipBox(dc.dc(), &box), SIMPLEREGION);
  EXPECT_TRUE(IsRect(box, RECT{0, 0, 2, 2})) << "selected regions are device regions";
  DeleteObject(device);
}

TEST_F(MappingFacadeTest, GeometricPensScaleAndCosmeticOnesDoNot) {
  MemoryDc dc(10, 8, W);
  ScaleByTwo(dc.dc());
  HPEN one = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HGDIOBJ old = SelectObject(dc.dc(), one);
  MoveToEx(dc.dc(), 1, 1, nullptr);
  LineTo(dc.dc(), 4, 1);
  EXPECT_EQ(dc.at(4, 1), K) << "one unit is a two pixel pen";
  EXPECT_EQ(dc.at(4, 2), K);
  EXPECT_EQ(dc.at(4, 3), W);
  EXPECT_EQ(dc.at(4, 0), W);
  HPEN zero = CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
  SelectObject(dc.dc(), zero);
  MoveToEx(dc.dc(), 1, 3, nullptr);
  LineTo(dc.dc(), 4, 3);
  EXPECT_EQ(dc.at(4, 6), K);
  EXPECT_EQ(dc.at(4, 5), W) << "width 0 stays one pixel";
  EXPECT_EQ(dc.at(4, 7), W);
  SelectObject(dc.dc(), old);
  DeleteObject(one);
  DeleteObject(zero);
}

}  // namespace
