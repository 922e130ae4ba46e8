// The region Shape gives a window: ellipse, rounded rectangle, ring, or one
// of the outlines, always over the whole window rectangle at its present
// size.
#include <algorithm>
#include <vector>

#include "runtime/units/window/window_outlines.h"
#include "runtime/units/window/window_unit.h"

namespace runtime::units::window {

namespace {

enum Shape : int32_t { kRectangle, kEllipse, kRoundedRectangle, kRing };

HRGN Ring(int32_t width, int32_t height) {
  HRGN outer = CreateEllipticRgn(0, 0, width, height);
  HRGN inner = CreateEllipticRgn(width / 4, height / 4, width - width / 4, height - height / 4);
  if (outer != nullptr && inner != nullptr) CombineRgn(outer, outer, inner, RGN_DIFF);
  if (inner != nullptr) DeleteObject(inner);
  return outer;
}

HRGN Polygon(int32_t shape, int32_t width, int32_t height) {
  const auto outline = Outline(shape);
  if (outline.empty()) return nullptr;
  std::vector<POINT> points;
  points.reserve(outline.size());
  for (const OutlinePoint& point : outline) {
    points.push_back({static_cast<LONG>(int64_t{point.x} * width / kOutlineScale),
                      static_cast<LONG>(int64_t{point.y} * height / kOutlineScale)});
  }
  return CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
}

}  // namespace

HRGN MakeShapeRegion(int32_t shape, int32_t width, int32_t height) {
  switch (shape) {
    case kRectangle:
      return nullptr;
    case kEllipse:
      return CreateEllipticRgn(0, 0, width, height);
    case kRoundedRectangle: {
      const int32_t corner = std::min(width / 5, height / 5);
      return CreateRoundRectRgn(0, 0, width, height, corner, corner);
    }
    case kRing:
      return Ring(width, height);
    default:
      return Polygon(shape, width, height);
  }
}

void ApplyShape(const WindowUnit& unit) {
  RECT rect{};
  if (!GetWindowRect(unit.window, &rect)) return;
  const int32_t shape = Clamp(unit.record.Int(kShape), 0, kShapeCount - 1);
  // The window takes the region over; null gives the plain rectangle back.
  SetWindowRgn(unit.window, MakeShapeRegion(shape, rect.right - rect.left, rect.bottom - rect.top),
               TRUE);
}

}  // namespace runtime::units::window
