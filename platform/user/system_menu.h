// The window menu's copy kept for a window (GetSystemMenu).
#pragma once

#include "platform/user/window.h"

namespace platform::user {

// Destroys the window's copy of the window menu, if it has one.
void DestroySystemMenuOf(Window* w);

// Whether the window's own command `command` (SC_MOVE, say) may run: always
// while the window has the standard menu, else when its copy holds the
// command enabled.
bool SystemCommandAllowed(const Window* w, UINT command);

}  // namespace platform::user
