#include "app/app_routines.h"

#include <gtest/gtest.h>

#include "app/fake_runtime.h"
#include "app/main_window_units.h"

namespace app {
namespace {

TEST(StartRoutineTest, InitialisesRegistersCleanUpLoadsTheMainWindowAndRunsTheLoop) {
  testing::FakeRuntime fake;
  EXPECT_EQ(StartRoutine(), 0);
  ASSERT_EQ(fake.calls.size(), 4u);
  EXPECT_EQ(fake.calls[0].what, "helper");
  EXPECT_EQ(fake.calls[0].number, 6);
  EXPECT_EQ(fake.calls[1].what, "helper");
  EXPECT_EQ(fake.calls[1].number, 3);
  EXPECT_EQ(fake.calls[1].value, reinterpret_cast<uintptr_t>(&CleanUp));
  EXPECT_EQ(fake.calls[2].what, "load");
  EXPECT_EQ(fake.calls[2].unit, kMainWindow);
  EXPECT_EQ(fake.calls[3].what, "loop");
}

TEST(CleanUpTest, FreesTheFileNameOnceAndNothingElse) {
  testing::FakeRuntime fake;
  Globals() = {};
  CleanUp();
  EXPECT_TRUE(fake.calls.empty());

  Globals().picture_file_name = fake.NewText("/pics/a.jpg");
  Globals().loaded_picture = 4;
  CleanUp();
  EXPECT_TRUE(fake.live_blocks.empty());
  EXPECT_EQ(Globals().picture_file_name, nullptr);
  EXPECT_EQ(Globals().loaded_picture, 4) << "pictures stay with the runtime";
  CleanUp();
  EXPECT_EQ(fake.foreign_frees, 0);
}

}  // namespace
}  // namespace app
