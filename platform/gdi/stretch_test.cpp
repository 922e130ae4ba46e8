// StretchBlt on tiny bitmaps: each stretch mode against a plain reference
// written here, mirroring, clipping, monochrome and colour meeting, raster
// operations, and equal sizes matching BitBlt exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/gdi/gdi_testing.h"
#include "platform/win32.h"

namespace {

using gdi_testing::MemoryDc;
using gdi_testing::SamePixels;

uint32_t Channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

// Deterministic, varied colours.
void Fill(MemoryDc& dc, int width, int height, uint32_t seed) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      seed = seed * 1103515245u + 12345u;
      dc.at(x, y) = (seed >> 8) & 0xFFFFFF;
    }
  }
}

// The source pixel whose centre is nearest the destination pixel's centre.
int NearestIndex(int dst, int src_size, int dst_size) {
  return static_cast<int>(std::floor((dst + 0.5) * src_size / dst_size));
}

// Plain box filter: each destination pixel's area in source units, every
// source pixel weighted by how much of it that area covers.
std::vector<uint32_t> BoxReference(MemoryDc& src, int sw, int sh, int dw, int dh) {
  std::vector<uint32_t> out;
  for (int y = 0; y < dh; ++y) {
    for (int x = 0; x < dw; ++x) {
      const double x0 = double(x) * sw / dw, x1 = double(x + 1) * sw / dw;
      const double y0 = double(y) * sh / dh, y1 = double(y + 1) * sh / dh;
      double sums[3] = {0, 0, 0}, area = 0;
      for (int sy = 0; sy < sh; ++sy) {
        for (int sx = 0; sx < sw; ++sx) {
          const double cover = std::max(0.0, std::min(x1, sx + 1.0) - std::max(x0, double(sx))) *
                               std::max(0.0, std::min(y1, sy + 1.0) - std::max(y0, double(sy)));
          for (int c = 0; c < 3; ++c) sums[c] += cover * Channel(src.at(sx, sy), c * 8);
          area += cover;
        }
      }
      uint32_t pixel = 0;
      for (int c = 0; c < 3; ++c) {
        pixel |= static_cast<uint32_t>(std::floor(sums[c] / area + 0.5)) << (c * 8);
      }
      out.push_back(pixel);
    }
  }
  return out;
}

int LargestChannelDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  int worst = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    for (int shift = 0; shift < 24; shift += 8) {
      worst = std::max(worst, std::abs(static_cast<int>(Channel(a[i], shift)) -
                                       static_cast<int>(Channel(b[i], shift))));
    }
  }
  return worst;
}

TEST(StretchBltMode, DefaultsToBlackOnWhiteAndRefusesUnknownModes) {
  MemoryDc dc(1, 1);
  EXPECT_EQ(GetStretchBltMode(dc.dc()), BLACKONWHITE);
  EXPECT_EQ(SetStretchBltMode(dc.dc(), HALFTONE), BLACKONWHITE);
  EXPECT_EQ(SetStretchBltMode(dc.dc(), 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(SetStretchBltMode(dc.dc(), 5), 0);
  const int saved = SaveDC(dc.dc());
  EXPECT_EQ(SetStretchBltMode(dc.dc(), COLORONCOLOR), HALFTONE);
  RestoreDC(dc.dc(), saved);
  EXPECT_EQ(GetStretchBltMode(dc.dc()), HALFTONE) << "the mode is part of the saved state";
  EXPECT_EQ(GetStretchBltMode(nullptr), 0);
  const int caps = GetDeviceCaps(dc.dc(), RASTERCAPS);
  const int blits = RC_BITBLT | RC_STRETCHBLT | RC_STRETCHDIB | RC_DIBTODEV | RC_DI_BITMAP;
  EXPECT_EQ(caps & blits, blits);
  EXPECT_EQ(caps & RC_PALETTE, 0) << "the screen has 32 bits, no palette";
}

TEST(StretchBlt, ColorOnColorPicksTheSourcePixelWithTheNearestCentre) {
  const struct {
    int sw, sh, dw, dh;
  } sizes[] = {{5, 3, 3, 2}, {3, 2, 5, 7}, {7, 1, 2, 1}, {2, 3, 7, 3}, {6, 6, 4, 9}};
  for (const auto& s : sizes) {
    MemoryDc src(s.sw, s.sh);
    Fill(src, s.sw, s.sh, 7);
    MemoryDc dst(s.dw, s.dh);
    SetStretchBltMode(dst.dc(), COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, s.dw, s.dh, src.dc(), 0, 0, s.sw, s.sh, SRCCOPY));
    std::vector<uint32_t> expected;
    for (int y = 0; y < s.dh; ++y) {
      for (int x = 0; x < s.dw; ++x) {
        expected.push_back(src.at(NearestIndex(x, s.sw, s.dw), NearestIndex(y, s.sh, s.dh)));
      }
    }
    EXPECT_TRUE(SamePixels(expected, dst.Pixels(), s.dw))
        << s.sw << "x" << s.sh << " to " << s.dw << "x" << s.dh;
  }
}

TEST(StretchBlt, HalftoneAveragesWholeBlocks) {
  MemoryDc src(4, 4);
  const uint32_t values[16] = {0x000000, 0x0A0A0A, 0x646464, 0x646464,  //
                               0x141414, 0x1E1E1E, 0x646464, 0x000000,  //
                               0xFF0000, 0xFF0000, 0x00FF00, 0x0000FF,  //
                               0xFF0000, 0x00FF00, 0x00FF00, 0x0000FF};
  for (int i = 0; i < 16; ++i) src.at(i % 4, i / 4) = values[i];
  MemoryDc dst(2, 2);
  SetStretchBltMode(dst.dc(), HALFTONE);
  ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 2, 2, src.dc(), 0, 0, 4, 4, SRCCOPY));
  // (0+10+20+30)/4 = 15; (100*3)/4 = 75; red 3*255/4 = 191.25; green 1*255/4
  // = 63.75 -> 64; the last block: green 2*255/4 = 127.5 rounds up, blue 127.5.
  EXPECT_TRUE(SamePixels({0x0F0F0F, 0x4B4B4B, 0xBF4000, 0x008080}, dst.Pixels(), 2));
}

TEST(StretchBlt, HalftoneWeighsPixelsByTheShareOfThemItCovers) {
  // 3 -> 2: the first destination pixel covers source 0 whole and half of
  // source 1: (2 * a + b) / 3, and the second (b + 2 * c) / 3.
  MemoryDc src(3, 1);
  src.at(0, 0) = 0x000000;
  src.at(1, 0) = 0x0000FF;
  src.at(2, 0) = 0x00FF00;
  MemoryDc dst(2, 1);
  SetStretchBltMode(dst.dc(), HALFTONE);
  ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 3, 1, SRCCOPY));
  EXPECT_TRUE(SamePixels({0x000055, 0x00AA55}, dst.Pixels(), 2));
  // Against the plain reference on bigger, uneven shrinks of both axes.
  const struct { int sw, sh, dw, dh; } sizes[] = {{7, 5, 3, 2}, {10, 9, 4, 7}, {5, 13, 5, 3}};
  for (const auto& s : sizes) {
    MemoryDc picture(s.sw, s.sh);
    Fill(picture, s.sw, s.sh, 99);
    MemoryDc out(s.dw, s.dh);
    SetStretchBltMode(out.dc(), HALFTONE);
    ASSERT_TRUE(StretchBlt(out.dc(), 0, 0, s.dw, s.dh, picture.dc(), 0, 0, s.sw, s.sh, SRCCOPY));
    EXPECT_LE(LargestChannelDifference(BoxReference(picture, s.sw, s.sh, s.dw, s.dh), out.Pixels()),
              1)
        << s.sw << "x" << s.sh << " to " << s.dw << "x" << s.dh;
  }
}

TEST(StretchBlt, HalftoneEnlargesByRepeatingPixels) {
  // Nothing falls together when enlarging, so nothing is averaged: a mask
  // stretched this way stays black and white.
  MemoryDc src(2, 1);
  src.at(0, 0) = 0x000000;
  src.at(1, 0) = 0xC8C8C8;
  MemoryDc dst(4, 2);
  SetStretchBltMode(dst.dc(), HALFTONE);
  ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 4, 2, src.dc(), 0, 0, 2, 1, SRCCOPY));
  EXPECT_TRUE(SamePixels({0x000000, 0x000000, 0xC8C8C8, 0xC8C8C8,  //
                          0x000000, 0x000000, 0xC8C8C8, 0xC8C8C8},
                         dst.Pixels(), 4));
}

TEST(StretchBlt, BlackOnWhiteAndsAndWhiteOnBlackOrsThePixelsThatFallTogether) {
  // 3 -> 2: source 0 alone, sources 1 and 2 together (their centres are
  // nearest destination pixel 1).
  MemoryDc src(3, 1);
  src.at(0, 0) = 0x0F0F0F;
  src.at(1, 0) = 0x3C00F0;
  src.at(2, 0) = 0x0F0FFF;
  MemoryDc dst(2, 1);
  ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 3, 1, SRCCOPY));
  EXPECT_TRUE(SamePixels({0x0F0F0F, 0x3C00F0 & 0x0F0FFF}, dst.Pixels(), 2)) << "BLACKONWHITE";
  SetStretchBltMode(dst.dc(), WHITEONBLACK);
  ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 3, 1, SRCCOPY));
  EXPECT_TRUE(SamePixels({0x0F0F0F, 0x3C00F0 | 0x0F0FFF}, dst.Pixels(), 2)) << "WHITEONBLACK";
  // Rows fold too; enlarging just repeats pixels.
  MemoryDc column(1, 2);
  column.at(0, 0) = 0xF0F0F0;
  column.at(0, 1) = 0x3C3C3C;
  MemoryDc one(1, 1);
  ASSERT_TRUE(StretchBlt(one.dc(), 0, 0, 1, 1, column.dc(), 0, 0, 1, 2, SRCCOPY));
  EXPECT_EQ(one.at(0, 0), 0x303030u);
  MemoryDc wide(3, 1);
  ASSERT_TRUE(StretchBlt(wide.dc(), 0, 0, 3, 1, src.dc(), 0, 0, 1, 1, SRCCOPY));
  EXPECT_TRUE(SamePixels({0x0F0F0F, 0x0F0F0F, 0x0F0F0F}, wide.Pixels(), 3));
}

TEST(StretchBlt, NegativeExtentsOnOneSideMirrorAndOnBothSidesDoNot) {
  MemoryDc src(4, 2);
  for (int i = 0; i < 8; ++i) src.at(i % 4, i / 4) = static_cast<uint32_t>(i + 1);
  MemoryDc dst(4, 2);
  SetStretchBltMode(dst.dc(), COLORONCOLOR);
  ASSERT_TRUE(StretchBlt(dst.dc(), 4, 0, -4, 2, src.dc(), 0, 0, 4, 2, SRCCOPY));
  EXPECT_TRUE(SamePixels({4, 3, 2, 1, 8, 7, 6, 5}, dst.Pixels(), 4)) << "destination width";
  ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 4, 2, src.dc(), 0, 2, 4, -2, SRCCOPY));
  EXPECT_TRUE(SamePixels({5, 6, 7, 8, 1, 2, 3, 4}, dst.Pixels(), 4)) << "source height";
  ASSERT_TRUE(StretchBlt(dst.dc(), 4, 2, -4, -2, src.dc(), 4, 2, -4, -2, SRCCOPY));
  EXPECT_TRUE(SamePixels({1, 2, 3, 4, 5, 6, 7, 8}, dst.Pixels(), 4)) << "both sides";
  // Mirroring while shrinking gives the unmirrored picture turned round.
  MemoryDc half(2, 1);
  SetStretchBltMode(half.dc(), COLORONCOLOR);
  ASSERT_TRUE(StretchBlt(half.dc(), 0, 0, 2, 1, src.dc(), 4, 0, -4, 1, SRCCOPY));
  EXPECT_TRUE(SamePixels({src.at(NearestIndex(1, 4, 2), 0), src.at(NearestIndex(0, 4, 2), 0)},
                         half.Pixels(), 2));
}

TEST(StretchBlt, EqualSizesCopyExactlyAsBitBltDoes) {
  MemoryDc src(5, 4);
  Fill(src, 5, 4, 3);
  MemoryDc by_bitblt(6, 6, 0x111111);
  MemoryDc by_stretch(6, 6, 0x111111);
  SetStretchBltMode(by_stretch.dc(), HALFTONE);
  // Partly off the source, so both must leave the same pixels alone.
  ASSERT_TRUE(BitBlt(by_bitblt.dc(), 1, 1, 5, 5, src.dc(), 1, 0, SRCINVERT));
  ASSERT_TRUE(StretchBlt(by_stretch.dc(), 1, 1, 5, 5, src.dc(), 1, 0, 5, 5, SRCINVERT));
  EXPECT_TRUE(SamePixels(by_bitblt.Pixels(), by_stretch.Pixels(), 6));
}

TEST(StretchBlt, EachRectangleGoesThroughItsOwnDcsMapping) {
  MemoryDc src(2, 2);
  for (int i = 0; i < 4; ++i) src.at(i % 2, i / 2) = static_cast<uint32_t>(i + 1);
  MemoryDc dst(4, 4, 0x999999);
  SetStretchBltMode(dst.dc(), COLORONCOLOR);
  SetMapMode(dst.dc(), MM_ANISOTROPIC);
  SetWindowExtEx(dst.dc(), 1, 1, nullptr);
  SetViewportExtEx(dst.dc(), 2, 2, nullptr);
  // Two logical units are four pixels here: BitBlt stretches, as Windows does.
  ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 2, 2, src.dc(), 0, 0, SRCCOPY));
  EXPECT_TRUE(SamePixels({1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}, dst.Pixels(), 4));
  // With y running up the destination's extent turns negative: mirrored.
  SetViewportExtEx(dst.dc(), 2, -2, nullptr);
  SetViewportOrgEx(dst.dc(), 0, 4, nullptr);
  ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 2, 2, src.dc(), 0, 0, 2, 2, SRCCOPY));
  EXPECT_TRUE(SamePixels({3, 3, 4, 4, 3, 3, 4, 4, 1, 1, 2, 2, 1, 1, 2, 2}, dst.Pixels(), 4));
}

TEST(StretchBlt, ClipsToTheDestinationClipAndTheSourceBounds) {
  MemoryDc src(2, 2, 0xABCDEF);
  MemoryDc dst(4, 4, 0x111111);
  SetStretchBltMode(dst.dc(), COLORONCOLOR);
  HRGN clip = CreateRectRgn(0, 0, 4, 3);
  SelectClipRgn(dst.dc(), clip);
  DeleteObject(clip);
  // A 4x4 source rectangle over a 2x2 bitmap, doubled: only the pixels whose
  // nearest source pixel exists, and only inside the clip.
  ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 4, 4, src.dc(), -1, 0, 2, 4, SRCCOPY));
  const uint32_t o = 0x111111, s = 0xABCDEF;
  EXPECT_TRUE(SamePixels({o, o, s, s,  //
                          o, o, s, s,  //
                          o, o, o, o,  //
                          o, o, o, o},
                         dst.Pixels(), 4));
}

TEST(StretchBlt, OverlappingStretchOnOneBitmapReadsTheSourceFirst) {
  MemoryDc canvas(4, 1);
  for (int x = 0; x < 4; ++x) canvas.at(x, 0) = static_cast<uint32_t>(x + 1);
  SetStretchBltMode(canvas.dc(), COLORONCOLOR);
  ASSERT_TRUE(StretchBlt(canvas.dc(), 0, 0, 4, 1, canvas.dc(), 1, 0, 2, 1, SRCCOPY));
  EXPECT_TRUE(SamePixels({2, 2, 3, 3}, canvas.Pixels(), 4));
}

// A monochrome 4x2 bitmap: row 0 is 1011, row 1 is 0100.
HBITMAP MonoSample() {
  const BYTE bits[4] = {0xB0, 0x00, 0x40, 0x00};
  return CreateBitmap(4, 2, 1, 1, bits);
}

TEST(StretchBlt, MonochromeSourcesTakeTheDestinationColoursAfterFolding) {
  HDC mono_dc = CreateCompatibleDC(nullptr);
  HBITMAP mono = MonoSample();
  HGDIOBJ old = SelectObject(mono_dc, mono);
  MemoryDc canvas(2, 1, 0x999999);
  SetTextColor(canvas.dc(), RGB(255, 0, 0));  // 0 bits
  SetBkColor(canvas.dc(), RGB(0, 0, 255));    // 1 bits
  // BLACKONWHITE keeps the 0 bit of the pair (1, 0); (1, 1) stays 1.
  ASSERT_TRUE(StretchBlt(canvas.dc(), 0, 0, 2, 1, mono_dc, 0, 0, 4, 1, SRCCOPY));
  EXPECT_TRUE(SamePixels({0xFF0000, 0x0000FF}, canvas.Pixels(), 2));
  SetStretchBltMode(canvas.dc(), WHITEONBLACK);
  ASSERT_TRUE(StretchBlt(canvas.dc(), 0, 0, 2, 1, mono_dc, 0, 1, 4, 1, SRCCOPY));
  EXPECT_TRUE(SamePixels({0x0000FF, 0xFF0000}, canvas.Pixels(), 2)) << "row 0100 ORed in pairs";
  // HALFTONE converts first, so a half-set pair blends the two colours.
  SetStretchBltMode(canvas.dc(), HALFTONE);
  ASSERT_TRUE(StretchBlt(canvas.dc(), 0, 0, 2, 1, mono_dc, 0, 0, 4, 1, SRCCOPY));
  EXPECT_TRUE(SamePixels({0x800080, 0x0000FF}, canvas.Pixels(), 2));
  SelectObject(mono_dc, old);
  DeleteObject(mono);
  DeleteDC(mono_dc);
}

TEST(StretchBlt, ColourSourcesTurnWhiteWhereTheyHaveTheSourceBackground) {
  MemoryDc colour(2, 1);
  colour.at(0, 0) = 0x00FF00;
  colour.at(1, 0) = 0xFFFFFF;
  SetBkColor(colour.dc(), RGB(0, 255, 0));
  HDC mask_dc = CreateCompatibleDC(nullptr);
  HBITMAP mask = CreateBitmap(4, 1, 1, 1, nullptr);
  HGDIOBJ old = SelectObject(mask_dc, mask);
  SetStretchBltMode(mask_dc, COLORONCOLOR);
  ASSERT_TRUE(StretchBlt(mask_dc, 0, 0, 4, 1, colour.dc(), 0, 0, 2, 1, SRCCOPY));
  EXPECT_EQ(GetPixel(mask_dc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(mask_dc, 1, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(mask_dc, 2, 0), RGB(0, 0, 0)) << "white is not the background colour";
  EXPECT_EQ(GetPixel(mask_dc, 3, 0), RGB(0, 0, 0));
  SelectObject(mask_dc, old);
  DeleteObject(mask);
  DeleteDC(mask_dc);
}

// Bit (P << 2 | S << 1 | D) of the ROP3 index, for every bit of the pixel.
uint32_t ByTruthTable(uint8_t index, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t result = 0;
  for (int bit = 0; bit < 24; ++bit) {
    const int row = (((p >> bit) & 1) << 2) | (((s >> bit) & 1) << 1) | ((d >> bit) & 1);
    result |= ((index >> row) & 1u) << bit;
  }
  return result;
}

TEST(StretchBlt, CombinesTheStretchedSourceWithPatternAndDestination) {
  // 2x1 doubled to 4x1 over four different destination pixels.
  MemoryDc src(2, 1);
  src.at(0, 0) = 0xCCCCCC;
  src.at(1, 0) = 0x3C5A96;
  const uint32_t destination[4] = {0xF0F0F0, 0x0F0F0F, 0x123456, 0xFEDCBA};
  const uint32_t pattern = 0xAAAAAA;
  HBRUSH brush = CreateSolidBrush(RGB(0xAA, 0xAA, 0xAA));
  const DWORD rops[] = {SRCAND,      SRCINVERT,   MERGECOPY,  PATPAINT,
                        0x00B8074Au, 0x00E20746u, NOTSRCERASE};
  for (DWORD rop : rops) {
    MemoryDc dst(4, 1);
    for (int x = 0; x < 4; ++x) dst.at(x, 0) = destination[x];
    HGDIOBJ old = SelectObject(dst.dc(), brush);
    SetStretchBltMode(dst.dc(), COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, 2, 1, rop));
    std::vector<uint32_t> expected;
    for (int x = 0; x < 4; ++x) {
      const auto index = static_cast<uint8_t>(rop >> 16);
      expected.push_back(ByTruthTable(index, pattern, src.at(x / 2, 0), destination[x]));
    }
    EXPECT_TRUE(SamePixels(expected, dst.Pixels(), 4)) << std::hex << "rop " << rop;
    SelectObject(dst.dc(), old);
  }
  DeleteObject(brush);
}

TEST(StretchBlt, EmptyExtentsDrawNothingAndBadHandlesFail) {
  MemoryDc src(2, 2, 0xABCDEF);
  MemoryDc dst(2, 2, 0x111111);
  EXPECT_TRUE(StretchBlt(dst.dc(), 0, 0, 0, 2, src.dc(), 0, 0, 2, 2, SRCCOPY));
  EXPECT_TRUE(StretchBlt(dst.dc(), 0, 0, 2, 2, src.dc(), 0, 0, 2, 0, SRCCOPY));
  EXPECT_EQ(dst.at(0, 0), 0x111111u);
  EXPECT_FALSE(StretchBlt(dst.dc(), 0, 0, 2, 2, nullptr, 0, 0, 1, 1, SRCCOPY));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_TRUE(StretchBlt(dst.dc(), 0, 0, 2, 2, nullptr, 0, 0, 1, 1, WHITENESS))
      << "an operation without a source needs no source DC";
  EXPECT_EQ(dst.at(1, 1), 0xFFFFFFu);
  // Huge rectangles are clamped, not overflowed: the 2x2 source spread
  // over the whole coordinate range still paints the destination with its
  // one colour, and a source rectangle that size leaves nothing reachable.
  SetStretchBltMode(dst.dc(), HALFTONE);
  EXPECT_TRUE(StretchBlt(dst.dc(), -(1 << 30), -(1 << 30), INT32_MAX, INT32_MAX, src.dc(), 0, 0, 2,
                         2, SRCCOPY));
  EXPECT_TRUE(SamePixels({0xABCDEF, 0xABCDEF, 0xABCDEF, 0xABCDEF}, dst.Pixels(), 2));
  dst.at(0, 0) = 0x111111;
  EXPECT_TRUE(StretchBlt(dst.dc(), 0, 0, 2, 2, src.dc(), INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX,
                         SRCCOPY));
  EXPECT_EQ(dst.at(0, 0), 0x111111u);
}

}  // namespace
