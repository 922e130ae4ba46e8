// What BitBlt, StretchBlt and the DIB functions share: logical rectangles
// turned into runs of device pixels, locking the pixels of both sides, and
// drawing a straight or stretched copy of a source onto a DC's canvas
// through a raster operation.
#pragma once

#include <cstdint>
#include <mutex>
#include <new>

#include "platform/gdi/device_context.h"
#include "platform/gdi/raster_ops.h"
#include "platform/gdi/stretch.h"

namespace platform::gdi {

// One side of a blit as the Win32 functions take it: a corner and signed
// extents.
struct BlitRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The same after a DC's mapping, or in pixels. Both corners go through the
// mapping, so an axis the mapping turns round changes the extent's sign.
struct DeviceSpan {
  int64_t x = 0;
  int64_t y = 0;
  int64_t width = 0;
  int64_t height = 0;

  bool IsEmpty() const { return width == 0 || height == 0; }
  DeviceSpan Offset(POINT by) const { return DeviceSpan{x + by.x, y + by.y, width, height}; }
};

DeviceSpan ToDeviceSpan(const Mapping& mapping, const BlitRect& logical);

// Both spans' runs put in order; an axis is mirrored where the two extents'
// signs differ. Neither span may be empty.
StretchGeometry GeometryBetween(const DeviceSpan& destination, const DeviceSpan& source);

// Holds a destination's pixels and, when they are different ones, a
// source's, taking both at once so that two blits the opposite way round
// cannot deadlock.
class PixelLocks {
 public:
  PixelLocks(const Canvas& destination, const Canvas* source);

 private:
  std::unique_lock<std::mutex> destination_;
  std::unique_lock<std::mutex> source_;
};

// How a DC's pixels read as the source of a blit onto `destination`:
// monochrome and colour meet through the destination's text and background
// colours and the source's background colour. The caller holds the source's
// pixels.
Source SourceFromDc(const DrawSnapshot& destination, const DrawSnapshot& source);

// Draws `source` onto the canvas. The geometry is in pixels: the canvas's
// on the destination side, the source view's on the other. Clipped to the
// canvas's clip region and pixels and to where the source has pixels. An
// unstretched geometry is a straight copy (BitBlt's path); otherwise the
// source is scaled by the stretch mode first, and the pattern and
// destination are combined with the scaled pixels. The caller holds the
// locks. May throw std::bad_alloc.
void DrawBlit(const Canvas& destination, const StretchGeometry& geometry, const Source& source,
              int stretch_mode, uint8_t rop, const Pattern& pattern);

// BitBlt and StretchBlt: `from` in the source DC's logical coordinates, `to`
// in the destination's. Operations without a source are PatBlt.
BOOL BlitBetweenDcs(HDC destination, const BlitRect& to, HDC source, const BlitRect& from,
                    DWORD rop);

// Runs a drawing step that allocates, turning exhaustion into FALSE with
// ERROR_NOT_ENOUGH_MEMORY, as the facade may not throw.
template <typename Step>
BOOL WithoutThrowing(Step step) {
  try {
    step();
    return TRUE;
  } catch (const std::bad_alloc&) {
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
}

}  // namespace platform::gdi
