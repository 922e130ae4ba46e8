// What the fill and blit functions share: turning a brush into a pattern for
// a canvas, and painting an area of a DC with a raster operation.
#pragma once

#include <memory>
#include <optional>

#include "platform/gdi/device_context.h"
#include "platform/gdi/raster_ops.h"

namespace platform::gdi {

// What a colour becomes on the canvas: itself, or black or white on a
// monochrome bitmap.
uint32_t CanvasPixel(const Canvas& canvas, COLORREF color);

// None for a null brush (BS_NULL), which paints nothing.
std::optional<Pattern> PatternFor(const Brush* brush, const Canvas& canvas);

// A brush handle, or a system colour given as (HBRUSH)(COLOR_xxx + 1). Null
// with ERROR_INVALID_HANDLE when it is neither.
std::shared_ptr<Brush> BrushFromHandle(HBRUSH brush);

// Applies `rop` over `area` (device coordinates) inside the canvas's clip,
// under the pixels' lock, and marks what changed dirty.
void PaintArea(const Canvas& canvas, Region area, uint8_t rop, const Pattern& pattern);

}  // namespace platform::gdi
