#include "runtime/commands/to_integer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/base/gbk.h"
#include "runtime/commands/commands.h"

namespace runtime {
namespace {

using platform::gbk::Gbk;

int32_t ToIntegerOf(ValueRecord argument) {
  ValueRecord r = CallCommand(ToInteger, 1, &argument);
  EXPECT_EQ(r.type, type::kNone) << "the command writes only the value word";
  return r.AsInt32();
}

int32_t ToIntegerOfText(const std::string& gbk) { return ToIntegerOf(TextValue(gbk.c_str())); }

struct TextCase {
  const char* utf8;
  int32_t expected;
};

TEST(ToInteger, TypedTextWithFullWidthForms) {
  const TextCase cases[] = {
      {"33", 33},     {" 33", 33},           {"　33", 33},  {"３３", 33},  {"－５", -5},
      {"＋７", 7},    {"　－１２．７", -12}, {"1２3", 123}, {"12abc", 12}, {"abc", 0},
      {"", 0},        {"  \t\r\n", 0},       {"+7", 7},     {"- 7", 0},    {"12.7", 12},
      {"-12.7", -12}, {"0x10", 0},           {"1e3", 1},    {"--5", 0},    {"中5", 0},
      {"5中", 5},     {"\v\f42", 42},        {"～5", 0},    {"★5", 0},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(ToIntegerOfText(Gbk(c.utf8)), c.expected) << "text: " << c.utf8;
  }
}

TEST(ToInteger, DigitsWrapModulo2To32) {
  EXPECT_EQ(ToIntegerOfText("4294967297"), 1);
  EXPECT_EQ(ToIntegerOfText("2147483648"), INT32_MIN);
  EXPECT_EQ(ToIntegerOfText("-2147483648"), INT32_MIN);
  EXPECT_EQ(ToIntegerOfText("2147483647"), INT32_MAX);
  EXPECT_EQ(ToIntegerOfText("99999999999"), static_cast<int32_t>(99999999999ll & 0xFFFFFFFF));
  EXPECT_EQ(ToIntegerOfText(Gbk("４２９４９６７２９７")), 1) << "full-width digits wrap too";
}

TEST(ToInteger, LoneLeadByteEndsTheText) {
  EXPECT_EQ(ToIntegerOfText("5\xB0"), 5);
  EXPECT_EQ(ToIntegerOfText("\xB0"), 0);
  EXPECT_EQ(ToIntegerOfText("\xA3"), 0) << "the lead byte of a full-width form, cut off";
  // A byte of 0x80 or more always takes the next byte with it, even when that
  // next byte is a digit: "\x81" "5" is one character, not a digit.
  EXPECT_EQ(ToIntegerOfText(" \x81"
                            "5"),
            0);
}

TEST(ToInteger, NonTextArguments) {
  EXPECT_EQ(ToIntegerOf(TextValue(nullptr)), 0) << "null is the empty text";
  EXPECT_EQ(ToIntegerOf(BoolValue(true)), 1);
  ValueRecord true_as_minus_one = BoolValue(true);
  true_as_minus_one.low = 0xFFFFFFFF;
  EXPECT_EQ(ToIntegerOf(true_as_minus_one), -1) << "a logical passes unchanged";
  EXPECT_EQ(ToIntegerOf(ByteValue(250)), 250);
  EXPECT_EQ(ToIntegerOf(ShortValue(-300)), -300);
  EXPECT_EQ(ToIntegerOf(LongValue(0x1FFFFFFFFll)), -1);
  EXPECT_EQ(ToIntegerOf(DateTimeValue(45000.5)), 0);
  EXPECT_EQ(ToIntegerOf(ByteSetValue(nullptr)), 0);
  ValueRecord code{0x1234, 0, type::kCodeAddress};
  EXPECT_EQ(ToIntegerOf(code), 0x1234);
  EXPECT_EQ(CallCommand(ToInteger, 0, nullptr).AsInt32(), 0) << "no argument at all";
  ValueRecord omitted{};
  EXPECT_EQ(ToIntegerOf(omitted), 0);
}

TEST(ToInteger, FloatsTruncateThroughSixtyFourBits) {
  EXPECT_EQ(ToIntegerOf(FloatValue(2.5f)), 2);
  EXPECT_EQ(ToIntegerOf(FloatValue(-2.5f)), -2);
  EXPECT_EQ(ToIntegerOf(DoubleValue(12.9)), 12);
  EXPECT_EQ(ToIntegerOf(DoubleValue(-12.9)), -12);
  EXPECT_EQ(ToIntegerOf(DoubleValue(2147483648.0)), INT32_MIN);
  EXPECT_EQ(ToIntegerOf(DoubleValue(4294967296.0)), 0);
  EXPECT_EQ(ToIntegerOf(DoubleValue(4294967301.7)), 5);
  EXPECT_EQ(ToIntegerOf(DoubleValue(1e19)), 0) << "beyond the 64-bit range";
  EXPECT_EQ(ToIntegerOf(DoubleValue(-4294967297.0)), -1);
  EXPECT_EQ(ToIntegerOf(DoubleValue(std::nan(""))), 0);
  EXPECT_EQ(ToIntegerOf(FloatValue(-INFINITY)), 0);
}

}  // namespace
}  // namespace runtime
