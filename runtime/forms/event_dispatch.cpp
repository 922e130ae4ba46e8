#include "runtime/forms/event_dispatch.h"

#include <algorithm>
#include <vector>

#include "runtime/core/app_state.h"
#include "runtime/core/error_report.h"
#include "runtime/core/messages.h"
#include "runtime/core/type_code.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/template_segment.h"
#include "runtime/forms/unit_record.h"
#include "runtime/forms/unit_types.h"

namespace runtime::forms {

namespace {

constexpr int32_t kMaxArguments = 5;
constexpr int32_t kMaxTypedArguments = 12;
// Each typed argument gives at most two words.
constexpr int32_t kMaxTypedWords = kMaxTypedArguments * 2;

constexpr uint32_t kStateByAddress = 0x1;
constexpr uint32_t kStateTwoWords = 0x2;

// Follows the event-source ids from entry `index` while they name an entry of
// the same type. A unit may name one that names it back (or itself): each
// entry is visited once, so such a chain ends at the last entry it had not
// seen instead of going round for ever.
int32_t FollowEventSource(const UnitTable& units, int32_t index) {
  const uint32_t type_code = units.TypeCodeAt(index);
  std::vector<bool> visited(static_cast<size_t>(units.Count()), false);
  visited[static_cast<size_t>(index)] = true;
  for (;;) {
    const uint32_t source = RecordWord(units.RecordAt(index), kEventSourceAt);
    if (source == 0) return index;
    const int32_t next = units.IndexOf(source);
    if (next < 0 || units.TypeCodeAt(next) != type_code) return index;
    if (visited[static_cast<size_t>(next)]) return index;
    visited[static_cast<size_t>(next)] = true;
    index = next;
  }
}

// The relocated handler word that entry `index` binds to `event`; 0 for none.
uint32_t BoundHandlerWord(const UnitTable& units, int32_t index, int32_t event) {
  const auto record = units.RecordAt(index);
  if (RecordWord(record, kTypeCodeAt) == kMenuItemType) {
    const auto layout = LocateMenuItemFields(record);
    return layout ? RecordWord(record, layout->handler) : 0;
  }
  const auto layout = LocateUnitFields(record);
  if (!layout) return 0;
  for (uint32_t b = 0; b < layout->binding_count_value; ++b) {
    const size_t at = layout->bindings + static_cast<size_t>(b) * 8;
    if (static_cast<int32_t>(RecordWord(record, at)) == event) return RecordWord(record, at + 4);
  }
  return 0;
}

// The application's handler at `position` of its handler table; null when
// the table is shorter, so a damaged binding cannot call past its end.
EventHandler HandlerAt(int64_t position) {
  if (position < 0 || App().header == nullptr) return nullptr;
  const EventHandler* table = App().header->code_base;
  if (table == nullptr) return nullptr;
  for (int64_t i = 0; i <= position; ++i) {
    if (table[i] == nullptr) return nullptr;
  }
  return table[position];
}

bool RaisesEvents(uint32_t type_code) {
  const UnitTypeDescriptor* type = FindUnitType(type_code);
  return type != nullptr && (type->state_flags & (kTypeRaisesEvents | kTypeRaisesEventsAlt)) != 0;
}

// Calls `handler` with `words` and clears the event source afterwards, also
// for the outer handler of a nested event.
HandlerResult CallHandler(EventHandler handler, const uint32_t* words, int32_t count) {
  const HandlerResult result = handler(words, count);
  App().current_event_source = {};
  return result;
}

// Appends the words typed argument `argument` gives to the handler.
void AppendTypedWords(const TypedArgument& argument, std::vector<uint32_t>& words) {
  if ((argument.state & kStateByAddress) != 0) {
    words.push_back(argument.low);
    return;
  }
  if ((argument.state & kStateTwoWords) != 0 || argument.type_code == kMenuItemType) {
    words.insert(words.end(), {argument.low, argument.high});
    return;
  }
  switch (argument.type_code) {
    case type::kByte:
      words.push_back(argument.low & 0xFF);
      return;
    case type::kShort:
      words.push_back(
          static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(argument.low))));
      return;
    case type::kDateTime:
    case type::kOther8:
    case type::kLong:
    case type::kDouble:
      words.insert(words.end(), {argument.low, argument.high});
      return;
    default:
      words.push_back(argument.low);
  }
}

}  // namespace

EventHandler FindHandler(uint32_t window_id, uint32_t unit_id, int32_t event) {
  if (App().event_suppression >= 1) return nullptr;
  LoadedWindow* window = Registry().Find(window_id);
  if (window == nullptr) ReportRuntimeError(messages::EventWindowMissing(), 0);
  const UnitTable& units = window->units;
  const int32_t found = unit_id == 0 ? (units.Count() > 0 ? 0 : -1) : units.IndexOf(unit_id);
  if (found < 0) ReportRuntimeError(messages::EventUnitMissing(), 0);
  const int32_t index = FollowEventSource(units, found);
  // Menu items belong to the framework itself, not to a library's unit type.
  const uint32_t type_code = units.TypeCodeAt(index);
  if (type_code != kMenuItemType && !RaisesEvents(type_code)) {
    ReportRuntimeError(messages::EventUnitInvalid(), 0);
  }
  EventHandler handler = HandlerAt(HandlerPosition(BoundHandlerWord(units, index, event)));
  if (handler == nullptr) return nullptr;
  App().current_event_source = {window_id, unit_id != 0 ? unit_id : units.IdAt(0)};
  return handler;
}

int32_t RaiseEvent(EventRecord& record) {
  EventHandler handler = FindHandler(record.window_id, record.unit_id, record.event);
  if (handler == nullptr) return 0;
  // The count comes from the raiser; the record holds five words at most.
  const int32_t count = std::clamp(record.argument_count, 0, kMaxArguments);
  const HandlerResult result = CallHandler(handler, record.arguments, count);
  if (result.returned) {
    record.returned = 1;
    record.returned_value = static_cast<uint32_t>(result.value);
  }
  return 1;
}

int32_t RaiseTypedEvent(TypedEventRecord& record) {
  EventHandler handler = FindHandler(record.window_id, record.unit_id, record.event);
  if (handler == nullptr) return 0;
  const int32_t count = std::clamp(record.argument_count, 0, kMaxTypedArguments);
  std::vector<uint32_t> words;
  words.reserve(kMaxTypedWords);
  for (int32_t i = 0; i < count; ++i) AppendTypedWords(record.arguments[i], words);
  const HandlerResult result =
      CallHandler(handler, words.data(), static_cast<int32_t>(words.size()));
  if (result.returned) {
    const auto value = static_cast<uint64_t>(result.value);
    record.returned = 1;
    record.returned_low = static_cast<uint32_t>(value);
    record.returned_high = static_cast<uint32_t>(value >> 32);
  }
  return 1;
}

bool CopyEventSource(uint32_t* window_and_unit) {
  const EventSource& source = App().current_event_source;
  if (source.window_id == 0) return false;
  if (window_and_unit != nullptr) {
    window_and_unit[0] = source.window_id;
    window_and_unit[1] = source.unit_id;
  }
  return true;
}

}  // namespace runtime::forms
