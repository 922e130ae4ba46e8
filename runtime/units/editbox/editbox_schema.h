// The stored property record of the EditBox unit type ("编辑框").
//
// `PasswordChar` keeps its one echo byte in a 16-bit field.
#pragma once

#include <cstddef>

#include "runtime/forms/record_schema.h"

namespace runtime::units {

namespace editbox {
// Field positions in the record, in record order.
enum Field : size_t {
  kBorder,
  kTextColor,
  kBackColor,
  kHideSelection,
  kMaxLength,
  kMultiLine,
  kScrollBars,
  kAlignment,
  kInputMode,
  kPasswordChar,
  kCaseConversion,
  kSpinMode,
  kSpinMin,
  kSpinMax,
  kSelStart,
  kSelLength,
  kFont,
  kContent,
  kDataSource,
  kDataField,
  kFieldCount
};
}  // namespace editbox

// Written at version 2; versions up to 2 are read.
const forms::RecordSchema& EditBoxSchema();

}  // namespace runtime::units
