// The areas of filled shapes: ellipses and polygons, in device coordinates.
#pragma once

#include <vector>

#include "platform/gdi/region.h"

namespace platform::gdi {

// Pixels whose centres (x + 0.5, y + 0.5) lie in the ellipse around (cx, cy)
// with radii rx and ry; a radius below half a pixel gives nothing.
Region EllipseArea(double cx, double cy, double rx, double ry, const RECT& limit);

// Pixels whose centres (x + 0.5, y + 0.5) lie inside the polygon, by
// ALTERNATE (odd crossings) or WINDING (non-zero winding number), so a
// polygon tracing a rectangle's corners covers what FillRect would.
Region PolygonArea(const std::vector<POINT>& points, int fill_mode, const RECT& limit);

// The pixels of `region` whose four neighbours are all in it too.
Region Erode(const Region& region);

}  // namespace platform::gdi
