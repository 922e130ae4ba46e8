// Making brushes: solid, null, hatched and pattern brushes.
#include <mutex>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/drawing_objects.h"

namespace platform::gdi {

namespace {

constexpr int kPatternSize = 8;

HBRUSH MakeBrush(const LOGBRUSH& logical, std::optional<BrushPattern> pattern = std::nullopt) {
  auto brush = std::make_shared<Brush>(logical, std::move(pattern));
  return reinterpret_cast<HBRUSH>(Register(brush));
}

HBRUSH Refuse() {
  ::SetLastError(ERROR_INVALID_PARAMETER);
  return nullptr;
}

// Copies the top-left 8 x 8 pixels under the bitmap's lock, so a DC drawing
// into the bitmap at the same time cannot tear the copy.
std::optional<BrushPattern> CopyPattern(HBITMAP handle) {
  auto bitmap = FindOrFail<Bitmap>(handle);
  if (!bitmap) return std::nullopt;
  if (bitmap->width() < kPatternSize || bitmap->height() < kPatternSize) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  BrushPattern pattern;
  pattern.monochrome = bitmap->monochrome();
  std::lock_guard lock(bitmap->mutex());
  const PixelView view = bitmap->View();
  for (int y = 0; y < kPatternSize; ++y) {
    ReadSpan(view, 0, y, kPatternSize, pattern.pixels.data() + y * kPatternSize);
  }
  return pattern;
}

HBRUSH MakePatternBrush(HBITMAP bitmap) {
  auto pattern = CopyPattern(bitmap);
  if (!pattern) return nullptr;
  return MakeBrush(LOGBRUSH{BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(bitmap)},
                   std::move(pattern));
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

HBRUSH CreateSolidBrush(COLORREF color) { return MakeBrush(LOGBRUSH{BS_SOLID, color, 0}); }

HBRUSH CreateHatchBrush(int iHatch, COLORREF color) {
  if (!IsHatchStyle(iHatch)) return Refuse();
  return MakeBrush(LOGBRUSH{BS_HATCHED, color, static_cast<ULONG_PTR>(iHatch)});
}

HBRUSH CreatePatternBrush(HBITMAP hbm) { return MakePatternBrush(hbm); }

// BS_HATCHED takes the hatch style from lbHatch, BS_PATTERN the bitmap
// handle; the DIB pattern styles are not made.
HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush) {
  if (!plbrush) return Refuse();
  switch (plbrush->lbStyle) {
    case BS_SOLID:
    case BS_NULL:
      return MakeBrush(*plbrush);
    case BS_HATCHED:
      if (plbrush->lbHatch > HS_DIAGCROSS) return Refuse();
      return CreateHatchBrush(static_cast<int>(plbrush->lbHatch), plbrush->lbColor);
    case BS_PATTERN:
      return MakePatternBrush(reinterpret_cast<HBITMAP>(plbrush->lbHatch));
    default:
      return Refuse();
  }
}
