// DrawTextA on a DC: measuring with DT_CALCRECT, placing lines in the
// rectangle, prefixes, clipping and what it returns.
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
using text_testing::Inside;
using text_testing::SameRect;
using text_testing::ScopedFont;

constexpr uint32_t kWhite = 0xFFFFFF;

class DrawTextTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!text_testing::HaveWenQuanYi()) GTEST_SKIP() << "fonts-wqy-zenhei is not installed";
    GetTextMetricsA(memory_.dc(), &metrics_);
  }

  int Draw(const std::string& text, RECT rect, UINT format) {
    return DrawTextA(memory_.dc(), text.c_str(), -1, &rect, format);
  }
  RECT Ink() { return ChangedBox(memory_.Pixels(), 80, kWhite); }

  MemoryDc memory_{80, 60, kWhite};
  ScopedFont font_{memory_.dc(), ChineseFont("宋体", -12)};
  TEXTMETRICA metrics_{};
};

TEST_F(DrawTextTest, CalcRectWithWordBreakWrapsIntoWholeLines) {
  const std::string text = Gbk("这是一段很长的文字，which wraps over several lines");
  RECT rect{5, 7, 65, 8};
  const int height = DrawTextA(memory_.dc(), text.c_str(), -1, &rect, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(height % metrics_.tmHeight, 0) << height << " is not whole lines";
  EXPECT_GE(height / metrics_.tmHeight, 4) << "several lines";
  EXPECT_EQ(rect.top, 7);
  EXPECT_EQ(rect.bottom, 7 + height);
  EXPECT_EQ(rect.left, 5);
  EXPECT_LE(rect.right, 65) << "every line fits the width";
  EXPECT_GT(rect.right, 50) << "and the widest nearly fills it";
  EXPECT_EQ(Ink().right, 0) << "DT_CALCRECT draws nothing";

  RECT single{5, 7, 65, 8};
  EXPECT_EQ(DrawTextA(memory_.dc(), text.c_str(), -1, &single, DT_CALCRECT | DT_SINGLELINE),
            metrics_.tmHeight);
  SIZE extent{};
  GetTextExtentPoint32A(memory_.dc(), text.c_str(), static_cast<int>(text.size()), &extent);
  EXPECT_EQ(single.right - single.left, extent.cx) << "one line, as wide as the text";
}

TEST_F(DrawTextTest, CentredSingleLinesSitInTheMiddle) {
  const std::string text = Gbk("中文");
  const RECT rect{0, 0, 80, 60};
  SetBkMode(memory_.dc(), TRANSPARENT);
  const int bottom = Draw(text, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  const RECT ink = Ink();
  const RECT cell{(80 - 24) / 2, (60 - metrics_.tmHeight) / 2, (80 - 24) / 2 + 24,
                  (60 - metrics_.tmHeight) / 2 + metrics_.tmHeight};
  EXPECT_TRUE(Inside(ink, cell)) << "ink " << Describe(ink) << " outside " << Describe(cell);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 40.0, 1.5) << "centred across: " << Describe(ink);
  EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 30.0, 3.0) << "centred down: " << Describe(ink);
  EXPECT_EQ(bottom, cell.bottom) << "DT_VCENTER returns the distance to the text's bottom";
}

TEST_F(DrawTextTest, LinesAlignLeftCentreAndRight) {
  const std::string text = Gbk("中\n中文字");
  SetBkColor(memory_.dc(), RGB(0, 0, 0));  // cells drawn solid
  Draw(text, RECT{10, 5, 70, 55}, DT_RIGHT);
  EXPECT_TRUE(SameRect(Ink(), RECT{70 - 36, 5, 70, 5 + 2 * metrics_.tmHeight})) << Describe(Ink());
  EXPECT_EQ(memory_.at(70 - 13, 5), kWhite) << "the short first line ends at the right too";
  EXPECT_EQ(memory_.at(70 - 12, 5), 0u);
  PatBlt(memory_.dc(), 0, 0, 80, 60, WHITENESS);
  Draw(text, RECT{10, 5, 70, 55}, DT_BOTTOM | DT_SINGLELINE | DT_CENTER);
  EXPECT_TRUE(SameRect(Ink(), RECT{40 - 24, 55 - metrics_.tmHeight, 40 + 24, 55}))
      << "one line at the bottom: " << Describe(Ink());
}

TEST_F(DrawTextTest, PrefixUnderlinesOneCharacter) {
  SetBkMode(memory_.dc(), TRANSPARENT);
  Draw("&Ab", RECT{2, 2, 80, 60}, DT_HIDEPREFIX);
  const auto plain = memory_.Pixels();
  PatBlt(memory_.dc(), 0, 0, 80, 60, WHITENESS);
  Draw("&Ab", RECT{2, 2, 80, 60}, 0);
  const auto marked = memory_.Pixels();
  SIZE a{};
  GetTextExtentPoint32A(memory_.dc(), "A", 1, &a);
  RECT difference{0, 0, 0, 0};
  for (size_t i = 0; i < plain.size(); ++i) {
    if (plain[i] == marked[i]) continue;
    EXPECT_EQ(marked[i], 0u) << "only added black";
    const LONG x = static_cast<LONG>(i % 80), y = static_cast<LONG>(i / 80);
    if (difference.right == 0) difference = RECT{x, y, x + 1, y + 1};
    difference.right = std::max(difference.right, x + 1);
    difference.bottom = std::max(difference.bottom, y + 1);
  }
  EXPECT_EQ(difference.left, 2) << "under the A only";
  EXPECT_EQ(difference.right, 2 + a.cx);
  EXPECT_GT(difference.top, 2 + metrics_.tmAscent - 1) << "below the baseline";
  EXPECT_LE(difference.bottom, 2 + metrics_.tmHeight);

  PatBlt(memory_.dc(), 0, 0, 80, 60, WHITENESS);
  RECT measured{0, 0, 80, 60};
  DrawTextA(memory_.dc(), "&&", -1, &measured, DT_CALCRECT);
  SIZE amp{};
  GetTextExtentPoint32A(memory_.dc(), "&", 1, &amp);
  EXPECT_EQ(measured.right, amp.cx) << "&& is one ampersand";
  DrawTextA(memory_.dc(), "&&", -1, &measured, DT_CALCRECT | DT_NOPREFIX);
  EXPECT_EQ(measured.right, 2 * amp.cx);
}

TEST_F(DrawTextTest, ClipsToTheRectangleUnlessNoClip) {
  const std::string text = Gbk("中文字符串");
  SetBkColor(memory_.dc(), RGB(0, 0, 0));
  const RECT narrow{4, 4, 30, 40};
  Draw(text, narrow, DT_SINGLELINE);
  EXPECT_TRUE(SameRect(Ink(), RECT{4, 4, 30, 4 + metrics_.tmHeight})) << Describe(Ink());
  PatBlt(memory_.dc(), 0, 0, 80, 60, WHITENESS);
  Draw(text, narrow, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_TRUE(SameRect(Ink(), RECT{4, 4, 4 + 60, 4 + metrics_.tmHeight})) << Describe(Ink());
}

TEST_F(DrawTextTest, EllipsisAndTabsChangeWhatIsMeasured) {
  RECT rect{0, 0, 40, 60};
  DrawTextA(memory_.dc(), "abcdefghijklmnop", -1, &rect,
            DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_LE(rect.right, 40) << "cut to fit with the dots";
  rect = RECT{0, 0, 200, 60};
  DrawTextA(memory_.dc(), "a\tb", -1, &rect, DT_CALCRECT | DT_EXPANDTABS);
  SIZE b{};
  GetTextExtentPoint32A(memory_.dc(), "b", 1, &b);
  EXPECT_EQ(rect.right, 8 * metrics_.tmAveCharWidth + b.cx) << "a tab stop every 8 characters";
  // DT_TABSTOP's count takes bits 8-15, DT_CALCRECT's among them: draw and
  // measure the opaque cell instead.
  SetBkColor(memory_.dc(), RGB(0, 0, 0));
  Draw("a\tb", RECT{0, 0, 80, 60}, DT_EXPANDTABS | DT_TABSTOP | (4 << 8));
  EXPECT_EQ(Ink().right, 4 * metrics_.tmAveCharWidth + b.cx) << "DT_TABSTOP: every 4";
}

TEST_F(DrawTextTest, CountsAndFailures) {
  RECT rect{0, 0, 80, 60};
  EXPECT_EQ(DrawTextA(memory_.dc(), "ab\ncd", 2, &rect, DT_CALCRECT), metrics_.tmHeight)
      << "only the first two bytes";
  EXPECT_EQ(DrawTextA(memory_.dc(), "ab\ncd", -1, &rect, DT_CALCRECT), 2 * metrics_.tmHeight);
  rect = RECT{0, 0, 80, 60};
  EXPECT_EQ(DrawTextA(memory_.dc(), "", -1, &rect, DT_CALCRECT), 0);
  EXPECT_EQ(rect.right, 0);
  EXPECT_EQ(rect.bottom, 0);
  EXPECT_EQ(DrawTextA(memory_.dc(), "a", -1, nullptr, 0), 0);
  EXPECT_EQ(DrawTextA(nullptr, "a", -1, &rect, 0), 0);
  EXPECT_EQ(DrawTextA(memory_.dc(), nullptr, 3, &rect, 0), 0);
}

}  // namespace
