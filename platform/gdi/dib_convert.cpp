#include "platform/gdi/dib_convert.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

#include "platform/gdi/gdi_object.h"

namespace platform::gdi {

namespace {

// The same limit bitmaps have: beyond it a DIB is refused as malformed.
constexpr int64_t kMaxDibBytes = int64_t{1} << 31;

// From BITMAPINFOHEADER (40 bytes) to BITMAPV5HEADER (124); the colour
// table follows whichever it is.
constexpr DWORD kLargestHeader = 124;

bool Refuse() {
  ::SetLastError(ERROR_INVALID_PARAMETER);
  return false;
}

bool IsSupportedHeader(const BITMAPINFOHEADER& header, UINT usage) {
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > kLargestHeader) return false;
  if (header.biPlanes != 1 || header.biCompression != BI_RGB) return false;
  if (!IsDibDepth(header.biBitCount)) return false;
  if (usage == DIB_PAL_COLORS) return header.biBitCount > 8;
  return usage == DIB_RGB_COLORS;
}

uint32_t PixelOf(const RGBQUAD& quad) {
  return (uint32_t{quad.rgbRed} << 16) | (uint32_t{quad.rgbGreen} << 8) | quad.rgbBlue;
}

// 2^bits entries; those the header does not give stay black, so any index
// a row holds has a colour.
std::vector<uint32_t> PaletteOf(const DibLayout& layout, const BITMAPINFO& info) {
  std::vector<uint32_t> palette(size_t{1} << layout.bits_per_pixel, kBlackPixel);
  const RGBQUAD* quads = DibColors(info);
  for (int i = 0; i < layout.color_count; ++i) palette[static_cast<size_t>(i)] = PixelOf(quads[i]);
  return palette;
}

unsigned IndexAt(const uint8_t* row, int x, int bits_per_pixel) {
  switch (bits_per_pixel) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4:
      return (x & 1) ? row[x >> 1] & 0x0Fu : row[x >> 1] >> 4;
    default:
      return row[x];
  }
}

void PutIndex(uint8_t* row, int x, int bits_per_pixel, unsigned index) {
  switch (bits_per_pixel) {
    case 1:
      row[x >> 3] |= static_cast<uint8_t>(index << (7 - (x & 7)));
      return;
    case 4:
      row[x >> 1] |= static_cast<uint8_t>((x & 1) ? index : index << 4);
      return;
    default:
      row[x] = static_cast<uint8_t>(index);
  }
}

int ChannelDistance(uint32_t a, uint32_t b) {
  int total = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    total += d * d;
  }
  return total;
}

// The 16 colours of the standard VGA palette, in Windows' order.
constexpr std::array<uint32_t, 16> kStandardColors = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

std::vector<uint32_t> EightBitColors() {
  std::vector<uint32_t> colors(kStandardColors.begin(), kStandardColors.end());
  for (uint32_t r = 0; r < 6; ++r) {
    for (uint32_t g = 0; g < 6; ++g) {
      for (uint32_t b = 0; b < 6; ++b) colors.push_back((r * 51) << 16 | (g * 51) << 8 | b * 51);
    }
  }
  for (uint32_t i = 0; i < 24; ++i) colors.push_back((8 + 10 * i) * 0x010101u);
  return colors;
}

}  // namespace

int64_t DibStride(int64_t width, int bits_per_pixel) {
  return ((width * bits_per_pixel + 31) & ~int64_t{31}) / 8;
}

bool IsDibDepth(int bits_per_pixel) {
  return bits_per_pixel == 1 || bits_per_pixel == 4 || bits_per_pixel == 8 ||
         bits_per_pixel == 24 || bits_per_pixel == 32;
}

std::optional<DibLayout> ReadDibLayout(const BITMAPINFOHEADER& header, UINT usage) {
  const int64_t width = header.biWidth;
  const int64_t height = std::llabs(static_cast<int64_t>(header.biHeight));
  if (!IsSupportedHeader(header, usage) || width <= 0 || height == 0 || width > kMaxCoordinate ||
      height > kMaxCoordinate) {
    Refuse();
    return std::nullopt;
  }
  DibLayout layout;
  layout.width = static_cast<int>(width);
  layout.height = static_cast<int>(height);
  layout.top_down = header.biHeight < 0;
  layout.bits_per_pixel = header.biBitCount;
  layout.stride = DibStride(width, layout.bits_per_pixel);
  if (layout.ImageBytes() > kMaxDibBytes) {
    Refuse();
    return std::nullopt;
  }
  if (layout.HasPalette()) {
    const DWORD full = DWORD{1} << layout.bits_per_pixel;
    layout.color_count =
        static_cast<int>(header.biClrUsed == 0 ? full : std::min(header.biClrUsed, full));
  }
  return layout;
}

DibPixels::DibPixels(const DibLayout& layout, const BITMAPINFO& info, const void* bits,
                     int64_t band_top, int64_t band_rows, const RECT& needed) {
  const int64_t left = std::max<int64_t>(needed.left, 0);
  const int64_t right = std::min<int64_t>(needed.right, layout.width);
  const int64_t top = std::max<int64_t>(needed.top, std::max<int64_t>(band_top, 0));
  const int64_t bottom =
      std::min<int64_t>(needed.bottom, std::min<int64_t>(band_top + band_rows, layout.height));
  if (left >= right || top >= bottom) return;
  origin_ = POINT{static_cast<LONG>(left), static_cast<LONG>(top)};
  const int width = static_cast<int>(right - left);
  const int height = static_cast<int>(bottom - top);
  // The rows are only ever read; PixelView is shared with drawing, hence the cast.
  auto* base = const_cast<uint8_t*>(static_cast<const uint8_t*>(bits));
  const auto row_at = [&](int64_t y) {
    const int64_t index = layout.top_down ? y - band_top : band_top + band_rows - 1 - y;
    return base + index * layout.stride;
  };
  const ptrdiff_t step = layout.top_down ? layout.stride : -layout.stride;
  if (!layout.HasPalette()) {
    const int bytes = layout.bits_per_pixel / 8;
    view_ = PixelView{row_at(top) + left * bytes, step, width, height,
                      bytes == 3 ? PixelFormat::kRgb24 : PixelFormat::kXrgb32};
    return;
  }
  const std::vector<uint32_t> palette = PaletteOf(layout, info);
  converted_.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = row_at(top + y);
    uint32_t* out = converted_.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
    for (int x = 0; x < width; ++x) {
      out[x] = palette[IndexAt(row, static_cast<int>(left) + x, layout.bits_per_pixel)];
    }
  }
  view_ = PixelView{reinterpret_cast<uint8_t*>(converted_.data()), ptrdiff_t{width} * 4, width,
                    height, PixelFormat::kXrgb32};
}

OutputPalette::OutputPalette(int bits_per_pixel) {
  switch (bits_per_pixel) {
    case 1:
      colors_ = {kBlackPixel, kWhitePixel};
      break;
    case 4:
      colors_.assign(kStandardColors.begin(), kStandardColors.end());
      break;
    case 8:
      colors_ = EightBitColors();
      break;
    default:
      break;
  }
}

uint8_t OutputPalette::IndexOf(uint32_t pixel) {
  pixel &= 0x00FFFFFF;
  Memo& memo = memo_[(pixel ^ (pixel >> 12)) & 0xFFF];
  if (memo.pixel == pixel) return memo.index;
  size_t best = 0;
  int best_distance = INT32_MAX;
  for (size_t i = 0; i < colors_.size() && best_distance > 0; ++i) {
    const int distance = ChannelDistance(pixel, colors_[i]);
    if (distance < best_distance) {
      best = i;
      best_distance = distance;
    }
  }
  memo = Memo{pixel, static_cast<uint8_t>(best)};
  return memo.index;
}

namespace {

static_assert(std::endian::native == std::endian::little, "DIB words are little-endian");

// Each pixel is stored as a whole little-endian word, 3 bytes apart: the
// next pixel overwrites the fourth byte. The last pixel is stored byte by
// byte, so nothing is written past the row.
void PackRgb24(const uint32_t* pixels, int count, uint8_t* out) {
  if (count <= 0) return;
  for (int x = 0; x + 1 < count; ++x, out += 3) std::memcpy(out, &pixels[x], 4);
  const uint32_t last = pixels[count - 1];
  out[0] = static_cast<uint8_t>(last);
  out[1] = static_cast<uint8_t>(last >> 8);
  out[2] = static_cast<uint8_t>(last >> 16);
}

}  // namespace

void WriteDibRow(const uint32_t* pixels, int count, int bits_per_pixel, OutputPalette* palette,
                 uint8_t* row, int64_t stride) {
  // Only what the pixels leave of the row needs clearing: its padding, or
  // all of it when indices are or-ed into it.
  const auto clear_from = [&](int64_t written) {
    std::memset(row + written, 0, static_cast<size_t>(stride - written));
  };
  switch (bits_per_pixel) {
    case 32:
      for (int x = 0; x < count; ++x) {
        const uint32_t word = pixels[x] & 0x00FFFFFF;
        std::memcpy(row + static_cast<ptrdiff_t>(x) * 4, &word, 4);
      }
      clear_from(int64_t{count} * 4);
      return;
    case 24:
      PackRgb24(pixels, count, row);
      clear_from(int64_t{count} * 3);
      return;
    default:
      clear_from(0);
      for (int x = 0; x < count; ++x) PutIndex(row, x, bits_per_pixel, palette->IndexOf(pixels[x]));
  }
}

}  // namespace platform::gdi
