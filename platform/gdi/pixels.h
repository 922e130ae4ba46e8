// Views of pixel memory in the formats GDI draws into: 32-bit (a surface, a
// 32-bit bitmap or DIB section), 24-bit DIB sections and 1-bit monochrome
// bitmaps. Drawing code reads a row span into 0x00RRGGBB words, works on
// those, and writes them back, so every format shares one set of raster
// operations.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32/base_types.h"

namespace platform::gdi {

enum class PixelFormat {
  kMono,    // 1 bit, most significant bit first; 0 black, 1 white
  kRgb24,   // bytes B, G, R
  kXrgb32,  // 0x00RRGGBB words; the top byte is ignored on reading
};

constexpr uint32_t kBlackPixel = 0x000000;
constexpr uint32_t kWhitePixel = 0xFFFFFF;

struct PixelView {
  uint8_t* top = nullptr;  // first byte of the top row
  ptrdiff_t stride = 0;    // bytes from one row to the next one down; negative for bottom-up
  int width = 0;
  int height = 0;
  PixelFormat format = PixelFormat::kXrgb32;

  uint8_t* RowBytes(int y) const { return top + stride * y; }
  RECT Bounds() const { return RECT{0, 0, width, height}; }
};

// The callers keep [x, x + count) inside the row.
void ReadSpan(const PixelView& view, int x, int y, int count, uint32_t* out);
void WriteSpan(const PixelView& view, int x, int y, int count, const uint32_t* in);

// What a colour becomes in a monochrome bitmap: the nearer of black and white.
uint32_t NearestMonoPixel(uint32_t pixel);

}  // namespace platform::gdi
