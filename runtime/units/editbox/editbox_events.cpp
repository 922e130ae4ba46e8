// What the edit box does with its control's messages: keystroke filters,
// normalisation when the focus leaves, the centred single line, colours,
// change and focus events, and the spin button.
#include <string>

#include "runtime/commands/to_integer.h"
#include "runtime/forms/common_events.h"
#include "runtime/units/common/unit_controls.h"
#include "runtime/units/editbox/editbox_unit.h"
#include "runtime/units/editbox/input_modes.h"

namespace runtime::units::editbox {

namespace {

constexpr const char* kUnitProperty = "MienzoEditBox";
constexpr int32_t kChangeEvent = 0;
constexpr int32_t kSpinEvent = 1;

LRESULT Previous(const EditBoxUnit& unit, UINT message, WPARAM wparam, LPARAM lparam) {
  return CallWindowProcA(unit.previous, unit.window, message, wparam, lparam);
}

void OnKillFocus(EditBoxUnit& unit) {
  const std::string text = CurrentText(unit.window);
  const std::string normal = NormaliseText(unit.Int(kInputMode), text);
  if (normal != text) {
    DWORD start = 0;
    SendMessageA(unit.window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    SetWindowTextA(unit.window, normal.c_str());
    SendMessageA(unit.window, EM_SETSEL, start, static_cast<LPARAM>(start));
  }
  forms::RaiseFocusEvent(&unit, false);
}

// A single-line box shows one line centred between its top and bottom; the
// bands above and below belong to the frame.
LRESULT OnNcCalcSize(EditBoxUnit& unit, WPARAM wparam, LPARAM lparam) {
  const LRESULT result = Previous(unit, WM_NCCALCSIZE, wparam, lparam);
  if (unit.MultiLine() || unit.line_height <= 0 || lparam == 0) return result;
  RECT& client = wparam != 0 ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0]
                             : *reinterpret_cast<RECT*>(lparam);
  const int32_t spare = (client.bottom - client.top) - unit.line_height;
  if (spare > 0) {
    client.top += spare / 2;
    client.bottom = client.top + unit.line_height;
  }
  return result;
}

// The bands between the border and the one-line client area.
void PaintBands(const EditBoxUnit& unit) {
  RECT window{};
  RECT client{};
  GetWindowRect(unit.window, &window);
  GetClientRect(unit.window, &client);
  MapWindowPoints(unit.window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  const LONG ex_style = GetWindowLongA(unit.window, GWL_EXSTYLE);
  const LONG style = GetWindowLongA(unit.window, GWL_STYLE);
  int32_t edge = 0;
  if (ex_style & WS_EX_CLIENTEDGE) edge += GetSystemMetrics(SM_CYEDGE);
  if (ex_style & WS_EX_STATICEDGE) edge += GetSystemMetrics(SM_CYBORDER);
  if (ex_style & WS_EX_DLGMODALFRAME) edge += GetSystemMetrics(SM_CYDLGFRAME);
  if (style & WS_BORDER) edge += GetSystemMetrics(SM_CYBORDER);
  HDC dc = GetWindowDC(unit.window);
  if (dc == nullptr) return;
  const RECT above{client.left, edge, client.right, client.top};
  const RECT below{client.left, client.bottom, client.right, (window.bottom - window.top) - edge};
  if (above.bottom > above.top) FillRect(dc, &above, unit.back_brush);
  if (below.bottom > below.top) FillRect(dc, &below, unit.back_brush);
  ReleaseDC(unit.window, dc);
}

LRESULT OnNcHitTest(EditBoxUnit& unit, LPARAM lparam) {
  const LRESULT hit = Previous(unit, WM_NCHITTEST, 0, lparam);
  if (unit.MultiLine() || hit == HTCLIENT) return hit;
  POINT point{static_cast<int16_t>(LOWORD(lparam)), static_cast<int16_t>(HIWORD(lparam))};
  RECT window{};
  GetWindowRect(unit.window, &window);
  return PtInRect(&window, point) ? HTBORDER : hit;
}

LRESULT OnColour(const EditBoxUnit& unit, WPARAM wparam) {
  auto* dc = reinterpret_cast<HDC>(wparam);
  SetTextColor(dc, static_cast<COLORREF>(unit.Int(kTextColor)));
  SetBkColor(dc, unit.back_colour);
  return reinterpret_cast<LRESULT>(unit.back_brush);
}

void OnReflectedCommand(EditBoxUnit& unit, WPARAM wparam) {
  if (HIWORD(wparam) == EN_CHANGE && !unit.writing) RaiseUnitEvent(unit, kChangeEvent);
}

LRESULT OnNcDestroy(EditBoxUnit* unit, HWND hwnd, WPARAM wparam, LPARAM lparam) {
  WNDPROC previous = unit->previous;
  RemovePropA(hwnd, kUnitProperty);
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  if (unit->spin != nullptr) {
    // The box may be going with its parent, which is walking its children
    // (the spin among them) right now: the spin goes later, unless the
    // parent takes it first.
    RemovePropA(unit->spin, kUnitProperty);
    SetWindowLongPtrA(unit->spin, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(unit->spin_previous));
    ShowWindow(unit->spin, SW_HIDE);
    PostMessageA(unit->spin, WM_CLOSE, 0, 0);
  }
  NotifyUnitDestroyed(*unit);
  delete unit;
  return CallWindowProcA(previous, hwnd, WM_NCDESTROY, wparam, lparam);
}

// Messages whose default handling comes first.
LRESULT AfterDefault(EditBoxUnit& unit, UINT message, WPARAM wparam, LPARAM lparam) {
  const LRESULT result = Previous(unit, message, wparam, lparam);
  switch (message) {
    case WM_SETFOCUS:
      forms::RaiseFocusEvent(&unit, true);
      break;
    case WM_KILLFOCUS:
      OnKillFocus(unit);
      break;
    case WM_NCPAINT:
      if (!unit.MultiLine()) PaintBands(unit);
      break;
    case WM_SHOWWINDOW:  // comes before the box changes
      PlaceSpin(unit, wparam != 0);
      break;
    case WM_WINDOWPOSCHANGED:
    case WM_ENABLE:
      PlaceSpin(unit);
      break;
    default:
      break;
  }
  return result;
}

}  // namespace

LRESULT EditBoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  EditBoxUnit* unit = EditBoxOf(hwnd);
  if (unit == nullptr || unit->window != hwnd) return DefWindowProcA(hwnd, message, wparam, lparam);
  switch (message) {
    case WM_CHAR:
      if (!AcceptsCharacter(unit->Int(kInputMode), static_cast<uint32_t>(wparam))) return 0;
      break;
    case WM_NCCALCSIZE:
      return OnNcCalcSize(*unit, wparam, lparam);
    case WM_NCHITTEST:
      return OnNcHitTest(*unit, lparam);
    case forms::kReflectedMessageOffset + WM_CTLCOLOREDIT:
    case forms::kReflectedMessageOffset + WM_CTLCOLORSTATIC:
      return OnColour(*unit, wparam);
    case forms::kReflectedMessageOffset + WM_COMMAND:
      OnReflectedCommand(*unit, wparam);
      return 0;
    case WM_NCDESTROY:
      return OnNcDestroy(unit, hwnd, wparam, lparam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_NCPAINT:
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW:
    case WM_ENABLE:
      return AfterDefault(*unit, message, wparam, lparam);
    default:
      break;
  }
  return Previous(*unit, message, wparam, lparam);
}

LRESULT SpinProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  EditBoxUnit* unit = EditBoxOf(hwnd);
  if (unit == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  WNDPROC previous = unit->spin_previous;
  if (message == forms::kReflectedMessageOffset + WM_NOTIFY && lparam != 0) {
    const auto* change = reinterpret_cast<const NMUPDOWN*>(lparam);
    if (change->hdr.code == static_cast<UINT>(UDN_DELTAPOS)) {
      Spin(*unit, change->iDelta);
      return 1;  // the box keeps the value; the control's own position stays put
    }
  }
  if (message == WM_NCDESTROY) {
    RemovePropA(hwnd, kUnitProperty);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    unit->spin = nullptr;
  }
  return CallWindowProcA(previous, hwnd, message, wparam, lparam);
}

void Spin(EditBoxUnit& unit, int32_t delta) {
  if (delta == 0) return;
  if (unit.Int(kSpinMode) == 2) {
    RaiseUnitEvent(unit, kSpinEvent, {delta > 0 ? 1u : static_cast<uint32_t>(-1)});
    return;
  }
  int32_t low = 0;
  int32_t high = 0;
  SendMessageA(unit.spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
               reinterpret_cast<LPARAM>(&high));
  const int64_t value =
      int64_t{TextToInteger(CurrentText(unit.window).c_str())} + (delta > 0 ? 1 : -1);
  int64_t next = value;
  if (value < low || value > high) next = delta > 0 ? low : high;
  SetWindowTextA(unit.window, std::to_string(next).c_str());
  Select(unit, 0, -1);
  SetFocus(unit.window);
}

int32_t EditBoxWantsKey(void* object, uint32_t key) {
  const auto& unit = *static_cast<const EditBoxUnit*>(object);
  return key == VK_RETURN && unit.MultiLine() && unit.Int(kInputMode) != kReadOnly ? 1 : 0;
}

}  // namespace runtime::units::editbox
