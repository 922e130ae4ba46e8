#include "platform/gdi/bitmap.h"

#include <cstring>
#include <new>

namespace platform::gdi {

namespace {

// Beyond this a bitmap is refused rather than attempted: 2^31 bytes is more
// than any picture the runtime shows, and keeps every row offset in range.
constexpr int64_t kMaxBitmapBytes = int64_t{1} << 31;

int StrideOf(const BitmapFormat& format) {
  const int64_t bits = int64_t{format.width} * format.bits_per_pixel;
  const int64_t align_bits = format.dib ? 32 : 16;
  return static_cast<int>((bits + align_bits - 1) / align_bits * (align_bits / 8));
}

PixelFormat PixelFormatOf(int bits_per_pixel) {
  switch (bits_per_pixel) {
    case 1:
      return PixelFormat::kMono;
    case 24:
      return PixelFormat::kRgb24;
    default:
      return PixelFormat::kXrgb32;
  }
}

bool IsSupportedDepth(int bits_per_pixel) {
  return bits_per_pixel == 1 || bits_per_pixel == 24 || bits_per_pixel == 32;
}

}  // namespace

std::shared_ptr<Bitmap> Bitmap::Create(const BitmapFormat& format) {
  if (format.width <= 0 || format.height <= 0 || !IsSupportedDepth(format.bits_per_pixel) ||
      format.width > kMaxCoordinate || format.height > kMaxCoordinate) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const int64_t stride = StrideOf(format);
  const int64_t size = stride * format.height;
  if (size > kMaxBitmapBytes) {
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  std::unique_ptr<uint8_t[]> bits(new (std::nothrow) uint8_t[static_cast<size_t>(size)]);
  if (!bits) {
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  std::memset(bits.get(), 0, static_cast<size_t>(size));
  return std::shared_ptr<Bitmap>(new Bitmap(format, static_cast<int>(stride), std::move(bits)));
}

Bitmap::Bitmap(const BitmapFormat& format, int stride, std::unique_ptr<uint8_t[]> bits)
    : GdiObject(OBJ_BITMAP), format_(format), stride_(stride), bits_(std::move(bits)) {}

PixelView Bitmap::View() {
  PixelView view;
  view.width = format_.width;
  view.height = format_.height;
  view.format = PixelFormatOf(format_.bits_per_pixel);
  if (format_.top_down) {
    view.top = bits_.get();
    view.stride = stride_;
  } else {
    view.top = bits_.get() + static_cast<ptrdiff_t>(stride_) * (format_.height - 1);
    view.stride = -static_cast<ptrdiff_t>(stride_);
  }
  return view;
}

BITMAP Bitmap::Describe() {
  BITMAP bitmap{};
  bitmap.bmType = 0;
  bitmap.bmWidth = format_.width;
  bitmap.bmHeight = format_.height;
  bitmap.bmWidthBytes = stride_;
  bitmap.bmPlanes = 1;
  bitmap.bmBitsPixel = static_cast<WORD>(format_.bits_per_pixel);
  bitmap.bmBits = format_.dib ? bits_.get() : nullptr;
  return bitmap;
}

DIBSECTION Bitmap::DescribeDib() {
  DIBSECTION dib{};
  dib.dsBm = Describe();
  BITMAPINFOHEADER& header = dib.dsBmih;
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = format_.width;
  header.biHeight = format_.top_down ? -format_.height : format_.height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(format_.bits_per_pixel);
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(stride_) * static_cast<DWORD>(format_.height);
  return dib;
}

}  // namespace platform::gdi
