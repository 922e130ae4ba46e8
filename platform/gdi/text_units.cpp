#include "platform/gdi/text_units.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/gdi_object.h"

namespace platform::gdi {

namespace {

// A converted size: the original's sign, at least 1 pixel when it was not 0.
LONG ScaledSize(LONG original, int64_t converted) {
  if (original == 0) return 0;
  const int64_t magnitude = std::clamp<int64_t>(std::llabs(converted), 1, INT32_MAX);
  return static_cast<LONG>(original < 0 ? -magnitude : magnitude);
}

}  // namespace

LOGFONTA DeviceFont(const LOGFONTA& logical, const Mapping& mapping) {
  LOGFONTA device = logical;
  if (mapping.IsIdentity()) return device;
  device.lfHeight = ScaledSize(logical.lfHeight, HeightToDevice(mapping, logical.lfHeight));
  device.lfWidth = ScaledSize(logical.lfWidth, WidthToDevice(mapping, logical.lfWidth));
  return device;
}

// Measured from the viewport origin, which is the window origin exactly, so
// the only rounding is the offset's own.
POINT LogicalOffset(const Mapping& mapping, POINT device) {
  if (mapping.IsIdentity()) return device;
  const POINT from = mapping.viewport_origin;
  const POINT to{ClampCoordinate(int64_t{from.x} + device.x),
                 ClampCoordinate(int64_t{from.y} + device.y)};
  const POINT logical_from = ToLogical(mapping, from);
  const POINT logical_to = ToLogical(mapping, to);
  return POINT{ClampCoordinate(int64_t{logical_to.x} - logical_from.x),
               ClampCoordinate(int64_t{logical_to.y} - logical_from.y)};
}

LONG LogicalWidth(const Mapping& mapping, int64_t device) {
  const LONG length = std::abs(LogicalOffset(mapping, POINT{ClampCoordinate(device), 0}).x);
  return device < 0 ? -length : length;
}

LONG LogicalHeight(const Mapping& mapping, int64_t device) {
  const LONG length = std::abs(LogicalOffset(mapping, POINT{0, ClampCoordinate(device)}).y);
  return device < 0 ? -length : length;
}

TEXTMETRICA LogicalMetrics(const TEXTMETRICA& device, const Mapping& mapping) {
  if (mapping.IsIdentity()) return device;
  TEXTMETRICA logical = device;
  for (LONG TEXTMETRICA::*height :
       {&TEXTMETRICA::tmHeight, &TEXTMETRICA::tmAscent, &TEXTMETRICA::tmDescent,
        &TEXTMETRICA::tmInternalLeading, &TEXTMETRICA::tmExternalLeading}) {
    logical.*height = LogicalHeight(mapping, device.*height);
  }
  for (LONG TEXTMETRICA::*width :
       {&TEXTMETRICA::tmAveCharWidth, &TEXTMETRICA::tmMaxCharWidth, &TEXTMETRICA::tmOverhang}) {
    logical.*width = LogicalWidth(mapping, device.*width);
  }
  return logical;
}

std::vector<INT> DeviceAdvances(const Mapping& mapping, const INT* dx, size_t count) {
  std::vector<INT> device(count);
  int64_t logical_sum = 0;
  int64_t device_before = 0;
  for (size_t i = 0; i < count; ++i) {
    logical_sum = std::clamp<int64_t>(logical_sum + dx[i], INT32_MIN, INT32_MAX);
    const int64_t device_sum = WidthToDevice(mapping, logical_sum);
    device[i] = ClampCoordinate(device_sum - device_before);
    device_before = device_sum;
  }
  return device;
}

}  // namespace platform::gdi
