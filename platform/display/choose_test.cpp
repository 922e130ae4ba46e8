// Choosing the display from the environment, and falling back when SDL
// cannot start. No desktop is needed: SDL is only ever pointed at one that
// does not exist.
#include "platform/display/choose.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace platform {
namespace {

// Sets (or, with null, removes) an environment variable for one test.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedVariable() {
    if (old_)
      setenv(name_.c_str(), old_->c_str(), 1);
    else
      unsetenv(name_.c_str());
  }

 private:
  std::string name_;
  std::optional<std::string> old_;
};

TEST(ChooseDisplay, PlanFollowsTheEnvironment) {
  struct Case {
    DisplayEnvironment environment;
    DisplayKind kind;
    bool forced;
    const char* reason_mentions;
  };
  const Case cases[] = {
      {{"", "", ""}, DisplayKind::kHeadless, false, "no desktop"},
      {{"", ":0", ""}, DisplayKind::kSdl, false, "DISPLAY is :0"},
      {{"", "", "wayland-0"}, DisplayKind::kSdl, false, "WAYLAND_DISPLAY is wayland-0"},
      {{"headless", ":0", ""}, DisplayKind::kHeadless, true, "MIENZO_DISPLAY is headless"},
      {{"sdl", "", ""}, DisplayKind::kSdl, true, "MIENZO_DISPLAY is sdl"},
      {{"sld", "", ""}, DisplayKind::kHeadless, false, "MIENZO_DISPLAY=sld is neither"},
  };
  for (const Case& c : cases) {
    DisplayPlan plan = PlanDisplay(c.environment);
    SCOPED_TRACE("MIENZO_DISPLAY=" + c.environment.forced + " DISPLAY=" + c.environment.x_display +
                 " WAYLAND_DISPLAY=" + c.environment.wayland_display);
    EXPECT_EQ(plan.kind, c.kind);
    EXPECT_EQ(plan.forced, c.forced);
    EXPECT_NE(plan.reason.find(c.reason_mentions), std::string::npos) << plan.reason;
  }
}

TEST(ChooseDisplay, WithoutADesktopTheDisplayIsHeadlessAndInstalled) {
  ScopedVariable forced("MIENZO_DISPLAY", nullptr);
  ScopedVariable x("DISPLAY", nullptr);
  ScopedVariable wayland("WAYLAND_DISPLAY", nullptr);
  DisplayChoice choice = CreateDisplay();
  ASSERT_NE(choice.display, nullptr);
  EXPECT_EQ(choice.kind, DisplayKind::kHeadless);
  EXPECT_EQ(CurrentDisplay(), choice.display.get());
  EXPECT_EQ(choice.reason.rfind("headless display: ", 0), 0u) << choice.reason;
}

TEST(ChooseDisplay, SdlThatCannotStartFallsBackUnlessForced) {
  ScopedVariable driver("SDL_VIDEODRIVER", "x11");
  ScopedVariable x("DISPLAY", ":54321");  // no such X server
  {
    DisplayChoice choice = CreateDisplay({"", ":54321", ""});
    ASSERT_NE(choice.display, nullptr);
    EXPECT_EQ(choice.kind, DisplayKind::kHeadless);
    EXPECT_NE(choice.reason.find("DISPLAY is :54321, but SDL video did not start"),
              std::string::npos)
        << choice.reason;
  }
  DisplayChoice forced = CreateDisplay({"sdl", ":54321", ""});
  EXPECT_EQ(forced.display, nullptr);
  EXPECT_EQ(forced.kind, DisplayKind::kSdl);
  EXPECT_EQ(forced.reason.rfind("no display: MIENZO_DISPLAY is sdl, but", 0), 0u) << forced.reason;
}

}  // namespace
}  // namespace platform
