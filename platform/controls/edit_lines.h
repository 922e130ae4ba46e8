// Breaking an EDIT control's text into lines. A single-line control has one
// line whatever its bytes; a multi-line control breaks at "\r\n" and, when
// it wraps, also where the next character would pass the wrap width: after
// the last run of spaces on the line, else between two double-byte
// characters (or next to one), else before the character that overflows.
// Spaces never start a wrapped line: they hang past the right edge.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace platform::controls {

struct EditLine {
  size_t start = 0;   // first byte of the line
  size_t end = 0;     // past its last character (a hard break is not part of it)
  size_t next = 0;    // where the next line starts
  bool soft = false;  // wrapped, rather than ended by "\r\n"
};

enum class Wrapping { kSingleLine, kHardBreaksOnly, kWrap };

// How far a character (1 or 2 bytes) advances the pen when drawn at `x`
// pixels from the start of its line (tab stops depend on x).
using CharAdvance = std::function<int(std::string_view ch, int x)>;

// Never empty: empty text has one empty line, and text ending in "\r\n" an
// empty last line.
std::vector<EditLine> BreakLines(std::string_view text, Wrapping wrapping, int wrap_width,
                                 const CharAdvance& advance);

// The line holding pos. At the seam of a wrapped line, pos is the start of
// the next line unless `after_wrap` asks for the end of the wrapped one.
size_t LineOf(const std::vector<EditLine>& lines, size_t pos, bool after_wrap = false);

}  // namespace platform::controls
