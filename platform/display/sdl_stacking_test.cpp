// Raising as few SDL windows as possible to reach the window manager's order.
#include "platform/display/sdl_stacking.h"

#include <gtest/gtest.h>

namespace platform::sdl {
namespace {

HWND W(int n) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(n * 4)); }

TEST(SdlStacking, RaisesOnlyWhatMustGoUp) {
  EXPECT_TRUE(WindowsToRaise({W(1), W(2), W(3)}, {W(1), W(2), W(3)}).empty());
  // Activation brings one window to the top: only it is raised.
  EXPECT_EQ(WindowsToRaise({W(2), W(3), W(1)}, {W(1), W(2), W(3)}), (std::vector{W(1)}));
  // A window sent to the bottom: everything above it is raised, in order.
  EXPECT_EQ(WindowsToRaise({W(3), W(1), W(2)}, {W(1), W(2), W(3)}), (std::vector{W(1), W(2)}));
  // A window shown under a topmost one: the topmost goes back up.
  EXPECT_EQ(WindowsToRaise({W(1), W(2), W(3)}, {W(1), W(3), W(2)}), (std::vector{W(3)}));
  EXPECT_TRUE(WindowsToRaise({}, {W(1)}).empty());
}

}  // namespace
}  // namespace platform::sdl
