// CoordinateUnit: the unit a panel's drawing coordinates are given in, put
// on a DC as a mapping mode.
#pragma once

#include <cstdint>

#include "platform/win32.h"

namespace runtime::units::drawpanel {

enum CoordinateUnit : int32_t {
  kUnitPixel,
  kUnitTenthMillimetre,
  kUnitHundredthMillimetre,
  kUnitHundredthInch,
  kUnitThousandthInch,
  kUnitTwip,
  kLastCoordinateUnit = kUnitTwip
};

// Pixels for kUnitPixel. The other units take their fixed mapping mode's
// scale, then switch to MM_ANISOTROPIC with the window extent's y negated,
// so that y grows downward as it does in pixels, and both origins at 0.
void ApplyCoordinateUnit(HDC dc, int32_t unit);

// One point through the DC's mapping, either way.
POINT ToDevice(HDC dc, POINT logical);
POINT ToLogical(HDC dc, POINT device);

}  // namespace runtime::units::drawpanel
