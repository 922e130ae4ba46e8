// The COMBOBOX control on the headless display, driven by injected keys
// and mouse: selection by keyboard and by the dropped list, the order of
// the notifications, cancelling, scrolling a long list, the edit field,
// CBS_SIMPLE, heights and placement, and the colours it paints.
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
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

constexpr int kId = 7;

std::string CodeName(int code) {
  switch (code) {
    case CBN_ERRSPACE:
      return "ERRSPACE";
    case CBN_SELCHANGE:
      return "SELCHANGE";
    case CBN_DBLCLK:
      return "DBLCLK";
    case CBN_SETFOCUS:
      return "SETFOCUS";
    case CBN_KILLFOCUS:
      return "KILLFOCUS";
    case CBN_EDITCHANGE:
      return "EDITCHANGE";
    case CBN_EDITUPDATE:
      return "EDITUPDATE";
    case CBN_DROPDOWN:
      return "DROPDOWN";
    case CBN_CLOSEUP:
      return "CLOSEUP";
    case CBN_SELENDOK:
      return "SELENDOK";
    case CBN_SELENDCANCEL:
      return "SELENDCANCEL";
    default:
      return std::to_string(code);
  }
}

std::string Names(std::initializer_list<int> codes) {
  std::string out;
  for (int code : codes) out += (out.empty() ? "" : " ") + CodeName(code);
  return out;
}

LRESULT Send(HWND hwnd, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
  return SendMessageA(hwnd, message, wparam, lparam);
}

std::string Text(HWND hwnd) {
  char buffer[256] = {};
  GetWindowTextA(hwnd, buffer, sizeof buffer);
  return buffer;
}

RECT WindowRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

class ComboBox : public ::testing::Test {
 protected:
  // Nothing clicked in an earlier test may pair with a click here.
  ComboBox() { display_.AdvanceTime(5000); }

  HWND Make(DWORD style, int height = 160, int x = 20, int y = 20, int width = 120) {
    HWND combo = host_.Add("COMBOBOX", "", style | WS_VSCROLL, {x, y, x + width, y + height}, kId);
    display_.PumpUntilIdle();
    return combo;
  }
  void AddItems(HWND combo, std::initializer_list<const char*> items) {
    for (const char* item : items) Send(combo, CB_ADDSTRING, 0, LPARAM(Gbk(item).c_str()));
    display_.PumpUntilIdle();
  }
  // The notifications seen since the last call, by name.
  std::string Heard() {
    std::string out;
    for (const auto& n : host_.commands) {
      if (n.id == kId) out += (out.empty() ? "" : " ") + CodeName(n.code);
    }
    host_.commands.clear();
    return out;
  }
  void Click(POINT p) {
    display_.Click(p.x, p.y);
    display_.PumpUntilIdle();
  }
  void Key(UINT vk) {
    display_.Key(vk);
    display_.PumpUntilIdle();
  }
  void AltKey(UINT vk) {
    display_.KeyDown(VK_MENU);
    display_.Key(vk);
    display_.KeyUp(VK_MENU);
    display_.PumpUntilIdle();
  }
  POINT ButtonCentre(HWND combo) {
    const RECT r = WindowRect(combo);
    return POINT{r.right - 2 - GetSystemMetrics(SM_CXVSCROLL) / 2, (r.top + r.bottom) / 2};
  }
  RECT DroppedRect(HWND combo) {
    RECT r{};
    Send(combo, CB_GETDROPPEDCONTROLRECT, 0, LPARAM(&r));
    return r;
  }
  // The middle of item `index` in the dropped list, as it is scrolled now.
  POINT ItemCentre(HWND combo, int index) {
    const RECT list = DroppedRect(combo);
    const int height = static_cast<int>(Send(combo, CB_GETITEMHEIGHT, 0));
    const int row = index - static_cast<int>(Send(combo, CB_GETTOPINDEX));
    return POINT{list.left + 20, list.top + 1 + row * height + height / 2};
  }

  HeadlessDisplay display_;
  ControlHost host_{RECT{0, 0, 400, 300}};
};

TEST_F(ComboBox, KeysSelectInAClosedDropDownList) {
  HWND combo = Make(CBS_DROPDOWNLIST);
  AddItems(combo, {"bmp", "gif", "jpg", "png", "pcx"});
  SetFocus(combo);
  display_.PumpUntilIdle();
  EXPECT_EQ(Heard(), Names({CBN_SETFOCUS}));
  Key(VK_DOWN);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 0) << "from no selection to the first";
  Key(VK_DOWN);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 1);
  Key(VK_END);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 4);
  Key(VK_HOME);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 0);
  display_.Type("p");
  display_.PumpUntilIdle();
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 3) << "the next item starting with 'p'";
  display_.Type("P");
  display_.PumpUntilIdle();
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 4) << "and the next, without case";
  Key(VK_UP);
  EXPECT_EQ(Text(combo), "png") << "the field reads the selected item";
  EXPECT_EQ(Heard(), Names({CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELCHANGE,
                            CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELCHANGE}));
  Key(VK_UP);
  Key(VK_UP);
  Key(VK_UP);
  Key(VK_UP);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 0);
  EXPECT_EQ(Heard(), Names({CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELCHANGE}))
      << "no notification when the first item stays selected";
  EXPECT_FALSE(Send(combo, CB_GETDROPPEDSTATE));
}

TEST_F(ComboBox, SetCurSelOutOfRangeClearsTheSelection) {
  HWND combo = Make(CBS_DROPDOWNLIST);
  AddItems(combo, {"a", "b", "c"});
  EXPECT_EQ(Send(combo, CB_SETCURSEL, 1), 1);
  EXPECT_EQ(Text(combo), "b");
  EXPECT_EQ(Send(combo, CB_SETCURSEL, 3), CB_ERR);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), CB_ERR);
  EXPECT_EQ(Text(combo), "") << "nothing selected, nothing shown";
  Send(combo, CB_SETCURSEL, 2);
  EXPECT_EQ(Send(combo, CB_SETCURSEL, WPARAM(-1)), CB_ERR);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), CB_ERR);
  EXPECT_EQ(Heard(), "") << "the program's changes are not notified";
  EXPECT_EQ(Send(combo, WM_SETTEXT, 0, LPARAM("b")), CB_ERR) << "no edit field to set";
}

TEST_F(ComboBox, ItemsDataAndSearchThroughMessages) {
  HWND combo = Make(CBS_DROPDOWNLIST | CBS_SORT);
  EXPECT_EQ(Send(combo, CB_ADDSTRING, 0, LPARAM("png")), 0);
  Send(combo, CB_SETITEMDATA, 0, 40);
  EXPECT_EQ(Send(combo, CB_ADDSTRING, 0, LPARAM("BMP")), 0);
  Send(combo, CB_SETITEMDATA, 0, 10);
  Send(combo, CB_SETCURSEL, 1);
  EXPECT_EQ(Send(combo, CB_ADDSTRING, 0, LPARAM(Gbk("中文").c_str())), 2);
  EXPECT_EQ(Send(combo, CB_INSERTSTRING, 0, LPARAM("zzz")), 0) << "inserting does not sort";
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 2) << "the selection stays on \"png\"";
  EXPECT_EQ(Send(combo, CB_GETITEMDATA, 2), 40);
  EXPECT_EQ(Send(combo, CB_GETITEMDATA, 1), 10);
  EXPECT_EQ(Send(combo, CB_GETITEMDATA, 9), CB_ERR);
  EXPECT_EQ(Send(combo, CB_SETITEMDATA, 9, 1), CB_ERR);
  EXPECT_EQ(Send(combo, CB_GETLBTEXTLEN, 3), 4);
  char buffer[16] = {};
  EXPECT_EQ(Send(combo, CB_GETLBTEXT, 3, LPARAM(buffer)), 4);
  EXPECT_EQ(std::string(buffer), Gbk("中文"));
  EXPECT_EQ(Send(combo, CB_GETLBTEXT, 4, LPARAM(buffer)), CB_ERR);
  EXPECT_EQ(Send(combo, CB_FINDSTRING, WPARAM(-1), LPARAM("bm")), 1);
  EXPECT_EQ(Send(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM("bm")), CB_ERR);
  EXPECT_EQ(Send(combo, CB_SELECTSTRING, WPARAM(-1), LPARAM("Z")), 0);
  EXPECT_EQ(Text(combo), "zzz");
  EXPECT_EQ(Send(combo, CB_SELECTSTRING, WPARAM(-1), LPARAM("q")), CB_ERR);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 0) << "a failed search keeps the selection";
  EXPECT_EQ(Send(combo, CB_DELETESTRING, 0), 3);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), CB_ERR) << "the selected item went";
  EXPECT_EQ(Send(combo, CB_DELETESTRING, 3), CB_ERR);
  Send(combo, CB_RESETCONTENT);
  EXPECT_EQ(Send(combo, CB_GETCOUNT), 0);
}

TEST_F(ComboBox, ClickingAnItemOfTheDroppedListChoosesIt) {
  HWND combo = Make(CBS_DROPDOWNLIST);
  AddItems(combo, {"one", "two", "three", "four", "five"});
  Click(ButtonCentre(combo));
  ASSERT_TRUE(Send(combo, CB_GETDROPPEDSTATE));
  EXPECT_EQ(Heard(), Names({CBN_SETFOCUS, CBN_DROPDOWN}));
  HWND list = GetCapture();
  ASSERT_NE(list, nullptr) << "the dropped list holds the mouse";
  const RECT dropped = WindowRect(list);
  const RECT field = WindowRect(combo);
  EXPECT_EQ(dropped.top, field.bottom) << "below the combo box";
  EXPECT_EQ(dropped.left, field.left);
  EXPECT_EQ(dropped.right, field.right);
  EXPECT_EQ(dropped.bottom - dropped.top, 5 * Send(combo, CB_GETITEMHEIGHT, 0) + 2)
      << "as tall as its five items";

  Click(ItemCentre(combo, 2));
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 2);
  EXPECT_EQ(Heard(), Names({CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
  EXPECT_FALSE(Send(combo, CB_GETDROPPEDSTATE));
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Text(combo), "three");

  Click(ButtonCentre(combo));
  Click(ItemCentre(combo, 2));
  EXPECT_EQ(Heard(), Names({CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}))
      << "the same item again is no change";
}

TEST_F(ComboBox, PressDragAndReleaseChoosesInOneGesture) {
  HWND combo = Make(CBS_DROPDOWNLIST);
  AddItems(combo, {"one", "two", "three"});
  const POINT button = ButtonCentre(combo);
  display_.MoveMouse(button.x, button.y);
  display_.Press();
  display_.PumpUntilIdle();
  ASSERT_TRUE(Send(combo, CB_GETDROPPEDSTATE));
  const POINT item = ItemCentre(combo, 1);
  display_.MoveMouse(item.x, item.y);
  display_.PumpUntilIdle();
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 1) << "the pointer highlights";
  display_.Release();
  display_.PumpUntilIdle();
  EXPECT_FALSE(Send(combo, CB_GETDROPPEDSTATE));
  EXPECT_EQ(Heard(), Names({CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
}

TEST_F(ComboBox, EscapeAndClicksOutsideCancelKeepingTheSelection) {
  HWND combo = Make(CBS_DROPDOWNLIST);
  AddItems(combo, {"one", "two", "three", "four"});
  Send(combo, CB_SETCURSEL, 1);
  SetFocus(combo);
  display_.PumpUntilIdle();
  Heard();
  Key(VK_F4);
  ASSERT_TRUE(Send(combo, CB_GETDROPPEDSTATE));
  const POINT item = ItemCentre(combo, 3);
  display_.MoveMouse(item.x, item.y);
  display_.PumpUntilIdle();
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 3) << "highlighted while dropped";
  Key(VK_ESCAPE);
  EXPECT_FALSE(Send(combo, CB_GETDROPPEDSTATE));
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 1);
  EXPECT_EQ(Heard(), Names({CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));

  AltKey(VK_DOWN);
  ASSERT_TRUE(Send(combo, CB_GETDROPPEDSTATE));
  display_.MoveMouse(item.x, item.y);
  Click(POINT{380, 280});
  EXPECT_FALSE(Send(combo, CB_GETDROPPEDSTATE));
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 1);
  EXPECT_EQ(host_.clicks, 0) << "the click that closed the list went no further";
  EXPECT_EQ(Heard(), Names({CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(ComboBox, KeysInTheDroppedListSelectAtOnceAndEnterCloses) {
  HWND combo = Make(CBS_DROPDOWNLIST);
  AddItems(combo, {"one", "two", "three"});
  SetFocus(combo);
  Key(VK_F4);
  Heard();
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(Text(combo), "two");
  Key(VK_RETURN);
  EXPECT_FALSE(Send(combo, CB_GETDROPPEDSTATE));
  EXPECT_EQ(Heard(), Names({CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
  Key(VK_DOWN);
  Key(VK_ESCAPE);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 2) << "Esc in a closed list changes nothing";
}

TEST_F(ComboBox, ALongListScrollsWhileDropped) {
  HWND combo = Make(CBS_DROPDOWNLIST);
  for (int i = 0; i < 30; ++i) {
    const std::string item = "item " + std::to_string(100 + i);
    Send(combo, CB_ADDSTRING, 0, LPARAM(item.c_str()));
  }
  const int item_height = static_cast<int>(Send(combo, CB_GETITEMHEIGHT, 0));
  const RECT closed = WindowRect(combo);
  const int rows = (160 - (closed.bottom - closed.top) - 2) / item_height;
  Click(ButtonCentre(combo));
  HWND list = GetCapture();
  ASSERT_NE(list, nullptr);
  const RECT dropped = WindowRect(list);
  EXPECT_EQ(dropped.bottom - dropped.top, rows * item_height + 2)
      << "whole rows within the height the combo box was made with";
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &si));
  EXPECT_EQ(si.nMax, 29);
  EXPECT_EQ(si.nPage, static_cast<UINT>(rows));

  const int arrow = GetSystemMetrics(SM_CXVSCROLL);
  Click(POINT{dropped.right - 1 - arrow / 2, dropped.bottom - 1 - arrow / 2});
  EXPECT_EQ(GetFocus(), combo) << "the list never takes the focus";
  EXPECT_EQ(Send(combo, CB_GETTOPINDEX), 1) << "the down arrow scrolled a row";
  EXPECT_TRUE(Send(combo, CB_GETDROPPEDSTATE)) << "scrolling keeps the list down";
  EXPECT_EQ(GetCapture(), list) << "and the capture comes back";
  Click(ItemCentre(combo, 1));
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 1) << "the first row shown is the second item";

  Key(VK_F4);
  Heard();
  Key(VK_END);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 29);
  EXPECT_EQ(Send(combo, CB_GETTOPINDEX), 30 - rows) << "the last item scrolled into view";
  Key(VK_PRIOR);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 29 - (rows - 1));
  Key(VK_RETURN);
  EXPECT_EQ(Heard(), Names({CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(ComboBox, EditSelectionOfADropDown) {
  HWND combo = Make(CBS_DROPDOWN | CBS_AUTOHSCROLL);
  SetWindowTextA(combo, "hello world");
  EXPECT_EQ(Text(combo), "hello world");
  EXPECT_EQ(Send(combo, CB_SETEDITSEL, 0, MAKELPARAM(2, 5)), TRUE);
  DWORD start = 0;
  DWORD end = 0;
  EXPECT_EQ(Send(combo, CB_GETEDITSEL, WPARAM(&start), LPARAM(&end)), MAKELONG(2, 5));
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 5u);
  Send(combo, CB_SETEDITSEL, 0, MAKELPARAM(6, -1));
  EXPECT_EQ(Send(combo, CB_GETEDITSEL), MAKELONG(6, 11)) << "-1 runs to the end";
  Send(combo, CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
  const LRESULT none = Send(combo, CB_GETEDITSEL);
  EXPECT_EQ(LOWORD(none), HIWORD(none)) << "-1 as the start removes the selection";

  HWND list_only = Make(CBS_DROPDOWNLIST, 160, 160);
  EXPECT_EQ(Send(list_only, CB_SETEDITSEL, 0, MAKELPARAM(0, 1)), CB_ERR);
  EXPECT_EQ(Send(list_only, CB_GETEDITSEL), CB_ERR);
}

TEST_F(ComboBox, TypingInADropDownTellsTheParentAndMatchesTheList) {
  HWND combo = Make(CBS_DROPDOWN | CBS_AUTOHSCROLL);
  AddItems(combo, {"alpha", "beta", "gamma"});
  Send(combo, CB_SETCURSEL, 1);
  EXPECT_EQ(Text(combo), "beta");
  SetFocus(combo);
  display_.PumpUntilIdle();
  display_.Type("g");
  display_.PumpUntilIdle();
  EXPECT_EQ(Text(combo), "g") << "the first focus selected the whole text";
  EXPECT_EQ(Send(combo, CB_GETCURSEL), CB_ERR) << "typed text is no item";
  EXPECT_EQ(Heard(), Names({CBN_SETFOCUS, CBN_EDITUPDATE, CBN_EDITCHANGE}));
  Key(VK_F4);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 2) << "the list opens at the item the text begins";
  Key(VK_RETURN);
  EXPECT_EQ(Text(combo), "gamma");
  EXPECT_EQ(Heard(), Names({CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
  Key(VK_UP);
  EXPECT_EQ(Text(combo), "beta") << "arrows step through the items in the edit field";
  EXPECT_EQ(Heard(), Names({CBN_SELCHANGE}));
}

TEST_F(ComboBox, SimpleListClicksAndDoubleClicks) {
  HWND combo = Make(CBS_SIMPLE, 120);
  AddItems(combo, {"one", "two", "three"});
  HWND list = GetDlgItem(combo, 1000);
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(IsWindowVisible(list)) << "always shown";
  RECT item{};
  Send(list, LB_GETITEMRECT, 1, LPARAM(&item));
  POINT p{item.left + 10, (item.top + item.bottom) / 2};
  ClientToScreen(list, &p);
  Click(p);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 1);
  EXPECT_EQ(Text(combo), "two");
  EXPECT_EQ(Heard(), Names({CBN_SETFOCUS, CBN_SELENDOK, CBN_SELCHANGE}));
  Click(p);
  EXPECT_EQ(Heard(), Names({CBN_DBLCLK}));
  EXPECT_FALSE(Send(combo, CB_GETDROPPEDSTATE));
  Send(combo, CB_SHOWDROPDOWN, TRUE);
  EXPECT_EQ(Heard(), "") << "a simple combo box never drops";
}

TEST_F(ComboBox, HeightsFollowTheFieldAndTheFont) {
  HWND combo = Make(CBS_DROPDOWN, 160);
  const int field = static_cast<int>(Send(combo, CB_GETITEMHEIGHT, WPARAM(-1)));
  RECT r = WindowRect(combo);
  EXPECT_EQ(r.bottom - r.top, field + 4) << "a drop-down is as tall as its field";
  TEXTMETRICA tm{};
  HDC dc = GetDC(combo);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  GetTextMetricsA(dc, &tm);
  ReleaseDC(combo, dc);
  EXPECT_EQ(Send(combo, CB_GETITEMHEIGHT, 0), tm.tmHeight) << "items are a line of the font";

  EXPECT_EQ(Send(combo, CB_SETITEMHEIGHT, WPARAM(-1), 30), CB_OKAY);
  r = WindowRect(combo);
  EXPECT_EQ(r.bottom - r.top, 34);
  EXPECT_EQ(Send(combo, CB_SETITEMHEIGHT, 0, 256), CB_ERR);
  EXPECT_EQ(Send(combo, CB_SETITEMHEIGHT, 0, 20), CB_OKAY);
  EXPECT_EQ(Send(combo, CB_GETITEMHEIGHT, 0), 20);

  MoveWindow(combo, 20, 20, 120, 300, TRUE);
  r = WindowRect(combo);
  EXPECT_EQ(r.bottom - r.top, 34) << "another height becomes the dropped height";
  for (int i = 0; i < 40; ++i) Send(combo, CB_ADDSTRING, 0, LPARAM("x"));
  const RECT list = DroppedRect(combo);
  EXPECT_EQ(list.bottom - list.top, (300 - 34 - 2) / 20 * 20 + 2);

  HFONT big = CreateFontA(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  Send(combo, WM_SETFONT, WPARAM(big), TRUE);
  EXPECT_GT(Send(combo, CB_GETITEMHEIGHT, 0), 30) << "the font sets the heights again";
  r = WindowRect(combo);
  EXPECT_EQ(r.bottom - r.top, Send(combo, CB_GETITEMHEIGHT, WPARAM(-1)) + 4);
  DestroyWindow(combo);
  DeleteObject(big);
}

TEST_F(ComboBox, ListGoesAboveWhenTheWorkAreaEndsBelow) {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  MoveWindow(host_.hwnd(), 0, work.bottom - 60, 400, 60, TRUE);
  HWND combo = Make(CBS_DROPDOWNLIST, 160, 20, 10);
  AddItems(combo, {"a", "b", "c"});
  SendMessageA(combo, CB_SETDROPPEDWIDTH, 200, 0);
  Click(ButtonCentre(combo));
  HWND list = GetCapture();
  ASSERT_NE(list, nullptr);
  const RECT dropped = WindowRect(list);
  const RECT field = WindowRect(combo);
  EXPECT_EQ(dropped.bottom, field.top);
  EXPECT_EQ(dropped.right - dropped.left, 200) << "CB_SETDROPPEDWIDTH";
  Key(VK_ESCAPE);
}

// Colours: the list's from the parent's WM_CTLCOLORLISTBOX, the selection in
// the highlight colour, the focused field highlighted.
HBRUSH g_list_brush = nullptr;
WNDPROC g_host_proc = nullptr;

LRESULT ColourProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CTLCOLORLISTBOX) return reinterpret_cast<LRESULT>(g_list_brush);
  return CallWindowProcA(g_host_proc, hwnd, message, wparam, lparam);
}

TEST_F(ComboBox, PaintsTheParentsColoursAndTheHighlight) {
  g_list_brush = CreateSolidBrush(RGB(255, 255, 0));
  g_host_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(host_.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ColourProc)));
  HWND combo = Make(CBS_DROPDOWNLIST);
  AddItems(combo, {"one", "two", "three"});
  Send(combo, CB_SETCURSEL, 1);
  SetFocus(combo);
  display_.PumpUntilIdle();
  const RECT field = WindowRect(combo);
  const uint32_t highlight = ScreenColor(GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(display_.ScreenPixel(field.right - 24, field.top + 6), highlight)
      << "the focused field";
  Key(VK_F4);
  const POINT selected = ItemCentre(combo, 1);
  const POINT other = ItemCentre(combo, 2);
  const RECT list = DroppedRect(combo);
  EXPECT_EQ(display_.ScreenPixel(list.right - 6, selected.y), highlight);
  EXPECT_EQ(display_.ScreenPixel(list.right - 6, other.y), 0xFFFF00u) << "the parent's brush";
  Key(VK_ESCAPE);
  SetWindowLongPtrA(host_.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_host_proc));
  DestroyWindow(combo);
  DeleteObject(g_list_brush);
}

TEST_F(ComboBox, DestroyedWhileDroppedTakesItsListAlong) {
  HWND combo = Make(CBS_DROPDOWN);
  AddItems(combo, {"one", "two"});
  Click(ButtonCentre(combo));
  HWND list = GetCapture();
  ASSERT_NE(list, nullptr);
  DestroyWindow(combo);
  display_.PumpUntilIdle();
  EXPECT_FALSE(IsWindow(list));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ComboBox, KillingTheFocusClosesTheList) {
  HWND combo = Make(CBS_DROPDOWN);
  HWND other = host_.Add("EDIT", "", 0, {200, 20, 300, 44}, 9);
  AddItems(combo, {"one", "two"});
  Click(ButtonCentre(combo));
  Heard();
  SetFocus(other);
  display_.PumpUntilIdle();
  EXPECT_FALSE(Send(combo, CB_GETDROPPEDSTATE));
  EXPECT_EQ(Heard(), Names({CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}));
}

// A picture for people: a dropped list with Chinese items over other
// controls. MIENZO_SCREENSHOT_DIR keeps it.
HWND ShowcaseChild(HWND frame, const char* cls, const std::string& text, DWORD style, RECT at,
                   int id) {
  HWND hwnd = CreateWindowExA(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, at.left, at.top,
                              at.right - at.left, at.bottom - at.top, frame,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageA(hwnd, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  return hwnd;
}

void AddShowcaseItems(HWND combo, std::initializer_list<const char*> items) {
  for (const char* item : items) SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(Gbk(item).c_str()));
}

// The frame, its controls, and the combo box whose list will drop.
HWND BuildShowcase(HWND* kinds) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "ComboShowcase";
  RegisterClassA(&wc);
  HWND frame =
      CreateWindowExA(0, "ComboShowcase", Gbk("组合框").c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                      10, 10, 420, 260, nullptr, nullptr, nullptr, nullptr);
  ShowcaseChild(frame, "Static", Gbk("扩展名："), SS_LEFT, {10, 14, 70, 34}, 1);
  *kinds =
      ShowcaseChild(frame, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, {76, 10, 226, 170}, 2);
  AddShowcaseItems(*kinds,
                   {"位图 (*.bmp)", "JPEG 图像 (*.jpg)", "PNG 图像 (*.png)", "GIF 动画 (*.gif)",
                    "PCX 图像 (*.pcx)", "图标 (*.ico)", "光标 (*.cur)", "所有文件 (*.*)", "其他"});
  SendMessageA(*kinds, CB_SETCURSEL, 1, 0);
  HWND names = ShowcaseChild(frame, "COMBOBOX", Gbk("图片1"),
                             CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, {240, 10, 390, 170}, 3);
  AddShowcaseItems(names, {"图片1"});
  HWND simple = ShowcaseChild(frame, "COMBOBOX", "", CBS_SIMPLE | CBS_SORT | WS_VSCROLL,
                              {240, 44, 390, 154}, 4);
  AddShowcaseItems(simple, {"上海", "北京", "广州", "深圳", "abc"});
  ShowcaseChild(frame, "Button", Gbk("保存文件"), BS_PUSHBUTTON, {10, 80, 110, 108}, 5);
  ShowcaseChild(frame, "EDIT", Gbk("被下拉列表盖住的文字"), ES_AUTOHSCROLL, {10, 120, 220, 142}, 6);
  return frame;
}

TEST(ComboBoxShowcase, DroppedListOverOtherControls) {
  ScreenSettings screen;
  screen.width = 440;
  screen.height = 280;
  screen.work_area = RECT{0, 0, 440, 280};
  HeadlessDisplay display(ClockKind::kVirtual, screen);
  HWND kinds = nullptr;
  HWND frame = BuildShowcase(&kinds);
  display.PumpUntilIdle();
  const RECT field = WindowRect(kinds);
  display.Click(field.right - 10, (field.top + field.bottom) / 2);
  display.PumpUntilIdle();
  RECT list{};
  SendMessageA(kinds, CB_GETDROPPEDCONTROLRECT, 0, LPARAM(&list));
  const int height = static_cast<int>(SendMessageA(kinds, CB_GETITEMHEIGHT, 0, 0));
  const int hovered_y = list.top + 1 + 3 * height + height / 2;
  display.MoveMouse(list.left + 30, hovered_y);
  display.PumpUntilIdle();
  if (const char* keep = std::getenv("MIENZO_SCREENSHOT_DIR")) {
    ASSERT_TRUE(display.SaveScreenshot(std::string(keep) + "/controls-combobox.png"));
  }
  EXPECT_TRUE(SendMessageA(kinds, CB_GETDROPPEDSTATE, 0, 0));
  const int right_of_text = list.right - 1 - GetSystemMetrics(SM_CXVSCROLL) - 3;
  EXPECT_EQ(display.ScreenPixel(right_of_text, hovered_y),
            ScreenColor(GetSysColor(COLOR_HIGHLIGHT)))
      << "the item under the pointer is highlighted";
  DestroyWindow(frame);
  UnregisterClassA("ComboShowcase", nullptr);
}

}  // namespace
}  // namespace platform
