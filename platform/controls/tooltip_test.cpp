// The tooltips_class32 control on the headless display: the tip comes only
// after the pointer has rested for the initial delay of virtual time, goes
// when the pointer leaves, on a click or after the auto-pop delay, asks for
// callback text, and stays on the screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/base/gbk.h"
#include "platform/display/headless.h"
#include "platform/win32.h"
#include "tests/support/control_host.h"

namespace platform {
namespace {

using gbk::Gbk;
using testing_support::BoundsWhere;
using testing_support::ControlHost;
using testing_support::IsDark;
using testing_support::ScreenColor;

constexpr RECT kToolA{10, 10, 110, 60};   // id 1, text
constexpr RECT kToolB{150, 10, 250, 60};  // id 2, callback
constexpr UINT kDoubleClickMs = 500;      // the default initial delay

bool Visible(HWND hwnd) { return IsWindowVisible(hwnd) != FALSE; }

class Tooltip : public ::testing::Test {
 protected:
  Tooltip() : host_({0, 0, 400, 300}) {
    tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, host_.hwnd(),
                           nullptr, nullptr, nullptr);
    AddTool(1, kToolA, Gbk("颜色：黑色").c_str());
    AddTool(2, kToolB, nullptr);
    display_.MoveMouse(390, 290);  // the pointer stays where the last test left it
    display_.PumpUntilIdle();
  }
  // A rectangle tool of the host; text nullptr asks for a callback.
  bool AddTool(UINT_PTR id, RECT rect, const char* text, UINT flags = TTF_SUBCLASS) {
    TOOLINFOA info = Info(id);
    info.uFlags = flags;
    info.rect = rect;
    info.lpszText = text ? const_cast<char*>(text) : LPSTR_TEXTCALLBACKA;
    info.lParam = static_cast<LPARAM>(id * 100);
    return SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
  }
  TOOLINFOA Info(UINT_PTR id) {
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.hwnd = host_.hwnd();
    info.uId = id;
    return info;
  }
  void MoveTo(int x, int y) {
    display_.MoveMouse(x, y);
    display_.PumpUntilIdle();
  }
  void Advance(uint64_t ms) {
    display_.AdvanceTime(ms);
    display_.PumpUntilIdle();
  }
  RECT TipRect() {
    RECT r;
    GetWindowRect(tip_, &r);
    return r;
  }
  size_t Heard(UINT code) { return host_.Of(WM_NOTIFY, code).size(); }

  HeadlessDisplay display_;
  ControlHost host_;
  HWND tip_ = nullptr;
};

TEST_F(Tooltip, ShowsOnlyAfterTheInitialDelayOfRest) {
  ASSERT_NE(tip_, nullptr);
  EXPECT_EQ(SendMessageA(tip_, TTM_GETDELAYTIME, TTDT_INITIAL, 0), GetDoubleClickTime());
  MoveTo(50, 30);
  Advance(300);
  MoveTo(52, 31);  // moving on within the tool starts the wait again
  Advance(kDoubleClickMs - 1);
  EXPECT_FALSE(Visible(tip_)) << "the pointer has not rested long enough";
  Advance(1);
  ASSERT_TRUE(Visible(tip_));
  ASSERT_EQ(Heard(TTN_SHOW), 1u);
  EXPECT_EQ(host_.Of(WM_NOTIFY, TTN_SHOW)[0].from, tip_);
  EXPECT_EQ(host_.Of(WM_NOTIFY, TTN_SHOW)[0].id, 1u);
  const RECT r = TipRect();
  EXPECT_EQ(r.left, 52);
  EXPECT_EQ(r.top, 31 + 20) << "below the pointer";
  EXPECT_NE(GetActiveWindow(), tip_) << "the tip never takes activation";

  // A black frame around the info colour, dark text inside.
  EXPECT_EQ(display_.ScreenPixel(r.left, r.top), 0u);
  EXPECT_EQ(display_.ScreenPixel(r.right - 1, r.bottom - 1), 0u);
  EXPECT_EQ(display_.ScreenPixel(r.left + 2, r.top + 2), ScreenColor(GetSysColor(COLOR_INFOBK)));
  const RECT inside{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  const RECT text = BoundsWhere(display_, inside, IsDark);
  EXPECT_GT(text.right - text.left, 40) << "five characters of text";
}

TEST_F(Tooltip, HidesWhenThePointerLeaves) {
  MoveTo(50, 30);
  Advance(kDoubleClickMs);
  ASSERT_TRUE(Visible(tip_));
  MoveTo(50, 100);  // still the host, outside every tool
  EXPECT_FALSE(Visible(tip_));
  EXPECT_EQ(Heard(TTN_POP), 1u);

  MoveTo(50, 30);
  Advance(kDoubleClickMs);
  ASSERT_TRUE(Visible(tip_));
  MoveTo(600, 500);  // off the host: no message tells the tooltip
  Advance(100);
  EXPECT_FALSE(Visible(tip_)) << "the pointer is checked while the tip shows";

  MoveTo(50, 30);
  MoveTo(600, 500);  // left before the delay was over
  Advance(kDoubleClickMs);
  EXPECT_FALSE(Visible(tip_));
}

TEST_F(Tooltip, ClickAndAutoPopHideUntilThePointerLeaves) {
  MoveTo(50, 30);
  Advance(kDoubleClickMs);
  ASSERT_TRUE(Visible(tip_));
  display_.Click(50, 30);
  display_.PumpUntilIdle();
  EXPECT_FALSE(Visible(tip_));
  MoveTo(51, 30);
  Advance(kDoubleClickMs);
  EXPECT_FALSE(Visible(tip_)) << "not back while the pointer stays in the tool";

  MoveTo(50, 100);
  MoveTo(50, 30);
  Advance(kDoubleClickMs);
  ASSERT_TRUE(Visible(tip_));
  EXPECT_EQ(SendMessageA(tip_, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 10 * GetDoubleClickTime());
  for (int waited = 0; waited < 10 * static_cast<int>(kDoubleClickMs) - 100; waited += 100) {
    Advance(100);
  }
  EXPECT_TRUE(Visible(tip_));
  Advance(100);
  EXPECT_FALSE(Visible(tip_)) << "the auto-pop delay is over";
  MoveTo(52, 30);
  Advance(kDoubleClickMs);
  EXPECT_FALSE(Visible(tip_));
}

TEST_F(Tooltip, AnotherToolShowsAfterTheReshowDelay) {
  MoveTo(50, 30);
  Advance(kDoubleClickMs);
  ASSERT_TRUE(Visible(tip_));
  host_.on_notify = [](NMHDR* header) -> LRESULT {
    if (header->code == TTN_GETDISPINFOA) {
      std::strcpy(reinterpret_cast<NMTTDISPINFOA*>(header)->szText, "callback");
    }
    return 0;
  };
  MoveTo(200, 30);
  EXPECT_FALSE(Visible(tip_));
  Advance(kDoubleClickMs / 5);
  EXPECT_TRUE(Visible(tip_)) << "the reshow delay is a fifth of the initial one";
  EXPECT_EQ(TipRect().left, 200);
}

TEST_F(Tooltip, AsksForCallbackTextEachTimeUnlessKept) {
  static const char kAnswer[] = "answered";
  NMTTDISPINFOA asked{};
  host_.on_notify = [&](NMHDR* header) -> LRESULT {
    if (header->code != TTN_GETDISPINFOA) return 0;
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    asked = *info;
    info->lpszText = const_cast<char*>(kAnswer);
    return 0;
  };
  MoveTo(200, 30);
  Advance(kDoubleClickMs);
  ASSERT_TRUE(Visible(tip_));
  ASSERT_EQ(Heard(TTN_GETDISPINFOA), 1u);
  EXPECT_EQ(asked.hdr.hwndFrom, tip_);
  EXPECT_EQ(asked.hdr.idFrom, 2u);
  EXPECT_EQ(asked.lParam, 200);
  EXPECT_EQ(asked.uFlags & TTF_SUBCLASS, static_cast<UINT>(TTF_SUBCLASS));
  const LONG short_width = TipRect().right - TipRect().left;

  host_.on_notify = [&](NMHDR* header) -> LRESULT {
    if (header->code != TTN_GETDISPINFOA) return 0;
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    std::strcpy(info->szText, "a much longer answer");
    info->uFlags |= TTF_DI_SETITEM;
    return 0;
  };
  MoveTo(200, 100);
  MoveTo(200, 30);
  Advance(kDoubleClickMs);
  ASSERT_TRUE(Visible(tip_));
  EXPECT_GT(TipRect().right - TipRect().left, short_width) << "the tip fits the new text";
  MoveTo(200, 100);
  MoveTo(200, 30);
  Advance(kDoubleClickMs);
  EXPECT_EQ(Heard(TTN_GETDISPINFOA), 2u) << "TTF_DI_SETITEM kept the text";
  char text[80] = {};
  TOOLINFOA info = Info(2);
  info.lpszText = text;
  ASSERT_TRUE(SendMessageA(tip_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)));
  EXPECT_STREQ(text, "a much longer answer");
}

TEST_F(Tooltip, StaysOnTheWorkArea) {
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  SetWindowPos(host_.hwnd(), nullptr, work.right - 120, work.bottom - 70, 120, 70,
               SWP_NOZORDER | SWP_NOACTIVATE);
  display_.PumpUntilIdle();
  const POINT pointer{work.right - 20, work.bottom - 15};  // host (100, 55): tool A
  MoveTo(pointer.x, pointer.y);
  Advance(kDoubleClickMs);
  ASSERT_TRUE(Visible(tip_));
  const RECT r = TipRect();
  EXPECT_EQ(r.right, work.right) << "moved left to stay on the screen";
  EXPECT_EQ(r.bottom, pointer.y) << "above the pointer when there is no room below";
}

TEST_F(Tooltip, ToolMessages) {
  EXPECT_EQ(SendMessageA(tip_, TTM_GETTOOLCOUNT, 0, 0), 2);
  EXPECT_FALSE(AddTool(1, kToolB, "twice")) << "(hwnd, uId) names one tool";
  TOOLINFOA info = Info(1);
  char text[80];
  info.lpszText = text;
  ASSERT_TRUE(SendMessageA(tip_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)));
  EXPECT_EQ(std::string(text), Gbk("颜色：黑色"));
  EXPECT_EQ(info.rect.right, kToolA.right);
  info = Info(2);
  info.lpszText = text;
  ASSERT_TRUE(SendMessageA(tip_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)));
  EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACKA);
  info = Info(3);
  EXPECT_FALSE(SendMessageA(tip_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)));

  MoveTo(50, 30);
  Advance(kDoubleClickMs);
  const LONG width = TipRect().right - TipRect().left;
  std::string longer = Gbk("颜色：黑色，还有更多的字");
  info = Info(1);
  info.lpszText = longer.data();
  SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_GT(TipRect().right - TipRect().left, width) << "the tip on screen follows its text";

  info = Info(1);
  info.rect = {300, 10, 350, 60};
  SendMessageA(tip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
  Advance(100);
  EXPECT_FALSE(Visible(tip_)) << "the tool moved away from the pointer";

  const LONG_PTR subclassed = GetWindowLongPtrA(host_.hwnd(), GWLP_WNDPROC);
  info = Info(1);
  SendMessageA(tip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(GetWindowLongPtrA(host_.hwnd(), GWLP_WNDPROC), subclassed) << "tool 2 still needs it";
  info = Info(2);
  SendMessageA(tip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(SendMessageA(tip_, TTM_GETTOOLCOUNT, 0, 0), 0);
  EXPECT_NE(GetWindowLongPtrA(host_.hwnd(), GWLP_WNDPROC), subclassed) << "the host's own again";
}

TEST_F(Tooltip, DelaysActivationAndPopping) {
  SendMessageA(tip_, TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(1000, 0));
  EXPECT_EQ(SendMessageA(tip_, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 1000);
  EXPECT_EQ(SendMessageA(tip_, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 10000);
  EXPECT_EQ(SendMessageA(tip_, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 200);
  SendMessageA(tip_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(50, 0));
  SendMessageA(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(static_cast<WORD>(-1), 0));
  EXPECT_EQ(SendMessageA(tip_, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 10 * GetDoubleClickTime());

  SendMessageA(tip_, TTM_ACTIVATE, FALSE, 0);
  MoveTo(50, 30);
  Advance(50);
  EXPECT_FALSE(Visible(tip_)) << "an inactive tooltip shows nothing";
  SendMessageA(tip_, TTM_ACTIVATE, TRUE, 0);
  MoveTo(51, 30);
  Advance(50);
  ASSERT_TRUE(Visible(tip_));
  SendMessageA(tip_, TTM_POP, 0, 0);
  EXPECT_FALSE(Visible(tip_));
  EXPECT_EQ(Heard(TTN_POP), 1u);
}

TEST_F(Tooltip, RelayedMessagesWithoutSubclassing) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "TooltipPane";
  RegisterClassA(&wc);
  HWND pane = host_.Add("TooltipPane", "", 0, {20, 150, 120, 200}, 5);
  std::string text = "pane";
  TOOLINFOA info = Info(reinterpret_cast<UINT_PTR>(pane));
  info.uFlags = TTF_IDISHWND;  // the whole window; the program relays
  info.lpszText = text.data();
  ASSERT_TRUE(SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
  display_.MoveMouse(70, 170);
  MSG msg{pane, WM_MOUSEMOVE, 0, MAKELPARAM(50, 20), 0, {70, 170}};
  SendMessageA(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
  Advance(kDoubleClickMs);
  EXPECT_TRUE(Visible(tip_));
  DestroyWindow(pane);
  UnregisterClassA("TooltipPane", nullptr);
  Advance(100);
  EXPECT_FALSE(Visible(tip_)) << "the tool's window is gone";
}

TEST_F(Tooltip, PrefixesTabsAndWrapping) {
  HWND plain = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                               0, 0, 0, host_.hwnd(), nullptr, nullptr, nullptr);
  std::string text = "a&&b c&d\tafter the tab";
  for (HWND t : {tip_, plain}) {
    TOOLINFOA info = Info(7);
    info.uFlags = TTF_SUBCLASS;
    info.rect = {10, 100, 110, 150};
    info.lpszText = text.data();
    SendMessageA(t, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
  MoveTo(50, 120);
  Advance(kDoubleClickMs);
  ASSERT_TRUE(Visible(tip_) && Visible(plain));
  RECT with_prefix, without;
  GetWindowRect(tip_, &with_prefix);
  GetWindowRect(plain, &without);
  EXPECT_GT(with_prefix.right - with_prefix.left, 2 * (without.right - without.left))
      << "without TTS_NOPREFIX the text ends at the tab and loses its '&' marks";
  EXPECT_EQ(with_prefix.bottom - with_prefix.top, without.bottom - without.top);

  EXPECT_EQ(SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, 40), -1);
  MoveTo(50, 200);
  MoveTo(50, 120);
  Advance(kDoubleClickMs);
  RECT wrapped;
  GetWindowRect(tip_, &wrapped);
  EXPECT_GT(wrapped.bottom - wrapped.top, 2 * (with_prefix.bottom - with_prefix.top) - 8)
      << "a maximum width wraps the text";
  EXPECT_LT(wrapped.right - wrapped.left, with_prefix.right - with_prefix.left);
}

// MIENZO_SCREENSHOT_DIR keeps a picture of an edit box with its spin button
// and a tip over it.
TEST(TooltipScreenshot, EditWithSpinAndTip) {
  ScreenSettings screen;
  screen.width = 360;
  screen.height = 170;
  screen.work_area = {0, 0, 360, 170};
  HeadlessDisplay display(ClockKind::kVirtual, screen);
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = "SpinShowcase";
  RegisterClassA(&wc);
  HWND frame =
      CreateWindowExA(0, "SpinShowcase", Gbk("数量").c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                      10, 330, 140, nullptr, nullptr, nullptr, nullptr);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                              20, 20, 120, 22, frame, nullptr, nullptr, nullptr);
  SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  HWND spin = CreateWindowExA(
      0, UPDOWN_CLASSA, "",
      WS_CHILD | WS_VISIBLE | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0,
      0, 18, 0, frame, nullptr, nullptr, nullptr);
  SendMessageA(spin, UDM_SETRANGE32, 0, 100);
  // Painted first: an EDIT that repaints at once on a new text would
  // otherwise be painted over by the frame, which does not clip children.
  display.PumpUntilIdle();
  SendMessageA(spin, UDM_SETPOS32, 0, 42);
  HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, frame, nullptr,
                             nullptr, nullptr);
  std::string text = Gbk("输入数量（0 到 100），或按上下箭头调整");
  TOOLINFOA info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = frame;
  info.uId = reinterpret_cast<UINT_PTR>(edit);
  info.lpszText = text.data();
  ASSERT_TRUE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
  display.PumpUntilIdle();
  POINT over{60, 10};
  ClientToScreen(edit, &over);
  display.MoveMouse(over.x, over.y);
  display.PumpUntilIdle();
  display.AdvanceTime(GetDoubleClickTime());
  display.PumpUntilIdle();
  EXPECT_TRUE(IsWindowVisible(tip));
  EXPECT_EQ(GetWindowTextLengthA(edit), 2);
  if (const char* keep = std::getenv("MIENZO_SCREENSHOT_DIR")) {
    ASSERT_TRUE(display.SaveScreenshot(std::string(keep) + "/controls-updown-tooltip.png"));
  }
  DestroyWindow(tip);
  DestroyWindow(frame);
  UnregisterClassA("SpinShowcase", nullptr);
}

}  // namespace
}  // namespace platform
