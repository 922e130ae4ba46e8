// The stored property record of the Label unit type ("标签").
//
// The record order differs from the property numbering (`FrameWidth`
// before `Border`).
#pragma once

#include <cstddef>

#include "runtime/forms/record_schema.h"

namespace runtime::units {

namespace label {
// Field positions in the record, in record order.
enum Field : size_t {
  kTextEffect,
  kFrameWidth,
  kBorder,
  kFrameColor1,
  kFrameColor2,
  kFrameColor3,
  kTextColor,
  kBackColor,
  kBackPictureMode,
  kGradientMode,
  kGradientColor1,
  kGradientColor2,
  kGradientColor3,
  kAlignment,
  kVerticalAlignment,
  kWordWrap,
  kFont,
  kBackPicture,
  kCaption,
  kDataSource,
  kDataField,
  kFieldCount
};
}  // namespace label

// Written at version 2; versions up to 2 are read.
const forms::RecordSchema& LabelSchema();

}  // namespace runtime::units
