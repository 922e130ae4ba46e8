// Escapements: the device pixels a turned text-space rectangle covers.
#include "platform/gdi/text_escapement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/gdi/text_space.h"
#include "platform/gdi/text_testing.h"

namespace {

using platform::gdi::Escapement;
using platform::gdi::Region;

// A pixel is in the area when its centre is in the turned rectangle; quarter
// turns give exactly text space's rectangles; the limit bounds the work.
TEST(Escapement, AreasHoldThePixelsWhoseCentresLieInside) {
  const POINT origin{30, 40};
  const RECT text{0, -8, 24, 4};
  const RECT everywhere{0, 0, 80, 80};
  for (const int tenths : {450, 1234, -450, 2000}) {
    const Region area = Escapement(tenths).Area(origin, text, everywhere);
    const double radians = tenths * std::numbers::pi / 1800;
    for (int y = 0; y < 80; ++y) {
      for (int x = 0; x < 80; ++x) {
        const double dx = x + 0.5 - origin.x, dy = y + 0.5 - origin.y;
        const double u = dx * std::cos(radians) - dy * std::sin(radians);
        const double v = dx * std::sin(radians) + dy * std::cos(radians);
        const double inside =
            std::min({u - text.left, text.right - u, v - text.top, text.bottom - v});
        if (std::abs(inside) < 1e-6) continue;  // on an edge: either way
        EXPECT_EQ(area.Contains(POINT{x, y}), inside > 0)
            << tenths << ": (" << x << ", " << y << ")";
      }
    }
  }
  for (int turns = 0; turns < 4; ++turns) {
    const RECT expected = platform::gdi::TextSpace{origin, turns}.ToDevice(text);
    EXPECT_TRUE(Escapement(turns * 900 - 3600).Area(origin, text, everywhere) == Region(expected))
        << turns << " turns";
  }
  const RECT limit{0, 0, 20, 10};
  const Region huge = Escapement(450).Area(POINT{10, 5}, RECT{-100000, -50, 100000, 50}, limit);
  EXPECT_TRUE(text_testing::SameRect(huge.Bounds(), limit)) << "a long run is cut to the limit";
}

}  // namespace
