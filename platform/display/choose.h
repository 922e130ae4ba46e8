// Which display a program runs on, chosen from the environment:
//
//   MIENZO_DISPLAY=sdl       the SDL display, or none at all when SDL cannot start
//   MIENZO_DISPLAY=headless  the headless display on the real clock
//   otherwise                SDL when DISPLAY or WAYLAND_DISPLAY names a desktop
//                            and SDL starts there; headless when not
//
// The answer carries a sentence saying what was chosen and why, for the
// program to log.
#pragma once

#include <memory>
#include <string>

#include "platform/display/display.h"

namespace platform {

enum class DisplayKind { kSdl, kHeadless };

// The variables the choice reads.
struct DisplayEnvironment {
  std::string forced;           // MIENZO_DISPLAY
  std::string x_display;        // DISPLAY
  std::string wayland_display;  // WAYLAND_DISPLAY

  static DisplayEnvironment FromProcess();
};

// The choice before anything is started.
struct DisplayPlan {
  DisplayKind kind = DisplayKind::kHeadless;
  bool forced = false;  // asked for by MIENZO_DISPLAY: no other display will do
  std::string reason;
};

DisplayPlan PlanDisplay(const DisplayEnvironment& environment);

struct DisplayChoice {
  std::unique_ptr<Display>
      display;  // installed for the calling thread; null when a forced SDL failed
  DisplayKind kind = DisplayKind::kHeadless;
  std::string reason;  // e.g. "SDL display (x11): DISPLAY is :0"
};

// Creates the display the environment asks for, on the calling thread (the
// UI thread).
DisplayChoice CreateDisplay(const DisplayEnvironment& environment);
DisplayChoice CreateDisplay();

}  // namespace platform
