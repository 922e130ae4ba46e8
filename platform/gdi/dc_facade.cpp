// DC functions: making and deleting memory DCs, saving and restoring state,
// colours and modes, device capabilities, and what window a DC belongs to.
#include <cmath>
#include <mutex>

#include "platform/gdi/device_context.h"
#include "platform/gdi/screen_info.h"

namespace platform::gdi {

namespace {

// Reads or changes one field of a DC's state under its lock; `failed` when
// the handle is not a DC.
template <typename Field, typename Value>
Value Exchange(HDC hdc, Field DcState::*field, std::optional<Field> replacement, Value failed) {
  auto dc = FindDc(hdc);
  if (!dc) return failed;
  std::lock_guard lock(dc->mutex());
  Field previous = dc->state.*field;
  if (replacement) dc->state.*field = *replacement;
  return static_cast<Value>(previous);
}

int Millimetres(int pixels, int dpi) {
  return static_cast<int>(std::lround(pixels * 25.4 / (dpi > 0 ? dpi : 96)));
}

// Every DC, memory DCs included, reports the screen it is compatible with.
int ScreenCaps(int index) {
  const ScreenInfo screen = CurrentScreen();
  switch (index) {
    case TECHNOLOGY:
      return DT_RASDISPLAY;
    case HORZSIZE:
      return Millimetres(screen.width, screen.dpi);
    case VERTSIZE:
      return Millimetres(screen.height, screen.dpi);
    case HORZRES:
    case DESKTOPHORZRES:
      return screen.width;
    case VERTRES:
    case DESKTOPVERTRES:
      return screen.height;
    case BITSPIXEL:
      return 32;
    case PLANES:
      return 1;
    case NUMCOLORS:
      return -1;  // more than 256 colours
    case CLIPCAPS:
      return CP_RECTANGLE;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case ASPECTX:
    case ASPECTY:
      return 36;  // square pixels
    case ASPECTXY:
      return 51;  // the diagonal of a 36 x 36 square
    case LOGPIXELSX:
    case LOGPIXELSY:
      return screen.dpi;
    case COLORRES:
      return 24;
    default:
      return 0;  // SIZEPALETTE and NUMRESERVED too: no palette
  }
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

HDC CreateCompatibleDC(HDC hdc) {
  if (hdc && !FindDc(hdc)) return nullptr;
  return HandleOf<HDC>(DeviceContext::MakeMemory().get());
}

BOOL DeleteDC(HDC hdc) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  if (!dc->is_memory() || !Unregister(hdc)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  std::lock_guard lock(dc->mutex());
  dc->ReleaseLocked();
  return TRUE;
}

// Returns the new depth of the saved-state stack, which names this state for
// RestoreDC.
int SaveDC(HDC hdc) {
  auto dc = FindDc(hdc);
  if (!dc) return 0;
  std::lock_guard lock(dc->mutex());
  dc->saved.push_back(dc->state);
  return static_cast<int>(dc->saved.size());
}

// A positive level names a state SaveDC returned; a negative one counts back
// from the most recent (-1). The state restored and all later ones are gone.
BOOL RestoreDC(HDC hdc, int nSavedDC) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  std::lock_guard lock(dc->mutex());
  const int64_t depth = static_cast<int64_t>(dc->saved.size());
  const int64_t level = nSavedDC < 0 ? depth + 1 + nSavedDC : nSavedDC;
  if (level < 1 || level > depth) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  dc->state = std::move(dc->saved[static_cast<size_t>(level - 1)]);
  dc->saved.resize(static_cast<size_t>(level - 1));
  return TRUE;
}

int GetDeviceCaps(HDC hdc, int index) {
  if (!FindDc(hdc)) return 0;
  return ScreenCaps(index);
}

HWND WindowFromDC(HDC hdc) { return WindowOfDc(hdc); }

// Where device (0, 0) is on the screen: the surface's place plus the DC's
// origin in it. Memory DCs are at (0, 0).
BOOL GetDCOrgEx(HDC hdc, LPPOINT lppt) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  if (!lppt) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::shared_ptr<Surface> surface;
  POINT origin{0, 0};
  {
    std::lock_guard lock(dc->mutex());
    surface = dc->target.surface;
    origin = dc->target.origin;
  }
  if (dc->is_memory() || !surface) {
    *lppt = POINT{0, 0};
    return TRUE;
  }
  const POINT screen = surface->ScreenPosition();
  *lppt = POINT{screen.x + origin.x, screen.y + origin.y};
  return TRUE;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  return Exchange(hdc, &DcState::text_color, std::optional<COLORREF>(color), CLR_INVALID);
}

COLORREF GetTextColor(HDC hdc) {
  return Exchange(hdc, &DcState::text_color, std::optional<COLORREF>(), CLR_INVALID);
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
  return Exchange(hdc, &DcState::bk_color, std::optional<COLORREF>(color), CLR_INVALID);
}

COLORREF GetBkColor(HDC hdc) {
  return Exchange(hdc, &DcState::bk_color, std::optional<COLORREF>(), CLR_INVALID);
}

int SetBkMode(HDC hdc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return Exchange(hdc, &DcState::bk_mode, std::optional<int>(mode), 0);
}

int GetBkMode(HDC hdc) { return Exchange(hdc, &DcState::bk_mode, std::optional<int>(), 0); }
