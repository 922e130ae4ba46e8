// HRGN functions. Rectangles given to them are put in order first, so
// (10, 10, 0, 0) and (0, 0, 10, 10) make the same region.
#include <optional>

#include "platform/gdi/region_object.h"

namespace platform::gdi {

namespace {

HRGN MakeRegion(const RECT& rect) {
  return reinterpret_cast<HRGN>(Register(std::make_shared<RegionObject>(Region(rect))));
}

}  // namespace

std::optional<Region> CombineRegions(const Region& first, const Region& second, int mode) {
  Region result = first;
  switch (mode) {
    case RGN_AND:
      result.Intersect(second);
      return result;
    case RGN_OR:
      result.Union(second);
      return result;
    case RGN_XOR:
      result.Xor(second);
      return result;
    case RGN_DIFF:
      result.Subtract(second);
      return result;
    default:
      return std::nullopt;
  }
}

}  // namespace platform::gdi

using namespace platform::gdi;

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) {
  return MakeRegion(OrderedRect(x1, y1, x2, y2));
}

HRGN CreateRectRgnIndirect(const RECT* lprect) {
  if (!lprect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom) {
  auto region = FindOrFail<RegionObject>(hrgn);
  if (!region) return FALSE;
  region->Set(Region(OrderedRect(left, top, right, bottom)));
  return TRUE;
}

// The sources are copied before the destination changes, so any of the three
// handles may be the same region.
int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode) {
  auto destination = FindOrFail<RegionObject>(hrgnDst);
  auto first = FindOrFail<RegionObject>(hrgnSrc1);
  if (!destination || !first) return ERROR;
  if (iMode == RGN_COPY) {
    Region copy = first->Get();
    destination->Set(copy);
    return RegionType(copy);
  }
  auto second = FindOrFail<RegionObject>(hrgnSrc2);
  if (!second) return ERROR;
  std::optional<Region> result = CombineRegions(first->Get(), second->Get(), iMode);
  if (!result) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return ERROR;
  }
  const int type = RegionType(*result);
  destination->Set(std::move(*result));
  return type;
}

int OffsetRgn(HRGN hrgn, int x, int y) {
  auto region = FindOrFail<RegionObject>(hrgn);
  if (!region) return ERROR;
  return region->Update([&](Region& r) { r.Offset(x, y); });
}

BOOL PtInRegion(HRGN hrgn, int x, int y) {
  auto region = FindOrFail<RegionObject>(hrgn);
  return region && region->Get().Contains(POINT{x, y});
}

BOOL RectInRegion(HRGN hrgn, const RECT* lprect) {
  auto region = FindOrFail<RegionObject>(hrgn);
  if (!region || !lprect) return FALSE;
  return region->Get().Intersects(
      OrderedRect(lprect->left, lprect->top, lprect->right, lprect->bottom));
}

int GetRgnBox(HRGN hrgn, LPRECT lprc) {
  auto region = FindOrFail<RegionObject>(hrgn);
  if (!region || !lprc) return ERROR;
  const Region copy = region->Get();
  *lprc = copy.Bounds();
  return RegionType(copy);
}

BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2) {
  auto first = FindOrFail<RegionObject>(hrgn1);
  auto second = FindOrFail<RegionObject>(hrgn2);
  if (!first || !second) return ERROR;
  return first->Get() == second->Get();
}
