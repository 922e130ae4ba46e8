// A loaded window's menu bar: attached to the window, its items' events
// raised by menu commands and shortcuts, rebuilt when an item's property
// changes, gone with the window.
#include "runtime/forms/menu_bar.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/core/app_state.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/loader_test_support.h"
#include "runtime/forms/menu_builder.h"
#include "runtime/forms/property_access.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/unit_record.h"

namespace runtime::forms_testing {
namespace {

constexpr uint32_t kFile = 0x26010001;
constexpr uint32_t kNew = 0x26010002;
constexpr uint32_t kGrid = 0x26010003;

// 文件: 新建 (Ctrl+N, handler 1), 网格 (handler 2); then a box.
forms::WindowTemplate MenuWindow() {
  FormBuilder form;
  form.Window();
  form.MenuItem(kFile, "File", 0);
  auto& item = form.MenuItem(kNew, "New", 1);
  item.shortcut = 14;
  item.handler = 1;
  form.MenuItem(kGrid, "Grid", 1).handler = 2;
  form.Unit(0x16010001, kBoxType, "box", 10, 10, 50, 20);
  return form.Build();
}

std::string ItemText(HMENU menu, UINT command) {
  char text[64] = {};
  GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND);
  return text;
}

class MenuBarTest : public LoaderTest {
 protected:
  // Pumps as the run loop does: the loaded window filters its messages first.
  void Pump() {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      HWND root = msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
      forms::LoadedWindow* window = forms::Registry().FindByHandle(root);
      if (window != nullptr && forms::PreTranslateWindowMessage(*window, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
};

TEST_F(MenuBarTest, TheWindowGetsTheBarAndItsCommandsRaiseTheItemsEvents) {
  Register({MenuWindow()});
  ASSERT_TRUE(Load());
  forms::LoadedWindow& window = Window();
  HWND hwnd = window.Window();
  ASSERT_NE(window.menu, nullptr);
  EXPECT_EQ(GetMenu(hwnd), window.menu);

  uint32_t source[2] = {};
  HandlerActions()[2] = [&] { forms::CopyEventSource(source); };
  PostMessageA(hwnd, WM_COMMAND, forms::kFirstMenuCommand + 2, 0);
  Pump();
  ASSERT_EQ(HandlerCalls().size(), 1u);
  EXPECT_EQ(HandlerCalls()[0].position, 2);
  EXPECT_TRUE(HandlerCalls()[0].arguments.empty());
  EXPECT_EQ(source[0], kMainWindow);
  EXPECT_EQ(source[1], kGrid) << "the item is the event's source";

  // Its shortcut, through the window's accelerator table.
  HandlerCalls().clear();
  SetFocus(hwnd);
  display_.KeyDown(VK_CONTROL);
  display_.Key('N');
  display_.KeyUp(VK_CONTROL);
  Pump();
  ASSERT_EQ(HandlerCalls().size(), 1u);
  EXPECT_EQ(HandlerCalls()[0].position, 1);

  // A command that is no menu item reaches the window as before.
  HandlerCalls().clear();
  PostMessageA(hwnd, WM_COMMAND, 5, 0);
  Pump();
  EXPECT_TRUE(HandlerCalls().empty());
}

TEST_F(MenuBarTest, ItemPropertiesRebuildTheBar) {
  Register({MenuWindow()});
  ASSERT_TRUE(Load());
  forms::LoadedWindow& window = Window();
  const uint32_t grid = forms::kFirstMenuCommand + 2;

  forms::WriteProperty(kMainWindow, kGrid, 1, -1, 1, 0);  // checked
  EXPECT_NE(GetMenuState(GetMenu(window.Window()), grid, MF_BYCOMMAND) & MF_CHECKED, 0u);
  forms::WriteProperty(kMainWindow, kGrid, 2, -1, 1, 0);  // disabled
  EXPECT_NE(GetMenuState(GetMenu(window.Window()), grid, MF_BYCOMMAND) & MF_GRAYED, 0u);
  const char caption[] = "Raster";
  const auto address = reinterpret_cast<uintptr_t>(caption);
  forms::WriteProperty(kMainWindow, kGrid, 0, -1, static_cast<uint32_t>(address),
                       static_cast<uint32_t>(static_cast<uint64_t>(address) >> 32));
  EXPECT_EQ(ItemText(GetMenu(window.Window()), grid), "Raster");
  EXPECT_EQ(GetMenu(window.Window()), window.menu);

  forms::WriteProperty(kMainWindow, kGrid, 3, -1, 0, 0);  // hidden
  EXPECT_EQ(GetMenuState(GetMenu(window.Window()), grid, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(MenuBarTest, TheBarGoesWithTheWindowAndComesBackWithTheNextLoad) {
  Register({MenuWindow()});
  ASSERT_TRUE(Load());
  HMENU first = Window().menu;
  DestroyWindow(Window().Window());
  EXPECT_FALSE(IsMenu(first));
  EXPECT_EQ(Window().menu, nullptr);
  EXPECT_EQ(Window().accelerators, nullptr);
  ASSERT_TRUE(Load());
  EXPECT_NE(Window().menu, nullptr);
  EXPECT_EQ(GetMenu(Window().Window()), Window().menu);
}

}  // namespace
}  // namespace runtime::forms_testing
