// Creating a live panel from its stored property record (handler 1).
#pragma once

#include <cstdint>

#include "platform/win32.h"

namespace runtime::units::drawpanel {

// The create handler: null when the record is rejected or the window
// cannot be made.
void* CreatePanel(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                  uint32_t control_id, HMENU menu, int32_t x, int32_t y, int32_t width,
                  int32_t height, uint32_t window_id, uint32_t unit_id, int32_t zero1,
                  int32_t zero2);

}  // namespace runtime::units::drawpanel
