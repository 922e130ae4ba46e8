// Text measures between a DC's logical units and device pixels. Fonts are
// realised in device pixels, so a font's logical height scales with the
// mapping's y axis and its width with the x axis, as Win32's do; whatever the
// text functions answer (extents, metrics, DrawTextA's rectangles) goes back
// to logical units. In MM_TEXT every conversion is the identity.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi/mapping.h"

namespace platform::gdi {

// lfHeight and lfWidth in device pixels, signs kept; a non-zero size never
// shrinks to 0 (which would ask for the default size).
LOGFONTA DeviceFont(const LOGFONTA& logical, const Mapping& mapping);

// A device offset in logical units; an axis that runs the other way (y up)
// turns the sign.
POINT LogicalOffset(const Mapping& mapping, POINT device);
// Device lengths along x and y as logical lengths, whichever way the axes
// run: the sign is the length's own.
LONG LogicalWidth(const Mapping& mapping, int64_t device);
LONG LogicalHeight(const Mapping& mapping, int64_t device);

// Heights in logical units along y, widths along x.
TEXTMETRICA LogicalMetrics(const TEXTMETRICA& device, const Mapping& mapping);

// ExtTextOutA's logical advances in device pixels. The running sums are
// converted, so rounding does not pile up along the run.
std::vector<INT> DeviceAdvances(const Mapping& mapping, const INT* dx, size_t count);

}  // namespace platform::gdi
