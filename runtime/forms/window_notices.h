// What the framework does when a unit type tells it that a window or a unit
// is gone (system service 2000), and the clean-up the loader and the
// shut-down share with it.
#pragma once

#include <cstdint>

#include "runtime/forms/loaded_window.h"

namespace runtime::forms {

// Service 2000. Unit id 0, or the id of entry 0, means the window itself:
// its working table gives way to the copy saved at load (so the next load
// starts from the template), its units' slots and cursors go, the windows
// it disabled are restored, and the run loop ends when it was the last live
// loaded window. Any other id clears that unit's slot and cursor. Unknown
// windows and units are ignored, and so is every notice while a unit is
// being re-created.
void NoteDestroyed(uint32_t window_id, uint32_t unit_id);

// Clears every slot of `window` (destroying the cursors), puts the table
// saved at load back in place when there is one, and marks the window not
// loaded. Safe to repeat.
void ForgetLiveUnits(LoadedWindow& window);

// Gives the windows that `window` disabled, when it was loaded without an
// owner, their earlier enabled state back.
void RestoreDisabledWindows(LoadedWindow& window);

}  // namespace runtime::forms
