// The combo box unit type ("组合框", type 14): a list of text items with an
// edit or selection field, built on the system COMBOBOX control.
#pragma once

#include <cstdint>

#include "runtime/core/program_header.h"

namespace runtime::units {

inline constexpr int32_t kComboBoxTypeNumber = 14;

// The descriptor that fills slot 14 of the runtime library.
UnitTypeDescriptor ComboBoxTypeDescriptor();

namespace combobox {
inline constexpr uint32_t kTypeFlags = 0x80000240;
inline constexpr int32_t kPropertyCount = 25;
}  // namespace combobox

}  // namespace runtime::units
