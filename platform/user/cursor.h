// Cursors and icons: the system's shapes by their IDC_/IDI_ numbers, and
// pictures made from icon or cursor resources.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/win32/user.h"

namespace platform::user {

struct CursorShape {
  bool is_icon = false;
  int system_id = 0;    // 32512 for IDC_ARROW etc.; 0 for a made picture
  bool shared = false;  // system shapes are never destroyed
  int width = 32;
  int height = 32;
  POINT hotspot{0, 0};
  std::vector<uint32_t> argb;  // width x height, top-down; empty for system shapes
  // The alpha is the picture's own (a PNG, or a 32-bit DIB with alpha).
  // Otherwise it is 0 where the AND mask is set and 255 elsewhere, and the
  // colour under a 0 alpha is the XOR image's, which DrawIconEx applies.
  bool alpha = false;
};

// The shape behind a cursor or icon handle (null for a bad handle).
std::shared_ptr<CursorShape> FindCursor(HCURSOR cursor);
// Registers a made picture and returns its handle.
HCURSOR AddCursor(std::shared_ptr<CursorShape> shape);

}  // namespace platform::user
