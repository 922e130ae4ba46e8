// The button unit type ("按钮", type 11): a push button on the BUTTON
// control whose click raises event 0.
#pragma once

#include <cstdint>

#include "runtime/core/program_header.h"

namespace runtime::units {

inline constexpr int32_t kButtonTypeNumber = 11;

// The descriptor that fills slot 11 of the runtime library.
UnitTypeDescriptor ButtonTypeDescriptor();

}  // namespace runtime::units
