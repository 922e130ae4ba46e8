// The combo box's control: creation from the stored record, the
// notifications it hears back from its window, and destruction.
#include "runtime/units/combobox/combobox_unit.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <span>

#include "runtime/core/runtime_library.h"
#include "runtime/forms/common_events.h"
#include "runtime/forms/event_record.h"
#include "runtime/forms/system_services.h"
#include "runtime/units/combobox/combobox_schema.h"

namespace runtime::units::combobox {

namespace {

constexpr const char* kUnitProperty = "MienzoComboBoxUnit";

// Child, clipped by its siblings, vertical scroll bar, edit field scrolling
// sideways.
constexpr DWORD kBaseStyle = 0x44200040;
constexpr UINT kReflectedCommand = WM_COMMAND + forms::kReflectedMessageOffset;

ComboBoxUnit* UnitOf(HWND control) {
  return static_cast<ComboBoxUnit*>(GetPropA(control, kUnitProperty));
}

void Raise(const ComboBoxUnit& unit, int32_t event) {
  forms::EventRecord record{};
  record.window_id = unit.window_id;
  record.unit_id = unit.unit_id;
  record.event = event;
  if (const SystemServiceRoutine services = LibraryServices()) {
    services(forms::kServiceRaiseEvent, reinterpret_cast<intptr_t>(&record), 0);
  }
}

bool Dropped(const ComboBoxUnit& unit) {
  return SendMessageA(unit.window, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void PostChoice(ComboBoxUnit& unit) {
  if (unit.guard || unit.choice_posted) return;
  unit.choice_posted = true;
  PostMessageA(unit.window, kChosenMessage, 0, 0);
}

void OnNotification(ComboBoxUnit& unit, int code) {
  switch (code) {
    case CBN_SELENDOK:
      PostChoice(unit);
      break;
    case CBN_SELCHANGE:  // keys in the closed field choose at once
      if (!Dropped(unit)) PostChoice(unit);
      break;
    case CBN_EDITCHANGE:
      if (!unit.guard) Raise(unit, kEventTextChanged);
      break;
    case CBN_DROPDOWN:
      Raise(unit, kEventDroppedDown);
      break;
    case CBN_CLOSEUP:
      Raise(unit, kEventClosedUp);
      break;
    case CBN_DBLCLK:
      Raise(unit, kEventDoubleClicked);
      break;
    case CBN_SETFOCUS:
    case CBN_KILLFOCUS:
      forms::RaiseFocusEvent(&unit, code == CBN_SETFOCUS);
      break;
    default:
      break;
  }
}

LRESULT Colour(const ComboBoxUnit& unit, HDC dc) {
  SetTextColor(dc, static_cast<COLORREF>(unit.record.Int(kTextColor)));
  LOGBRUSH brush{};
  GetObjectA(unit.back_brush, sizeof brush, &brush);
  SetBkColor(dc, brush.lbColor);
  return reinterpret_cast<LRESULT>(unit.back_brush);
}

// The control is gone: the framework forgets the unit, then the unit goes.
LRESULT Detach(HWND control, ComboBoxUnit* unit, WPARAM wparam, LPARAM lparam) {
  WNDPROC previous = unit->previous;
  RemovePropA(control, kUnitProperty);
  SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  if (const SystemServiceRoutine services = LibraryServices()) {
    services(forms::kServiceDestroyed, static_cast<intptr_t>(unit->window_id),
             static_cast<intptr_t>(unit->unit_id));
  }
  delete unit;
  return CallWindowProcA(previous, control, WM_NCDESTROY, wparam, lparam);
}

LRESULT ComboBoxProc(HWND control, UINT message, WPARAM wparam, LPARAM lparam) {
  ComboBoxUnit* unit = UnitOf(control);
  if (unit == nullptr) return DefWindowProcA(control, message, wparam, lparam);
  switch (message) {
    case kReflectedCommand:
      OnNotification(*unit, HIWORD(wparam));
      return 1;
    case WM_CTLCOLOREDIT + forms::kReflectedMessageOffset:
    case WM_CTLCOLORLISTBOX + forms::kReflectedMessageOffset:
    case WM_CTLCOLORSTATIC + forms::kReflectedMessageOffset:
      return Colour(*unit, reinterpret_cast<HDC>(wparam));
    case kChosenMessage:
      unit->choice_posted = false;
      if (!unit->guard) Raise(*unit, kEventChosen);
      return 0;
    case WM_NCDESTROY:
      return Detach(control, unit, wparam, lparam);
    default:
      return CallWindowProcA(unit->previous, control, message, wparam, lparam);
  }
}

DWORD StyleOf(const forms::RecordValues& record, uint32_t loader_style) {
  DWORD style = loader_style | kBaseStyle;
  if (record.Int(kSorted) != 0) style |= CBS_SORT;
  return style | static_cast<DWORD>(record.Int(kComboStyle) + 1);
}

// Items in stored order; integer i of ItemData goes to the item the control
// put item i at, while there are integers.
void FillItems(const ComboBoxUnit& unit) {
  const std::vector<std::string>& items = unit.record.Items(kItems);
  const std::span<const uint8_t> data = unit.record.Bytes(kItemData);
  for (size_t i = 0; i < items.size(); ++i) {
    const LRESULT at =
        SendMessageA(unit.window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i].c_str()));
    if (at < 0 || data.size() < (i + 1) * 4) continue;
    const uint8_t* word = data.data() + i * 4;
    const uint32_t value = word[0] | (word[1] << 8) | (word[2] << 16) | (uint32_t{word[3]} << 24);
    SendMessageA(unit.window, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(value));
  }
}

void ShowStoredState(ComboBoxUnit& unit) {
  const forms::RecordValues& record = unit.record;
  SendMessageA(unit.window, CB_SETITEMHEIGHT, 0,
               SendMessageA(unit.window, CB_GETITEMHEIGHT, 0, 0) + record.Int(kItemSpacing));
  SendMessageA(unit.window, CB_LIMITTEXT, static_cast<WPARAM>(record.Int(kMaxLength)), 0);
  FillItems(unit);
  const auto last = static_cast<int32_t>(SendMessageA(unit.window, CB_GETCOUNT, 0, 0)) - 1;
  const int32_t selected = std::max(std::min(record.Int(kListIndex), last), -1);
  SendMessageA(unit.window, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  if (record.Int(kComboStyle) == kDropDownList) return;
  SetWindowTextA(unit.window, record.Text(kContent).c_str());
  const int32_t start = record.Int(kSelStart);
  SendMessageA(unit.window, CB_SETEDITSEL, 0, MAKELPARAM(start, start + record.Int(kSelLength)));
}

std::span<const uint8_t> RecordBytes(const uint8_t* properties, int32_t length) {
  if (properties == nullptr || length <= 0) return {};
  return {properties, static_cast<size_t>(length)};
}

}  // namespace

ComboBoxUnit::~ComboBoxUnit() {
  if (back_brush != nullptr) DeleteObject(back_brush);
  if (font != nullptr) DeleteObject(font);
}

void* CreateComboBox(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                     uint32_t control_id, HMENU, int32_t x, int32_t y, int32_t width,
                     int32_t height, uint32_t window_id, uint32_t unit_id, int32_t, int32_t) {
  std::optional<forms::RecordValues> stored =
      forms::ReadRecord(ComboBoxSchema(), RecordBytes(properties, length));
  if (!stored) return nullptr;
  auto unit = std::make_unique<ComboBoxUnit>(std::move(*stored));
  unit->window_id = window_id;
  unit->unit_id = unit_id;
  forms::RecordValues& record = unit->record;
  record.SetInt(kComboStyle, std::clamp(record.Int(kComboStyle), kSimple, kDropDownList));
  record.SetInt(kMaxLength, std::clamp(record.Int(kMaxLength), 0, 32767));
  record.SetInt(kItemSpacing, std::clamp(record.Int(kItemSpacing), 0, 32767));
  if (record.Int(kComboStyle) != kSimple) height = std::max(height, kDropHeight);
  MakeBrush(*unit);
  unit->window = CreateWindowExA(0, "COMBOBOX", record.Text(kContent).c_str(),
                                 StyleOf(record, style), x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(uintptr_t{control_id}), nullptr, nullptr);
  if (unit->window == nullptr) return nullptr;
  SetPropA(unit->window, kUnitProperty, unit.get());
  unit->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(unit->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ComboBoxProc)));
  unit->guard = true;
  ApplyFont(*unit);
  ShowStoredState(*unit);
  unit->guard = false;
  return unit.release();
}

}  // namespace runtime::units::combobox
