// The stored property record of the ColorPicker unit type ("颜色选择器").
#pragma once

#include <cstddef>

#include "runtime/forms/record_schema.h"

namespace runtime::units {

namespace colorpicker {
// Field positions in the record, in record order.
enum Field : size_t { kColor, kAllowTransparent, kFieldCount };
}  // namespace colorpicker

// Written at version 1; versions up to 1 are read.
const forms::RecordSchema& ColorPickerSchema();

}  // namespace runtime::units
