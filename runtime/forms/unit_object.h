// The part of a live unit object that the framework reads. Every unit type's
// object begins with it: the type's create routine fills it, and the
// framework finds the unit's window through it and raises events with its
// ids.
#pragma once

#include <cstdint>

#include "platform/win32.h"

namespace runtime::forms {

struct UnitObject {
  HWND window = nullptr;   // null for a unit without a window
  uint32_t window_id = 0;  // the loaded window the unit belongs to
  uint32_t unit_id = 0;    // its entry in that window's unit table
};

}  // namespace runtime::forms
