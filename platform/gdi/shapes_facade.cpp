// Filled shapes: Rectangle, Ellipse and Polygon. The brush fills the inside
// and the pen draws the outline, both through the DC's ROP2; the fill leaves
// out what the outline covers, so no pixel is combined twice.
#include <algorithm>
#include <vector>

#include "platform/gdi/device_context.h"
#include "platform/gdi/lines.h"
#include "platform/gdi/rop2.h"
#include "platform/gdi/shapes.h"

namespace platform::gdi {

namespace {

struct Shape {
  Region inside;
  Region outline;
};

void Paint(const DrawSnapshot& dc, Shape shape) {
  shape.inside.Subtract(shape.outline);
  if (dc.brush && dc.brush->paints()) PaintMix(dc.canvas, shape.inside, dc.rop2, dc.brush->color());
  if (dc.pen->draws()) PaintMix(dc.canvas, shape.outline, dc.rop2, dc.pen->color());
}

// The pixels the pen's centre runs through around a box (inclusive corners):
// the box's outermost pixels, or for a wide PS_INSIDEFRAME pen far enough in
// that the whole width stays inside the box. Empty when nothing fits.
std::optional<RECT> PathBox(int left, int top, int right, int bottom, const Pen& pen) {
  RECT box = ClampedRect(std::min(left, right), std::min(top, bottom), std::max(left, right),
                         std::max(top, bottom));
  const int width = pen.draws() && pen.inside_frame() ? pen.width() : 1;
  const LONG before = width / 2;
  const LONG after = (width - 1) / 2;
  RECT path{box.left + before, box.top + before, box.right - 1 - after, box.bottom - 1 - after};
  if (path.right < path.left || path.bottom < path.top) return std::nullopt;
  return path;
}

Shape RectangleShape(const RECT& path, const Pen& pen, const RECT& limit) {
  Shape shape{Region(RECT{path.left, path.top, path.right, path.bottom}), Region()};
  const std::vector<POINT> corners{{path.left, path.top},
                                   {path.right, path.top},
                                   {path.right, path.bottom},
                                   {path.left, path.bottom}};
  shape.outline = PenPath(pen, corners, /*closed=*/true, limit);
  return shape;
}

// The ellipse fills the path's pixels edge to edge; without a pen it is a
// pixel smaller each way, as Rectangle is. A wide pen's ring reaches
// (width - 1) / 2 pixels out from it (PS_INSIDEFRAME: none, its ring starts
// at the box's edge) and is `width` pixels across.
Shape EllipseShape(const RECT& path, const Pen& pen, const RECT& limit) {
  const bool draws = pen.draws();
  const int width = draws ? pen.width() : 0;
  const bool inside_frame = draws && pen.inside_frame();
  // The continuous box the outer edge of the shape is inscribed in.
  const double before = inside_frame ? width / 2 : 0;
  const double after = inside_frame ? (width - 1) / 2 + 1 : (draws ? 1 : 0);
  const double left = path.left - before;
  const double top = path.top - before;
  const double right = path.right + after;
  const double bottom = path.bottom + after;
  const double grow = draws && !inside_frame ? (width - 1) / 2 : 0;
  const double cx = (left + right) / 2;
  const double cy = (top + bottom) / 2;
  const double rx = (right - left) / 2 + grow;
  const double ry = (bottom - top) / 2 + grow;
  if (!draws) return Shape{EllipseArea(cx, cy, rx, ry, limit), Region()};
  Shape shape;
  shape.inside = Erode(EllipseArea(cx, cy, rx - (width - 1), ry - (width - 1), limit));
  shape.outline = EllipseArea(cx, cy, rx, ry, limit);
  shape.outline.Subtract(shape.inside);
  return shape;
}

template <typename Build>
BOOL DrawInBox(HDC hdc, int left, int top, int right, int bottom, Build build) {
  auto dc = Snapshot(hdc);
  if (!dc) return FALSE;
  auto path = PathBox(left, top, right, bottom, *dc->pen);
  if (!path) return TRUE;
  Paint(*dc, build(*path, *dc->pen, dc->canvas.ReachableArea().Bounds()));
  return TRUE;
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  return DrawInBox(hdc, left, top, right, bottom, RectangleShape);
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  return DrawInBox(hdc, left, top, right, bottom, EllipseShape);
}

// The outline closes back to the first point; the inside follows the DC's
// polygon fill mode.
BOOL Polygon(HDC hdc, const POINT* apt, int cpt) {
  if (!apt || cpt < 2) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto dc = Snapshot(hdc);
  if (!dc) return FALSE;
  std::vector<POINT> points;
  points.reserve(static_cast<size_t>(cpt));
  for (int i = 0; i < cpt; ++i) {
    points.push_back(POINT{ClampCoordinate(apt[i].x), ClampCoordinate(apt[i].y)});
  }
  const RECT limit = dc->canvas.ReachableArea().Bounds();
  Paint(*dc, Shape{PolygonArea(points, dc->poly_fill_mode, limit),
                   PenPath(*dc->pen, points, /*closed=*/true, limit)});
  return TRUE;
}
