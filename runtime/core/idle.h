// Idle time: the callbacks units register for it, and the idle processing the
// message loop runs whenever its queue is empty.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32.h"
#include "runtime/core/app_state.h"

namespace runtime {

// Registers `routine` to be called with `argument` whenever the loop goes
// idle, for as long as `window` exists. A handle that is not a window, a
// window that already has a callback and a null routine are ignored.
void RegisterIdleCallback(HWND window, IdleRoutine routine, intptr_t argument);
void RemoveIdleCallback(HWND window);

// Calls the callbacks from the last registered to the first; an entry whose
// window is gone is removed instead of called.
void RunIdleCallbacks();

// The idle processing of one idle period, pass by pass.
class IdleProcessor {
 public:
  // Pass `pass` (0 starts a new period). True while something wants more idle
  // time: the framework's own idle work for the first passes, then the loaded
  // windows whose idle event handlers ask for more.
  bool Run(int32_t pass);

 private:
  bool RaiseWindowIdleEvents();

  DWORD period_start_ = 0;
  bool standard_work_pending_ = false;
  std::vector<HWND> declined_;  // windows whose handlers wanted no more this period
};

}  // namespace runtime
