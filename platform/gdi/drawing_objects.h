// The logical drawing tools a DC holds: brushes, pens and fonts. Each keeps
// the logical description it was made from, which is what GetObjectA returns
// and what drawing reads; none changes after it is made.
#pragma once

#include "platform/gdi/gdi_object.h"

namespace platform::gdi {

class Brush final : public GdiObject {
 public:
  explicit Brush(const LOGBRUSH& logical) : GdiObject(OBJ_BRUSH), logical_(logical) {}

  const LOGBRUSH& logical() const { return logical_; }
  bool paints() const { return logical_.lbStyle != BS_NULL; }
  COLORREF color() const { return logical_.lbColor & 0x00FFFFFF; }

 private:
  const LOGBRUSH logical_;
};

// Every pen draws solid: dashed and dotted styles keep their style for
// GetObjectA but draw as PS_SOLID. Pens wider than one pixel draw with round
// ends and joins; ExtCreatePen pens keep their full style word in
// `ext_style` and report OBJ_EXTPEN.
class Pen final : public GdiObject {
 public:
  explicit Pen(const LOGPEN& logical, DWORD type = OBJ_PEN, DWORD ext_style = 0)
      : GdiObject(type), logical_(logical), ext_style_(ext_style) {}
  const LOGPEN& logical() const { return logical_; }
  DWORD ext_style() const { return ext_style_; }
  UINT style() const { return logical_.lopnStyle & PS_STYLE_MASK; }
  bool draws() const { return style() != PS_NULL; }
  bool inside_frame() const { return style() == PS_INSIDEFRAME; }
  // Zero width means one pixel, as for a cosmetic pen.
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
