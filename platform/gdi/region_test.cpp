// Regions: the Region class under the layer and the HRGN functions over it.
#include "platform/gdi/region.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32.h"

namespace {

using platform::gdi::Region;

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(Region, EmptyAndInvertedRectanglesGiveTheEmptyRegion) {
  EXPECT_TRUE(Region(RECT{5, 5, 5, 9}).IsEmpty());
  EXPECT_TRUE(Region(RECT{5, 5, 1, 9}).IsEmpty());
  Region region(RECT{0, 0, 4, 4});
  region.Union(RECT{9, 9, 2, 2});
  EXPECT_EQ(region, Region(RECT{0, 0, 4, 4})) << "an inverted rectangle adds nothing";
  region.Intersect(RECT{3, 3, 1, 1});
  EXPECT_TRUE(region.IsEmpty());
  EXPECT_TRUE(SameRect(region.Bounds(), RECT{0, 0, 0, 0}));
}

TEST(Region, AlgebraMatchesPixelSets) {
  const Region a(RECT{0, 0, 4, 4});
  const Region b(RECT{2, 2, 6, 6});
  Region x = a;
  x.Xor(b);
  for (int y = -1; y < 7; ++y) {
    for (int px = -1; px < 7; ++px) {
      const bool in_a = a.Contains(POINT{px, y});
      const bool in_b = b.Contains(POINT{px, y});
      EXPECT_EQ(x.Contains(POINT{px, y}), in_a != in_b) << "xor at " << px << "," << y;
    }
  }
  Region d = a;
  d.Subtract(b);
  EXPECT_TRUE(d.Contains(POINT{1, 3}));
  EXPECT_FALSE(d.Contains(POINT{3, 3}));
  EXPECT_EQ(d.Rects().size(), 2u) << "an L shape is two bands";
  EXPECT_TRUE(SameRect(d.Bounds(), RECT{0, 0, 4, 4}));
}

TEST(Region, EmptyRegionsAreEqualWhateverEmptiedThem) {
  Region first(RECT{0, 0, 2, 2});
  first.Subtract(RECT{0, 0, 2, 2});
  Region second(RECT{50, 50, 60, 60});
  second.Intersect(RECT{0, 0, 1, 1});
  EXPECT_EQ(first, second);
  EXPECT_FALSE(first == Region(RECT{0, 0, 1, 1}));
}

TEST(Region, MovesAndCopiesKeepTheirRectangles) {
  Region source = Region::FromRects({RECT{0, 0, 1, 1}, RECT{5, 5, 6, 6}});
  Region copy = source;
  Region moved = std::move(source);
  EXPECT_EQ(copy, moved);
  EXPECT_EQ(moved.Rects().size(), 2u);
  moved.Offset(10, 20);
  EXPECT_TRUE(moved.Contains(POINT{15, 25}));
  EXPECT_FALSE(copy.Contains(POINT{15, 25})) << "a copy is not shared";
  copy = std::move(moved);
  EXPECT_TRUE(copy.Intersects(RECT{14, 24, 16, 26}));
  EXPECT_FALSE(copy.Intersects(RECT{0, 0, 1, 1}));
}

TEST(RegionHandles, CombineRgnAnswersTheTypeOfTheResult) {
  HRGN a = CreateRectRgn(0, 0, 10, 10);
  HRGN b = CreateRectRgn(5, 0, 15, 10);
  HRGN out = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(out, a, b, RGN_AND), SIMPLEREGION);
  RECT box{};
  EXPECT_EQ(GetRgnBox(out, &box), SIMPLEREGION);
  EXPECT_TRUE(SameRect(box, RECT{5, 0, 10, 10}));
  EXPECT_EQ(CombineRgn(out, a, b, RGN_OR), SIMPLEREGION) << "side by side they make one rectangle";
  EXPECT_EQ(CombineRgn(out, a, b, RGN_XOR), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(out, 7, 5));
  EXPECT_TRUE(PtInRegion(out, 12, 5));
  EXPECT_EQ(CombineRgn(out, a, b, RGN_DIFF), SIMPLEREGION);
  EXPECT_EQ(GetRgnBox(out, &box), SIMPLEREGION);
  EXPECT_TRUE(SameRect(box, RECT{0, 0, 5, 10}));
  EXPECT_EQ(CombineRgn(out, a, a, RGN_DIFF), NULLREGION);
  EXPECT_EQ(CombineRgn(out, b, nullptr, RGN_COPY), SIMPLEREGION) << "RGN_COPY ignores the second";
  EXPECT_TRUE(EqualRgn(out, b));
  EXPECT_EQ(CombineRgn(out, a, b, 9), ERROR);
  EXPECT_EQ(CombineRgn(out, a, nullptr, RGN_AND), ERROR);
  for (HRGN r : {a, b, out}) DeleteObject(r);
}

TEST(RegionHandles, ARegionMayBeCombinedIntoItself) {
  HRGN a = CreateRectRgn(0, 0, 4, 4);
  HRGN b = CreateRectRgn(2, 2, 6, 6);
  EXPECT_EQ(CombineRgn(a, a, b, RGN_OR), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(a, 5, 5));
  EXPECT_TRUE(PtInRegion(a, 0, 0));
  EXPECT_FALSE(PtInRegion(a, 5, 0));
  EXPECT_EQ(CombineRgn(b, a, b, RGN_DIFF), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(b, 3, 3));
  DeleteObject(a);
  DeleteObject(b);
}

TEST(RegionHandles, RectanglesArePutInOrderAndRightBottomAreOutside) {
  HRGN region = CreateRectRgn(10, 10, 0, 0);
  RECT box{};
  EXPECT_EQ(GetRgnBox(region, &box), SIMPLEREGION);
  EXPECT_TRUE(SameRect(box, RECT{0, 0, 10, 10}));
  EXPECT_TRUE(PtInRegion(region, 9, 9));
  EXPECT_FALSE(PtInRegion(region, 10, 9));
  RECT touching{10, 0, 20, 10};
  EXPECT_FALSE(RectInRegion(region, &touching));
  RECT overlapping{9, 9, 20, 20};
  EXPECT_TRUE(RectInRegion(region, &overlapping));
  EXPECT_TRUE(SetRectRgn(region, 3, 3, 1, 1));
  GetRgnBox(region, &box);
  EXPECT_TRUE(SameRect(box, RECT{1, 1, 3, 3}));
  EXPECT_EQ(OffsetRgn(region, -1, 2), SIMPLEREGION);
  GetRgnBox(region, &box);
  EXPECT_TRUE(SameRect(box, RECT{0, 3, 2, 5}));
  EXPECT_TRUE(SetRectRgn(region, 0, 0, 0, 0));
  EXPECT_EQ(GetRgnBox(region, &box), NULLREGION);
  EXPECT_TRUE(SameRect(box, RECT{0, 0, 0, 0}));
  DeleteObject(region);
}

TEST(RegionHandles, BadHandlesGiveErrors) {
  HRGN bogus = reinterpret_cast<HRGN>(uintptr_t{0xDEAD0});
  RECT box{};
  EXPECT_EQ(GetRgnBox(bogus, &box), ERROR);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(OffsetRgn(bogus, 1, 1), ERROR);
  EXPECT_FALSE(PtInRegion(bogus, 0, 0));
  HBRUSH brush = CreateSolidBrush(0);
  EXPECT_EQ(GetRgnBox(reinterpret_cast<HRGN>(brush), &box), ERROR) << "a brush is not a region";
  DeleteObject(brush);
  HRGN region = CreateRectRgnIndirect(&box);
  EXPECT_EQ(GetObjectType(region), static_cast<DWORD>(OBJ_REGION));
  EXPECT_EQ(GetObjectA(region, sizeof box, &box), 0) << "GetObjectA does not describe regions";
  DeleteObject(region);
}

}  // namespace
