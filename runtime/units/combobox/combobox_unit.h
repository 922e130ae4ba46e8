// The live ComboBox unit: the system COMBOBOX control, subclassed so that it
// hears its own notifications (the window hands them back to it), with the
// stored record kept current, its brush and its font.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"
#include "runtime/forms/record_schema.h"
#include "runtime/forms/unit_object.h"
#include "runtime/forms/unit_types.h"

namespace runtime::units::combobox {

// The unit's own properties, as its handlers number them (index - 8).
enum PropertyIndex : int32_t {
  kComboStyleIndex = 0,
  kContentIndex,
  kMaxLengthIndex,
  kSelStartIndex,
  kSelLengthIndex,
  kSelTextIndex,
  kSortedIndex,
  kItemSpacingIndex,
  kTextColorIndex,
  kBackColorIndex,
  kFontIndex,
  kListIndexIndex,
  kItemsIndex,
  kItemDataIndex,
  kDataSourceIndex,
  kDataFieldIndex,
  kDataBindFlagIndex,
  kOwnPropertyCount
};

// Posted to the control itself when the user chose an item, so that event 0
// runs once the control has finished updating.
inline constexpr UINT kChosenMessage = 0xA711;

// Events of the type.
inline constexpr int32_t kEventChosen = 0;
inline constexpr int32_t kEventTextChanged = 1;
inline constexpr int32_t kEventDroppedDown = 2;
inline constexpr int32_t kEventClosedUp = 3;
inline constexpr int32_t kEventDoubleClicked = 4;

inline constexpr int32_t kSimple = 0;
inline constexpr int32_t kDropDown = 1;
inline constexpr int32_t kDropDownList = 2;

// Height of the dropped list: a drop-down control is made at least this high.
inline constexpr int32_t kDropHeight = 160;

// BackColor's system colour marker: the button-face colour.
inline constexpr uint32_t kSystemColourMarker = 0xFF000000;

struct ComboBoxUnit : forms::UnitObject {
  explicit ComboBoxUnit(forms::RecordValues stored) : record(std::move(stored)) {}
  ~ComboBoxUnit();
  ComboBoxUnit(const ComboBoxUnit&) = delete;
  ComboBoxUnit& operator=(const ComboBoxUnit&) = delete;

  forms::RecordValues record;  // the stored properties, kept current
  HBRUSH back_brush = nullptr;
  HFONT font = nullptr;  // owned; null while the default GUI font stands in
  WNDPROC previous = nullptr;
  // Set while the runtime itself changes the text or the selection: the
  // user's events 0 and 1 stay quiet then.
  bool guard = false;
  // A choice was confirmed and its event is posted: the selection change
  // that follows it is the same choice.
  bool choice_posted = false;
  std::string reply;  // keeps the text or bytes a get handed out alive
};

// Create handler: null when the stored record is rejected or no control
// can be made.
void* CreateComboBox(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                     uint32_t control_id, HMENU menu, int32_t x, int32_t y, int32_t width,
                     int32_t height, uint32_t window_id, uint32_t unit_id, int32_t zero1,
                     int32_t zero2);

void GetComboBoxProperty(void* unit, int32_t index, forms::PropertyPair* pair);
int32_t SetComboBoxProperty(void* unit, int32_t index, const forms::PropertyPair* pair,
                            int32_t zero);
HGLOBAL SaveComboBoxProperties(void* unit);

// The control's state, read back into the record (before saving, so that a
// re-created control keeps items, selection and text).
void CaptureState(ComboBoxUnit& unit);

// BackColor resolved, its brush made again.
void MakeBrush(ComboBoxUnit& unit);
// Font applied by the unit font rule, the item spacing kept on top of the
// system item height.
void ApplyFont(ComboBoxUnit& unit);

// The control's current text.
std::string ControlText(HWND control);
// The current items in control order.
std::vector<std::string> ControlItems(HWND control);

}  // namespace runtime::units::combobox
