// The edit box's input modes: which typed characters each mode lets in, and
// what the text becomes when the focus leaves the box.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace runtime::units::editbox {

enum InputMode : int32_t {
  kNormal = 0,
  kReadOnly = 1,
  kPassword = 2,
  kIntegerText = 3,
  kDecimalText = 4,
  kByte = 5,
  kShort = 6,
  kInteger = 7,
  kLong = 8,
  kFloat = 9,
  kDouble = 10,
  kDateTime = 11,
  kLastInputMode = 11,
};

// Whether a typed character code is let in. Control characters always are.
bool AcceptsCharacter(int32_t mode, uint32_t code);

// The text of `text` after the focus left a box in `mode`.
std::string NormaliseText(int32_t mode, const std::string& text);

// A date-time text read the way a person types one (full-width digits,
// "年月日时分秒" or separators): days since 30 December 1899 with the time
// of day as the fraction; null when a field is missing its range.
std::optional<double> ParseDateTime(const std::string& gbk);

// GBK full-width forms of ASCII (and the ideographic space) as ASCII.
std::string FoldFullWidth(const std::string& gbk);

}  // namespace runtime::units::editbox
