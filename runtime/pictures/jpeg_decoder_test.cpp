#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

// clang-format off
#include <jpeglib.h>
// clang-format on

#include "runtime/pictures/decode.h"
#include "runtime/pictures/decoders.h"
#include "runtime/pictures/test_support.h"

namespace runtime {
namespace {

using namespace testing_pictures;

struct JpegLayout {
  int width = 16;
  int height = 16;
  int components = 3;
  J_COLOR_SPACE space = JCS_RGB;
  std::vector<uint8_t> samples;  // top-down, interleaved
  bool progressive = false;
  size_t app_marker_bytes = 0;  // an APP1 marker this long before the image
};

std::vector<uint8_t> EncodeJpeg(const JpegLayout& layout) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr error;
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(layout.width);
  cinfo.image_height = static_cast<JDIMENSION>(layout.height);
  cinfo.input_components = layout.components;
  cinfo.in_color_space = layout.space;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  if (layout.progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  if (layout.app_marker_bytes > 0) {
    // End-of-image markers inside: a reader that does not really skip them stops.
    std::vector<JOCTET> marker(layout.app_marker_bytes);
    for (size_t i = 0; i < marker.size(); ++i) marker[i] = i % 2 == 0 ? 0xFF : JPEG_EOI;
    jpeg_write_marker(&cinfo, JPEG_APP0 + 1, marker.data(), static_cast<unsigned>(marker.size()));
  }
  size_t stride = static_cast<size_t>(layout.width * layout.components);
  while (cinfo.next_scanline < cinfo.image_height) {
    auto* row = const_cast<JSAMPLE*>(layout.samples.data() + cinfo.next_scanline * stride);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<uint8_t> out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

// Top half red, bottom half blue.
JpegLayout RedOverBlue() {
  JpegLayout layout;
  for (int y = 0; y < layout.height; ++y) {
    for (int x = 0; x < layout.width; ++x) {
      bool top = y < layout.height / 2;
      layout.samples.insert(layout.samples.end(),
                            {uint8_t(top ? 255 : 0), 0, uint8_t(top ? 0 : 255)});
    }
  }
  return layout;
}

// Noise that compresses badly, so the file spans many 4096-byte blocks.
JpegLayout Noise(int width, int height) {
  JpegLayout layout;
  layout.width = width;
  layout.height = height;
  uint32_t seed = 12345;
  layout.samples.resize(static_cast<size_t>(width * height * 3));
  for (auto& sample : layout.samples) {
    seed = seed * 1103515245 + 12345;
    sample = static_cast<uint8_t>(seed >> 16);
  }
  return layout;
}

// libjpeg's own memory source, for comparison: rows top-down, as decoded.
std::vector<uint8_t> ReferenceDecode(const std::vector<uint8_t>& jpeg) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr error;
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&cinfo, TRUE);
  jpeg_start_decompress(&cinfo);
  size_t stride = cinfo.output_width * static_cast<size_t>(cinfo.output_components);
  std::vector<uint8_t> rows(stride * cinfo.output_height);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPLE* row = rows.data() + cinfo.output_scanline * stride;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return rows;
}

PicturePtr Decode(const std::vector<uint8_t>& bytes) {
  return PicturePtr(DecodeJpeg(AsBytes(bytes)));
}

bool Near(Rgb actual, Rgb expected) {
  auto close = [](int a, int b) { return a - b <= 8 && b - a <= 8; };
  return close(actual.r, expected.r) && close(actual.g, expected.g) && close(actual.b, expected.b);
}

TEST(JpegDecoder, ColourPictureBecomesBottomUpBlueGreenRed) {
  PicturePtr picture = Decode(EncodeJpeg(RedOverBlue()));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->kind, PictureKind::kJpeg);
  EXPECT_EQ(picture->width, 16);
  EXPECT_EQ(picture->height, 16);
  EXPECT_EQ(picture->size, 16 * 16 * 3);
  EXPECT_TRUE(Near(BgrPixel(*picture, 3, 2), {255, 0, 0})) << ToString(BgrPixel(*picture, 3, 2));
  EXPECT_TRUE(Near(BgrPixel(*picture, 3, 13), {0, 0, 255})) << ToString(BgrPixel(*picture, 3, 13));
  const auto* first = static_cast<const uint8_t*>(picture->pixels);
  EXPECT_GT(first[0], 240) << "the first bytes are the bottom row's blue";
  EXPECT_LT(first[2], 16);
  PicturePtr detected(DecodePictureBytes(AsBytes(EncodeJpeg(RedOverBlue()))));
  ASSERT_NE(detected, nullptr);
  EXPECT_EQ(detected->kind, PictureKind::kJpeg);
}

TEST(JpegDecoder, GreyPictureHasThreeEqualChannels) {
  JpegLayout grey;
  grey.width = 8;
  grey.height = 4;
  grey.components = 1;
  grey.space = JCS_GRAYSCALE;
  for (int i = 0; i < 32; ++i) grey.samples.push_back(static_cast<uint8_t>(i * 8));
  std::vector<uint8_t> jpeg = EncodeJpeg(grey);
  PicturePtr picture = Decode(jpeg);
  ASSERT_NE(picture, nullptr);
  std::vector<uint8_t> reference = ReferenceDecode(jpeg);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) {
      uint8_t v = reference[static_cast<size_t>(y * 8 + x)];
      EXPECT_EQ(BgrPixel(*picture, x, y), (Rgb{v, v, v})) << "at " << x << "," << y;
    }
  }
}

TEST(JpegDecoder, InputSpanningManyBlocksAndASkippedMarkerMatchesLibjpeg) {
  JpegLayout layout = Noise(61, 47);
  layout.app_marker_bytes = 10000;  // skipped across block boundaries
  for (bool progressive : {false, true}) {
    layout.progressive = progressive;
    std::vector<uint8_t> jpeg = EncodeJpeg(layout);
    ASSERT_GT(jpeg.size(), 3 * 4096u);
    PicturePtr picture = Decode(jpeg);
    ASSERT_NE(picture, nullptr) << (progressive ? "progressive" : "baseline");
    std::vector<uint8_t> reference = ReferenceDecode(jpeg);
    int mismatches = 0;
    for (int y = 0; y < 47; ++y) {
      for (int x = 0; x < 61; ++x) {
        const uint8_t* rgb = &reference[static_cast<size_t>((y * 61 + x) * 3)];
        mismatches += BgrPixel(*picture, x, y) != Rgb{rgb[0], rgb[1], rgb[2]};
      }
    }
    EXPECT_EQ(mismatches, 0) << (progressive ? "progressive" : "baseline");
  }
}

TEST(JpegDecoder, TruncatedScanStillDecodes) {
  std::vector<uint8_t> jpeg = EncodeJpeg(Noise(64, 64));
  jpeg.resize(jpeg.size() / 2);
  PicturePtr picture = Decode(jpeg);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->width, 64);
  EXPECT_EQ(picture->height, 64);
}

TEST(JpegDecoder, EmptyHeaderOnlyOrCorruptInputFails) {
  EXPECT_EQ(Decode({}), nullptr) << "empty from the start";
  std::vector<uint8_t> jpeg = EncodeJpeg(RedOverBlue());
  EXPECT_EQ(Decode({jpeg.begin(), jpeg.begin() + 40}), nullptr) << "ends before the frame header";
  EXPECT_EQ(Decode({0xFF, 0xD8, 0xFF, 0xD9}), nullptr) << "no image";
  EXPECT_EQ(Decode({0xFF, 0xD8, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55}), nullptr);
  std::vector<uint8_t> bad_precision = jpeg;
  for (size_t i = 0; i + 4 < bad_precision.size(); ++i) {
    if (bad_precision[i] == 0xFF && bad_precision[i + 1] == 0xC0) {
      bad_precision[i + 4] = 3;  // sample precision 3 bits
      break;
    }
  }
  EXPECT_EQ(Decode(bad_precision), nullptr) << "frame header libjpeg refuses";
}

TEST(JpegDecoder, FourComponentPictureIsBlackAtItsSize) {
  JpegLayout cmyk;
  cmyk.width = 8;
  cmyk.height = 8;
  cmyk.components = 4;
  cmyk.space = JCS_CMYK;
  cmyk.samples.assign(8 * 8 * 4, 200);
  PicturePtr picture = Decode(EncodeJpeg(cmyk));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->size, 8 * 8 * 3);
  const auto* p = static_cast<const uint8_t*>(picture->pixels);
  EXPECT_EQ(std::vector<uint8_t>(p, p + picture->size), std::vector<uint8_t>(8 * 8 * 3, 0));
}

TEST(JpegDecoder, PictureOverTheByteLimitIsRefused) {
  std::vector<uint8_t> jpeg = EncodeJpeg(RedOverBlue());
  uint64_t limit = PictureByteLimit();
  // 768 bytes of pixels, drawn through a bitmap of 1024.
  SetPictureByteLimit(16 * 16 * 4 - 1);
  EXPECT_EQ(Decode(jpeg), nullptr);
  SetPictureByteLimit(16 * 16 * 4);
  EXPECT_NE(Decode(jpeg), nullptr);
  // A progressive picture keeps all its coefficients while it decodes, with
  // libjpeg's other memory more than this 16 x 512 picture is drawn through.
  JpegLayout tall;
  tall.height = 512;
  tall.samples.assign(16 * 512 * 3, 0x80);
  SetPictureByteLimit(16 * 512 * 4);
  EXPECT_NE(Decode(EncodeJpeg(tall)), nullptr) << "baseline";
  tall.progressive = true;
  EXPECT_EQ(Decode(EncodeJpeg(tall)), nullptr) << "progressive";
  SetPictureByteLimit(limit);
  EXPECT_NE(Decode(EncodeJpeg(tall)), nullptr) << "progressive, within the default limit";
}

}  // namespace
}  // namespace runtime
