// The eight properties every unit has (0 left, 1 top, 2 width, 3 height,
// 4 tag, 5 visible, 6 disabled, 7 mouse pointer). Their values live in the
// unit record of the working unit table; while the unit is live the
// geometry and the visible and disabled states are the window's own, so the
// user's resizing shows through, and writes reach both.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "runtime/forms/loaded_window.h"

namespace runtime::forms {

enum CommonProperty : int32_t {
  kPropertyLeft = 0,
  kPropertyTop,
  kPropertyWidth,
  kPropertyHeight,
  kPropertyTag,
  kPropertyVisible,
  kPropertyDisabled,
  kPropertyMousePointer,
  kCommonPropertyCount
};

// Coordinates and sizes are kept within this bound (not 32767).
inline constexpr int32_t kCoordinateLimit = 32627;

// A window's place: left and top in its parent's client coordinates (screen
// coordinates for a window without a parent and for popups), and its size.
struct Placement {
  int32_t left = 0, top = 0, width = 0, height = 0;
};
Placement LivePlacement(HWND window);

// The unit's window when entry `index` is live and has one, else null.
HWND LiveUnitWindow(const LoadedWindow& window, int32_t index);

// The application's value of common property `property` of unit entry
// `index`: the tag a new text value, the mouse pointer a new byte set (with
// pointer numbers), logicals 0 or 1.
uint64_t ReadCommonProperty(LoadedWindow& window, int32_t index, int32_t property);

// Stores the value in the record and applies it to the live unit. Text and
// byte-set values stay the caller's.
void WriteCommonProperty(LoadedWindow& window, int32_t index, int32_t property, uint64_t value);

}  // namespace runtime::forms
