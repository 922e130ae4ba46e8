#include "runtime/pictures/picture.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace runtime {

namespace {

constexpr uint64_t kSizeFieldLimit = std::numeric_limits<int32_t>::max();
uint64_t picture_byte_limit = kDefaultPictureByteLimit;

}  // namespace

uint64_t PictureByteLimit() { return picture_byte_limit; }

void SetPictureByteLimit(uint64_t bytes) {
  picture_byte_limit = bytes < kSizeFieldLimit ? bytes : kSizeFieldLimit;
}

bool PictureWithinLimit(uint64_t width, uint64_t height, uint64_t pixel_bytes) {
  if (pixel_bytes > picture_byte_limit) return false;
  // width x height within the bitmap's pixels, divided so nothing overflows.
  const uint64_t bitmap_pixels = picture_byte_limit / kDrawnBytesPerPixel;
  return width == 0 || height <= bitmap_pixels / width;
}

Picture* NewPicture(PictureKind kind, int32_t width, int32_t height, uint64_t pixel_bytes) {
  if (width < 0 || height < 0) return nullptr;
  if (!PictureWithinLimit(uint64_t(width), uint64_t(height), pixel_bytes)) return nullptr;
  // A block of 0 bytes still gets an address, so "pixels" is never null for
  // the kinds that have them.
  void* pixels = std::calloc(pixel_bytes == 0 ? 1 : static_cast<size_t>(pixel_bytes), 1);
  if (pixels == nullptr) return nullptr;
  auto* picture = new (std::nothrow)
      Picture{kind, width, height, nullptr, pixels, static_cast<int32_t>(pixel_bytes)};
  if (picture == nullptr) std::free(pixels);
  return picture;
}

Picture* NewIconPicture(PictureKind kind, int32_t width, int32_t height, HICON icon) {
  auto* picture = new (std::nothrow) Picture{kind, width, height, icon, nullptr, 0};
  if (picture == nullptr) DestroyIcon(icon);
  return picture;
}

void ReleasePicture(Picture* picture) {
  if (picture == nullptr) return;
  picture->kind = PictureKind::kNone;
  std::free(picture->pixels);
  picture->pixels = nullptr;
  picture->size = 0;
  if (picture->icon != nullptr) DestroyIcon(picture->icon);
  picture->icon = nullptr;
  delete picture;
}

void WriteDibHeader(void* dib, const DibHeaderFields& fields) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = fields.width;
  header.biHeight = fields.height;
  header.biPlanes = fields.planes;
  header.biBitCount = 8;
  header.biCompression = BI_RGB;
  header.biClrUsed = fields.colours_used;
  header.biClrImportant = fields.colours_important;
  std::memcpy(dib, &header, sizeof header);
}

}  // namespace runtime
