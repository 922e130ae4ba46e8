// The colour picker unit type ("颜色选择器", type 28): a drop-down colour
// button with a popup of 32 named colours.
#pragma once

#include <cstdint>

#include "runtime/core/program_header.h"

namespace runtime::units {

inline constexpr int32_t kColorPickerTypeNumber = 28;

// The descriptor that fills slot 28 of the runtime library.
UnitTypeDescriptor ColorPickerTypeDescriptor();

namespace colorpicker {
inline constexpr uint32_t kTypeFlags = 0x80000040;
inline constexpr int32_t kPropertyCount = 10;
}  // namespace colorpicker

}  // namespace runtime::units
