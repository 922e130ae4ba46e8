// The Win32 rectangle functions.
#include <gtest/gtest.h>

#include <climits>

#include "platform/win32.h"

namespace {

testing::AssertionResult IsRect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
  if (r.left == left && r.top == top && r.right == right && r.bottom == bottom) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure()
         << "expected (" << left << ", " << top << ", " << right << ", " << bottom << ") but got ("
         << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

TEST(Rectangles, EmptinessAndPointsFollowTheExclusiveEdges) {
  RECT r{};
  ASSERT_TRUE(SetRect(&r, 1, 2, 4, 6));
  EXPECT_TRUE(PtInRect(&r, POINT{1, 2}));
  EXPECT_TRUE(PtInRect(&r, POINT{3, 5}));
  EXPECT_FALSE(PtInRect(&r, POINT{4, 5})) << "the right edge is outside";
  EXPECT_FALSE(PtInRect(&r, POINT{3, 6})) << "the bottom edge is outside";
  EXPECT_FALSE(IsRectEmpty(&r));
  RECT line{0, 0, 5, 0};
  RECT inverted{5, 5, 1, 9};
  EXPECT_TRUE(IsRectEmpty(&line));
  EXPECT_TRUE(IsRectEmpty(&inverted));
  EXPECT_TRUE(IsRectEmpty(nullptr));
  ASSERT_TRUE(SetRectEmpty(&r));
  EXPECT_TRUE(IsRect(r, 0, 0, 0, 0));
  EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
}

TEST(Rectangles, MovingGrowingCopyingAndComparing) {
  RECT r{10, 10, 20, 30};
  ASSERT_TRUE(OffsetRect(&r, -5, 2));
  EXPECT_TRUE(IsRect(r, 5, 12, 15, 32));
  ASSERT_TRUE(InflateRect(&r, 2, -3));
  EXPECT_TRUE(IsRect(r, 3, 15, 17, 29));
  RECT copy{};
  ASSERT_TRUE(CopyRect(&copy, &r));
  EXPECT_TRUE(EqualRect(&copy, &r));
  copy.bottom++;
  EXPECT_FALSE(EqualRect(&copy, &r));
  RECT edge{INT_MAX - 1, 0, INT_MAX, 1};
  ASSERT_TRUE(OffsetRect(&edge, 2, 0));
  EXPECT_TRUE(IsRect(edge, INT_MIN, 0, INT_MIN + 1, 1)) << "coordinates wrap as on Windows";
  ASSERT_TRUE(InflateRect(&edge, INT_MIN, 0));
  EXPECT_TRUE(IsRect(edge, 0, 0, 1, 1));
}

TEST(Rectangles, IntersectionIsEmptyRatherThanInverted) {
  RECT a{0, 0, 10, 10};
  RECT b{5, 5, 15, 15};
  RECT out{1, 1, 1, 1};
  EXPECT_TRUE(IntersectRect(&out, &a, &b));
  EXPECT_TRUE(IsRect(out, 5, 5, 10, 10));
  RECT apart{10, 0, 20, 10};
  EXPECT_FALSE(IntersectRect(&out, &a, &apart)) << "touching edges share no pixel";
  EXPECT_TRUE(IsRect(out, 0, 0, 0, 0));
}

TEST(Rectangles, UnionIgnoresEmptyRectangles) {
  RECT a{0, 0, 2, 2};
  RECT b{5, 6, 7, 8};
  RECT empty{100, 100, 100, 200};
  RECT out{};
  EXPECT_TRUE(UnionRect(&out, &a, &b));
  EXPECT_TRUE(IsRect(out, 0, 0, 7, 8));
  EXPECT_TRUE(UnionRect(&out, &empty, &b));
  EXPECT_TRUE(IsRect(out, 5, 6, 7, 8)) << "the empty rectangle does not stretch the union";
  EXPECT_FALSE(UnionRect(&out, &empty, &empty));
  EXPECT_TRUE(IsRect(out, 0, 0, 0, 0));
}

TEST(Rectangles, SubtractOnlyCutsAWholeSide) {
  RECT base{10, 10, 100, 100};
  RECT corner{50, 50, 150, 150};
  RECT right_side{50, 10, 150, 150};
  RECT top_band{0, 0, 200, 40};
  RECT all{0, 0, 200, 200};
  RECT middle{0, 40, 200, 60};
  RECT out{};
  EXPECT_TRUE(SubtractRect(&out, &base, &corner));
  EXPECT_TRUE(IsRect(out, 10, 10, 100, 100)) << "a corner leaves an L: its box is the whole";
  EXPECT_TRUE(SubtractRect(&out, &base, &right_side));
  EXPECT_TRUE(IsRect(out, 10, 10, 50, 100));
  EXPECT_TRUE(SubtractRect(&out, &base, &top_band));
  EXPECT_TRUE(IsRect(out, 10, 40, 100, 100));
  EXPECT_TRUE(SubtractRect(&out, &base, &middle));
  EXPECT_TRUE(IsRect(out, 10, 10, 100, 100)) << "a band through the middle leaves two pieces";
  EXPECT_FALSE(SubtractRect(&out, &base, &all));
  EXPECT_TRUE(IsRect(out, 0, 0, 0, 0));
}

}  // namespace
