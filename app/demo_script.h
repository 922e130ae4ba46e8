// The demo script: a short text of input steps for the editor on the
// headless display, one command a line (docs/demo-script.md). This file
// reads it; demo_player plays it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"

namespace app {

enum class DemoCommand {
  kAnswerOpen,    // path: the next file dialog chooses it
  kAnswerCancel,  // the next file dialog is cancelled
  kMove,          // x, y: the pointer to a client point of the main window
  kClick,         // x, y
  kDrag,          // x, y, x2, y2: press, move in small steps, release
  kType,          // text (UTF-8)
  kKey,           // keys: modifiers held, then the key, e.g. ctrl+a
  kWait,          // ms
  kScreenshot,    // path: a PNG of the screen
};

struct DemoStep {
  DemoCommand command = DemoCommand::kWait;
  int x = 0, y = 0, x2 = 0, y2 = 0, ms = 0;
  std::vector<UINT> keys;  // kKey: modifiers first, the key last
  std::string text;        // kType text; kAnswerOpen and kScreenshot path
  int line = 0;            // in the script, for messages
};

struct DemoScript {
  std::vector<DemoStep> steps;
  std::string error;  // "line N: ..." when the script does not parse
  bool ok() const { return error.empty(); }
};

// Reads a script: one command a line, '#' starts a comment line, blank
// lines are skipped. The first bad line stops the reading.
DemoScript ParseDemoScript(std::string_view text);
DemoScript ReadDemoScript(const std::string& path);

// The virtual key for a name such as "escape", "a" or "f5"; 0 if unknown.
UINT KeyFromName(std::string_view name);

}  // namespace app
