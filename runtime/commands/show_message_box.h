// The message box command: shows a modal message box and tells which button
// closed it.
#pragma once

#include "runtime/core/value.h"

namespace runtime {

// The object type of a reference to a window unit (type 1 of library 1).
inline constexpr TypeCode kWindowUnitType = LibraryType(1, 1);

// 1: message (text, any number, logical or date-time; anything else shows
// nothing), 2: flags (the MB_ type bits), 3: title (text; omitted: "信息："),
// 4: owner (a window unit reference or an integer window handle; omitted,
// unknown or not loaded: none) -> integer button index: OK 0, Cancel 1,
// Abort 2, Retry 3, Ignore 4, Yes 5, No 6, anything else (a failed box) 0.
// A box that is not system-modal is made task-modal.
void ShowMessageBox(ValueRecord* result, int32_t count, ArgumentRecord* args);

}  // namespace runtime
