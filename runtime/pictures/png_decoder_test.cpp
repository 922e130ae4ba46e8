#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <vector>

#include "runtime/pictures/decoders.h"
#include "runtime/pictures/test_support.h"

namespace runtime {
namespace {

using namespace testing_pictures;

std::vector<uint8_t> EncodePng(int width, int height, png_uint_32 format,
                               const std::vector<uint8_t>& pixels) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = format;
  png_alloc_size_t size = 0;
  png_image_write_get_memory_size(image, size, 0, pixels.data(), 0, nullptr);
  std::vector<uint8_t> out(size);
  EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr));
  out.resize(size);
  return out;
}

// 3 x 2 red-green-blue-alpha, alpha varying.
const std::vector<uint8_t> kRgba = {255, 0,  0,  255, 0,  255, 0,  128, 0,  0,   255, 0,
                                    10,  20, 30, 40,  50, 60,  70, 80,  90, 100, 110, 120};

PicturePtr Decode(const std::vector<uint8_t>& bytes) {
  return PicturePtr(DecodePng(AsBytes(bytes)));
}

TEST(PngDecoder, PixelsAreTopDownBlueGreenRedAlphaNotPremultiplied) {
  PicturePtr picture = Decode(EncodePng(3, 2, PNG_FORMAT_RGBA, kRgba));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->kind, PictureKind::kPng);
  EXPECT_EQ(picture->width, 3);
  EXPECT_EQ(picture->height, 2);
  ASSERT_EQ(picture->size, 24);
  std::vector<uint8_t> expected;
  for (size_t i = 0; i < kRgba.size(); i += 4) {
    expected.insert(expected.end(), {kRgba[i + 2], kRgba[i + 1], kRgba[i], kRgba[i + 3]});
  }
  const auto* p = static_cast<const uint8_t*>(picture->pixels);
  EXPECT_EQ(std::vector<uint8_t>(p, p + 24), expected);
}

TEST(PngDecoder, GreyAndOpaquePicturesGetFullAlpha) {
  PicturePtr grey = Decode(EncodePng(2, 1, PNG_FORMAT_GRAY, {7, 200}));
  ASSERT_NE(grey, nullptr);
  const auto* g = static_cast<const uint8_t*>(grey->pixels);
  EXPECT_EQ(std::vector<uint8_t>(g, g + 8),
            (std::vector<uint8_t>{7, 7, 7, 255, 200, 200, 200, 255}));

  PicturePtr rgb = Decode(EncodePng(1, 1, PNG_FORMAT_RGB, {1, 2, 3}));
  ASSERT_NE(rgb, nullptr);
  const auto* c = static_cast<const uint8_t*>(rgb->pixels);
  EXPECT_EQ(std::vector<uint8_t>(c, c + 4), (std::vector<uint8_t>{3, 2, 1, 255}));
}

TEST(PngDecoder, ShortTruncatedOrCorruptInputFails) {
  std::vector<uint8_t> png = EncodePng(3, 2, PNG_FORMAT_RGBA, kRgba);
  EXPECT_EQ(Decode({png.begin(), png.begin() + 7}), nullptr) << "7 bytes";
  EXPECT_EQ(Decode({png.begin(), png.begin() + 8}), nullptr) << "signature only";
  EXPECT_EQ(Decode({png.begin(), png.end() - 20}), nullptr) << "image data cut";
  std::vector<uint8_t> bad_crc = png;
  bad_crc[29] ^= 0xFF;  // the IHDR chunk's CRC
  EXPECT_EQ(Decode(bad_crc), nullptr);
}

TEST(PngDecoder, PictureOverTheByteLimitIsRefused) {
  std::vector<uint8_t> png = EncodePng(3, 2, PNG_FORMAT_RGBA, kRgba);
  uint64_t limit = PictureByteLimit();
  SetPictureByteLimit(23);
  EXPECT_EQ(Decode(png), nullptr);
  SetPictureByteLimit(limit);
}

}  // namespace
}  // namespace runtime
