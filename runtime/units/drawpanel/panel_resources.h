// The panel's pen, brush and font, made from its properties. Each is
// rebuilt whenever a property it depends on changes; one the platform
// refuses is simply absent, and drawing then takes a stock object instead.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "runtime/units/drawpanel/panel.h"

namespace runtime::units::drawpanel {

// PenStyle 0 to 6 as a pen: 0 asks for style 8 (PS_ALTERNATE) at width 0,
// the others solid, dash, dot, dash-dot, dash-dot-dot and inside-frame at
// `width`.
HPEN MakePanelPen(int32_t style, int32_t width, COLORREF colour);

// BrushStyle 0 to 55 as a brush: 0 hollow, 1 solid, 2 to 7 hatched
// (back-diagonal, cross, diagonal cross, forward-diagonal, horizontal,
// vertical), 8 to 55 the panel's monochrome patterns, which paint in the
// DC's text colour where a pattern bit is clear.
HBRUSH MakePanelBrush(int32_t style, COLORREF colour);

// A font height (LOGFONTA lfHeight) of the screen, in pixels, turned into
// CoordinateUnit `unit` so that text keeps its size on the screen; pixels
// stay as they are. The result is a character height (negative).
int32_t FontHeightInUnits(int32_t height, int32_t unit, int32_t pixels_per_inch);

// The record the panel's font is made from: Font when it is a whole
// 60-byte record, else the default GUI font's, with character set 1,
// precisions 0, proof quality and pitch 0, and its height in CoordinateUnit.
LOGFONTA PanelLogFont(const Panel& panel, int32_t pixels_per_inch);

// LOGPIXELSY of the screen.
int32_t ScreenPixelsPerInch();

void RebuildPen(Panel& panel);
void RebuildBrush(Panel& panel);
void RebuildFont(Panel& panel);

}  // namespace runtime::units::drawpanel
