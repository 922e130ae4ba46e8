// Device contexts on window surfaces, made by the window manager (GetDC,
// GetWindowDC, BeginPaint) and drawn on with the ordinary GDI calls.
#pragma once

#include <memory>

#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"
#include "platform/win32/base_types.h"

namespace platform::gdi {

struct WindowDcTarget {
  std::shared_ptr<Surface> surface;  // the top-level window's surface
  POINT origin{0, 0};                // device (0,0) in surface coordinates
  Region visible;                    // where the DC may draw, surface coordinates
  HWND hwnd = nullptr;               // what WindowFromDC answers
};

// A DC with default state (stock objects selected, MM_TEXT, no clip region)
// drawing through `target.visible`. Null when no handle can be made.
HDC CreateWindowDc(WindowDcTarget target);

// Replaces what an existing window DC draws through (the window moved or the
// windows above it changed while the DC was out). False for other DCs.
bool RetargetWindowDc(HDC dc, WindowDcTarget target);

// Releases a DC made by CreateWindowDc; false for any other handle.
bool DeleteWindowDc(HDC dc);

// The window a window DC was made for (null for memory DCs or bad handles).
HWND WindowOfDc(HDC dc);

}  // namespace platform::gdi
