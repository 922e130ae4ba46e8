#include "platform/gdi/region_shapes.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/shapes.h"

namespace platform::gdi {

namespace {

// Regions are not drawn, so nothing narrower than the coordinate range
// limits them.
constexpr RECT kWholePlane{-kMaxCoordinate, -kMaxCoordinate, kMaxCoordinate, kMaxCoordinate};

std::optional<Region> TooBig() {
  ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return std::nullopt;
}

std::optional<Region> RoundedBox(const RECT& box, int64_t width, int64_t height) {
  const int64_t box_width = int64_t{box.right} - box.left;
  const int64_t box_height = int64_t{box.bottom} - box.top;
  const double rx = static_cast<double>(std::min(std::abs(width), box_width)) / 2;
  const double ry = static_cast<double>(std::min(std::abs(height), box_height)) / 2;
  if (2 * ry + 2 > static_cast<double>(kMaxShapedRows)) return TooBig();
  return RoundBoxArea(
      RoundBox{static_cast<double>(box.left), static_cast<double>(box.top),
               static_cast<double>(box.right), static_cast<double>(box.bottom), rx, ry},
      kWholePlane);
}

// The rows of every vertex, in order, each once.
std::vector<int64_t> VertexRows(const std::vector<std::vector<POINT>>& polygons) {
  std::vector<int64_t> rows;
  for (const auto& polygon : polygons) {
    for (const POINT& p : polygon) rows.push_back(p.y);
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

// Whether every edge through rows [top, bottom) is vertical, so that all
// those rows are alike. `top` and `bottom` are neighbouring vertex rows, so
// an edge either spans the whole band or stays out of it.
bool BandIsStraight(const std::vector<std::vector<POINT>>& polygons, int64_t top, int64_t bottom) {
  for (const auto& points : polygons) {
    for (size_t i = 0; i < points.size(); ++i) {
      const POINT a = points[i];
      const POINT b = points[(i + 1) % points.size()];
      if (std::min(a.y, b.y) <= top && std::max(a.y, b.y) >= bottom && a.x != b.x) return false;
    }
  }
  return true;
}

}  // namespace

std::optional<Region> EllipticRegion(int x1, int y1, int x2, int y2) {
  const RECT box = OrderedRect(x1, y1, x2, y2);
  return RoundedBox(box, int64_t{box.right} - box.left, int64_t{box.bottom} - box.top);
}

std::optional<Region> RoundRectRegion(int x1, int y1, int x2, int y2, int width, int height) {
  return RoundedBox(OrderedRect(x1, y1, x2, y2), width, height);
}

std::optional<Region> PolygonRegion(const std::vector<POINT>& points, int fill_mode) {
  if (points.size() < 3) return Region();
  return PolyPolygonRegion({points}, fill_mode);
}

std::optional<Region> PolyPolygonRegion(const std::vector<std::vector<POINT>>& polygons,
                                        int fill_mode) {
  const std::vector<int64_t> vertex_rows = VertexRows(polygons);
  int64_t edges = 0;
  for (const auto& polygon : polygons) edges += static_cast<int64_t>(polygon.size());
  int64_t rows_scanned = 0;
  int64_t work = 0;
  std::vector<RECT> rects;
  for (size_t i = 0; i + 1 < vertex_rows.size(); ++i) {
    const int64_t top = vertex_rows[i];
    const int64_t bottom = vertex_rows[i + 1];
    work += edges;
    if (BandIsStraight(polygons, top, bottom)) {
      std::vector<RECT> row;
      AddPolyPolygonRow(polygons, fill_mode, top, kWholePlane, row);
      for (RECT& rect : row) rect.bottom = static_cast<LONG>(bottom);
      rects.insert(rects.end(), row.begin(), row.end());
      continue;
    }
    rows_scanned += bottom - top;
    work += (bottom - top) * edges;
    if (rows_scanned > kMaxShapedRows || work > kMaxPolygonWork) return TooBig();
    for (int64_t y = top; y < bottom; ++y) {
      AddPolyPolygonRow(polygons, fill_mode, y, kWholePlane, rects);
    }
  }
  return Region::FromRects(rects);
}

}  // namespace platform::gdi
