// The msctls_updown32 control on the headless display: clicks and keys
// step the position through the parent's UDN_DELTAPOS and WM_VSCROLL, the
// buddy shows it, holding an arrow repeats on the virtual clock, and the
// UDM_ messages keep Win32's packing.
#include "platform/controls/up_down.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/display/headless.h"
#include "platform/win32.h"
#include "tests/support/control_host.h"

namespace platform {
namespace {

using testing_support::ControlHost;
using testing_support::Heard;

constexpr int kSpinId = 9;
constexpr RECT kEditAt{20, 20, 120, 42};
constexpr int kSpinWidth = 16;
// After UDS_ALIGNRIGHT the spin covers x 104..120 of the edit's old place.
constexpr POINT kUpArrow{112, 25};
constexpr POINT kDownArrow{112, 37};

std::string TextOf(HWND hwnd) {
  char buffer[64] = {};
  GetWindowTextA(hwnd, buffer, sizeof buffer);
  return buffer;
}

RECT RectInParent(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class UpDown : public ::testing::Test {
 protected:
  // An edit with a spin button aligned to its right, range 0..100 at 5.
  void Make(DWORD extra_style = 0) {
    edit_ = host_.Add("Edit", "", ES_AUTOHSCROLL, kEditAt, 1, WS_EX_CLIENTEDGE);
    spin_ =
        host_.Add(UPDOWN_CLASSA, "", UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | extra_style,
                  {0, 0, kSpinWidth, 10}, kSpinId);
    SendMessageA(spin_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0);
    SendMessageA(spin_, UDM_SETRANGE32, 0, 100);
    SendMessageA(spin_, UDM_SETPOS32, 0, 5);
    display_.PumpUntilIdle();
    host_.heard.clear();
  }
  void Click(POINT at) {
    display_.Click(at.x, at.y);
    display_.PumpUntilIdle();
  }
  int Pos() { return static_cast<int>(SendMessageA(spin_, UDM_GETPOS32, 0, 0)); }
  // The steps the parent was asked about, as their deltas.
  std::vector<int> Deltas() {
    std::vector<int> out;
    for (const Heard& h : host_.Of(WM_NOTIFY, UDN_DELTAPOS)) out.push_back(h.delta);
    return out;
  }
  void Advance(uint64_t ms) {
    display_.AdvanceTime(ms);
    display_.PumpUntilIdle();
  }

  HeadlessDisplay display_;
  ControlHost host_;
  HWND edit_ = nullptr;
  HWND spin_ = nullptr;
};

TEST_F(UpDown, UpArrowAsksTheParentThenMovesAndScrolls) {
  Make();
  Click(kUpArrow);
  ASSERT_EQ(host_.heard.size(), 3u);
  const Heard& ask = host_.heard[0];
  EXPECT_EQ(ask.message, static_cast<UINT>(WM_NOTIFY));
  EXPECT_EQ(ask.code, UDN_DELTAPOS);
  EXPECT_EQ(ask.from, spin_);
  EXPECT_EQ(ask.id, static_cast<UINT_PTR>(kSpinId));
  EXPECT_EQ(ask.pos, 5) << "iPos is the position before the step";
  EXPECT_EQ(ask.delta, 1);
  const Heard& scroll = host_.heard[1];
  EXPECT_EQ(scroll.message, static_cast<UINT>(WM_VSCROLL));
  EXPECT_EQ(scroll.code, static_cast<UINT>(SB_THUMBPOSITION));
  EXPECT_EQ(scroll.pos, 6);
  EXPECT_EQ(scroll.from, spin_);
  EXPECT_EQ(host_.heard[2].code, static_cast<UINT>(SB_ENDSCROLL)) << "on release";
  EXPECT_EQ(TextOf(edit_), "6");
  EXPECT_EQ(SendMessageA(spin_, UDM_GETPOS, 0, 0), MAKELONG(6, 0));
  EXPECT_EQ(GetFocus(), edit_) << "a click puts the focus in the buddy";
  DWORD start = 1, end = 0;
  SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 1u) << "the number is left selected";
  Click(kDownArrow);
  Click(kDownArrow);
  EXPECT_EQ(Pos(), 4);
  EXPECT_EQ(Deltas(), (std::vector<int>{1, -1, -1}));
}

TEST_F(UpDown, ParentRefusesOrChangesTheStep) {
  Make();
  host_.on_notify = [](NMHDR*) -> LRESULT { return 1; };
  Click(kUpArrow);
  EXPECT_EQ(Pos(), 5);
  EXPECT_EQ(TextOf(edit_), "5");
  ASSERT_EQ(host_.Of(WM_VSCROLL, SB_THUMBPOSITION).size(), 1u) << "the scroll is sent anyway";
  EXPECT_EQ(host_.Of(WM_VSCROLL, SB_THUMBPOSITION)[0].pos, 5);
  host_.on_notify = [](NMHDR* header) -> LRESULT {
    reinterpret_cast<NMUPDOWN*>(header)->iDelta = 3;
    return 0;
  };
  Click(kUpArrow);
  EXPECT_EQ(Pos(), 8) << "the parent's step is taken";
}

TEST_F(UpDown, StopsAtTheEndsOrWrapsAround) {
  Make();
  SendMessageA(spin_, UDM_SETPOS32, 0, 100);
  Click(kUpArrow);
  EXPECT_EQ(Pos(), 100);
  EXPECT_EQ(TextOf(edit_), "100");
  SendMessageA(spin_, UDM_SETPOS32, 0, 0);
  Click(kDownArrow);
  EXPECT_EQ(Pos(), 0);

  SetWindowLongA(spin_, GWL_STYLE, GetWindowLongA(spin_, GWL_STYLE) | UDS_WRAP);
  Click(kDownArrow);
  EXPECT_EQ(Pos(), 100) << "below the minimum wraps to the maximum";
  Click(kUpArrow);
  EXPECT_EQ(Pos(), 0) << "above the maximum wraps to the minimum";
  EXPECT_EQ(TextOf(edit_), "0");
}

TEST_F(UpDown, ReversedRangeCountsDownWithTheUpArrow) {
  Make();
  SendMessageA(spin_, UDM_SETRANGE, 0, MAKELPARAM(0, 10));  // max 0, min 10
  int min = -1, max = -1;
  SendMessageA(spin_, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&min),
               reinterpret_cast<LPARAM>(&max));
  EXPECT_EQ(min, 10);
  EXPECT_EQ(max, 0);
  Click(kUpArrow);
  EXPECT_EQ(Pos(), 4);
  Click(kDownArrow);
  Click(kDownArrow);
  EXPECT_EQ(Pos(), 6);
  EXPECT_EQ(Deltas(), (std::vector<int>{-1, 1, 1}));
}

TEST_F(UpDown, ArrowKeysInTheBuddyStep) {
  Make();
  SetFocus(edit_);
  display_.Key(VK_UP);
  display_.PumpUntilIdle();
  EXPECT_EQ(TextOf(edit_), "6");
  EXPECT_EQ(host_.Of(WM_VSCROLL, SB_ENDSCROLL).size(), 1u) << "the key's release ends it";
  display_.KeyDown(VK_DOWN);
  display_.KeyDown(VK_DOWN);  // the keyboard repeats
  display_.KeyUp(VK_DOWN);
  display_.PumpUntilIdle();
  EXPECT_EQ(Pos(), 4);
  EXPECT_EQ(Deltas(), (std::vector<int>{1, -1, -1}));

  SetWindowLongA(spin_, GWL_STYLE, GetWindowLongA(spin_, GWL_STYLE) & ~UDS_ARROWKEYS);
  display_.Key(VK_UP);
  display_.PumpUntilIdle();
  EXPECT_EQ(Pos(), 4) << "without UDS_ARROWKEYS the keys stay the edit's";
}

TEST_F(UpDown, HoldingAnArrowRepeatsAndSpeedsUp) {
  Make();
  SendMessageA(spin_, UDM_SETRANGE32, 0, 1000);
  display_.MoveMouse(kUpArrow.x, kUpArrow.y);
  display_.Press();
  display_.PumpUntilIdle();
  EXPECT_EQ(Deltas().size(), 1u);
  Advance(499);
  EXPECT_EQ(Deltas().size(), 1u) << "the first repeat waits half a second";
  Advance(1);
  EXPECT_EQ(Deltas().size(), 2u);
  for (int t = 600; t < 2000; t += 100) Advance(100);
  EXPECT_EQ(Deltas().back(), 1) << "steps of 1 for two seconds";
  Advance(100);
  EXPECT_EQ(Deltas().back(), 5) << "then steps of 5";
  const size_t steps = Deltas().size();

  display_.MoveMouse(kDownArrow.x, kDownArrow.y);  // off the held arrow
  display_.PumpUntilIdle();
  Advance(100);
  EXPECT_EQ(Deltas().size(), steps) << "no repeat while the pointer is off the arrow";
  display_.Release();
  display_.PumpUntilIdle();
  EXPECT_EQ(host_.Of(WM_VSCROLL, SB_ENDSCROLL).size(), 1u);
  Advance(1000);
  EXPECT_EQ(Deltas().size(), steps);
  EXPECT_EQ(TextOf(edit_), std::to_string(Pos()));
}

TEST_F(UpDown, RangeMessagesKeepTheirPacking) {
  HWND spin = host_.Add(UPDOWN_CLASSA, "", 0, {0, 0, 16, 20}, kSpinId);
  EXPECT_EQ(SendMessageA(spin, UDM_GETRANGE, 0, 0), MAKELONG(0, 100)) << "Win32 starts at 100..0";
  SendMessageA(spin, UDM_SETRANGE, 0, MAKELPARAM(100, static_cast<WORD>(-5)));
  int min = 0, max = 0;
  SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&min),
               reinterpret_cast<LPARAM>(&max));
  EXPECT_EQ(min, -5);
  EXPECT_EQ(max, 100);
  EXPECT_EQ(SendMessageA(spin, UDM_GETRANGE, 0, 0), MAKELONG(100, static_cast<WORD>(-5)));
  SendMessageA(spin, UDM_SETPOS32, 0, 90);
  SendMessageA(spin, UDM_SETRANGE32, 0, 50);
  EXPECT_EQ(SendMessageA(spin, UDM_GETPOS32, 0, 0), 50) << "a narrower range takes the position";
  SendMessageA(spin, UDM_SETRANGE32, static_cast<WPARAM>(-100000), 100000);
  EXPECT_EQ(SendMessageA(spin, UDM_SETPOS32, 0, 70000), 50) << "returns the old position";
  EXPECT_EQ(SendMessageA(spin, UDM_SETPOS32, 0, 200000), 70000);
  EXPECT_EQ(SendMessageA(spin, UDM_GETPOS32, 0, 0), 100000) << "clamped to the range";
}

TEST_F(UpDown, GetPosReadsTheBuddyAndReportsErrors) {
  HWND alone = host_.Add(UPDOWN_CLASSA, "", UDS_SETBUDDYINT, {200, 0, 216, 20}, 2);
  SendMessageA(alone, UDM_SETRANGE32, 0, 100);
  SendMessageA(alone, UDM_SETPOS, 0, 7);
  EXPECT_EQ(SendMessageA(alone, UDM_GETPOS, 0, 0), MAKELONG(7, 1)) << "no buddy: an error";
  BOOL error = FALSE;
  EXPECT_EQ(SendMessageA(alone, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)), 7);
  EXPECT_TRUE(error);

  Make();
  SetWindowTextA(edit_, "42");
  EXPECT_EQ(SendMessageA(spin_, UDM_GETPOS, 0, 0), MAKELONG(42, 0)) << "typed text is read";
  EXPECT_EQ(SendMessageA(spin_, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)), 42);
  EXPECT_FALSE(error);
  for (const char* bad : {"4x", "", "-", "101", "99999999999"}) {
    SetWindowTextA(edit_, bad);
    EXPECT_EQ(SendMessageA(spin_, UDM_GETPOS, 0, 0), MAKELONG(42, 1)) << "'" << bad << "'";
  }
  SetWindowTextA(edit_, "17");
  Click(kUpArrow);
  EXPECT_EQ(TextOf(edit_), "18") << "stepping starts from the typed number";
  SetWindowLongA(spin_, GWL_STYLE, GetWindowLongA(spin_, GWL_STYLE) & ~UDS_SETBUDDYINT);
  EXPECT_EQ(SendMessageA(spin_, UDM_GETPOS, 0, 0), MAKELONG(18, 1))
      << "without UDS_SETBUDDYINT: the position with the error flag";
}

TEST_F(UpDown, BuddyTextInDecimalAndHexadecimal) {
  Make();
  SendMessageA(spin_, UDM_SETRANGE32, static_cast<WPARAM>(-2000000), 2000000);
  SendMessageA(spin_, UDM_SETPOS32, 0, -1234567);
  EXPECT_EQ(TextOf(edit_), "-1,234,567");
  EXPECT_EQ(SendMessageA(spin_, UDM_GETPOS32, 0, 0), -1234567) << "separators read back";
  EXPECT_EQ(SendMessageA(spin_, UDM_SETBASE, 16, 0), 10);
  EXPECT_EQ(TextOf(edit_), "0xFFED2979");
  EXPECT_EQ(SendMessageA(spin_, UDM_GETPOS32, 0, 0), -1234567);
  SendMessageA(spin_, UDM_SETPOS32, 0, 26);
  EXPECT_EQ(TextOf(edit_), "0x001A");
  EXPECT_EQ(SendMessageA(spin_, UDM_SETBASE, 8, 0), 0) << "only 10 and 16";
  EXPECT_EQ(SendMessageA(spin_, UDM_GETBASE, 0, 0), 16);
  SendMessageA(spin_, UDM_SETBASE, 10, 0);
  SetWindowLongA(spin_, GWL_STYLE, GetWindowLongA(spin_, GWL_STYLE) | UDS_NOTHOUSANDS);
  SendMessageA(spin_, UDM_SETPOS32, 0, 12345);
  EXPECT_EQ(TextOf(edit_), "12345");
}

TEST(UpDownText, ParsesOnlyWholeNumbers) {
  using controls::updown::ParsePosition;
  EXPECT_EQ(ParsePosition("  -12", 10, false), -12);
  EXPECT_EQ(ParsePosition("1,000", 10, false), 1000);
  EXPECT_EQ(ParsePosition("1,000", 10, true), std::nullopt) << "UDS_NOTHOUSANDS";
  EXPECT_EQ(ParsePosition(",1", 10, false), std::nullopt);
  EXPECT_EQ(ParsePosition("12 ", 10, false), std::nullopt);
  EXPECT_EQ(ParsePosition("2147483648", 10, false), std::nullopt);
  EXPECT_EQ(ParsePosition("-2147483648", 10, false), INT32_MIN);
  EXPECT_EQ(ParsePosition("0x7fffffff", 16, false), INT32_MAX);
  EXPECT_EQ(ParsePosition("0xFFFFFFFF", 16, false), -1);
  EXPECT_EQ(ParsePosition("0x100000000", 16, false), std::nullopt);
  EXPECT_EQ(ParsePosition("0x", 16, false), std::nullopt);
}

TEST_F(UpDown, AlignsBesideItsBuddy) {
  Make();
  RECT edit = RectInParent(edit_), spin = RectInParent(spin_);
  EXPECT_EQ(edit.left, kEditAt.left);
  EXPECT_EQ(edit.right, kEditAt.right - kSpinWidth) << "the buddy gives up the spin's width";
  EXPECT_EQ(spin.left, edit.right);
  EXPECT_EQ(spin.right, kEditAt.right);
  EXPECT_EQ(spin.top, kEditAt.top);
  EXPECT_EQ(spin.bottom, kEditAt.bottom) << "the spin takes the buddy's height";

  HWND other = host_.Add("Edit", "", 0, {20, 60, 120, 80}, 3);
  HWND left = host_.Add(UPDOWN_CLASSA, "", UDS_ALIGNLEFT | UDS_AUTOBUDDY, {0, 0, 12, 5}, 4);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(left, UDM_GETBUDDY, 0, 0)), other)
      << "UDS_AUTOBUDDY takes the sibling made just before";
  edit = RectInParent(other);
  spin = RectInParent(left);
  EXPECT_EQ(spin.left, 20);
  EXPECT_EQ(spin.right, 32);
  EXPECT_EQ(edit.left, 32);
  EXPECT_EQ(edit.right, 120);
}

TEST_F(UpDown, AccelerationTable) {
  Make();
  UDACCEL table[4] = {};
  ASSERT_EQ(SendMessageA(spin_, UDM_GETACCEL, 4, reinterpret_cast<LPARAM>(table)), 3);
  EXPECT_EQ(table[1].nSec, 2u);
  EXPECT_EQ(table[1].nInc, 5u);
  EXPECT_EQ(table[2].nSec, 5u);
  EXPECT_EQ(table[2].nInc, 20u);
  const UDACCEL tens[] = {{0, 10}};
  EXPECT_EQ(SendMessageA(spin_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(tens)), TRUE);
  EXPECT_EQ(SendMessageA(spin_, UDM_SETACCEL, 0, reinterpret_cast<LPARAM>(tens)), FALSE);
  EXPECT_EQ(SendMessageA(spin_, UDM_GETACCEL, 0, 0), 1);
  Click(kUpArrow);
  EXPECT_EQ(Pos(), 15);
}

TEST_F(UpDown, HorizontalArrowsSendHScroll) {
  HWND spin = host_.Add(UPDOWN_CLASSA, "", UDS_HORZ, {200, 20, 232, 36}, kSpinId);
  SendMessageA(spin, UDM_SETRANGE32, 0, 10);
  display_.PumpUntilIdle();
  Click({224, 28});  // right half: toward the maximum
  Click({224, 28});
  Click({208, 28});
  EXPECT_EQ(SendMessageA(spin, UDM_GETPOS32, 0, 0), 1);
  ASSERT_EQ(host_.Of(WM_HSCROLL, SB_THUMBPOSITION).size(), 3u);
  EXPECT_TRUE(host_.Of(WM_VSCROLL, SB_THUMBPOSITION).empty());
}

// The arrows are DrawFrameControl's: compared pixel for pixel with the same
// call on a memory bitmap.
class UpDownPaint : public UpDown {
 protected:
  std::vector<uint32_t> Expected(int w, int h, UINT state) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT r{0, 0, w, h};
    DrawFrameControl(dc, &r, DFC_SCROLL, state);
    std::vector<uint32_t> out(static_cast<const uint32_t*>(bits),
                              static_cast<const uint32_t*>(bits) + w * h);
    for (uint32_t& p : out) p &= 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return out;
  }
  std::vector<uint32_t> Screen(RECT r) {
    std::vector<uint32_t> out;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) out.push_back(display_.ScreenPixel(x, y));
    }
    return out;
  }
};

TEST_F(UpDownPaint, ArrowsPushedAndDisabled) {
  HWND spin = host_.Add(UPDOWN_CLASSA, "", 0, {200, 20, 214, 41}, kSpinId);
  display_.PumpUntilIdle();
  const RECT up{200, 20, 214, 30}, down{200, 30, 214, 41};  // the odd pixel goes down
  EXPECT_EQ(Screen(up), Expected(14, 10, DFCS_SCROLLUP));
  EXPECT_EQ(Screen(down), Expected(14, 11, DFCS_SCROLLDOWN));
  display_.MoveMouse(207, 35);
  display_.Press();
  display_.PumpUntilIdle();
  EXPECT_EQ(Screen(down), Expected(14, 11, DFCS_SCROLLDOWN | DFCS_PUSHED));
  EXPECT_EQ(Screen(up), Expected(14, 10, DFCS_SCROLLUP));
  display_.Release();
  display_.PumpUntilIdle();
  EXPECT_EQ(Screen(down), Expected(14, 11, DFCS_SCROLLDOWN));
  EnableWindow(spin, FALSE);
  display_.PumpUntilIdle();
  EXPECT_EQ(Screen(up), Expected(14, 10, DFCS_SCROLLUP | DFCS_INACTIVE));
  EXPECT_EQ(Screen(down), Expected(14, 11, DFCS_SCROLLDOWN | DFCS_INACTIVE));
}

TEST_F(UpDown, BuddyGetsItsProcedureBack) {
  Make();
  HWND other = host_.Add("Edit", "", 0, {20, 60, 120, 80}, 3);
  const LONG_PTR edit_proc = GetWindowLongPtrA(other, GWLP_WNDPROC);
  EXPECT_NE(GetWindowLongPtrA(edit_, GWLP_WNDPROC), edit_proc) << "the buddy is subclassed";
  EXPECT_EQ(SendMessageA(spin_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(other), 0),
            reinterpret_cast<LRESULT>(edit_));
  EXPECT_EQ(GetWindowLongPtrA(edit_, GWLP_WNDPROC), edit_proc);
  DestroyWindow(other);
  EXPECT_EQ(SendMessageA(spin_, UDM_GETBUDDY, 0, 0), 0) << "a destroyed buddy is forgotten";
  SendMessageA(spin_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0);
  DestroyWindow(spin_);
  EXPECT_EQ(GetWindowLongPtrA(edit_, GWLP_WNDPROC), edit_proc);
  SetFocus(edit_);
  display_.Key(VK_UP);  // must not reach the destroyed control
  display_.PumpUntilIdle();
}

TEST(CommonControls, InitCommonControlsExChecksItsSize) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
  EXPECT_TRUE(InitCommonControlsEx(&init));
  init.dwSize = 4;
  EXPECT_FALSE(InitCommonControlsEx(&init));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(InitCommonControlsEx(nullptr));
}

}  // namespace
}  // namespace platform
