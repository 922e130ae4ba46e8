// Window-manager operations shared between its files.
#pragma once

#include "platform/user/window.h"

namespace platform::user {

// Asks the window for its client area (WM_NCCALCSIZE) for its current rect.
void RecomputeClient(Window* w);

// SetWindowPos for a known window; false when the window went away meanwhile.
bool ChangeWindowPos(Window* w, WINDOWPOS pos);

}  // namespace platform::user
