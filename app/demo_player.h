// Plays a demo script into the running editor on the headless display. The
// steps reach the program only through the display's input entry point and
// the queued dialog answers, as the tests' input does.
//
// The steps are fed from a thread timer while the program's own message
// loop runs. A timer comes only when nothing else waits (painting
// included), so each step sees the effect of the one before it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/demo_script.h"
#include "platform/display/headless.h"
#include "platform/win32.h"

namespace app {

// Where a script's relative paths lead. Files the script hands to the
// editor come from beside the script; screenshots go where the editor saves
// its files, so a run's results lie together even when the script lies in a
// read-only data folder of an installed tree.
struct DemoFolders {
  std::string inputs;   // dialog answers
  std::string outputs;  // screenshots
};

// Plays `script` once the start window is up and closes the main window
// after the last step. Call Start before the program's message loop runs.
class DemoPlayer {
 public:
  DemoPlayer(platform::HeadlessDisplay& display, DemoScript script, DemoFolders folders);
  ~DemoPlayer();
  DemoPlayer(const DemoPlayer&) = delete;
  DemoPlayer& operator=(const DemoPlayer&) = delete;

  void Start();
  // Every step was given (the last may have closed the window itself).
  bool finished() const { return finished_ || next_ >= script_.steps.size(); }
  // Screenshots written, in order.
  const std::vector<std::string>& screenshots() const { return screenshots_; }
  // Steps that could not be carried out ("line N: ..."), e.g. a failed
  // screenshot.
  const std::vector<std::string>& problems() const { return problems_; }

 private:
  static void Tick(HWND, UINT, UINT_PTR, DWORD);
  void OnTick();
  bool Busy();
  // Runs one step (or one part of a drag); false when the step needs the
  // loop to dispatch what it gave before the next one.
  bool RunStep(const DemoStep& step);
  bool RunDragPart(const DemoStep& step);
  POINT ToScreen(int x, int y) const;
  static std::string Resolve(const std::string& path, const std::string& folder);
  void Finish();

  platform::HeadlessDisplay& display_;
  DemoScript script_;
  DemoFolders folders_;
  HWND timer_window_ = nullptr;
  UINT_PTR timer_ = 0;
  HWND main_ = nullptr;     // the start window, once it is up
  HWND modal_ = nullptr;    // the last modal window shown
  size_t next_ = 0;         // step to run next
  int drag_part_ = -1;      // within a drag: -1 before it, then each move
  uint64_t resume_at_ = 0;  // clock ms a wait lasts until
  bool finished_ = false;
  std::vector<std::string> screenshots_;
  std::vector<std::string> problems_;
};

}  // namespace app
