// Binary raster operations: how a pen, or the brush inside a shape, combines
// with the pixels already there (SetROP2).
#pragma once

#include <cstdint>

#include "platform/gdi/device_context.h"
#include "platform/gdi/region.h"

namespace platform::gdi {

bool IsRop2(int rop2);

// The ternary operation that does what `rop2` does with the pen as the
// pattern and the source unused, so pens share the blits' raster code.
uint8_t Rop3FromRop2(int rop2);

// Combines `color` with the pixels of `area` (device coordinates) through
// `rop2`, inside the canvas's clip, and marks what changed dirty.
void PaintMix(const Canvas& canvas, const Region& area, int rop2, COLORREF color);

}  // namespace platform::gdi
