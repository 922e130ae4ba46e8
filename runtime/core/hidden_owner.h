// The hidden owner window `_QZ_HideOwner`: never shown, it owns the program's
// top-level windows that have no taskbar button, and it is where another
// thread asks the main thread to shut down.
#pragma once

#include "platform/win32.h"

namespace runtime {

inline constexpr const char* kHiddenOwnerClass = "_QZ_HideOwner";

// Registers the class (arrow cursor, NULL_BRUSH background) and creates the
// window: tool-window extended style, empty title, style 0, at 0,0 with size
// 0. Null when the window system refuses.
HWND CreateHiddenOwnerWindow();

}  // namespace runtime
