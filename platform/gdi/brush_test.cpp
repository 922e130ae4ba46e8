// Hatched and pattern brushes: the six hatch bitmaps on the device grid,
// opaque and transparent backgrounds, monochrome patterns following the
// DC's colours, colour patterns, and the fill paths that use them.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/gdi_testing.h"
#include "platform/win32.h"

namespace {

using gdi_testing::MemoryDc;
using gdi_testing::SamePixels;

constexpr uint32_t kLine = 0xFF0000;       // the brush colour, RGB(255, 0, 0)
constexpr uint32_t kBack = 0x00FF00;       // the DC's background colour
constexpr uint32_t kUntouched = 0x123456;  // what was there before

// One 8 x 8 tile as text, 'X' where a hatch line runs.
using Tile = std::array<const char*, 8>;

// The hatch tiles as a person sees them on the screen.
const Tile kHorizontal{"........", "........", "........", "........",
                       "XXXXXXXX", "........", "........", "........"};
const Tile kVertical{"....X...", "....X...", "....X...", "....X...",
                     "....X...", "....X...", "....X...", "....X..."};
const Tile kForward{"X.......", ".X......", "..X.....", "...X....",
                    "....X...", ".....X..", "......X.", ".......X"};
const Tile kBackward{".......X", "......X.", ".....X..", "....X...",
                     "...X....", "..X.....", ".X......", "X......."};
const Tile kCross{"....X...", "....X...", "....X...", "....X...",
                  "XXXXXXXX", "....X...", "....X...", "....X..."};
const Tile kDiagonalCross{"X......X", ".X....X.", "..X..X..", "...XX...",
                          "...XX...", "..X..X..", ".X....X.", "X......X"};

// The pixels a `width` x `height` canvas should hold when the tile repeats
// from the device origin inside `area` and `outside` elsewhere.
std::vector<uint32_t> Tiled(const Tile& tile, int width, int height, RECT area, uint32_t line,
                            uint32_t back, uint32_t outside) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool in = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
      pixels.push_back(!in ? outside : tile[y % 8][x % 8] == 'X' ? line : back);
    }
  }
  return pixels;
}

struct HatchCase {
  int style;
  const Tile* tile;
  const char* name;
};

const HatchCase kHatchCases[] = {
    {HS_HORIZONTAL, &kHorizontal, "HS_HORIZONTAL"},
    {HS_VERTICAL, &kVertical, "HS_VERTICAL"},
    {HS_FDIAGONAL, &kForward, "HS_FDIAGONAL"},
    {HS_BDIAGONAL, &kBackward, "HS_BDIAGONAL"},
    {HS_CROSS, &kCross, "HS_CROSS"},
    {HS_DIAGCROSS, &kDiagonalCross, "HS_DIAGCROSS"},
};

TEST(HatchBrush, EachStyleFillsItsTileOverTheOpaqueBackground) {
  for (const HatchCase& c : kHatchCases) {
    SCOPED_TRACE(c.name);
    MemoryDc dc(8, 8, kUntouched);
    SetBkColor(dc.dc(), RGB(0, 255, 0));
    HBRUSH brush = CreateHatchBrush(c.style, RGB(255, 0, 0));
    ASSERT_NE(brush, nullptr);
    const RECT all{0, 0, 8, 8};
    EXPECT_TRUE(FillRect(dc.dc(), &all, brush));
    EXPECT_TRUE(SamePixels(Tiled(*c.tile, 8, 8, all, kLine, kBack, kUntouched), dc.Pixels(), 8));
    DeleteObject(brush);
  }
}

TEST(HatchBrush, TransparentModeLeavesTheBackgroundPixelsAlone) {
  for (const HatchCase& c : kHatchCases) {
    SCOPED_TRACE(c.name);
    MemoryDc dc(8, 8, kUntouched);
    SetBkColor(dc.dc(), RGB(0, 255, 0));
    SetBkMode(dc.dc(), TRANSPARENT);
    HBRUSH brush = CreateHatchBrush(c.style, RGB(255, 0, 0));
    const RECT all{0, 0, 8, 8};
    EXPECT_TRUE(FillRect(dc.dc(), &all, brush));
    EXPECT_TRUE(
        SamePixels(Tiled(*c.tile, 8, 8, all, kLine, kUntouched, kUntouched), dc.Pixels(), 8));
    DeleteObject(brush);
  }
}

TEST(HatchBrush, TheGridIsFixedToTheDeviceOriginNotToWhatIsFilled) {
  MemoryDc dc(16, 16, kUntouched);
  SetBkColor(dc.dc(), RGB(0, 255, 0));
  HBRUSH brush = CreateHatchBrush(HS_FDIAGONAL, RGB(255, 0, 0));
  HGDIOBJ old = SelectObject(dc.dc(), brush);
  EXPECT_TRUE(PatBlt(dc.dc(), 3, 5, 11, 9, PATCOPY));
  EXPECT_TRUE(SamePixels(Tiled(kForward, 16, 16, RECT{3, 5, 14, 14}, kLine, kBack, kUntouched),
                         dc.Pixels(), 16));
  SelectObject(dc.dc(), old);
  DeleteObject(brush);
}

TEST(HatchBrush, PatternRopsAndRegionFillsUseTheHatch) {
  MemoryDc dc(8, 8, 0x000000);
  HBRUSH brush = CreateHatchBrush(HS_CROSS, RGB(255, 255, 255));
  SetBkColor(dc.dc(), RGB(0, 0, 0));
  HGDIOBJ old = SelectObject(dc.dc(), brush);
  // PATINVERT twice puts everything back.
  EXPECT_TRUE(PatBlt(dc.dc(), 0, 0, 8, 8, PATINVERT));
  EXPECT_TRUE(SamePixels(Tiled(kCross, 8, 8, RECT{0, 0, 8, 8}, 0xFFFFFF, 0, 0), dc.Pixels(), 8));
  EXPECT_TRUE(PatBlt(dc.dc(), 0, 0, 8, 8, PATINVERT));
  EXPECT_TRUE(SamePixels(std::vector<uint32_t>(64, 0), dc.Pixels(), 8));
  // MERGECOPY (pattern AND source) through BitBlt from a white source.
  MemoryDc source(8, 8, 0xFFFFFF);
  EXPECT_TRUE(BitBlt(dc.dc(), 0, 0, 8, 8, source.dc(), 0, 0, MERGECOPY));
  EXPECT_TRUE(SamePixels(Tiled(kCross, 8, 8, RECT{0, 0, 8, 8}, 0xFFFFFF, 0, 0), dc.Pixels(), 8));
  // FillRgn with the hatch over a fresh black canvas, left half only.
  MemoryDc other(8, 8, 0x000000);
  SetBkMode(other.dc(), TRANSPARENT);
  HRGN left = CreateRectRgn(0, 0, 4, 8);
  EXPECT_TRUE(FillRgn(other.dc(), left, brush));
  EXPECT_TRUE(SamePixels(Tiled(kCross, 8, 8, RECT{0, 0, 4, 8}, 0xFFFFFF, 0, 0), other.Pixels(), 8));
  DeleteObject(left);
  SelectObject(dc.dc(), old);
  DeleteObject(brush);
}

TEST(HatchBrush, ShapeInteriorsUseTheHatch) {
  MemoryDc dc(8, 8, kUntouched);
  SetBkColor(dc.dc(), RGB(0, 255, 0));
  HBRUSH brush = CreateHatchBrush(HS_BDIAGONAL, RGB(255, 0, 0));
  HGDIOBJ old_brush = SelectObject(dc.dc(), brush);
  HGDIOBJ old_pen = SelectObject(dc.dc(), GetStockObject(NULL_PEN));
  EXPECT_TRUE(Rectangle(dc.dc(), 0, 0, 9, 9));
  EXPECT_TRUE(SamePixels(Tiled(kBackward, 8, 8, RECT{0, 0, 8, 8}, kLine, kBack, kUntouched),
                         dc.Pixels(), 8));
  SelectObject(dc.dc(), old_brush);
  SelectObject(dc.dc(), old_pen);
  DeleteObject(brush);
}

TEST(HatchBrush, OnAMonochromeBitmapLinesAndBackgroundTakeTheNearerOfBlackAndWhite) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP mono = CreateBitmap(8, 8, 1, 1, nullptr);
  HGDIOBJ old_bitmap = SelectObject(dc, mono);
  SetBkColor(dc, RGB(250, 250, 250));
  HBRUSH brush = CreateHatchBrush(HS_HORIZONTAL, RGB(10, 10, 10));
  const RECT all{0, 0, 8, 8};
  EXPECT_TRUE(FillRect(dc, &all, brush));
  for (int y = 0; y < 8; ++y) {
    EXPECT_EQ(GetPixel(dc, 2, y), y == 4 ? RGB(0, 0, 0) : RGB(255, 255, 255)) << "row " << y;
  }
  SelectObject(dc, old_bitmap);
  DeleteObject(brush);
  DeleteObject(mono);
  DeleteDC(dc);
}

// An 8 x 8 monochrome bitmap whose set bits (white) are the left half of
// each row, the rest black; rows are padded to 16 bits.
HBITMAP HalfWhiteBitmap() {
  const uint8_t rows[16] = {0xF0, 0, 0xF0, 0, 0xF0, 0, 0xF0, 0, 0xF0, 0, 0xF0, 0, 0xF0, 0, 0xF0, 0};
  return CreateBitmap(8, 8, 1, 1, rows);
}

TEST(PatternBrush, MonochromePatternsTakeTheDcColoursWhenTheyDraw) {
  HBITMAP bitmap = HalfWhiteBitmap();
  HBRUSH brush = CreatePatternBrush(bitmap);
  ASSERT_NE(brush, nullptr);
  MemoryDc dc(8, 1, kUntouched);
  const RECT row{0, 0, 8, 1};
  SetTextColor(dc.dc(), RGB(255, 0, 0));
  SetBkColor(dc.dc(), RGB(0, 0, 255));
  EXPECT_TRUE(FillRect(dc.dc(), &row, brush));
  const uint32_t R = 0xFF0000, B = 0x0000FF;
  EXPECT_TRUE(SamePixels({B, B, B, B, R, R, R, R}, dc.Pixels(), 8))
      << "1 bits in the background colour, 0 bits in the text colour";
  SetTextColor(dc.dc(), RGB(0, 255, 0));
  SetBkColor(dc.dc(), RGB(255, 255, 255));
  EXPECT_TRUE(FillRect(dc.dc(), &row, brush));
  const uint32_t G = 0x00FF00, W = 0xFFFFFF;
  EXPECT_TRUE(SamePixels({W, W, W, W, G, G, G, G}, dc.Pixels(), 8)) << "the brush follows the DC";
  DeleteObject(brush);
  DeleteObject(bitmap);
}

TEST(PatternBrush, ColourPatternsPaintTheirOwnColoursFromTheTopLeftEightByEight) {
  MemoryDc picture(16, 16, 0x0000FF);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) picture.at(x, y) = static_cast<uint32_t>(y * 8 + x);
  }
  HBITMAP bitmap = picture.bitmap();
  // The bitmap is selected into `picture`'s DC; a brush may still copy it.
  HBRUSH brush = CreatePatternBrush(bitmap);
  ASSERT_NE(brush, nullptr);
  picture.at(0, 0) = 0xABCDEF;  // made after the brush: the brush keeps its copy
  MemoryDc dc(16, 16, kUntouched);
  const RECT all{0, 0, 16, 16};
  EXPECT_TRUE(FillRect(dc.dc(), &all, brush));
  std::vector<uint32_t> expected;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) expected.push_back(static_cast<uint32_t>((y % 8) * 8 + x % 8));
  }
  EXPECT_TRUE(SamePixels(expected, dc.Pixels(), 16));
  DeleteObject(brush);
}

TEST(PatternBrush, BitmapsSmallerThanEightByEightAndNonBitmapsAreRefused) {
  HBITMAP small = CreateBitmap(7, 8, 1, 1, nullptr);
  SetLastError(0);
  EXPECT_EQ(CreatePatternBrush(small), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  HBRUSH not_a_bitmap = CreateSolidBrush(0);
  EXPECT_EQ(CreatePatternBrush(reinterpret_cast<HBITMAP>(not_a_bitmap)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(CreateHatchBrush(HS_DIAGCROSS + 1, 0), nullptr);
  EXPECT_EQ(CreateHatchBrush(-1, 0), nullptr);
  DeleteObject(not_a_bitmap);
  DeleteObject(small);
}

TEST(PatternBrush, GetObjectDescribesAndCreateBrushIndirectMakesBothKinds) {
  HBRUSH hatch = CreateHatchBrush(HS_BDIAGONAL, RGB(1, 2, 3));
  LOGBRUSH logical{};
  ASSERT_EQ(GetObjectA(hatch, sizeof logical, &logical), static_cast<int>(sizeof logical));
  EXPECT_EQ(logical.lbStyle, static_cast<UINT>(BS_HATCHED));
  EXPECT_EQ(logical.lbColor, RGB(1, 2, 3));
  EXPECT_EQ(logical.lbHatch, static_cast<ULONG_PTR>(HS_BDIAGONAL));

  HBITMAP bitmap = HalfWhiteBitmap();
  HBRUSH pattern = CreatePatternBrush(bitmap);
  ASSERT_EQ(GetObjectA(pattern, sizeof logical, &logical), static_cast<int>(sizeof logical));
  EXPECT_EQ(logical.lbStyle, static_cast<UINT>(BS_PATTERN));
  EXPECT_EQ(logical.lbHatch, reinterpret_cast<ULONG_PTR>(bitmap));

  const LOGBRUSH hatched{BS_HATCHED, RGB(255, 0, 0), HS_VERTICAL};
  HBRUSH indirect_hatch = CreateBrushIndirect(&hatched);
  const LOGBRUSH patterned{BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(bitmap)};
  HBRUSH indirect_pattern = CreateBrushIndirect(&patterned);
  ASSERT_NE(indirect_hatch, nullptr);
  ASSERT_NE(indirect_pattern, nullptr);
  MemoryDc dc(8, 8, kUntouched);
  SetBkColor(dc.dc(), RGB(0, 255, 0));
  const RECT all{0, 0, 8, 8};
  FillRect(dc.dc(), &all, indirect_hatch);
  EXPECT_TRUE(SamePixels(Tiled(kVertical, 8, 8, all, kLine, kBack, 0), dc.Pixels(), 8));
  FillRect(dc.dc(), &all, indirect_pattern);
  EXPECT_EQ(dc.at(0, 0), kBack) << "a 1 bit in the background colour";
  EXPECT_EQ(dc.at(7, 7), 0x000000u) << "a 0 bit in the text colour";
  for (HBRUSH b : {hatch, pattern, indirect_hatch, indirect_pattern}) EXPECT_TRUE(DeleteObject(b));
  DeleteObject(bitmap);
}

}  // namespace
