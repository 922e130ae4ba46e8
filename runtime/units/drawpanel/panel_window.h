// The panel's window: its private class, its window procedure (size,
// repaint, focus on click, focus events, destruction) and its border.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "runtime/units/drawpanel/panel.h"

namespace runtime::units::drawpanel {

inline constexpr const char* kPanelClass = "_QZ_DrawPanel";

// Registers the class once; false when it cannot be registered.
bool RegisterPanelClass();

// The panel a window of the class belongs to, or null.
Panel* PanelOf(HWND window);

enum PanelBorder : int32_t {
  kBorderNone,
  kBorderSunken,
  kBorderRaised,
  kBorderThinSunken,
  kBorderSunkenRaised,
  kBorderSingleLine,
  kLastBorder = kBorderSingleLine
};

// Puts the edge of Border `border` on the window and has the frame worked
// out again.
void ApplyBorder(HWND window, int32_t border);

// Repaints what the paint clip box and the client area share: a copy from
// the off-screen bitmap, or the background and PaintEvent without one.
void PaintPanel(Panel& panel, HWND window, HDC dc);

}  // namespace runtime::units::drawpanel
