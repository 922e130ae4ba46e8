// The edit box unit type ("编辑框", type 5): a text-entry field on the EDIT
// control, with input modes and an optional spin button.
#pragma once

#include <cstdint>

#include "runtime/core/program_header.h"

namespace runtime::units {

inline constexpr int32_t kEditBoxTypeNumber = 5;

// The descriptor that fills slot 5 of the runtime library.
UnitTypeDescriptor EditBoxTypeDescriptor();

}  // namespace runtime::units
