// The menu bar of a window and its accelerator table, built from the first
// run of menu-item records of the window's unit table.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32.h"
#include "runtime/forms/unit_table.h"

namespace runtime::forms {

// Command numbers of menu items: the first item of the run has this one and
// every further item one more, whether it is shown or not.
inline constexpr uint32_t kFirstMenuCommand = 20000;

struct BuiltMenu {
  HMENU bar = nullptr;             // null when the table has no menu items
  HACCEL accelerators = nullptr;   // null when no shown item has a shortcut
  std::vector<uint32_t> commands;  // per table entry: its command number, 0 for others
};

// Popups follow the nesting levels: an item followed by items of a deeper
// level opens a popup holding them. Hidden items are left out with
// everything nested under them; a caption "-" is a separator; disabled
// items are greyed; a shortcut's text follows the caption after a tab.
BuiltMenu BuildMenu(const UnitTable& table);

// The table entry of menu command `command`, given each entry's command
// number (BuiltMenu::commands), or -1.
int32_t MenuEntryOfCommand(const std::vector<uint32_t>& commands, uint32_t command);

// Destroys the bar and the accelerator table.
void DestroyBuiltMenu(BuiltMenu& menu);

}  // namespace runtime::forms
