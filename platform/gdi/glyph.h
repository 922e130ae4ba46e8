// Glyphs as coverage maps: one byte a pixel, 0 (untouched) to 255 (all text
// colour). Embedded bitmaps and one-bit rendering give only 0 and 255;
// outlines drawn in grey levels give everything between.
//
// A glyph is upright, or turned by an angle that is no quarter turn: FreeType
// rotates the outline (embedded bitmaps cannot turn), and the coverage map
// lies on the screen's axes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/font_face.h"

namespace platform::gdi {

struct Glyph {
  // Pixels the pen moves on along the baseline; turned glyphs keep the
  // upright glyph's advance.
  int advance = 0;
  int left = 0;  // first column, from the pen position (turned: screen columns right of it)
  int top = 0;   // rows above the baseline (turned: screen rows above the pen position)
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;  // width * height, rows top-down

  uint8_t At(int x, int y) const { return coverage[static_cast<size_t>(y) * width + x]; }
};

enum class GlyphMissing { kNull, kNotdef };  // what a character the face lacks gives

struct GlyphStyle {
  bool one_bit = false;   // NONANTIALIASED_QUALITY: outlines in one bit
  bool embolden = false;  // bold asked of a face that is not bold
  bool oblique = false;   // italic asked of a face that is not italic
};

// Null when the face cannot be used, or lacks the character and `missing` is
// kNull. Faces with bitmaps for the size give those, unless slanted or
// turned. `turn` is in tenths of a degree counter-clockwise, 0 to 3599; the
// callers turn quarter turns themselves and ask for those upright.
std::shared_ptr<const Glyph> RenderGlyph(const FaceSize& size, char32_t code,
                                         const GlyphStyle& style, GlyphMissing missing,
                                         int turn = 0);

// Bold made from a regular glyph as Windows makes it: every column spread one
// pixel to the right, and the advance one pixel longer.
void Embolden(Glyph& glyph);

}  // namespace platform::gdi
