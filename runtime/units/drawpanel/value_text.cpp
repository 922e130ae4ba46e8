#include "runtime/units/drawpanel/value_text.h"

#include "runtime/commands/number_text.h"

namespace runtime::units::drawpanel {

std::optional<std::string> ValueText(const ValueRecord& value) {
  char text[kNumberTextSize] = {};
  switch (value.type) {
    case type::kNone:
      return std::string();
    case type::kText:
      return std::string(value.AsText() != nullptr ? value.AsText() : "");
    case type::kByte:
    case type::kShort:
    case type::kInt:
    case type::kLong:
    case type::kFloat:
    case type::kDouble:
      NumberToText(value, text);
      return std::string(text);
    case type::kBool:
      return std::string(LogicalText(value.AsInt32()));
    case type::kDateTime:
      DateTimeText(value.AsDouble(), text);
      return std::string(text);
    default:
      return std::nullopt;
  }
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

}  // namespace runtime::units::drawpanel
