// The window procedure of the window unit type: window events, closing with
// its vetoes, destruction, focus, mouse pointers and painting, one small
// function a message.
#include "runtime/core/runtime_library.h"
#include "runtime/forms/common_events.h"
#include "runtime/forms/system_services.h"
#include "runtime/forms/unit_types.h"
#include "runtime/units/window/window_unit.h"

namespace runtime::units::window {

namespace {

constexpr const char* kUnitProperty = "MienzoWindowUnit";

intptr_t Service(int32_t code, intptr_t first, intptr_t second) {
  SystemServiceRoutine services = LibraryServices();
  return services != nullptr ? services(code, first, second) : 0;
}

// WM_CLOSE: event 12, then event 1; either handler answering false keeps the
// window. A handler may close or reload the window itself, so after each
// event the window must still be the one being closed.
void OnClose(WindowUnit& unit) {
  HWND hwnd = unit.window;
  if (!unit.embedded) {
    MarkBeingClosed(unit, true);
    for (int32_t event : {kEventClosing, kEventCloseQuery}) {
      const EventAnswer answer = RaiseWindowEvent(unit, event);
      if (!IsWindow(hwnd) || UnitOfWindow(hwnd) != &unit) return;
      if (answer.Vetoes()) {
        MarkBeingClosed(unit, false);
        return;
      }
    }
  }
  DestroyWindow(hwnd);
}

void OnDestroy(WindowUnit& unit) {
  StopMusic(unit);
  RaiseWindowEvent(unit, kEventDestroying);
  if (unit.help_opened) {
    WinHelpA(unit.window, nullptr, HELP_QUIT, 0);
    unit.help_opened = false;
  }
}

// The framework hears of the window's end once its units are gone (they are
// destroyed before it, and report themselves).
LRESULT OnNcDestroy(WindowUnit* unit, HWND hwnd, WPARAM wparam, LPARAM lparam) {
  WNDPROC class_procedure = unit->class_procedure;
  RemovePropA(hwnd, kUnitProperty);
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(class_procedure));
  // The framework still reads the object while it hears of the end.
  Service(forms::kServiceDestroyed, unit->window_id, unit->unit_id);
  delete unit;
  return CallWindowProcA(class_procedure, hwnd, WM_NCDESTROY, wparam, lparam);
}

void OnActivate(WindowUnit& unit, WPARAM wparam) {
  if (LOWORD(wparam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(unit.window, focus)) unit.last_focus = focus;
    RaiseWindowEvent(unit, kEventDeactivated);
    return;
  }
  HWND hwnd = unit.window;
  RaiseWindowEvent(unit, kEventActivated);
  if (IsWindow(hwnd) && UnitOfWindow(hwnd) == &unit && !unit.activated_once) {
    unit.activated_once = true;
    RaiseWindowEvent(unit, kEventFirstActivation);
  }
}

void OnSetFocus(WindowUnit& unit) {
  if (RestoreFocus(unit)) return;
  unit.focus_event_raised = true;
  forms::RaiseFocusEvent(&unit, true);
}

void OnKillFocus(WindowUnit& unit) {
  if (!unit.focus_event_raised) return;
  unit.focus_event_raised = false;
  forms::RaiseFocusEvent(&unit, false);
}

// The cursor of the unit under the pointer (or of the window itself), when
// its mouse-pointer property made one; otherwise the class cursor stays.
bool OnSetCursor(const WindowUnit& unit, HWND under, LPARAM lparam) {
  if (LOWORD(lparam) != HTCLIENT) return false;
  HCURSOR cursor = nullptr;
  if (under == unit.window) {
    cursor = WindowCursor(unit);
  } else {
    const std::vector<UnitEntry> units = ListUnits(unit);
    const UnitEntry* entry = UnitHolding(units, under);
    cursor = entry != nullptr ? entry->cursor : nullptr;
  }
  if (cursor == nullptr) return false;
  SetCursor(cursor);
  return true;
}

void OnPaint(WindowUnit& unit) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(unit.window, &paint);
  if (dc != nullptr) PaintBackground(unit, dc, paint.rcPaint);
  EndPaint(unit.window, &paint);
}

void OnSize(WindowUnit& unit, WPARAM state) {
  if (state != SIZE_MINIMIZED && unit.record.Int(kShape) != 0) ApplyShape(unit);
  RaiseWindowEvent(unit, kEventResized);
}

// A notification of a unit's control goes back to the control first;
// the control's unit answers it or leaves it to the window.
HWND NotifyingControl(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND) return reinterpret_cast<HWND>(lparam);
  if (message == WM_NOTIFY && lparam != 0) return reinterpret_cast<const NMHDR*>(lparam)->hwndFrom;
  if (message == WM_DRAWITEM && wparam != 0 && lparam != 0) {
    return reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)->hwndItem;
  }
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
    return reinterpret_cast<HWND>(lparam);
  }
  return nullptr;
}

bool Reflect(WindowUnit& unit, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  HWND control = NotifyingControl(message, wparam, lparam);
  if (control == nullptr || control == unit.window || !IsWindow(control)) return false;
  *result = SendMessageA(control, message + forms::kReflectedMessageOffset, wparam, lparam);
  return *result != 0;
}

// Messages the type answers by itself; false leaves the message to the
// window's class.
bool Answer(WindowUnit& unit, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  if (Reflect(unit, message, wparam, lparam, result)) return true;
  switch (message) {
    case WM_PAINT:
      OnPaint(unit);
      return true;
    case WM_ERASEBKGND:  // WM_PAINT covers every pixel
      *result = 1;
      return true;
    case kBackgroundPaintRequest:
      *result = AnswerBackgroundRequest(unit, reinterpret_cast<HDC>(wparam),
                                        reinterpret_cast<const RECT*>(lparam));
      return true;
    case WM_CLOSE:
      OnClose(unit);
      return true;
    case WM_QUERYENDSESSION:
      *result = RaiseWindowEvent(unit, kEventCloseQuery).Vetoes() ? FALSE : TRUE;
      return true;
    case WM_MOVE:
      RaiseWindowEvent(unit, kEventMoved);
      return true;
    case WM_SIZE:
      OnSize(unit, wparam);
      return true;
    case WM_SETFOCUS:
      OnSetFocus(unit);
      return true;
    case WM_KILLFOCUS:
      OnKillFocus(unit);
      return true;
    case WM_SETCURSOR:
      *result = OnSetCursor(unit, reinterpret_cast<HWND>(wparam), lparam) ? TRUE : FALSE;
      return *result != FALSE;
    case WM_SETFONT:
      unit.font = reinterpret_cast<HFONT>(wparam);
      return true;
    case WM_GETFONT:
      *result = reinterpret_cast<LRESULT>(unit.font);
      return true;
    default:
      return false;
  }
}

// Messages the type notes before the class handles them as usual.
void Observe(WindowUnit& unit, UINT message, WPARAM wparam) {
  switch (message) {
    case WM_DESTROY:
      OnDestroy(unit);
      break;
    case WM_ACTIVATE:
      OnActivate(unit, wparam);
      break;
    case WM_SHOWWINDOW:
      RaiseWindowEvent(unit, wparam != 0 ? kEventShown : kEventHidden);
      break;
    default:
      break;
  }
}

}  // namespace

WindowUnit* UnitOfWindow(HWND hwnd) {
  return static_cast<WindowUnit*>(GetPropA(hwnd, kUnitProperty));
}

void AttachProcedure(WindowUnit& unit) {
  SetPropA(unit.window, kUnitProperty, &unit);
  unit.class_procedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(unit.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure)));
}

LRESULT WindowProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  WindowUnit* unit = UnitOfWindow(hwnd);
  if (unit == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) return OnNcDestroy(unit, hwnd, wparam, lparam);
  LRESULT result = 0;
  if (Answer(*unit, message, wparam, lparam, &result)) return result;
  WNDPROC class_procedure = unit->class_procedure;
  Observe(*unit, message, wparam);
  // The title stays drawn active when the window asks for it.
  if (message == WM_NCACTIVATE && IsWindow(hwnd) && UnitOfWindow(hwnd) == unit &&
      Flag(*unit, kKeepTitleActive)) {
    wparam = TRUE;
  }
  if (!IsWindow(hwnd)) return 0;
  return CallWindowProcA(class_procedure, hwnd, message, wparam, lparam);
}

}  // namespace runtime::units::window
