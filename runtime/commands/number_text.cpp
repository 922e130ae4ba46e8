#include "runtime/commands/number_text.h"

#include <algorithm>
#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "runtime/core/messages.h"

namespace runtime {

namespace {

// lg(2), computed once the way the runtime always has: lg(2) x log2(2.0).
const double kLog10Of2 = std::log10(2.0) * std::log2(2.0);

// The binary exponent of a float from its stored exponent field. Subnormals
// have a field of 0 but a smaller true exponent; using the true one keeps
// their six digits instead of rounding them all to zero.
int BinaryExponent(float value) {
  uint32_t bits = std::bit_cast<uint32_t>(value);
  int field = static_cast<int>((bits >> 23) & 0xFF);
  if (field == 0 && value != 0.0f) {
    int exponent = 0;
    std::frexp(value, &exponent);
    return exponent - 1;
  }
  return static_cast<int8_t>(static_cast<uint8_t>(field - 127));
}

// The C library writes at least two exponent digits; the runtime's texts have
// at least three ("1e+020"), so pad in place.
void WidenExponent(char* text, size_t capacity) {
  char* e = std::strchr(text, 'e');
  if (e == nullptr || (e[1] != '+' && e[1] != '-')) return;
  char* digits = e + 2;
  size_t count = std::strlen(digits);
  if (count >= 3) return;
  size_t pad = 3 - count;
  size_t length = std::strlen(text);
  if (length + pad + 1 > capacity) return;
  std::memmove(digits + pad, digits, count + 1);
  std::memset(digits, '0', pad);
}

void FormatFloating(double value, int precision, char* out) {
  std::snprintf(out, kNumberTextSize, "%.*g", precision, value);
  WidenExponent(out, kNumberTextSize);
}

}  // namespace

double RoundFloatToSixDigits(float value) {
  int e = static_cast<int>(BinaryExponent(value) * kLog10Of2);  // truncates toward zero
  double d = std::pow(10.0, std::abs(e));
  double magnitude = std::fabs(static_cast<double>(value));
  double m = e > 0 ? magnitude / d : magnitude * d;
  // Bring m to six integer digits.
  if (m >= 10.0) {
    d *= 10.0;
    e += 1;
    m *= 1e4;
  } else if (m < 1.0) {
    d *= 10.0;
    e -= 1;
    m *= 1e6;
  } else {
    m *= 1e5;
  }
  double whole = 0.0;
  double fraction = std::modf(m, &whole);
  if (fraction >= 0.5) whole += 1.0;  // halves away from zero
  double rounded = e > 0 ? whole * d * 1e-5 : whole / (d * 1e5);
  return std::signbit(value) ? -rounded : rounded;
}

void NumberToText(const ValueRecord& value, char* out) {
  switch (value.type) {
    case type::kByte:
      std::snprintf(out, kNumberTextSize, "%u", static_cast<unsigned>(value.low & 0xFF));
      break;
    case type::kShort:
      std::snprintf(out, kNumberTextSize, "%d", static_cast<int16_t>(value.low));
      break;
    case type::kInt:
      std::snprintf(out, kNumberTextSize, "%d", value.AsInt32());
      break;
    case type::kLong:
      std::snprintf(out, kNumberTextSize, "%" PRId64, value.AsInt64());
      break;
    case type::kFloat:
      FormatFloating(RoundFloatToSixDigits(value.AsFloat()), 6, out);
      break;
    case type::kDouble:
      FormatFloating(value.AsDouble(), 13, out);
      break;
    default:
      break;
  }
}

const char* LogicalText(int32_t value) { return value != 0 ? messages::True() : messages::False(); }

}  // namespace runtime
