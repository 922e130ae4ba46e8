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

class Pen final : public GdiObject {
 public:
  explicit Pen(const LOGPEN& logical) : GdiObject(OBJ_PEN), logical_(logical) {}
  const LOGPEN& logical() const { return logical_; }

 private:
  const LOGPEN logical_;
};

class Font final : public GdiObject {
 public:
  explicit Font(const LOGFONTA& logical) : GdiObject(OBJ_FONT), logical_(logical) {}
  const LOGFONTA& logical() const { return logical_; }

 private:
  const LOGFONTA logical_;
};

}  // namespace platform::gdi
