#include "runtime/units/picbox/display_mode.h"

#include <gtest/gtest.h>

#include <ostream>

namespace runtime::units::picbox {

void PrintTo(const Placement& at, std::ostream* out) {
  *out << "(" << at.x << ", " << at.y << ") " << at.width << " x " << at.height;
}
bool operator==(const Placement& a, const Placement& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

namespace {

struct Case {
  int32_t mode, pw, ph, cw, ch;
  Placement expected;
};

TEST(DisplayModeTest, PlacesPicturesSmallerAndLargerThanTheClientArea) {
  const Case cases[] = {
      // Natural size at the top-left corner, whatever the client area.
      {kNaturalSize, 50, 40, 100, 100, {0, 0, 50, 40}},
      {kNaturalSize, 400, 200, 100, 100, {0, 0, 400, 200}},
      // Stretched over the client area.
      {kStretched, 50, 40, 100, 80, {0, 0, 100, 80}},
      {kStretched, 400, 200, 100, 80, {0, 0, 100, 80}},
      // Fitted: centred when it fits, never enlarged.
      {kFitted, 50, 50, 100, 100, {25, 25, 50, 50}},
      {kFitted, 51, 50, 100, 100, {24, 25, 51, 50}},
      // Too wide and too tall: the smaller ratio wins, centred again.
      {kFitted, 400, 200, 100, 100, {0, 25, 100, 50}},
      {kFitted, 100, 400, 100, 100, {37, 0, 25, 100}},
      // Too wide only: the height that fitted is shrunk as well.
      {kFitted, 200, 50, 100, 100, {0, 37, 100, 25}},
      // Too tall only.
      {kFitted, 50, 200, 100, 100, {37, 0, 25, 100}},
      // Sizes truncate: 3 x 8 into 2 x 2 scales by 1/4, to 0 x 2.
      {kFitted, 3, 8, 2, 2, {1, 0, 0, 2}},
      // Nothing to fit into.
      {kFitted, 10, 10, 0, 0, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlacePicture(c.mode, c.pw, c.ph, c.cw, c.ch), c.expected)
        << "mode " << c.mode << ", picture " << c.pw << " x " << c.ph << " in " << c.cw << " x "
        << c.ch;
  }
}

TEST(DisplayModeTest, ModesOutsideTheRangeAreClampedAndEmptyPicturesGoNowhere) {
  EXPECT_EQ(PlacePicture(5, 400, 200, 100, 100), (Placement{0, 25, 100, 50}));
  EXPECT_EQ(PlacePicture(-1, 400, 200, 100, 100), (Placement{0, 0, 400, 200}));
  EXPECT_EQ(ClampDisplayMode(5), kFitted);
  EXPECT_EQ(ClampDisplayMode(-3), kNaturalSize);
  EXPECT_EQ(PlacePicture(kFitted, 0, 10, 100, 100), Placement{});
  EXPECT_EQ(PlacePicture(kStretched, 10, -1, 100, 100), Placement{});
}

}  // namespace
}  // namespace runtime::units::picbox
