// The live CommonDlg unit: its stored record, kept current, and a window
// that draws nothing, so that the unit has a place among the window's units.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"
#include "runtime/forms/record_schema.h"
#include "runtime/forms/unit_object.h"
#include "runtime/forms/unit_types.h"

namespace runtime::units::commondlg {

inline constexpr const char* kCommonDlgClass = "_QZ_CommonDlg";

enum DialogType : int32_t { kOpenFile = 0, kSaveFile = 1, kFontDialog = 2, kHelp = 3 };
inline constexpr int32_t kLastHelpCommand = 5;

struct CommonDlgUnit : forms::UnitObject {
  explicit CommonDlgUnit(forms::RecordValues stored) : record(std::move(stored)) {}
  forms::RecordValues record;  // the stored properties, kept current
};

void* CreateCommonDlg(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                      uint32_t control_id, HMENU menu, int32_t x, int32_t y, int32_t width,
                      int32_t height, uint32_t window_id, uint32_t unit_id, int32_t zero1,
                      int32_t zero2);
void GetCommonDlgProperty(void* unit, int32_t index, forms::PropertyPair* pair);
int32_t SetCommonDlgProperty(void* unit, int32_t index, const forms::PropertyPair* pair,
                             int32_t zero);
HGLOBAL SaveCommonDlgProperties(void* unit);

// The filter text made ready for the file dialogs: trailing white space
// removed, "||" appended unless it already ends so, every '|' a NUL.
std::string PrepareFilter(const std::string& filter);

// The dialogs; true when the user confirmed and the record was updated.
bool RunFileDialog(CommonDlgUnit& unit, bool save);
bool RunFontDialog(CommonDlgUnit& unit);
bool RunHelp(CommonDlgUnit& unit);

}  // namespace runtime::units::commondlg
