// Making bitmaps: CreateBitmap, CreateCompatibleBitmap, CreateDIBSection.
#include <cstdlib>
#include <cstring>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/stock_objects.h"

namespace platform::gdi {

HBITMAP PublishBitmap(const std::shared_ptr<Bitmap>& bitmap) {
  if (!bitmap) return nullptr;
  return reinterpret_cast<HBITMAP>(Register(bitmap));
}

namespace {

// A zero width or height gives the shared 1x1 monochrome bitmap, as Windows
// does; negative sizes are refused.
bool SizeGivesDefault(int width, int height, HBITMAP* result) {
  if (width < 0 || height < 0) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    *result = nullptr;
    return true;
  }
  if (width == 0 || height == 0) {
    *result = HandleOf<HBITMAP>(DefaultBitmap().get());
    return true;
  }
  return false;
}

bool IsSupportedDibHeader(const BITMAPINFOHEADER& header, UINT usage) {
  const int64_t height = std::llabs(static_cast<int64_t>(header.biHeight));
  return header.biSize >= sizeof(BITMAPINFOHEADER) && header.biPlanes == 1 &&
         header.biCompression == BI_RGB && (header.biBitCount == 24 || header.biBitCount == 32) &&
         header.biWidth > 0 && height > 0 && height <= kMaxCoordinate &&
         (usage == DIB_RGB_COLORS || usage == DIB_PAL_COLORS);
}

}  // namespace

// A fresh memory DC gives monochrome, and one holding a DIB section gives a
// DIB section.
bool CompatibleFormat(HDC hdc, BitmapFormat* format) {
  format->bits_per_pixel = 32;
  if (!hdc) return true;
  auto dc = FindDc(hdc);
  if (!dc) return false;
  std::lock_guard lock(dc->mutex());
  if (dc->is_memory()) {
    const BitmapFormat& selected = dc->state.bitmap->format();
    format->bits_per_pixel = selected.bits_per_pixel;
    format->dib = selected.dib;
    format->top_down = selected.top_down;
  }
  return true;
}

}  // namespace platform::gdi

using namespace platform::gdi;

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits) {
  HBITMAP result = nullptr;
  if (SizeGivesDefault(nWidth, nHeight, &result)) return result;
  if (nPlanes != 1) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto bitmap =
      Bitmap::Create(BitmapFormat{nWidth, nHeight, static_cast<int>(nBitCount), false, true});
  if (!bitmap) return nullptr;
  if (lpBits) {
    std::memcpy(bitmap->bits(), lpBits, static_cast<size_t>(bitmap->stride()) * bitmap->height());
  }
  return PublishBitmap(bitmap);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
  BitmapFormat format;
  if (!CompatibleFormat(hdc, &format)) return nullptr;
  HBITMAP result = nullptr;
  if (SizeGivesDefault(cx, cy, &result)) return result;
  format.width = cx;
  format.height = cy;
  return PublishBitmap(Bitmap::Create(format));
}

// hdc only matters for DIB_PAL_COLORS, which 24- and 32-bit DIBs ignore.
HBITMAP CreateDIBSection(HDC, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection,
                         DWORD) {
  if (ppvBits) *ppvBits = nullptr;
  if (!pbmi || hSection || !IsSupportedDibHeader(pbmi->bmiHeader, usage)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const BITMAPINFOHEADER& header = pbmi->bmiHeader;
  BitmapFormat format;
  format.width = header.biWidth;
  format.height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  format.bits_per_pixel = header.biBitCount;
  format.dib = true;
  format.top_down = header.biHeight < 0;
  auto bitmap = Bitmap::Create(format);
  if (!bitmap) return nullptr;
  if (ppvBits) *ppvBits = bitmap->bits();
  return PublishBitmap(bitmap);
}
