// The window that stands in for a unit whose support library could not be
// loaded: it says so in red, centred on one line, over whatever its parent
// painted beneath it, and hands owner-drawing notifications back to the
// control that sent them, which can draw itself.
#pragma once

#include "platform/win32.h"

namespace runtime::forms {

inline constexpr const char* kPlaceholderClass = "_QZ_Placeholder";
inline constexpr COLORREF kPlaceholderTextColour = 0x0000FF;  // red

// A child window of `parent` in place of the unit, with the loader's style
// bits added to WS_CHILD; null when it cannot be made.
HWND CreatePlaceholderWindow(HWND parent, DWORD style, int x, int y, int width, int height,
                             UINT control_id);

}  // namespace runtime::forms
