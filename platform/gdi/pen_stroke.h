// How the DC's pen draws once the mapping mode is applied: its width in
// device pixels and its dash pattern, and painting what it covers.
#pragma once

#include "platform/gdi/device_context.h"
#include "platform/gdi/lines.h"
#include "platform/gdi/mapping.h"

namespace platform::gdi {

// A pen of width 0 and ExtCreatePen's PS_COSMETIC pens are one pixel wide
// whatever the mapping; other widths are logical units along x. Dashed and
// dotted styles keep their dashes only when that comes to one pixel (wider,
// they draw solid, as CreatePen documents): the screen's patterns for
// CreatePen and cosmetic pens, patterns in units of the width for
// ExtCreatePen's PS_GEOMETRIC ones.
Stroke StrokeFor(const Pen& pen, const Mapping& mapping);

// Paints the dashes in the pen's colour and, in the OPAQUE background mode,
// the gaps in the background colour, both through the DC's ROP2.
void PaintPen(const DrawSnapshot& dc, const PenCoverage& coverage);

// The DC's pen along device points, painted: Polyline, LineTo, outlines.
void StrokeDevicePath(const DrawSnapshot& dc, const std::vector<POINT>& points, bool closed);

}  // namespace platform::gdi
