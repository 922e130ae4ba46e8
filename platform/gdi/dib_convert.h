// DIBs in caller memory: checking what a BITMAPINFO header describes,
// reading DIB rows as pixels and writing pixels out as DIB rows. The DIB
// functions (dib_facade.cpp) build on these; nothing here trusts a size it
// has not checked, since the header is all there is to tell how big the
// caller's memory is.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gdi/pixels.h"
#include "platform/win32.h"

namespace platform::gdi {

// What a BITMAPINFO header says about the rows that follow it, checked.
struct DibLayout {
  int width = 0;
  int height = 0;          // rows, positive whichever order they are stored in
  bool top_down = false;   // the first row in memory is the top one
  int bits_per_pixel = 0;  // 1, 4, 8, 24 or 32
  int64_t stride = 0;      // bytes per row, padded to 4
  int color_count = 0;     // colour table entries the header gives (palette depths)

  bool HasPalette() const { return bits_per_pixel <= 8; }
  int64_t ImageBytes() const { return stride * height; }
};

// Bytes per row of a DIB, padded to 4: ((bits * width + 31) & ~31) / 8.
int64_t DibStride(int64_t width, int bits_per_pixel);

bool IsDibDepth(int bits_per_pixel);

// Checks header size, planes, BI_RGB, depth, dimensions (up to 2^27 each,
// 2^31 bytes in all) and the colour usage: DIB_PAL_COLORS only for 24 and 32
// bits, which have no colour table, as there are no palettes to index. None,
// with ERROR_INVALID_PARAMETER, when anything is off.
std::optional<DibLayout> ReadDibLayout(const BITMAPINFOHEADER& header, UINT usage);

// Where the colour table starts: right after the header, whatever its size.
inline const RGBQUAD* DibColors(const BITMAPINFO& info) {
  return reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const uint8_t*>(&info) +
                                          info.bmiHeader.biSize);
}

// DIB rows as a source of pixels, in DIB coordinates (x from the left, y
// from the top whatever the row order). The caller's memory holds the rows
// [band_top, band_top + band_rows) in storage order. 24- and 32-bit rows
// are read in place; palette rows are converted to 32-bit words, only inside
// `needed`. The view covers `needed` within the band and the DIB.
class DibPixels {
 public:
  // `bits` must stay valid while the view is used. May throw std::bad_alloc.
  DibPixels(const DibLayout& layout, const BITMAPINFO& info, const void* bits, int64_t band_top,
            int64_t band_rows, const RECT& needed);

  const PixelView& view() const { return view_; }
  POINT origin() const { return origin_; }  // DIB coordinates of the view's (0, 0)

 private:
  std::vector<uint32_t> converted_;
  PixelView view_;
  POINT origin_{0, 0};
};

// The colour table GetDIBits gives a palette depth, and the entry each pixel
// takes (the nearest colour): black and white at 1 bit, the 16 standard
// colours at 4 bits, and at 8 bits those 16, a 6 x 6 x 6 colour cube and 24
// greys.
class OutputPalette {
 public:
  explicit OutputPalette(int bits_per_pixel);

  const std::vector<uint32_t>& colors() const { return colors_; }
  uint8_t IndexOf(uint32_t pixel);

 private:
  struct Memo {
    uint32_t pixel = 0xFFFFFFFF;  // never a real pixel, whose top byte is 0
    uint8_t index = 0;
  };

  std::vector<uint32_t> colors_;
  std::array<Memo, 4096> memo_{};
};

// Writes pixels as one DIB row of `bits_per_pixel` into `row`, `stride`
// bytes, zeroing the padding. `palette` is needed for palette depths only.
void WriteDibRow(const uint32_t* pixels, int count, int bits_per_pixel, OutputPalette* palette,
                 uint8_t* row, int64_t stride);

}  // namespace platform::gdi
