#include "runtime/units/drawpanel/panel_events.h"

#include "runtime/core/runtime_library.h"
#include "runtime/forms/event_record.h"
#include "runtime/forms/system_services.h"

namespace runtime::units::drawpanel {

int32_t RaisePanelEvent(const Panel& panel, int32_t event,
                        std::initializer_list<int32_t> arguments) {
  const SystemServiceRoutine services = LibraryServices();
  if (services == nullptr) return 0;
  forms::EventRecord record;
  record.window_id = panel.window_id;
  record.unit_id = panel.unit_id;
  record.event = event;
  for (int32_t argument : arguments) {
    if (record.argument_count == 5) break;
    record.arguments[record.argument_count++] = static_cast<uint32_t>(argument);
  }
  return static_cast<int32_t>(
      services(forms::kServiceRaiseEvent, reinterpret_cast<intptr_t>(&record), 0));
}

}  // namespace runtime::units::drawpanel
