// The direction a run of text takes on the screen. lfEscapement counts
// tenths of a degree counter-clockwise, any value, reduced modulo 3600.
//
// Quarter turns turn upright glyphs pixel for pixel (text_space), so text at
// 0, 90, 180 and 270 degrees keeps the exact pixels of the upright font.
// Every other angle draws glyphs that FreeType rotated from the outlines,
// each placed at its pen position on the turned baseline, and fills cells
// and lines as the turned rectangles they are.
#pragma once

#include <cstdint>

#include "platform/gdi/region.h"

namespace platform::gdi {

class Escapement {
 public:
  Escapement() = default;
  explicit Escapement(int64_t tenths);

  int tenths() const { return tenths_; }  // 0 to 3599
  bool is_quarter_turn() const { return tenths_ % 900 == 0; }
  int quarter_turns() const { return tenths_ / 900; }  // of a quarter-turn escapement

  // Text space (u along the baseline in reading order, v across it towards
  // the descent) to a device offset (y down), rounded to the nearest pixel.
  POINT Offset(double u, double v) const;

  // The device pixels whose centres lie in a text-space rectangle whose
  // (0, 0) is at `origin`, cut to `limit` (device coordinates).
  Region Area(POINT origin, const RECT& text, const RECT& limit) const;

 private:
  int tenths_ = 0;
  double cos_ = 1.0;  // exact for quarter turns, so their offsets are too
  double sin_ = 0.0;
};

}  // namespace platform::gdi
