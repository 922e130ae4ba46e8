// Filled shapes: Rectangle, Ellipse and Polygon. The brush fills the inside
// and the pen draws the outline, both through the DC's ROP2; the fill leaves
// out what the outline stands on (its dashes and its gaps), so no pixel is
// combined twice. Coordinates are logical; the boxes are put in order once
// they are device pixels. Inside a path bracket each adds a closed figure.
#include <algorithm>
#include <vector>

#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/path_bracket.h"
#include "platform/gdi/pen_stroke.h"
#include "platform/gdi/shapes.h"

namespace platform::gdi {

namespace {

struct Shape {
  Region inside;
  PenCoverage outline;
};

void Paint(const DrawSnapshot& dc, Shape shape) {
  shape.inside.Subtract(shape.outline.Footprint());
  FillInside(dc, shape.inside);
  PaintPen(dc, shape.outline);
}

// The pixels the pen's centre runs through around a box of device corners
// (inclusive): the box's outermost pixels, or for a wide PS_INSIDEFRAME pen
// far enough in that the whole width stays inside the box. Empty when
// nothing fits.
std::optional<RECT> PathBox(POINT a, POINT b, const Stroke& stroke) {
  const RECT box =
      ClampedRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
  const int width = stroke.draws && stroke.inside_frame ? stroke.width : 1;
  const LONG before = width / 2;
  const LONG after = (width - 1) / 2;
  RECT path{box.left + before, box.top + before, box.right - 1 - after, box.bottom - 1 - after};
  if (path.right < path.left || path.bottom < path.top) return std::nullopt;
  return path;
}

// The outline starts at the top right corner and runs counter-clockwise, as
// Windows draws it, which places the dashes.
Shape RectangleShape(const RECT& path, const Stroke& stroke, const RECT& limit) {
  Shape shape{Region(RECT{path.left, path.top, path.right, path.bottom}), PenCoverage{}};
  const std::vector<POINT> corners{{path.right, path.top},
                                   {path.left, path.top},
                                   {path.left, path.bottom},
                                   {path.right, path.bottom}};
  shape.outline = PenPath(stroke, corners, /*closed=*/true, limit);
  return shape;
}

// The ellipse fills the path's pixels edge to edge; without a pen it is a
// pixel smaller each way, as Rectangle is. A wide pen's ring reaches
// (width - 1) / 2 pixels out from it (PS_INSIDEFRAME: none, its ring starts
// at the box's edge) and is `width` pixels across.
Shape EllipseShape(const RECT& path, const Stroke& stroke, const RECT& limit) {
  const bool draws = stroke.draws;
  const int width = draws ? stroke.width : 0;
  const bool inside_frame = draws && stroke.inside_frame;
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
  if (!draws) return Shape{EllipseArea(cx, cy, rx, ry, limit), PenCoverage{}};
  Shape shape;
  shape.inside = Erode(EllipseArea(cx, cy, rx - (width - 1), ry - (width - 1), limit));
  Region ring = EllipseArea(cx, cy, rx, ry, limit);
  ring.Subtract(shape.inside);
  shape.outline = DashRing(ring, cx, cy, rx, ry, stroke.dashes);
  return shape;
}

// Draws a box shape, or adds `figure`'s outline to the open path.
template <typename Build, typename Figure>
BOOL DrawInBox(HDC hdc, POINT corner1, POINT corner2, Build build, Figure figure) {
  auto recorded = RecordInOpenPath(hdc, [&](Path& path, const Mapping& mapping) {
    path.AddFigure(figure(ToDevicePixel(mapping, corner1), ToDevicePixel(mapping, corner2)),
                   /*closed=*/true);
  });
  if (recorded) return *recorded;
  auto dc = Snapshot(hdc);
  if (!dc) return FALSE;
  const Stroke stroke = StrokeFor(*dc->pen, dc->mapping);
  const POINT a = ToDevicePixel(dc->mapping, corner1);
  const POINT b = ToDevicePixel(dc->mapping, corner2);
  auto path = PathBox(a, b, stroke);
  if (!path) return TRUE;
  Paint(*dc, build(*path, stroke, dc->canvas.ReachableArea().Bounds()));
  return TRUE;
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  return DrawInBox(hdc, POINT{left, top}, POINT{right, bottom}, RectangleShape, RectangleFigure);
}

// In a path the ellipse is a polygon that keeps within a quarter pixel of
// the curve.
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  return DrawInBox(hdc, POINT{left, top}, POINT{right, bottom}, EllipseShape, EllipseFigure);
}

// The outline closes back to the first point; the inside follows the DC's
// polygon fill mode.
BOOL Polygon(HDC hdc, const POINT* apt, int cpt) {
  if (!apt || cpt < 2) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const auto count = static_cast<size_t>(cpt);
  auto recorded = RecordInOpenPath(hdc, [&](Path& path, const Mapping& mapping) {
    path.AddFigure(ToDevicePixels(mapping, apt, count), /*closed=*/true);
  });
  if (recorded) return *recorded;
  auto dc = Snapshot(hdc);
  if (!dc) return FALSE;
  const std::vector<POINT> points = ToDevicePixels(dc->mapping, apt, count);
  const RECT limit = dc->canvas.ReachableArea().Bounds();
  Paint(*dc, Shape{PolygonArea(points, dc->poly_fill_mode, limit),
                   PenPath(StrokeFor(*dc->pen, dc->mapping), points, /*closed=*/true, limit)});
  return TRUE;
}
