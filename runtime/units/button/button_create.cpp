// The button's control: styles, picture, font, the click and focus events
// and destruction.
#include <optional>

#include "runtime/forms/common_events.h"
#include "runtime/pictures/decode.h"
#include "runtime/units/button/button_unit.h"
#include "runtime/units/common/unit_controls.h"

namespace runtime::units::button {

namespace {

constexpr const char* kUnitProperty = "MienzoButton";
// Child, clip-siblings and multi-line, whatever the loader asks.
constexpr DWORD kAlwaysStyle = 0x44002000;
constexpr DWORD kAlignmentByte = kHorizontalMask | kVerticalMask;
constexpr DWORD kHorizontal[] = {BS_LEFT, BS_CENTER, BS_RIGHT};
constexpr DWORD kVertical[] = {BS_TOP, BS_VCENTER, BS_BOTTOM};

ButtonUnit* UnitOf(HWND hwnd) { return static_cast<ButtonUnit*>(GetPropA(hwnd, kUnitProperty)); }

LRESULT OnNcDestroy(ButtonUnit* unit, HWND hwnd, WPARAM wparam, LPARAM lparam) {
  WNDPROC previous = unit->previous;
  RemovePropA(hwnd, kUnitProperty);
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  NotifyUnitDestroyed(*unit);
  delete unit;
  return CallWindowProcA(previous, hwnd, WM_NCDESTROY, wparam, lparam);
}

LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  ButtonUnit* unit = UnitOf(hwnd);
  if (unit == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  switch (message) {
    case forms::kReflectedMessageOffset + WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED) RaiseUnitEvent(*unit, 0);
      return 0;
    case WM_NCDESTROY:
      return OnNcDestroy(unit, hwnd, wparam, lparam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = CallWindowProcA(unit->previous, hwnd, message, wparam, lparam);
      forms::RaiseFocusEvent(unit, message == WM_SETFOCUS);
      return result;
    }
    default:
      return CallWindowProcA(unit->previous, hwnd, message, wparam, lparam);
  }
}

// Decodes Picture and renders it against the button face; the image style
// it needs, or 0 when the button shows its caption.
DWORD PreparePicture(ButtonUnit& unit) {
  if (unit.record.Bytes(kPicture).empty()) return 0;
  unit.picture = DecodePictureBytes(unit.record.Bytes(kPicture));
  if (unit.picture != nullptr) {
    HDC screen = GetDC(nullptr);
    unit.image = MakeDrawable(*unit.picture, screen, GetSysColor(COLOR_BTNFACE));
    ReleaseDC(nullptr, screen);
  }
  if (unit.image == nullptr) {  // undecodable or unrenderable: dropped
    ReleasePicture(unit.picture);
    unit.picture = nullptr;
    unit.record.SetText(kPicture, {});
    return 0;
  }
  return unit.image->icon() != nullptr ? BS_ICON : BS_BITMAP;
}

void GiveImage(const ButtonUnit& unit) {
  if (unit.image == nullptr) return;
  if (unit.image->icon() != nullptr) {
    SendMessageA(unit.window, BM_SETIMAGE, IMAGE_ICON,
                 reinterpret_cast<LPARAM>(unit.image->icon()));
  } else {
    SendMessageA(unit.window, BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(unit.image->bitmap()));
  }
}

}  // namespace

ButtonUnit::~ButtonUnit() {
  image.reset();
  ReleasePicture(picture);
  if (font != nullptr) DeleteObject(font);
}

DWORD AlignmentStyle(const forms::RecordValues& record) {
  return kHorizontal[ClampTo(record.Int(kAlignment), 0, 2)] |
         kVertical[ClampTo(record.Int(kVerticalAlignment), 0, 2)];
}

void* CreateButton(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                   uint32_t control_id, HMENU, int32_t x, int32_t y, int32_t width, int32_t height,
                   uint32_t window_id, uint32_t unit_id, int32_t, int32_t) {
  std::optional<forms::RecordValues> stored =
      forms::ReadRecord(ButtonSchema(), RecordBytes(properties, length));
  if (!stored) return nullptr;
  auto unit = std::make_unique<ButtonUnit>(std::move(*stored));
  unit->window_id = window_id;
  unit->unit_id = unit_id;
  forms::RecordValues& record = unit->record;
  record.SetInt(kButtonType, ClampTo(record.Int(kButtonType), 0, 1));
  record.SetInt(kAlignment, ClampTo(record.Int(kAlignment), 0, 2));
  record.SetInt(kVerticalAlignment, ClampTo(record.Int(kVerticalAlignment), 0, 2));
  DWORD button_style = (style & ~kAlignmentByte) | AlignmentStyle(record) | kAlwaysStyle;
  if (record.Int(kButtonType) == 1) button_style |= BS_DEFPUSHBUTTON;
  button_style |= PreparePicture(*unit);
  unit->window =
      CreateWindowExA(0, "BUTTON", record.Text(kCaption).c_str(), button_style, x, y, width, height,
                      parent, reinterpret_cast<HMENU>(uintptr_t{control_id}), nullptr, nullptr);
  if (unit->window == nullptr) return nullptr;
  SetPropA(unit->window, kUnitProperty, unit.get());
  unit->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(unit->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ButtonProc)));
  ApplyFont(*unit);
  GiveImage(*unit);
  return unit.release();
}

void ApplyFont(ButtonUnit& unit) {
  HFONT old = unit.font;
  unit.font = MakeUnitFont(unit.record.Bytes(kFont));
  SendMessageA(unit.window, WM_SETFONT, reinterpret_cast<WPARAM>(FontOrDefault(unit.font)), TRUE);
  if (old != nullptr) DeleteObject(old);
}

int32_t IsDefaultButton(void* object) {
  const auto& unit = *static_cast<const ButtonUnit*>(object);
  return (GetWindowLongA(unit.window, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON ? 1 : 0;
}

}  // namespace runtime::units::button
