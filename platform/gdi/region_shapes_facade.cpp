// HRGN functions for shaped regions: CreateEllipticRgn(Indirect),
// CreateRoundRectRgn and CreatePolygonRgn.
#include <vector>

#include "platform/gdi/region_object.h"
#include "platform/gdi/region_shapes.h"

namespace platform::gdi {

namespace {

// Null (with the shape's reason in the last error) when there is no region.
HRGN HandleFor(std::optional<Region> region) {
  if (!region) return nullptr;
  return reinterpret_cast<HRGN>(Register(std::make_shared<RegionObject>(std::move(*region))));
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2) {
  return HandleFor(EllipticRegion(x1, y1, x2, y2));
}

HRGN CreateEllipticRgnIndirect(const RECT* lprect) {
  if (!lprect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateEllipticRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h) {
  return HandleFor(RoundRectRegion(x1, y1, x2, y2, w, h));
}

// A polygon of two points has no inside but is still a region; fewer points
// are refused, as is a fill mode other than ALTERNATE and WINDING.
HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode) {
  if (!pptl || cPoint < 2 || (iMode != ALTERNATE && iMode != WINDING)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::vector<POINT> points;
  points.reserve(static_cast<size_t>(cPoint));
  for (int i = 0; i < cPoint; ++i) {
    points.push_back(POINT{ClampCoordinate(pptl[i].x), ClampCoordinate(pptl[i].y)});
  }
  return HandleFor(PolygonRegion(points, iMode));
}
