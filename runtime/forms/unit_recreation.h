// Re-creating a unit whose set handler answered a property write with a
// recreate request: a new unit is made from the old one's saved properties
// and takes its place, control id, Z-order place, visibility and focus.
#pragma once

#include <cstdint>

#include "runtime/forms/loaded_window.h"

namespace runtime::forms {

// What a property write does on a recreate request: pending messages are
// processed and events stay suspended while the unit is re-created, so that
// the half-built unit reaches no application handler.
void RecreateAfterRequest(LoadedWindow& window, int32_t index);

// Re-creates live unit entry `index`. False when the unit stays as it was:
// its type is never re-created (flag 0x10), it saves no property record, or
// the new unit has no window (the old one is kept then, not destroyed).
bool RecreateUnit(LoadedWindow& window, int32_t index);

}  // namespace runtime::forms
