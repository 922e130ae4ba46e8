// The colour popup (`_QZ_ColourPopup`): a borderless window below the
// button with the palette grid, the optional transparent entry and the
// other-colours entry; it takes the mouse capture and the keyboard until
// it ends, then tells the button and goes.
#pragma once

#include "runtime/units/colorpicker/colorpicker_unit.h"

namespace runtime::units::colorpicker {

inline constexpr const char* kPopupClass = "_QZ_ColourPopup";

// Opens the popup at the button's bottom-left corner with the unit's shown
// colour as the initial one; null when no window could be made.
HWND OpenColourPopup(ColorPickerUnit& unit);

}  // namespace runtime::units::colorpicker
