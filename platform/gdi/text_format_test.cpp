// DrawTextA's line layout with made-up widths: single-byte characters 6
// pixels wide, double-byte ones 12, tab stops every 48.
#include "platform/gdi/text_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/gbk.h"

namespace {

using platform::gdi::DrawTextLine;
using platform::gdi::DrawTextRules;
using platform::gdi::FormatDrawText;

DrawTextRules Rules(UINT format, int max_width = 1000, int char_extra = 0) {
  DrawTextRules rules;
  rules.format = format;
  rules.max_width = max_width;
  rules.tab_width = 48;
  rules.char_extra = char_extra;
  rules.advance = [](char32_t code) { return code < 0x80 ? 6 : 12; };
  return rules;
}

// The lines as UTF-8, for readable expectations.
std::vector<std::string> Texts(const std::vector<DrawTextLine>& lines) {
  std::vector<std::string> texts;
  for (const DrawTextLine& line : lines) texts.push_back(platform::gbk::ToUtf8(line.text));
  return texts;
}

std::vector<std::string> Format(const char* utf8, UINT format, int max_width = 1000) {
  return Texts(FormatDrawText(platform::gbk::Gbk(utf8), Rules(format, max_width)));
}

using Lines = std::vector<std::string>;

TEST(DrawTextLines, EndAtEveryKindOfLineBreak) {
  EXPECT_EQ(Format("ab\r\ncd\nef\rgh", 0), (Lines{"ab", "cd", "ef", "gh"}));
  EXPECT_EQ(Format("a\n\nb", 0), (Lines{"a", "", "b"})) << "empty lines count";
  EXPECT_EQ(Format("a\n", 0), (Lines{"a"})) << "a break at the end starts no line";
  EXPECT_EQ(Format("", 0), Lines{}) << "no text, no line";
  EXPECT_EQ(Format("\n", 0), (Lines{""}));
}

TEST(DrawTextLines, SingleLineDrawsBreaksAsNothing) {
  const auto lines = FormatDrawText("ab\r\ncd", Rules(DT_SINGLELINE | DT_WORDBREAK, 10));
  ASSERT_EQ(lines.size(), 1u) << "no breaking of any kind";
  EXPECT_EQ(lines[0].text, "ab  cd");
  EXPECT_EQ(lines[0].dx, (std::vector<INT>{6, 6, 0, 0, 6, 6}));
  EXPECT_EQ(lines[0].width, 24);
}

TEST(DrawTextLines, WordBreakBreaksAfterSpacesAndDropsThem) {
  EXPECT_EQ(Format("aaa bbb ccc", DT_WORDBREAK, 45), (Lines{"aaa bbb", "ccc"}));
  EXPECT_EQ(Format("aaa    bbb", DT_WORDBREAK, 20), (Lines{"aaa", "bbb"}));
  EXPECT_EQ(Format("aaa bbb", DT_WORDBREAK, 42), (Lines{"aaa bbb"})) << "exactly fits";
  const auto lines = FormatDrawText("aaa bbb ccc", Rules(DT_WORDBREAK, 45));
  EXPECT_EQ(lines[0].width, 42);
  EXPECT_EQ(lines[1].width, 18);
  EXPECT_EQ(Format("aaa bbb", DT_WORDBREAK, 20), (Lines{"aaa", "bbb"}));
  EXPECT_EQ(Format("one two\nthree", DT_WORDBREAK, 30), (Lines{"one", "two", "three"}));
}

TEST(DrawTextLines, WordBreakBreaksBetweenDoubleByteCharacters) {
  EXPECT_EQ(Format("中文字符", DT_WORDBREAK, 30), (Lines{"中文", "字符"}));
  EXPECT_EQ(Format("ab中文", DT_WORDBREAK, 20), (Lines{"ab", "中", "文"}));
  EXPECT_EQ(Format("中ab", DT_WORDBREAK, 14), (Lines{"中", "ab"}));
  EXPECT_EQ(Format("中 文", DT_WORDBREAK, 14), (Lines{"中", "文"}));
}

TEST(DrawTextLines, WordsWiderThanTheLineBreakBetweenCharacters) {
  EXPECT_EQ(Format("abcdefgh", DT_WORDBREAK, 20), (Lines{"abc", "def", "gh"}));
  EXPECT_EQ(Format("ab cdefghij", DT_WORDBREAK, 20), (Lines{"ab", "cde", "fgh", "ij"}));
  EXPECT_EQ(Format("abc", DT_WORDBREAK, 0), (Lines{"a", "b", "c"}))
      << "a line holds at least one character";
}

TEST(DrawTextLines, PrefixesUnderlineTheNextCharacter) {
  auto lines = FormatDrawText("&Open", Rules(0));
  EXPECT_EQ(lines[0].text, "Open");
  ASSERT_EQ(lines[0].underlines.size(), 1u);
  EXPECT_EQ(lines[0].underlines[0].first, 0);
  EXPECT_EQ(lines[0].underlines[0].last, 6);
  lines = FormatDrawText(platform::gbk::Gbk("中&文"), Rules(0));
  ASSERT_EQ(lines[0].underlines.size(), 1u);
  EXPECT_EQ(lines[0].underlines[0].first, 12);
  EXPECT_EQ(lines[0].underlines[0].last, 24);
  lines = FormatDrawText("a&&b&", Rules(0));
  EXPECT_EQ(lines[0].text, "a&b") << "&& is one &, a lone & at the end goes";
  EXPECT_TRUE(lines[0].underlines.empty());
  EXPECT_EQ(FormatDrawText("&x", Rules(DT_NOPREFIX))[0].text, "&x");
  lines = FormatDrawText("&x", Rules(DT_HIDEPREFIX));
  EXPECT_EQ(lines[0].text, "x");
  EXPECT_TRUE(lines[0].underlines.empty());
}

TEST(DrawTextLines, TabsGoToTheNextStopOnlyWhenExpanded) {
  auto lines = FormatDrawText("a\tb\tc", Rules(DT_EXPANDTABS));
  EXPECT_EQ(lines[0].text, "a b c");
  EXPECT_EQ(lines[0].dx, (std::vector<INT>{6, 42, 6, 42, 6}));
  lines = FormatDrawText("a\tb", Rules(0));
  EXPECT_EQ(lines[0].dx, (std::vector<INT>{6, 0, 6})) << "a tab is nothing";
  // Stops count from the start of each wrapped line.
  lines = FormatDrawText("aaaaaaa aa\tb", Rules(DT_EXPANDTABS | DT_WORDBREAK, 54));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].dx, (std::vector<INT>{6, 6, 36, 6}));
}

TEST(DrawTextLines, CharacterExtraWidensEverythingButTabsAndUnderlines) {
  const auto lines =
      FormatDrawText(platform::gbk::Gbk("&中a\tb"), Rules(DT_EXPANDTABS, 1000, /*char_extra=*/2));
  EXPECT_EQ(lines[0].dx, (std::vector<INT>{14, 0, 8, 26, 8}));
  ASSERT_EQ(lines[0].underlines.size(), 1u);
  EXPECT_EQ(lines[0].underlines[0].last, 12) << "the glyph's own width";
}

TEST(DrawTextLines, EndEllipsisCutsWideLines) {
  auto lines = FormatDrawText("abcdefghij", Rules(DT_SINGLELINE | DT_END_ELLIPSIS, 40));
  EXPECT_EQ(lines[0].text, "abc...");
  EXPECT_EQ(lines[0].width, 36);
  lines = FormatDrawText("abcdef", Rules(DT_SINGLELINE | DT_END_ELLIPSIS, 36));
  EXPECT_EQ(lines[0].text, "abcdef") << "fits: untouched";
  lines = FormatDrawText(platform::gbk::Gbk("中文字符"), Rules(DT_END_ELLIPSIS, 40));
  EXPECT_EQ(platform::gbk::ToUtf8(lines[0].text), "中...") << "whole characters only";
  lines = FormatDrawText("abcdef\nab", Rules(DT_END_ELLIPSIS, 30));
  EXPECT_EQ(Texts(lines), (Lines{"ab...", "ab"})) << "line by line";
}

}  // namespace
