#include "platform/gdi/text_escapement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "platform/gdi/gdi_object.h"

namespace platform::gdi {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The values of p with a * p + b in [low, high): [first, last).
struct Span {
  double first;
  double last;
};

Span Solve(double a, double b, double low, double high) {
  if (std::abs(a) < 1e-12) {
    return (b >= low && b < high) ? Span{-kInfinity, kInfinity} : Span{0.0, 0.0};
  }
  const double at_low = (low - b) / a;
  const double at_high = (high - b) / a;
  return a > 0 ? Span{at_low, at_high} : Span{at_high, at_low};
}

}  // namespace

Escapement::Escapement(int64_t tenths)
    : tenths_(static_cast<int>(((tenths % 3600) + 3600) % 3600)) {
  switch (tenths_) {
    case 0:
      break;
    case 900:
      cos_ = 0.0;
      sin_ = 1.0;
      break;
    case 1800:
      cos_ = -1.0;
      sin_ = 0.0;
      break;
    case 2700:
      cos_ = 0.0;
      sin_ = -1.0;
      break;
    default: {
      const double radians = tenths_ * std::numbers::pi / 1800.0;
      cos_ = std::cos(radians);
      sin_ = std::sin(radians);
    }
  }
}

// The baseline runs along (cos, -sin) on the screen, whose y axis points
// down; the descent lies along (sin, cos).
POINT Escapement::Offset(double u, double v) const {
  const double x = u * cos_ + v * sin_;
  const double y = -u * sin_ + v * cos_;
  return POINT{ClampCoordinate(std::llround(x)), ClampCoordinate(std::llround(y))};
}

// Row by row: along a row both text coordinates are linear in x, so the
// pixels inside are one span found by solving two inequalities.
Region Escapement::Area(POINT origin, const RECT& text, const RECT& limit) const {
  double top = kInfinity;
  double bottom = -kInfinity;
  for (const LONG u : {text.left, text.right}) {
    for (const LONG v : {text.top, text.bottom}) {
      const double y = -static_cast<double>(u) * sin_ + static_cast<double>(v) * cos_;
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  const int64_t first = std::max<int64_t>(limit.top, std::llround(std::floor(origin.y + top)));
  const int64_t last = std::min<int64_t>(limit.bottom, std::llround(std::ceil(origin.y + bottom)));
  std::vector<RECT> rows;
  for (int64_t y = first; y < last; ++y) {
    const double py = static_cast<double>(y) + 0.5 - origin.y;
    const Span along = Solve(cos_, -py * sin_, text.left, text.right);
    const Span across = Solve(sin_, py * cos_, text.top, text.bottom);
    // Pixel x is inside when its centre, x + 0.5 - origin.x, is.
    const double shift = origin.x - 0.5;
    const double from = std::ceil(std::max(along.first, across.first) + shift);
    const double to = std::ceil(std::min(along.last, across.last) + shift);
    const double left =
        std::clamp(from, static_cast<double>(limit.left), static_cast<double>(limit.right));
    const double right =
        std::clamp(to, static_cast<double>(limit.left), static_cast<double>(limit.right));
    if (left < right) {
      rows.push_back(RECT{static_cast<LONG>(left), static_cast<LONG>(y), static_cast<LONG>(right),
                          static_cast<LONG>(y + 1)});
    }
  }
  return Region::FromRects(rows);
}

}  // namespace platform::gdi
