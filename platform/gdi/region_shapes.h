// The shaped regions: ellipses, rounded rectangles and polygons, as sets of
// pixels. A shape covers the pixels whose centres lie inside it, so the
// elliptic region of a box is what Ellipse fills and outlines there with a
// one-pixel pen, and the region of a rectangle's corners is the rectangle.
//
// The rows a curved or slanted edge passes through each need their own
// rectangles, so a shape with more such rows than kMaxShapedRows (or a
// polygon whose scan would cost more than kMaxPolygonWork) is refused rather
// than building a region of gigabytes.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gdi/region.h"

namespace platform::gdi {

constexpr int64_t kMaxShapedRows = int64_t{1} << 20;
constexpr int64_t kMaxPolygonWork = int64_t{1} << 28;  // rows scanned times edges

// The ellipse inscribed in the box (corners in any order; right and bottom
// are outside, as for rectangles). Empty for an empty box.
std::optional<Region> EllipticRegion(int x1, int y1, int x2, int y2);

// The box with its corners rounded by ellipses of width x height (signs
// ignored, no larger than the box); zero width or height gives the box.
std::optional<Region> RoundRectRegion(int x1, int y1, int x2, int y2, int width, int height);

// The polygon by ALTERNATE or WINDING; fewer than three points give the
// empty region.
std::optional<Region> PolygonRegion(const std::vector<POINT>& points, int fill_mode);

// The pixels several polygons enclose, each closed back to its first point
// and their crossings counted together under ALTERNATE or WINDING (so under
// ALTERNATE a polygon inside another makes a hole): what
// CreatePolyPolygonRgn makes of them, and paths' regions. Rows between
// vertices whose edges are all vertical are one rectangle; none when the
// scan would pass the limits above (ERROR_NOT_ENOUGH_MEMORY).
std::optional<Region> PolyPolygonRegion(const std::vector<std::vector<POINT>>& polygons,
                                        int fill_mode);

}  // namespace platform::gdi
