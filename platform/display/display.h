// Where windows are shown and where device input comes from.
//
// Each top-level window owns a surface of its whole window rectangle; the
// window manager paints into surfaces and tells the display when top-level
// windows change. A display presents the dirty parts of the surfaces and
// feeds device input to the input entry point (platform/user/input.h). Two
// displays exist: headless (in memory: tests, CI, demos, screenshots) and SDL
// (a desktop).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/win32/user.h"

namespace platform {

struct ScreenSettings {
  int width = 1366;
  int height = 768;
  RECT work_area{0, 0, 1366, 728};  // the screen less a task bar
  int dpi = 96;
};

class Display {
 public:
  virtual ~Display() = default;

  virtual ScreenSettings Screen() const = 0;

  // A top-level window was created or changed place, size, visibility,
  // z-order, shape or title. UI thread.
  virtual void TopLevelChanged(HWND hwnd) = 0;
  virtual void TopLevelDestroyed(HWND hwnd) = 0;

  // Shows what changed on the surfaces. Called on the UI thread whenever its
  // queue runs dry.
  virtual void Present() = 0;

  // Blocks the UI thread until device input arrived (already fed to the input
  // entry point), Wake() was called, or the clock reached `deadline_ms`.
  virtual void WaitForEvents(uint64_t deadline_ms) = 0;
  // From any thread: ends a WaitForEvents early.
  virtual void Wake() = 0;

  virtual void CursorChanged(HCURSOR) {}
  virtual void CursorMoved(POINT) {}

  // The desktop's clipboard as UTF-8 text (empty when it holds no text). UI
  // thread; false when the desktop refused the text.
  virtual bool SetClipboardText(std::string_view utf8) = 0;
  virtual std::string ClipboardText() = 0;
};

// Start-up timing for benchmarks: with MIENZO_REPORT_FIRST_FRAME set in the
// environment, the first time a shown top-level window reaches the screen the
// display writes "first frame: monotonic_ns=N" to stderr, N read from
// CLOCK_MONOTONIC, so a parent process can subtract the time it started the
// program at. Displays call this whenever a shown window was presented; it
// writes once a process.
void NoteFramePresented();

// The display in use, or null before one is installed (windows still work:
// nothing is shown, and the screen is the default ScreenSettings).
Display* CurrentDisplay();
// Installs `display` (not owned) for the calling thread's windows; that thread
// becomes the UI thread. Null removes it.
void SetCurrentDisplay(Display* display);
// The thread whose queue waits through the display (0 when none).
DWORD DisplayThread();
// The screen as the display, or the defaults, describe it.
ScreenSettings CurrentScreen();

}  // namespace platform
