#include "platform/gdi/pen_stroke.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/rop2.h"

namespace platform::gdi {

namespace {

// Dash, gap, dash, ... in pixels, for PS_DASH to PS_DASHDOTDOT.
constexpr DashPattern kScreenDashes[] = {
    {{18, 6}, 2},
    {{3, 3}, 2},
    {{9, 6, 3, 6}, 4},
    {{9, 3, 3, 3, 3, 3}, 6},
};
// The same in pen widths, for geometric pens.
constexpr DashPattern kGeometricDashes[] = {
    {{3, 1}, 2},
    {{1, 1}, 2},
    {{3, 1, 1, 1}, 4},
    {{3, 1, 1, 1, 1, 1}, 6},
};
constexpr DashPattern kAlternate{{1, 1}, 2};

DashPattern DashesOf(const Pen& pen) {
  const UINT style = pen.style();
  if (style == PS_ALTERNATE) return kAlternate;
  if (style < PS_DASH || style > PS_DASHDOTDOT) return DashPattern{};
  const auto index = static_cast<size_t>(style - PS_DASH);
  return pen.geometric() ? kGeometricDashes[index] : kScreenDashes[index];
}

int DeviceWidth(const Pen& pen, const Mapping& mapping) {
  const LONG logical = pen.logical().lopnWidth.x;
  if (pen.cosmetic() || logical <= 0) return 1;
  const int64_t device = std::llabs(WidthToDevice(mapping, logical));
  return static_cast<int>(std::clamp<int64_t>(device, 1, kMaxCoordinate));
}

}  // namespace

Stroke StrokeFor(const Pen& pen, const Mapping& mapping) {
  Stroke stroke;
  stroke.draws = pen.draws();
  stroke.inside_frame = pen.inside_frame();
  stroke.width = DeviceWidth(pen, mapping);
  if (stroke.width == 1) stroke.dashes = DashesOf(pen);
  return stroke;
}

void PaintPen(const DrawSnapshot& dc, const PenCoverage& coverage) {
  if (!dc.pen->draws()) return;
  PaintMix(dc.canvas, coverage.drawn, dc.rop2, dc.pen->color());
  if (dc.bk_mode == OPAQUE) PaintMix(dc.canvas, coverage.gaps, dc.rop2, dc.bk_color);
}

void StrokeDevicePath(const DrawSnapshot& dc, const std::vector<POINT>& points, bool closed) {
  const Stroke stroke = StrokeFor(*dc.pen, dc.mapping);
  if (!stroke.draws) return;
  const RECT limit = dc.canvas.ReachableArea().Bounds();
  PaintPen(dc, PenPath(stroke, points, closed, limit));
}

}  // namespace platform::gdi
