// The text a value is written as, and where texts break into lines.
#include "runtime/units/drawpanel/value_text.h"

#include <gtest/gtest.h>

#include "platform/base/gbk.h"

namespace runtime::units::drawpanel {
namespace {

using platform::gbk::Gbk;

TEST(ValueText, EveryWrittenKindHasItsText) {
  EXPECT_EQ(ValueText(TextValue("ab")), "ab");
  EXPECT_EQ(ValueText(TextValue(nullptr)), "") << "a null text is the empty text";
  EXPECT_EQ(ValueText(ArgumentRecord{}), "") << "an omitted value";
  EXPECT_EQ(ValueText(IntValue(-42)), "-42");
  EXPECT_EQ(ValueText(ByteValue(200)), "200") << "bytes are unsigned";
  EXPECT_EQ(ValueText(ShortValue(-7)), "-7");
  EXPECT_EQ(ValueText(LongValue(int64_t{1} << 40)), "1099511627776");
  EXPECT_EQ(ValueText(FloatValue(1.5f)), "1.5");
  EXPECT_EQ(ValueText(DoubleValue(0.1)), "0.1");
  EXPECT_EQ(ValueText(DoubleValue(1e20)), "1e+020") << "the runtime's three-digit exponents";
  EXPECT_EQ(ValueText(BoolValue(true)), Gbk("真"));
  EXPECT_EQ(ValueText(BoolValue(false)), Gbk("假"));
  EXPECT_EQ(ValueText(DateTimeValue(45351.0 + 13.0 / 24)), Gbk("2024年2月29日13时"));
  EXPECT_EQ(ValueText(DateTimeValue(45351.0 + 13.5 / 24)), Gbk("2024年2月29日13时30分"));
  EXPECT_EQ(ValueText(DateTimeValue(45351.0)), Gbk("2024年2月29日"));
}

TEST(ValueText, ByteSetsArraysAndUnitsAreNotWritten) {
  const uint8_t bytes[] = {1, 0, 0, 0, 2, 0, 0, 0, 'a', 'b'};
  EXPECT_FALSE(ValueText(ByteSetValue(bytes)));
  ValueRecord array{};
  array.type = ArrayOf(type::kText);
  EXPECT_FALSE(ValueText(array));
  EXPECT_FALSE(ValueText(UnitReference(0x52010001, 0x16010005, 0x00010008)));
  ValueRecord other{};
  other.type = type::kCodeAddress;
  EXPECT_FALSE(ValueText(other));
}

using Lines = std::vector<std::string_view>;

TEST(SplitLines, CrLfIsOneBreakEveryOtherCrOrLfOneEach) {
  EXPECT_EQ(SplitLines(""), Lines{""});
  EXPECT_EQ(SplitLines("ab"), Lines{"ab"});
  EXPECT_EQ(SplitLines("a\r\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitLines("a\n\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines("a\rb"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"})) << "LF CR is two breaks";
  EXPECT_EQ(SplitLines("a\r\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines("ab\n"), (Lines{"ab", ""})) << "a final break leaves an empty line";
  EXPECT_EQ(SplitLines("\r\n"), (Lines{"", ""}));
}

TEST(SplitLines, DoubleByteTextIsNeverCutInsideACharacter) {
  const std::string text = Gbk("画板\n文字");
  const std::string first = Gbk("画板"), second = Gbk("文字");
  EXPECT_EQ(SplitLines(text), (Lines{first, second}));
}

}  // namespace
}  // namespace runtime::units::drawpanel
