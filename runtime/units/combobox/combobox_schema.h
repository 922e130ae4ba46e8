// The stored property record of the ComboBox unit type ("组合框").
//
// `Items` is an item list; `ItemData` holds one 32-bit integer per item.
#pragma once

#include <cstddef>

#include "runtime/forms/record_schema.h"

namespace runtime::units {

namespace combobox {
// Field positions in the record, in record order.
enum Field : size_t {
  kComboStyle,
  kMaxLength,
  kSelStart,
  kSelLength,
  kSorted,
  kItemSpacing,
  kTextColor,
  kBackColor,
  kListIndex,
  kFont,
  kItemData,
  kContent,
  kItems,
  kDataSource,
  kDataField,
  kDataBindFlag,
  kFieldCount
};
}  // namespace combobox

// Written at version 3; versions up to 3 are read.
const forms::RecordSchema& ComboBoxSchema();

}  // namespace runtime::units
