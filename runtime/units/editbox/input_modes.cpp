#include "runtime/units/editbox/input_modes.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

#include "runtime/commands/number_text.h"
#include "runtime/core/value.h"

namespace runtime::units::editbox {

namespace {

bool IsDigit(uint32_t code) { return code >= '0' && code <= '9'; }

// A leading decimal integer ("  -12abc" is -12), saturating at the 64-bit
// limits rather than wrapping; no number reads as 0.
int64_t LeadingInteger(const std::string& text) {
  size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  int64_t value = 0;
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  for (; at < text.size() && IsDigit(static_cast<uint8_t>(text[at])); ++at) {
    const int digit = text[at] - '0';
    if (value > (kMax - digit) / 10) return negative ? std::numeric_limits<int64_t>::min() : kMax;
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

double LeadingNumber(const std::string& text) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(begin, &end);
  return end == begin ? 0.0 : value;
}

std::string IntegerText(int64_t value) { return std::to_string(value); }

std::string NumberText(const ValueRecord& value) {
  char out[kNumberTextSize] = {};
  NumberToText(value, out);
  return out;
}

int64_t Clamp64(int64_t value, int64_t low, int64_t high) {
  return value < low ? low : (value > high ? high : value);
}

std::string DateTimeNormalised(const std::string& text) {
  const std::optional<double> days = ParseDateTime(text);
  if (!days || *days == 0.0) return {};
  char out[kNumberTextSize] = {};
  DateTimeText(*days, out);
  return out;
}

}  // namespace

bool AcceptsCharacter(int32_t mode, uint32_t code) {
  if (code < 32) return true;
  switch (mode) {
    case kIntegerText:
    case kShort:
    case kInteger:
    case kLong:
      return IsDigit(code) || code == '-';
    case kDecimalText:
    case kFloat:
    case kDouble:
      return IsDigit(code) || code == '-' || code == '.';
    case kByte:
      return IsDigit(code);
    default:
      return true;
  }
}

std::string NormaliseText(int32_t mode, const std::string& text) {
  std::string result;
  switch (mode) {
    case kByte:
      result = IntegerText(Clamp64(LeadingInteger(text), 0, 255));
      break;
    case kShort:
      result = IntegerText(Clamp64(LeadingInteger(text), -32768, 32767));
      break;
    case kInteger:
      result = IntegerText(Clamp64(LeadingInteger(text), std::numeric_limits<int32_t>::min(),
                                   std::numeric_limits<int32_t>::max()));
      break;
    case kLong:
      result = IntegerText(LeadingInteger(text));
      break;
    case kFloat:
      result = NumberText(FloatValue(static_cast<float>(LeadingNumber(text))));
      break;
    case kDouble:
      result = NumberText(DoubleValue(LeadingNumber(text)));
      break;
    case kDateTime:
      return DateTimeNormalised(text);
    default:
      return text;
  }
  return result == "0" ? std::string() : result;
}

std::string FoldFullWidth(const std::string& gbk) {
  std::string out;
  out.reserve(gbk.size());
  for (size_t at = 0; at < gbk.size(); ++at) {
    const auto lead = static_cast<uint8_t>(gbk[at]);
    if (lead < 0x81 || at + 1 == gbk.size()) {
      out.push_back(gbk[at]);
      continue;
    }
    const auto trail = static_cast<uint8_t>(gbk[at + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      out.push_back(static_cast<char>(trail - 0x80));
    } else if (lead == 0xA1 && trail == 0xA1) {
      out.push_back(' ');
    } else {
      out.push_back(gbk[at]);
      out.push_back(gbk[at + 1]);
    }
    ++at;
  }
  return out;
}

}  // namespace runtime::units::editbox
