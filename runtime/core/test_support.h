// What the core's tests share: a stand-in for the window framework whose
// loaded windows are plain platform windows, installed in the runtime's
// hooks for as long as it lives.
#pragma once

#include <functional>
#include <vector>

#include "platform/win32.h"

namespace runtime::core_testing {

class TestFramework {
 public:
  TestFramework();   // registers the window class and installs the hooks
  ~TestFramework();  // removes the hooks, destroys the windows left
  TestFramework(const TestFramework&) = delete;
  TestFramework& operator=(const TestFramework&) = delete;

  // A visible top-level window (or a child of `parent`), entered into the
  // registry when it is top-level.
  HWND Load(HWND parent = nullptr);
  const std::vector<HWND>& windows() const { return windows_; }

  // Window idle events: (registry position, milliseconds); 0 when unset.
  std::function<int32_t(int32_t, int32_t)> on_idle;
  // Every message of the framework's windows; true when it answered the
  // message, which then skips DefWindowProc.
  std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)> on_message;
  // Start-up asks for the start window: whether it loads (true by default:
  // a window is made).
  bool start_window_loads = true;

 private:
  static LRESULT Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static bool LoadStartWindow(uint32_t window_id, HWND* window);
  static int32_t Count();
  static HWND HandleAt(int32_t position);
  static void DeleteAll();
  static int32_t RaiseIdle(int32_t position, int32_t milliseconds);

  std::vector<HWND> windows_;
};

// Puts the application state back as it is before start-up (destroying the
// hidden owner window), for tests that run start-up or shut-down in process.
void ResetApp();

// Runs the real message loop until it ends by itself, which the test expects
// within five seconds; after that a watchdog thread ends it with quit code
// 99. False when the watchdog had to.
bool RunLoopUntilItEnds();

}  // namespace runtime::core_testing
