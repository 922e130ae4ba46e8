// A loaded window's menu bar: built from the first run of menu-item records
// of its unit table before the window is created, attached by the window's
// create routine (it receives the bar), and answered here: a chosen item,
// by mouse or by its shortcut, raises the item's event.
#pragma once

#include "runtime/forms/loaded_window.h"

namespace runtime::forms {

// Builds the bar into window.menu, window.accelerators and
// window.menu_commands (no bar when the table has no menu items). False
// when it cannot be built, which fails the load.
bool BuildMenuBar(LoadedWindow& window);

// Once the window exists: its menu commands raise the items' events. The
// window procedure is wrapped for WM_COMMAND and restored when the window
// goes.
void AnswerMenuCommands(LoadedWindow& window);

// Releases what BuildMenuBar made (a failed load, a destroyed window).
void DestroyMenuBar(LoadedWindow& window);

// Builds the live window's bar again after a menu item's caption or state
// changed in the unit table. False when it cannot be built (the old bar
// stays).
bool RebuildMenuBar(LoadedWindow& window);

}  // namespace runtime::forms
