// Keyboard focus, activation and mouse capture. The program has one UI
// thread, so these are process-wide.
#pragma once

#include "platform/user/window.h"

namespace platform::user {

struct FocusState {
  HWND focus = nullptr;
  HWND active = nullptr;  // a top-level window
  HWND capture = nullptr;
};
FocusState& Focus();

// Activates `w`'s top-level window with `how` (WA_ACTIVE / WA_CLICKACTIVE).
void Activate(Window* root, WPARAM how);

// Before a window is hidden or destroyed: focus leaves it for its parent (or
// nothing), activation moves to another top-level window, capture ends.
void LeaveWindow(Window* w);

// Drops every reference to a window that is going away, without messages.
void ForgetFocusOf(Window* w);

}  // namespace platform::user
