// The form loader: turns a loaded window's unit table into live windows,
// the window from entry 0 first, then its units from the last entry back to
// entry 1, and announces, shows and raises the window once all exist.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "runtime/forms/loaded_window.h"

namespace runtime::forms {

// Private notifications the loader sends to unit windows.
inline constexpr UINT kUnitsCreated = 0x806F;        // every unit exists
inline constexpr UINT kUnitsPlaced = 0x8004;         // to the window, once units are placed
inline constexpr UINT kWindowComplete = 0x8076;      // the window is complete
inline constexpr UINT kReloadWhileClosing = 0x8065;  // loaded again while being closed

// Units get control ids from 100 in steps of 10, in creation order.
inline constexpr uint32_t kFirstControlId = 100;
inline constexpr uint32_t kControlIdStep = 10;

// The window type's own events that the framework raises.
enum WindowEvent : int32_t {
  kWindowCreated = 0,  // the window and all its units exist
  kWindowMoved = 3,
  kWindowResized = 4,
  kWindowIdle = 7,  // one argument: milliseconds since idle time began
};

struct LoadOptions {
  // Build again even when the window is live (the live one is ended first).
  bool reload = false;
  // A window that runs without an owner and keeps the program's other
  // top-level windows disabled while it lives.
  bool owner_less = false;
  // Owner of the window; null for none. Ignored when owner_less.
  HWND owner = nullptr;
};

// Loads `window`. A live window that is not being closed is restored (when
// minimised) or activated instead, unless options.reload. False when the
// owner is not a window, a unit type is missing, or a create routine fails;
// everything made so far is then destroyed. True otherwise, also when the
// window closed itself while its load events ran.
bool LoadForm(LoadedWindow& window, const LoadOptions& options = {});

// The window of `window` when it exists, else null.
HWND LiveWindowHandle(const LoadedWindow& window);
// The same for the registry window at `position` (0-based); null outside.
HWND LiveWindowAt(int32_t position);

// Shows the window through its type's show routine (kHandlerShowWindow),
// or with ShowWindow(SW_SHOW) when the type has none.
void ShowWindowUnit(LoadedWindow& window);

}  // namespace runtime::forms
