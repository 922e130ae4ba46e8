// The current position and pen lines: MoveToEx, GetCurrentPositionEx,
// LineTo, Polyline. The current position is kept in logical units; lines
// are converted to device pixels when they are drawn or recorded in a path.
#include <mutex>
#include <vector>

#include "platform/gdi/device_context.h"
#include "platform/gdi/path_bracket.h"
#include "platform/gdi/pen_stroke.h"

using namespace platform::gdi;

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  std::lock_guard lock(dc->mutex());
  if (lppt) *lppt = dc->state.position;
  dc->state.position = POINT{x, y};
  if (dc->state.path.open()) dc->state.path.MoveTo(ToDevicePixel(dc->state.mapping, POINT{x, y}));
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
// pen, and moves the current position there. One call is one run of the
// pen's dash pattern.
BOOL LineTo(HDC hdc, int x, int y) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  POINT from{};
  const POINT to{x, y};
  {
    std::lock_guard lock(dc->mutex());
    from = dc->state.position;
    dc->state.position = to;
    if (dc->state.path.open()) {
      const Mapping& mapping = dc->state.mapping;
      dc->state.path.LineTo(ToDevicePixel(mapping, from), ToDevicePixel(mapping, to));
      return TRUE;
    }
  }
  auto snapshot = Snapshot(hdc);
  if (!snapshot) return FALSE;
  StrokeDevicePath(*snapshot,
                   {ToDevicePixel(snapshot->mapping, from), ToDevicePixel(snapshot->mapping, to)},
                   /*closed=*/false);
  return TRUE;
}

// The dash pattern runs on from segment to segment.
BOOL Polyline(HDC hdc, const POINT* apt, int cpt) {
  if (!apt || cpt < 2) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const auto count = static_cast<size_t>(cpt);
  auto recorded = RecordInOpenPath(hdc, [&](Path& path, const Mapping& mapping) {
    path.AddFigure(ToDevicePixels(mapping, apt, count), /*closed=*/false);
  });
  if (recorded) return *recorded;
  auto dc = Snapshot(hdc);
  if (!dc) return FALSE;
  StrokeDevicePath(*dc, ToDevicePixels(dc->mapping, apt, count), /*closed=*/false);
  return TRUE;
}
