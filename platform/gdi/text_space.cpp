#include "platform/gdi/text_space.h"

#include "platform/gdi/gdi_object.h"

namespace platform::gdi {

RECT TextSpace::ToDevice(const RECT& text) const {
  const int64_t x = origin.x;
  const int64_t y = origin.y;
  switch (quarter_turns & 3) {
    case 1:  // u up the screen, v to the right
      return ClampedRect(x + text.top, y - text.right, x + text.bottom, y - text.left);
    case 2:  // upside down
      return ClampedRect(x - text.right, y - text.bottom, x - text.left, y - text.top);
    case 3:  // u down the screen, v to the left
      return ClampedRect(x - text.bottom, y + text.left, x - text.top, y + text.right);
    default:
      return ClampedRect(x + text.left, y + text.top, x + text.right, y + text.bottom);
  }
}

POINT TextSpace::ToText(POINT device) const {
  const LONG dx = device.x - origin.x;
  const LONG dy = device.y - origin.y;
  switch (quarter_turns & 3) {
    case 1:
      return POINT{-dy - 1, dx};
    case 2:
      return POINT{-dx - 1, -dy - 1};
    case 3:
      return POINT{dy, -dx - 1};
    default:
      return POINT{dx, dy};
  }
}

}  // namespace platform::gdi
