// The DrawPanel unit type ("画板", type 8 of the runtime library): its
// descriptor and handler query.
#pragma once

#include <cstdint>

#include "runtime/core/program_header.h"

namespace runtime::units {

inline constexpr int32_t kDrawPanelTypeNumber = 8;

UnitTypeDescriptor DrawPanelTypeDescriptor();

// The handler query: create, set, save and get property, list texts.
UnitHandler DrawPanelHandlers(int32_t number);

// Whether `type` is this unit type (descriptors are copied into library
// tables, so the handler query tells, not the address).
bool IsDrawPanelType(const UnitTypeDescriptor* type);

}  // namespace runtime::units
