// Redraw: the method every unit has, for the panel and any other unit.
#include "runtime/core/runtime_library.h"
#include "runtime/forms/system_services.h"
#include "runtime/forms/unit_object.h"
#include "runtime/units/drawpanel/drawpanel_commands.h"

namespace runtime::units {

namespace {

// Transparent children show what lies beneath them, which is about to be
// painted anew, so they are repainted over it.
void RedrawTransparentChildren(HWND window) {
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG ex_style = GetWindowLongA(child, GWL_EXSTYLE);
    if ((ex_style & WS_EX_TRANSPARENT) != 0 && IsWindowVisible(child)) {
      InvalidateRect(child, nullptr, FALSE);
    }
  }
}

}  // namespace

void Redraw(ValueRecord*, int32_t count, ArgumentRecord* args) {
  const SystemServiceRoutine services = LibraryServices();
  if (services == nullptr) return;
  const ArgumentRecord reference = ArgumentAt(count, args, 0);
  const auto* unit = reinterpret_cast<const forms::UnitObject*>(
      services(forms::kServiceLiveUnitOrError, static_cast<intptr_t>(reference.low),
               static_cast<intptr_t>(reference.high)));
  if (unit == nullptr || unit->window == nullptr) return;
  InvalidateRect(unit->window, nullptr, TRUE);
  const bool is_window = (GetWindowLongA(unit->window, GWL_STYLE) & WS_CHILD) == 0;
  if (is_window) RedrawTransparentChildren(unit->window);
}

}  // namespace runtime::units
