#include "platform/display/choose.h"

#include <cstdlib>

#include "platform/display/headless.h"
#include "platform/display/sdl.h"

namespace platform {

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string DesktopNamed(const DisplayEnvironment& environment) {
  if (!environment.x_display.empty()) return "DISPLAY is " + environment.x_display;
  if (!environment.wayland_display.empty()) {
    return "WAYLAND_DISPLAY is " + environment.wayland_display;
  }
  return "";
}

DisplayChoice Headless(std::string reason) {
  DisplayChoice choice;
  choice.display = std::make_unique<HeadlessDisplay>(ClockKind::kReal);
  choice.kind = DisplayKind::kHeadless;
  choice.reason = "headless display: " + reason;
  return choice;
}

}  // namespace

DisplayEnvironment DisplayEnvironment::FromProcess() {
  return {Variable("MIENZO_DISPLAY"), Variable("DISPLAY"), Variable("WAYLAND_DISPLAY")};
}

DisplayPlan PlanDisplay(const DisplayEnvironment& environment) {
  if (environment.forced == "sdl") return {DisplayKind::kSdl, true, "MIENZO_DISPLAY is sdl"};
  if (environment.forced == "headless") {
    return {DisplayKind::kHeadless, true, "MIENZO_DISPLAY is headless"};
  }
  // A misspelt choice is said out loud rather than silently obeyed or refused.
  std::string prefix =
      environment.forced.empty()
          ? ""
          : "MIENZO_DISPLAY=" + environment.forced + " is neither sdl nor headless, so ignored; ";
  std::string desktop = DesktopNamed(environment);
  if (desktop.empty()) {
    return {DisplayKind::kHeadless, false,
            prefix + "no desktop (neither DISPLAY nor WAYLAND_DISPLAY is set)"};
  }
  return {DisplayKind::kSdl, false, prefix + desktop};
}

DisplayChoice CreateDisplay(const DisplayEnvironment& environment) {
  DisplayPlan plan = PlanDisplay(environment);
  if (plan.kind == DisplayKind::kHeadless) return Headless(plan.reason);
  std::string why;
  std::unique_ptr<SdlDisplay> sdl = SdlDisplay::Create(&why);
  if (sdl) {
    DisplayChoice choice;
    choice.reason = "SDL display (" + sdl->DriverName() + "): " + plan.reason;
    choice.display = std::move(sdl);
    choice.kind = DisplayKind::kSdl;
    return choice;
  }
  if (!plan.forced) return Headless(plan.reason + ", but " + why);
  DisplayChoice failed;
  failed.kind = DisplayKind::kSdl;
  failed.reason = "no display: " + plan.reason + ", but " + why;
  return failed;
}

DisplayChoice CreateDisplay() { return CreateDisplay(DisplayEnvironment::FromProcess()); }

}  // namespace platform
