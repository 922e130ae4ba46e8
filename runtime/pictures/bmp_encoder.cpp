#include "runtime/pictures/bmp_encoder.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "runtime/pictures/paint_picture.h"

namespace runtime {

namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kPixelOffset = kFileHeaderBytes + kInfoHeaderBytes;
// A side beyond this could not be a BMP this encoder writes: the file size is
// a 32-bit field.
constexpr int64_t kLargestSide = 0x7FFFFFFF;

struct BitmapDeleter {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using OwnedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using OwnedDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

// `source` stretched into a new bitmap of width x height, smoothed the way
// pictures are drawn on this display.
OwnedBitmap Stretched(HBITMAP source, const BITMAP& info, int32_t width, int32_t height) {
  OwnedDc from(CreateCompatibleDC(nullptr));
  OwnedDc to(CreateCompatibleDC(nullptr));
  if (!from || !to) return nullptr;
  HGDIOBJ old_from = SelectObject(from.get(), source);
  // Made while `from` holds the source, so it has the source's format (a
  // fresh memory DC holds a one-bit bitmap).
  OwnedBitmap result(old_from ? CreateCompatibleBitmap(from.get(), width, height) : nullptr);
  if (!result) {
    if (old_from) SelectObject(from.get(), old_from);
    return nullptr;
  }
  HGDIOBJ old_to = SelectObject(to.get(), result.get());
  bool done = false;
  if (old_from && old_to) {
    SetStretchBltMode(to.get(), StretchModeFor(to.get()));
    done = StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, info.bmWidth, info.bmHeight,
                      SRCCOPY);
  }
  if (old_from) SelectObject(from.get(), old_from);
  if (old_to) SelectObject(to.get(), old_to);
  return done ? std::move(result) : nullptr;
}

void Put16(uint8_t*& out, uint16_t value) {
  out[0] = static_cast<uint8_t>(value);
  out[1] = static_cast<uint8_t>(value >> 8);
  out += 2;
}

void Put32(uint8_t*& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
  out += 4;
}

void WriteHeaders(uint8_t* out, int32_t width, int32_t height, uint32_t image_size) {
  *out++ = 'B';
  *out++ = 'M';
  Put32(out, kPixelOffset + image_size);
  Put16(out, 0);
  Put16(out, 0);
  Put32(out, kPixelOffset);
  Put32(out, kInfoHeaderBytes);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));
  Put16(out, 1);
  Put16(out, 24);
  for (int i = 0; i < 6; ++i) Put32(out, i == 1 ? image_size : 0);
}

// The rows of `bitmap` as a bottom-up 24-bit DIB after the 54 header bytes.
std::vector<uint8_t> Encode(HBITMAP bitmap, int32_t width, int32_t height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = kInfoHeaderBytes;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const uint64_t stride = (uint64_t{24} * uint64_t(width) + 31) / 32 * 4;
  const uint64_t image_size = stride * uint64_t(height);
  if (image_size + kPixelOffset > 0xFFFFFFFFu) return {};
  std::vector<uint8_t> file;
  try {
    file.resize(kPixelOffset + image_size);
  } catch (const std::bad_alloc&) {
    return {};
  }
  OwnedDc dc(CreateCompatibleDC(nullptr));
  if (!dc) return {};
  const int rows = GetDIBits(dc.get(), bitmap, 0, static_cast<UINT>(height),
                             file.data() + kPixelOffset, &info, DIB_RGB_COLORS);
  if (rows != height) return {};
  // The platform's image size when it gives one; ours otherwise. Both describe
  // the same rows, so the file holds exactly what GetDIBits wrote.
  const uint32_t reported = info.bmiHeader.biSizeImage;
  const uint32_t size =
      reported != 0 ? std::min<uint32_t>(reported, uint32_t(image_size)) : uint32_t(image_size);
  file.resize(kPixelOffset + size);
  WriteHeaders(file.data(), width, height, size);
  return file;
}

}  // namespace

int64_t RequestedSide(int32_t requested, int32_t actual) {
  if (requested == 0) return actual;
  if (requested > 0) return requested;
  const int64_t percent = std::max<int64_t>(-int64_t{requested}, 10);
  return (int64_t{actual} * percent + 50) / 100;
}

std::vector<uint8_t> EncodePanelPicture(HBITMAP bitmap, int32_t width, int32_t height) {
  BITMAP info{};
  if (!bitmap || GetObjectA(bitmap, sizeof info, &info) == 0) return {};
  const int64_t wanted_width = RequestedSide(width, info.bmWidth);
  const int64_t wanted_height = RequestedSide(height, info.bmHeight);
  if (wanted_width <= 0 || wanted_height <= 0) return {};
  if (wanted_width > kLargestSide || wanted_height > kLargestSide) return {};
  const auto w = static_cast<int32_t>(wanted_width);
  const auto h = static_cast<int32_t>(wanted_height);
  if (w == info.bmWidth && h == info.bmHeight) return Encode(bitmap, w, h);
  OwnedBitmap stretched = Stretched(bitmap, info, w, h);
  if (!stretched) return {};
  return Encode(stretched.get(), w, h);
}

}  // namespace runtime
