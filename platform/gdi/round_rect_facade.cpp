// RoundRect: a rectangle whose corners are rounded by ellipses, outlined
// with the pen and filled with the brush through the DC's ROP2. It follows
// Rectangle and Ellipse pixel for pixel: corners of zero size give
// Rectangle's shape, corners as large as the box give Ellipse's; the
// outline's box leaves out the right and bottom edges; without a pen the
// inside is a pixel smaller each way; a wide pen's ring reaches
// (width - 1) / 2 pixels outwards unless it is PS_INSIDEFRAME. Dashed pens
// walk the ring as they walk an ellipse's.
#include <algorithm>
#include <cstdlib>

#include "platform/gdi/drawing.h"
#include "platform/gdi/mapping.h"
#include "platform/gdi/pen_stroke.h"
#include "platform/gdi/shapes.h"

namespace platform::gdi {

namespace {

struct Shape {
  Region inside;
  PenCoverage outline;
};

// The rounded box grown (or shrunk) by `by` pixels all round, the corner
// radii with it.
RoundBox Grown(const RoundBox& box, double by) {
  return RoundBox{box.left - by,
                  box.top - by,
                  box.right + by,
                  box.bottom + by,
                  std::max(0.0, box.rx + by),
                  std::max(0.0, box.ry + by)};
}

// Whether the pen's path fits in the box: through the box's outermost
// pixels, or for a wide PS_INSIDEFRAME pen far enough in that the whole
// width stays inside.
bool PathFits(const RECT& box, const Stroke& stroke) {
  const int path_width = stroke.draws && stroke.inside_frame ? stroke.width : 1;
  const LONG before = path_width / 2;
  const LONG after = (path_width - 1) / 2;
  return box.right - 1 - after >= box.left + before && box.bottom - 1 - after >= box.top + before;
}

// `box` is the device rectangle, in order; `corner` the corner ellipse's
// size in device pixels.
Shape RoundRectShape(const RECT& box, SIZE corner, const Stroke& stroke, const RECT& limit) {
  if (!PathFits(box, stroke)) return Shape{};
  // The continuous box the shape's outer edge follows.
  RoundBox outer{double(box.left), double(box.top), double(box.right), double(box.bottom), 0, 0};
  if (!stroke.draws) {
    outer.right -= 1;
    outer.bottom -= 1;
  }
  outer.rx = std::min<double>(corner.cx, outer.right - outer.left) / 2;
  outer.ry = std::min<double>(corner.cy, outer.bottom - outer.top) / 2;
  if (!stroke.draws) return Shape{RoundBoxArea(outer, limit), PenCoverage{}};
  const int width = stroke.width;
  outer = Grown(outer, stroke.inside_frame ? 0 : (width - 1) / 2);
  Shape shape;
  shape.inside = Erode(RoundBoxArea(Grown(outer, -(width - 1)), limit));
  Region ring = RoundBoxArea(outer, limit);
  ring.Subtract(shape.inside);
  shape.outline =
      DashRing(ring, (outer.left + outer.right) / 2, (outer.top + outer.bottom) / 2,
               (outer.right - outer.left) / 2, (outer.bottom - outer.top) / 2, stroke.dashes);
  return shape;
}

LONG CornerSize(int64_t device) {
  return static_cast<LONG>(std::min<int64_t>(std::llabs(device), 2 * int64_t{kMaxCoordinate}));
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
  auto dc = Snapshot(hdc);
  if (!dc) return FALSE;
  const POINT a = ToDevicePixel(dc->mapping, POINT{left, top});
  const POINT b = ToDevicePixel(dc->mapping, POINT{right, bottom});
  const RECT box{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  const SIZE corner{CornerSize(WidthToDevice(dc->mapping, width)),
                    CornerSize(HeightToDevice(dc->mapping, height))};
  const Stroke stroke = StrokeFor(*dc->pen, dc->mapping);
  Shape shape = RoundRectShape(box, corner, stroke, dc->canvas.ReachableArea().Bounds());
  shape.inside.Subtract(shape.outline.Footprint());
  FillInside(*dc, shape.inside);
  PaintPen(*dc, shape.outline);
  return TRUE;
}
