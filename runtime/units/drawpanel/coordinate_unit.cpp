#include "runtime/units/drawpanel/coordinate_unit.h"

namespace runtime::units::drawpanel {

namespace {

int FixedModeOf(int32_t unit) {
  switch (unit) {
    case kUnitTenthMillimetre:
      return MM_LOMETRIC;
    case kUnitHundredthMillimetre:
      return MM_HIMETRIC;
    case kUnitHundredthInch:
      return MM_LOENGLISH;
    case kUnitThousandthInch:
      return MM_HIENGLISH;
    case kUnitTwip:
      return MM_TWIPS;
    default:
      return MM_TEXT;
  }
}

}  // namespace

void ApplyCoordinateUnit(HDC dc, int32_t unit) {
  const int fixed = FixedModeOf(unit);
  SetMapMode(dc, fixed);
  if (fixed == MM_TEXT) return;
  // MM_ANISOTROPIC keeps the extents the fixed mode set.
  SetMapMode(dc, MM_ANISOTROPIC);
  SIZE extent{};
  GetWindowExtEx(dc, &extent);
  SetWindowExtEx(dc, extent.cx, -extent.cy, nullptr);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);
}

POINT ToDevice(HDC dc, POINT logical) {
  LPtoDP(dc, &logical, 1);
  return logical;
}

POINT ToLogical(HDC dc, POINT device) {
  DPtoLP(dc, &device, 1);
  return device;
}

}  // namespace runtime::units::drawpanel
