// Menus as records (what the building and reading functions report), the
// bar in the non-client area, and how bar and popups look.
#include <cstdlib>

#include "platform/user/menu_testing.h"

namespace platform::user::testing {
namespace {

using gbk::Gbk;

RECT ClientOf(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return r;
}

TEST(Menu, ItemsReadBackAsWindowsReportsThem) {
  SampleMenu m = BuildSampleMenu();
  EXPECT_EQ(GetMenuItemCount(m.file), 8);
  EXPECT_EQ(GetMenuItemID(m.file, kOpenAt), static_cast<UINT>(kOpen));
  EXPECT_EQ(GetMenuItemID(m.file, kFirstSeparatorAt), 0u) << "a separator's id is what was given";
  EXPECT_EQ(GetMenuItemID(m.file, kRecentAt), static_cast<UINT>(-1)) << "a sub-menu has no id";
  EXPECT_EQ(GetMenuItemID(m.file, 99), static_cast<UINT>(-1));
  EXPECT_EQ(GetSubMenu(m.file, kRecentAt), m.recent);
  EXPECT_EQ(GetSubMenu(m.file, kOpenAt), nullptr);
  EXPECT_EQ(GetSubMenu(m.bar, kFileBar), m.file);

  EXPECT_EQ(GetMenuState(m.file, kGrid, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(GetMenuState(m.bar, kSave, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED))
      << "by command the search goes into sub-menus";
  EXPECT_EQ(GetMenuState(m.file, kFirstSeparatorAt, MF_BYPOSITION),
            static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(GetMenuState(m.file, kRecentAt, MF_BYPOSITION), (2u << 8) | MF_POPUP)
      << "a sub-menu item: its item count in the second byte";
  EXPECT_EQ(GetMenuState(m.file, 999, MF_BYCOMMAND), static_cast<UINT>(-1));

  char text[64];
  EXPECT_EQ(GetMenuStringA(m.file, kNew, text, sizeof text, MF_BYCOMMAND), 15);
  EXPECT_EQ(std::string(text), Gbk("新建(&N)\tCtrl+N"));
  EXPECT_EQ(GetMenuStringA(m.file, kNew, nullptr, 0, MF_BYCOMMAND), 15) << "the length";
  EXPECT_EQ(GetMenuStringA(m.file, kNew, text, 4, MF_BYCOMMAND), 2)
      << "whole characters only: the second one would not fit with its NUL";
  EXPECT_EQ(std::string(text), Gbk("新"));
  EXPECT_EQ(GetMenuStringA(m.file, kFirstSeparatorAt, text, sizeof text, MF_BYPOSITION), 0);
  EXPECT_EQ(text[0], '\0');
  DestroyMenu(m.bar);
}

TEST(Menu, ChangingItems) {
  SampleMenu m = BuildSampleMenu();
  EXPECT_EQ(CheckMenuItem(m.bar, kGrid, MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(CheckMenuItem(m.bar, kGrid, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(m.bar, 999, MF_CHECKED), static_cast<DWORD>(-1));
  EXPECT_EQ(EnableMenuItem(m.bar, kSave, MF_ENABLED), MF_GRAYED);
  EXPECT_EQ(EnableMenuItem(m.file, kExitAt, MF_BYPOSITION | MF_DISABLED), MF_ENABLED);
  EXPECT_EQ(GetMenuState(m.file, kExit, MF_BYCOMMAND), static_cast<UINT>(MF_DISABLED));
  EXPECT_EQ(EnableMenuItem(m.bar, 999, MF_GRAYED), -1);

  ASSERT_TRUE(InsertMenuA(m.file, kOpen, MF_BYCOMMAND | MF_STRING, 150, "&Before open"));
  EXPECT_EQ(GetMenuItemID(m.file, 1), 150u) << "inserted before the item named";
  ASSERT_TRUE(InsertMenuA(m.edit, static_cast<UINT>(-1), MF_BYPOSITION, 250, "&Last"));
  EXPECT_EQ(GetMenuItemID(m.edit, 3), 250u) << "position -1 appends";
  EXPECT_FALSE(InsertMenuA(m.edit, 999, MF_BYCOMMAND, 251, "x")) << "no such command";

  ASSERT_TRUE(ModifyMenuA(m.bar, kCopy, MF_BYCOMMAND | MF_STRING | MF_CHECKED, 260, "&Duplicate"));
  EXPECT_EQ(GetMenuItemID(m.edit, 0), 260u);
  EXPECT_EQ(GetMenuState(m.edit, 260, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
  // Replacing the item that opens "Recent" destroys that sub-menu.
  ASSERT_TRUE(ModifyMenuA(m.file, kRecentAt + 1, MF_BYPOSITION | MF_STRING, 160, "&Plain"));
  EXPECT_FALSE(IsMenu(m.recent));

  HMENU spare = CreatePopupMenu();
  AppendMenuA(m.edit, MF_POPUP, reinterpret_cast<UINT_PTR>(spare), "&Spare");
  const int last = GetMenuItemCount(m.edit) - 1;
  ASSERT_TRUE(RemoveMenu(m.edit, last, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(spare)) << "RemoveMenu leaves the sub-menu alive";
  AppendMenuA(m.edit, MF_POPUP, reinterpret_cast<UINT_PTR>(spare), "&Spare");
  ASSERT_TRUE(DeleteMenu(m.edit, last, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(spare)) << "DeleteMenu destroys it";
  EXPECT_FALSE(DeleteMenu(m.edit, 999, MF_BYCOMMAND));
  DestroyMenu(m.bar);
}

TEST(Menu, HandlesAndWhatIsRefused) {
  SampleMenu m = BuildSampleMenu();
  ASSERT_TRUE(IsMenu(m.bar));
  EXPECT_GT(reinterpret_cast<uintptr_t>(m.bar), 0xFFFFu)
      << "handles never equal a command number, so sub-menu items cannot pass for commands";
  EXPECT_FALSE(AppendMenuA(m.recent, MF_POPUP, reinterpret_cast<UINT_PTR>(m.file), "&Loop"))
      << "a menu cannot come inside itself";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(AppendMenuA(m.file, MF_BITMAP, 1, nullptr));
  EXPECT_FALSE(AppendMenuA(m.file, MF_POPUP, 0x12345, "&Nothing"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));

  ASSERT_TRUE(DestroyMenu(m.bar));
  EXPECT_FALSE(IsMenu(m.file)) << "sub-menus go with their menu";
  EXPECT_FALSE(IsMenu(m.recent));
  EXPECT_FALSE(DestroyMenu(m.bar));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  EXPECT_EQ(GetMenuItemCount(m.edit), -1);
  EXPECT_FALSE(AppendMenuA(m.edit, MF_STRING, 1, "x"));
  EXPECT_FALSE(IsMenu(reinterpret_cast<HMENU>(0x00A00002))) << "forged";
}

// ---------------------------------------------------------------------------
// The bar
// ---------------------------------------------------------------------------

TEST_F(MenuWindow, BarTakesItsRowsFromTheClientArea) {
  const int row = GetSystemMetrics(SM_CYMENU);
  EXPECT_EQ(row, 20);
  EXPECT_EQ(GetMenu(top_), menu_.bar) << "CreateWindowEx's hMenu is the bar";
  const RECT with_bar = ClientOf(top_);
  ASSERT_TRUE(SetMenu(top_, nullptr));
  EXPECT_EQ(ClientOf(top_).bottom, with_bar.bottom + row);
  ASSERT_FALSE(Received(WM_SIZE).empty()) << "the client area changed";
  ASSERT_TRUE(SetMenu(top_, menu_.bar));
  EXPECT_EQ(ClientOf(top_).bottom, with_bar.bottom);

  RECT window;
  GetWindowRect(top_, &window);
  POINT client{0, 0};
  ClientToScreen(top_, &client);
  EXPECT_EQ(client.y - window.top, 4 + 22 + row) << "frame, caption, bar";
  EXPECT_EQ(SendMessageA(top_, WM_NCHITTEST, 0, MAKELPARAM(window.left + 200, client.y - 5)),
            HTMENU);
  EXPECT_EQ(SendMessageA(top_, WM_NCHITTEST, 0, MAKELPARAM(window.left + 200, client.y + 1)),
            HTCLIENT);

  RECT adjusted{0, 0, 100, 100};
  AdjustWindowRectEx(&adjusted, WS_OVERLAPPEDWINDOW, TRUE, 0);
  EXPECT_EQ(adjusted.top, -(4 + 22 + row));

  // Too narrow for one row: the bar wraps.
  SetWindowPos(top_, nullptr, 0, 0, 150, 200, SWP_NOMOVE | SWP_NOZORDER);
  GetWindowRect(top_, &window);
  client = {0, 0};
  ClientToScreen(top_, &client);
  EXPECT_EQ(client.y - window.top, 4 + 22 + 2 * row);
}

TEST_F(MenuWindow, OnlyWindowsThatAreNotChildrenHaveBars) {
  HWND child = recorder_.Create(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top_, 0, 7);
  HMENU spare = CreateMenu();
  EXPECT_FALSE(SetMenu(child, spare));
  DestroyMenu(spare);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CHILD_WINDOW_MENU));
  EXPECT_EQ(GetDlgCtrlID(child), 7) << "a child's hMenu is its id";
  EXPECT_EQ(CreateWindowExA(0, "Recorder", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                            reinterpret_cast<HMENU>(0x1234), nullptr, nullptr),
            nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  DestroyWindow(top_);
  EXPECT_FALSE(IsMenu(menu_.bar)) << "DestroyWindow destroys the window's menu";
  EXPECT_FALSE(IsMenu(menu_.file));
}

// ---------------------------------------------------------------------------
// The look
// ---------------------------------------------------------------------------

uint32_t Pixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// Whether any pixel of `r` (screen) has `color`.
bool AnyPixel(const HeadlessDisplay& display, const RECT& r, uint32_t color) {
  const std::vector<uint32_t> screen = display.ComposeScreen();
  const int width = display.Screen().width;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      if (screen[static_cast<size_t>(y) * width + x] == color) return true;
    }
  }
  return false;
}

RECT ItemScreenRect(HWND popup, int index) {
  const auto handle = reinterpret_cast<HMENU>(GetWindowLongPtrA(popup, GWLP_USERDATA));
  RECT r = FindMenuQuiet(handle)->items[static_cast<size_t>(index)].rect;
  RECT frame;
  GetWindowRect(popup, &frame);
  OffsetRect(&r, frame.left, frame.top);
  return r;
}

// The File popup open with 打开 under the pointer; MIENZO_SCREENSHOT_DIR keeps
// the screen as user-menu.png.
TEST_F(MenuWindow, PaintsTheBarAndAnOpenPopup) {
  bool looked = false;
  const RECT bar_item = MenuBarItemScreenRect(FindWindowQuiet(top_), kFileBar);
  WhenIdle([&](HWND popup) {
    const POINT open = ItemCenter(popup, kOpenAt);
    display_.MoveMouse(open.x, open.y);
  });
  WhenIdle([&](HWND popup) {
    looked = true;
    if (const char* keep = std::getenv("MIENZO_SCREENSHOT_DIR")) {
      ASSERT_TRUE(display_.SaveScreenshot(std::string(keep) + "/user-menu.png"));
    }
    RECT frame;
    GetWindowRect(popup, &frame);
    EXPECT_EQ(frame.left, bar_item.left) << "the popup opens below its bar item";
    EXPECT_EQ(frame.top, bar_item.bottom);
    const RECT open = ItemScreenRect(popup, kOpenAt);
    EXPECT_EQ(display_.ScreenPixel(open.left + 2, open.top + 2),
              Pixel(GetSysColor(COLOR_HIGHLIGHT)))
        << "the item under the pointer is highlighted";
    EXPECT_TRUE(AnyPixel(display_, open, Pixel(GetSysColor(COLOR_HIGHLIGHTTEXT))));
    const RECT save = ItemScreenRect(popup, kSaveAt);
    EXPECT_TRUE(AnyPixel(display_, save, Pixel(GetSysColor(COLOR_GRAYTEXT)))) << "grayed text";
    const RECT grid = ItemScreenRect(popup, kGridAt);
    EXPECT_TRUE(AnyPixel(display_, {grid.left, grid.top, grid.left + 17, grid.bottom}, 0))
        << "a check mark left of the checked item's text";
    const RECT recent = ItemScreenRect(popup, kRecentAt);
    EXPECT_TRUE(AnyPixel(display_, {recent.right - 17, recent.top, recent.right, recent.bottom}, 0))
        << "an arrow right of the sub-menu item";
    const RECT separator = ItemScreenRect(popup, kFirstSeparatorAt);
    EXPECT_TRUE(AnyPixel(display_, separator, Pixel(GetSysColor(COLOR_3DSHADOW))));
    EXPECT_NE(display_.ScreenPixel(bar_item.left, bar_item.top), Pixel(GetSysColor(COLOR_MENUBAR)))
        << "the open bar item is drawn pressed";
    const RECT help = MenuBarItemScreenRect(FindWindowQuiet(top_), kHelpBar);
    EXPECT_TRUE(AnyPixel(display_, help, 0)) << "bar captions";
    EXPECT_EQ(display_.ScreenPixel(help.right + 20, help.top + 3),
              Pixel(GetSysColor(COLOR_MENUBAR)));
  });
  ClickBar(kFileBar);
  display_.PumpUntilIdle();
  EXPECT_TRUE(looked);
}

}  // namespace
}  // namespace platform::user::testing
