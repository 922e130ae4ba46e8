// Raster operations and fills, checked pixel by pixel on tiny bitmaps
// against the ROP3 truth tables.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/gdi/gdi_testing.h"
#include "platform/win32.h"

namespace {

using gdi_testing::MemoryDc;
using gdi_testing::SamePixels;

constexpr uint32_t kMask = 0xFFFFFF;

// Bit (P << 2 | S << 1 | D) of the ROP3 index, for every bit of the pixel.
uint32_t ByTruthTable(uint8_t index, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t result = 0;
  for (int bit = 0; bit < 24; ++bit) {
    const int row = (((p >> bit) & 1) << 2) | (((s >> bit) & 1) << 1) | ((d >> bit) & 1);
    result |= ((index >> row) & 1u) << bit;
  }
  return result;
}

// With P 0xAAAAAA, S 0xCCCCCC and D 0xF0F0F0 every byte meets all eight rows
// of the table; the other pixels are arbitrary colours.
const std::vector<uint32_t> kSource = {0xCCCCCC, 0x123456, 0x000000, 0xFFFFFF, 0x80FF01, 0x00C0DE};
const std::vector<uint32_t> kDestination = {0xF0F0F0, 0xFEDCBA, 0xFFFFFF,
                                            0x000000, 0x7F00FE, 0x135790};
constexpr uint32_t kPatternPixel = 0xAAAAAA;
constexpr int kWidth = 3;
constexpr int kHeight = 2;

struct BlitSetup {
  MemoryDc source{kWidth, kHeight};
  MemoryDc destination{kWidth, kHeight};
  HBRUSH brush = CreateSolidBrush(RGB(0xAA, 0xAA, 0xAA));
  HGDIOBJ old_brush = SelectObject(destination.dc(), brush);

  BlitSetup() {
    for (int i = 0; i < kWidth * kHeight; ++i) source.at(i % kWidth, i / kWidth) = kSource[i];
  }
  ~BlitSetup() {
    SelectObject(destination.dc(), old_brush);
    DeleteObject(brush);
  }
  void ResetDestination() {
    for (int i = 0; i < kWidth * kHeight; ++i)
      destination.at(i % kWidth, i / kWidth) = kDestination[i];
  }
  std::vector<uint32_t> Expected(const std::function<uint32_t(uint32_t, uint32_t, uint32_t)>& f) {
    std::vector<uint32_t> expected;
    for (int i = 0; i < kWidth * kHeight; ++i) {
      expected.push_back(f(kPatternPixel, kSource[i], kDestination[i]) & kMask);
    }
    return expected;
  }
};

TEST(RasterOps, BitBltFollowsTheTruthTableOfEveryRop3) {
  BlitSetup setup;
  for (int index = 0; index < 256; ++index) {
    setup.ResetDestination();
    const DWORD rop = static_cast<DWORD>(index) << 16;
    ASSERT_TRUE(BitBlt(setup.destination.dc(), 0, 0, kWidth, kHeight, setup.source.dc(), 0, 0, rop))
        << "ROP3 index " << index;
    auto expected = setup.Expected([index](uint32_t p, uint32_t s, uint32_t d) {
      return ByTruthTable(static_cast<uint8_t>(index), p, s, d);
    });
    EXPECT_TRUE(SamePixels(expected, setup.destination.Pixels(), kWidth)) << "ROP3 index " << index;
  }
}

TEST(RasterOps, NamedCodesMeanWhatTheirNamesSay) {
  struct Named {
    const char* name;
    DWORD rop;
    std::function<uint32_t(uint32_t, uint32_t, uint32_t)> f;
  };
  const std::vector<Named> codes = {
      {"SRCCOPY", SRCCOPY, [](uint32_t, uint32_t s, uint32_t) { return s; }},
      {"SRCPAINT", SRCPAINT, [](uint32_t, uint32_t s, uint32_t d) { return s | d; }},
      {"SRCAND", SRCAND, [](uint32_t, uint32_t s, uint32_t d) { return s & d; }},
      {"SRCINVERT", SRCINVERT, [](uint32_t, uint32_t s, uint32_t d) { return s ^ d; }},
      {"SRCERASE", SRCERASE, [](uint32_t, uint32_t s, uint32_t d) { return s & ~d; }},
      {"NOTSRCCOPY", NOTSRCCOPY, [](uint32_t, uint32_t s, uint32_t) { return ~s; }},
      {"NOTSRCERASE", NOTSRCERASE, [](uint32_t, uint32_t s, uint32_t d) { return ~(s | d); }},
      {"MERGECOPY", MERGECOPY, [](uint32_t p, uint32_t s, uint32_t) { return p & s; }},
      {"MERGEPAINT", MERGEPAINT, [](uint32_t, uint32_t s, uint32_t d) { return ~s | d; }},
      {"PATCOPY", PATCOPY, [](uint32_t p, uint32_t, uint32_t) { return p; }},
      {"PATPAINT", PATPAINT, [](uint32_t p, uint32_t s, uint32_t d) { return p | ~s | d; }},
      {"PATINVERT", PATINVERT, [](uint32_t p, uint32_t, uint32_t d) { return p ^ d; }},
      {"DSTINVERT", DSTINVERT, [](uint32_t, uint32_t, uint32_t d) { return ~d; }},
      {"BLACKNESS", BLACKNESS, [](uint32_t, uint32_t, uint32_t) { return 0u; }},
      {"WHITENESS", WHITENESS, [](uint32_t, uint32_t, uint32_t) { return ~0u; }},
  };
  BlitSetup setup;
  for (const Named& code : codes) {
    setup.ResetDestination();
    ASSERT_TRUE(BitBlt(setup.destination.dc(), 0, 0, kWidth, kHeight, setup.source.dc(), 0, 0,
                       code.rop | CAPTUREBLT))
        << code.name;
    EXPECT_TRUE(SamePixels(setup.Expected(code.f), setup.destination.Pixels(), kWidth))
        << code.name;
  }
}

TEST(RasterOps, PatBltPaintsOnlyItsRectangleAndRefusesSourceOperations) {
  MemoryDc canvas(4, 3, 0x102030);
  HBRUSH brush = CreateSolidBrush(RGB(0x0F, 0xF0, 0x55));  // pixel 0x0FF055
  HGDIOBJ old = SelectObject(canvas.dc(), brush);
  ASSERT_TRUE(PatBlt(canvas.dc(), 1, 1, 2, 1, PATINVERT));
  // A negative width reaches left from x: columns 2 and 3 of row 0.
  ASSERT_TRUE(PatBlt(canvas.dc(), 4, 0, -2, 1, PATCOPY));
  ASSERT_TRUE(PatBlt(canvas.dc(), 0, 2, 1, 1, WHITENESS));
  ASSERT_TRUE(PatBlt(canvas.dc(), 3, 2, 1, 1, DSTINVERT));
  const uint32_t b = 0x102030, x = 0x102030 ^ 0x0FF055;
  EXPECT_TRUE(SamePixels({b, b, 0x0FF055, 0x0FF055,  //
                          b, x, x, b,                //
                          0xFFFFFF, b, b, 0xEFDFCF},
                         canvas.Pixels(), 4));
  EXPECT_FALSE(PatBlt(canvas.dc(), 0, 0, 1, 1, SRCCOPY));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SelectObject(canvas.dc(), old);
  DeleteObject(brush);
}

TEST(Fills, FillRectCoversLeftAndTopButNotRightAndBottom) {
  MemoryDc canvas(4, 3);
  RECT rect{1, 0, 3, 2};
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_NE(FillRect(canvas.dc(), &rect, brush), 0);
  EXPECT_TRUE(SamePixels({0, 0x010203, 0x010203, 0,  //
                          0, 0x010203, 0x010203, 0,  //
                          0, 0, 0, 0},
                         canvas.Pixels(), 4));
  HBRUSH palette_relative = CreateSolidBrush(0x02000000 | RGB(7, 8, 9));
  RECT corner{0, 2, 1, 3};
  FillRect(canvas.dc(), &corner, palette_relative);
  EXPECT_EQ(canvas.at(0, 2), 0x070809u) << "the high byte of a COLORREF is ignored";
  DeleteObject(palette_relative);
  RECT inverted{3, 2, 1, 0};
  EXPECT_NE(FillRect(canvas.dc(), &inverted, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))), 0);
  EXPECT_EQ(canvas.at(2, 1), 0x010203u) << "an inverted rectangle fills nothing";
  DeleteObject(brush);
}

TEST(Fills, FillRectTakesSystemColoursAndRefusesOtherHandles) {
  MemoryDc canvas(2, 1);
  RECT all{0, 0, 2, 1};
  EXPECT_NE(FillRect(canvas.dc(), &all, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), 0);
  EXPECT_EQ(canvas.at(1, 0), 0xF0F0F0u) << "COLOR_BTNFACE is RGB(240, 240, 240)";
  EXPECT_NE(FillRect(canvas.dc(), &all, reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1)), 0);
  EXPECT_EQ(canvas.at(0, 0), 0x3399FFu) << "COLOR_HIGHLIGHT is RGB(51, 153, 255)";
  EXPECT_EQ(FillRect(canvas.dc(), &all, reinterpret_cast<HBRUSH>(25 + 1)), 0)
      << "index 25 has no colour";
  EXPECT_EQ(FillRect(canvas.dc(), &all, reinterpret_cast<HBRUSH>(uintptr_t{0x7777770})), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_NE(FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 0);
  EXPECT_EQ(canvas.at(0, 0), 0x3399FFu) << "the null brush paints nothing";
}

TEST(Fills, FrameRectDrawsOneUnitInsideTheRectangle) {
  MemoryDc canvas(5, 4);
  RECT rect{0, 0, 4, 4};
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
  EXPECT_NE(FrameRect(canvas.dc(), &rect, brush), 0);
  const uint32_t f = 0x0000FF;
  EXPECT_TRUE(SamePixels({f, f, f, f, 0,  //
                          f, 0, 0, f, 0,  //
                          f, 0, 0, f, 0,  //
                          f, f, f, f, 0},
                         canvas.Pixels(), 5));
  DeleteObject(brush);
}

TEST(Fills, InvertRectAndInvertRgnFlipEveryBit) {
  MemoryDc canvas(3, 1, 0x0F0F0F);
  RECT rect{0, 0, 2, 1};
  EXPECT_TRUE(InvertRect(canvas.dc(), &rect));
  HRGN region = CreateRectRgn(1, 0, 3, 1);
  EXPECT_TRUE(InvertRgn(canvas.dc(), region));
  EXPECT_TRUE(SamePixels({0xF0F0F0, 0x0F0F0F, 0xF0F0F0}, canvas.Pixels(), 3));
  DeleteObject(region);
}

TEST(Fills, RegionFillsUseTheGivenOrTheSelectedBrush) {
  MemoryDc canvas(4, 4);
  HRGN region = CreateRectRgn(0, 0, 2, 2);
  HRGN second = CreateRectRgn(2, 2, 4, 4);
  CombineRgn(region, region, second, RGN_OR);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  EXPECT_TRUE(FillRgn(canvas.dc(), region, red));
  EXPECT_EQ(canvas.at(1, 1), 0xFF0000u);
  EXPECT_EQ(canvas.at(3, 3), 0xFF0000u);
  EXPECT_EQ(canvas.at(2, 1), 0u);
  EXPECT_TRUE(PaintRgn(canvas.dc(), second)) << "the default brush is white";
  EXPECT_EQ(canvas.at(3, 3), 0xFFFFFFu);
  EXPECT_EQ(canvas.at(1, 1), 0xFF0000u);
  DeleteObject(red);
  DeleteObject(region);
  DeleteObject(second);
}

TEST(Fills, FrameRgnFollowsTheOutlineOfTheRegion) {
  MemoryDc canvas(5, 5);
  HRGN region = CreateRectRgn(0, 0, 5, 5);
  HBRUSH brush = CreateSolidBrush(RGB(0, 255, 0));
  EXPECT_TRUE(FrameRgn(canvas.dc(), region, brush, 2, 1));
  const uint32_t g = 0x00FF00;
  EXPECT_TRUE(SamePixels({g, g, g, g, g,  //
                          g, g, 0, g, g,  //
                          g, g, 0, g, g,  //
                          g, g, 0, g, g,  //
                          g, g, g, g, g},
                         canvas.Pixels(), 5));
  EXPECT_FALSE(FrameRgn(canvas.dc(), region, brush, 0, 1));
  DeleteObject(brush);
  DeleteObject(region);
}

TEST(Fills, ColoursTurnBlackOrWhiteOnAMonochromeBitmap) {
  HDC dc = CreateCompatibleDC(nullptr);
  const BYTE bits[2] = {0x00, 0x00};  // one 8-pixel row, padded to a WORD
  HBITMAP mono = CreateBitmap(8, 1, 1, 1, bits);
  HGDIOBJ old = SelectObject(dc, mono);
  HBRUSH light = CreateSolidBrush(RGB(192, 192, 192));
  HBRUSH dark = CreateSolidBrush(RGB(100, 100, 100));
  RECT left{0, 0, 4, 1};
  RECT middle{2, 0, 6, 1};
  FillRect(dc, &left, light);
  FillRect(dc, &middle, dark);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 3, 0), RGB(0, 0, 0));
  EXPECT_EQ(SetPixel(dc, 7, 0, RGB(250, 240, 230)), RGB(255, 255, 255))
      << "SetPixel answers with the colour the bitmap could take";
  BITMAP info{};
  ASSERT_EQ(GetObjectA(mono, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidthBytes, 2);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(light);
  DeleteObject(dark);
  DeleteObject(mono);
}

}  // namespace
