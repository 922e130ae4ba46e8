#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <limits>
#include <vector>

#include "runtime/pictures/decoders.h"
#include "runtime/pictures/test_support.h"

namespace runtime {
namespace {

using namespace testing_pictures;

struct BmpLayout {
  int32_t width = 0;
  int32_t height = 0;  // negative: rows top-down
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t colours_used = 0;
  std::vector<std::array<uint8_t, 4>> table;  // blue, green, red, reserved
  uint32_t gap = 0;                           // bytes between the table and the rows
  std::vector<std::vector<uint8_t>> rows;     // in file order, without padding
  bool pad_last_row = true;
};

std::vector<uint8_t> MakeBmp(const BmpLayout& layout) {
  std::vector<uint8_t> out(54, 0);
  out[0] = 'B';
  out[1] = 'M';
  uint32_t offset = 54 + static_cast<uint32_t>(layout.table.size()) * 4 + layout.gap;
  PutU32(out, 10, offset);
  PutU32(out, 14, 40);
  PutU32(out, 18, static_cast<uint32_t>(layout.width));
  PutU32(out, 22, static_cast<uint32_t>(layout.height));
  PutU16(out, 26, 1);
  PutU16(out, 28, layout.bits);
  PutU32(out, 30, layout.compression);
  PutU32(out, 46, layout.colours_used);
  for (const auto& entry : layout.table) out.insert(out.end(), entry.begin(), entry.end());
  out.resize(out.size() + layout.gap, 0xEE);
  for (size_t i = 0; i < layout.rows.size(); ++i) {
    out.insert(out.end(), layout.rows[i].begin(), layout.rows[i].end());
    bool last = i + 1 == layout.rows.size();
    if (!last || layout.pad_last_row)
      out.resize(out.size() + (4 - layout.rows[i].size() % 4) % 4, 0xEE);
  }
  PutU32(out, 2, static_cast<uint32_t>(out.size()));
  return out;
}

PicturePtr Decode(const std::vector<uint8_t>& bytes) {
  return PicturePtr(DecodeBmp(AsBytes(bytes)));
}

// 3 x 2, bottom row first in the file: bottom (red, green, blue), top
// (white, black, grey).
BmpLayout TwentyFourBitBottomUp() {
  BmpLayout layout;
  layout.width = 3;
  layout.height = 2;
  layout.rows = {{0, 0, 255, 0, 255, 0, 255, 0, 0}, {255, 255, 255, 0, 0, 0, 128, 128, 128}};
  return layout;
}

void ExpectSamePixels(const Picture& a, const Picture& b) {
  ASSERT_EQ(a.size, b.size);
  EXPECT_EQ(std::memcmp(a.pixels, b.pixels, static_cast<size_t>(a.size)), 0);
}

TEST(BmpDecoder, TwentyFourBitsKeepTheFileRowsBottomUpWithoutPadding) {
  PicturePtr picture = Decode(MakeBmp(TwentyFourBitBottomUp()));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->kind, PictureKind::kBmp);
  EXPECT_EQ(picture->width, 3);
  EXPECT_EQ(picture->height, 2);
  EXPECT_EQ(picture->icon, nullptr);
  ASSERT_EQ(picture->size, 18);
  const uint8_t expected[18] = {0,   0,   255, 0, 255, 0, 255, 0,   0,
                                255, 255, 255, 0, 0,   0, 128, 128, 128};
  EXPECT_EQ(std::memcmp(picture->pixels, expected, sizeof expected), 0);
  EXPECT_EQ(BgrPixel(*picture, 0, 1), (Rgb{255, 0, 0})) << "bottom-left is red";
  EXPECT_EQ(BgrPixel(*picture, 2, 0), (Rgb{128, 128, 128})) << "top-right is grey";
}

TEST(BmpDecoder, NegativeHeightDecodesTheSamePictureTheRightWayUp) {
  BmpLayout top_down = TwentyFourBitBottomUp();
  top_down.height = -2;
  std::swap(top_down.rows[0], top_down.rows[1]);
  PicturePtr a = Decode(MakeBmp(TwentyFourBitBottomUp()));
  PicturePtr b = Decode(MakeBmp(top_down));
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->height, 2);
  ExpectSamePixels(*a, *b);
}

TEST(BmpDecoder, ThirtyTwoBitsIgnoreTheFourthByteAndNegativeWidthIsItsMagnitude) {
  BmpLayout layout;
  layout.width = -2;
  layout.height = 1;
  layout.bits = 32;
  layout.rows = {{10, 20, 30, 99, 40, 50, 60, 0}};
  PicturePtr picture = Decode(MakeBmp(layout));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->width, 2);
  EXPECT_EQ(BgrPixel(*picture, 0, 0), (Rgb{30, 20, 10}));
  EXPECT_EQ(BgrPixel(*picture, 1, 0), (Rgb{60, 50, 40}));
}

TEST(BmpDecoder, IndexedPixelsComeMostSignificantBitsFirstThroughTheTable) {
  BmpLayout one;  // 9 pixels: 2 bytes of bits, padded to 4
  one.width = 9;
  one.height = 1;
  one.bits = 1;
  one.table = {{{0, 0, 0, 0}}, {{255, 255, 255, 0}}};
  one.rows = {{0b10110000, 0b10000000}};
  PicturePtr p1 = Decode(MakeBmp(one));
  ASSERT_NE(p1, nullptr);
  const int bits[9] = {1, 0, 1, 1, 0, 0, 0, 0, 1};
  for (int x = 0; x < 9; ++x) {
    EXPECT_EQ(BgrPixel(*p1, x, 0).r, bits[x] ? 255 : 0) << "pixel " << x;
  }

  BmpLayout four;  // high nibble is the left pixel; an odd width leaves half a byte
  four.width = 3;
  four.height = 1;
  four.bits = 4;
  four.colours_used = 3;
  four.table = {{{1, 2, 3, 0}}, {{4, 5, 6, 0}}, {{7, 8, 9, 0}}};
  four.rows = {{0x21, 0x00}};
  PicturePtr p4 = Decode(MakeBmp(four));
  ASSERT_NE(p4, nullptr);
  EXPECT_EQ(BgrPixel(*p4, 0, 0), (Rgb{9, 8, 7}));
  EXPECT_EQ(BgrPixel(*p4, 1, 0), (Rgb{6, 5, 4}));
  EXPECT_EQ(BgrPixel(*p4, 2, 0), (Rgb{3, 2, 1}));
}

TEST(BmpDecoder, IndicesBeyondTheColourTableAreBlack) {
  BmpLayout layout;
  layout.width = 3;
  layout.height = 1;
  layout.bits = 8;
  layout.colours_used = 2;
  layout.table = {{{10, 10, 10, 0}}, {{20, 20, 20, 0}}};
  layout.rows = {{1, 2, 255}};
  PicturePtr picture = Decode(MakeBmp(layout));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(BgrPixel(*picture, 0, 0), (Rgb{20, 20, 20}));
  EXPECT_EQ(BgrPixel(*picture, 1, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(BgrPixel(*picture, 2, 0), (Rgb{0, 0, 0}));
}

TEST(BmpDecoder, RowsStartAtTheDataOffsetAndTheLastNeedsNoPadding) {
  BmpLayout layout = TwentyFourBitBottomUp();
  layout.gap = 7;
  layout.pad_last_row = false;
  PicturePtr picture = Decode(MakeBmp(layout));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(BgrPixel(*picture, 0, 1), (Rgb{255, 0, 0}));
  EXPECT_EQ(BgrPixel(*picture, 2, 0), (Rgb{128, 128, 128}));
}

TEST(BmpDecoder, RefusesWhatItDoesNotDecode) {
  for (uint32_t compression : {1u, 2u, 3u}) {
    BmpLayout layout = TwentyFourBitBottomUp();
    layout.compression = compression;
    EXPECT_EQ(Decode(MakeBmp(layout)), nullptr) << "compression " << compression;
  }
  for (uint16_t bits : {0, 2, 16, 48}) {
    BmpLayout layout = TwentyFourBitBottomUp();
    layout.bits = bits;
    EXPECT_EQ(Decode(MakeBmp(layout)), nullptr) << bits << " bits per pixel";
  }
}

TEST(BmpDecoder, ShortOrInconsistentInputFails) {
  std::vector<uint8_t> whole = MakeBmp(TwentyFourBitBottomUp());
  EXPECT_EQ(Decode({whole.begin(), whole.begin() + 53}), nullptr) << "53 header bytes";
  EXPECT_EQ(Decode({'B', 'M', 0, 0, 0, 0, 0, 0}), nullptr);
  EXPECT_EQ(Decode({whole.begin(), whole.end() - 4}), nullptr) << "last row cut short";

  BmpLayout early = TwentyFourBitBottomUp();
  std::vector<uint8_t> bytes = MakeBmp(early);
  PutU32(bytes, 10, 53);
  EXPECT_EQ(Decode(bytes), nullptr) << "data offset inside the headers";

  BmpLayout indexed;
  indexed.width = 1;
  indexed.height = 1;
  indexed.bits = 8;
  indexed.table = {{{1, 1, 1, 0}}};
  indexed.colours_used = 1;
  indexed.rows = {{0}};
  bytes = MakeBmp(indexed);
  PutU32(bytes, 10, 54);
  EXPECT_EQ(Decode(bytes), nullptr) << "data offset inside the colour table";
  bytes = MakeBmp(indexed);
  PutU32(bytes, 46, 0x40000000);
  EXPECT_EQ(Decode(bytes), nullptr) << "colour table past the input";
}

TEST(BmpDecoder, SizesThatDoNotFitAreRefusedBeforeAllocating) {
  BmpLayout layout = TwentyFourBitBottomUp();
  std::vector<uint8_t> bytes = MakeBmp(layout);
  PutU32(bytes, 22, 0x80000000u);
  EXPECT_EQ(Decode(bytes), nullptr) << "height -2^31 has no magnitude";
  bytes = MakeBmp(layout);
  PutU32(bytes, 18, 0x7FFFFFFF);
  PutU32(bytes, 22, 0x7FFFFFFF);
  EXPECT_EQ(Decode(bytes), nullptr) << "rows far past the input";

  uint64_t limit = PictureByteLimit();
  SetPictureByteLimit(23);
  EXPECT_EQ(Decode(MakeBmp(layout)), nullptr) << "drawn through 24 bytes, over a limit of 23";
  SetPictureByteLimit(24);
  EXPECT_NE(Decode(MakeBmp(layout)), nullptr);
  SetPictureByteLimit(limit);
}

TEST(BmpDecoder, ZeroWidthPictureHasNoPixelsHoweverManyRows) {
  // Found by fuzzing: 56 bytes announcing 0 x 939524096 pixels once meant
  // nearly a billion empty rows walked one by one.
  PicturePtr picture = Decode(TestFile("fuzz_bmp_zero_width_tall.bmp"));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->width, 0);
  EXPECT_EQ(picture->height, 0x38000000);
  EXPECT_EQ(picture->size, 0);
  EXPECT_NE(picture->pixels, nullptr) << "an empty block still has an address";
}

}  // namespace
}  // namespace runtime
