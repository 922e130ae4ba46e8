// Text in logical coordinates: TA_UPDATECP, and mapping modes scaling fonts
// and placement while the text functions answer in logical units.
#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/gdi_testing.h"
#include "platform/gdi/text_testing.h"

namespace {

using gdi_testing::MemoryDc;
using text_testing::ChangedBox;
using text_testing::ChineseFont;
using text_testing::Describe;
using text_testing::Gbk;
using text_testing::ScopedFont;

constexpr uint32_t kWhite = 0xFFFFFF;

SIZE ExtentOf(HDC dc, const std::string& text) {
  SIZE size{-1, -1};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

// (70, 30) is never where the text goes: it starts at the current position,
// which moves to the far end (TA_LEFT), the near end (TA_RIGHT) or nowhere.
TEST(UpdateCp, TextStartsAtTheCurrentPositionAndMovesItAlongTheBaseline) {
  SKIP_WITHOUT_WENQUANYI();
  const std::string text = Gbk("中a");
  for (const auto& [align, tenths, start, moved] :
       {std::tuple{TA_LEFT, 0, POINT{10, 5}, POINT{28, 5}},
        std::tuple{TA_RIGHT, 0, POINT{90, 5}, POINT{72, 5}},
        std::tuple{TA_CENTER, 0, POINT{50, 5}, POINT{50, 5}},
        std::tuple{TA_LEFT, 900, POINT{30, 30}, POINT{30, 12}}}) {
    MemoryDc memory(100, 40, kWhite);
    ScopedFont font(memory.dc(), CreateFontA(-12, 0, tenths, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET,
                                             0, 0, 0, 0, Gbk("宋体").c_str()));
    SetBkColor(memory.dc(), RGB(0, 0, 0));
    SetTextAlign(memory.dc(), static_cast<UINT>(align) | TA_UPDATECP);
    MoveToEx(memory.dc(), start.x, start.y, nullptr);
    ASSERT_EQ(ExtentOf(memory.dc(), text).cx, 18) << "12 + 6";
    ASSERT_TRUE(TextOutA(memory.dc(), 70, 30, text.c_str(), static_cast<int>(text.size())));
    const RECT cell = ChangedBox(memory.Pixels(), 100, kWhite);
    const LONG left = align == TA_LEFT ? start.x : align == TA_RIGHT ? start.x - 18 : start.x - 9;
    if (tenths == 0) {
      EXPECT_EQ(cell.left, left) << "align " << align << ": " << Describe(cell);
    } else {
      EXPECT_EQ(cell.bottom, start.y) << "turned up: " << Describe(cell);
    }
    POINT now{};
    GetCurrentPositionEx(memory.dc(), &now);
    EXPECT_EQ(now.x, moved.x) << "align " << align << ", " << tenths;
    EXPECT_EQ(now.y, moved.y) << "align " << align << ", " << tenths;
  }
}

// Twice the viewport: glyphs twice as tall, at twice the place, while
// extents, metrics, DrawTextA's rectangle and the current position stay in
// logical units.
TEST(MappedText, ScaledViewportsScaleGlyphsAndAnswerInLogicalUnits) {
  SKIP_WITHOUT_WENQUANYI();
  const std::string text = Gbk("中文");
  auto draw = [&](bool scaled, SIZE* extent, TEXTMETRICA* tm, POINT* moved) {
    MemoryDc memory(140, 80, kWhite);
    ScopedFont font(memory.dc(), ChineseFont("黑体", -16));
    if (scaled) {
      SetMapMode(memory.dc(), MM_ANISOTROPIC);
      SetWindowExtEx(memory.dc(), 1, 1, nullptr);
      SetViewportExtEx(memory.dc(), 2, 2, nullptr);
    }
    SetBkMode(memory.dc(), TRANSPARENT);
    SetTextAlign(memory.dc(), TA_UPDATECP);
    MoveToEx(memory.dc(), 5, 6, nullptr);
    TextOutA(memory.dc(), 0, 0, text.c_str(), 4);
    *extent = ExtentOf(memory.dc(), text);
    GetTextMetricsA(memory.dc(), tm);
    GetCurrentPositionEx(memory.dc(), moved);
    return ChangedBox(memory.Pixels(), 140, kWhite);
  };
  SIZE small_extent{}, large_extent{};
  TEXTMETRICA small_tm{}, large_tm{};
  POINT small_moved{}, large_moved{};
  const RECT small = draw(false, &small_extent, &small_tm, &small_moved);
  const RECT large = draw(true, &large_extent, &large_tm, &large_moved);
  EXPECT_NEAR(large.bottom - large.top, 2 * (small.bottom - small.top), 2)
      << Describe(large) << " against " << Describe(small);
  EXPECT_NEAR(large.left, 2 * small.left, 2);
  EXPECT_NEAR(large.top, 2 * small.top, 2);
  EXPECT_NEAR(large_extent.cx, small_extent.cx, 1);
  EXPECT_NEAR(large_extent.cy, small_extent.cy, 1);
  EXPECT_NEAR(large_tm.tmHeight, small_tm.tmHeight, 1);
  EXPECT_NEAR(large_moved.x, small_moved.x, 1);
  EXPECT_EQ(large_moved.y, 6);

  MemoryDc memory(140, 80, kWhite);
  ScopedFont font(memory.dc(), ChineseFont("黑体", -16));
  SetMapMode(memory.dc(), MM_ANISOTROPIC);
  SetViewportExtEx(memory.dc(), 2, 2, nullptr);
  RECT calc{3, 4, 60, 30};
  EXPECT_NEAR(DrawTextA(memory.dc(), text.c_str(), -1, &calc, DT_CALCRECT | DT_SINGLELINE),
              small_extent.cy, 1);
  EXPECT_NEAR(calc.right, 3 + small_extent.cx, 1) << "DT_CALCRECT in logical units";
  EXPECT_NEAR(calc.bottom, 4 + small_extent.cy, 1);
}

}  // namespace
