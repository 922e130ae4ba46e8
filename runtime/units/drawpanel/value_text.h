// What the text methods write for a value, and how a text breaks into
// lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/core/value.h"

namespace runtime::units::drawpanel {

// The text of a value: a text as it is, numbers in the runtime's number
// form, logicals as "真" / "假", date-times as a date with the time parts
// that are not 0, an omitted value as the empty text. Nullopt for a kind
// that is not written (byte sets, arrays, units, ...).
std::optional<std::string> ValueText(const ValueRecord& value);

// The lines of `text`: a CR LF pair is one break, any other CR or LF one
// break each. Always at least one line (the empty text is one empty line);
// a text ending in a break ends with an empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace runtime::units::drawpanel
