// The label's window: its class, creation, messages and destruction.
#include <memory>
#include <optional>

#include "runtime/units/common/unit_controls.h"
#include "runtime/units/label/gradient.h"
#include "runtime/units/label/label_unit.h"

namespace runtime::units::label {

namespace {

LabelUnit* UnitOf(HWND window) {
  return reinterpret_cast<LabelUnit*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Repaint(HWND window, LabelUnit& unit) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  if (dc != nullptr) PaintLabel(unit, dc);
  EndPaint(window, &paint);
}

LRESULT LabelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LabelUnit* unit = UnitOf(window);
  if (unit == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  switch (message) {
    case WM_PAINT:
      Repaint(window, *unit);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers every pixel
    case kFeedbackMessage:
      return static_cast<LRESULT>(
          RaiseUnitEvent(*unit, 0, {static_cast<uint32_t>(wparam), static_cast<uint32_t>(lparam)}));
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      NotifyUnitDestroyed(*unit);
      delete unit;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

bool RegisterLabelClass() {
  WNDCLASSA known{};
  if (GetClassInfoA(nullptr, kLabelClass, &known)) return true;
  WNDCLASSA window_class{};
  window_class.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  window_class.lpfnWndProc = LabelProc;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  window_class.lpszClassName = kLabelClass;
  return RegisterClassA(&window_class) != 0;
}

}  // namespace

LabelUnit::~LabelUnit() {
  if (font != nullptr) DeleteObject(font);
  ReleasePicture(picture);
}

void ClampRecord(forms::RecordValues& record) {
  record.SetInt(kTextEffect, ClampTo(record.Int(kTextEffect), 0, 3));
  record.SetInt(kBorder, ClampTo(record.Int(kBorder), 0, kGradientFrame));
  if (record.Int(kFrameWidth) < kLeastFrameWidth) record.SetInt(kFrameWidth, kLeastFrameWidth);
  record.SetInt(kBackPictureMode, ClampTo(record.Int(kBackPictureMode), 0, 2));
  record.SetInt(kGradientMode, ClampTo(record.Int(kGradientMode), 0, kLastGradientMode));
  record.SetInt(kAlignment, ClampTo(record.Int(kAlignment), 0, 2));
  record.SetInt(kVerticalAlignment, ClampTo(record.Int(kVerticalAlignment), 0, 2));
  record.SetInt(kWordWrap, record.Int(kWordWrap) != 0 ? 1 : 0);
}

void* CreateLabel(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                  uint32_t control_id, HMENU, int32_t x, int32_t y, int32_t width, int32_t height,
                  uint32_t window_id, uint32_t unit_id, int32_t, int32_t) {
  std::optional<forms::RecordValues> stored =
      forms::ReadRecord(LabelSchema(), RecordBytes(properties, length));
  if (!stored || !RegisterLabelClass()) return nullptr;
  auto unit = std::make_unique<LabelUnit>(std::move(*stored));
  unit->window_id = window_id;
  unit->unit_id = unit_id;
  ClampRecord(unit->record);
  unit->font = MakeUnitFont(unit->record.Bytes(kFont));
  unit->window = CreateWindowExA(0, kLabelClass, unit->record.Text(kCaption).c_str(),
                                 style | WS_CHILD | WS_CLIPSIBLINGS, x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(uintptr_t{control_id}), nullptr, nullptr);
  if (unit->window == nullptr) return nullptr;
  SetWindowLongPtrA(unit->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(unit.get()));
  // The gradient frame is the label's own drawing, not a window border.
  if (unit->Int(kBorder) != kGradientFrame) ApplyBorderStyle(unit->window, unit->Int(kBorder));
  return unit.release();
}

}  // namespace runtime::units::label
