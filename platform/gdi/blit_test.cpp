// BitBlt beyond the truth tables: overlapping copies, colour conversions
// between monochrome and colour, DIB row orders and 24-bit pixels, and
// sources that run off their bitmap.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/gdi/gdi_testing.h"
#include "platform/win32.h"

namespace {

using gdi_testing::MakeDib;
using gdi_testing::MemoryDc;
using gdi_testing::SamePixels;

// 4x4 pixels numbered 1..16 row by row.
void Number(MemoryDc& canvas) {
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) canvas.at(x, y) = static_cast<uint32_t>(y * 4 + x + 1);
  }
}

// The same copy done through a separate buffer, as the overlapping one must
// come out.
std::vector<uint32_t> CopiedThroughBuffer(std::vector<uint32_t> pixels, int dx, int dy) {
  const std::vector<uint32_t> before = pixels;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      const int sx = dx > 0 ? x : x + 1;
      const int sy = dy > 0 ? y : y + 1;
      pixels[(sy + dy) * 4 + sx + dx] = before[sy * 4 + sx];
    }
  }
  return pixels;
}

TEST(BitBlt, OverlappingCopiesOnOneBitmapReadTheSourceBeforeWriting) {
  const struct { int dx, dy; } moves[] = {{1, 1}, {-1, -1}, {1, -1}, {-1, 1}};
  for (const auto& move : moves) {
    MemoryDc canvas(4, 4);
    Number(canvas);
    const std::vector<uint32_t> expected = CopiedThroughBuffer(canvas.Pixels(), move.dx, move.dy);
    const int sx = move.dx > 0 ? 0 : 1;
    const int sy = move.dy > 0 ? 0 : 1;
    ASSERT_TRUE(
        BitBlt(canvas.dc(), sx + move.dx, sy + move.dy, 3, 3, canvas.dc(), sx, sy, SRCCOPY));
    EXPECT_TRUE(SamePixels(expected, canvas.Pixels(), 4))
        << "moved by " << move.dx << ", " << move.dy;
  }
}

TEST(BitBlt, HorizontalOverlapWithinOneRowIsCopiedWhole) {
  MemoryDc canvas(4, 1);
  for (int x = 0; x < 4; ++x) canvas.at(x, 0) = static_cast<uint32_t>(x + 1);
  ASSERT_TRUE(BitBlt(canvas.dc(), 1, 0, 3, 1, canvas.dc(), 0, 0, SRCCOPY));
  EXPECT_TRUE(SamePixels({1, 1, 2, 3}, canvas.Pixels(), 4));
  ASSERT_TRUE(BitBlt(canvas.dc(), 0, 0, 3, 1, canvas.dc(), 1, 0, SRCINVERT));
  EXPECT_TRUE(SamePixels({1 ^ 1, 1 ^ 2, 2 ^ 3, 3}, canvas.Pixels(), 4));
}

// A monochrome 8x2 bitmap: row 0 is 10100000, row 1 is 01011111.
HBITMAP MonoSample() {
  const BYTE bits[4] = {0xA0, 0x00, 0x5F, 0x00};
  return CreateBitmap(8, 2, 1, 1, bits);
}

TEST(BitBlt, MonochromeSourceTakesTheDestinationsTextAndBackgroundColours) {
  HDC mono_dc = CreateCompatibleDC(nullptr);
  HBITMAP mono = MonoSample();
  HGDIOBJ old = SelectObject(mono_dc, mono);
  MemoryDc canvas(4, 2, 0x999999);
  SetTextColor(canvas.dc(), RGB(255, 0, 0));  // 0 bits
  SetBkColor(canvas.dc(), RGB(0, 0, 255));    // 1 bits
  SetTextColor(mono_dc, RGB(0, 255, 0));      // the source DC's colours do not matter
  SetBkColor(mono_dc, RGB(0, 255, 0));
  ASSERT_TRUE(BitBlt(canvas.dc(), 0, 0, 4, 2, mono_dc, 0, 0, SRCCOPY));
  const uint32_t fg = 0xFF0000, bg = 0x0000FF;
  EXPECT_TRUE(SamePixels({bg, fg, bg, fg,  //
                          fg, bg, fg, bg},
                         canvas.Pixels(), 4));
  SelectObject(mono_dc, old);
  DeleteObject(mono);
  DeleteDC(mono_dc);
}

TEST(BitBlt, ColourSourceTurnsWhiteWhereItHasTheSourceBackgroundColour) {
  MemoryDc colour(4, 1);
  colour.at(0, 0) = 0x00FF00;
  colour.at(1, 0) = 0x123456;
  colour.at(2, 0) = 0x00FF00;
  colour.at(3, 0) = 0xFFFFFF;
  SetBkColor(colour.dc(), RGB(0, 255, 0));
  HDC mask_dc = CreateCompatibleDC(colour.dc());
  HBITMAP mask = CreateCompatibleBitmap(mask_dc, 4, 1);  // monochrome, like the DC's first bitmap
  HGDIOBJ old = SelectObject(mask_dc, mask);
  ASSERT_TRUE(BitBlt(mask_dc, 0, 0, 4, 1, colour.dc(), 0, 0, SRCCOPY));
  // Back to colour with black text and white background to read the bits.
  MemoryDc readout(4, 1, 0x777777);
  SetTextColor(readout.dc(), RGB(0, 0, 0));
  SetBkColor(readout.dc(), RGB(255, 255, 255));
  ASSERT_TRUE(BitBlt(readout.dc(), 0, 0, 4, 1, mask_dc, 0, 0, SRCCOPY));
  EXPECT_TRUE(SamePixels({0xFFFFFF, 0, 0xFFFFFF, 0}, readout.Pixels(), 4))
      << "even a white source pixel is black when it is not the background colour";
  SelectObject(mask_dc, old);
  DeleteObject(mask);
  DeleteDC(mask_dc);
}

TEST(BitBlt, MonochromeToMonochromeCopiesTheBits) {
  HDC from = CreateCompatibleDC(nullptr);
  HDC to = CreateCompatibleDC(nullptr);
  HBITMAP source = MonoSample();
  HBITMAP target = CreateBitmap(8, 2, 1, 1, nullptr);
  HGDIOBJ old_from = SelectObject(from, source);
  HGDIOBJ old_to = SelectObject(to, target);
  SetTextColor(to, RGB(255, 255, 255));  // would invert a conversion, but there is none
  SetBkColor(to, RGB(0, 0, 0));
  ASSERT_TRUE(BitBlt(to, 0, 0, 8, 2, from, 0, 0, SRCCOPY));
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(GetPixel(to, x, 0), GetPixel(from, x, 0)) << "column " << x;
    EXPECT_EQ(GetPixel(to, x, 1), GetPixel(from, x, 1)) << "column " << x;
  }
  EXPECT_EQ(GetPixel(to, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(to, 0, 1), RGB(0, 0, 0));
  SelectObject(from, old_from);
  SelectObject(to, old_to);
  DeleteDC(from);
  DeleteDC(to);
  DeleteObject(source);
  DeleteObject(target);
}

TEST(BitBlt, BottomUpDibsKeepTheirLastRowFirstInMemory) {
  void* bits = nullptr;
  HBITMAP dib = MakeDib(2, 3, 32, /*top_down=*/false, &bits);
  ASSERT_NE(dib, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, dib);
  SetPixel(dc, 0, 0, RGB(1, 0, 0));  // top row
  SetPixel(dc, 1, 2, RGB(3, 0, 0));  // bottom row
  const auto* words = static_cast<const uint32_t*>(bits);
  EXPECT_EQ(words[1], 0x030000u) << "the bottom row comes first in memory";
  EXPECT_EQ(words[4], 0x010000u) << "the top row comes last";
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(dib);
}

TEST(BitBlt, TwentyFourBitDibsStoreBlueGreenRedWithPaddedRows) {
  void* bits = nullptr;
  HBITMAP dib = MakeDib(2, 2, 24, /*top_down=*/true, &bits);
  ASSERT_NE(dib, nullptr);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectA(dib, sizeof section, &section), static_cast<int>(sizeof section));
  EXPECT_EQ(section.dsBm.bmWidthBytes, 8) << "6 bytes of pixels padded to 8";
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, dib);
  MemoryDc source(2, 2);
  source.at(1, 1) = 0x112233;
  ASSERT_TRUE(BitBlt(dc, 0, 0, 2, 2, source.dc(), 0, 0, SRCCOPY));
  const auto* bytes = static_cast<const BYTE*>(bits);
  EXPECT_EQ(bytes[8 + 3], 0x33);
  EXPECT_EQ(bytes[8 + 4], 0x22);
  EXPECT_EQ(bytes[8 + 5], 0x11);
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0x11, 0x22, 0x33));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(dib);
}

TEST(BitBlt, OnlyPixelsWithASourceAreTouched) {
  MemoryDc source(2, 2, 0xABCDEF);
  MemoryDc canvas(4, 4, 0x111111);
  ASSERT_TRUE(BitBlt(canvas.dc(), 1, 1, 3, 3, source.dc(), 0, 0, SRCCOPY));
  const uint32_t o = 0x111111, s = 0xABCDEF;
  EXPECT_TRUE(SamePixels({o, o, o, o,  //
                          o, s, s, o,  //
                          o, s, s, o,  //
                          o, o, o, o},
                         canvas.Pixels(), 4));
}

TEST(BitBlt, NegativeExtentsMoveBothRectanglesWithoutMirroring) {
  MemoryDc source(4, 1);
  for (int x = 0; x < 4; ++x) source.at(x, 0) = static_cast<uint32_t>(x + 1);
  MemoryDc canvas(4, 1);
  ASSERT_TRUE(BitBlt(canvas.dc(), 4, 0, -2, 1, source.dc(), 2, 0, SRCCOPY));
  EXPECT_TRUE(SamePixels({0, 0, 1, 2}, canvas.Pixels(), 4));
}

TEST(BitBlt, RefusesBadHandlesAndSkipsPatternsOfTheNullBrush) {
  MemoryDc canvas(1, 1, 0x445566);
  EXPECT_FALSE(BitBlt(canvas.dc(), 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(BitBlt(nullptr, 0, 0, 1, 1, canvas.dc(), 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(canvas.dc(), 0, 0, 1, 1, nullptr, 0, 0, BLACKNESS))
      << "an operation without a source needs no source DC";
  EXPECT_EQ(canvas.at(0, 0), 0u);
  HGDIOBJ old = SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
  EXPECT_TRUE(PatBlt(canvas.dc(), 0, 0, 1, 1, PATINVERT));
  EXPECT_EQ(canvas.at(0, 0), 0u) << "the null brush paints nothing";
  SelectObject(canvas.dc(), old);
}

}  // namespace
