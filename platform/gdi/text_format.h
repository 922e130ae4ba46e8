// DrawTextA's lines, worked out apart from any DC so that line breaks,
// prefixes, tabs and ellipses can be tested with made-up widths.
//
// - Lines end at CR LF, LF or CR, except with DT_SINGLELINE, where those
//   characters are drawn as nothing. A break at the very end starts no
//   further line, and empty text has no line at all.
// - DT_WORDBREAK (without DT_SINGLELINE) breaks a line that would pass the
//   width after the last space, or between two characters either of which
//   is double-byte (Chinese text breaks between any two characters). The
//   spaces at a break are dropped; a word wider than the whole line is broken
//   between characters. Line-start punctuation rules are not applied.
// - '&' underlines the next character, "&&" shows one '&', and a lone '&' at
//   the end of a line is dropped (DT_NOPREFIX shows every '&' as it is;
//   DT_HIDEPREFIX drops them without underlining).
// - DT_EXPANDTABS advances a tab to the next tab stop from the line's start;
//   without it, tabs and other control characters are drawn as nothing.
// - DT_END_ELLIPSIS cuts a line wider than the width at a character and
//   ends it with "...".
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/text_output.h"

namespace platform::gdi {

struct DrawTextRules {
  UINT format = 0;                       // DT_xxx
  int max_width = 0;                     // the rectangle's width
  int tab_width = 0;                     // pixels from one tab stop to the next
  int char_extra = 0;                    // added to every character but tabs
  std::function<int(char32_t)> advance;  // a character's advance in the font
};

struct DrawTextLine {
  std::string text;     // GBK as drawn: prefixes resolved, tabs and control characters as spaces
  std::vector<INT> dx;  // one entry per byte of `text`, as ExtTextOutA takes them
  int width = 0;
  std::vector<Underline> underlines;  // prefixed characters, from the line's start
};

std::vector<DrawTextLine> FormatDrawText(std::string_view text, const DrawTextRules& rules);

}  // namespace platform::gdi
