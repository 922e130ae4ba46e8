#include "platform/gdi/mapping.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/gdi/gdi_object.h"

namespace platform::gdi {

namespace {

// Offsets times extents need 65 bits; 128 keep every conversion exact.
__extension__ typedef __int128 Wide;

constexpr Wide kLongMin = std::numeric_limits<LONG>::min();
constexpr Wide kLongMax = std::numeric_limits<LONG>::max();

LONG ClampLong(Wide value) { return static_cast<LONG>(std::clamp(value, kLongMin, kLongMax)); }

Wide Magnitude(Wide value) { return value < 0 ? -value : value; }

// floor(numerator / denominator + 1/2): the nearest integer, halves up.
Wide RoundedQuotient(Wide numerator, Wide denominator) {
  if (denominator < 0) {
    numerator = -numerator;
    denominator = -denominator;
  }
  const Wide twice = 2 * numerator + denominator;
  const Wide divisor = 2 * denominator;
  Wide quotient = twice / divisor;
  if (twice % divisor != 0 && twice < 0) --quotient;
  return quotient;
}

// One axis: (value - from_origin) * to_extent / from_extent + to_origin.
LONG Convert(LONG value, LONG from_origin, LONG from_extent, LONG to_extent, LONG to_origin) {
  const Wide offset = Wide{value} - from_origin;
  return ClampLong(RoundedQuotient(offset * to_extent, from_extent) + to_origin);
}

// A length scaled by |to| / |from|, its sign kept, halves away from zero so
// that -n becomes minus what n becomes.
int64_t ScaleLength(int64_t length, LONG from, LONG to) {
  const Wide scaled = RoundedQuotient(Magnitude(length) * Magnitude(to), Magnitude(from));
  const Wide limit = std::numeric_limits<int64_t>::max();
  const auto magnitude = static_cast<int64_t>(std::min(scaled, limit));
  return length < 0 ? -magnitude : magnitude;
}

// MulDiv: value * numerator / denominator rounded to the nearest, never 0.
LONG ScaledExtent(LONG value, LONG numerator, LONG denominator) {
  const Wide result = RoundedQuotient(Wide{value} * numerator, denominator);
  return std::max<LONG>(1, ClampLong(result));
}

void SetFixedExtents(Mapping& mapping, LONG numerator, LONG denominator, const DeviceSize& device) {
  mapping.window_extent = SIZE{ScaledExtent(device.millimetres.cx, numerator, denominator),
                               ScaledExtent(device.millimetres.cy, numerator, denominator)};
  mapping.viewport_extent =
      SIZE{std::max<LONG>(1, device.pixels.cx), -std::max<LONG>(1, device.pixels.cy)};
}

// Pixels are square, so a unit is as wide as it is tall when both axes
// scale alike: the larger scale shrinks to the smaller one, keeping its
// direction and at least one pixel.
void MakeIsotropic(Mapping& mapping) {
  SIZE& viewport = mapping.viewport_extent;
  const Wide across = Magnitude(viewport.cx) * Magnitude(mapping.window_extent.cy);
  const Wide down = Magnitude(viewport.cy) * Magnitude(mapping.window_extent.cx);
  if (across > down) {
    const Wide shrunk = RoundedQuotient(down, Magnitude(mapping.window_extent.cy));
    const LONG size = std::max<LONG>(1, ClampLong(shrunk));
    viewport.cx = viewport.cx < 0 ? -size : size;
  } else if (down > across) {
    const Wide shrunk = RoundedQuotient(across, Magnitude(mapping.window_extent.cx));
    const LONG size = std::max<LONG>(1, ClampLong(shrunk));
    viewport.cy = viewport.cy < 0 ? -size : size;
  }
}

bool SetExtent(Mapping& mapping, SIZE extent, SIZE Mapping::*field) {
  if (!IsScalableMode(mapping.mode)) return true;
  if (extent.cx == 0 || extent.cy == 0) return false;
  mapping.*field = extent;
  if (mapping.mode == MM_ISOTROPIC) MakeIsotropic(mapping);
  return true;
}

}  // namespace

bool Mapping::IsIdentity() const {
  return window_extent.cx == viewport_extent.cx && window_extent.cy == viewport_extent.cy &&
         window_origin.x == viewport_origin.x && window_origin.y == viewport_origin.y;
}

bool IsScalableMode(int mode) { return mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC; }

bool SetMode(Mapping& mapping, int mode, const DeviceSize& device) {
  if (mode < MM_TEXT || mode > MM_ANISOTROPIC) return false;
  if (mode == mapping.mode && IsScalableMode(mode)) return true;
  switch (mode) {
    case MM_TEXT:
      mapping.window_extent = SIZE{1, 1};
      mapping.viewport_extent = SIZE{1, 1};
      break;
    case MM_LOMETRIC:
    case MM_ISOTROPIC:
      SetFixedExtents(mapping, 10, 1, device);
      break;
    case MM_HIMETRIC:
      SetFixedExtents(mapping, 100, 1, device);
      break;
    case MM_LOENGLISH:
      SetFixedExtents(mapping, 1000, 254, device);
      break;
    case MM_HIENGLISH:
      SetFixedExtents(mapping, 10000, 254, device);
      break;
    case MM_TWIPS:
      SetFixedExtents(mapping, 14400, 254, device);
      break;
    default:  // MM_ANISOTROPIC keeps the extents it finds
      break;
  }
  mapping.mode = mode;
  return true;
}

bool SetWindowExtent(Mapping& mapping, SIZE extent) {
  return SetExtent(mapping, extent, &Mapping::window_extent);
}

bool SetViewportExtent(Mapping& mapping, SIZE extent) {
  return SetExtent(mapping, extent, &Mapping::viewport_extent);
}

POINT ToDevice(const Mapping& m, POINT logical) {
  if (m.IsIdentity()) return logical;
  return POINT{Convert(logical.x, m.window_origin.x, m.window_extent.cx, m.viewport_extent.cx,
                       m.viewport_origin.x),
               Convert(logical.y, m.window_origin.y, m.window_extent.cy, m.viewport_extent.cy,
                       m.viewport_origin.y)};
}

POINT ToLogical(const Mapping& m, POINT device) {
  if (m.IsIdentity()) return device;
  return POINT{Convert(device.x, m.viewport_origin.x, m.viewport_extent.cx, m.window_extent.cx,
                       m.window_origin.x),
               Convert(device.y, m.viewport_origin.y, m.viewport_extent.cy, m.window_extent.cy,
                       m.window_origin.y)};
}

namespace {

template <typename ConvertPoint>
RECT ConvertRect(const RECT& rect, ConvertPoint convert) {
  const POINT a = convert(POINT{rect.left, rect.top});
  const POINT b = convert(POINT{rect.right, rect.bottom});
  return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

}  // namespace

RECT ToDeviceRect(const Mapping& mapping, const RECT& logical) {
  return ConvertRect(logical, [&](POINT p) { return ToDevice(mapping, p); });
}

RECT ToLogicalRect(const Mapping& mapping, const RECT& device) {
  return ConvertRect(device, [&](POINT p) { return ToLogical(mapping, p); });
}

int64_t WidthToDevice(const Mapping& mapping, int64_t logical) {
  return ScaleLength(logical, mapping.window_extent.cx, mapping.viewport_extent.cx);
}

int64_t HeightToDevice(const Mapping& mapping, int64_t logical) {
  return ScaleLength(logical, mapping.window_extent.cy, mapping.viewport_extent.cy);
}

POINT ToDevicePixel(const Mapping& mapping, POINT logical) {
  const POINT device = ToDevice(mapping, logical);
  return POINT{ClampCoordinate(device.x), ClampCoordinate(device.y)};
}

std::vector<POINT> ToDevicePixels(const Mapping& mapping, const POINT* logical, size_t count) {
  std::vector<POINT> device;
  device.reserve(count);
  for (size_t i = 0; i < count; ++i) device.push_back(ToDevicePixel(mapping, logical[i]));
  return device;
}

Region ToDeviceRegion(const Mapping& mapping, const Region& logical) {
  if (mapping.IsIdentity()) return logical;
  std::vector<RECT> rects;
  for (const RECT& rect : logical.Rects()) {
    const RECT device = ToDeviceRect(mapping, rect);
    rects.push_back(ClampedRect(device.left, device.top, device.right, device.bottom));
  }
  return Region::FromRects(rects);
}

}  // namespace platform::gdi
