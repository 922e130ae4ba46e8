#include "platform/gdi/lines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace platform::gdi {

namespace {

constexpr double kEpsilon = 1e-9;

struct Interval {
  double low = 1;
  double high = 0;
  bool empty() const { return low > high; }
  void Join(const Interval& other) {
    if (other.empty()) return;
    if (empty()) {
      *this = other;
      return;
    }
    low = std::min(low, other.low);
    high = std::max(high, other.high);
  }
  void Meet(const Interval& other) {
    low = std::max(low, other.low);
    high = std::min(high, other.high);
  }
};

// The x where slope * x + offset lies in [low, high].
Interval Solve(double slope, double offset, double low, double high) {
  if (std::fabs(slope) < kEpsilon) {
    const bool inside = offset >= low - kEpsilon && offset <= high + kEpsilon;
    return inside ? Interval{-1e18, 1e18} : Interval{};
  }
  double x1 = (low - offset) / slope;
  double x2 = (high - offset) / slope;
  if (x1 > x2) std::swap(x1, x2);
  return Interval{x1, x2};
}

Interval DiskRow(double cx, double cy, double r, double y) {
  const double dy = y - cy;
  const double left = r * r - dy * dy;
  if (left < -kEpsilon) return Interval{};
  const double half = std::sqrt(std::max(0.0, left));
  return Interval{cx - half, cx + half};
}

// The row of the band around segment (ax, ay)-(bx, by): within r of the line
// and between the perpendiculars through its ends.
Interval BandRow(double ax, double ay, double bx, double by, double r, double y) {
  const double dx = bx - ax;
  const double dy = by - ay;
  const double length2 = dx * dx + dy * dy;
  if (length2 < kEpsilon) return Interval{};
  const double length = std::sqrt(length2);
  Interval along = Solve(dx, (y - ay) * dy - ax * dx, 0, length2);
  along.Meet(Solve(dy, -(y - ay) * dx - ax * dy, -r * length, r * length));
  return along;
}

}  // namespace

void AddThinLine(POINT a, POINT b, const RECT& limit, std::vector<RECT>& out) {
  const int64_t dx = int64_t{b.x} - a.x;
  const int64_t dy = int64_t{b.y} - a.y;
  const bool x_major = std::llabs(dx) >= std::llabs(dy);
  const int64_t steps = x_major ? std::llabs(dx) : std::llabs(dy);
  const int64_t major = x_major ? dx : dy;
  const int64_t minor = x_major ? dy : dx;
  const int64_t major_start = x_major ? a.x : a.y;
  const int64_t minor_start = x_major ? a.y : a.x;
  const int64_t low = x_major ? limit.left : limit.top;
  const int64_t high = x_major ? limit.right : limit.bottom;
  const int64_t direction = major < 0 ? -1 : 1;
  // Only the steps whose major coordinate falls inside the limit.
  int64_t first = direction > 0 ? low - major_start : major_start - (high - 1);
  int64_t last = direction > 0 ? high - 1 - major_start : major_start - low;
  first = std::max<int64_t>(first, 0);
  last = std::min<int64_t>(last, steps - 1);
  for (int64_t i = first; i <= last; ++i) {
    // round(i * minor / steps), ties down: floor((2 * i * minor + steps - 1) / (2 * steps)).
    const int64_t numerator = 2 * i * minor + steps - 1;
    const int64_t denominator = 2 * steps;
    int64_t offset = numerator / denominator;
    if (numerator % denominator != 0 && numerator < 0) --offset;
    const int64_t m = major_start + direction * i;
    const int64_t n = minor_start + offset;
    const LONG x = static_cast<LONG>(x_major ? m : n);
    const LONG y = static_cast<LONG>(x_major ? n : m);
    out.push_back(RECT{x, y, x + 1, y + 1});
  }
}

void AddWideLine(POINT a, POINT b, int width, const RECT& limit, std::vector<RECT>& out) {
  const double r = width / 2.0;
  const double shift = width % 2 == 0 ? 0.5 : 0.0;
  const double ax = a.x - shift;
  const double ay = a.y - shift;
  const double bx = b.x - shift;
  const double by = b.y - shift;
  const int64_t top =
      std::max<int64_t>(limit.top, static_cast<int64_t>(std::floor(std::min(ay, by) - r)));
  const int64_t bottom =
      std::min<int64_t>(limit.bottom - 1, static_cast<int64_t>(std::ceil(std::max(ay, by) + r)));
  for (int64_t y = top; y <= bottom; ++y) {
    const double row = static_cast<double>(y);
    Interval span = DiskRow(ax, ay, r, row);
    span.Join(DiskRow(bx, by, r, row));
    span.Join(BandRow(ax, ay, bx, by, r, row));
    if (span.empty()) continue;
    const int64_t left =
        std::max<int64_t>(limit.left, static_cast<int64_t>(std::ceil(span.low - kEpsilon)));
    const int64_t right =
        std::min<int64_t>(limit.right, static_cast<int64_t>(std::floor(span.high + kEpsilon)) + 1);
    if (left >= right) continue;
    out.push_back(RECT{static_cast<LONG>(left), static_cast<LONG>(y), static_cast<LONG>(right),
                       static_cast<LONG>(y + 1)});
  }
}

Region PenPath(const Pen& pen, const std::vector<POINT>& points, bool closed, const RECT& limit) {
  std::vector<RECT> rects;
  if (!pen.draws() || points.empty()) return Region();
  const size_t segments = closed ? points.size() : points.size() - 1;
  for (size_t i = 0; i < segments; ++i) {
    const POINT a = points[i];
    const POINT b = points[(i + 1) % points.size()];
    if (pen.width() > 1) {
      AddWideLine(a, b, pen.width(), limit, rects);
    } else {
      AddThinLine(a, b, limit, rects);
    }
  }
  return Region::FromRects(rects);
}

}  // namespace platform::gdi
