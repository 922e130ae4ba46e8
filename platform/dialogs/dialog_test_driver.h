// Drives one of the layer's modal dialogs with real input on the headless
// display, for tests. The steps run inside the dialog's own loop: the first
// once the dialog is shown, each further one once the dialog has handled
// everything the step before gave it (a timer on the virtual clock comes
// only when nothing else waits). Keys go to whichever window has the focus
// when they are given, so a key that needs an earlier one handled takes a
// step of its own. If the dialog is still up after the last step, the test
// fails and the dialog is closed, so a wrong step cannot hang the test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "platform/dialogs/answers.h"
#include "platform/display/headless.h"
#include "platform/win32.h"

namespace platform::dialogs::testing {

using Step = std::function<void(HWND dialog)>;

class DialogDriver {
 public:
  // `timer_window` carries the step timer; any window of the test thread.
  DialogDriver(HeadlessDisplay& display, HWND timer_window)
      : display_(display), timer_window_(timer_window) {}

  // Calls `show` (which shows a dialog and returns its result) with
  // answering switched to manual, running `steps` inside it.
  template <typename Show>
  auto Run(std::vector<Step> steps, Show show) {
    ScopedAnswering manual(Answering::kManual);
    steps_ = std::move(steps);
    next_ = 0;
    Current() = this;
    SetModalShownHook([this](HWND dialog) {
      dialog_ = dialog;
      RunStep();
    });
    auto result = show();
    SetModalShownHook({});
    KillTimer(timer_window_, kStepTimer);
    Current() = nullptr;
    return result;
  }

  HeadlessDisplay& display() { return display_; }

 private:
  static constexpr UINT_PTR kStepTimer = 0x5713;

  static DialogDriver*& Current() {
    static DialogDriver* current = nullptr;
    return current;
  }

  void Schedule() {
    SetTimer(timer_window_, kStepTimer, USER_TIMER_MINIMUM, &StepTimer);
    display_.AdvanceTime(USER_TIMER_MINIMUM);
  }

  void RunStep() {
    if (next_ >= steps_.size()) {
      KillTimer(timer_window_, kStepTimer);
      if (IsWindow(dialog_) && IsWindowVisible(dialog_)) {
        ADD_FAILURE() << "the dialog is still up after the last step; closing it";
        PostMessageA(dialog_, WM_CLOSE, 0, 0);
      }
      return;
    }
    Step step = steps_[next_++];
    KillTimer(timer_window_, kStepTimer);  // a step may pump: no step may run inside it
    step(dialog_);
    Schedule();  // the next step, or the check that the dialog has gone
  }

  static void StepTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (Current()) Current()->RunStep();
  }

  HeadlessDisplay& display_;
  HWND timer_window_;
  std::vector<Step> steps_;
  size_t next_ = 0;
  HWND dialog_ = nullptr;
};

// The centre of a window, or of a rectangle in its client area, on the
// screen.
inline POINT ScreenCentre(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
inline POINT ScreenCentre(HWND window, const RECT& client_rect) {
  POINT p{(client_rect.left + client_rect.right) / 2, (client_rect.top + client_rect.bottom) / 2};
  ClientToScreen(window, &p);
  return p;
}

}  // namespace platform::dialogs::testing
