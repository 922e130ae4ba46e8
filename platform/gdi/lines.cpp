#include "platform/gdi/lines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>

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

// Calls visit(i, x, y) for the pixels of a cosmetic line from `a` towards
// `b` (see AddThinLine) whose major coordinate lies inside `limit`; i counts
// the steps from `a`, so a dash pattern can follow the line.
template <typename Visit>
void ForEachThinPixel(POINT a, POINT b, const RECT& limit, Visit visit) {
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
    visit(i, static_cast<LONG>(x_major ? m : n), static_cast<LONG>(x_major ? n : m));
  }
}

// Steps from `a` to `b` along the major axis: the pixels a thin line has.
int64_t ThinSteps(POINT a, POINT b) {
  return std::max(std::llabs(int64_t{b.x} - a.x), std::llabs(int64_t{b.y} - a.y));
}

RECT Pixel(LONG x, LONG y) { return RECT{x, y, x + 1, y + 1}; }

}  // namespace

void AddThinLine(POINT a, POINT b, const RECT& limit, std::vector<RECT>& out) {
  ForEachThinPixel(a, b, limit, [&](int64_t, LONG x, LONG y) { out.push_back(Pixel(x, y)); });
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

bool DashPattern::IsDash(int64_t position) const {
  if (solid()) return true;
  int64_t period = 0;
  for (int i = 0; i < count; ++i) period += lengths[static_cast<size_t>(i)];
  int64_t place = position % period;
  for (int i = 0; i < count; ++i) {
    place -= lengths[static_cast<size_t>(i)];
    if (place < 0) return i % 2 == 0;
  }
  return false;
}

Region PenCoverage::Footprint() const {
  Region footprint = drawn;
  footprint.Union(gaps);
  return footprint;
}

PenCoverage PenPath(const Stroke& stroke, const std::vector<POINT>& points, bool closed,
                    const RECT& limit) {
  if (!stroke.draws || points.empty()) return PenCoverage{};
  std::vector<RECT> dashes;
  std::vector<RECT> gaps;
  const size_t segments = closed ? points.size() : points.size() - 1;
  int64_t position = 0;  // pixels of the dash pattern used so far
  for (size_t i = 0; i < segments; ++i) {
    const POINT a = points[i];
    const POINT b = points[(i + 1) % points.size()];
    if (stroke.width > 1) {
      AddWideLine(a, b, stroke.width, limit, dashes);
    } else if (stroke.dashes.solid()) {
      AddThinLine(a, b, limit, dashes);
    } else {
      ForEachThinPixel(a, b, limit, [&](int64_t step, LONG x, LONG y) {
        (stroke.dashes.IsDash(position + step) ? dashes : gaps).push_back(Pixel(x, y));
      });
      position += ThinSteps(a, b);
    }
  }
  PenCoverage coverage{Region::FromRects(dashes), Region::FromRects(gaps)};
  coverage.gaps.Subtract(coverage.drawn);  // a line crossing itself keeps its dashes
  return coverage;
}

PenCoverage DashRing(const Region& ring, double cx, double cy, double rx, double ry,
                     const DashPattern& dashes) {
  if (dashes.solid()) return PenCoverage{ring, Region()};
  struct Place {
    double angle;
    LONG x;
    LONG y;
  };
  std::vector<Place> places;
  for (const RECT& rect : ring.Rects()) {
    for (LONG y = rect.top; y < rect.bottom; ++y) {
      for (LONG x = rect.left; x < rect.right; ++x) {
        // Up the screen is counter-clockwise, so y counts upwards here.
        double angle =
            std::atan2((cy - (y + 0.5)) / std::max(ry, 0.5), (x + 0.5 - cx) / std::max(rx, 0.5));
        if (angle < 0) angle += 2 * std::numbers::pi;
        places.push_back(Place{angle, x, y});
      }
    }
  }
  std::stable_sort(places.begin(), places.end(),
                   [](const Place& l, const Place& r) { return l.angle < r.angle; });
  std::vector<RECT> drawn;
  std::vector<RECT> gaps;
  for (size_t i = 0; i < places.size(); ++i) {
    const RECT pixel = Pixel(places[i].x, places[i].y);
    (dashes.IsDash(static_cast<int64_t>(i)) ? drawn : gaps).push_back(pixel);
  }
  return PenCoverage{Region::FromRects(drawn), Region::FromRects(gaps)};
}

}  // namespace platform::gdi
