// Binary raster operations: every ROP2 code against its truth table, on
// lines and on shape interiors.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gdi/gdi_testing.h"
#include "platform/win32.h"

namespace {

using gdi_testing::MemoryDc;
using gdi_testing::SamePixels;

struct Rop2Case {
  int code;
  std::function<uint32_t(uint32_t pen, uint32_t destination)> result;
};

// Written out from each operation's definition rather than from its code's
// bits, so a wrong table cannot agree with itself.
const std::vector<Rop2Case>& AllCodes() {
  static const std::vector<Rop2Case> cases = {
      {R2_BLACK, [](uint32_t, uint32_t) { return 0u; }},
      {R2_NOTMERGEPEN, [](uint32_t p, uint32_t d) { return ~(p | d); }},
      {R2_MASKNOTPEN, [](uint32_t p, uint32_t d) { return ~p & d; }},
      {R2_NOTCOPYPEN, [](uint32_t p, uint32_t) { return ~p; }},
      {R2_MASKPENNOT, [](uint32_t p, uint32_t d) { return p & ~d; }},
      {R2_NOT, [](uint32_t, uint32_t d) { return ~d; }},
      {R2_XORPEN, [](uint32_t p, uint32_t d) { return p ^ d; }},
      {R2_NOTMASKPEN, [](uint32_t p, uint32_t d) { return ~(p & d); }},
      {R2_MASKPEN, [](uint32_t p, uint32_t d) { return p & d; }},
      {R2_NOTXORPEN, [](uint32_t p, uint32_t d) { return ~(p ^ d); }},
      {R2_NOP, [](uint32_t, uint32_t d) { return d; }},
      {R2_MERGENOTPEN, [](uint32_t p, uint32_t d) { return ~p | d; }},
      {R2_COPYPEN, [](uint32_t p, uint32_t) { return p; }},
      {R2_MERGEPENNOT, [](uint32_t p, uint32_t d) { return p | ~d; }},
      {R2_MERGEPEN, [](uint32_t p, uint32_t d) { return p | d; }},
      {R2_WHITE, [](uint32_t, uint32_t) { return ~0u; }},
  };
  return cases;
}

// Pen 0xFFFF00 over 0xFF00FF meets pen and destination bits 1/1 (red),
// 1/0 (green) and 0/1 (blue); over black it meets 0/0 (blue).
TEST(Rop2Test, EveryCodeFollowsItsTruthTableOnLines) {
  constexpr uint32_t kPen = 0xFFFF00;
  constexpr uint32_t kFirst = 0xFF00FF;
  constexpr uint32_t kSecond = 0x000000;
  constexpr uint32_t kUntouched = 0x123456;
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0xFF, 0xFF, 0x00));
  for (const Rop2Case& c : AllCodes()) {
    SCOPED_TRACE(c.code);
    MemoryDc dc(3, 1);
    dc.at(0, 0) = kFirst;
    dc.at(1, 0) = kSecond;
    dc.at(2, 0) = kUntouched;
    HGDIOBJ old = SelectObject(dc.dc(), pen);
    EXPECT_EQ(SetROP2(dc.dc(), c.code), R2_COPYPEN);
    EXPECT_EQ(GetROP2(dc.dc()), c.code);
    MoveToEx(dc.dc(), 0, 0, nullptr);
    LineTo(dc.dc(), 2, 0);
    EXPECT_TRUE(SamePixels(
        {c.result(kPen, kFirst) & 0xFFFFFF, c.result(kPen, kSecond) & 0xFFFFFF, kUntouched},
        dc.Pixels(), 3));
    SelectObject(dc.dc(), old);
  }
  DeleteObject(pen);
}

TEST(Rop2Test, RefusesUnknownCodesAndIsSavedWithTheDc) {
  MemoryDc dc(1, 1);
  EXPECT_EQ(GetROP2(dc.dc()), R2_COPYPEN);
  EXPECT_EQ(SetROP2(dc.dc(), 0), 0);
  EXPECT_EQ(SetROP2(dc.dc(), 17), 0);
  EXPECT_EQ(GetROP2(dc.dc()), R2_COPYPEN);
  const int level = SaveDC(dc.dc());
  SetROP2(dc.dc(), R2_XORPEN);
  RestoreDC(dc.dc(), level);
  EXPECT_EQ(GetROP2(dc.dc()), R2_COPYPEN);
  EXPECT_EQ(SetROP2(nullptr, R2_NOT), 0);
}

// The outline and the inside each combine once, so drawing the same shape
// twice with R2_XORPEN gives back what was there.
TEST(Rop2Test, ShapesCombineOutlineAndInsideOnceEach) {
  MemoryDc dc(5, 5, 0x0000FF);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0xFF, 0, 0));
  HBRUSH brush = CreateSolidBrush(RGB(0, 0xFF, 0));
  HGDIOBJ old_pen = SelectObject(dc.dc(), pen);
  HGDIOBJ old_brush = SelectObject(dc.dc(), brush);
  SetROP2(dc.dc(), R2_XORPEN);
  EXPECT_TRUE(Rectangle(dc.dc(), 0, 0, 4, 4));
  constexpr uint32_t B = 0x0000FF;
  constexpr uint32_t O = 0xFF00FF;        // red pen over blue
  constexpr uint32_t I = 0x00FFFF;        // green brush over blue
  EXPECT_TRUE(SamePixels({O, O, O, O, B,  //
                          O, I, I, O, B,  //
                          O, I, I, O, B,  //
                          O, O, O, O, B,  //
                          B, B, B, B, B},
                         dc.Pixels(), 5));
  EXPECT_TRUE(Rectangle(dc.dc(), 0, 0, 4, 4));
  EXPECT_TRUE(SamePixels(std::vector<uint32_t>(25, B), dc.Pixels(), 5));
  SelectObject(dc.dc(), old_pen);
  SelectObject(dc.dc(), old_brush);
  DeleteObject(pen);
  DeleteObject(brush);
}

// Where the two segments of a wide polyline overlap at the join, the pixels
// are still combined only once.
TEST(Rop2Test, WidePolylinesCombineTheirJoinOnce) {
  MemoryDc dc(7, 7, 0x000000);
  HPEN pen = CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
  HGDIOBJ old = SelectObject(dc.dc(), pen);
  SetROP2(dc.dc(), R2_XORPEN);
  const POINT path[] = {{1, 1}, {5, 1}, {5, 5}};
  EXPECT_TRUE(Polyline(dc.dc(), path, 3));
  constexpr uint32_t K = 0x000000;
  constexpr uint32_t W = 0xFFFFFF;
  EXPECT_TRUE(SamePixels({W, W, W, W, W, W, W,  //
                          W, W, W, W, W, W, W,  //
                          W, W, W, W, W, W, W,  //
                          K, K, K, K, W, W, W,  //
                          K, K, K, K, W, W, W,  //
                          K, K, K, K, W, W, W,  //
                          K, K, K, K, W, W, W},
                         dc.Pixels(), 7));
  SelectObject(dc.dc(), old);
  DeleteObject(pen);
}

}  // namespace
