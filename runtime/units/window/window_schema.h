// The stored property record of the window unit type ("窗口").
//
// Versions 2 to 6 added fields in the middle of the record, so an older
// record is shorter in several places, not only at its end.
#pragma once

#include <cstddef>

#include "runtime/forms/record_schema.h"

namespace runtime::units {

namespace window {
// Field positions in the record, in record order.
enum Field : size_t {
  kBorder,
  kBackPictureMode,
  kBackColor,
  kMaxButton,
  kMinButton,
  kControlBox,
  kStartPosition,
  kMovable,
  kBackMusicMode,
  kEnterMovesFocus,
  kEscCloses,
  kF1OpensHelp,
  kHelpContext,
  kShowInTaskbar,
  kDragAnywhere,
  kShape,
  kAlwaysOnTop,
  kKeepTitleActive,
  kClassName,
  kBackPicture,
  kIcon,
  kBackMusic,
  kCaption,
  kHelpFile,
  kFieldCount
};
}  // namespace window

// Written at version 6; versions up to 6 are read.
const forms::RecordSchema& WindowSchema();

}  // namespace runtime::units
