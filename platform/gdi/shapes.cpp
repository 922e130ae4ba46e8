#include "platform/gdi/shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "platform/win32/gdi.h"

namespace platform::gdi {

namespace {

constexpr double kEpsilon = 1e-9;

RECT Row(int64_t left, int64_t right, int64_t y) {
  return RECT{static_cast<LONG>(left), static_cast<LONG>(y), static_cast<LONG>(right),
              static_cast<LONG>(y + 1)};
}

struct Crossing {
  double x;
  int direction;  // +1 for an edge going down, -1 going up
};

// Where the polygon's edges cross the horizontal line at `y`, appended in
// no particular order.
void AddCrossings(const std::vector<POINT>& points, double y, std::vector<Crossing>& crossings) {
  for (size_t i = 0; i < points.size(); ++i) {
    const POINT a = points[i];
    const POINT b = points[(i + 1) % points.size()];
    const double low = std::min(a.y, b.y);
    const double high = std::max(a.y, b.y);
    if (y < low || y >= high) continue;
    const double x = a.x + (y - a.y) * (double(b.x) - a.x) / (double(b.y) - a.y);
    crossings.push_back(Crossing{x, b.y > a.y ? 1 : -1});
  }
}

// The pixels of one row whose centres fall in [from, to).
void AddCentres(double from, double to, int64_t y, const RECT& limit, std::vector<RECT>& out) {
  const int64_t left = std::max<int64_t>(limit.left, static_cast<int64_t>(std::ceil(from - 0.5)));
  const int64_t right = std::min<int64_t>(limit.right, static_cast<int64_t>(std::ceil(to - 0.5)));
  if (left < right) out.push_back(Row(left, right, y));
}

// The row's pixels between crossings the fill mode counts as inside.
void AddInsideSpans(std::vector<Crossing>& crossings, int fill_mode, int64_t y, const RECT& limit,
                    std::vector<RECT>& out) {
  std::sort(crossings.begin(), crossings.end(),
            [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
  int winding = 0;
  for (size_t i = 0; i + 1 < crossings.size(); ++i) {
    winding += crossings[i].direction;
    const bool inside = fill_mode == WINDING ? winding != 0 : i % 2 == 0;
    if (inside) AddCentres(crossings[i].x, crossings[i + 1].x, y, limit, out);
  }
}

}  // namespace

Region EllipseArea(double cx, double cy, double rx, double ry, const RECT& limit) {
  if (rx < 0.5 - kEpsilon || ry < 0.5 - kEpsilon) return Region();
  std::vector<RECT> rows;
  const int64_t top =
      std::max<int64_t>(limit.top, static_cast<int64_t>(std::ceil(cy - ry - 0.5 - kEpsilon)));
  const int64_t bottom = std::min<int64_t>(
      limit.bottom - 1, static_cast<int64_t>(std::floor(cy + ry - 0.5 + kEpsilon)));
  for (int64_t y = top; y <= bottom; ++y) {
    const double v = (static_cast<double>(y) + 0.5 - cy) / ry;
    const double half = rx * std::sqrt(std::max(0.0, 1.0 - v * v));
    const int64_t left =
        std::max<int64_t>(limit.left, static_cast<int64_t>(std::ceil(cx - half - 0.5 - kEpsilon)));
    const int64_t right = std::min<int64_t>(
        limit.right, static_cast<int64_t>(std::floor(cx + half - 0.5 + kEpsilon)) + 1);
    if (left < right) rows.push_back(Row(left, right, y));
  }
  return Region::FromRects(rows);
}

Region PolygonArea(const std::vector<POINT>& points, int fill_mode, const RECT& limit) {
  if (points.size() < 3) return Region();
  int64_t top = points[0].y;
  int64_t bottom = points[0].y;
  for (const POINT& p : points) {
    top = std::min<int64_t>(top, p.y);
    bottom = std::max<int64_t>(bottom, p.y);
  }
  top = std::max<int64_t>(top, limit.top);
  bottom = std::min<int64_t>(bottom, limit.bottom);
  std::vector<RECT> rows;
  for (int64_t y = top; y < bottom; ++y) AddPolygonRow(points, fill_mode, y, limit, rows);
  return Region::FromRects(rows);
}

void AddPolygonRow(const std::vector<POINT>& points, int fill_mode, int64_t y, const RECT& limit,
                   std::vector<RECT>& out) {
  std::vector<Crossing> crossings;
  AddCrossings(points, static_cast<double>(y) + 0.5, crossings);
  AddInsideSpans(crossings, fill_mode, y, limit, out);
}

void AddPolyPolygonRow(const std::vector<std::vector<POINT>>& polygons, int fill_mode, int64_t y,
                       const RECT& limit, std::vector<RECT>& out) {
  std::vector<Crossing> crossings;
  for (const auto& points : polygons) {
    if (points.size() >= 2) AddCrossings(points, static_cast<double>(y) + 0.5, crossings);
  }
  AddInsideSpans(crossings, fill_mode, y, limit, out);
}

// Each row's span is found as EllipseArea finds it, around the centre of the
// corner ellipse on that side, so the two agree pixel for pixel.
Region RoundBoxArea(const RoundBox& box, const RECT& limit) {
  const double rx = std::clamp(box.rx, 0.0, std::max(0.0, (box.right - box.left) / 2));
  const double ry = std::clamp(box.ry, 0.0, std::max(0.0, (box.bottom - box.top) / 2));
  const double straight_top = box.top + ry;        // centre rows of the top corners
  const double straight_bottom = box.bottom - ry;  // and of the bottom ones
  const int64_t top =
      std::max<int64_t>(limit.top, static_cast<int64_t>(std::ceil(box.top - 0.5 - kEpsilon)));
  const int64_t last = std::min<int64_t>(
      limit.bottom - 1, static_cast<int64_t>(std::floor(box.bottom - 0.5 + kEpsilon)));
  std::vector<RECT> rows;
  for (int64_t y = top; y <= last;) {
    const double centre = static_cast<double>(y) + 0.5;
    double half = rx;  // how far the row reaches past the corner centres
    int64_t band_end = y + 1;
    if (ry <= 0 || (centre >= straight_top && centre <= straight_bottom)) {
      band_end =
          std::min<int64_t>(last, static_cast<int64_t>(std::floor(straight_bottom - 0.5))) + 1;
      band_end = std::max(band_end, y + 1);
    } else {
      const double v =
          (centre < straight_top ? centre - straight_top : centre - straight_bottom) / ry;
      half = rx * std::sqrt(std::max(0.0, 1.0 - v * v));
    }
    const int64_t left = std::max<int64_t>(
        limit.left, static_cast<int64_t>(std::ceil(box.left + rx - half - 0.5 - kEpsilon)));
    const int64_t right = std::min<int64_t>(
        limit.right, static_cast<int64_t>(std::floor(box.right - rx + half - 0.5 + kEpsilon)) + 1);
    if (left < right) {
      rows.push_back(RECT{static_cast<LONG>(left), static_cast<LONG>(y), static_cast<LONG>(right),
                          static_cast<LONG>(band_end)});
    }
    y = band_end;
  }
  return Region::FromRects(rows);
}

Region Erode(const Region& region) {
  Region inner = region;
  for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
    Region shifted = region;
    shifted.Offset(dx, dy);
    inner.Intersect(shifted);
  }
  return inner;
}

}  // namespace platform::gdi
