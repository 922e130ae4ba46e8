// The picture box's window: its class, creation, messages and destruction.
#include "runtime/units/picbox/picbox_unit.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <span>

#include "runtime/core/runtime_library.h"
#include "runtime/forms/common_events.h"
#include "runtime/forms/system_services.h"
#include "runtime/units/picbox/display_mode.h"
#include "runtime/units/picbox/picbox_paint.h"
#include "runtime/units/picbox/picbox_schema.h"

namespace runtime::units::picbox {

namespace {

// Child window, clipped by its siblings.
constexpr DWORD kWindowStyle = WS_CHILD | WS_CLIPSIBLINGS;

constexpr DWORD kBorderExStyles = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
constexpr DWORD kBorderExStyle[kLastBorder + 1] = {0,
                                                   WS_EX_CLIENTEDGE,
                                                   WS_EX_DLGMODALFRAME,
                                                   WS_EX_STATICEDGE,
                                                   WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME,
                                                   0};
constexpr int32_t kSingleLineBorder = 5;  // WS_BORDER instead of an extended style

PicBoxUnit* UnitOf(HWND window) {
  return reinterpret_cast<PicBoxUnit*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Repaint(HWND window, PicBoxUnit& unit) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  if (dc == nullptr) return;
  PaintPicBox(unit, dc);
  EndPaint(window, &paint);
}

// A unit lying on the box without a background of its own asks the box to
// paint what is behind it: into the unit's DC, inside `lparam`'s rectangle
// (the DC's coordinates; null for all of it), lined up with the box's client
// area.
LRESULT PaintOnRequest(PicBoxUnit& unit, WPARAM wparam, LPARAM lparam) {
  auto* dc = reinterpret_cast<HDC>(wparam);
  if (dc == nullptr) return 0;
  const int saved = SaveDC(dc);
  if (const auto* area = reinterpret_cast<const RECT*>(lparam)) {
    IntersectClipRect(dc, area->left, area->top, area->right, area->bottom);
  }
  HWND owner = WindowFromDC(dc);
  if (owner != nullptr && owner != unit.window) {
    POINT origin{0, 0};
    MapWindowPoints(owner, unit.window, &origin, 1);
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
  }
  PaintPicBox(unit, dc);
  RestoreDC(dc, saved);
  return kPaintedReply;
}

// Place, size, z-order or visibility changed (WM_SIZE comes out of the
// default handling): the animation thread needs a DC that clips anew.
LRESULT MovedOrShown(PicBoxUnit& unit, WPARAM wparam, LPARAM lparam) {
  const LRESULT result = DefWindowProcA(unit.window, WM_WINDOWPOSCHANGED, wparam, lparam);
  if (unit.animation && unit.animation->started()) unit.animation->RefreshWindowDc();
  return result;
}

// The window is going: the animation thread draws on it, so it is stopped
// (and joined) while the window still exists.
void StopAnimation(PicBoxUnit& unit) { unit.animation.reset(); }

// The window is gone: the framework forgets the unit, then the unit goes.
void Detach(HWND window, PicBoxUnit* unit) {
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  if (const SystemServiceRoutine services = LibraryServices()) {
    services(forms::kServiceDestroyed, static_cast<intptr_t>(unit->window_id),
             static_cast<intptr_t>(unit->unit_id));
  }
  delete unit;
}

LRESULT PicBoxProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  PicBoxUnit* unit = UnitOf(window);
  if (unit == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  switch (message) {
    case WM_PAINT:
      Repaint(window, *unit);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting fills the whole client area itself
    case kBackgroundPaintRequest:
      return PaintOnRequest(*unit, wparam, lparam);
    case WM_SIZE:
      UpdateAnimationView(*unit);
      break;
    case WM_WINDOWPOSCHANGED:
      return MovedOrShown(*unit, wparam, lparam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      forms::RaiseFocusEvent(unit, message == WM_SETFOCUS);
      break;
    case WM_DESTROY:
      StopAnimation(*unit);
      break;
    case WM_NCDESTROY:
      Detach(window, unit);
      return DefWindowProcA(window, message, wparam, lparam);
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

bool RegisterPicBoxClass() {
  WNDCLASSA known{};
  if (GetClassInfoA(nullptr, kPicBoxClass, &known)) return true;
  WNDCLASSA window_class{};
  // Every placement depends on the whole client size, so any size change
  // repaints everything. No brush: painting fills the background itself.
  window_class.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  window_class.lpfnWndProc = PicBoxProc;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.lpszClassName = kPicBoxClass;
  return RegisterClassA(&window_class) != 0;
}

std::span<const uint8_t> RecordBytes(const uint8_t* properties, int32_t length) {
  if (properties == nullptr || length <= 0) return {};
  return {properties, static_cast<size_t>(length)};
}

}  // namespace

PicBoxUnit::~PicBoxUnit() {
  animation.reset();
  ReleasePicture(picture);
  if (back_brush != nullptr) DeleteObject(back_brush);
}

void* CreatePicBox(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                   uint32_t control_id, HMENU, int32_t x, int32_t y, int32_t width, int32_t height,
                   uint32_t window_id, uint32_t unit_id, int32_t, int32_t) {
  std::optional<forms::RecordValues> stored =
      forms::ReadRecord(PicBoxSchema(), RecordBytes(properties, length));
  if (!stored || !RegisterPicBoxClass()) return nullptr;
  auto unit = std::make_unique<PicBoxUnit>(std::move(*stored));
  unit->window_id = window_id;
  unit->unit_id = unit_id;
  forms::RecordValues& record = unit->record;
  // A template may hold anything; the unit keeps only values it can show.
  record.SetInt(kBorder, std::clamp(record.Int(kBorder), 0, kLastBorder));
  record.SetInt(kDisplayMode, ClampDisplayMode(record.Int(kDisplayMode)));
  record.SetInt(kPlayAnimation, record.Int(kPlayAnimation) != 0 ? 1 : 0);
  unit->play = record.Int(kPlayAnimation) != 0;
  MakeBackground(*unit);
  unit->window =
      CreateWindowExA(0, kPicBoxClass, "", style | kWindowStyle, x, y, width, height, parent,
                      reinterpret_cast<HMENU>(uintptr_t{control_id}), nullptr, nullptr);
  if (unit->window == nullptr) return nullptr;
  // Attached only now: a window that fails half-way through its creation
  // never owns the unit.
  SetWindowLongPtrA(unit->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(unit.get()));
  ShowPicture(*unit);
  ApplyBorder(unit->window, record.Int(kBorder));
  UpdateAnimationView(*unit);  // the border took its room from the client area
  return unit.release();
}

void ApplyBorder(HWND window, int32_t border) {
  border = std::clamp(border, 0, kLastBorder);
  DWORD ex_style = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)) & ~kBorderExStyles;
  DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & ~DWORD{WS_BORDER};
  ex_style |= kBorderExStyle[border];
  if (border == kSingleLineBorder) style |= WS_BORDER;
  SetWindowLongA(window, GWL_EXSTYLE, static_cast<LONG>(ex_style));
  SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(style));
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void MakeBackground(PicBoxUnit& unit) {
  const auto colour = static_cast<uint32_t>(unit.record.Int(kBackColor));
  unit.back_colour = colour == kSystemColourMarker ? GetSysColor(COLOR_BTNFACE) : colour;
  if (unit.back_brush != nullptr) DeleteObject(unit.back_brush);
  unit.back_brush = CreateSolidBrush(unit.back_colour);
}

}  // namespace runtime::units::picbox
