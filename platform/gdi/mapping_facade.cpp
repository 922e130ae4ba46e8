// Mapping modes: SetMapMode, the window and viewport extents and origins,
// LPtoDP and DPtoLP. SaveDC and RestoreDC carry the mapping with the rest of
// the DC's state.
#include <mutex>

#include "platform/gdi/device_context.h"
#include "platform/gdi/mapping.h"

namespace platform::gdi {

namespace {

// Runs `change` on the DC's mapping under its lock; FALSE when hdc is no DC.
template <typename Change>
BOOL WithMapping(HDC hdc, Change change) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  std::lock_guard lock(dc->mutex());
  return change(dc->state.mapping) ? TRUE : FALSE;
}

BOOL ReadField(HDC hdc, auto Mapping::*field, auto* out) {
  if (!out) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return WithMapping(hdc, [&](Mapping& mapping) {
    *out = mapping.*field;
    return true;
  });
}

enum class OriginChange { kSet, kOffset };

// Stores `value` in an origin, or adds it to it (wrapping at 32 bits, as
// Windows does), handing back the previous origin when asked.
BOOL MoveOrigin(HDC hdc, POINT Mapping::*field, POINT value, OriginChange change,
                LPPOINT previous) {
  return WithMapping(hdc, [&](Mapping& mapping) {
    POINT& origin = mapping.*field;
    if (previous) *previous = origin;
    if (change == OriginChange::kOffset) {
      origin = POINT{static_cast<LONG>(static_cast<uint32_t>(origin.x) + value.x),
                     static_cast<LONG>(static_cast<uint32_t>(origin.y) + value.y)};
    } else {
      origin = value;
    }
    return true;
  });
}

// The extent setters report the extent in force before the call, also when
// the mode ignores them.
template <typename Set>
BOOL ChangeExtent(HDC hdc, SIZE Mapping::*field, SIZE value, LPSIZE previous, Set set) {
  return WithMapping(hdc, [&](Mapping& mapping) {
    if (previous) *previous = mapping.*field;
    if (set(mapping, value)) return true;
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  });
}

template <typename Convert>
BOOL ConvertPoints(HDC hdc, LPPOINT points, int count, Convert convert) {
  if (count < 0 || (count > 0 && !points)) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return WithMapping(hdc, [&](Mapping& mapping) {
    for (int i = 0; i < count; ++i) points[i] = convert(mapping, points[i]);
    return true;
  });
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

// Returns the previous mode, or 0 when hdc is no DC or the mode is unknown.
int SetMapMode(HDC hdc, int iMode) {
  if (!FindDc(hdc)) return 0;
  const DeviceSize device{SIZE{GetDeviceCaps(hdc, HORZSIZE), GetDeviceCaps(hdc, VERTSIZE)},
                          SIZE{GetDeviceCaps(hdc, HORZRES), GetDeviceCaps(hdc, VERTRES)}};
  int previous = 0;
  const BOOL done = WithMapping(hdc, [&](Mapping& mapping) {
    previous = mapping.mode;
    return SetMode(mapping, iMode, device);
  });
  if (done) return previous;
  SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}

int GetMapMode(HDC hdc) {
  int mode = 0;
  WithMapping(hdc, [&](Mapping& mapping) {
    mode = mapping.mode;
    return true;
  });
  return mode;
}

BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz) {
  return ChangeExtent(hdc, &Mapping::window_extent, SIZE{x, y}, lpsz, SetWindowExtent);
}

BOOL GetWindowExtEx(HDC hdc, LPSIZE lpsize) {
  return ReadField(hdc, &Mapping::window_extent, lpsize);
}

BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz) {
  return ChangeExtent(hdc, &Mapping::viewport_extent, SIZE{x, y}, lpsz, SetViewportExtent);
}

BOOL GetViewportExtEx(HDC hdc, LPSIZE lpsize) {
  return ReadField(hdc, &Mapping::viewport_extent, lpsize);
}

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return MoveOrigin(hdc, &Mapping::window_origin, POINT{x, y}, OriginChange::kSet, lppt);
}

BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppoint) {
  return ReadField(hdc, &Mapping::window_origin, lppoint);
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return MoveOrigin(hdc, &Mapping::viewport_origin, POINT{x, y}, OriginChange::kSet, lppt);
}

BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppoint) {
  return ReadField(hdc, &Mapping::viewport_origin, lppoint);
}

BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return MoveOrigin(hdc, &Mapping::viewport_origin, POINT{x, y}, OriginChange::kOffset, lppt);
}

BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return MoveOrigin(hdc, &Mapping::window_origin, POINT{x, y}, OriginChange::kOffset, lppt);
}

BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c) { return ConvertPoints(hdc, lppt, c, ToDevice); }

BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c) { return ConvertPoints(hdc, lppt, c, ToLogical); }
