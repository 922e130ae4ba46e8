// The stored property record of the PicBox unit type ("图片框").
//
// Version 2 added the data-binding texts at the end.
#pragma once

#include <cstddef>

#include "runtime/forms/record_schema.h"

namespace runtime::units {

namespace picbox {
// Field positions in the record, in record order.
enum Field : size_t {
  kBorder,
  kBackColor,
  kDisplayMode,
  kPlayAnimation,
  kPicture,
  kDataSource,
  kDataField,
  kFieldCount
};
}  // namespace picbox

// Written at version 2; versions up to 2 are read.
const forms::RecordSchema& PicBoxSchema();

}  // namespace runtime::units
