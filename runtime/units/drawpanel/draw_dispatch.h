// The draw dispatcher every drawing method runs through: the operation is
// performed on the off-screen bitmap, when there is one, and on the
// screen, each target prepared with the panel's pen, brush, font, colours
// and coordinate unit beforehand and reset afterwards.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/win32.h"
#include "runtime/core/value.h"
#include "runtime/units/drawpanel/panel.h"

namespace runtime::units::drawpanel {

// The live panel the first argument (a unit reference) names. A reference
// to no live unit is reported by the framework's lookup, one to a unit of
// another type here; both end the program, and null comes back only while
// the report runs (or without the framework).
Panel* ReferencedPanel(int32_t count, const ArgumentRecord* args);

// Text methods draw in TextColor; everything else has BrushColor as the
// text colour, which is what pattern brushes paint with.
enum class TextColourOf { kBrush, kText };

void PrepareTarget(const Panel& panel, HDC dc, TextColourOf colour);
// Pixels, and the stock black pen, white brush and default GUI font, so
// the panel's own objects are free to be rebuilt or deleted.
void ResetTarget(HDC dc);

// Runs `draw` on the bitmap, then on the screen: the paint DC while
// PaintEvent runs, else a DC of the panel's window for this call. Each run
// starts from the same state; `draw` must not change the panel.
void DrawOnTargets(const Panel& panel, TextColourOf colour,
                   const std::function<void(HDC dc)>& draw);

}  // namespace runtime::units::drawpanel
