// The stored property record of the Button unit type ("按钮").
#pragma once

#include <cstddef>

#include "runtime/forms/record_schema.h"

namespace runtime::units {

namespace button {
// Field positions in the record, in record order.
enum Field : size_t {
  kButtonType,
  kAlignment,
  kVerticalAlignment,
  kPicture,
  kFont,
  kCaption,
  kFieldCount
};
}  // namespace button

// Written at version 1; versions up to 1 are read.
const forms::RecordSchema& ButtonSchema();

}  // namespace runtime::units
