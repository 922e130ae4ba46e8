// Text space: where text is laid out before it is turned for a rotated font.
// The reference point is (0, 0), u runs along the baseline in reading order
// and v at right angles to it, downwards for unturned text; (u, v) names the
// pixel whose top-left corner is there. Turns are quarter turns
// counter-clockwise on the screen, as lfEscapement counts them.
#pragma once

#include "platform/win32/base_types.h"

namespace platform::gdi {

struct TextSpace {
  POINT origin{0, 0};     // the reference point in device coordinates
  int quarter_turns = 0;  // 0 to 3

  // The device pixels covering a text-space rectangle (clamped coordinates).
  RECT ToDevice(const RECT& text) const;
  // The text-space pixel that a device pixel shows.
  POINT ToText(POINT device) const;
};

}  // namespace platform::gdi
