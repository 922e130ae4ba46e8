// The EDIT control's text model and line breaking, without any window.
#include "platform/controls/edit_text.h"

#include <gtest/gtest.h>

#include "platform/base/gbk.h"
#include "platform/controls/edit_lines.h"

namespace platform::controls {
namespace {

using gbk::Gbk;

constexpr size_t kNoLimit = 1000;

EditText Single(std::string_view text) {
  EditText t(LineMode::kSingle);
  t.SetText(text);
  return t;
}

EditText Multi(std::string_view text) {
  EditText t(LineMode::kMulti);
  t.SetText(text);
  return t;
}

void Type(EditText& t, std::string_view text) {
  t.ReplaceSelection(text, UndoKind::kTyping, kNoLimit);
}

// ---------------------------------------------------------------------------
// Positions never fall inside a character
// ---------------------------------------------------------------------------

TEST(EditTextPositions, StepOverDoubleByteCharactersWhole) {
  const EditText t = Single(Gbk("a中b"));  // 'a', D6 D0, 'b'
  EXPECT_EQ(t.NextChar(0), 1u);
  EXPECT_EQ(t.NextChar(1), 3u) << "the lead and trail byte are one step";
  EXPECT_EQ(t.PrevChar(3), 1u);
  EXPECT_EQ(t.PrevChar(4), 3u);
  EXPECT_EQ(t.Snap(2), 1u) << "between lead and trail goes back to the lead";
  EXPECT_EQ(t.NextChar(4), 4u);
  EXPECT_EQ(t.PrevChar(0), 0u);
}

TEST(EditTextPositions, TrailBytesThatLookLikeLeadBytesOrAsciiAreNotBoundaries) {
  // Every byte of "中文字" is in the lead-byte range; 0x81 0x40 has an
  // ASCII '@' as its trail byte.
  const EditText chinese = Single(Gbk("中文字"));
  EXPECT_EQ(chinese.Snap(3), 2u);
  EXPECT_EQ(chinese.Snap(5), 4u);
  EXPECT_EQ(chinese.PrevChar(6), 4u);
  const EditText odd = Single("\x81@A");
  EXPECT_EQ(odd.Snap(1), 0u);
  EXPECT_EQ(odd.NextChar(0), 2u);
  EXPECT_EQ(odd.PrevChar(3), 2u);
}

TEST(EditTextPositions, SelectionEndsSnapToCharacterStarts) {
  EditText t = Single(Gbk("中文"));
  t.Select(1, 3);
  EXPECT_EQ(t.anchor(), 0u);
  EXPECT_EQ(t.caret(), 2u);
  t.Select(99, 0);
  EXPECT_EQ(t.anchor(), 4u) << "clamped to the text";
  EXPECT_EQ(t.SelStart(), 0u);
  EXPECT_EQ(t.SelEnd(), 4u);
}

TEST(EditTextPositions, MultiLineTextStepsOverLineBreaksWhole) {
  const EditText multi = Multi("ab\r\ncd");
  EXPECT_EQ(multi.NextChar(2), 4u);
  EXPECT_EQ(multi.PrevChar(4), 2u);
  EXPECT_EQ(multi.Snap(3), 2u);
  const EditText single = Single("ab\r\ncd");
  EXPECT_EQ(single.NextChar(2), 3u) << "a single-line box has no line breaks";
}

// ---------------------------------------------------------------------------
// Editing
// ---------------------------------------------------------------------------

TEST(EditTextEditing, BackspaceAndDeleteRemoveWholeCharacters) {
  EditText t = Single(Gbk("a中b"));
  t.Select(3, 3);
  ASSERT_TRUE(t.DeleteChar(false));
  EXPECT_EQ(t.text(), "ab");
  EXPECT_EQ(t.caret(), 1u);
  t.SetText(Gbk("a中b"));
  t.Select(1, 1);
  ASSERT_TRUE(t.DeleteChar(true));
  EXPECT_EQ(t.text(), "ab");
  t.Select(0, 0);
  EXPECT_FALSE(t.DeleteChar(false)) << "nothing before the start";
}

TEST(EditTextEditing, TheLimitRefusesADoubleByteCharacterThatWouldNotFitWhole) {
  EditText t = Single("abc");
  t.Select(3, 3);
  EditText::Replaced r = t.ReplaceSelection(Gbk("中"), UndoKind::kTyping, 4);
  EXPECT_FALSE(r.changed);
  EXPECT_TRUE(r.truncated);
  EXPECT_EQ(t.text(), "abc");
  r = t.ReplaceSelection(Gbk("d中"), UndoKind::kOther, 4);
  EXPECT_TRUE(r.changed);
  EXPECT_TRUE(r.truncated);
  EXPECT_EQ(t.text(), "abcd") << "what fits goes in, the half character does not";
  t.Select(2, 4);
  r = t.ReplaceSelection(Gbk("中"), UndoKind::kTyping, 4);
  EXPECT_TRUE(r.changed) << "the selection it replaces makes room";
  EXPECT_FALSE(r.truncated);
  EXPECT_EQ(t.text(), Gbk("ab中"));
}

TEST(EditTextEditing, ALineBreakIsNotSplitByTheLimitNorALeadByteLeftDangling) {
  EditText t = Multi("ab");
  t.Select(2, 2);
  EXPECT_FALSE(t.ReplaceSelection("\r\n", UndoKind::kTyping, 3).changed);
  EXPECT_EQ(t.text(), "ab");
  EditText s = Single("ab");
  s.Select(1, 1);
  s.ReplaceSelection("x\xD6", UndoKind::kOther, kNoLimit);
  EXPECT_EQ(s.text(), "axb") << "a lone lead byte would swallow the 'b'";
}

TEST(EditTextEditing, CaseConversionLeavesTrailBytesAlone) {
  std::string upper =
      "a\x81"
      "az";  // 0x81 0x61: a double-byte character
  ConvertCase(upper, CaseConversion::kUpper);
  EXPECT_EQ(upper,
            "A\x81"
            "aZ");
  std::string lower =
      "Q\x81"
      "AB";
  ConvertCase(lower, CaseConversion::kLower);
  EXPECT_EQ(lower,
            "q\x81"
            "Ab");
}

// ---------------------------------------------------------------------------
// Undo: one level; a second undo redoes
// ---------------------------------------------------------------------------

TEST(EditTextUndo, TypingIsOneStepAndUndoTwiceRedoes) {
  EditText t = Single("x");
  t.Select(1, 1);
  Type(t, "a");
  Type(t, Gbk("中"));
  Type(t, "c");
  ASSERT_TRUE(t.CanUndo());
  ASSERT_TRUE(t.Undo());
  EXPECT_EQ(t.text(), "x");
  EXPECT_EQ(t.caret(), 1u);
  ASSERT_TRUE(t.Undo());
  EXPECT_EQ(t.text(), "x" + Gbk("a中c"));
  EXPECT_EQ(t.SelStart(), 1u) << "the redone text comes back selected";
  EXPECT_EQ(t.SelEnd(), 5u);
  EXPECT_TRUE(t.modified());
}

TEST(EditTextUndo, BackspaceShortensTypingAndRunsOfDeletesJoin) {
  EditText t = Single("");
  Type(t, "abc");
  t.DeleteChar(false);
  ASSERT_TRUE(t.Undo());
  EXPECT_EQ(t.text(), "") << "typing less what was rubbed out";

  t.SetText(Gbk("12中4"));
  t.Select(5, 5);
  t.DeleteChar(false);
  t.DeleteChar(false);
  t.Select(0, 0);
  ASSERT_TRUE(t.Undo());
  EXPECT_EQ(t.text(), Gbk("12中4"));
  t.SetText("abcd");
  t.Select(1, 1);
  t.DeleteChar(true);
  t.DeleteChar(true);
  ASSERT_TRUE(t.Undo());
  EXPECT_EQ(t.text(), "abcd");
}

TEST(EditTextUndo, ReplacingASelectionUndoesToTheOldTextAndSetTextForgets) {
  EditText t = Single("hello world");
  t.Select(0, 5);
  t.ReplaceSelection("bye", UndoKind::kOther, kNoLimit);
  Type(t, "!");
  ASSERT_TRUE(t.Undo());
  EXPECT_EQ(t.text(), "bye world") << "the typing after the paste is its own step";
  t.SetText("new");
  EXPECT_FALSE(t.CanUndo());
  EXPECT_FALSE(t.modified());
  t.ReplaceSelection("x", UndoKind::kNone, kNoLimit);
  EXPECT_FALSE(t.CanUndo()) << "a replacement that cannot be undone empties the buffer";
  EXPECT_TRUE(t.modified());
}

// ---------------------------------------------------------------------------
// Words
// ---------------------------------------------------------------------------

TEST(EditTextWords, WordsAreRunsOfLettersAndDigitsOrOfDoubleByteCharacters) {
  const EditText t = Single(Gbk("ab12 中文xy, z"));
  EXPECT_EQ(t.WordAt(1), std::make_pair(size_t{0}, size_t{4}));
  EXPECT_EQ(t.WordAt(7), std::make_pair(size_t{5}, size_t{9})) << "inside 文: 中文";
  EXPECT_EQ(t.WordAt(9), std::make_pair(size_t{9}, size_t{11}));
  EXPECT_EQ(t.WordAt(11), std::make_pair(size_t{11}, size_t{12})) << "a mark alone";
  EXPECT_EQ(t.NextWordStart(0), 5u);
  EXPECT_EQ(t.NextWordStart(5), 9u) << "Chinese then Latin are two words";
  EXPECT_EQ(t.PrevWordStart(9), 5u);
  EXPECT_EQ(t.PrevWordStart(5), 0u);
  EXPECT_EQ(t.PrevWordStart(t.size()), 13u);
}

// ---------------------------------------------------------------------------
// Line breaking (every single byte 10 pixels, every double-byte one 20)
// ---------------------------------------------------------------------------

int FixedAdvance(std::string_view ch, int x) {
  if (ch == "\t") return (x / 40 + 1) * 40 - x;
  return static_cast<int>(ch.size()) * 10;
}

struct Span {
  size_t start, end;
  bool operator==(const Span&) const = default;
};

std::vector<Span> Spans(std::string_view text, Wrapping wrapping, int width) {
  std::vector<Span> spans;
  for (const EditLine& l : BreakLines(text, wrapping, width, FixedAdvance)) {
    spans.push_back({l.start, l.end});
  }
  return spans;
}

void PrintTo(const Span& s, std::ostream* os) { *os << "[" << s.start << "," << s.end << ")"; }

TEST(EditLines, HardBreaksAndTheEmptyLastLine) {
  EXPECT_EQ(Spans("ab\r\ncd\r\n", Wrapping::kHardBreaksOnly, 1000),
            (std::vector<Span>{{0, 2}, {4, 6}, {8, 8}}));
  EXPECT_EQ(Spans("", Wrapping::kHardBreaksOnly, 1000), (std::vector<Span>{{0, 0}}));
  EXPECT_EQ(Spans("ab\r\ncd", Wrapping::kSingleLine, 10), (std::vector<Span>{{0, 6}}));
}

TEST(EditLines, WrapsAfterSpacesWhichHangPastTheEdge) {
  EXPECT_EQ(Spans("aaa bbb ccc", Wrapping::kWrap, 75), (std::vector<Span>{{0, 8}, {8, 11}}));
  EXPECT_EQ(Spans("abcdefghij", Wrapping::kWrap, 35),
            (std::vector<Span>{{0, 3}, {3, 6}, {6, 9}, {9, 10}}))
      << "a word longer than the line breaks where it must";
  EXPECT_EQ(Spans("ab\r\nabcd", Wrapping::kWrap, 35), (std::vector<Span>{{0, 2}, {4, 7}, {7, 8}}));
}

TEST(EditLines, DoubleByteTextBreaksBetweenAnyTwoCharacters) {
  const std::string chinese = Gbk("中文中文");
  EXPECT_EQ(Spans(chinese, Wrapping::kWrap, 45), (std::vector<Span>{{0, 4}, {4, 8}}));
  const std::string mixed = Gbk("ab中文cd");  // a b 中 | 文 c d
  EXPECT_EQ(Spans(mixed, Wrapping::kWrap, 45), (std::vector<Span>{{0, 4}, {4, 8}}));
  EXPECT_EQ(Spans(Gbk("中") + "abcd", Wrapping::kWrap, 45), (std::vector<Span>{{0, 2}, {2, 6}}))
      << "the Latin word moves down whole after the Chinese character";
}

TEST(EditLines, TabsAdvanceToTheNextStopOfTheirLine) {
  // "a\tb": a (10), tab to 40, b (50): fits in 50 but not in 45.
  EXPECT_EQ(Spans("a\tb", Wrapping::kWrap, 50), (std::vector<Span>{{0, 3}}));
  EXPECT_EQ(Spans("a\tb", Wrapping::kWrap, 45), (std::vector<Span>{{0, 2}, {2, 3}}));
}

TEST(EditLines, TheSeamOfAWrappedLineBelongsToTheNextLineUnlessAfterWrap) {
  const auto lines = BreakLines("abcdef", Wrapping::kWrap, 35, FixedAdvance);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[0].soft);
  EXPECT_EQ(LineOf(lines, 3), 1u);
  EXPECT_EQ(LineOf(lines, 3, true), 0u);
  EXPECT_EQ(LineOf(lines, 2, true), 0u);
  EXPECT_EQ(LineOf(lines, 99), 1u);
}

}  // namespace
}  // namespace platform::controls
