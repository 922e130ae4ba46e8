#include "runtime/commands/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/base/gbk.h"

namespace runtime {
namespace {

using platform::gbk::Gbk;

std::string TextOf(const ValueRecord& value) {
  char out[kNumberTextSize];
  std::memset(out, 'x', sizeof out);
  out[0] = '\0';
  NumberToText(value, out);
  return out;
}

std::string DateOf(double days) {
  char out[kNumberTextSize];
  DateTimeText(days, out);
  return out;
}

TEST(NumberToText, Integers) {
  EXPECT_EQ(TextOf(ByteValue(200)), "200");
  EXPECT_EQ(TextOf(ShortValue(-32768)), "-32768");
  EXPECT_EQ(TextOf(IntValue(-5)), "-5");
  EXPECT_EQ(TextOf(LongValue(INT64_MIN)), "-9223372036854775808");
}

TEST(NumberToText, SingleFloatsRoundToSixDigits) {
  EXPECT_EQ(TextOf(FloatValue(0.1f)), "0.1");
  EXPECT_EQ(TextOf(FloatValue(1.0f / 3.0f)), "0.333333");
  EXPECT_EQ(TextOf(FloatValue(2.0f / 3.0f)), "0.666667");
  EXPECT_EQ(TextOf(FloatValue(-0.3f)), "-0.3");
  EXPECT_EQ(TextOf(FloatValue(123456.0f)), "123456");
  EXPECT_EQ(TextOf(FloatValue(1e20f)), "1e+020");
  EXPECT_EQ(TextOf(FloatValue(-1e-20f)), "-1e-020");
  EXPECT_EQ(TextOf(FloatValue(3.4028235e38f)), "3.40282e+038");
  EXPECT_EQ(TextOf(FloatValue(0.0001f)), "0.0001");
  EXPECT_EQ(TextOf(FloatValue(0.00001f)), "1e-005");
  // Subnormals keep six digits: scaled from the exponent field alone, the
  // smallest one would come out as "0".
  EXPECT_EQ(TextOf(FloatValue(1e-40f)), "9.99995e-041");
  EXPECT_EQ(TextOf(FloatValue(1.4e-45f)), "1.4013e-045");
}

TEST(NumberToText, SingleFloatHalvesRoundAwayFromZero) {
  // 1.953125 and 3.515625 are exact in a float and end in a 5 in the seventh
  // digit; the C library alone would round these ties to even (1.95312).
  EXPECT_EQ(TextOf(FloatValue(1.953125f)), "1.95313");
  EXPECT_EQ(TextOf(FloatValue(-1.953125f)), "-1.95313");
  EXPECT_EQ(TextOf(FloatValue(3.515625f)), "3.51563");
  EXPECT_EQ(TextOf(FloatValue(0.001953125f)), "0.00195313");
}

TEST(NumberToText, NegativeZeroAndNonFiniteValuesKeepTheirSign) {
  EXPECT_EQ(TextOf(FloatValue(0.0f)), "0");
  EXPECT_EQ(TextOf(FloatValue(-0.0f)), "-0");
  EXPECT_EQ(TextOf(DoubleValue(-0.0)), "-0");
  EXPECT_EQ(TextOf(FloatValue(INFINITY)), "inf");
  EXPECT_EQ(TextOf(DoubleValue(-INFINITY)), "-inf");
}

TEST(NumberToText, DoublesUseThirteenDigits) {
  EXPECT_EQ(TextOf(DoubleValue(1.0 / 3.0)), "0.3333333333333");
  EXPECT_EQ(TextOf(DoubleValue(0.1)), "0.1");
  EXPECT_EQ(TextOf(DoubleValue(1e100)), "1e+100");
  EXPECT_EQ(TextOf(DoubleValue(1e-300)), "1e-300");
  EXPECT_EQ(TextOf(DoubleValue(1234567890123.0)), "1234567890123");
  EXPECT_EQ(TextOf(DoubleValue(12345678901234.0)), "1.234567890123e+013");
  EXPECT_EQ(TextOf(DoubleValue(std::numeric_limits<double>::max())), "1.797693134862e+308");
}

TEST(NumberToText, OtherKindsWriteNothing) {
  EXPECT_EQ(TextOf(TextValue("7")), "");
  EXPECT_EQ(TextOf(BoolValue(true)), "");
  EXPECT_EQ(TextOf(ValueRecord{}), "");
}

TEST(LogicalText, TrueIsAnyNonZeroValue) {
  EXPECT_EQ(std::string(LogicalText(1)), Gbk("真"));
  EXPECT_EQ(std::string(LogicalText(-7)), Gbk("真"));
  EXPECT_EQ(std::string(LogicalText(0)), Gbk("假"));
}

TEST(DateTimeText, DatesAndTheTimeParts) {
  EXPECT_EQ(DateOf(0.0), Gbk("1899年12月30日"));
  EXPECT_EQ(DateOf(2.0), Gbk("1900年1月1日"));
  EXPECT_EQ(DateOf(45351.0 + 13.0 / 24), Gbk("2024年2月29日13时"));
  EXPECT_EQ(DateOf(45351.0 + (13 * 60 + 5) / 1440.0), Gbk("2024年2月29日13时5分"));
  EXPECT_EQ(DateOf(45351.0 + 30.0 / 86400), Gbk("2024年2月29日0时0分30秒"));
}

TEST(DateTimeText, LeapYearsFollowTheGregorianRules) {
  EXPECT_EQ(DateOf(60.0), Gbk("1900年2月28日"));  // 1900 is no leap year
  EXPECT_EQ(DateOf(61.0), Gbk("1900年3月1日"));
  EXPECT_EQ(DateOf(36585.0), Gbk("2000年2月29日"));  // 2000 is one
  EXPECT_EQ(DateOf(73110.0), Gbk("2100年3月1日"));   // 2100 is not
}

TEST(DateTimeText, TimeRoundsToTheSecondAndCarriesIntoTheNextDay) {
  EXPECT_EQ(DateOf(1.0 + 0.4 / 86400), Gbk("1899年12月31日"));
  EXPECT_EQ(DateOf(1.0 + 0.5 / 86400), Gbk("1899年12月31日0时0分1秒"));
  EXPECT_EQ(DateOf(1.0 - 0.2 / 86400), Gbk("1899年12月31日"));
}

TEST(DateTimeText, BeforeTheEpochTheFractionIsStillTheTimeOfDay) {
  EXPECT_EQ(DateOf(-1.25), Gbk("1899年12月29日6时"));
  EXPECT_EQ(DateOf(-0.5), Gbk("1899年12月30日12时"));
}

TEST(DateTimeText, ClampsToTheYears100To9999) {
  EXPECT_EQ(DateOf(-657434.0), Gbk("100年1月1日"));
  EXPECT_EQ(DateOf(-1e9), Gbk("100年1月1日"));
  EXPECT_EQ(DateOf(2958465.0), Gbk("9999年12月31日"));
  EXPECT_EQ(DateOf(2958465.75), Gbk("9999年12月31日")) << "the clamp drops the time";
  EXPECT_EQ(DateOf(INFINITY), Gbk("9999年12月31日"));
  EXPECT_EQ(DateOf(std::nan("")), Gbk("1899年12月30日"));
}

}  // namespace
}  // namespace runtime
