// Path brackets: BeginPath, EndPath, AbortPath, CloseFigure and
// PathToRegion. The drawing calls record into the path themselves
// (path_bracket.h).
#include <mutex>

#include "platform/gdi/device_context.h"
#include "platform/gdi/region_object.h"

namespace platform::gdi {

namespace {

// Runs `change` on the DC's path under its lock; a false answer fails with
// ERROR_CAN_NOT_COMPLETE, as Windows does when the bracket is not as the
// call needs it.
template <typename Change>
BOOL ChangePath(HDC hdc, Change change) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  std::lock_guard lock(dc->mutex());
  if (change(dc->state.path, dc->state)) return TRUE;
  ::SetLastError(ERROR_CAN_NOT_COMPLETE);
  return FALSE;
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

BOOL BeginPath(HDC hdc) {
  return ChangePath(hdc, [](Path& path, const DcState&) {
    path.Begin();
    return true;
  });
}

BOOL EndPath(HDC hdc) {
  return ChangePath(hdc, [](Path& path, const DcState&) { return path.End(); });
}

BOOL AbortPath(HDC hdc) {
  return ChangePath(hdc, [](Path& path, const DcState&) {
    path.Clear();
    return true;
  });
}

BOOL CloseFigure(HDC hdc) {
  return ChangePath(hdc, [](Path& path, const DcState&) { return path.CloseFigure(); });
}

// Only an ended path becomes a region; the path is gone afterwards. A path
// whose region would be too big to build fails with ERROR_NOT_ENOUGH_MEMORY
// and stays.
HRGN PathToRegion(HDC hdc) {
  std::optional<Region> region;
  const BOOL done = ChangePath(hdc, [&](Path& path, const DcState& state) {
    if (path.bracket() != Path::Bracket::kEnded) return false;
    region = PathRegion(path, state.poly_fill_mode);
    if (region) path.Clear();
    return true;
  });
  if (!done || !region) return nullptr;
  return reinterpret_cast<HRGN>(Register(std::make_shared<RegionObject>(std::move(*region))));
}
