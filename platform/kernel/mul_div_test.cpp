// MulDiv: the 64-bit product, rounding to the nearest with halves away from
// zero, and -1 for what has no 32-bit answer.
#include <gtest/gtest.h>

#include <climits>

#include "platform/win32.h"

namespace {

TEST(MulDiv, ScalesPointSizesAsTheFontCodeNeedsThem) {
  EXPECT_EQ(MulDiv(12, 96, 72), 16);
  EXPECT_EQ(MulDiv(9, 96, 72), 12);
  EXPECT_EQ(MulDiv(105, 96, 720), 14);  // 10.5 points: 14.0
  EXPECT_EQ(MulDiv(16, 72, 96), 12);
}

TEST(MulDiv, RoundsHalvesAwayFromZeroWhateverTheSigns) {
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(5, 1, -2), -3);
  EXPECT_EQ(MulDiv(-5, -1, 2), 3);
  EXPECT_EQ(MulDiv(7, 1, 3), 2);  // 2.33
  EXPECT_EQ(MulDiv(8, 1, 3), 3);  // 2.67
  EXPECT_EQ(MulDiv(-8, 1, 3), -3);
}

TEST(MulDiv, KeepsTheWholeProductBeforeDividing) {
  EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
  EXPECT_EQ(MulDiv(INT_MIN, 2, 2), INT_MIN);
  EXPECT_EQ(MulDiv(1 << 30, 1 << 10, 1 << 12), 1 << 28);
}

TEST(MulDiv, AnswersMinusOneForZeroDivisorsAndOverflow) {
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
  EXPECT_EQ(MulDiv(INT_MIN, 1, -1), -1);  // 2^31 has no int
  EXPECT_EQ(MulDiv(INT_MIN, 2, 1), -1);
}

}  // namespace
