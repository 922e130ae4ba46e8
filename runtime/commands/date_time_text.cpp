// The date text of a date-time value.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "runtime/commands/number_text.h"
#include "runtime/core/messages.h"

namespace runtime {

namespace {

// 1 January 100 and 31 December 9999, in days since 30 December 1899.
constexpr double kEarliestDay = -657434.0;
constexpr double kLatestDay = 2958465.0;
constexpr int64_t kDaysFrom1899To1970 = 25569;
constexpr int64_t kSecondsPerDay = 86400;

struct CivilDate {
  int year;
  int month;
  int day;
};

// Proleptic Gregorian date of a day count from 1 January 1970.
CivilDate DateFromEpochDays(int64_t days) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t day_of_era = days - era * 146097;
  const int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const int64_t mp = (5 * day_of_year + 2) / 153;
  const int day = static_cast<int>(day_of_year - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

}  // namespace

void DateTimeText(double days, char* out) {
  // NaN has no date; it reads as the zero date.
  double clamped = std::isnan(days) ? 0.0 : std::clamp(days, kEarliestDay, kLatestDay);
  // The whole part is the date; the fraction, taken as positive even before
  // 1899, is the time of that day.
  auto day = static_cast<int64_t>(clamped);
  double fraction = std::fabs(clamped - static_cast<double>(day));
  auto seconds = static_cast<int64_t>(std::llround(fraction * kSecondsPerDay));
  if (seconds >= kSecondsPerDay) {
    day += 1;
    seconds -= kSecondsPerDay;
  }
  CivilDate date = DateFromEpochDays(day - kDaysFrom1899To1970);
  int hour = static_cast<int>(seconds / 3600);
  int minute = static_cast<int>(seconds / 60 % 60);
  int second = static_cast<int>(seconds % 60);

  int used =
      std::snprintf(out, kNumberTextSize, messages::DateFormat(), date.year, date.month, date.day);
  char* rest = out + used;
  size_t room = kNumberTextSize - static_cast<size_t>(used);
  if (second != 0) {
    std::snprintf(rest, room, messages::HourMinuteSecondFormat(), hour, minute, second);
  } else if (minute != 0) {
    std::snprintf(rest, room, messages::HourMinuteFormat(), hour, minute);
  } else if (hour != 0) {
    std::snprintf(rest, room, messages::HourFormat(), hour);
  }
}

}  // namespace runtime
