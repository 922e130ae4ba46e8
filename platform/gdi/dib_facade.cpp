// The DIB functions: a bitmap made from DIB rows (CreateDIBitmap), a
// bitmap's pixels read out as DIB rows (GetDIBits), and DIB rows drawn onto
// a DC, straight (SetDIBitsToDevice) or stretched (StretchDIBits), through
// the drawing code BitBlt and StretchBlt use.
//
// Scan lines are counted as Win32 counts them: from the bottom row of a
// bottom-up DIB, from the top row of a top-down one. A DIB's scan lines are
// a bitmap's scan lines counted the same way, so a bottom-up DIB of another
// height lines up with the bitmap's bottom.
#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "platform/gdi/blit.h"
#include "platform/gdi/dib_convert.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/stock_objects.h"

namespace platform::gdi {

namespace {

template <typename T>
T Refuse(T failed) {
  ::SetLastError(ERROR_INVALID_PARAMETER);
  return failed;
}

// The bitmap row that DIB row `y` (from the DIB's top) lands on.
int64_t BitmapRowOf(const DibLayout& layout, int bitmap_height, int64_t y) {
  return layout.top_down ? y : y + (bitmap_height - layout.height);
}

void FillFromDib(Bitmap& bitmap, const DibLayout& layout, const BITMAPINFO& info,
                 const void* bits) {
  const int64_t shift = BitmapRowOf(layout, bitmap.height(), 0);
  const RECT rows =
      ClampedRect(0, std::max<int64_t>(0, shift), std::min(bitmap.width(), layout.width),
                  std::min<int64_t>(bitmap.height(), shift + layout.height));
  if (rows.left >= rows.right || rows.top >= rows.bottom) return;
  const RECT needed{rows.left, static_cast<LONG>(rows.top - shift), rows.right,
                    static_cast<LONG>(rows.bottom - shift)};
  const DibPixels pixels(layout, info, bits, 0, layout.height, needed);
  Source source;
  source.view = pixels.view();
  source.dx = -pixels.origin().x;
  source.dy = static_cast<int>(-shift - pixels.origin().y);
  std::lock_guard lock(bitmap.mutex());
  RasterOp(bitmap.View(), {rows}, Rop3Index(SRCCOPY), Pattern{}, &source);
}

// GetDIBits with biBitCount 0: the bitmap's own format, bottom-up.
void DescribeOwnFormat(Bitmap& bitmap, BITMAPINFOHEADER& header) {
  const int bits = bitmap.format().bits_per_pixel;
  header.biWidth = bitmap.width();
  header.biHeight = bitmap.height();
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bits);
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(DibStride(bitmap.width(), bits) * bitmap.height());
  header.biXPelsPerMeter = 0;
  header.biYPelsPerMeter = 0;
  header.biClrUsed = 0;
  header.biClrImportant = 0;
}

// The whole table is written, 2^bits entries, as Win32 does: the caller's
// BITMAPINFO must have room for it.
void WriteColorTable(BITMAPINFO& info, const OutputPalette& palette) {
  auto* quads = const_cast<RGBQUAD*>(DibColors(info));
  const std::vector<uint32_t>& colors = palette.colors();
  for (size_t i = 0; i < colors.size(); ++i) {
    quads[i] = RGBQUAD{static_cast<BYTE>(colors[i]), static_cast<BYTE>(colors[i] >> 8),
                       static_cast<BYTE>(colors[i] >> 16), 0};
  }
}

// Copies `count` scan lines from `start` into `out`; DIB columns the bitmap
// does not have are black.
void ReadScans(Bitmap& bitmap, const DibLayout& layout, int64_t start, int64_t count,
               OutputPalette& palette, uint8_t* out) {
  const int width = std::min(bitmap.width(), layout.width);
  std::vector<uint32_t> pixels(static_cast<size_t>(width));
  std::lock_guard lock(bitmap.mutex());
  const PixelView view = bitmap.View();
  for (int64_t i = 0; i < count; ++i) {
    const int64_t scan = start + i;
    const auto row = static_cast<int>(layout.top_down ? scan : bitmap.height() - 1 - scan);
    ReadSpan(view, 0, row, width, pixels.data());
    WriteDibRow(pixels.data(), width, layout.bits_per_pixel, &palette, out + i * layout.stride,
                layout.stride);
  }
}

// The DIB rectangle a call names, in DIB coordinates from the top: (x, y)
// is its lower-left corner in a bottom-up DIB. Extents keep their signs.
DeviceSpan DibSpan(const DibLayout& layout, int64_t x, int64_t y, int64_t width, int64_t height) {
  return DeviceSpan{x, layout.top_down ? y : layout.height - y - height, width, height};
}

// Draws the part of `from` (DIB coordinates) that the rows at `bits` hold
// onto the DC's pixels at `to`.
BOOL DrawDib(const DrawSnapshot& dc, const DeviceSpan& to, const DeviceSpan& from,
             const DibLayout& layout, const BITMAPINFO& info, const void* bits, int64_t band_top,
             int64_t band_rows, uint8_t rop, const Pattern& pattern) {
  if (to.IsEmpty() || from.IsEmpty()) return TRUE;
  return WithoutThrowing([&] {
    const RECT needed = OrderedRect(from.x, from.y, from.x + from.width, from.y + from.height);
    const DibPixels pixels(layout, info, bits, band_top, band_rows, needed);
    Source source;
    source.view = pixels.view();
    const POINT back{-pixels.origin().x, -pixels.origin().y};
    PixelLocks locks(dc.canvas, nullptr);
    DrawBlit(dc.canvas, GeometryBetween(to, from.Offset(back)), source, dc.stretch_mode, rop,
             pattern);
  });
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

// The bitmap has pbmih's size and hdc's format (the screen's 32 bits for a
// null hdc, monochrome for a memory DC still holding its first bitmap).
HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD flInit, const void* pjBits,
                       const BITMAPINFO* pbmi, UINT iUsage) {
  if (!pbmih || pbmih->biSize < sizeof(BITMAPINFOHEADER)) return Refuse<HBITMAP>(nullptr);
  const int64_t width = pbmih->biWidth;
  const int64_t height = std::llabs(static_cast<int64_t>(pbmih->biHeight));
  if (width < 0 || width > kMaxCoordinate || height > kMaxCoordinate) {
    return Refuse<HBITMAP>(nullptr);
  }
  std::optional<DibLayout> source;
  if (flInit & CBM_INIT) {
    if (!pjBits || !pbmi) return Refuse<HBITMAP>(nullptr);
    source = ReadDibLayout(pbmi->bmiHeader, iUsage);
    if (!source) return nullptr;
  }
  if (width == 0 || height == 0) return HandleOf<HBITMAP>(DefaultBitmap().get());
  BitmapFormat format;
  if (!CompatibleFormat(hdc, &format)) return nullptr;
  format.width = static_cast<int>(width);
  format.height = static_cast<int>(height);
  auto bitmap = Bitmap::Create(format);
  if (!bitmap) return nullptr;
  if (source && !WithoutThrowing([&] { FillFromDib(*bitmap, *source, *pbmi, pjBits); })) {
    return nullptr;
  }
  return PublishBitmap(bitmap);
}

// The bitmap may be selected into a DC (Win32 says it should not be; it
// works here all the same). With lpvBits null only the header is filled in,
// and a biBitCount of 0 asks for the bitmap's own format. Returns the scan
// lines copied, never more than the header's height.
int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi,
              UINT usage) {
  if (hdc && !FindDc(hdc)) return 0;
  auto bitmap = FindOrFail<Bitmap>(hbm);
  if (!bitmap) return 0;
  if (!lpbmi || lpbmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return Refuse(0);
  BITMAPINFOHEADER& header = lpbmi->bmiHeader;
  if (header.biBitCount == 0) {
    if (lpvBits) return Refuse(0);
    DescribeOwnFormat(*bitmap, header);
    return bitmap->height();
  }
  const std::optional<DibLayout> layout = ReadDibLayout(header, usage);
  if (!layout) return 0;
  header.biSizeImage = static_cast<DWORD>(layout->ImageBytes());
  header.biClrUsed = 0;
  header.biClrImportant = 0;
  OutputPalette palette(layout->bits_per_pixel);
  if (layout->HasPalette()) WriteColorTable(*lpbmi, palette);
  if (!lpvBits) return bitmap->height();
  if (start >= static_cast<UINT>(bitmap->height())) return 0;
  const int64_t count = std::min<int64_t>(
      {int64_t{cLines}, int64_t{bitmap->height()} - start, int64_t{layout->height}});
  const bool copied = WithoutThrowing(
      [&] { ReadScans(*bitmap, *layout, start, count, palette, static_cast<uint8_t*>(lpvBits)); });
  return copied ? static_cast<int>(count) : 0;
}

// Unstretched: only the destination corner goes through the mapping, and
// each DIB pixel is one device pixel. lpvBits holds cLines scan lines from
// StartScan; only the part of the rectangle they cover is drawn. Returns the
// scan lines given that the DIB has.
int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc,
                      UINT StartScan, UINT cLines, const VOID* lpvBits, const BITMAPINFO* lpbmi,
                      UINT ColorUse) {
  auto dc = Snapshot(hdc);
  if (!dc) return 0;
  if (!lpvBits || !lpbmi) return Refuse(0);
  const std::optional<DibLayout> layout = ReadDibLayout(lpbmi->bmiHeader, ColorUse);
  if (!layout) return 0;
  if (StartScan >= static_cast<UINT>(layout->height)) return 0;
  const int64_t band_rows = std::min<int64_t>(cLines, layout->height - int64_t{StartScan});
  if (band_rows == 0) return 0;
  const int64_t band_top =
      layout->top_down ? int64_t{StartScan} : layout->height - int64_t{StartScan} - band_rows;
  const int64_t width = std::min<int64_t>(w, kMaxCoordinate);
  const int64_t height = std::min<int64_t>(h, kMaxCoordinate);
  const POINT corner = ToDevice(dc->mapping, POINT{ClampCoordinate(xDest), ClampCoordinate(yDest)});
  const DeviceSpan to =
      DeviceSpan{ClampCoordinate(corner.x), ClampCoordinate(corner.y), width, height}.Offset(
          dc->canvas.origin);
  const DeviceSpan from = DibSpan(*layout, xSrc, ySrc, width, height);
  const BOOL drawn = DrawDib(*dc, to, from, *layout, *lpbmi, lpvBits, band_top, band_rows,
                             Rop3Index(SRCCOPY), Pattern{});
  return drawn ? static_cast<int>(band_rows) : 0;
}

// Returns the source rectangle's height in scan lines.
int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc,
                  int SrcWidth, int SrcHeight, const VOID* lpBits, const BITMAPINFO* lpbmi,
                  UINT iUsage, DWORD rop) {
  auto dc = Snapshot(hdc);
  if (!dc) return 0;
  if (!lpbmi) return Refuse(0);
  const std::optional<DibLayout> layout = ReadDibLayout(lpbmi->bmiHeader, iUsage);
  if (!layout) return 0;
  const auto rows = static_cast<int>(std::min<int64_t>(std::llabs(SrcHeight), INT32_MAX));
  const uint8_t index = Rop3Index(rop);
  if (!Rop3UsesSource(index)) {
    return PatBlt(hdc, xDest, yDest, DestWidth, DestHeight, rop) ? rows : 0;
  }
  if (!lpBits) return Refuse(0);
  Pattern pattern;
  if (Rop3UsesPattern(index)) {
    auto brush_pattern = PatternFor(dc->brush.get(), *dc);
    if (!brush_pattern) return rows;
    pattern = *brush_pattern;
  }
  const DeviceSpan to = ToDeviceSpan(dc->mapping, BlitRect{xDest, yDest, DestWidth, DestHeight})
                            .Offset(dc->canvas.origin);
  const DeviceSpan from = DibSpan(*layout, xSrc, ySrc, SrcWidth, SrcHeight);
  const BOOL drawn =
      DrawDib(*dc, to, from, *layout, *lpbmi, lpBits, 0, layout->height, index, pattern);
  return drawn ? rows : 0;
}
