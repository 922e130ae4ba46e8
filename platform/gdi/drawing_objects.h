// The logical drawing tools a DC holds: brushes, pens and fonts. Each keeps
// the logical description it was made from, which is what GetObjectA returns
// and what drawing reads; none changes after it is made.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "platform/gdi/gdi_object.h"

namespace platform::gdi {

// The top-left 8 x 8 pixels of a pattern brush's bitmap, copied when the
// brush is made, so later changes to the bitmap do not reach the brush.
struct BrushPattern {
  std::array<uint32_t, 64> pixels{};  // 0x00RRGGBB, row by row
  // From a 1-bit bitmap: its black (0) pixels take the DC's text colour and
  // its white (1) pixels the background colour, when the brush is used.
  bool monochrome = false;
};

// BS_SOLID and BS_NULL brushes are their colour; BS_HATCHED ones keep the
// hatch style in lbHatch; BS_PATTERN ones keep the bitmap handle they were
// made from in lbHatch (for GetObjectA) and its pixels in pattern().
class Brush final : public GdiObject {
 public:
  explicit Brush(const LOGBRUSH& logical, std::optional<BrushPattern> pattern = std::nullopt)
      : GdiObject(OBJ_BRUSH), logical_(logical), pattern_(std::move(pattern)) {}

  const LOGBRUSH& logical() const { return logical_; }
  bool paints() const { return logical_.lbStyle != BS_NULL; }
  COLORREF color() const { return logical_.lbColor & 0x00FFFFFF; }
  bool hatched() const { return logical_.lbStyle == BS_HATCHED; }
  int hatch() const { return static_cast<int>(logical_.lbHatch); }  // HS_xxx
  const std::optional<BrushPattern>& pattern() const { return pattern_; }

 private:
  const LOGBRUSH logical_;
  const std::optional<BrushPattern> pattern_;
};

// Dashed and dotted styles draw their dashes on one-pixel lines and solid
// when wider (pen_stroke.h). Pens wider than one pixel draw with round ends
// and joins; ExtCreatePen pens keep their full style word in `ext_style` and
// report OBJ_EXTPEN.
class Pen final : public GdiObject {
 public:
  explicit Pen(const LOGPEN& logical, DWORD type = OBJ_PEN, DWORD ext_style = 0)
      : GdiObject(type), logical_(logical), ext_style_(ext_style) {}
  const LOGPEN& logical() const { return logical_; }
  DWORD ext_style() const { return ext_style_; }
  UINT style() const { return logical_.lopnStyle & PS_STYLE_MASK; }
  bool draws() const { return style() != PS_NULL; }
  bool inside_frame() const { return style() == PS_INSIDEFRAME; }
  // ExtCreatePen's PS_GEOMETRIC pens: their dashes scale with their width.
  bool geometric() const {
    return type() == OBJ_EXTPEN && (ext_style_ & PS_TYPE_MASK) == PS_GEOMETRIC;
  }
  // One pixel wide whatever the mapping mode: width 0, or PS_COSMETIC.
  bool cosmetic() const { return type() == OBJ_EXTPEN ? !geometric() : logical_.lopnWidth.x < 1; }
  // The logical width; zero means one pixel, as for a cosmetic pen.
  int width() const {
    return logical_.lopnWidth.x < 1 ? 1 : static_cast<int>(logical_.lopnWidth.x);
  }
  COLORREF color() const { return logical_.lopnColor & 0x00FFFFFF; }

 private:
  const LOGPEN logical_;
  const DWORD ext_style_;
};

class Font final : public GdiObject {
 public:
  explicit Font(const LOGFONTA& logical) : GdiObject(OBJ_FONT), logical_(logical) {}
  const LOGFONTA& logical() const { return logical_; }

 private:
  const LOGFONTA logical_;
};

}  // namespace platform::gdi
