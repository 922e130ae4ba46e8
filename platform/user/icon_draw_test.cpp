// DrawIconEx and DrawIcon: mask and image halves, stretching, alpha, the
// flicker-free background brush, and what is refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/gdi/gdi_testing.h"
#include "platform/win32.h"

namespace {

using gdi_testing::MemoryDc;
using gdi_testing::SamePixels;

constexpr uint32_t kUnder = 0x123456;
constexpr uint32_t R = 0xFF0000, B = 0x0000FF, K = 0x000000, W = 0xFFFFFF, U = kUnder;

// The bytes of one icon image: a 24-bit DIB with its AND mask, 2 x 2:
//   red (opaque)          black under the mask (transparent)
//   white under the mask  blue (opaque)
// (white under the mask inverts what is there).
std::vector<BYTE> TwoByTwoIcon() {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = 2;
  header.biHeight = 4;  // image and mask
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  std::vector<BYTE> bytes(sizeof header);
  std::memcpy(bytes.data(), &header, sizeof header);
  // XOR rows bottom-up, B G R, padded to 4 bytes: (white, blue), (red, black).
  const BYTE xor_rows[16] = {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0, 0,
                             0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0, 0};
  // AND rows bottom-up, padded to 4 bytes: (1, 0), (0, 1).
  const BYTE and_rows[8] = {0x80, 0, 0, 0, 0x40, 0, 0, 0};
  bytes.insert(bytes.end(), std::begin(xor_rows), std::end(xor_rows));
  bytes.insert(bytes.end(), std::begin(and_rows), std::end(and_rows));
  return bytes;
}

HICON MakeIcon(std::vector<BYTE> bytes) {
  return CreateIconFromResourceEx(bytes.data(), static_cast<DWORD>(bytes.size()), TRUE, 0x00030000,
                                  0, 0, 0);
}

class IconDrawTest : public testing::Test {
 protected:
  void SetUp() override {
    icon_ = MakeIcon(TwoByTwoIcon());
    ASSERT_NE(icon_, nullptr);
  }
  void TearDown() override { DestroyIcon(icon_); }
  HICON icon_ = nullptr;
};

TEST_F(IconDrawTest, TheMaskIsAndedAndTheImageXoredAtTheIconsOwnSize) {
  MemoryDc dc(4, 4, kUnder);
  EXPECT_TRUE(DrawIconEx(dc.dc(), 1, 1, icon_, 0, 0, 0, nullptr, DI_NORMAL));
  const uint32_t I = kUnder ^ 0xFFFFFF;
  EXPECT_TRUE(SamePixels({U, U, U, U,  //
                          U, R, U, U,  //
                          U, I, B, U,  //
                          U, U, U, U},
                         dc.Pixels(), 4));
}

TEST_F(IconDrawTest, MaskAndImageAloneAreCopied) {
  MemoryDc dc(2, 2, kUnder);
  EXPECT_TRUE(DrawIconEx(dc.dc(), 0, 0, icon_, 0, 0, 0, nullptr, DI_MASK));
  EXPECT_TRUE(SamePixels({K, W, W, K}, dc.Pixels(), 2)) << "the mask: white where transparent";
  EXPECT_TRUE(DrawIconEx(dc.dc(), 0, 0, icon_, 0, 0, 0, nullptr, DI_IMAGE));
  EXPECT_TRUE(SamePixels({R, K, W, B}, dc.Pixels(), 2)) << "the image";
}

TEST_F(IconDrawTest, StretchesToTheSizeAskedForOrTheSystemIconSize) {
  MemoryDc dc(5, 5, kUnder);
  EXPECT_TRUE(DrawIconEx(dc.dc(), 0, 0, icon_, 4, 4, 0, nullptr, DI_IMAGE));
  EXPECT_TRUE(SamePixels({R, R, K, K, U,  //
                          R, R, K, K, U,  //
                          W, W, B, B, U,  //
                          W, W, B, B, U,  //
                          U, U, U, U, U},
                         dc.Pixels(), 5));
  MemoryDc big(34, 34, kUnder);
  EXPECT_TRUE(DrawIcon(big.dc(), 1, 1, icon_));
  EXPECT_EQ(big.at(1, 1), R);
  EXPECT_EQ(big.at(16, 16), R) << "each icon pixel covers 16 x 16 at the 32 x 32 icon size";
  EXPECT_EQ(big.at(17, 17), B);
  EXPECT_EQ(big.at(32, 32), B);
  EXPECT_EQ(big.at(33, 33), U);
  EXPECT_EQ(big.at(20, 5), U) << "transparent";
  MemoryDc standard(34, 34, kUnder);
  EXPECT_TRUE(DrawIconEx(standard.dc(), 1, 1, icon_, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE));
  EXPECT_TRUE(SamePixels(big.Pixels(), standard.Pixels(), 34));
}

TEST_F(IconDrawTest, AFlickerFreeBrushFillsUnderTheIconFirst) {
  MemoryDc dc(2, 2, kUnder);
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  EXPECT_TRUE(DrawIconEx(dc.dc(), 0, 0, icon_, 0, 0, 0, green, DI_NORMAL));
  EXPECT_TRUE(SamePixels({R, 0x00FF00, 0xFF00FF, B}, dc.Pixels(), 2))
      << "transparent shows the brush; inverted inverts the brush";
  DeleteObject(green);
}

TEST(IconDraw, IconsWithTheirOwnAlphaAreBlended) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = 1;
  header.biHeight = 2;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  std::vector<BYTE> bytes(sizeof header);
  std::memcpy(bytes.data(), &header, sizeof header);
  const BYTE pixel[4] = {0x00, 0x00, 0xFF, 0x80};  // red at alpha 128
  const BYTE mask[4] = {0x80, 0, 0, 0};            // ignored: the alpha decides
  bytes.insert(bytes.end(), std::begin(pixel), std::end(pixel));
  bytes.insert(bytes.end(), std::begin(mask), std::end(mask));
  HICON icon = MakeIcon(bytes);
  ASSERT_NE(icon, nullptr);
  MemoryDc dc(1, 1, 0x0000FF);
  EXPECT_TRUE(DrawIconEx(dc.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(dc.at(0, 0), 0x80007Fu) << "half red over blue";
  DestroyIcon(icon);
}

TEST_F(IconDrawTest, RefusesBadFlagsSizesAndHandles) {
  MemoryDc dc(2, 2, kUnder);
  SetLastError(0);
  EXPECT_FALSE(DrawIconEx(dc.dc(), 0, 0, icon_, 0, 0, 0, nullptr, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(DrawIconEx(dc.dc(), 0, 0, icon_, -2, 2, 0, nullptr, DI_NORMAL));
  EXPECT_FALSE(DrawIconEx(dc.dc(), 0, 0, nullptr, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_FALSE(DrawIconEx(nullptr, 0, 0, icon_, 0, 0, 0, nullptr, DI_NORMAL));
  HRGN region = CreateRectRgn(0, 0, 1, 1);
  EXPECT_FALSE(
      DrawIconEx(dc.dc(), 0, 0, icon_, 0, 0, 0, reinterpret_cast<HBRUSH>(region), DI_NORMAL))
      << "not a brush";
  DeleteObject(region);
  EXPECT_TRUE(SamePixels({U, U, U, U}, dc.Pixels(), 2));
  EXPECT_TRUE(DrawIconEx(dc.dc(), -5, -5, icon_, 0, 0, 0, nullptr, DI_NORMAL)) << "off the bitmap";
  EXPECT_TRUE(DrawIconEx(dc.dc(), 0, 0, icon_, 2000000000, 1, 0, nullptr, DI_NORMAL))
      << "huge sizes are clamped";
}

}  // namespace
