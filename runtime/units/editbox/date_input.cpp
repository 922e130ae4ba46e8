// Typed date-times: "2024年2月29日 13时5分", "2024-2-29 13:05:00", with
// full-width digits as well.
#include <array>
#include <string_view>

#include "runtime/units/editbox/input_modes.h"

namespace runtime::units::editbox {

namespace {

// GBK.
constexpr std::string_view kYearMark = "\xC4\xEA";    // 年
constexpr std::string_view kMonthMark = "\xD4\xC2";   // 月
constexpr std::string_view kDayMark = "\xC8\xD5";     // 日
constexpr std::string_view kHourMark = "\xCA\xB1";    // 时
constexpr std::string_view kMinuteMark = "\xB7\xD6";  // 分
constexpr std::string_view kSecondMark = "\xC3\xEB";  // 秒

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  // Up to `digits` decimal digits; none reads as 0.
  int32_t Number(int digits) {
    int32_t value = 0;
    for (int i = 0; i < digits && at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9';
         ++i) {
      value = value * 10 + (text_[at_++] - '0');
    }
    return value;
  }
  // One of the separators, `mark`, or a space when `space` is allowed.
  void Separator(std::string_view mark, bool space = false) {
    if (text_.substr(at_, mark.size()) == mark) {
      at_ += mark.size();
    } else if (at_ < text_.size() && (text_[at_] == '-' || text_[at_] == '.' || text_[at_] == '/' ||
                                      text_[at_] == ':' || (space && text_[at_] == ' '))) {
      ++at_;
    }
  }
  bool AtEndOr(std::string_view mark) const {
    return at_ == text_.size() || text_.substr(at_) == mark;
  }

 private:
  std::string_view text_;
  size_t at_ = 0;
};

bool IsLeapYear(int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int32_t DaysInMonth(int32_t year, int32_t month) {
  constexpr std::array<int32_t, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[static_cast<size_t>(month - 1)];
}

// Days from 1 January 1970 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t year_of_era = year - era * 400;
  const int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

constexpr int64_t kEpochOffset = 25569;  // 1970-01-01 counted from 1899-12-30

}  // namespace

std::optional<double> ParseDateTime(const std::string& gbk) {
  const std::string folded = FoldFullWidth(gbk);
  Reader reader(folded);
  const int32_t year = reader.Number(4);
  reader.Separator(kYearMark);
  const int32_t month = reader.Number(2);
  reader.Separator(kMonthMark);
  const int32_t day = reader.Number(2);
  reader.Separator(kDayMark, true);
  const int32_t hour = reader.Number(2);
  reader.Separator(kHourMark);
  const int32_t minute = reader.Number(2);
  reader.Separator(kMinuteMark);
  const int32_t second = reader.Number(2);
  if (!reader.AtEndOr(kSecondMark)) return std::nullopt;
  if (year < 100 || year > 9999 || month < 1 || month > 12) return std::nullopt;
  if (day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
  const int64_t days = DaysFromCivil(year, month, day) + kEpochOffset;
  return static_cast<double>(days) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

}  // namespace runtime::units::editbox
