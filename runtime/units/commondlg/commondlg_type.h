// The common dialog unit type ("通用对话框", type 31): an invisible unit
// whose Open method shows the system's open, save, font or help dialog.
#pragma once

#include <cstdint>

#include "runtime/core/program_header.h"
#include "runtime/core/value.h"

namespace runtime::units {

inline constexpr int32_t kCommonDlgTypeNumber = 31;

// The descriptor that fills slot 31 of the runtime library.
UnitTypeDescriptor CommonDlgTypeDescriptor();

// Open: argument 0 the unit; the logical result is true when the user
// confirmed the dialog and the result properties were updated.
void OpenCommonDialog(ValueRecord* result, int32_t count, ArgumentRecord* args);

namespace commondlg {
inline constexpr uint32_t kTypeFlags = 0x80008040;
inline constexpr int32_t kPropertyCount = 30;
}  // namespace commondlg

}  // namespace runtime::units
