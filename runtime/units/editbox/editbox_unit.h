// The live edit box: an EDIT control the unit subclasses, its font, its
// background brush and the spin control beside it. What the type's files
// share; only they include this header.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/win32.h"
#include "runtime/forms/record_schema.h"
#include "runtime/forms/unit_object.h"
#include "runtime/forms/unit_types.h"
#include "runtime/units/editbox/editbox_schema.h"

namespace runtime::units::editbox {

inline constexpr uint32_t kTypeFlags = 0x80000040;
inline constexpr int32_t kPropertyCount = 29;

// The unit's own properties, as its handlers number them (index - 8).
enum PropertyIndex : int32_t {
  kContentIndex,
  kBorderIndex,
  kTextColorIndex,
  kBackColorIndex,
  kFontIndex,
  kHideSelectionIndex,
  kMaxLengthIndex,
  kMultiLineIndex,
  kScrollBarsIndex,
  kAlignmentIndex,
  kInputModeIndex,
  kPasswordCharIndex,
  kCaseConversionIndex,
  kSpinModeIndex,
  kSpinMinIndex,
  kSpinMaxIndex,
  kSelStartIndex,
  kSelLengthIndex,
  kSelTextIndex,
  kDataSourceIndex,
  kDataFieldIndex,
  kOwnPropertyCount,
};

inline constexpr int32_t kSpinWidth = 18;

struct EditBoxUnit : forms::UnitObject {
  explicit EditBoxUnit(forms::RecordValues stored) : record(std::move(stored)) {}
  ~EditBoxUnit();
  EditBoxUnit(const EditBoxUnit&) = delete;
  EditBoxUnit& operator=(const EditBoxUnit&) = delete;

  int32_t Int(Field field) const { return record.Int(field); }
  bool MultiLine() const { return record.Int(kMultiLine) != 0; }

  forms::RecordValues record;  // the stored properties, kept current
  WNDPROC previous = nullptr;  // the EDIT class's procedure
  HFONT font = nullptr;        // made from Font; null: the stock GUI font
  HBRUSH back_brush = nullptr;
  COLORREF back_colour = 0;
  HWND spin = nullptr;  // the up-down control beside a single-line box
  WNDPROC spin_previous = nullptr;
  bool writing = false;     // the runtime sets the text: no change event
  int32_t line_height = 0;  // "W" in the font: a single-line box's client height
};

EditBoxUnit* EditBoxOf(HWND hwnd);

// --- editbox_create.cpp ---
void* CreateEditBox(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                    uint32_t control_id, HMENU menu, int32_t x, int32_t y, int32_t width,
                    int32_t height, uint32_t window_id, uint32_t unit_id, int32_t zero1,
                    int32_t zero2);
// Gives the control the font of Font and applies the height rule.
void ApplyFont(EditBoxUnit& unit);
void MakeBackBrush(EditBoxUnit& unit);
// Gives the spin control the range of SpinMin and SpinMax.
void ApplySpinRange(const EditBoxUnit& unit);
// The spin control placed right of the box, shown (or as `shown` says,
// while the box is about to change) and enabled as the box is.
void PlaceSpin(const EditBoxUnit& unit, std::optional<bool> shown = std::nullopt);
// Echo character and read-only state of InputMode.
void ApplyInputMode(EditBoxUnit& unit);
// Selects start..start+length (with -1 and negative rules) and scrolls the
// caret into view.
void Select(const EditBoxUnit& unit, int32_t start, int32_t length);

// --- editbox_properties.cpp ---
void GetEditBoxProperty(void* object, int32_t index, forms::PropertyPair* pair);
int32_t SetEditBoxProperty(void* object, int32_t index, const forms::PropertyPair* pair,
                           int32_t zero);
HGLOBAL SaveEditBoxProperties(void* object);
// The control's current text.
std::string CurrentText(HWND hwnd);
// Sets the text with the change event held back.
void WriteText(EditBoxUnit& unit, const std::string& text);

// --- editbox_events.cpp ---
LRESULT EditBoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT SpinProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
// One step of the spin button: delta > 0 is up.
void Spin(EditBoxUnit& unit, int32_t delta);
// WantsKey handler (8).
int32_t EditBoxWantsKey(void* object, uint32_t key);

}  // namespace runtime::units::editbox
