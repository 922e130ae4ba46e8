// Keeping the desktop's stacking of SDL windows in the order of the window
// manager's z-order. SDL can only raise a window to the top, and on a desktop
// raising also asks for the input focus, so as few windows as possible are
// raised.
#pragma once

#include <vector>

#include "platform/win32/base_types.h"

namespace platform::sdl {

// `wanted` and `believed` list the same windows bottom to top: the order the
// window manager wants and the order the desktop is thought to have. Answers
// the windows to raise, in the order to raise them, so the desktop ends up as
// wanted: the top of `wanted` from the first window that cannot stay where
// it is.
std::vector<HWND> WindowsToRaise(const std::vector<HWND>& wanted,
                                 const std::vector<HWND>& believed);

}  // namespace platform::sdl
