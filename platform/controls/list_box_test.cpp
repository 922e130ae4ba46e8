// The LISTBOX control on the headless display: mouse and keyboard
// selection with its notifications, scrolling, row geometry and painting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/gbk.h"
#include "platform/display/headless.h"
#include "platform/win32.h"
#include "tests/support/control_host.h"

namespace platform {
namespace {

using gbk::Gbk;
using testing_support::ControlHost;
using testing_support::ScreenColor;

LRESULT Send(HWND hwnd, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
  return SendMessageA(hwnd, message, wparam, lparam);
}

class ListBox : public ::testing::Test {
 protected:
  ListBox() { display_.AdvanceTime(5000); }

  // A bordered list of `count` items "item 0".. with room for `rows` rows.
  HWND Make(DWORD style, int count, int rows, int id = 5, int x = 20) {
    HWND list = host_.Add("ListBox", "", style | WS_BORDER | WS_VSCROLL, {x, 20, x + 120, 20}, id);
    height_ = static_cast<int>(Send(list, LB_GETITEMHEIGHT));
    MoveWindow(list, x, 20, 120, rows * height_ + 2, TRUE);
    for (int i = 0; i < count; ++i) {
      const std::string item = "item " + std::to_string(i);
      Send(list, LB_ADDSTRING, 0, LPARAM(item.c_str()));
    }
    display_.PumpUntilIdle();
    return list;
  }
  // The middle of item `index` on the screen, as the list is scrolled now.
  POINT ItemPoint(HWND list, int index) {
    RECT r{};
    Send(list, LB_GETITEMRECT, WPARAM(index), LPARAM(&r));
    POINT p{r.left + 10, (r.top + r.bottom) / 2};
    ClientToScreen(list, &p);
    return p;
  }
  std::vector<int> Codes(int id) {
    std::vector<int> codes;
    for (const auto& n : host_.commands) {
      if (n.id == id) codes.push_back(n.code);
    }
    return codes;
  }
  void Click(POINT p) {
    display_.Click(p.x, p.y);
    display_.PumpUntilIdle();
  }
  void Key(UINT vk) {
    display_.Key(vk);
    display_.PumpUntilIdle();
  }

  HeadlessDisplay display_;
  ControlHost host_{RECT{0, 0, 400, 300}};
  int height_ = 0;
};

TEST_F(ListBox, ClicksSelectAndNotifyOnlyWithLbsNotify) {
  HWND quiet = Make(0, 4, 4, 5, 20);
  HWND told = Make(LBS_NOTIFY, 4, 4, 6, 200);
  Click(ItemPoint(quiet, 1));
  EXPECT_EQ(Send(quiet, LB_GETCURSEL), 1);
  EXPECT_EQ(GetFocus(), quiet);
  EXPECT_EQ(Codes(5), (std::vector<int>{LBN_SETFOCUS})) << "focus is always told";
  Click(ItemPoint(told, 2));
  EXPECT_EQ(Send(told, LB_GETCURSEL), 2);
  Click(ItemPoint(told, 2));
  EXPECT_EQ(Codes(6), (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_DBLCLK}));
  EXPECT_EQ(Codes(5), (std::vector<int>{LBN_SETFOCUS, LBN_KILLFOCUS}));
  EXPECT_EQ(Send(told, LB_GETSEL, 2), 1);
  EXPECT_EQ(Send(told, LB_GETSEL, 1), 0);
  EXPECT_EQ(Send(told, LB_GETSEL, 9), LB_ERR);
}

TEST_F(ListBox, KeysMoveTheSelectionAndScrollIt) {
  HWND list = Make(LBS_NOTIFY, 20, 5);
  SetFocus(list);
  display_.PumpUntilIdle();
  host_.commands.clear();
  Key(VK_DOWN);
  EXPECT_EQ(Send(list, LB_GETCURSEL), 0);
  Key(VK_NEXT);
  EXPECT_EQ(Send(list, LB_GETCURSEL), 4) << "a page is the rows shown less one";
  Key(VK_DOWN);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 1) << "scrolled to keep it in view";
  Key(VK_END);
  EXPECT_EQ(Send(list, LB_GETCURSEL), 19);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 15);
  Key(VK_HOME);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 0);
  display_.Type("i");
  display_.PumpUntilIdle();
  EXPECT_EQ(Send(list, LB_GETCURSEL), 1) << "the next item that starts with 'i'";
  Key(VK_UP);
  Key(VK_UP);
  EXPECT_EQ(Send(list, LB_GETCURSEL), 0);
  EXPECT_EQ(Codes(5).size(), 7u) << "one LBN_SELCHANGE a change, none at the top";
}

TEST_F(ListBox, DraggingCarriesTheSelection) {
  HWND list = Make(0, 10, 5);
  const POINT from = ItemPoint(list, 0);
  const POINT to = ItemPoint(list, 3);
  display_.MoveMouse(from.x, from.y);
  display_.Press();
  display_.MoveMouse(to.x, to.y);
  display_.PumpUntilIdle();
  EXPECT_EQ(Send(list, LB_GETCURSEL), 3);
  EXPECT_EQ(GetCapture(), list);
  RECT window{};
  GetWindowRect(list, &window);
  display_.MoveMouse(to.x, window.bottom + 5);
  display_.PumpUntilIdle();
  EXPECT_EQ(Send(list, LB_GETCURSEL), 5) << "below the list it scrolls on";
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 1);
  display_.Release();
  display_.PumpUntilIdle();
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ListBox, WheelScrollBarAndTopIndex) {
  HWND list = Make(0, 20, 5);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &si));
  EXPECT_EQ(si.nMax, 19);
  EXPECT_EQ(si.nPage, 5u);
  SetFocus(list);
  SendMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 3) << "three rows a notch";
  RECT window{};
  GetWindowRect(list, &window);
  const int arrow = GetSystemMetrics(SM_CXVSCROLL);
  Click(POINT{window.right - 1 - arrow / 2, window.bottom - 1 - arrow / 2});
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 4);
  EXPECT_EQ(Send(list, LB_SETTOPINDEX, 30), LB_ERR);
  EXPECT_EQ(Send(list, LB_SETTOPINDEX, 19), LB_OKAY);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 15) << "no further than the last page";
  Send(list, LB_RESETCONTENT);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 0);
  ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &si));
  EXPECT_FALSE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) << "no bar with nothing to scroll";
  Send(list, LB_ADDSTRING, 0, LPARAM("again"));
  for (int i = 0; i < 10; ++i) Send(list, LB_ADDSTRING, 0, LPARAM("more"));
  EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) << "and back when needed";
}

TEST_F(ListBox, RowGeometry) {
  HWND list = Make(0, 10, 4);
  RECT r{};
  EXPECT_EQ(Send(list, LB_GETITEMRECT, 2, LPARAM(&r)), 1);
  EXPECT_EQ(r.top, 2 * height_);
  EXPECT_EQ(r.bottom - r.top, height_);
  EXPECT_EQ(Send(list, LB_GETITEMRECT, 10, LPARAM(&r)), LB_ERR);
  EXPECT_EQ(Send(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, height_ + 1)), MAKELRESULT(1, 0));
  EXPECT_EQ(Send(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 200)), MAKELRESULT(9, 1))
      << "the nearest item, outside";
  EXPECT_EQ(Send(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(0, 0)), LB_ERR);
  EXPECT_EQ(Send(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(256, 0)), LB_ERR);
  EXPECT_EQ(Send(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(30, 0)), LB_OKAY);
  Send(list, LB_GETITEMRECT, 1, LPARAM(&r));
  EXPECT_EQ(r.top, 30);
}

TEST_F(ListBox, SortedItemsAndTheSelectionPainted) {
  HWND list = Make(LBS_SORT, 0, 4);
  for (const char* item : {"中文", "zeta", "Alpha"})
    Send(list, LB_ADDSTRING, 0, LPARAM(Gbk(item).c_str()));
  char buffer[16] = {};
  Send(list, LB_GETTEXT, 2, LPARAM(buffer));
  EXPECT_EQ(std::string(buffer), Gbk("中文"));
  EXPECT_EQ(Send(list, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM("ZETA")), 1);
  Send(list, LB_SETCURSEL, 1);
  display_.PumpUntilIdle();
  const POINT selected = ItemPoint(list, 1);
  const POINT other = ItemPoint(list, 0);
  RECT window{};
  GetWindowRect(list, &window);
  EXPECT_EQ(display_.ScreenPixel(window.right - 4, selected.y),
            ScreenColor(GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(display_.ScreenPixel(window.right - 4, other.y),
            ScreenColor(GetSysColor(COLOR_WINDOW)));
  EXPECT_EQ(display_.ScreenPixel(window.right - 4, window.bottom - 3),
            ScreenColor(GetSysColor(COLOR_WINDOW)))
      << "below the items";
}

}  // namespace
}  // namespace platform
