// Laying out one run of GBK text in a realised font: where each character's
// pen position is and how far the run reaches. Characters advance by their
// glyph's advance plus the DC's character extra, or by lpDx when given; no
// kerning, as GDI's TextOut has none.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/gdi/font_realize.h"

namespace platform::gdi {

struct PlacedChar {
  size_t offset = 0;  // bytes into the text
  size_t length = 0;  // 1 or 2
  char32_t code = 0;
  int x = 0;        // pen position from the start of the run
  int advance = 0;  // to the next character's pen position
  std::shared_ptr<const Glyph> glyph;
};

struct TextRun {
  std::vector<PlacedChar> chars;
  int width = 0;  // the sum of the advances: GetTextExtentPoint32A's cx
};

// Glyphs come as `escapement` draws them; advances are the upright ones at
// every angle. `dx`, when not null, has one entry per byte of `text`; a
// double-byte character advances by the sum of its two entries, and the
// character extra does not apply.
TextRun LayOutRun(const RealizedFont& font, const Escapement& escapement, std::string_view text,
                  int char_extra, const INT* dx = nullptr);

}  // namespace platform::gdi
