// The colour picker's button: creation, drawing, opening the popup, the
// popup's outcome, properties and the stored record.
#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

#include "runtime/core/runtime_library.h"
#include "runtime/forms/common_events.h"
#include "runtime/forms/event_record.h"
#include "runtime/forms/system_services.h"
#include "runtime/units/colorpicker/colorpicker_schema.h"
#include "runtime/units/colorpicker/colorpicker_unit.h"
#include "runtime/units/colorpicker/colour_palette.h"
#include "runtime/units/colorpicker/colour_popup.h"

namespace runtime::units::colorpicker {

namespace {

constexpr const char* kUnitProperty = "MienzoColorPickerUnit";
constexpr const char* kTransparentText = "\xCD\xB8\xC3\xF7";               // 透明
constexpr const char* kOtherText = "\xC6\xE4\xCB\xFC\xD1\xD5\xC9\xAB...";  // 其它颜色...

ColorPickerUnit* UnitOf(HWND button) {
  return static_cast<ColorPickerUnit*>(GetPropA(button, kUnitProperty));
}

void Notify(const ColorPickerUnit& unit, UINT notice, uint32_t colour = 0) {
  HWND parent = GetParent(unit.window);
  if (parent != nullptr) {
    SendMessageA(parent, notice, static_cast<WPARAM>(GetDlgCtrlID(unit.window)),
                 static_cast<LPARAM>(colour));
  }
}

// The colour the button shows for `colour`: without the transparent entry
// the marker shows as black.
uint32_t Shown(const ColorPickerUnit& unit, uint32_t colour) {
  return colour == kTransparent && unit.transparent_text.empty() ? 0 : colour;
}

int32_t ArrowWidth() {
  return std::max({5 * GetSystemMetrics(SM_CXEDGE), 5 * GetSystemMetrics(SM_CYEDGE),
                   GetSystemMetrics(SM_CXHTHUMB), GetSystemMetrics(SM_CYVTHUMB)});
}

void Draw(const ColorPickerUnit& unit, const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT client = item.rcItem;
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  RECT arrow = client;
  InflateRect(&arrow, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
  arrow.left = std::max(arrow.left, arrow.right - ArrowWidth());
  UINT arrow_state = DFCS_SCROLLDOWN;
  if (unit.popup_open || (item.itemState & ODS_SELECTED) != 0) arrow_state |= DFCS_PUSHED;
  if (disabled) arrow_state |= DFCS_INACTIVE;
  DrawFrameControl(dc, &arrow, DFC_SCROLL, arrow_state);
  DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT);
  RECT swatch{client.left + 4, client.top + 4, arrow.left - 2, client.bottom - 4};
  const COLORREF fill =
      disabled ? GetSysColor(COLOR_BTNFACE) : (unit.shown == kTransparent ? 0xFFFFFF : unit.shown);
  HBRUSH brush = CreateSolidBrush(fill);
  HGDIOBJ old_brush = SelectObject(dc, brush);
  HGDIOBJ old_pen = SelectObject(dc, GetStockObject(BLACK_PEN));
  Rectangle(dc, swatch.left, swatch.top, swatch.right, swatch.bottom);
  SelectObject(dc, old_pen);
  SelectObject(dc, old_brush);
  DeleteObject(brush);
  if (unit.shown == kTransparent) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, unit.text_colour);
    DrawTextA(dc, unit.transparent_text.c_str(), -1, &swatch,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  if ((item.itemState & ODS_FOCUS) != 0) {
    RECT focus = swatch;
    InflateRect(&focus, 2, 2);
    DrawFocusRect(dc, &focus);
  }
}

void Open(ColorPickerUnit& unit) {
  if (unit.popup_open) return;
  unit.popup_open = true;
  InvalidateRect(unit.window, nullptr, FALSE);
  if (OpenColourPopup(unit) == nullptr) {
    unit.popup_open = false;
    InvalidateRect(unit.window, nullptr, FALSE);
  }
}

void Raise(const ColorPickerUnit& unit, int32_t event) {
  forms::EventRecord record{};
  record.window_id = unit.window_id;
  record.unit_id = unit.unit_id;
  record.event = event;
  if (const SystemServiceRoutine services = LibraryServices()) {
    services(forms::kServiceRaiseEvent, reinterpret_cast<intptr_t>(&record), 0);
  }
}

LRESULT Detach(HWND button, ColorPickerUnit* unit, WPARAM wparam, LPARAM lparam) {
  WNDPROC previous = unit->previous;
  RemovePropA(button, kUnitProperty);
  SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  if (const SystemServiceRoutine services = LibraryServices()) {
    services(forms::kServiceDestroyed, static_cast<intptr_t>(unit->window_id),
             static_cast<intptr_t>(unit->unit_id));
  }
  delete unit;
  return CallWindowProcA(previous, button, WM_NCDESTROY, wparam, lparam);
}

LRESULT ButtonProc(HWND button, UINT message, WPARAM wparam, LPARAM lparam) {
  ColorPickerUnit* unit = UnitOf(button);
  if (unit == nullptr) return DefWindowProcA(button, message, wparam, lparam);
  switch (message) {
    case WM_DRAWITEM + forms::kReflectedMessageOffset:
      Draw(*unit, *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_COMMAND + forms::kReflectedMessageOffset:
      if (HIWORD(wparam) == BN_CLICKED) Open(*unit);
      return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      forms::RaiseFocusEvent(unit, message == WM_SETFOCUS);
      break;
    case WM_NCDESTROY:
      return Detach(button, unit, wparam, lparam);
    default:
      break;
  }
  return CallWindowProcA(unit->previous, button, message, wparam, lparam);
}

void AllowTransparent(ColorPickerUnit& unit, bool allow) {
  unit.record.SetInt(kAllowTransparent, allow ? 1 : 0);
  unit.transparent_text = allow ? kTransparentText : "";
}

}  // namespace

void PreviewColour(const ColorPickerUnit& unit, uint32_t colour) {
  Notify(unit, kPreviewNotice, colour);
}

void PopupEnded(ColorPickerUnit& unit, bool accepted, uint32_t colour) {
  unit.popup_open = false;
  const uint32_t before = unit.shown;
  if (accepted) unit.shown = colour;
  InvalidateRect(unit.window, nullptr, FALSE);
  Notify(unit, kPopupClosedNotice);
  if (!accepted) return;
  Notify(unit, kChosenNotice, colour);
  if (colour != before) Notify(unit, kChangedNotice, colour);
  unit.record.SetInt(kColor, static_cast<int32_t>(unit.shown));
  Raise(unit, kEventChosen);
}

void* CreateColorPicker(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                        uint32_t control_id, HMENU, int32_t x, int32_t y, int32_t width,
                        int32_t height, uint32_t window_id, uint32_t unit_id, int32_t, int32_t) {
  const std::span<const uint8_t> bytes =
      properties != nullptr && length > 0
          ? std::span<const uint8_t>(properties, static_cast<size_t>(length))
          : std::span<const uint8_t>();
  std::optional<forms::RecordValues> stored = forms::ReadRecord(ColorPickerSchema(), bytes);
  if (!stored) return nullptr;
  auto unit = std::make_unique<ColorPickerUnit>(std::move(*stored));
  unit->window_id = window_id;
  unit->unit_id = unit_id;
  unit->text_colour = GetSysColor(COLOR_BTNTEXT);
  unit->other_text = kOtherText;
  AllowTransparent(*unit, unit->record.Int(kAllowTransparent) != 0);
  if (unit->transparent_text.empty() &&
      static_cast<uint32_t>(unit->record.Int(kColor)) == kTransparent) {
    unit->record.SetInt(kColor, 0);
  }
  unit->shown = static_cast<uint32_t>(unit->record.Int(kColor));
  unit->window = CreateWindowExA(0, "BUTTON", "", style | WS_CHILD | WS_CLIPSIBLINGS | BS_OWNERDRAW,
                                 x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(uintptr_t{control_id}), nullptr, nullptr);
  if (unit->window == nullptr) return nullptr;
  SetPropA(unit->window, kUnitProperty, unit.get());
  unit->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(unit->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ButtonProc)));
  return unit.release();
}

void GetColorPickerProperty(void* object, int32_t index, forms::PropertyPair* pair) {
  const auto& unit = *static_cast<const ColorPickerUnit*>(object);
  if (index == kColorIndex) pair->first = static_cast<uint32_t>(unit.record.Int(kColor));
  if (index == kAllowTransparentIndex) pair->first = unit.record.Int(kAllowTransparent) != 0;
}

int32_t SetColorPickerProperty(void* object, int32_t index, const forms::PropertyPair* pair,
                               int32_t) {
  auto& unit = *static_cast<ColorPickerUnit*>(object);
  if (index == kColorIndex) {
    unit.record.SetInt(kColor, static_cast<int32_t>(pair->first));
  } else if (index == kAllowTransparentIndex) {
    AllowTransparent(unit, pair->first != 0);
  } else {
    return 0;
  }
  unit.shown = Shown(unit, static_cast<uint32_t>(unit.record.Int(kColor)));
  InvalidateRect(unit.window, nullptr, FALSE);
  return 0;
}

HGLOBAL SaveColorPickerProperties(void* object) {
  const auto& unit = *static_cast<const ColorPickerUnit*>(object);
  const std::string record = forms::WriteRecord(unit.record);
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, record.size());
  if (block == nullptr) return nullptr;
  std::memcpy(GlobalLock(block), record.data(), record.size());
  GlobalUnlock(block);
  return block;
}

}  // namespace runtime::units::colorpicker
