#include "runtime/units/drawpanel/panel_window.h"

#include "runtime/core/runtime_library.h"
#include "runtime/forms/event_record.h"
#include "runtime/forms/system_services.h"
#include "runtime/units/common/unit_controls.h"
#include "runtime/units/drawpanel/panel_bitmap.h"
#include "runtime/units/drawpanel/panel_events.h"

namespace runtime::units::drawpanel {

namespace {

void Attach(HWND window, LPARAM create_struct) {
  const auto* create = reinterpret_cast<const CREATESTRUCTA*>(create_struct);
  auto* panel = static_cast<Panel*>(create->lpCreateParams);
  if (panel == nullptr) return;
  panel->window = window;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(panel));
}

// The window is gone: the framework forgets the unit, then the panel goes.
void Detach(HWND window, Panel* panel) {
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  if (!panel->created) return;  // the create handler still owns it
  if (const SystemServiceRoutine services = LibraryServices()) {
    services(forms::kServiceDestroyed, static_cast<intptr_t>(panel->window_id),
             static_cast<intptr_t>(panel->unit_id));
  }
  delete panel;
}

void Repaint(HWND window) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  if (dc == nullptr) return;
  if (Panel* panel = PanelOf(window)) PaintPanel(*panel, window, dc);
  EndPaint(window, &paint);
}

// A panel that is a tab stop takes the focus when clicked on itself (not
// on a child window of its own).
bool TakeFocusOnClick(HWND window) {
  if ((GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP) == 0) return false;
  POINT point{};
  GetCursorPos(&point);
  ScreenToClient(window, &point);
  if (ChildWindowFromPointEx(window, point, CWP_ALL) != window) return false;
  if (GetFocus() != window) SetFocus(window);
  return true;
}

LRESULT PanelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) Attach(window, lparam);
  Panel* panel = PanelOf(window);
  if (panel == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  switch (message) {
    case WM_SIZE:
      panel->text_position = POINT{0, 0};
      BuildBitmap(*panel, window, KeepDrawing::kYes);
      return 0;
    case WM_PAINT:
      Repaint(window);
      return 0;
    case WM_MOUSEACTIVATE:
      if (TakeFocusOnClick(window)) return MA_ACTIVATE;
      break;
    case WM_SETFOCUS:
      RaisePanelEvent(*panel, forms::kEventFocusGained);
      break;
    case WM_KILLFOCUS:
      RaisePanelEvent(*panel, forms::kEventFocusLost);
      break;
    case WM_NCDESTROY:
      Detach(window, panel);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

bool RegisterPanelClass() {
  WNDCLASSA known{};
  if (GetClassInfoA(nullptr, kPanelClass, &known)) return true;
  WNDCLASSA window_class{};
  // No background brush: the panel paints its own background as part of
  // the repaint, so nothing is erased first that would then flicker.
  window_class.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  window_class.lpfnWndProc = PanelProc;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.lpszClassName = kPanelClass;
  return RegisterClassA(&window_class) != 0;
}

Panel* PanelOf(HWND window) {
  return reinterpret_cast<Panel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// A border number outside the list means none (the shared rule clamps).
void ApplyBorder(HWND window, int32_t border) {
  ApplyBorderStyle(window, border < kBorderNone || border > kLastBorder ? kBorderNone : border);
}

}  // namespace runtime::units::drawpanel
