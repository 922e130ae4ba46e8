// What an end-to-end test on a real X server needs. CTest runs such tests
// under xvfb-run with xdotool's path in MIENZO_XDOTOOL, or with the reason
// they cannot run in MIENZO_E2E_SKIP (cmake/MienzoTest.cmake).
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace e2e {

// xdotool's path; empty when the test must be skipped, with the reason in
// `*why`.
inline std::string XdotoolOrSkip(std::string* why) {
  if (const char* skip = std::getenv("MIENZO_E2E_SKIP")) {
    *why = skip;
    return {};
  }
  const char* x = std::getenv("DISPLAY");
  if (x == nullptr || *x == '\0') {
    *why = "no X server (DISPLAY is not set); CTest runs this under xvfb-run";
    return {};
  }
  const char* xdotool = std::getenv("MIENZO_XDOTOOL");
  if (xdotool == nullptr || access(xdotool, X_OK) != 0) {
    *why = "xdotool is not installed (scripts/setup.sh installs it)";
    return {};
  }
  return xdotool;
}

}  // namespace e2e
