// DrawEdge, DrawFocusRect and DrawFrameControl on tiny memory bitmaps: the
// system colour of every side, adjusting, XOR focus dots, scroll arrows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/gdi_testing.h"
#include "platform/win32.h"

namespace {

using gdi_testing::MemoryDc;
using gdi_testing::SamePixels;

constexpr uint32_t kUntouched = 0x123456;

// A system colour as the 0x00RRGGBB pixel it paints.
uint32_t Sys(int index) {
  const COLORREF c = GetSysColor(index);
  return (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
}

TEST(DrawEdgeTest, RaisedEdgeIsLightTopLeftAndDarkBottomRightOutsideIn) {
  MemoryDc dc(6, 6, kUntouched);
  RECT r{0, 0, 6, 6};
  EXPECT_TRUE(DrawEdge(dc.dc(), &r, EDGE_RAISED, BF_RECT));
  const uint32_t L = Sys(COLOR_3DLIGHT), D = Sys(COLOR_3DDKSHADOW);
  const uint32_t H = Sys(COLOR_BTNHIGHLIGHT), S = Sys(COLOR_BTNSHADOW), U = kUntouched;
  EXPECT_TRUE(SamePixels({L, L, L, L, L, D,  //
                          L, H, H, H, S, D,  //
                          L, H, U, U, S, D,  //
                          L, H, U, U, S, D,  //
                          L, S, S, S, S, D,  //
                          D, D, D, D, D, D},
                         dc.Pixels(), 6));
  EXPECT_EQ(r.left, 0) << "no BF_ADJUST: the rectangle stays";
  EXPECT_EQ(r.right, 6);
}

TEST(DrawEdgeTest, EachBorderKindHasItsColoursOnEachSide) {
  struct Case {
    UINT edge;
    UINT flags;
    int outer_top_left, outer_bottom_right, inner_top_left, inner_bottom_right;
  };
  const Case cases[] = {
      {EDGE_RAISED, 0, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
      {EDGE_SUNKEN, 0, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
      {EDGE_ETCHED, 0, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
      {EDGE_BUMP, 0, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
      {EDGE_RAISED, BF_SOFT, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_BTNSHADOW},
      {EDGE_SUNKEN, BF_SOFT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DLIGHT},
      {EDGE_RAISED, BF_FLAT, COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNFACE},
      {EDGE_SUNKEN, BF_MONO, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME, COLOR_WINDOW, COLOR_WINDOW},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "edge " << c.edge << " flags " << c.flags);
    MemoryDc dc(6, 6, kUntouched);
    RECT r{0, 0, 6, 6};
    ASSERT_TRUE(DrawEdge(dc.dc(), &r, c.edge, BF_RECT | c.flags));
    EXPECT_EQ(dc.at(2, 0), Sys(c.outer_top_left)) << "outer top";
    EXPECT_EQ(dc.at(0, 2), Sys(c.outer_top_left)) << "outer left";
    EXPECT_EQ(dc.at(2, 5), Sys(c.outer_bottom_right)) << "outer bottom";
    EXPECT_EQ(dc.at(5, 2), Sys(c.outer_bottom_right)) << "outer right";
    EXPECT_EQ(dc.at(2, 1), Sys(c.inner_top_left)) << "inner top";
    EXPECT_EQ(dc.at(1, 2), Sys(c.inner_top_left)) << "inner left";
    EXPECT_EQ(dc.at(2, 4), Sys(c.inner_bottom_right)) << "inner bottom";
    EXPECT_EQ(dc.at(4, 2), Sys(c.inner_bottom_right)) << "inner right";
    EXPECT_EQ(dc.at(2, 2), kUntouched) << "no BF_MIDDLE";
  }
}

TEST(DrawEdgeTest, ALoneInnerBorderTakesTheOuterPlace) {
  MemoryDc dc(4, 4, kUntouched);
  RECT r{0, 0, 4, 4};
  EXPECT_TRUE(DrawEdge(dc.dc(), &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST));
  EXPECT_EQ(dc.at(1, 0), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(dc.at(3, 1), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(dc.at(1, 1), kUntouched);
  EXPECT_EQ(r.left, 1) << "one line: one pixel in";
  EXPECT_EQ(r.bottom, 3);
}

TEST(DrawEdgeTest, OnlyTheSidesAskedForAreDrawnAdjustedAndTheMiddleFilled) {
  MemoryDc dc(5, 4, kUntouched);
  RECT r{0, 0, 5, 4};
  EXPECT_TRUE(DrawEdge(dc.dc(), &r, EDGE_SUNKEN, BF_TOP | BF_LEFT | BF_MIDDLE | BF_ADJUST));
  const uint32_t S = Sys(COLOR_BTNSHADOW), K = Sys(COLOR_3DDKSHADOW), F = Sys(COLOR_BTNFACE);
  EXPECT_TRUE(SamePixels({S, S, S, S, S,  //
                          S, K, K, K, K,  //
                          S, K, F, F, F,  //
                          S, K, F, F, F},
                         dc.Pixels(), 5))
      << "without a right or bottom side the top and left lines run to the end";
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.top, 2);
  EXPECT_EQ(r.right, 5);
  EXPECT_EQ(r.bottom, 4);
}

TEST(DrawEdgeTest, RefusesWhatItCannotDraw) {
  MemoryDc dc(4, 4, kUntouched);
  RECT r{0, 0, 4, 4};
  EXPECT_FALSE(DrawEdge(dc.dc(), nullptr, EDGE_RAISED, BF_RECT));
  EXPECT_FALSE(DrawEdge(dc.dc(), &r, EDGE_RAISED, BF_RECT | BF_DIAGONAL));
  EXPECT_FALSE(DrawEdge(nullptr, &r, EDGE_RAISED, BF_RECT));
  EXPECT_TRUE(SamePixels(std::vector<uint32_t>(16, kUntouched), dc.Pixels(), 4));
}

TEST(DrawFocusRectTest, InvertsEveryOtherFramePixelFromTheFirstAndTwiceRestores) {
  MemoryDc dc(7, 6, 0xFFFFFF);
  const RECT r{1, 1, 6, 5};
  EXPECT_TRUE(DrawFocusRect(dc.dc(), &r));
  const uint32_t W = 0xFFFFFF, K = 0x000000;
  EXPECT_TRUE(SamePixels({W, W, W, W, W, W, W,  //
                          W, K, W, K, W, K, W,  //
                          W, W, W, W, W, W, W,  //
                          W, K, W, W, W, K, W,  //
                          W, W, K, W, K, W, W,  //
                          W, W, W, W, W, W, W},
                         dc.Pixels(), 7));
  EXPECT_TRUE(DrawFocusRect(dc.dc(), &r));
  EXPECT_TRUE(SamePixels(std::vector<uint32_t>(42, W), dc.Pixels(), 7));
  const RECT flat{1, 2, 6, 2};
  EXPECT_TRUE(DrawFocusRect(dc.dc(), &flat));
  EXPECT_TRUE(SamePixels(std::vector<uint32_t>(42, W), dc.Pixels(), 7)) << "empty: nothing";
  const RECT huge{-2000000000, -2000000000, 2000000000, 2000000000};
  EXPECT_TRUE(DrawFocusRect(dc.dc(), &huge)) << "a huge frame costs only what shows";
  EXPECT_FALSE(DrawFocusRect(dc.dc(), nullptr));
}

// The pixels of `color` in the canvas, as text rows ('X' where it is).
std::string PixelsOf(MemoryDc& dc, int width, int height, uint32_t color) {
  std::string text;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) text += dc.at(x, y) == color ? 'X' : '.';
    text += '\n';
  }
  return text;
}

// The 7 x 4 arrow of a 17 x 17 button, pointing up, centred, with its
// point at (8 + dx, 6 + dy).
std::string UpArrow(int dx, int dy) {
  std::string text;
  for (int y = 0; y < 17; ++y) {
    for (int x = 0; x < 17; ++x) {
      const int step = y - 6 - dy;
      const bool in = step >= 0 && step < 4 && x - 8 - dx >= -step && x - 8 - dx <= step;
      text += in ? 'X' : '.';
    }
    text += '\n';
  }
  return text;
}

TEST(DrawFrameControlTest, ScrollUpIsARaisedButtonWithACentredArrow) {
  MemoryDc dc(17, 17, kUntouched);
  RECT r{0, 0, 17, 17};
  EXPECT_TRUE(DrawFrameControl(dc.dc(), &r, DFC_SCROLL, DFCS_SCROLLUP));
  EXPECT_EQ(PixelsOf(dc, 17, 17, Sys(COLOR_BTNTEXT)), UpArrow(0, 0));
  EXPECT_EQ(dc.at(8, 0), Sys(COLOR_3DLIGHT));
  EXPECT_EQ(dc.at(16, 8), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(dc.at(8, 1), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(dc.at(15, 8), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(dc.at(3, 3), Sys(COLOR_BTNFACE));
}

TEST(DrawFrameControlTest, PushedButtonsAreFlatAndTheirArrowMovesRightAndDown) {
  MemoryDc dc(17, 17, kUntouched);
  RECT r{0, 0, 17, 17};
  EXPECT_TRUE(DrawFrameControl(dc.dc(), &r, DFC_SCROLL, DFCS_SCROLLUP | DFCS_PUSHED));
  EXPECT_EQ(PixelsOf(dc, 17, 17, Sys(COLOR_BTNTEXT)), UpArrow(1, 1));
  for (const POINT p : {POINT{8, 0}, POINT{0, 8}, POINT{8, 16}, POINT{16, 8}}) {
    EXPECT_EQ(dc.at(p.x, p.y), Sys(COLOR_BTNSHADOW))
        << "a flat shadow frame at " << p.x << "," << p.y;
  }
  EXPECT_EQ(dc.at(8, 1), Sys(COLOR_BTNFACE));
}

TEST(DrawFrameControlTest, InactiveArrowsAreGreyOverAHighlightShadow) {
  MemoryDc dc(17, 17, kUntouched);
  RECT r{0, 0, 17, 17};
  EXPECT_TRUE(DrawFrameControl(dc.dc(), &r, DFC_SCROLL, DFCS_SCROLLUP | DFCS_INACTIVE));
  EXPECT_EQ(PixelsOf(dc, 17, 17, Sys(COLOR_GRAYTEXT)), UpArrow(0, 0));
  EXPECT_EQ(dc.at(12, 10), Sys(COLOR_BTNHIGHLIGHT)) << "the shadow past the base's right end";
  EXPECT_EQ(dc.at(9, 7), Sys(COLOR_GRAYTEXT)) << "the arrow covers its own shadow";
  EXPECT_EQ(PixelsOf(dc, 17, 17, Sys(COLOR_BTNTEXT)), UpArrow(99, 99)) << "nothing black";
}

TEST(DrawFrameControlTest, ArrowsPointTheWayAskedAndTheComboBoxArrowPointsDown) {
  struct Case {
    UINT state;
    POINT point;  // the arrow's single-pixel tip
    POINT base;   // one end of its base
  };
  const Case cases[] = {{DFCS_SCROLLDOWN, {8, 9}, {5, 6}},
                        {DFCS_SCROLLCOMBOBOX, {8, 9}, {11, 6}},
                        {DFCS_SCROLLLEFT, {6, 8}, {9, 5}},
                        {DFCS_SCROLLRIGHT, {9, 8}, {6, 11}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "state " << c.state);
    MemoryDc dc(17, 17, kUntouched);
    RECT r{0, 0, 17, 17};
    ASSERT_TRUE(DrawFrameControl(dc.dc(), &r, DFC_SCROLL, c.state));
    const std::string ink = PixelsOf(dc, 17, 17, Sys(COLOR_BTNTEXT));
    EXPECT_EQ(std::count(ink.begin(), ink.end(), 'X'), 16) << ink;
    EXPECT_EQ(dc.at(c.point.x, c.point.y), Sys(COLOR_BTNTEXT)) << ink;
    EXPECT_EQ(dc.at(c.base.x, c.base.y), Sys(COLOR_BTNTEXT)) << ink;
  }
  MemoryDc dc(17, 17, kUntouched);
  RECT r{0, 0, 17, 17};
  EXPECT_FALSE(DrawFrameControl(dc.dc(), &r, DFC_BUTTON, 0));
  EXPECT_FALSE(DrawFrameControl(dc.dc(), &r, DFC_SCROLL, 8));
  EXPECT_FALSE(DrawFrameControl(dc.dc(), nullptr, DFC_SCROLL, DFCS_SCROLLUP));
}

}  // namespace
