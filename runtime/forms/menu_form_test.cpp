// A window with a menu bar compiled from form text by formc, loaded by the
// framework and driven with the mouse and the keyboard on the headless
// display. MIENZO_SCREENSHOT_DIR keeps the open menu as form-menu.png.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/loader_test_support.h"
#include "runtime/forms/menu_builder.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/template_segment.h"

namespace runtime::forms_testing {
namespace {

enum Handler : int32_t { kOnNew, kOnOpen, kOnGrid, kOnExit, kOnAbout };

std::vector<forms::WindowTemplate> CompiledMenuWindow() {
  std::ifstream file(MIENZO_MENU_FORM_SEGMENT, std::ios::binary);
  const std::string segment{std::istreambuf_iterator<char>(file), {}};
  auto windows = forms::ReadTemplateSegment(
      {reinterpret_cast<const uint8_t*>(segment.data()), segment.size()});
  return windows ? *windows : std::vector<forms::WindowTemplate>{};
}

// Steps that run each time the menu loop waits for input (WM_ENTERIDLE),
// as someone looking at the open menu would act; the wrapped procedure
// sees the window's messages after the framework's menu wrapper.
std::deque<std::function<void()>>& IdleSteps() {
  static std::deque<std::function<void()>> steps;
  return steps;
}
WNDPROC g_window_procedure = nullptr;

LRESULT WatchIdle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_ENTERIDLE && !IdleSteps().empty()) {
    auto step = std::move(IdleSteps().front());
    IdleSteps().pop_front();
    step();
  }
  return CallWindowProcA(g_window_procedure, hwnd, message, wparam, lparam);
}

class MenuFormTest : public LoaderTest {
 protected:
  void SetUp() override {
    const auto windows = CompiledMenuWindow();
    ASSERT_EQ(windows.size(), 1u) << "the compiled segment reads back";
    Register(windows);
    ASSERT_TRUE(Load());
    window_ = Window().Window();
    g_window_procedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchIdle)));
    IdleSteps().clear();
    Pump();
    HandlerCalls().clear();
  }

  // Pumps as the run loop does: the loaded window filters its messages first.
  void Pump() {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      forms::LoadedWindow* window = forms::Registry().FindByHandle(GetAncestor(msg.hwnd, GA_ROOT));
      if (window == nullptr || !forms::PreTranslateWindowMessage(*window, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
  }

  // A point on the first bar item: just above the client area, near its left.
  POINT FileBarItem() const {
    POINT client{0, 0};
    ClientToScreen(window_, &client);
    return {client.x + 12, client.y - GetSystemMetrics(SM_CYMENU) / 2};
  }

  std::vector<int32_t> CalledHandlers() const {
    std::vector<int32_t> positions;
    for (const HandlerCall& call : HandlerCalls()) positions.push_back(call.position);
    return positions;
  }

  HWND window_ = nullptr;
};

TEST_F(MenuFormTest, TheCompiledBarHasItsPopupsStatesAndShortcuts) {
  HMENU bar = GetMenu(window_);
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  HMENU file = GetSubMenu(bar, 0);
  ASSERT_EQ(GetMenuItemCount(file), 6);
  char text[64] = {};
  GetMenuStringA(file, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_NE(std::string(text).find("\tCtrl+N"), std::string::npos);
  EXPECT_NE(GetMenuState(file, 2, MF_BYPOSITION) & MF_SEPARATOR, 0u);
  EXPECT_NE(GetMenuState(file, 3, MF_BYPOSITION) & MF_CHECKED, 0u);
  EXPECT_NE(GetMenuState(file, 4, MF_BYPOSITION) & MF_GRAYED, 0u);
}

TEST_F(MenuFormTest, MouseOpensThePopupAndKeysChooseAnItem) {
  bool looked = false;
  IdleSteps().push_back([&] {
    looked = true;
    if (const char* keep = std::getenv("MIENZO_SCREENSHOT_DIR")) {
      display_.Key(VK_DOWN);  // 新建
      display_.Key(VK_DOWN);  // 打开, highlighted in the screenshot
      IdleSteps().push_front([&, keep] {
        EXPECT_TRUE(display_.SaveScreenshot(std::string(keep) + "/form-menu.png"));
        display_.Key(VK_RETURN);
      });
      return;
    }
    display_.Key(VK_DOWN);
    display_.Key(VK_DOWN);
    display_.Key(VK_RETURN);
  });
  const POINT item = FileBarItem();
  display_.Click(item.x, item.y);
  Pump();
  EXPECT_TRUE(looked) << "the popup opened";
  EXPECT_EQ(CalledHandlers(), std::vector<int32_t>{kOnOpen});
}

TEST_F(MenuFormTest, ShortcutsMnemonicsAndTheKeyboardReachTheHandlers) {
  SetFocus(window_);
  display_.KeyDown(VK_CONTROL);
  display_.Key('N');
  display_.KeyUp(VK_CONTROL);
  Pump();
  EXPECT_EQ(CalledHandlers(), std::vector<int32_t>{kOnNew});

  HandlerCalls().clear();
  display_.KeyDown(VK_MENU);
  display_.Key('H');
  display_.KeyUp(VK_MENU);
  display_.Type("a");  // 关于(&A)
  Pump();
  EXPECT_EQ(CalledHandlers(), std::vector<int32_t>{kOnAbout});

  HandlerCalls().clear();
  display_.Key(VK_F10);
  display_.Key(VK_DOWN);  // opens 文件 on 新建
  display_.Key(VK_UP);    // round to 退出
  display_.Key(VK_UP);    // 保存, greyed
  display_.Key(VK_RETURN);
  Pump();
  EXPECT_TRUE(HandlerCalls().empty()) << "a greyed item runs nothing";

  display_.Key(VK_F10);
  display_.Key(VK_DOWN);
  display_.Key(VK_UP);
  display_.Key(VK_RETURN);
  Pump();
  EXPECT_EQ(CalledHandlers(), std::vector<int32_t>{kOnExit});
}

}  // namespace
}  // namespace runtime::forms_testing
