// The menu loop: the mouse and keys a person uses on a bar and its popups,
// what the window hears, and every way the loop ends. Each test queues a
// gesture, and further steps run when the loop waits with a popup open.
#include "platform/user/menu_testing.h"

namespace platform::user::testing {
namespace {

WPARAM Command(UINT id) { return MAKEWPARAM(id, 0); }

class MenuLoop : public MenuWindow {
 protected:
  // The menu messages the window got, in order.
  std::vector<UINT> MenuMessages() const {
    std::vector<UINT> seen;
    for (UINT m : recorder_.Messages(top_)) {
      if (m == WM_ENTERMENULOOP || m == WM_INITMENU || m == WM_INITMENUPOPUP ||
          m == WM_UNINITMENUPOPUP || m == WM_EXITMENULOOP || m == WM_COMMAND) {
        seen.push_back(m);
      }
    }
    return seen;
  }
  // The last `message` the window got (message 0 when none came).
  Recorded Last(UINT message) const {
    Recorded last{nullptr, 0, 0, 0};
    for (const Recorded& r : recorder_.all()) {
      if (r.message == message && r.hwnd == top_) last = r;
    }
    return last;
  }
  size_t IdleCount() const { return Received(WM_ENTERIDLE).size(); }
  void ExpectLoopOver() const {
    EXPECT_EQ(MenuWindowCount(), 0) << "no popup is left";
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Received(WM_EXITMENULOOP).size(), 1u);
  }
};

TEST_F(MenuLoop, ClickOnBarThenOnItemPostsItsCommandAfterTheLoop) {
  WhenIdle([&](HWND popup) { ClickItem(popup, kOpenAt); });
  ClickBar(kFileBar);
  display_.PumpUntilIdle();
  EXPECT_EQ(Commands(), CommandList{Command(kOpen)});
  EXPECT_MESSAGES(MenuMessages(), WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP,
                  WM_UNINITMENUPOPUP, WM_EXITMENULOOP, WM_COMMAND);
  EXPECT_EQ(Last(WM_ENTERMENULOOP).wparam, static_cast<WPARAM>(FALSE)) << "not TrackPopupMenu";
  EXPECT_EQ(Last(WM_INITMENU).wparam, reinterpret_cast<WPARAM>(menu_.bar));
  EXPECT_EQ(Last(WM_INITMENUPOPUP).wparam, reinterpret_cast<WPARAM>(menu_.file));
  EXPECT_EQ(Last(WM_INITMENUPOPUP).lparam, MAKELPARAM(kFileBar, FALSE));
  EXPECT_EQ(Last(WM_COMMAND).lparam, 0);
  EXPECT_EQ(Last(WM_MENUSELECT).wparam, MAKEWPARAM(0, 0xFFFF)) << "the menu closed";
  bool open_selected = false;
  for (const Recorded& r : recorder_.all()) {
    open_selected |= r.message == WM_MENUSELECT && LOWORD(r.wparam) == kOpen &&
                     (HIWORD(r.wparam) & MF_HILITE) &&
                     r.lparam == reinterpret_cast<LPARAM>(menu_.file);
  }
  EXPECT_TRUE(open_selected);
  ExpectLoopOver();

  recorder_.Clear();
  ClickBar(kHelpBar);  // a command on the bar itself
  display_.PumpUntilIdle();
  EXPECT_EQ(Commands(), CommandList{Command(kHelp)});
}

TEST_F(MenuLoop, GrayedItemsAndSeparatorsCannotBeChosen) {
  WhenIdle([&](HWND popup) {
    ClickItem(popup, kSaveAt);
    ClickItem(popup, kFirstSeparatorAt);
    ClickItem(popup, kGridAt);  // the popup is still open: this one counts
  });
  ClickBar(kFileBar);
  display_.PumpUntilIdle();
  EXPECT_EQ(Commands(), CommandList{Command(kGrid)});

  recorder_.Clear();
  display_.Key(VK_MENU);
  display_.Key(VK_DOWN);  // 新建
  display_.Key(VK_UP);    // round to 退出
  display_.Key(VK_UP);    // 网格
  display_.Key(VK_UP);    // over the separator to 保存, which the keys may reach
  display_.Key(VK_RETURN);
  display_.PumpUntilIdle();
  EXPECT_TRUE(Commands().empty()) << "Enter on a grayed item closes the menus";
  EXPECT_EQ(IdleCount(), 0u);
  ExpectLoopOver();
}

TEST_F(MenuLoop, PressOutsideOrOnTheOpenBarItemCloses) {
  WhenIdle([&](HWND) { display_.Click(30, 30); });
  ClickBar(kFileBar);
  display_.PumpUntilIdle();
  EXPECT_TRUE(Commands().empty());
  EXPECT_EQ(IdleCount(), 1u) << "the press ended the loop";
  EXPECT_TRUE(Received(WM_LBUTTONDOWN).empty()) << "and went no further";
  ExpectLoopOver();

  recorder_.Clear();
  WhenIdle([&](HWND) { ClickBar(kFileBar); });
  ClickBar(kFileBar);
  display_.PumpUntilIdle();
  EXPECT_EQ(IdleCount(), 1u);
  ExpectLoopOver();
}

TEST_F(MenuLoop, PointerMovesBetweenPopupsAndIntoSubMenus) {
  WhenIdle([&](HWND) {
    const POINT edit = BarItemCenter(kEditBar);
    display_.MoveMouse(edit.x, edit.y);
  });
  WhenIdle([&](HWND popup) {
    EXPECT_EQ(GetWindowLongPtrA(popup, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(menu_.edit))
        << "moving along the bar opens the popup under the pointer";
    EXPECT_EQ(MenuWindowCount(), 1);
    const POINT file = BarItemCenter(kFileBar);
    display_.MoveMouse(file.x, file.y);
  });
  WhenIdle([&](HWND popup) {
    const POINT recent = ItemCenter(popup, kRecentAt);
    display_.MoveMouse(recent.x, recent.y);
  });
  WhenIdle([&](HWND popup) {
    EXPECT_EQ(GetWindowLongPtrA(popup, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(menu_.recent))
        << "resting on a sub-menu item opens it";
    EXPECT_EQ(MenuWindowCount(), 2);
    ClickItem(popup, 1);
  });
  ClickBar(kFileBar);
  display_.PumpUntilIdle();
  EXPECT_EQ(Commands(), CommandList{Command(kRecentB)});
  EXPECT_EQ(Last(WM_INITMENUPOPUP).lparam, MAKELPARAM(kRecentAt, FALSE));
  ExpectLoopOver();
}

TEST_F(MenuLoop, AltThenArrowsAndEnter) {
  display_.Key(VK_MENU);
  display_.Key(VK_RIGHT);
  display_.Key(VK_DOWN);
  display_.Key(VK_RETURN);
  display_.PumpUntilIdle();
  EXPECT_EQ(Commands(), CommandList{Command(kCopy)});
  EXPECT_EQ(IdleCount(), 0u);
  ExpectLoopOver();

  recorder_.Clear();
  display_.Key(VK_F10);
  display_.Key(VK_DOWN);   // 新建
  display_.Key(VK_DOWN);   // 打开
  display_.Key(VK_DOWN);   // over the separator to 最近
  display_.Key(VK_RIGHT);  // its sub-menu, a.bmp
  display_.Key(VK_LEFT);   // closed again
  display_.Key(VK_RIGHT);
  display_.Key(VK_DOWN);  // b.bmp
  display_.Key(VK_RETURN);
  display_.PumpUntilIdle();
  EXPECT_EQ(Commands(), CommandList{Command(kRecentB)});
}

TEST_F(MenuLoop, AltWithAMnemonic) {
  display_.KeyDown(VK_MENU);
  display_.Key('E');
  display_.KeyUp(VK_MENU);
  display_.Type("a");  // 全选(&A) in the open popup
  display_.PumpUntilIdle();
  EXPECT_EQ(Commands(), CommandList{Command(kSelectAll)});

  recorder_.Clear();
  display_.KeyDown(VK_MENU);
  display_.Key('F');
  display_.Key('R');  // still with Alt: 最近(&R) opens
  display_.KeyUp(VK_MENU);
  display_.Type("b");
  display_.PumpUntilIdle();
  EXPECT_EQ(Commands(), CommandList{Command(kRecentB)});

  recorder_.Clear();
  display_.KeyDown(VK_MENU);
  display_.Key('H');  // a bar command runs at once
  display_.KeyUp(VK_MENU);
  display_.KeyDown(VK_MENU);
  display_.Key('Q');  // nobody's mnemonic: no menu
  display_.KeyUp(VK_MENU);
  display_.PumpUntilIdle();
  EXPECT_EQ(Commands(), CommandList{Command(kHelp)});
  EXPECT_EQ(Received(WM_ENTERMENULOOP).size(), 1u);
}

TEST_F(MenuLoop, EscClosesOneLevelAtATime) {
  WhenIdle([&](HWND) {
    display_.Key(VK_ESCAPE);  // the popup closes; the bar item stays
    display_.Key(VK_DOWN);    // and opens it again
    display_.Key(VK_RETURN);
  });
  ClickBar(kFileBar);
  display_.PumpUntilIdle();
  EXPECT_EQ(Commands(), CommandList{Command(kNew)});

  recorder_.Clear();
  display_.Key(VK_MENU);
  display_.Key(VK_DOWN);
  display_.Key(VK_ESCAPE);
  display_.Key(VK_ESCAPE);
  display_.PumpUntilIdle();
  EXPECT_TRUE(Commands().empty());
  EXPECT_EQ(IdleCount(), 0u) << "the second Esc ended the loop";
  ExpectLoopOver();

  recorder_.Clear();
  display_.Key(VK_MENU);
  display_.Key(VK_MENU);  // Alt again leaves the menus
  display_.PumpUntilIdle();
  EXPECT_EQ(IdleCount(), 0u);
  ExpectLoopOver();
}

TEST_F(MenuLoop, QuitMessageEndsTheLoopAndIsPostedAgain) {
  ClickBar(kFileBar);
  PostQuitMessage(7);
  display_.PumpUntilIdle();
  EXPECT_TRUE(display_.quit_received());
  EXPECT_EQ(display_.quit_code(), 7);
  EXPECT_EQ(IdleCount(), 0u);
  ExpectLoopOver();
}

TEST_F(MenuLoop, WindowGoingAwayEndsTheLoop) {
  recorder_.On(WM_INITMENUPOPUP, [](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return 0;
  });
  ClickBar(kFileBar);
  display_.PumpUntilIdle();
  EXPECT_FALSE(IsWindow(top_));
  EXPECT_EQ(MenuWindowCount(), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(IsMenu(menu_.bar));
}

TEST_F(MenuLoop, TrackPopupMenu) {
  HMENU popup = CreatePopupMenu();
  AppendMenuA(popup, MF_STRING, 1, "&One");
  AppendMenuA(popup, MF_STRING, 2, "&Two");
  AppendMenuA(popup, MF_STRING, 3, "T&hree");
  RECT shown{};
  WhenIdle([&](HWND window) {
    GetWindowRect(window, &shown);
    ClickItem(window, 1);
  });
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_NONOTIFY, 150, 160, 0, top_, nullptr), 2);
  EXPECT_EQ(shown.left, 150);
  EXPECT_EQ(shown.top, 160);
  display_.PumpUntilIdle();
  EXPECT_TRUE(Commands().empty()) << "TPM_RETURNCMD: returned, not posted";
  EXPECT_TRUE(MenuMessages().empty()) << "TPM_NONOTIFY";

  recorder_.Clear();
  WhenIdle([&](HWND window) {
    GetWindowRect(window, &shown);
    EXPECT_FALSE(TrackPopupMenu(popup, 0, 0, 0, 0, top_, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_POPUP_ALREADY_ACTIVE));
    display_.Type("h");
  });
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 300, 310, 0, top_, nullptr),
            TRUE);
  EXPECT_EQ(shown.right, 300);
  EXPECT_EQ(shown.bottom, 310);
  EXPECT_EQ(Last(WM_ENTERMENULOOP).wparam, static_cast<WPARAM>(TRUE));
  EXPECT_TRUE(Commands().empty()) << "posted, so not yet";
  display_.PumpUntilIdle();
  EXPECT_EQ(Commands(), CommandList{Command(3)});

  // Nobody at the headless screen: the menu closes instead of waiting.
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 10, 10, 0, top_, nullptr), 0);
  EXPECT_FALSE(TrackPopupMenu(reinterpret_cast<HMENU>(0x1234), 0, 0, 0, 0, top_, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  DestroyMenu(popup);
}

}  // namespace
}  // namespace platform::user::testing
