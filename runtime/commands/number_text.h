// The runtime's text forms of values: numbers, logicals and date-times.
// Message boxes, the drawing panel's text output and the numeric input modes
// of edit boxes all write values this way.
#pragma once

#include <cstddef>

#include "runtime/core/value.h"

namespace runtime {

inline constexpr size_t kNumberTextSize = 100;  // callers' buffers hold at least this

// Writes the text of a numeric value into `out` (at least kNumberTextSize
// bytes): integers in decimal, single floats rounded to 6 significant digits
// then "%.6g", doubles "%.13g", exponents with at least three digits
// ("1e+020"). Any other type writes nothing (out is left untouched).
void NumberToText(const ValueRecord& value, char* out);

// A single float rounded to 6 significant decimal digits, halves away from
// zero, by scaling with powers of ten derived from its binary exponent.
double RoundFloatToSixDigits(float value);

// "真" for non-zero, "假" for 0 (GBK, static storage).
const char* LogicalText(int32_t value);

// The date text of a date-time (days since 30 December 1899, time of day as
// the fraction), e.g. "2024年2月29日13时5分": clamped to the years 100 to
// 9999, time rounded to the second, trailing zero time parts left out. GBK,
// written into `out` (at least kNumberTextSize bytes).
void DateTimeText(double days, char* out);

}  // namespace runtime
