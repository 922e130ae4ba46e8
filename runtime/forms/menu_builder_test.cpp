// Menu bars built from menu-item records: popups by nesting level, states,
// shortcuts and the accelerator table, command numbers.
#include "runtime/forms/menu_builder.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/display/headless.h"
#include "runtime/forms/forms_test_support.h"
#include "runtime/forms/shortcut_table.h"
#include "runtime/forms/unit_record.h"

namespace runtime::forms {
namespace {

using forms_testing::FormBuilder;

std::string ItemText(HMENU menu, int position) {
  char text[64] = {};
  GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

// 文件: 新建 (Ctrl+N), -, 网格 (checked), 保存 (disabled), 隐藏 (hidden, with a
// nested item); 帮助: 关于; then a unit, then an item outside the first run.
UnitTable SampleTable() {
  FormBuilder form;
  form.Window();
  form.MenuItem(0x26010001, "File", 0);
  form.MenuItem(0x26010002, "New", 1).shortcut = 14;
  form.MenuItem(0x26010003, "-", 1);
  form.MenuItem(0x26010004, "Grid", 1).flags = kMenuChecked;
  form.MenuItem(0x26010005, "Save", 1).flags = kMenuDisabled;
  form.MenuItem(0x26010006, "Hidden", 1).flags = kMenuHidden;
  form.MenuItem(0x26010007, "Under hidden", 2).shortcut = 2;
  form.MenuItem(0x26010008, "Help", 0);
  form.MenuItem(0x26010009, "About", 1);
  form.Unit(0x16010001, forms_testing::kBoxType, "box", 0, 0, 10, 10);
  form.MenuItem(0x2601000A, "Elsewhere", 0);
  return form.Build().units;
}

class MenuBuilderTest : public testing::Test {
 protected:
  platform::HeadlessDisplay display_;
};

TEST_F(MenuBuilderTest, PopupsFollowNestingLevelsAndHiddenItemsTakeTheirChildren) {
  UnitTable table = SampleTable();
  BuiltMenu menu = BuildMenu(table);
  ASSERT_NE(menu.bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu.bar), 2);
  EXPECT_EQ(ItemText(menu.bar, 0), "File");
  EXPECT_EQ(ItemText(menu.bar, 1), "Help");
  HMENU file = GetSubMenu(menu.bar, 0);
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(GetMenuItemCount(file), 4) << "the hidden item and its child are left out";
  EXPECT_EQ(ItemText(file, 0), "New\tCtrl+N");
  EXPECT_NE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, 0u);
  EXPECT_NE(GetMenuState(file, 2, MF_BYPOSITION) & MF_CHECKED, 0u);
  EXPECT_NE(GetMenuState(file, 3, MF_BYPOSITION) & MF_GRAYED, 0u);
  EXPECT_EQ(GetMenuItemID(file, 0), kFirstMenuCommand + 1);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(menu.bar, 1), 0), kFirstMenuCommand + 8);
  DestroyBuiltMenu(menu);
}

TEST_F(MenuBuilderTest, CommandNumbersCountEveryItemOfTheFirstRunOnly) {
  UnitTable table = SampleTable();
  BuiltMenu menu = BuildMenu(table);
  EXPECT_EQ(menu.commands[1], kFirstMenuCommand);
  EXPECT_EQ(menu.commands[6], kFirstMenuCommand + 5) << "hidden items keep their numbers";
  EXPECT_EQ(menu.commands[10], 0u) << "the unit";
  EXPECT_EQ(menu.commands[11], 0u) << "an item after the first run";
  EXPECT_EQ(MenuEntryOfCommand(menu.commands, kFirstMenuCommand + 3), 4);
  EXPECT_EQ(MenuEntryOfCommand(menu.commands, 0), -1);
  EXPECT_EQ(MenuEntryOfCommand(menu.commands, kFirstMenuCommand + 40), -1);
  DestroyBuiltMenu(menu);
}

TEST_F(MenuBuilderTest, OnlyShownItemsWithShortcutsGetAccelerators) {
  UnitTable table = SampleTable();
  BuiltMenu menu = BuildMenu(table);
  ASSERT_NE(menu.accelerators, nullptr);
  ACCEL entries[4] = {};
  ASSERT_EQ(CopyAcceleratorTableA(menu.accelerators, entries, 4), 1);
  EXPECT_EQ(entries[0].fVirt, FVIRTKEY | FCONTROL);
  EXPECT_EQ(entries[0].key, 'N');
  EXPECT_EQ(entries[0].cmd, kFirstMenuCommand + 1);
  DestroyBuiltMenu(menu);

  FormBuilder plain;
  plain.Window();
  UnitTable no_items = plain.Build().units;
  BuiltMenu none = BuildMenu(no_items);
  EXPECT_EQ(none.bar, nullptr);
  EXPECT_EQ(none.accelerators, nullptr);
}

TEST(ShortcutTableTest, NumbersNameKeysInTheTablesOrder) {
  EXPECT_EQ(FindShortcut(0), nullptr);
  EXPECT_EQ(FindShortcut(kShortcutCount + 1), nullptr);
  EXPECT_STREQ(FindShortcut(1)->text, "Ctrl+A");
  EXPECT_STREQ(FindShortcut(2)->text, "Ctrl+B");
  EXPECT_STREQ(FindShortcut(27)->text, "F1");
  EXPECT_EQ(FindShortcut(27)->key, 0x70);
  EXPECT_STREQ(FindShortcut(74)->text, "Ctrl+Shift+F12");
  EXPECT_EQ(FindShortcut(74)->modifiers, kShortcutCtrl | kShortcutShift);
  EXPECT_STREQ(FindShortcut(kShortcutCount)->text, "Del");
}

}  // namespace
}  // namespace runtime::forms
