// Making the edit box: styles from the record, the EDIT control, its font
// with the height rule, and the spin control.
#include <algorithm>
#include <memory>
#include <optional>

#include "runtime/units/common/unit_controls.h"
#include "runtime/units/editbox/editbox_unit.h"
#include "runtime/units/editbox/input_modes.h"

namespace runtime::units::editbox {

namespace {

constexpr const char* kUnitProperty = "MienzoEditBox";
constexpr const char* kIdeograph = "\xD6\xD0";  // 中: what the height rule measures

DWORD StyleOf(const forms::RecordValues& record) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (record.Int(kHideSelection) == 0) style |= ES_NOHIDESEL;
  if (record.Int(kMultiLine) != 0) {
    style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    const int32_t bars = record.Int(kScrollBars);
    if (bars == 1 || bars == 3) style |= ES_AUTOHSCROLL | WS_HSCROLL;
    if (bars == 2 || bars == 3) style |= WS_VSCROLL;
  } else {
    style |= ES_AUTOHSCROLL;
  }
  if (record.Int(kAlignment) == 1) style |= ES_CENTER;
  if (record.Int(kAlignment) == 2) style |= ES_RIGHT;
  if (record.Int(kInputMode) == kReadOnly) style |= ES_READONLY;
  if (record.Int(kInputMode) == kPassword) style |= ES_PASSWORD;
  if (record.Int(kCaseConversion) == 1) style |= ES_LOWERCASE;
  if (record.Int(kCaseConversion) == 2) style |= ES_UPPERCASE;
  return style;
}

// A template may hold anything; the unit keeps only values it can show.
void ClampRecord(forms::RecordValues& record) {
  record.SetInt(kBorder, ClampTo(record.Int(kBorder), 0, kLastBorderStyle));
  record.SetInt(kScrollBars, ClampTo(record.Int(kScrollBars), 0, 3));
  record.SetInt(kAlignment, ClampTo(record.Int(kAlignment), 0, 2));
  record.SetInt(kInputMode, ClampTo(record.Int(kInputMode), 0, kLastInputMode));
  record.SetInt(kCaseConversion, ClampTo(record.Int(kCaseConversion), 0, 2));
  record.SetInt(kSpinMode, ClampTo(record.Int(kSpinMode), 0, 2));
  if (record.Int(kMaxLength) < 0) record.SetInt(kMaxLength, 0);
}

int32_t TextHeight(HFONT font, const char* text, int32_t length) {
  HDC dc = GetDC(nullptr);
  if (dc == nullptr) return 0;
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text, length, &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cy;
}

void MakeSpin(EditBoxUnit& unit, HWND parent) {
  const int32_t border = unit.Int(kBorder);
  const DWORD ex_style = border == 0 || border == 1 || border == 3 ? WS_EX_STATICEDGE : 0;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | UDS_ARROWKEYS;
  if ((GetWindowLongA(unit.window, GWL_STYLE) & WS_DISABLED) != 0) style |= WS_DISABLED;
  unit.spin = CreateWindowExA(ex_style, UPDOWN_CLASSA, "", style, 0, 0, kSpinWidth, 0, parent,
                              nullptr, nullptr, nullptr);
  if (unit.spin == nullptr) {
    unit.record.SetInt(kSpinMode, 0);
    return;
  }
  SetPropA(unit.spin, kUnitProperty, &unit);
  unit.spin_previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(unit.spin, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SpinProc)));
  ApplySpinRange(unit);
  PlaceSpin(unit);
}

}  // namespace

EditBoxUnit* EditBoxOf(HWND hwnd) {
  return static_cast<EditBoxUnit*>(GetPropA(hwnd, kUnitProperty));
}

EditBoxUnit::~EditBoxUnit() {
  if (font != nullptr) DeleteObject(font);
  if (back_brush != nullptr) DeleteObject(back_brush);
}

void* CreateEditBox(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                    uint32_t control_id, HMENU, int32_t x, int32_t y, int32_t width, int32_t height,
                    uint32_t window_id, uint32_t unit_id, int32_t, int32_t) {
  std::optional<forms::RecordValues> stored =
      forms::ReadRecord(EditBoxSchema(), RecordBytes(properties, length));
  if (!stored) return nullptr;
  auto unit = std::make_unique<EditBoxUnit>(std::move(*stored));
  unit->window_id = window_id;
  unit->unit_id = unit_id;
  ClampRecord(unit->record);
  MakeBackBrush(*unit);
  unit->window = CreateWindowExA(0, "EDIT", unit->record.Text(kContent).c_str(),
                                 style | StyleOf(unit->record), x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(uintptr_t{control_id}), nullptr, nullptr);
  if (unit->window == nullptr) return nullptr;
  SetPropA(unit->window, kUnitProperty, unit.get());
  unit->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(unit->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditBoxProc)));
  ApplyFont(*unit);
  SendMessageA(unit->window, EM_LIMITTEXT, static_cast<WPARAM>(unit->Int(kMaxLength)), 0);
  ApplyInputMode(*unit);
  if (!unit->MultiLine() && unit->Int(kSpinMode) != 0) MakeSpin(*unit, parent);
  Select(*unit, unit->Int(kSelStart), unit->Int(kSelLength));
  ApplyBorderStyle(unit->window, unit->Int(kBorder));
  return unit.release();
}

void ApplyFont(EditBoxUnit& unit) {
  HFONT old = unit.font;
  unit.font = MakeUnitFont(unit.record.Bytes(kFont));
  HFONT font = FontOrDefault(unit.font);
  unit.line_height = TextHeight(font, "W", 1);
  if (!unit.MultiLine()) {
    const int32_t least = TextHeight(font, kIdeograph, 2) + 2 * GetSystemMetrics(SM_CYEDGE);
    RECT rect{};
    GetWindowRect(unit.window, &rect);
    if (rect.bottom - rect.top < least) {
      SetWindowPos(unit.window, nullptr, 0, 0, rect.right - rect.left, least,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  SendMessageA(unit.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  // The one-line client area follows the font's line height.
  SetWindowPos(unit.window, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (old != nullptr) DeleteObject(old);
}

void MakeBackBrush(EditBoxUnit& unit) {
  unit.back_colour = ResolveBackColour(static_cast<uint32_t>(unit.Int(kBackColor)));
  if (unit.back_brush != nullptr) DeleteObject(unit.back_brush);
  unit.back_brush = CreateSolidBrush(unit.back_colour);
}

void ApplySpinRange(const EditBoxUnit& unit) {
  if (unit.spin == nullptr) return;
  const int32_t low = std::min(unit.Int(kSpinMin), unit.Int(kSpinMax));
  const int32_t high = std::max(unit.Int(kSpinMin), unit.Int(kSpinMax));
  SendMessageA(unit.spin, UDM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
}

void PlaceSpin(const EditBoxUnit& unit, std::optional<bool> shown) {
  if (unit.spin == nullptr) return;
  RECT rect{};
  GetWindowRect(unit.window, &rect);
  HWND parent = GetParent(unit.window);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  if (GetParent(unit.spin) != parent) SetParent(unit.spin, parent);
  // The box's own visibility: its window may not be shown yet.
  const bool box_shown = (GetWindowLongA(unit.window, GWL_STYLE) & WS_VISIBLE) != 0;
  const UINT show = shown.value_or(box_shown) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
  SetWindowPos(unit.spin, unit.window, rect.right, rect.top, kSpinWidth, rect.bottom - rect.top,
               SWP_NOACTIVATE | show);
  EnableWindow(unit.spin, IsWindowEnabled(unit.window));
}

void ApplyInputMode(EditBoxUnit& unit) {
  const int32_t mode = unit.Int(kInputMode);
  const auto echo = static_cast<WPARAM>(unit.Int(kPasswordChar) & 0xFF);
  SendMessageA(unit.window, EM_SETPASSWORDCHAR, mode == kPassword ? echo : 0, 0);
  SendMessageA(unit.window, EM_SETREADONLY, mode == kReadOnly ? TRUE : FALSE, 0);
  InvalidateRect(unit.window, nullptr, TRUE);
}

void Select(const EditBoxUnit& unit, int32_t start, int32_t length) {
  const auto text_length = static_cast<int32_t>(GetWindowTextLengthA(unit.window));
  if (start == -1) {
    start = text_length;
    length = 0;
  } else if (length == -1) {
    start = 0;
    length = text_length;
  }
  start = std::max(start, 0);
  length = std::max(length, 0);
  SendMessageA(unit.window, EM_SETSEL, static_cast<WPARAM>(start),
               static_cast<LPARAM>(start + length));
  SendMessageA(unit.window, EM_SCROLLCARET, 0, 0);
}

}  // namespace runtime::units::editbox
