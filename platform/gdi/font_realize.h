// A logical font made real: the face chosen for it, the pixel size, the
// Windows text metrics that follow, and its glyphs.
//
// Sizes follow LOGFONT's rules: a negative lfHeight is the em in pixels, a
// positive one the cell (ascent + descent), 0 a 12-pixel em. Metrics follow
// Windows' rules for TrueType faces: ascent and descent are the face's OS/2
// "win" values scaled to the em and rounded, the internal leading is what the
// cell holds beyond the em.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/gdi/font_face.h"
#include "platform/gdi/glyph.h"
#include "platform/gdi/text_escapement.h"
#include "platform/win32/gdi.h"

namespace platform::gdi {

// Where the underline and strike-out lines go, in rows from the baseline
// (the first row below the baseline is 0, the one above it -1).
struct TextLines {
  int underline_top = 1;
  int underline_thickness = 1;
  int strikeout_top = -4;
  int strikeout_thickness = 1;
};

class RealizedFont {
 public:
  struct Parts {
    LOGFONTA logical{};
    std::optional<FaceSize> face;      // none when no face is installed at all
    std::optional<FaceSize> fallback;  // a Chinese face for characters `face` lacks
    GlyphStyle style;
    TEXTMETRICA metrics{};
    TextLines lines;
    std::string face_name;  // GBK
  };

  explicit RealizedFont(Parts parts) : parts_(std::move(parts)) {}

  const TEXTMETRICA& metrics() const { return parts_.metrics; }
  const TextLines& lines() const { return parts_.lines; }
  const std::string& face_name() const { return parts_.face_name; }
  const std::optional<FaceSize>& face() const { return parts_.face; }
  bool underlined() const { return parts_.logical.lfUnderline != 0; }
  bool struck_out() const { return parts_.logical.lfStrikeOut != 0; }

  // Never null: a character no face has is the face's missing-glyph shape,
  // or a blank half an em wide when there is no face. Upright for quarter
  // turns (text_space turns those), turned by FreeType for other angles.
  std::shared_ptr<const Glyph> GlyphFor(char32_t code, const Escapement& escapement) const;

 private:
  std::shared_ptr<const Glyph> Render(char32_t code, int turn) const;

  const Parts parts_;
  mutable std::mutex glyphs_mutex_;
  // Keyed by the turn (tenths of a degree, 0 for upright) and the character.
  mutable std::unordered_map<uint64_t, std::shared_ptr<const Glyph>> glyphs_;
  mutable size_t cached_bytes_ = 0;  // coverage held in glyphs_
};

// Fonts are made once per distinct LOGFONTA and kept while in use; a
// few dozen recently used stay made. The escapement and orientation play no
// part: one font draws its glyphs at every angle.
std::shared_ptr<const RealizedFont> RealizeFont(const LOGFONTA& logical);

// The em in pixels for lfHeight and a face's design.
int EmPixels(LONG height, const FaceDesign& design);

// Windows' metrics for a face at an em of `em_y` pixels high and `em_x`
// wide, before any emboldening.
TEXTMETRICA MetricsAt(const FaceDesign& design, int em_x, int em_y);

}  // namespace platform::gdi
