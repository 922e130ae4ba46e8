// PNG through libpng's simplified reading interface. libpng reads the whole
// file from memory and converts every colour type, bit depth and palette to
// 8-bit blue-green-red-alpha itself (alpha not premultiplied).
//
// Opaque pictures (no alpha channel, no transparency chunk) are the common
// case and take a shorter way: libpng reads them as plain red-green-blue,
// which for an 8-bit RGB file needs none of its transforms, and the rows are
// spread to BGRA here. libpng's own swap and filler loops cost about a sixth
// of the whole decode (bench/pictures_bench), far more than this loop.
#include <png.h>

#include <cstring>

#include "runtime/pictures/byte_reader.h"
#include "runtime/pictures/decoders.h"

namespace runtime {

namespace {

constexpr size_t kShortestPng = 8;         // the signature alone
constexpr uint64_t kChunkFrameBytes = 12;  // length, type, CRC

uint32_t BigEndianU32At(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// libpng allocates a text chunk's declared length before it reads the chunk,
// so a hundred bytes could make it ask for two gigabytes. It reads every
// chunk before the first IDAT whole, and one that runs past the input fails
// there in any case: such a file is refused before libpng sees it.
bool ChunksBeforeImageDataFit(Bytes bytes) {
  uint64_t at = kShortestPng;
  while (Fits(bytes, at, 8)) {
    const uint8_t* chunk = bytes.data() + at;
    if (std::memcmp(chunk + 4, "IDAT", 4) == 0) return true;
    const uint64_t length = BigEndianU32At(chunk);
    if (!Fits(bytes, at, kChunkFrameBytes + length)) return false;
    at += kChunkFrameBytes + length;
  }
  return true;  // whatever is wrong with a cut header, libpng reports
}

// `count` red-green-blue pixels that start at byte `count` of `pixels` become
// blue-green-red-alpha pixels from byte 0. Going forwards is safe in place:
// pixel i is written to bytes [4i, 4i + 4), below the next unread source
// byte, count + 3i + 3, for every i < count.
void SpreadRgbToBgra(uint8_t* pixels, size_t count) {
  const uint8_t* in = pixels + count;
  for (size_t i = 0; i < count; ++i, in += 3, pixels += 4) {
    const uint8_t r = in[0], g = in[1], b = in[2];
    pixels[0] = b;
    pixels[1] = g;
    pixels[2] = r;
    pixels[3] = 0xFF;
  }
}

}  // namespace

Picture* DecodePng(Bytes bytes) {
  if (bytes.size() < kShortestPng || !ChunksBeforeImageDataFit(bytes)) return nullptr;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
    png_image_free(&image);
    return nullptr;
  }
  const bool opaque = (image.format & PNG_FORMAT_FLAG_ALPHA) == 0;
  image.format = opaque ? PNG_FORMAT_RGB : PNG_FORMAT_BGRA;
  const uint64_t count = uint64_t{image.width} * image.height;
  Picture* picture = NewPicture(PictureKind::kPng, static_cast<int32_t>(image.width),
                                static_cast<int32_t>(image.height), count * 4);
  if (picture == nullptr) {
    png_image_free(&image);
    return nullptr;
  }
  // Opaque rows go to the last three quarters of the block, so they can be
  // spread in place. No background (alpha is kept), the natural top-down
  // stride, no colour map.
  auto* pixels = static_cast<uint8_t*>(picture->pixels);
  bool read =
      png_image_finish_read(&image, nullptr, opaque ? pixels + count : pixels, 0, nullptr) != 0;
  png_image_free(&image);
  if (read) {
    if (opaque) SpreadRgbToBgra(pixels, count);
    return picture;
  }
  ReleasePicture(picture);
  return nullptr;
}

}  // namespace runtime
