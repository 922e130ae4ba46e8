#include "runtime/forms/window_notices.h"

#include "platform/win32.h"
#include "runtime/core/run_loop.h"
#include "runtime/forms/framework_state.h"
#include "runtime/forms/menu_bar.h"
#include "runtime/forms/registry.h"

namespace runtime::forms {

namespace {

void ClearSlot(UnitSlots& slot) {
  if (slot.cursor != nullptr) DestroyCursor(slot.cursor);
  slot = {};
}

void WindowDestroyed(LoadedWindow& window) {
  HWND gone = window.Window();
  ForgetLiveUnits(window);
  DestroyMenuBar(window);
  RestoreDisabledWindows(window);
  if (gone != nullptr) NoteLoadedWindowDestroyed(gone);
}

}  // namespace

void NoteDestroyed(uint32_t window_id, uint32_t unit_id) {
  if (RecreatingUnit()) return;
  LoadedWindow* window = Registry().Find(window_id);
  if (window == nullptr || window->units.Count() == 0) return;
  if (unit_id == 0 || unit_id == window->units.IdAt(0)) {
    WindowDestroyed(*window);
    return;
  }
  const int32_t index = window->units.IndexOf(unit_id);
  if (index > 0 && static_cast<size_t>(index) < window->slots.size()) {
    ClearSlot(window->slots[static_cast<size_t>(index)]);
  }
}

void ForgetLiveUnits(LoadedWindow& window) {
  for (UnitSlots& slot : window.slots) ClearSlot(slot);
  // Without a saved copy the window was never built (or is already back to
  // its template): the working table is the template then.
  if (window.saved_units.Count() > 0) {
    window.units = std::move(window.saved_units);
    window.saved_units = UnitTable();
  }
  window.slots.assign(static_cast<size_t>(window.units.Count()), UnitSlots{});
  window.loaded = false;
  window.being_closed = false;
}

void RestoreDisabledWindows(LoadedWindow& window) {
  // Last disabled first, so a window listed twice ends as it first was.
  for (auto it = window.disabled_windows.rbegin(); it != window.disabled_windows.rend(); ++it) {
    if (IsWindow(it->first)) EnableWindow(it->first, it->second ? TRUE : FALSE);
  }
  window.disabled_windows.clear();
  window.owner_less = false;
}

}  // namespace runtime::forms
