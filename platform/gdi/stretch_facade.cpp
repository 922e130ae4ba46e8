// StretchBlt and the stretch mode that decides what happens to the pixels a
// shrinking stretch drops. The scaling itself is in stretch.cpp; drawing
// and clipping are shared with BitBlt (blit.cpp).
#include <mutex>

#include "platform/gdi/blit.h"

using namespace platform::gdi;

// The rectangles may overlap on one DC: the source is read completely before
// anything is written. A negative extent on one side only mirrors that
// axis; on both sides it mirrors nothing.
BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                int ySrc, int wSrc, int hSrc, DWORD rop) {
  return BlitBetweenDcs(hdcDest, BlitRect{xDest, yDest, wDest, hDest}, hdcSrc,
                        BlitRect{xSrc, ySrc, wSrc, hSrc}, rop);
}

// Returns the previous mode; 0 for a mode that is not one of the four.
int SetStretchBltMode(HDC hdc, int mode) {
  if (mode < BLACKONWHITE || mode > HALFTONE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto dc = FindDc(hdc);
  if (!dc) return 0;
  std::lock_guard lock(dc->mutex());
  const int previous = dc->state.stretch_mode;
  dc->state.stretch_mode = mode;
  return previous;
}

int GetStretchBltMode(HDC hdc) {
  auto dc = FindDc(hdc);
  if (!dc) return 0;
  std::lock_guard lock(dc->mutex());
  return dc->state.stretch_mode;
}
