// The DIB functions on tiny pictures: round trips through CreateDIBitmap
// and GetDIBits at odd widths, colour tables, scan-line bands, both row
// orders, and refusal of headers that do not add up.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

#include "platform/gdi/gdi_testing.h"
#include "platform/win32.h"

namespace {

using gdi_testing::MemoryDc;
using gdi_testing::SamePixels;

// A BITMAPINFO with room for the largest colour table.
struct DibInfo {
  BITMAPINFOHEADER header{};
  RGBQUAD colors[256]{};

  DibInfo(int width, int height, int bits) {
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bits);
    header.biCompression = BI_RGB;
  }
  BITMAPINFO* info() { return reinterpret_cast<BITMAPINFO*>(this); }
  size_t Stride() const { return ((header.biBitCount * header.biWidth + 31) & ~31) / 8; }
  size_t Rows() const { return static_cast<size_t>(std::abs(header.biHeight)); }
};

uint32_t Next(uint32_t& seed) {
  seed = seed * 1103515245u + 12345u;
  return seed >> 8;
}

// Rows of random pixel bytes whose padding (bytes past the pixels, and bits
// past the last pixel in its byte) is garbage; `clean` gets the same rows
// with the padding zeroed, which is what GetDIBits must give back.
std::vector<BYTE> RandomRows(const DibInfo& dib, uint32_t seed, std::vector<BYTE>* clean) {
  const size_t stride = dib.Stride();
  const size_t used_bits = static_cast<size_t>(dib.header.biBitCount) * dib.header.biWidth;
  std::vector<BYTE> rows(stride * dib.Rows());
  clean->assign(rows.size(), 0);
  for (size_t i = 0; i < rows.size(); ++i) {
    rows[i] = static_cast<BYTE>(Next(seed));
    const size_t bit = (i % stride) * 8;
    if (bit + 8 <= used_bits) {
      (*clean)[i] = rows[i];
    } else if (bit < used_bits) {
      (*clean)[i] = static_cast<BYTE>(rows[i] & (0xFF << (8 - (used_bits - bit))));
    }
  }
  return rows;
}

// The bitmap's pixels, top row first.
std::vector<uint32_t> PixelsOf(HBITMAP bitmap, int width, int height) {
  DibInfo request(width, -height, 32);
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0xDEADBEEF);
  EXPECT_EQ(GetDIBits(nullptr, bitmap, 0, height, pixels.data(), request.info(), DIB_RGB_COLORS),
            height);
  return pixels;
}

TEST(DibRoundTrip, TwentyFourBitRowsComeBackWithTheirPaddingZeroed) {
  for (int width : {1, 3, 4, 5, 8, 99}) {
    for (int height : {3, -3}) {
      DibInfo dib(width, height, 24);
      std::vector<BYTE> expected;
      const std::vector<BYTE> rows = RandomRows(dib, static_cast<uint32_t>(width), &expected);
      HBITMAP bitmap =
          CreateDIBitmap(nullptr, &dib.header, CBM_INIT, rows.data(), dib.info(), DIB_RGB_COLORS);
      ASSERT_NE(bitmap, nullptr) << width;
      BITMAP described{};
      GetObjectA(bitmap, sizeof described, &described);
      EXPECT_EQ(described.bmBitsPixel, 32) << "the screen's format";
      std::vector<BYTE> back(rows.size(), 0xCD);
      EXPECT_EQ(GetDIBits(nullptr, bitmap, 0, 3, back.data(), dib.info(), DIB_RGB_COLORS), 3);
      EXPECT_EQ(back, expected) << "width " << width << " height " << height;
      EXPECT_EQ(dib.header.biSizeImage, dib.Stride() * 3);
      DeleteObject(bitmap);
    }
  }
}

TEST(DibRoundTrip, OneBitRowsKeepTheirBitsAndGetBlackAndWhiteTables) {
  for (int width : {1, 3, 5, 99}) {
    DibInfo dib(width, 2, 1);
    dib.colors[1] = RGBQUAD{255, 255, 255, 0};
    std::vector<BYTE> expected;
    const std::vector<BYTE> rows = RandomRows(dib, 17u + static_cast<uint32_t>(width), &expected);
    HBITMAP bitmap =
        CreateDIBitmap(nullptr, &dib.header, CBM_INIT, rows.data(), dib.info(), DIB_RGB_COLORS);
    ASSERT_NE(bitmap, nullptr);
    std::memset(dib.colors, 0x77, sizeof dib.colors);
    std::vector<BYTE> back(rows.size(), 0xCD);
    EXPECT_EQ(GetDIBits(nullptr, bitmap, 0, 2, back.data(), dib.info(), DIB_RGB_COLORS), 2);
    EXPECT_EQ(back, expected) << "width " << width;
    EXPECT_EQ(std::memcmp(&dib.colors[0], "\0\0\0\0", 4), 0);
    EXPECT_EQ(std::memcmp(&dib.colors[1], "\xFF\xFF\xFF\0", 4), 0);
    DeleteObject(bitmap);
  }
}

TEST(DibRoundTrip, EightBitColourTablesGiveTheColoursBack) {
  // Ask GetDIBits for its own 8-bit table first, then use it as the source's.
  HBITMAP probe = CreateBitmap(1, 1, 1, 32, nullptr);
  DibInfo dib(99, 3, 8);
  ASSERT_NE(GetDIBits(nullptr, probe, 0, 1, nullptr, dib.info(), DIB_RGB_COLORS), 0);
  DeleteObject(probe);
  const std::vector<RGBQUAD> table(dib.colors, dib.colors + 256);
  std::vector<BYTE> unused;
  const std::vector<BYTE> rows = RandomRows(dib, 5, &unused);
  HBITMAP bitmap =
      CreateDIBitmap(nullptr, &dib.header, CBM_INIT, rows.data(), dib.info(), DIB_RGB_COLORS);
  ASSERT_NE(bitmap, nullptr);
  const std::vector<uint32_t> pixels = PixelsOf(bitmap, 99, 3);
  std::vector<BYTE> back(rows.size(), 0xCD);
  ASSERT_EQ(GetDIBits(nullptr, bitmap, 0, 3, back.data(), dib.info(), DIB_RGB_COLORS), 3);
  const auto colour = [](const RGBQUAD& q) {
    return uint32_t{q.rgbRed} << 16 | uint32_t{q.rgbGreen} << 8 | q.rgbBlue;
  };
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 99; ++x) {
      const size_t at = static_cast<size_t>(2 - y) * dib.Stride() + static_cast<size_t>(x);
      ASSERT_EQ(pixels[static_cast<size_t>(y * 99 + x)], colour(table[rows[at]]))
          << "the bitmap shows the table's colour at " << x << ", " << y;
      ASSERT_EQ(colour(dib.colors[back[at]]), colour(table[rows[at]])) << x << ", " << y;
    }
    EXPECT_EQ(back[static_cast<size_t>(y) * dib.Stride() + 99], 0) << "padding";
  }
  EXPECT_EQ(colour(dib.colors[0]), 0x000000u);
  EXPECT_EQ(colour(dib.colors[15]), 0xFFFFFFu);
  DeleteObject(bitmap);
}

TEST(CreateDIBitmap, ReadsFourBitRowsAndShortColourTables) {
  // Two colours given; index 2 lies beyond the table and reads as black.
  DibInfo dib(3, -1, 4);
  dib.header.biClrUsed = 2;
  dib.colors[0] = RGBQUAD{0x30, 0x20, 0x10, 0};
  dib.colors[1] = RGBQUAD{0x60, 0x50, 0x40, 0};
  dib.colors[2] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};
  const BYTE row[4] = {0x10, 0x20, 0, 0};
  HBITMAP bitmap = CreateDIBitmap(nullptr, &dib.header, CBM_INIT, row, dib.info(), DIB_RGB_COLORS);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_TRUE(SamePixels({0x405060, 0x102030, 0x000000}, PixelsOf(bitmap, 3, 1), 3));
  DeleteObject(bitmap);
}

TEST(CreateDIBitmap, TakesTheFormatOfTheDc) {
  HDC mono_dc = CreateCompatibleDC(nullptr);  // holds its first, monochrome bitmap
  DibInfo dib(4, 1, 32);
  const uint32_t row[4] = {0xFFFFFF, 0x000000, 0xF0F0F0, 0x101010};
  HBITMAP mono = CreateDIBitmap(mono_dc, &dib.header, CBM_INIT, row, dib.info(), DIB_RGB_COLORS);
  ASSERT_NE(mono, nullptr);
  BITMAP described{};
  GetObjectA(mono, sizeof described, &described);
  EXPECT_EQ(described.bmBitsPixel, 1);
  EXPECT_TRUE(SamePixels({0xFFFFFF, 0, 0xFFFFFF, 0}, PixelsOf(mono, 4, 1), 4))
      << "light colours turn white, dark ones black";
  HBITMAP blank = CreateDIBitmap(nullptr, &dib.header, 0, nullptr, nullptr, DIB_RGB_COLORS);
  ASSERT_NE(blank, nullptr) << "no CBM_INIT: no bits needed";
  EXPECT_TRUE(SamePixels({0, 0, 0, 0}, PixelsOf(blank, 4, 1), 4));
  DeleteObject(mono);
  DeleteObject(blank);
  DeleteDC(mono_dc);
}

TEST(GetDIBits, FillsInTheHeaderWithoutBits) {
  HBITMAP bitmap = CreateBitmap(5, 3, 1, 32, nullptr);
  DibInfo own(0, 0, 0);
  ASSERT_NE(GetDIBits(nullptr, bitmap, 0, 3, nullptr, own.info(), DIB_RGB_COLORS), 0);
  EXPECT_EQ(own.header.biWidth, 5);
  EXPECT_EQ(own.header.biHeight, 3);
  EXPECT_EQ(own.header.biBitCount, 32);
  EXPECT_EQ(own.header.biSizeImage, 60u);
  DibInfo rgb(5, 3, 24);
  ASSERT_NE(GetDIBits(nullptr, bitmap, 0, 3, nullptr, rgb.info(), DIB_RGB_COLORS), 0);
  EXPECT_EQ(rgb.header.biSizeImage, 48u) << "15 bytes a row padded to 16";
  DibInfo mono(99, -2, 1);
  ASSERT_NE(GetDIBits(nullptr, bitmap, 0, 3, nullptr, mono.info(), DIB_RGB_COLORS), 0);
  EXPECT_EQ(mono.header.biSizeImage, 32u) << "99 bits padded to 128";
  DibInfo bits_without_depth(5, 3, 0);
  uint32_t sink[15];
  EXPECT_EQ(GetDIBits(nullptr, bitmap, 0, 3, sink, bits_without_depth.info(), DIB_RGB_COLORS), 0);
  DeleteObject(bitmap);
}

TEST(GetDIBits, CopiesTheScanLinesAskedForCountedFromTheBottomOfBottomUpDibs) {
  MemoryDc canvas(2, 4);  // stays selected: GetDIBits works on it all the same
  for (int y = 0; y < 4; ++y) canvas.at(0, y) = canvas.at(1, y) = static_cast<uint32_t>(y + 1);
  DibInfo bottom_up(2, 4, 32);
  uint32_t rows[8];
  std::fill(std::begin(rows), std::end(rows), 0xEEEEEEEEu);
  EXPECT_EQ(GetDIBits(canvas.dc(), canvas.bitmap(), 1, 2, rows, bottom_up.info(), DIB_RGB_COLORS),
            2);
  EXPECT_EQ(rows[0], 3u) << "scan 1 is the second row from the bottom";
  EXPECT_EQ(rows[2], 2u);
  EXPECT_EQ(rows[4], 0xEEEEEEEEu) << "nothing past the rows asked for";
  DibInfo top_down(2, -4, 32);
  EXPECT_EQ(GetDIBits(canvas.dc(), canvas.bitmap(), 1, 9, rows, top_down.info(), DIB_RGB_COLORS), 3)
      << "cLines is cut to the rows there are";
  EXPECT_EQ(rows[0], 2u);
  EXPECT_EQ(rows[4], 4u);
  EXPECT_EQ(GetDIBits(canvas.dc(), canvas.bitmap(), 4, 1, rows, top_down.info(), DIB_RGB_COLORS),
            0);
}

TEST(SetDIBitsToDevice, DrawsOnlyTheBandOfScanLinesGiven) {
  // A bottom-up 2x4 DIB; the caller passes scans 1 and 2 only (rows 2 and 1
  // from the top).
  DibInfo dib(2, 4, 32);
  const uint32_t band[4] = {0x000011, 0x000011, 0x000022, 0x000022};
  MemoryDc canvas(3, 4, 0x999999);
  EXPECT_EQ(
      SetDIBitsToDevice(canvas.dc(), 1, 0, 2, 4, 0, 0, 1, 2, band, dib.info(), DIB_RGB_COLORS), 2);
  const uint32_t o = 0x999999;
  EXPECT_TRUE(SamePixels({o, o, o,        //
                          o, 0x22, 0x22,  //
                          o, 0x11, 0x11,  //
                          o, o, o},
                         canvas.Pixels(), 3));
  // (xSrc, ySrc) is the lower-left corner: the 1x1 rectangle at (1, 2) from
  // the bottom is scan 2, column 1.
  MemoryDc one(1, 1, 0x999999);
  EXPECT_EQ(SetDIBitsToDevice(one.dc(), 0, 0, 1, 1, 1, 2, 1, 2, band, dib.info(), DIB_RGB_COLORS),
            2);
  EXPECT_EQ(one.at(0, 0), 0x22u);
  // Top-down: scans count from the top and ySrc is the upper edge.
  DibInfo top_down(2, -4, 32);
  MemoryDc other(2, 4, 0x999999);
  EXPECT_EQ(
      SetDIBitsToDevice(other.dc(), 0, 0, 2, 4, 0, 0, 1, 2, band, top_down.info(), DIB_RGB_COLORS),
      2);
  EXPECT_TRUE(SamePixels({o, o, 0x11, 0x11, 0x22, 0x22, o, o}, other.Pixels(), 2));
  EXPECT_EQ(
      SetDIBitsToDevice(other.dc(), 0, 0, 2, 4, 0, 0, 4, 2, band, top_down.info(), DIB_RGB_COLORS),
      0)
      << "a band past the DIB";
}

// The same 5x4 picture stored both ways.
struct TwoOrders {
  DibInfo bottom_up{5, 4, 24};
  DibInfo top_down{5, -4, 24};
  std::vector<BYTE> up_rows;
  std::vector<BYTE> down_rows;

  TwoOrders() {
    std::vector<BYTE> unused;
    down_rows = RandomRows(top_down, 11, &unused);
    up_rows.resize(down_rows.size());
    const size_t stride = top_down.Stride();
    for (size_t y = 0; y < 4; ++y) {
      std::memcpy(&up_rows[(3 - y) * stride], &down_rows[y * stride], stride);
    }
  }
};

TEST(StretchDIBits, BottomUpAndTopDownRowsDrawTheSamePicture) {
  TwoOrders dibs;
  for (int mode : {COLORONCOLOR, HALFTONE, BLACKONWHITE}) {
    MemoryDc from_up(7, 5, 0x999999);
    MemoryDc from_down(7, 5, 0x999999);
    SetStretchBltMode(from_up.dc(), mode);
    SetStretchBltMode(from_down.dc(), mode);
    // Source rows 1..2 from the top, columns 1..4, mirrored across.
    EXPECT_EQ(StretchDIBits(from_up.dc(), 7, 0, -7, 5, 1, 4 - 1 - 2, 4, 2, dibs.up_rows.data(),
                            dibs.bottom_up.info(), DIB_RGB_COLORS, SRCCOPY),
              2);
    EXPECT_EQ(StretchDIBits(from_down.dc(), 7, 0, -7, 5, 1, 1, 4, 2, dibs.down_rows.data(),
                            dibs.top_down.info(), DIB_RGB_COLORS, SRCCOPY),
              2);
    EXPECT_TRUE(SamePixels(from_down.Pixels(), from_up.Pixels(), 7)) << "mode " << mode;
  }
}

TEST(StretchDIBits, MatchesStretchBltFromTheSamePixels) {
  TwoOrders dibs;
  HBITMAP bitmap = CreateDIBitmap(nullptr, &dibs.top_down.header, CBM_INIT, dibs.down_rows.data(),
                                  dibs.top_down.info(), DIB_RGB_COLORS);
  HDC source = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(source, bitmap);
  MemoryDc by_dib(3, 9, 0x123456);
  MemoryDc by_blt(3, 9, 0x123456);
  SetStretchBltMode(by_dib.dc(), HALFTONE);
  SetStretchBltMode(by_blt.dc(), HALFTONE);
  StretchDIBits(by_dib.dc(), 0, 0, 3, 9, 0, 0, 5, 4, dibs.down_rows.data(), dibs.top_down.info(),
                DIB_RGB_COLORS, SRCINVERT);
  StretchBlt(by_blt.dc(), 0, 0, 3, 9, source, 0, 0, 5, 4, SRCINVERT);
  EXPECT_TRUE(SamePixels(by_blt.Pixels(), by_dib.Pixels(), 3));
  SelectObject(source, old);
  DeleteDC(source);
  DeleteObject(bitmap);
}

TEST(DibHeaders, AbsurdOrUnsupportedHeadersAreRefused) {
  MemoryDc canvas(2, 2);
  BYTE bits[64] = {};
  const auto refused = [&](DibInfo& dib, UINT usage = DIB_RGB_COLORS) {
    SetLastError(0);
    const bool stretch =
        StretchDIBits(canvas.dc(), 0, 0, 2, 2, 0, 0, 2, 2, bits, dib.info(), usage, SRCCOPY) == 0;
    const bool to_device =
        SetDIBitsToDevice(canvas.dc(), 0, 0, 2, 2, 0, 0, 0, 2, bits, dib.info(), usage) == 0;
    const bool create =
        CreateDIBitmap(nullptr, &dib.header, CBM_INIT, bits, dib.info(), usage) == nullptr;
    return stretch && to_device && create && GetLastError() == ERROR_INVALID_PARAMETER;
  };
  DibInfo wide(INT_MAX, 1, 32);
  EXPECT_TRUE(refused(wide)) << "width beyond the coordinate range";
  DibInfo tall(1, INT_MIN, 32);
  EXPECT_TRUE(refused(tall)) << "height INT_MIN";
  DibInfo huge(65536, 65536, 32);
  EXPECT_TRUE(refused(huge)) << "16 GiB of rows";
  DibInfo empty(0, 2, 32);
  EXPECT_TRUE(refused(empty));
  DibInfo sixteen(2, 2, 16);
  EXPECT_TRUE(refused(sixteen)) << "depths other than 1, 4, 8, 24, 32";
  DibInfo fields(2, 2, 32);
  fields.header.biCompression = BI_BITFIELDS;
  EXPECT_TRUE(refused(fields));
  DibInfo core(2, 2, 32);
  core.header.biSize = 12;
  EXPECT_TRUE(refused(core)) << "BITMAPCOREHEADER";
  DibInfo oversized(2, 2, 32);
  oversized.header.biSize = 0x10000;
  EXPECT_TRUE(refused(oversized)) << "a header size that would put the colours anywhere";
  DibInfo planes(2, 2, 32);
  planes.header.biPlanes = 2;
  EXPECT_TRUE(refused(planes));
  DibInfo indexed(2, 2, 8);
  EXPECT_TRUE(refused(indexed, DIB_PAL_COLORS)) << "no palettes to index";
  EXPECT_TRUE(refused(indexed, 7)) << "an unknown usage";
  DibInfo fine(2, 2, 32);
  EXPECT_EQ(StretchDIBits(canvas.dc(), 0, 0, 2, 2, 0, 0, 2, 2, nullptr, fine.info(), DIB_RGB_COLORS,
                          SRCCOPY),
            0);
  EXPECT_EQ(SetDIBitsToDevice(canvas.dc(), 0, 0, 2, 2, 0, 0, 0, 2, bits, nullptr, DIB_RGB_COLORS),
            0);
  EXPECT_EQ(CreateDIBitmap(nullptr, nullptr, 0, nullptr, nullptr, DIB_RGB_COLORS), nullptr);
  EXPECT_EQ(CreateDIBitmap(nullptr, &fine.header, CBM_INIT, nullptr, fine.info(), DIB_RGB_COLORS),
            nullptr);
  EXPECT_EQ(GetDIBits(nullptr, nullptr, 0, 1, bits, fine.info(), DIB_RGB_COLORS), 0);
  EXPECT_EQ(GetDIBits(nullptr, canvas.bitmap(), 0, 1, bits, nullptr, DIB_RGB_COLORS), 0);
  EXPECT_EQ(GetDIBits(nullptr, canvas.bitmap(), 0, 1, bits, huge.info(), DIB_RGB_COLORS), 0);
}

}  // namespace
