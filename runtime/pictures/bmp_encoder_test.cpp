// The panel-picture encoder's output, byte by byte.
#include "runtime/pictures/bmp_encoder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace runtime {
namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

// A 32-bit bitmap of width x height, pixel (x, y) = RGB(x, y, 7).
HBITMAP Gradient(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      pixels[y * width + x] = uint32_t(x) << 16 | uint32_t(y) << 8 | 7;
  }
  return bitmap;
}

struct Bitmap {
  explicit Bitmap(HBITMAP b) : handle(b) {}
  ~Bitmap() { DeleteObject(handle); }
  HBITMAP handle;
};

TEST(BmpEncoder, WholeBitmapIsAByteExactBottomUpFile) {
  Bitmap bitmap(Gradient(100, 50));
  const std::vector<uint8_t> file = EncodePanelPicture(bitmap.handle, 0, 0);
  ASSERT_EQ(file.size(), 15054u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(U32(file, 2), 15054u);
  EXPECT_EQ(U32(file, 6), 0u);
  EXPECT_EQ(U32(file, 10), 54u);
  EXPECT_EQ(U32(file, 14), 40u);
  EXPECT_EQ(U32(file, 18), 100u);
  EXPECT_EQ(U32(file, 22), 50u);
  EXPECT_EQ(U16(file, 26), 1u);
  EXPECT_EQ(U16(file, 28), 24u);
  EXPECT_EQ(U32(file, 30), 0u);
  EXPECT_EQ(U32(file, 34), 15000u);
  for (size_t at = 38; at < 54; at += 4) EXPECT_EQ(U32(file, at), 0u) << "field at " << at;
  // The first row in the file is the bottom row (y = 49): blue, green, red.
  EXPECT_EQ(file[54], 7);
  EXPECT_EQ(file[55], 49);
  EXPECT_EQ(file[56], 0);
  const size_t top_row_last_pixel = 54 + 49 * 300 + 99 * 3;
  EXPECT_EQ(file[top_row_last_pixel + 1], 0);
  EXPECT_EQ(file[top_row_last_pixel + 2], 99);
}

TEST(BmpEncoder, RowsArePaddedWithZerosToFourBytes) {
  Bitmap bitmap(Gradient(99, 2));
  const std::vector<uint8_t> file = EncodePanelPicture(bitmap.handle, 0, 0);
  ASSERT_EQ(file.size(), 54u + 300 * 2);
  EXPECT_EQ(U32(file, 34), 600u);
  for (size_t row = 0; row < 2; ++row) {
    for (size_t pad = 297; pad < 300; ++pad) EXPECT_EQ(file[54 + row * 300 + pad], 0);
  }
}

TEST(BmpEncoder, NegativeSizesArePercentagesOfAtLeastTen) {
  Bitmap bitmap(Gradient(100, 50));
  std::vector<uint8_t> half = EncodePanelPicture(bitmap.handle, -50, -50);
  ASSERT_GE(half.size(), 54u);
  EXPECT_EQ(U32(half, 18), 50u);
  EXPECT_EQ(U32(half, 22), 25u);
  std::vector<uint8_t> tenth = EncodePanelPicture(bitmap.handle, -5, 0);
  ASSERT_GE(tenth.size(), 54u);
  EXPECT_EQ(U32(tenth, 18), 10u) << "-5 asks for 5 %, and 10 % is the least";
  EXPECT_EQ(U32(tenth, 22), 50u);
  EXPECT_EQ(RequestedSide(-15, 33), 5) << "4.95 rounds to 5";
  EXPECT_EQ(RequestedSide(-10, 4), 0) << "0.4 rounds to 0";
  EXPECT_EQ(RequestedSide(-2147483647 - 1, 2147483647),
            (int64_t{2147483647} * 2147483648 + 50) / 100)
      << "no overflow on the way";
}

TEST(BmpEncoder, StretchedCopyOfAFlatColourKeepsIt) {
  Bitmap bitmap(Gradient(1, 1));
  const std::vector<uint8_t> file = EncodePanelPicture(bitmap.handle, 3, 2);
  ASSERT_EQ(file.size(), 54u + 12 * 2);
  for (size_t x = 0; x < 3; ++x) {
    EXPECT_EQ(file[54 + x * 3], 7);
    EXPECT_EQ(file[54 + 12 + x * 3], 7);
  }
}

TEST(BmpEncoder, FailuresGiveNoBytes) {
  EXPECT_TRUE(EncodePanelPicture(nullptr, 0, 0).empty());
  Bitmap small(Gradient(4, 4));
  EXPECT_TRUE(EncodePanelPicture(small.handle, -10, 0).empty()) << "10 % of 4 is no pixel";
  EXPECT_TRUE(EncodePanelPicture(small.handle, 0, -1).empty());
  EXPECT_TRUE(EncodePanelPicture(reinterpret_cast<HBITMAP>(uintptr_t{0x1234}), 0, 0).empty());
}

}  // namespace
}  // namespace runtime
