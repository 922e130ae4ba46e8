// The current position and pen lines: MoveToEx, GetCurrentPositionEx,
// LineTo, Polyline.
#include <mutex>
#include <vector>

#include "platform/gdi/device_context.h"
#include "platform/gdi/lines.h"
#include "platform/gdi/rop2.h"

namespace platform::gdi {

namespace {

// Draws `points` with the DC's pen through its ROP2.
BOOL StrokePoints(HDC hdc, const std::vector<POINT>& points) {
  auto dc = Snapshot(hdc);
  if (!dc) return FALSE;
  if (!dc->pen->draws()) return TRUE;
  const RECT limit = dc->canvas.ReachableArea().Bounds();
  const Region area = PenPath(*dc->pen, points, /*closed=*/false, limit);
  PaintMix(dc->canvas, area, dc->rop2, dc->pen->color());
  return TRUE;
}

POINT Clamped(int x, int y) { return POINT{ClampCoordinate(x), ClampCoordinate(y)}; }

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  std::lock_guard lock(dc->mutex());
  if (lppt) *lppt = dc->state.position;
  dc->state.position = Clamped(x, y);
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt) {
  if (!lppt) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  std::lock_guard lock(dc->mutex());
  *lppt = dc->state.position;
  return TRUE;
}

// Draws from the current position up to, not including, (x, y) with a thin
// pen, and moves the current position there.
BOOL LineTo(HDC hdc, int x, int y) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  POINT from{};
  const POINT to = Clamped(x, y);
  {
    std::lock_guard lock(dc->mutex());
    from = dc->state.position;
    dc->state.position = to;
  }
  return StrokePoints(hdc, {from, to});
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt) {
  if (!apt || cpt < 2) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::vector<POINT> points;
  points.reserve(static_cast<size_t>(cpt));
  for (int i = 0; i < cpt; ++i) points.push_back(Clamped(apt[i].x, apt[i].y));
  return StrokePoints(hdc, points);
}
