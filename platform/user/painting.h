// Update regions, visible regions and window DCs.
#pragma once

#include "platform/gdi/region.h"
#include "platform/user/window.h"

namespace platform::user {

// The first window of `thread_id` (top-down, parents before children) that
// is visible and needs painting, within the GetMessage window filter.
HWND FindWindowToPaint(DWORD thread_id, HWND filter);

enum class DcArea { kClient, kWindow };

// What a DC on `w` may draw on, in its top-level window's (its surface's)
// coordinates:
// its area clipped by every ancestor's client area, less the siblings above
// it (WS_CLIPSIBLINGS) and its children (WS_CLIPCHILDREN on a client DC).
gdi::Region VisibleRegion(const Window* w, DcArea area);

// Adds `region` (window coordinates of w) to what needs painting, and to the
// children it covers unless w clips its children.
void Invalidate(Window* w, const gdi::Region& region, bool erase, bool frame, bool children);
void Validate(Window* w, const gdi::Region& region, bool children);

// The region of `w` in window coordinates: its rect, shaped by a window region.
gdi::Region WindowArea(const Window* w);
gdi::Region ClientArea(const Window* w);

// A window's place changed: repaint what it covered and what it covers now
// in its parent (and siblings below), and all of itself when resized.
void ExposeAfterMove(Window* w, const RECT& old_rect, bool resized);

// Paints the non-client area of `w` into its surface (frame, caption, system
// buttons) as DefWindowProc does for WM_NCPAINT.
void PaintNonClient(Window* w);

}  // namespace platform::user
