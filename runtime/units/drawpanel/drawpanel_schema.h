// The stored property record of the DrawPanel unit type ("画板").
//
// Only one layout has ever been written; version 0 records read the same.
#pragma once

#include <cstddef>

#include "runtime/forms/record_schema.h"

namespace runtime::units {

namespace drawpanel {
// Field positions in the record, in record order.
enum Field : size_t {
  kBorder,
  kBackColor,
  kBackPictureMode,
  kAutoRedraw,
  kCoordinateUnit,
  kPenStyle,
  kDrawMode,
  kPenWidth,
  kPenColor,
  kBrushStyle,
  kBrushColor,
  kTextColor,
  kTextBackColor,
  kFont,
  kBackPicture,
  kFieldCount
};
}  // namespace drawpanel

// Written at version 1; versions up to 1 are read.
const forms::RecordSchema& DrawPanelSchema();

}  // namespace runtime::units
