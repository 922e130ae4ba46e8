// PNG through libpng's simplified reading interface. libpng reads the whole
// file from memory and converts every colour type, bit depth and palette to
// 8-bit blue-green-red-alpha itself (alpha not premultiplied).
#include <png.h>

#include "runtime/pictures/decoders.h"

namespace runtime {

namespace {

constexpr size_t kShortestPng = 8;  // the signature alone

}  // namespace

Picture* DecodePng(Bytes bytes) {
  if (bytes.size() < kShortestPng) return nullptr;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
    png_image_free(&image);
    return nullptr;
  }
  image.format = PNG_FORMAT_BGRA;
  uint64_t size = uint64_t{image.width} * image.height * 4;
  Picture* picture = NewPicture(PictureKind::kPng, static_cast<int32_t>(image.width),
                                static_cast<int32_t>(image.height), size);
  if (picture == nullptr) {
    png_image_free(&image);
    return nullptr;
  }
  // No background (alpha is kept), the natural top-down stride, no colour map.
  bool read = png_image_finish_read(&image, nullptr, picture->pixels, 0, nullptr) != 0;
  png_image_free(&image);
  if (read) return picture;
  ReleasePicture(picture);
  return nullptr;
}

}  // namespace runtime
