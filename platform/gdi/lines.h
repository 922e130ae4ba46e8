// The pixels pens cover. Coordinates are device coordinates; `limit` is the
// part of the device output can reach, so a line running far outside the
// pixels costs only what it draws.
#pragma once

#include <vector>

#include "platform/gdi/drawing_objects.h"
#include "platform/gdi/region.h"

namespace platform::gdi {

// A cosmetic (one pixel) line from `a` towards `b`, without `b` itself: one
// pixel per step along the major axis, the minor coordinate rounded from the
// ideal line, a tie going to the smaller coordinate.
void AddThinLine(POINT a, POINT b, const RECT& limit, std::vector<RECT>& out);

// A line `width` pixels wide with round ends: every pixel within width / 2
// of the segment. Pixel (x, y) is sampled at its own coordinates for odd
// widths; for even widths the line runs half a pixel up and left, so that it
// covers exactly `width` rows or columns.
void AddWideLine(POINT a, POINT b, int width, const RECT& limit, std::vector<RECT>& out);

// What `pen` covers along the path through `points` (closed: back to the
// first point too). Wide pens join segments round; thin ones leave out only
// the path's last point, and a closed thin path leaves out nothing.
Region PenPath(const Pen& pen, const std::vector<POINT>& points, bool closed, const RECT& limit);

}  // namespace platform::gdi
