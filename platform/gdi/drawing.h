// What the fill and blit functions share: turning a brush into a pattern for
// a canvas, and painting an area of a DC with a raster operation.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/gdi/device_context.h"
#include "platform/gdi/raster_ops.h"

namespace platform::gdi {

// What a colour becomes on the canvas: itself, or black or white on a
// monochrome bitmap.
uint32_t CanvasPixel(const Canvas& canvas, COLORREF color);

// What `brush` lays down on the DC's canvas, aligned to the DC's device
// origin. Hatches paint their lines in the brush colour and the rest in the
// DC's background colour, or leave the rest alone in the TRANSPARENT
// background mode; monochrome pattern brushes take the DC's text and
// background colours. None for a null brush (BS_NULL), which paints nothing.
std::optional<Pattern> PatternFor(const Brush* brush, const DrawSnapshot& dc);

// The 8 x 8 bitmap of a hatch style: bit (7 - x) of row y is set where the
// line runs. All zero for styles that are not HS_xxx.
std::array<uint8_t, 8> HatchRows(int style);
bool IsHatchStyle(int style);

// A brush handle, or a system colour given as (HBRUSH)(COLOR_xxx + 1). Null
// with ERROR_INVALID_HANDLE when it is neither.
std::shared_ptr<Brush> BrushFromHandle(HBRUSH brush);

// Applies `rop` over `area` (device coordinates) inside the canvas's clip,
// under the pixels' lock, and marks what changed dirty.
void PaintArea(const Canvas& canvas, Region area, uint8_t rop, const Pattern& pattern);

// Fills a shape's inside (device coordinates) with the DC's brush through
// the DC's ROP2.
void FillInside(const DrawSnapshot& dc, const Region& inside);

}  // namespace platform::gdi
