#include "platform/gdi/pixels.h"

#include <bit>
#include <cstring>

namespace platform::gdi {

// 32-bit pixels are stored as words whose bytes must read B, G, R, X.
static_assert(std::endian::native == std::endian::little);

namespace {

uint32_t Channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

void ReadMono(const uint8_t* row, int x, int count, uint32_t* out) {
  for (int i = 0; i < count; ++i) {
    const int bit = x + i;
    const bool set = (row[bit >> 3] >> (7 - (bit & 7))) & 1;
    out[i] = set ? kWhitePixel : kBlackPixel;
  }
}

void WriteMono(uint8_t* row, int x, int count, const uint32_t* in) {
  for (int i = 0; i < count; ++i) {
    const int bit = x + i;
    const uint8_t mask = static_cast<uint8_t>(0x80 >> (bit & 7));
    if (NearestMonoPixel(in[i]) == kWhitePixel) {
      row[bit >> 3] |= mask;
    } else {
      row[bit >> 3] &= static_cast<uint8_t>(~mask);
    }
  }
}

void ReadRgb24(const uint8_t* row, int x, int count, uint32_t* out) {
  const uint8_t* p = row + static_cast<ptrdiff_t>(x) * 3;
  for (int i = 0; i < count; ++i, p += 3) {
    out[i] = p[0] | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16);
  }
}

void WriteRgb24(uint8_t* row, int x, int count, const uint32_t* in) {
  uint8_t* p = row + static_cast<ptrdiff_t>(x) * 3;
  for (int i = 0; i < count; ++i, p += 3) {
    p[0] = static_cast<uint8_t>(Channel(in[i], 0));
    p[1] = static_cast<uint8_t>(Channel(in[i], 8));
    p[2] = static_cast<uint8_t>(Channel(in[i], 16));
  }
}

}  // namespace

// Rows of DIB sections need not be 4-byte aligned for the compiler's idea of
// uint32_t, so words are moved with memcpy.
void ReadSpan(const PixelView& view, int x, int y, int count, uint32_t* out) {
  const uint8_t* row = view.RowBytes(y);
  switch (view.format) {
    case PixelFormat::kMono:
      ReadMono(row, x, count, out);
      return;
    case PixelFormat::kRgb24:
      ReadRgb24(row, x, count, out);
      return;
    case PixelFormat::kXrgb32:
      std::memcpy(out, row + static_cast<ptrdiff_t>(x) * 4, static_cast<size_t>(count) * 4);
      for (int i = 0; i < count; ++i) out[i] &= 0x00FFFFFF;
      return;
  }
}

void WriteSpan(const PixelView& view, int x, int y, int count, const uint32_t* in) {
  uint8_t* row = view.RowBytes(y);
  switch (view.format) {
    case PixelFormat::kMono:
      WriteMono(row, x, count, in);
      return;
    case PixelFormat::kRgb24:
      WriteRgb24(row, x, count, in);
      return;
    case PixelFormat::kXrgb32:
      uint8_t* p = row + static_cast<ptrdiff_t>(x) * 4;
      for (int i = 0; i < count; ++i, p += 4) {
        const uint32_t word = in[i] & 0x00FFFFFF;
        std::memcpy(p, &word, 4);
      }
      return;
  }
}

// Nearer by the sum of the channels: a light grey turns white, a dark one
// black, as a solid brush does on a monochrome bitmap.
uint32_t NearestMonoPixel(uint32_t pixel) {
  const uint32_t sum = Channel(pixel, 0) + Channel(pixel, 8) + Channel(pixel, 16);
  return sum >= 383 ? kWhitePixel : kBlackPixel;
}

}  // namespace platform::gdi
