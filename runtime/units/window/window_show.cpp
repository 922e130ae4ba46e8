// Showing a window unit by its StartPosition, and moving it there again when
// the property is written while the window is visible.
#include "runtime/core/app_state.h"
#include "runtime/forms/common_events.h"
#include "runtime/units/window/window_unit.h"

namespace runtime::units::window {

namespace {

bool HiddenOwnerExists() {
  HWND hidden = App().hidden_owner;
  return hidden != nullptr && IsWindow(hidden);
}

void RestoreIfChanged(HWND hwnd) {
  if (IsIconic(hwnd) || IsZoomed(hwnd)) ShowWindow(hwnd, SW_RESTORE);
}

// Maximised, then stretched over the work area of its monitor, so that a
// window without a sizing frame fills it too.
void MaximiseToWorkArea(HWND hwnd) {
  RestoreIfChanged(hwnd);
  ShowWindow(hwnd, SW_SHOWMAXIMIZED);
  const RECT area = WorkAreaOf(hwnd);
  SetWindowPos(hwnd, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOZORDER | SWP_SHOWWINDOW);
}

void CentreOnScreen(HWND hwnd) {
  RestoreIfChanged(hwnd);
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  if (x != rect.left || y != rect.top) {
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace

RECT WorkAreaOf(HWND hwnd) {
  // The monitor functions are the platform's own, so they are called
  // directly; the whole screen's work area stands in when they fail.
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info)) {
    return info.rcWork;
  }
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

int32_t CurrentStartPosition(HWND hwnd) {
  if (IsIconic(hwnd)) return kMinimised;
  if (IsZoomed(hwnd)) return kMaximised;
  return kAsStored;
}

// The units raise -7 themselves when they get the focus; the window raises
// it for itself when it keeps the focus, so the event comes once.
void ShowWindowUnit(void* object) {
  auto* unit = static_cast<WindowUnit*>(object);
  if (unit == nullptr || unit->window == nullptr) return;
  HWND hwnd = unit->window;
  const int32_t position = unit->embedded ? kAsStored : unit->record.Int(kStartPosition);
  if (!HiddenOwnerExists()) {
    ShowWindow(hwnd, SW_SHOW);
  } else if (position == kMaximised) {
    MaximiseToWorkArea(hwnd);
  } else if (position == kMinimised) {
    ShowWindow(hwnd, SW_SHOWMINIMIZED);
  } else {
    ShowWindow(hwnd, SW_SHOW);
  }
  if (!IsWindow(hwnd) || UnitOfWindow(hwnd) != unit) return;
  if (GetFocus() == hwnd && !unit->focus_event_raised) {
    unit->focus_event_raised = true;
    forms::RaiseFocusEvent(unit, true);
  }
}

void ApplyStartPosition(WindowUnit& unit, int32_t position) {
  HWND hwnd = unit.window;
  switch (position) {
    case kAsStored:
      ShowWindow(hwnd, SW_SHOWNORMAL);
      break;
    case kCentred:
      CentreOnScreen(hwnd);
      break;
    case kMinimised:
      ShowWindow(hwnd, SW_MINIMIZE);
      break;
    case kMaximised:
      MaximiseToWorkArea(hwnd);
      break;
    default:
      break;
  }
}

}  // namespace runtime::units::window
