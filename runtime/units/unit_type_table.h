// The runtime library's unit types, one slot per type number (slot n - 1
// holds type n); the slots of types the runtime does not have stay zero.
#pragma once

#include <array>

#include "runtime/core/program_header.h"

namespace runtime::units {

const std::array<UnitTypeDescriptor, kUnitTypeSlots>& RuntimeUnitTypes();

}  // namespace runtime::units
