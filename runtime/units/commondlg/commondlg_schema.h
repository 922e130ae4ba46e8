// The stored property record of the CommonDlg unit type ("通用对话框").
//
// The integers come first, then all texts, unlike the property numbering.
#pragma once

#include <cstddef>

#include "runtime/forms/record_schema.h"

namespace runtime::units {

namespace commondlg {
// Field positions in the record, in record order.
enum Field : size_t {
  kDialogType,
  kFilterIndex,
  kCreatePrompt,
  kFileMustExist,
  kOverwritePrompt,
  kPathMustExist,
  kNoChangeDir,
  kFontColor,
  kFontBold,
  kFontItalic,
  kFontStrikeOut,
  kFontUnderline,
  kFontSize,
  kHelpCommand,
  kHelpContext,
  kTitle,
  kFileName,
  kFilter,
  kInitialDir,
  kDefaultExt,
  kFontName,
  kHelpFile,
  kFieldCount
};
}  // namespace commondlg

// Written at version 1; versions up to 1 are read.
const forms::RecordSchema& CommonDlgSchema();

}  // namespace runtime::units
