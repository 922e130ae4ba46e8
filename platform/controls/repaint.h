// Showing a control's change at once, as the standard controls do, without
// painting it before a parent that still has to paint: a parent that does
// not clip its children would then paint over it.
#pragma once

#include "platform/win32.h"

namespace platform::controls {

// True when no ancestor of `hwnd` waits to be painted, so that what the
// control draws now stays.
bool AncestorsArePainted(HWND hwnd);

// Invalidates the whole control and, when its ancestors are painted, paints
// it now; otherwise it is painted after them.
void RepaintControl(HWND hwnd, bool erase);

}  // namespace platform::controls
