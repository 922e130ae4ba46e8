// The label unit type ("标签", type 10): a caption the runtime draws itself
// over a colour, a picture or a gradient, with text effects and a gradient
// frame.
#pragma once

#include <cstdint>

#include "runtime/core/program_header.h"

namespace runtime::units {

inline constexpr int32_t kLabelTypeNumber = 10;

// The descriptor that fills slot 10 of the runtime library.
UnitTypeDescriptor LabelTypeDescriptor();

}  // namespace runtime::units
