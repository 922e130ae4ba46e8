// Event dispatch: finding the handler bound to (window, unit, event), calling
// it with the event's arguments, and the common events every unit raises
// from the messages its window filters.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "runtime/core/program_header.h"
#include "runtime/forms/event_record.h"
#include "runtime/forms/loaded_window.h"

namespace runtime::forms {

// The handler bound to the event, or null (suppressed, unbound, handler 0).
// Sets the current event source when it finds one. Reports a missing window
// or unit, or a type that raises no events, as run-time errors.
EventHandler FindHandler(uint32_t window_id, uint32_t unit_id, int32_t event);

// Service 2008: 1 when a handler ran, else 0.
int32_t RaiseEvent(EventRecord& record);
// Service 2031.
int32_t RaiseTypedEvent(TypedEventRecord& record);
// Service 2017: copies (window id, unit id) of the running handler's event;
// false when no handler runs.
bool CopyEventSource(uint32_t* window_and_unit);

// The message filter of a loaded window, run before a message that targets
// one of its units is dispatched: accelerators, the unit types' own
// pre-translation, then the common events. True when the message was
// consumed (it must not be dispatched).
bool PreTranslateWindowMessage(LoadedWindow& window, MSG* message);

}  // namespace runtime::forms
