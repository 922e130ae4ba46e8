// Clipping. The application's clip region is kept in device coordinates
// (SelectClipRgn and ExtSelectClipRgn take device regions); the clip
// rectangles and GetClipBox speak logical units. What these functions report
// is the region output really reaches, so a window DC's answers include the
// window's visible region.
#include <optional>

#include "platform/gdi/device_context.h"
#include "platform/gdi/region_object.h"

namespace platform::gdi {

namespace {

// Combines `region` into the DC's clip region. With no clip region yet, the
// current one is the whole DC, so that ExcludeClipRect on a fresh DC leaves
// everything but the rectangle.
int ChangeClip(HDC hdc, const Region* region, int mode) {
  auto dc = FindDc(hdc);
  if (!dc) return ERROR;
  Canvas canvas;
  {
    std::lock_guard lock(dc->mutex());
    if (mode == RGN_COPY) {
      dc->state.clip = region ? std::optional<Region>(*region) : std::nullopt;
    } else {
      const Region current = dc->state.clip ? *dc->state.clip : dc->WholeAreaLocked();
      std::optional<Region> combined =
          region ? CombineRegions(current, *region, mode) : std::nullopt;
      if (!combined) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR;
      }
      dc->state.clip = std::move(combined);
    }
    canvas = dc->CanvasLocked();
  }
  return RegionType(canvas.ReachableArea());
}

// A logical rectangle as a device region, under the DC's mapping now.
Region DeviceClipRect(HDC hdc, const RECT& logical) {
  Mapping mapping;
  if (auto dc = FindDc(hdc)) {
    std::lock_guard lock(dc->mutex());
    mapping = dc->state.mapping;
  }
  const POINT a = ToDevicePixel(mapping, POINT{logical.left, logical.top});
  const POINT b = ToDevicePixel(mapping, POINT{logical.right, logical.bottom});
  return Region(OrderedRect(a.x, a.y, b.x, b.y));
}

int ChangeClipWithHandle(HDC hdc, HRGN hrgn, int mode) {
  if (!hrgn) return ChangeClip(hdc, nullptr, mode);
  auto region = FindOrFail<RegionObject>(hrgn);
  if (!region) return ERROR;
  const Region copy = region->Get();
  return ChangeClip(hdc, &copy, mode);
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

int SelectClipRgn(HDC hdc, HRGN hrgn) { return ChangeClipWithHandle(hdc, hrgn, RGN_COPY); }

// hrgn may be NULL only with RGN_COPY, which removes the clip region.
int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode) {
  if (mode < RGN_AND || mode > RGN_COPY) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return ERROR;
  }
  return ChangeClipWithHandle(hdc, hrgn, mode);
}

// The rectangle is in logical units; its corners are put in order once they
// are device pixels.
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  const Region rect = DeviceClipRect(hdc, RECT{left, top, right, bottom});
  return ChangeClip(hdc, &rect, RGN_AND);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
  const Region rect = DeviceClipRect(hdc, RECT{left, top, right, bottom});
  return ChangeClip(hdc, &rect, RGN_DIFF);
}

// The box is in logical units, its corners in order; an empty clip gives
// the empty rectangle.
int GetClipBox(HDC hdc, LPRECT lprect) {
  auto dc = Snapshot(hdc);
  if (!dc || !lprect) return ERROR;
  const Region reachable = dc->canvas.ReachableArea();
  *lprect = reachable.IsEmpty() ? RECT{0, 0, 0, 0} : ToLogicalRect(dc->mapping, reachable.Bounds());
  return RegionType(reachable);
}

// 1 with a copy of the clip region in hrgn, 0 when there is none, -1 on error.
int GetClipRgn(HDC hdc, HRGN hrgn) {
  auto dc = FindDc(hdc);
  auto region = FindOrFail<RegionObject>(hrgn);
  if (!dc || !region) return -1;
  std::optional<Region> clip;
  {
    std::lock_guard lock(dc->mutex());
    clip = dc->state.clip;
  }
  if (!clip) return 0;
  region->Set(std::move(*clip));
  return 1;
}
