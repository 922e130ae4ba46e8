// Mouse-pointer data of unit records: a pointer number (0 the class cursor,
// 1..14 the system cursors) or a cursor file image, and the cursors made
// from it.
#pragma once

#include <cstdint>
#include <span>

#include "platform/win32.h"

namespace runtime::forms {

// The cursor the data stands for; null for pointer number 0, empty data or
// data that makes no cursor. The caller destroys it with DestroyCursor when
// it came from a cursor file image (system cursors are shared).
HCURSOR CreatePointerCursor(std::span<const uint8_t> data);

}  // namespace runtime::forms
