// BitBlt: a raster operation with a source DC.
//
// The source may be a memory DC or a window DC, even the destination itself;
// its clip region does not matter, only where it has pixels. Monochrome and
// colour meet as on Windows: 0 bits of a monochrome source take the
// destination's text colour and 1 bits its background colour; a colour
// source going to a monochrome bitmap gives white where it has the source
// DC's background colour and black elsewhere.
#include "platform/gdi/blit.h"

using namespace platform::gdi;

// Each rectangle goes through its own DC's mapping. Where the two mappings
// scale differently the source is stretched to fit, as Windows does; with
// equal scales this is the straight copy StretchBlt also takes. Negative
// extents move both rectangles together, so nothing is mirrored.
BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
  return BlitBetweenDcs(hdc, BlitRect{x, y, cx, cy}, hdcSrc, BlitRect{x1, y1, cx, cy}, rop);
}
