// What the window unit reads of its form: the unit table of its loaded
// window, which the framework hands out as the window registry (service
// 1001), and the events it raises through the service routine.
#include <algorithm>

#include "runtime/core/runtime_library.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/system_services.h"
#include "runtime/forms/unit_record.h"
#include "runtime/units/window/window_unit.h"

namespace runtime::units::window {

namespace {

intptr_t Service(int32_t code, intptr_t first = 0, intptr_t second = 0) {
  SystemServiceRoutine services = LibraryServices();
  return services != nullptr ? services(code, first, second) : 0;
}

const forms::LoadedWindow* LoadedWindowOf(const WindowUnit& unit) {
  auto* registry = reinterpret_cast<const forms::WindowRegistry*>(Service(forms::kServiceRegistry));
  return registry != nullptr ? registry->Find(unit.window_id) : nullptr;
}

const UnitTypeDescriptor* TypeOf(uint32_t type_code) {
  return reinterpret_cast<const UnitTypeDescriptor*>(Service(forms::kServiceUnitType, type_code));
}

UnitEntry EntryAt(const forms::LoadedWindow& loaded, int32_t index,
                  const forms::UnitRecordLayout& layout) {
  const auto record = loaded.units.RecordAt(index);
  UnitEntry entry;
  entry.index = index;
  entry.unit_id = loaded.units.IdAt(index);
  entry.type = TypeOf(loaded.units.TypeCodeAt(index));
  entry.type_flags = entry.type != nullptr ? entry.type->state_flags : 0;
  entry.live = loaded.LiveAt(index);
  if (entry.live != nullptr && entry.live->window != nullptr && IsWindow(entry.live->window)) {
    entry.window = entry.live->window;
  }
  if (static_cast<size_t>(index) < loaded.slots.size()) {
    entry.cursor = loaded.slots[static_cast<size_t>(index)].cursor;
  }
  entry.record_flags = forms::RecordWord(record, layout.flags);
  entry.tab_order = static_cast<int32_t>(forms::RecordWord(record, layout.tab_order));
  entry.parent_id = forms::RecordWord(record, layout.parent_id);
  return entry;
}

}  // namespace

std::vector<UnitEntry> ListUnits(const WindowUnit& unit) {
  std::vector<UnitEntry> units;
  const forms::LoadedWindow* loaded = LoadedWindowOf(unit);
  if (loaded == nullptr) return units;
  for (int32_t i = 1; i < loaded->units.Count(); ++i) {
    if (loaded->units.IsMenuItem(i) || loaded->units.TypeCodeAt(i) == forms::kMenuItemType) {
      continue;
    }
    const auto layout = forms::LocateUnitFields(loaded->units.RecordAt(i));
    if (layout) units.push_back(EntryAt(*loaded, i, *layout));
  }
  return units;
}

HCURSOR WindowCursor(const WindowUnit& unit) {
  const forms::LoadedWindow* loaded = LoadedWindowOf(unit);
  return loaded != nullptr && !loaded->slots.empty() ? loaded->slots.front().cursor : nullptr;
}

void MarkBeingClosed(const WindowUnit& unit, bool closing) {
  auto* registry = reinterpret_cast<forms::WindowRegistry*>(Service(forms::kServiceRegistry));
  forms::LoadedWindow* loaded = registry != nullptr ? registry->Find(unit.window_id) : nullptr;
  if (loaded != nullptr && loaded->Window() == unit.window) loaded->being_closed = closing;
}

const UnitEntry* UnitHolding(const std::vector<UnitEntry>& units, HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  // The unit whose own window it is wins over one that merely contains it.
  auto own = std::find_if(units.begin(), units.end(),
                          [&](const UnitEntry& entry) { return entry.window == hwnd; });
  if (own != units.end()) return &*own;
  for (const UnitEntry& entry : units) {
    if (entry.window != nullptr && IsChild(entry.window, hwnd)) return &entry;
  }
  return nullptr;
}

EventAnswer RaiseUnitEvent(uint32_t window_id, uint32_t unit_id, int32_t event,
                           std::initializer_list<uint32_t> arguments) {
  forms::EventRecord record;
  record.window_id = window_id;
  record.unit_id = unit_id;
  record.event = event;
  for (uint32_t argument : arguments) {
    if (record.argument_count == 5) break;
    record.arguments[record.argument_count++] = argument;
  }
  EventAnswer answer;
  answer.ran = Service(forms::kServiceRaiseEvent, reinterpret_cast<intptr_t>(&record)) != 0;
  answer.returned = record.returned != 0;
  answer.value = record.returned_value;
  return answer;
}

EventAnswer RaiseWindowEvent(const WindowUnit& unit, int32_t event,
                             std::initializer_list<uint32_t> arguments) {
  return RaiseUnitEvent(unit.window_id, unit.unit_id, event, arguments);
}

}  // namespace runtime::units::window
