// What the rest of the window manager tells the caret: painting is about to
// cover a window, or has finished, and a window is going away.
#pragma once

#include "platform/gdi/region.h"
#include "platform/user/window.h"

namespace platform::user {

// BeginPaint of `painted`, which will paint `update` (its window coordinates):
// hides the caret when it lies in what may be painted, so no inverted pixels
// are painted over. EndPaint's ShowCaretAfterPaint shows it again (and does
// nothing when BeginPaint did not hide it).
void HideCaretForPaint(Window* painted, const gdi::Region& update);
void ShowCaretAfterPaint(HWND painted);

// The window is being destroyed: a caret it owns goes with it.
void DestroyCaretOf(Window* w);

}  // namespace platform::user
