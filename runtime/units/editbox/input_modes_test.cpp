// Keystroke filters and focus-leave normalisation of the input modes, and
// typed date-times.
#include "runtime/units/editbox/input_modes.h"

#include <gtest/gtest.h>

namespace runtime::units::editbox {
namespace {

TEST(InputModes, FiltersLetOnlyTheirCharactersThroughButAlwaysControlKeys) {
  EXPECT_FALSE(AcceptsCharacter(kByte, '-'));
  EXPECT_TRUE(AcceptsCharacter(kByte, '7'));
  EXPECT_FALSE(AcceptsCharacter(kInteger, '.'));
  EXPECT_TRUE(AcceptsCharacter(kInteger, '-'));
  EXPECT_TRUE(AcceptsCharacter(kDouble, '.'));
  EXPECT_FALSE(AcceptsCharacter(kIntegerText, 'a'));
  EXPECT_FALSE(AcceptsCharacter(kFloat, 0xD6));  // a GBK lead byte
  EXPECT_TRUE(AcceptsCharacter(kDateTime, 0xD6));
  EXPECT_TRUE(AcceptsCharacter(kNormal, 'x'));
  for (int32_t mode = 0; mode <= kLastInputMode; ++mode) {
    EXPECT_TRUE(AcceptsCharacter(mode, '\b')) << mode;
  }
}

TEST(InputModes, NumbersAreClampedToTheirTypeAndZeroBecomesEmpty) {
  EXPECT_EQ(NormaliseText(kByte, "300"), "255");
  EXPECT_EQ(NormaliseText(kByte, "0"), "");
  EXPECT_EQ(NormaliseText(kByte, "abc"), "");
  EXPECT_EQ(NormaliseText(kShort, "-40000"), "-32768");
  EXPECT_EQ(NormaliseText(kShort, "007"), "7");
  EXPECT_EQ(NormaliseText(kInteger, "99999999999"), "2147483647");
  EXPECT_EQ(NormaliseText(kLong, "-99999999999"), "-99999999999");
  EXPECT_EQ(NormaliseText(kLong, "99999999999999999999999"), "9223372036854775807");
  EXPECT_EQ(NormaliseText(kFloat, "0.1"), "0.1");
  EXPECT_EQ(NormaliseText(kDouble, "-2.50"), "-2.5");
  EXPECT_EQ(NormaliseText(kDouble, "0.0"), "");
  EXPECT_EQ(NormaliseText(kIntegerText, "0"), "0") << "text modes keep what was typed";
  EXPECT_EQ(NormaliseText(kNormal, " a "), " a ");
}

TEST(InputModes, DateTimesTakeFullWidthDigitsMarksAndSeparators) {
  // "２０２４年２月２９日13时5分" with full-width digits.
  const std::string full =
      "\xA3\xB2\xA3\xB0\xA3\xB2\xA3\xB4\xC4\xEA\xA3\xB2\xD4\xC2\xA3\xB2"
      "\xA3\xB9\xC8\xD5"
      "13\xCA\xB1"
      "5\xB7\xD6";
  EXPECT_EQ(NormaliseText(kDateTime, full),
            "2024\xC4\xEA"
            "2\xD4\xC2"
            "29\xC8\xD5"
            "13\xCA\xB1"
            "5\xB7\xD6");
  EXPECT_EQ(NormaliseText(kDateTime, "2024-2-29"),
            "2024\xC4\xEA"
            "2\xD4\xC2"
            "29\xC8\xD5");
  EXPECT_EQ(*ParseDateTime("1899/12/30"), 0.0);
  EXPECT_EQ(NormaliseText(kDateTime, "1899/12/30"), "") << "the zero date";
  EXPECT_EQ(*ParseDateTime("1900-1-1 12:00:00"), 2.5);
  EXPECT_TRUE(ParseDateTime("2000.1.2 3:4:5\xC3\xEB").has_value()) << "may end with 秒";
}

TEST(InputModes, DatesOutsideTheirMonthsOrRangesAreRejected) {
  EXPECT_TRUE(ParseDateTime("2000-2-29"));
  EXPECT_FALSE(ParseDateTime("1900-2-29")) << "divisible by 100, not by 400";
  EXPECT_FALSE(ParseDateTime("2023-2-29"));
  EXPECT_FALSE(ParseDateTime("2024-4-31"));
  EXPECT_TRUE(ParseDateTime("2024-12-31"));
  EXPECT_FALSE(ParseDateTime("2024-13-1"));
  EXPECT_FALSE(ParseDateTime("99-1-1")) << "years start at 100";
  EXPECT_FALSE(ParseDateTime("2024-1-1 24:00"));
  EXPECT_FALSE(ParseDateTime("2024-1-1 1:60"));
  EXPECT_FALSE(ParseDateTime("2024")) << "the missing month counts as 0";
  EXPECT_FALSE(ParseDateTime("2024-1-1 x"));
  EXPECT_EQ(NormaliseText(kDateTime, "tomorrow"), "");
}

}  // namespace
}  // namespace runtime::units::editbox
