#include <gtest/gtest.h>

#include <vector>

#include "runtime/pictures/decoders.h"
#include "runtime/pictures/test_support.h"

namespace runtime {
namespace {

using namespace testing_pictures;

struct PcxLayout {
  uint8_t version = 5;
  uint8_t bits = 8;
  int16_t x_min = 0, y_min = 0, x_max = 3, y_max = 1;
  uint8_t planes = 1;
  uint16_t bytes_per_line = 4;
  std::vector<uint8_t> data;  // run-length coded rows and whatever follows
};

std::vector<uint8_t> MakePcx(const PcxLayout& layout) {
  std::vector<uint8_t> out(128, 0);
  out[0] = 10;
  out[1] = layout.version;
  out[2] = 1;
  out[3] = layout.bits;
  PutU16(out, 4, static_cast<uint16_t>(layout.x_min));
  PutU16(out, 6, static_cast<uint16_t>(layout.y_min));
  PutU16(out, 8, static_cast<uint16_t>(layout.x_max));
  PutU16(out, 10, static_cast<uint16_t>(layout.y_max));
  out[65] = layout.planes;
  PutU16(out, 66, layout.bytes_per_line);
  out.insert(out.end(), layout.data.begin(), layout.data.end());
  return out;
}

PicturePtr Decode(const std::vector<uint8_t>& bytes) {
  return PicturePtr(DecodePcx(AsBytes(bytes)));
}

std::vector<uint8_t> Row(const Picture& picture, size_t stride, int y, int count) {
  std::vector<uint8_t> row;
  for (int x = 0; x < count; ++x) row.push_back(DibIndex(picture, stride, x, y));
  return row;
}

TEST(PcxDecoder, EightBitFileBecomesADibRecordWithThePaletteFromTheEnd) {
  PicturePtr picture = Decode(TestFile("pcx8_5x3.pcx"));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->kind, PictureKind::kPcx8);
  EXPECT_EQ(picture->width, 5);
  EXPECT_EQ(picture->height, 3);
  EXPECT_EQ(picture->size, 40 + 1024 + 8 * 3) << "rows of 6 bytes per line rounded up to 8";
  DibFields h = DibHeader(*picture);
  EXPECT_EQ(h.size, 40);
  EXPECT_EQ(h.width, 5);
  EXPECT_EQ(h.height, -3);
  EXPECT_EQ(h.planes, 1);
  EXPECT_EQ(h.bits, 8);
  EXPECT_EQ(h.colours_used, 0u);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(DibIndex(*picture, 8, x, y), 40 * y + x);
  }
  for (int i : {0, 1, 100, 255}) {
    EXPECT_EQ(DibColour(*picture, i), (Rgb{uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)}));
  }
}

TEST(PcxDecoder, OneBitFileBecomesEvenLengthMonochromeRows) {
  PicturePtr picture = Decode(TestFile("pcx1_10x2.pcx"));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->kind, PictureKind::kPcx1);
  EXPECT_EQ(picture->width, 10);
  EXPECT_EQ(picture->height, 2);
  ASSERT_EQ(picture->size, 4);
  const auto* p = static_cast<const uint8_t*>(picture->pixels);
  EXPECT_EQ(std::vector<uint8_t>(p, p + 4), (std::vector<uint8_t>{0xAA, 0xC0, 0x07, 0xC0}));
}

// 21 pixels need 3 bytes a row, but the file pads rows to 4: the padding
// byte must not become the first byte of the next row.
TEST(PcxDecoder, OneBitRowsSkipTheirFilePadding) {
  PcxLayout layout;
  layout.version = 3;
  layout.bits = 1;
  layout.x_max = 20;
  layout.y_max = 1;
  layout.bytes_per_line = 4;
  layout.data = {0xA0, 0xB1, 0x0C, 0x00, 0x11, 0x22, 0x33, 0x00};
  PicturePtr picture = Decode(MakePcx(layout));
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(picture->size, 8) << "rows of 3 bytes rounded up to 4";
  const auto* p = static_cast<const uint8_t*>(picture->pixels);
  EXPECT_EQ(std::vector<uint8_t>(p, p + 8),
            (std::vector<uint8_t>{0xA0, 0xB1, 0x0C, 0x00, 0x11, 0x22, 0x33, 0x00}));
}

TEST(PcxDecoder, MissingPaletteOrDataLeavesBlack) {
  std::vector<uint8_t> file = TestFile("pcx8_5x3.pcx");
  PicturePtr no_palette = Decode({file.begin(), file.end() - 769});
  ASSERT_NE(no_palette, nullptr);
  EXPECT_EQ(DibIndex(*no_palette, 8, 4, 2), 84);
  EXPECT_EQ(DibColour(*no_palette, 84), (Rgb{0, 0, 0}));
  std::vector<uint8_t> wrong_marker = file;
  wrong_marker[wrong_marker.size() - 769] = 11;
  EXPECT_EQ(DibColour(*PicturePtr(Decode(wrong_marker)), 84), (Rgb{0, 0, 0}));
  EXPECT_EQ(DibColour(*PicturePtr(Decode({file.begin(), file.end() - 1})), 84), (Rgb{0, 0, 0}))
      << "palette one byte short";

  PcxLayout cut;  // one row of two, then the data ends
  cut.data = {1, 2, 3, 4};
  PicturePtr picture = Decode(MakePcx(cut));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(Row(*picture, 4, 0, 4), (std::vector<uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(Row(*picture, 4, 1, 4), (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(PcxDecoder, RunsStopAtTheRowEndAndByte192IsALiteral) {
  PcxLayout layout;
  layout.data = {0xC6, 9, 0xC0, 1, 2, 0xC1, 0xC5};  // a run of six 9s, then 192 1 2 197
  PicturePtr picture = Decode(MakePcx(layout));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(Row(*picture, 4, 0, 4), (std::vector<uint8_t>{9, 9, 9, 9}));
  EXPECT_EQ(Row(*picture, 4, 1, 4), (std::vector<uint8_t>{192, 1, 2, 0xC5}));

  PcxLayout mono;  // 17 pixels need 3 bytes; rows are 4 with padding
  mono.version = 3;
  mono.bits = 1;
  mono.x_max = 16;
  mono.y_max = 0;
  mono.bytes_per_line = 4;
  mono.data = {0xC5, 0xFF};
  PicturePtr row = Decode(MakePcx(mono));
  ASSERT_NE(row, nullptr);
  ASSERT_EQ(row->size, 4);
  const auto* p = static_cast<const uint8_t*>(row->pixels);
  EXPECT_EQ(std::vector<uint8_t>(p, p + 4), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0}));
}

TEST(PcxDecoder, BytesPastTheWidthAreNotKeptAndPlanesWidenTheRows) {
  PcxLayout layout;  // width 2, 4 bytes per line: literals past the width are dropped
  layout.x_max = 1;
  layout.y_max = 0;
  layout.data = {5, 6, 7, 8};
  PicturePtr picture = Decode(MakePcx(layout));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(Row(*picture, 4, 0, 4), (std::vector<uint8_t>{5, 6, 0, 0}));

  PcxLayout planes;  // two planes: rows of 8 bytes, one plane's 4 bytes decoded
  planes.planes = 2;
  planes.data = {1, 2, 3, 4, 5, 6, 7, 8};
  PicturePtr wide = Decode(MakePcx(planes));
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(DibHeader(*wide).planes, 2);
  EXPECT_EQ(wide->size, 40 + 1024 + 8 * 2);
  EXPECT_EQ(Row(*wide, 8, 0, 8), (std::vector<uint8_t>{1, 2, 3, 4, 0, 0, 0, 0}));
  EXPECT_EQ(Row(*wide, 8, 1, 4), (std::vector<uint8_t>{5, 6, 7, 8}));

  PcxLayout negative;  // signed coordinates
  negative.x_min = -2;
  negative.x_max = 1;
  negative.data = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(PicturePtr(Decode(MakePcx(negative)))->width, 4);
}

TEST(PcxDecoder, HeaderChecks) {
  PcxLayout good;
  good.data = {1, 2, 3, 4, 5, 6, 7, 8};
  ASSERT_NE(Decode(MakePcx(good)), nullptr);
  std::vector<uint8_t> bytes = MakePcx(good);
  EXPECT_EQ(Decode({bytes.begin(), bytes.begin() + 128}), nullptr) << "128 bytes";
  auto refused = [&](const char* what, auto change) {
    PcxLayout layout = good;
    change(layout);
    EXPECT_EQ(Decode(MakePcx(layout)), nullptr) << what;
  };
  refused("version 6", [](PcxLayout& s) { s.version = 6; });
  refused("x-max below x-min", [](PcxLayout& s) { s.x_max = -1; });
  refused("y-max below y-min", [](PcxLayout& s) { s.y_min = 2; });
  refused("4 bits per pixel", [](PcxLayout& s) { s.bits = 4; });
  refused("1 bit in 4 planes", [](PcxLayout& s) { s.bits = 1, s.planes = 4; });
  refused("rows narrower than the width", [](PcxLayout& s) { s.bytes_per_line = 3; });
  refused("no planes", [](PcxLayout& s) { s.planes = 0; });
  refused("1 bit, 32768 x 32768: 128 MB of rows, a 4 GB bitmap to draw",
          [](PcxLayout& s) { s.bits = 1, s.x_max = s.y_max = 32767, s.bytes_per_line = 4096; });
  bytes = MakePcx(good);
  bytes[0] = 11;
  EXPECT_EQ(Decode(bytes), nullptr) << "manufacturer byte";
  bytes = MakePcx(good);
  bytes[2] = 0;
  EXPECT_EQ(Decode(bytes), nullptr) << "not run-length coded";
}

}  // namespace
}  // namespace runtime
