// Text output: measuring, where TextOutA and ExtTextOutA put their pixels on
// 32-bit and monochrome bitmaps and on window surfaces, backgrounds,
// alignment, clipping, lines and turned text.
//
// The fonts are WenQuanYi's: "宋体" at 12 pixels draws one-bit bitmaps, so
// its pixels are exactly the text colour or untouched. Boxes are checked by
// drawing the cell opaque in the text colour: then the changed pixels are
// exactly the cell.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <thread>

#include "platform/gdi/gdi_testing.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/text_testing.h"
#include "platform/gdi/window_dc.h"

namespace {

using gdi_testing::MemoryDc;
using gdi_testing::SamePixels;
using text_testing::ChangedBox;
using text_testing::ChineseFont;
using text_testing::Describe;
using text_testing::Gbk;
using text_testing::Inside;
using text_testing::MonoDc;
using text_testing::SameRect;
using text_testing::ScopedFont;

constexpr uint32_t kWhite = 0xFFFFFF;

SIZE ExtentOf(HDC dc, const std::string& text) {
  SIZE size{-1, -1};
  EXPECT_TRUE(GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size));
  return size;
}

TEXTMETRICA MetricsOf(HDC dc) {
  TEXTMETRICA tm{};
  EXPECT_TRUE(GetTextMetricsA(dc, &tm));
  return tm;
}

class TextTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!text_testing::HaveWenQuanYi()) GTEST_SKIP() << "fonts-wqy-zenhei is not installed";
  }
};

TEST_F(TextTest, ExtentsAddUpCharacterByCharacter) {
  MemoryDc memory(4, 4);
  ScopedFont font(memory.dc(), ChineseFont("宋体", -12));
  const SIZE one = ExtentOf(memory.dc(), Gbk("中"));
  const SIZE two = ExtentOf(memory.dc(), Gbk("中文"));
  EXPECT_EQ(one.cx, 12);
  EXPECT_EQ(two.cx, 2 * one.cx);
  EXPECT_EQ(two.cy, MetricsOf(memory.dc()).tmHeight);
  const SIZE mixed = ExtentOf(memory.dc(), Gbk("中a"));
  const SIZE empty = ExtentOf(memory.dc(), "");
  EXPECT_EQ(empty.cx, 0);
  EXPECT_EQ(empty.cy, two.cy) << "an empty string still has the font's height";

  EXPECT_EQ(SetTextCharacterExtra(memory.dc(), 3), 0);
  EXPECT_EQ(GetTextCharacterExtra(memory.dc()), 3);
  EXPECT_EQ(ExtentOf(memory.dc(), Gbk("中a")).cx, mixed.cx + 6)
      << "extra space per character, a double-byte one counting once";
  SIZE size{};
  EXPECT_FALSE(GetTextExtentPoint32A(memory.dc(), "a", -1, &size));
  EXPECT_FALSE(GetTextExtentPoint32A(nullptr, "a", 1, &size));
}

// Black text on white: the pixels that change lie inside the text's cell,
// and there are some.
void ExpectInkInsideCell(HDC dc, const std::vector<uint32_t>& pixels, int width, POINT at,
                         const std::string& text) {
  const SIZE extent = ExtentOf(dc, text);
  const RECT cell{at.x, at.y, at.x + extent.cx, at.y + extent.cy};
  const RECT ink = ChangedBox(pixels, width, kWhite);
  EXPECT_FALSE(text_testing::Empty(ink)) << "nothing drawn";
  EXPECT_TRUE(Inside(ink, cell)) << "ink " << Describe(ink) << " outside cell " << Describe(cell);
}

TEST_F(TextTest, TextOutInksOnlyInsideTheTextBoxOn32BitBitmaps) {
  MemoryDc memory(40, 20, kWhite);
  ScopedFont font(memory.dc(), ChineseFont("宋体", -12));
  SetBkMode(memory.dc(), TRANSPARENT);
  const std::string text = Gbk("中Ag");
  ASSERT_TRUE(TextOutA(memory.dc(), 3, 2, text.c_str(), static_cast<int>(text.size())));
  const auto pixels = memory.Pixels();
  ExpectInkInsideCell(memory.dc(), pixels, 40, POINT{3, 2}, text);
  std::set<uint32_t> colours(pixels.begin(), pixels.end());
  EXPECT_EQ(colours, (std::set<uint32_t>{0x000000, kWhite})) << "bitmap glyphs: no greys";
}

TEST_F(TextTest, TextOutInksOnlyInsideTheTextBoxOnMonochromeBitmaps) {
  MonoDc mono(40, 20);
  ScopedFont font(mono.dc(), ChineseFont("黑体", -14));  // grey outlines, cut at half
  SetBkMode(mono.dc(), TRANSPARENT);
  const std::string text = Gbk("文字");
  ASSERT_TRUE(TextOutA(mono.dc(), 5, 1, text.c_str(), static_cast<int>(text.size())));
  ExpectInkInsideCell(mono.dc(), mono.Pixels(), 40, POINT{5, 1}, text);
}

TEST_F(TextTest, OutlinesBlendTheTextColourInGreyLevels) {
  MemoryDc memory(30, 24, kWhite);
  ScopedFont font(memory.dc(), ChineseFont("黑体", -20));
  SetBkMode(memory.dc(), TRANSPARENT);
  SetTextColor(memory.dc(), RGB(0, 0, 255));
  const std::string text = Gbk("永");
  TextOutA(memory.dc(), 2, 1, text.c_str(), 2);
  bool partial = false;
  for (uint32_t pixel : memory.Pixels()) {
    const uint32_t red = pixel >> 16, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    EXPECT_EQ(blue, 0xFFu) << "blue over white keeps the blue channel";
    EXPECT_EQ(red, green) << "a blend between white and blue";
    partial = partial || (red > 0 && red < 0xFF);
  }
  EXPECT_TRUE(partial) << "anti-aliased edges";
}

TEST_F(TextTest, OpaqueFillsTheCellAndTransparentLeavesIt) {
  MemoryDc memory(40, 20, 0x00FF00);
  ScopedFont font(memory.dc(), ChineseFont("宋体", -12));
  const std::string text = Gbk("中a");
  const SIZE extent = ExtentOf(memory.dc(), text);
  SetBkColor(memory.dc(), RGB(255, 0, 0));
  ASSERT_EQ(GetBkMode(memory.dc()), OPAQUE) << "the default";
  TextOutA(memory.dc(), 4, 3, text.c_str(), static_cast<int>(text.size()));
  const RECT cell{4, 3, 4 + extent.cx, 3 + extent.cy};
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool in_cell = x >= cell.left && x < cell.right && y >= cell.top && y < cell.bottom;
      const uint32_t pixel = memory.at(x, y);
      if (in_cell) {
        EXPECT_TRUE(pixel == 0xFF0000 || pixel == 0x000000) << x << "," << y << ": " << pixel;
      } else {
        EXPECT_EQ(pixel, 0x00FF00u) << x << "," << y;
      }
    }
  }
  MemoryDc clear(40, 20, 0x00FF00);
  ScopedFont clear_font(clear.dc(), ChineseFont("宋体", -12));
  SetBkMode(clear.dc(), TRANSPARENT);
  SetBkColor(clear.dc(), RGB(255, 0, 0));
  TextOutA(clear.dc(), 4, 3, text.c_str(), static_cast<int>(text.size()));
  for (uint32_t pixel : clear.Pixels()) {
    EXPECT_TRUE(pixel == 0x00FF00 || pixel == 0x000000) << pixel << ": no background";
  }
  EXPECT_GT(ChangedBox(clear.Pixels(), 40, 0x00FF00).right, 0) << "but text";
}

TEST_F(TextTest, OpaqueOnMonochromeBitmapsUsesTheNearestOfBlackAndWhite) {
  MonoDc mono(30, 20);
  ScopedFont font(mono.dc(), ChineseFont("宋体", -12));
  SetBkColor(mono.dc(), RGB(20, 20, 20));
  SetTextColor(mono.dc(), RGB(250, 250, 250));
  const std::string text = Gbk("中");
  TextOutA(mono.dc(), 2, 1, text.c_str(), 2);
  const auto pixels = mono.Pixels();
  const RECT background = ChangedBox(pixels, 30, kWhite);
  const RECT cell{2, 1, 2 + 12, 1 + MetricsOf(mono.dc()).tmHeight};
  EXPECT_TRUE(SameRect(background, cell)) << Describe(background) << " is not " << Describe(cell);
  int white_inside = 0;
  for (LONG y = cell.top; y < cell.bottom; ++y) {
    for (LONG x = cell.left; x < cell.right; ++x) white_inside += pixels[y * 30 + x] == kWhite;
  }
  EXPECT_GT(white_inside, 10) << "white glyph pixels on the black cell";
}

// Draws `text` with its cell opaque in the text colour, so that the changed
// pixels are the cell itself.
RECT CellDrawnAt(HDC dc, MemoryDc& memory, int width, POINT at, const std::string& text) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, OPAQUE);
  TextOutA(dc, at.x, at.y, text.c_str(), static_cast<int>(text.size()));
  return ChangedBox(memory.Pixels(), width, kWhite);
}

TEST_F(TextTest, AlignmentPlacesTheCellAroundTheReferencePoint) {
  const std::string text = Gbk("中a");
  struct Case {
    UINT align;
    const char* name;
  };
  for (const Case& c :
       {Case{TA_LEFT | TA_TOP, "left top"}, Case{TA_RIGHT | TA_BOTTOM, "right bottom"},
        Case{TA_CENTER | TA_BASELINE, "centre baseline"}}) {
    MemoryDc memory(60, 50, kWhite);
    ScopedFont font(memory.dc(), ChineseFont("宋体", -12));
    EXPECT_EQ(SetTextAlign(memory.dc(), c.align), static_cast<UINT>(TA_LEFT | TA_TOP));
    EXPECT_EQ(GetTextAlign(memory.dc()), c.align);
    const SIZE extent = ExtentOf(memory.dc(), text);
    const TEXTMETRICA tm = MetricsOf(memory.dc());
    const RECT cell = CellDrawnAt(memory.dc(), memory, 60, POINT{30, 25}, text);
    LONG left = 30, top = 25;
    if (c.align & TA_RIGHT) left -= extent.cx;
    if ((c.align & TA_CENTER) == TA_CENTER) left = 30 - extent.cx / 2;
    if ((c.align & TA_BASELINE) == TA_BASELINE) {
      top -= tm.tmAscent;
    } else if (c.align & TA_BOTTOM) {
      top -= tm.tmHeight;
    }
    const RECT expected{left, top, left + extent.cx, top + tm.tmHeight};
    EXPECT_TRUE(SameRect(cell, expected))
        << c.name << ": " << Describe(cell) << " instead of " << Describe(expected);
  }
  EXPECT_EQ(SetTextAlign(nullptr, TA_LEFT), static_cast<UINT>(GDI_ERROR));
}

TEST_F(TextTest, SaveDcKeepsAlignmentAndCharacterExtra) {
  MemoryDc memory(4, 4);
  SetTextAlign(memory.dc(), TA_RIGHT | TA_BASELINE | TA_UPDATECP);
  SetTextCharacterExtra(memory.dc(), 2);
  const int saved = SaveDC(memory.dc());
  SetTextAlign(memory.dc(), TA_CENTER);
  SetTextCharacterExtra(memory.dc(), -1);
  RestoreDC(memory.dc(), saved);
  EXPECT_EQ(GetTextAlign(memory.dc()), static_cast<UINT>(TA_RIGHT | TA_BASELINE | TA_UPDATECP));
  EXPECT_EQ(GetTextCharacterExtra(memory.dc()), 2);
  EXPECT_EQ(GetTextCharacterExtra(nullptr), static_cast<int>(0x80000000u));
}

TEST_F(TextTest, TurnedFontsTurnTheCellAboutTheReferencePoint) {
  const std::string text = Gbk("中文");
  for (int turns = 1; turns < 4; ++turns) {
    MemoryDc memory(60, 60, kWhite);
    ScopedFont font(memory.dc(), CreateFontA(-12, 0, turns * 900, turns * 900, FW_NORMAL, 0, 0, 0,
                                             GB2312_CHARSET, 0, 0, 0, 0, Gbk("宋体").c_str()));
    const LONG length = ExtentOf(memory.dc(), text).cx;
    const LONG height = MetricsOf(memory.dc()).tmHeight;
    const RECT cell = CellDrawnAt(memory.dc(), memory, 60, POINT{30, 30}, text);
    const RECT expected[4] = {{},
                              {30, 30 - length, 30 + height, 30},
                              {30 - length, 30 - height, 30, 30},
                              {30 - height, 30, 30, 30 + length}};
    EXPECT_TRUE(SameRect(cell, expected[turns])) << turns * 90 << " degrees: " << Describe(cell)
                                                 << " instead of " << Describe(expected[turns]);
  }
}

TEST_F(TextTest, ExtTextOutFillsAndClipsToItsRectangle) {
  MemoryDc memory(40, 20, kWhite);
  SetBkColor(memory.dc(), RGB(0, 0, 255));
  SetBkMode(memory.dc(), TRANSPARENT);
  const RECT fill{5, 4, 15, 9};
  ASSERT_TRUE(ExtTextOutA(memory.dc(), 0, 0, ETO_OPAQUE, &fill, nullptr, 0, nullptr));
  EXPECT_TRUE(SameRect(ChangedBox(memory.Pixels(), 40, kWhite), fill))
      << "ETO_OPAQUE fills the rectangle whatever the background mode";
  EXPECT_EQ(memory.at(5, 4), 0x0000FFu);
  EXPECT_FALSE(ExtTextOutA(memory.dc(), 0, 0, 0, nullptr, nullptr, 3, nullptr));

  MemoryDc clipped(40, 20, kWhite);
  ScopedFont font(clipped.dc(), ChineseFont("宋体", -12));
  SetBkMode(clipped.dc(), OPAQUE);
  SetBkColor(clipped.dc(), RGB(0, 0, 0));
  const RECT window{6, 5, 16, 12};
  const std::string text = Gbk("中文字");
  ExtTextOutA(clipped.dc(), 2, 2, ETO_CLIPPED, &window, text.c_str(),
              static_cast<UINT>(text.size()), nullptr);
  EXPECT_TRUE(SameRect(ChangedBox(clipped.Pixels(), 40, kWhite), window))
      << "the opaque cell, cut to the rectangle";
}

TEST_F(TextTest, ExtTextOutSpacesCharactersByDx) {
  MemoryDc memory(60, 20, kWhite);
  ScopedFont font(memory.dc(), ChineseFont("宋体", -12));
  const std::string text = Gbk("中a");
  const INT dx[3] = {10, 7, 5};  // the double-byte character takes 10 + 7
  SetBkColor(memory.dc(), RGB(0, 0, 0));
  ExtTextOutA(memory.dc(), 2, 1, 0, nullptr, text.c_str(), 3, dx);
  const RECT cell = ChangedBox(memory.Pixels(), 60, kWhite);
  EXPECT_EQ(cell.left, 2);
  EXPECT_EQ(cell.right, 2 + 22) << "the cell is as wide as the advances given";
}

TEST_F(TextTest, ClipRegionsCutText) {
  MemoryDc memory(40, 20, kWhite);
  ScopedFont font(memory.dc(), ChineseFont("宋体", -12));
  HRGN left_half = CreateRectRgn(0, 0, 12, 20);
  SelectClipRgn(memory.dc(), left_half);
  DeleteObject(left_half);
  SetBkColor(memory.dc(), RGB(0, 0, 0));
  const std::string text = Gbk("中文字");
  TextOutA(memory.dc(), 2, 2, text.c_str(), static_cast<int>(text.size()));
  const RECT cell = ChangedBox(memory.Pixels(), 40, kWhite);
  EXPECT_TRUE(SameRect(cell, RECT{2, 2, 12, 2 + MetricsOf(memory.dc()).tmHeight}))
      << Describe(cell);
}

TEST_F(TextTest, UnderlineAndStrikeOutSpanTheWholeText) {
  MemoryDc memory(50, 20, kWhite);
  ScopedFont font(memory.dc(), CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, TRUE, TRUE,
                                           GB2312_CHARSET, 0, 0, 0, 0, Gbk("宋体").c_str()));
  SetBkMode(memory.dc(), TRANSPARENT);
  const std::string text = "a b";  // the space shows the lines are not glyphs
  const LONG width = ExtentOf(memory.dc(), text).cx;
  TextOutA(memory.dc(), 3, 2, text.c_str(), 3);
  auto full_rows = [&] {
    std::vector<int> rows;
    for (int y = 0; y < 20; ++y) {
      bool full = true;
      for (int x = 3; x < 3 + width; ++x) full = full && memory.at(x, y) == 0;
      if (full && memory.at(2, y) == kWhite && memory.at(3 + width, y) == kWhite) rows.push_back(y);
    }
    return rows;
  }();
  const LONG baseline = 2 + MetricsOf(memory.dc()).tmAscent;
  ASSERT_EQ(full_rows.size(), 2u) << "one underline and one strike-out row";
  EXPECT_LT(full_rows[0], baseline) << "strike-out above the baseline";
  EXPECT_GE(full_rows[1], baseline) << "underline below it";
}

TEST_F(TextTest, WindowDcsDrawThroughTheVisibleRegionAndMarkDirty) {
  auto surface = std::make_shared<platform::gdi::Surface>(40, 20);
  surface->TakeDirty();
  platform::gdi::WindowDcTarget target;
  target.surface = surface;
  target.origin = POINT{2, 1};
  target.visible = platform::gdi::Region(RECT{2, 1, 20, 20});
  HDC dc = platform::gdi::CreateWindowDc(target);
  ASSERT_NE(dc, nullptr);
  {
    ScopedFont font(dc, ChineseFont("宋体", -12));
    SetBkColor(dc, RGB(0, 0, 0));
    const std::string text = Gbk("中文字");
    TextOutA(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
  }
  std::vector<uint32_t> pixels;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 40; ++x) pixels.push_back(surface->PixelAt(x, y));
  }
  const RECT changed = ChangedBox(pixels, 40, kWhite);
  EXPECT_TRUE(SameRect(changed, RECT{2, 1, 20, 17}))
      << "the cell cut to the visible part: " << Describe(changed);
  const RECT dirty = surface->TakeDirty().Bounds();
  EXPECT_TRUE(SameRect(dirty, changed)) << "dirty " << Describe(dirty);
  EXPECT_TRUE(platform::gdi::DeleteWindowDc(dc));
}

// Each thread makes glyphs of its own size at the same time as the others;
// the references are made afterwards from fonts that differ only in a field
// matching ignores, so their glyphs are made again rather than shared.
TEST_F(TextTest, ThreadsDrawingTextAtOnceGetTheSamePixels) {
  const std::string text = Gbk("多线程同时绘制文字 threads");
  auto draw = [&text](LONG height, BYTE precision, std::vector<uint32_t>* pixels) {
    MemoryDc memory(260, 32, kWhite);
    ScopedFont font(memory.dc(), CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET,
                                             precision, 0, 0, 0, Gbk("黑体").c_str()));
    TextOutA(memory.dc(), 1, 1, text.c_str(), static_cast<int>(text.size()));
    *pixels = memory.Pixels();
  };
  const LONG heights[4] = {-21, -23, -25, -27};
  std::vector<uint32_t> together[4];
  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i) {
    threads.emplace_back(draw, heights[i], BYTE{OUT_DEFAULT_PRECIS}, &together[i]);
  }
  for (std::thread& thread : threads) thread.join();
  for (int i = 0; i < 4; ++i) {
    std::vector<uint32_t> alone;
    draw(heights[i], OUT_TT_PRECIS, &alone);
    EXPECT_TRUE(SamePixels(alone, together[i], 260)) << "height " << heights[i];
  }
}

}  // namespace
