#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/pictures/decoders.h"
#include "runtime/pictures/test_support.h"
#include "tests/support/largest_allocation.h"

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

// What libpng's own conversion to blue-green-red-alpha gives for the file.
std::vector<uint8_t> LibpngBgra(const std::vector<uint8_t>& png) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  EXPECT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size()));
  image.format = PNG_FORMAT_BGRA;
  std::vector<uint8_t> out(PNG_IMAGE_SIZE(image));
  EXPECT_TRUE(png_image_finish_read(&image, nullptr, out.data(), 0, nullptr));
  return out;
}

// Opaque files are read as RGB and spread to BGRA in place; grey, 16-bit
// and non-sRGB-gamma files must still come out as libpng's BGRA conversion
// gives them, and files with alpha still take that conversion. The picture
// is odd-sized so the in-place spread crosses rows.
TEST(PngDecoder, EveryKindOfFileMatchesLibpngsOwnBgra) {
  constexpr int kWidth = 37, kHeight = 5;
  std::vector<uint8_t> rgba;
  for (int i = 0; i < kWidth * kHeight; ++i) {
    rgba.insert(rgba.end(), {uint8_t(i * 7), uint8_t(255 - i), uint8_t(i * 13 + 5),
                             uint8_t(i % 3 == 0 ? 255 : i)});
  }
  std::vector<uint8_t> rgb, grey;
  std::vector<uint16_t> linear_rgb;  // 16 bits a channel: a gAMA 1.0 file
  for (size_t i = 0; i < rgba.size(); i += 4) {
    rgb.insert(rgb.end(), {rgba[i], rgba[i + 1], rgba[i + 2]});
    grey.push_back(rgba[i]);
    for (int c = 0; c < 3; ++c) linear_rgb.push_back(uint16_t(rgba[i + size_t(c)] * 257));
  }
  std::vector<uint8_t> linear_bytes(linear_rgb.size() * 2);
  std::memcpy(linear_bytes.data(), linear_rgb.data(), linear_bytes.size());
  const struct {
    const char* name;
    png_uint_32 format;
    const std::vector<uint8_t>& pixels;
  } files[] = {{"rgb", PNG_FORMAT_RGB, rgb},
               {"grey", PNG_FORMAT_GRAY, grey},
               {"rgba", PNG_FORMAT_RGBA, rgba},
               {"16-bit linear rgb", PNG_FORMAT_RGB | PNG_FORMAT_FLAG_LINEAR, linear_bytes}};
  for (const auto& file : files) {
    const std::vector<uint8_t> png = EncodePng(kWidth, kHeight, file.format, file.pixels);
    PicturePtr picture = Decode(png);
    ASSERT_NE(picture, nullptr) << file.name;
    ASSERT_EQ(picture->size, kWidth * kHeight * 4) << file.name;
    const auto* p = static_cast<const uint8_t*>(picture->pixels);
    EXPECT_EQ(std::vector<uint8_t>(p, p + picture->size), LibpngBgra(png)) << file.name;
  }
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

// A chunk inserted after the 33 bytes of signature and header.
std::vector<uint8_t> WithChunkAfterHeader(std::vector<uint8_t> png, const char* type,
                                          uint32_t length, const std::string& data) {
  std::vector<uint8_t> chunk = {uint8_t(length >> 24), uint8_t(length >> 16), uint8_t(length >> 8),
                                uint8_t(length)};
  chunk.insert(chunk.end(), type, type + 4);
  chunk.insert(chunk.end(), data.begin(), data.end());
  const uint32_t crc = static_cast<uint32_t>(crc32(0, chunk.data() + 4, uInt(chunk.size() - 4)));
  for (int shift : {24, 16, 8, 0}) chunk.push_back(uint8_t(crc >> shift));
  png.insert(png.begin() + 33, chunk.begin(), chunk.end());
  return png;
}

TEST(PngDecoder, ChunkClaimingMoreThanTheFileIsRefusedBeforeLibpngAllocatesIt) {
  const std::vector<uint8_t> png = EncodePng(3, 2, PNG_FORMAT_RGBA, kRgba);
  const std::string text("Comment\0hello", 13);
  ASSERT_NE(Decode(WithChunkAfterHeader(png, "tEXt", uint32_t(text.size()), text)), nullptr)
      << "a text chunk that fits";
  for (const char* type : {"iTXt", "zTXt", "tEXt", "iCCP", "ruSt"}) {
    const testing_support::LargestAllocation largest;
    std::vector<uint8_t> claiming = WithChunkAfterHeader(png, type, 0x7FFFFFF0u, text);
    claiming.resize(33 + 8 + text.size());  // nothing after the claimed data's start
    EXPECT_EQ(Decode(claiming), nullptr) << type;
    claiming = WithChunkAfterHeader(png, type, 0x6E000030u, text);  // the rest still follows
    EXPECT_EQ(Decode(claiming), nullptr) << type;
    EXPECT_LT(largest.bytes(), size_t{64} << 20) << type << ": no block of the claimed size";
  }
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
