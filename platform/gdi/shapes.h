// The areas of filled shapes: ellipses and polygons, in device coordinates.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/region.h"

namespace platform::gdi {

// Pixels whose centres (x + 0.5, y + 0.5) lie in the ellipse around (cx, cy)
// with radii rx and ry; a radius below half a pixel gives nothing.
Region EllipseArea(double cx, double cy, double rx, double ry, const RECT& limit);

// A box [left, right) x [top, bottom) with its corners rounded off by
// quarter ellipses of radii rx and ry (at most half the box each way).
struct RoundBox {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
  double rx = 0;
  double ry = 0;
};

// Pixels whose centres lie in the rounded box: with radii of half the box it
// is EllipseArea's ellipse, with radii of zero the box's pixels. The rows
// between the corners, all alike, are one rectangle however many there are.
Region RoundBoxArea(const RoundBox& box, const RECT& limit);

// The pixels of row `y` whose centres lie inside the polygon (see
// PolygonArea), appended to `out`.
void AddPolygonRow(const std::vector<POINT>& points, int fill_mode, int64_t y, const RECT& limit,
                   std::vector<RECT>& out);
// The same for several polygons at once (each closed back to its first
// point), their crossings counted together, so that under ALTERNATE a
// polygon inside another makes a hole (paths, PathToRegion).
void AddPolyPolygonRow(const std::vector<std::vector<POINT>>& polygons, int fill_mode, int64_t y,
                       const RECT& limit, std::vector<RECT>& out);

// Pixels whose centres (x + 0.5, y + 0.5) lie inside the polygon, by
// ALTERNATE (odd crossings) or WINDING (non-zero winding number), so a
// polygon tracing a rectangle's corners covers what FillRect would.
Region PolygonArea(const std::vector<POINT>& points, int fill_mode, const RECT& limit);

// The pixels of `region` whose four neighbours are all in it too.
Region Erode(const Region& region);

}  // namespace platform::gdi
