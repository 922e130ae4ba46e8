// The window menu's copy (GetSystemMenu) and what it decides; the icons a
// window keeps; where a window made minimised restores to.
#include "platform/base/gbk.h"
#include "platform/user/test_support.h"

namespace platform::user::testing {
namespace {

class SystemMenuTest : public ::testing::Test {
 protected:
  // Drags the window by its caption by (dx, dy) and returns where it ended.
  RECT DragCaption(HWND hwnd, int dx, int dy) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    const POINT grip{rect.left + 60, rect.top + 10};
    EXPECT_EQ(SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y)), HTCAPTION);
    display_.MoveMouse(grip.x, grip.y);
    display_.Press();
    display_.MoveMouse(grip.x + dx, grip.y + dy);
    display_.Release();
    display_.PumpUntilIdle();
    GetWindowRect(hwnd, &rect);
    // The next press is no double click.
    display_.AdvanceTime(GetDoubleClickTime() + 1);
    return rect;
  }

  HeadlessDisplay display_;
  Recorder recorder_;
};

TEST_F(SystemMenuTest, CopyHoldsTheStandardCommandsUntilReverted) {
  HWND top = recorder_.Create(WS_OVERLAPPEDWINDOW, 10, 10, 300, 200);
  HMENU menu = GetSystemMenu(top, FALSE);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetSystemMenu(top, FALSE), menu) << "one copy per window";
  std::vector<UINT> commands;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) commands.push_back(GetMenuItemID(menu, i));
  EXPECT_EQ(commands, (std::vector<UINT>{SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0,
                                         SC_CLOSE}));
  char text[32] = {};
  GetMenuStringA(menu, SC_MOVE, text, sizeof text, MF_BYCOMMAND);
  EXPECT_EQ(std::string(text), gbk::Gbk("移动(&M)"));

  EXPECT_EQ(GetSystemMenu(top, TRUE), nullptr);
  EXPECT_FALSE(IsMenu(menu)) << "reverting destroys the copy";
  HWND child = recorder_.Create(WS_CHILD, 0, 0, 10, 10, top);
  EXPECT_EQ(GetSystemMenu(child, FALSE), nullptr);
}

TEST_F(SystemMenuTest, CaptionDragsOnlyWhileMoveIsInTheMenu) {
  HWND top = recorder_.Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  RECT moved = DragCaption(top, 40, 30);
  EXPECT_EQ(moved.left, 140);
  EXPECT_EQ(moved.top, 130);

  ASSERT_TRUE(DeleteMenu(GetSystemMenu(top, FALSE), SC_MOVE, MF_BYCOMMAND));
  RECT stayed = DragCaption(top, 40, 30);
  EXPECT_EQ(stayed.left, 140) << "no Move, no drag";
  EXPECT_EQ(stayed.top, 130);

  GetSystemMenu(top, TRUE);
  RECT again = DragCaption(top, -20, 10);
  EXPECT_EQ(again.left, 120) << "the standard menu has Move again";
}

TEST_F(SystemMenuTest, CopyGoesWithItsWindow) {
  HWND top = recorder_.Create(WS_OVERLAPPEDWINDOW, 10, 10, 300, 200);
  HMENU menu = GetSystemMenu(top, FALSE);
  DestroyWindow(top);
  EXPECT_FALSE(IsMenu(menu));
}

TEST_F(SystemMenuTest, WindowKeepsTheIconsItIsGiven) {
  HWND top = recorder_.Create(WS_OVERLAPPEDWINDOW, 10, 10, 300, 200);
  HICON big = LoadIconA(nullptr, IDI_APPLICATION);
  EXPECT_EQ(SendMessageA(top, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_EQ(SendMessageA(top, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big)), 0);
  EXPECT_EQ(SendMessageA(top, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(big));
  EXPECT_EQ(SendMessageA(top, WM_GETICON, ICON_SMALL, 0), 0) << "each size on its own";
  EXPECT_EQ(SendMessageA(top, WM_SETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(big))
      << "answers the icon it had";
}

TEST_F(SystemMenuTest, WindowMadeMinimisedRestoresToWhereItWasMade) {
  HWND top = recorder_.Create(WS_OVERLAPPEDWINDOW | WS_MINIMIZE, 30, 40, 300, 200);
  ShowWindow(top, SW_SHOWMINIMIZED);
  EXPECT_TRUE(IsIconic(top));
  ShowWindow(top, SW_RESTORE);
  RECT rect{};
  GetWindowRect(top, &rect);
  EXPECT_EQ(rect.left, 30);
  EXPECT_EQ(rect.top, 40);
  EXPECT_EQ(rect.right - rect.left, 300);
}

}  // namespace
}  // namespace platform::user::testing
