#include "runtime/forms/menu_builder.h"

#include <algorithm>
#include <optional>
#include <string>

#include "runtime/forms/record_fields.h"
#include "runtime/forms/shortcut_table.h"

namespace runtime::forms {

namespace {

struct RunItem {
  int32_t entry;
  uint32_t command;
  MenuItemFields fields;
};

std::vector<RunItem> ReadRun(const UnitTable& table) {
  const MenuRun run = table.FirstMenuRun();
  std::vector<RunItem> items;
  for (int32_t i = 0; i < run.length; ++i) {
    auto fields = ReadMenuItemRecord(table.RecordAt(run.start + i));
    if (!fields) continue;  // the reader has refused unreadable tables already
    items.push_back({run.start + i, kFirstMenuCommand + static_cast<uint32_t>(i), *fields});
  }
  return items;
}

std::string ItemText(const MenuItemFields& item, const Shortcut* shortcut) {
  std::string text = item.caption;
  if (shortcut != nullptr) text += std::string("\t") + shortcut->text;
  return text;
}

UINT StateFlags(const MenuItemFields& item) {
  UINT flags = 0;
  if (item.flags & kMenuDisabled) flags |= MF_GRAYED;
  if (item.flags & kMenuChecked) flags |= MF_CHECKED;
  return flags;
}

ACCEL AcceleratorFor(const Shortcut& shortcut, uint32_t command) {
  BYTE virt = FVIRTKEY;
  if (shortcut.modifiers & kShortcutCtrl) virt |= FCONTROL;
  if (shortcut.modifiers & kShortcutShift) virt |= FSHIFT;
  if (shortcut.modifiers & kShortcutAlt) virt |= FALT;
  return {virt, shortcut.key, static_cast<WORD>(command)};
}

// Appends the items to `bar`, opening a popup for every item the next item
// nests under. `parents[d]` is the menu that takes items of level d.
void AppendItems(const std::vector<RunItem>& items, HMENU bar, std::vector<ACCEL>& accelerators) {
  std::vector<HMENU> parents{bar};
  for (size_t i = 0; i < items.size(); ++i) {
    const MenuItemFields& item = items[i].fields;
    const size_t depth = std::min<size_t>(item.level, parents.size() - 1);
    parents.resize(depth + 1);
    if (item.flags & kMenuHidden) {
      while (i + 1 < items.size() && items[i + 1].fields.level > item.level) ++i;
      continue;
    }
    const bool opens_popup = i + 1 < items.size() && items[i + 1].fields.level > item.level;
    if (opens_popup) {
      HMENU popup = CreatePopupMenu();
      AppendMenuA(parents[depth], MF_POPUP | StateFlags(item), reinterpret_cast<UINT_PTR>(popup),
                  item.caption.c_str());
      parents.push_back(popup);
      continue;
    }
    if (item.caption == "-") {
      AppendMenuA(parents[depth], MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const Shortcut* shortcut = FindShortcut(item.shortcut);
    AppendMenuA(parents[depth], MF_STRING | StateFlags(item), items[i].command,
                ItemText(item, shortcut).c_str());
    if (shortcut != nullptr) accelerators.push_back(AcceleratorFor(*shortcut, items[i].command));
  }
}

}  // namespace

BuiltMenu BuildMenu(const UnitTable& table) {
  BuiltMenu menu;
  menu.commands.assign(static_cast<size_t>(table.Count()), 0);
  const std::vector<RunItem> items = ReadRun(table);
  if (items.empty()) return menu;
  for (const RunItem& item : items) menu.commands[static_cast<size_t>(item.entry)] = item.command;
  menu.bar = CreateMenu();
  std::vector<ACCEL> accelerators;
  AppendItems(items, menu.bar, accelerators);
  if (!accelerators.empty()) {
    menu.accelerators =
        CreateAcceleratorTableA(accelerators.data(), static_cast<int>(accelerators.size()));
  }
  return menu;
}

int32_t MenuEntryOfCommand(const std::vector<uint32_t>& commands, uint32_t command) {
  if (command < kFirstMenuCommand) return -1;
  auto found = std::find(commands.begin(), commands.end(), command);
  return found == commands.end() ? -1 : static_cast<int32_t>(found - commands.begin());
}

void DestroyBuiltMenu(BuiltMenu& menu) {
  if (menu.bar != nullptr) DestroyMenu(menu.bar);
  if (menu.accelerators != nullptr) DestroyAcceleratorTable(menu.accelerators);
  menu.bar = nullptr;
  menu.accelerators = nullptr;
}

}  // namespace runtime::forms
