// Scroll bars: the non-client area they take, their values and clamping,
// the requests the mouse makes of them, and how they look.
#include <climits>

#include "platform/user/test_support.h"

namespace platform::user::testing {
namespace {

uint32_t Pixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

RECT ClientOf(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return r;
}

class ScrollBar : public ::testing::Test {
 protected:
  // A 100 x 80 window at (100, 100) with a vertical bar: the bar is x 183..199
  // on screen, its arrows y 100..116 and 163..179, its track between.
  void SetUp() override {
    recorder_.On(WM_VSCROLL, [this](HWND, WPARAM wparam, LPARAM) -> LRESULT {
      if (on_scroll_) on_scroll_(wparam);
      return 0;
    });
    top_ = recorder_.Create(WS_POPUP | WS_VISIBLE | WS_VSCROLL, 100, 100, 100, 80);
    display_.PumpUntilIdle();
    recorder_.Clear();
  }

  // The requests (and positions) of the scroll messages `message` received.
  std::vector<std::pair<int, int>> Requests(UINT message = WM_VSCROLL, HWND hwnd = nullptr,
                                            LPARAM* lparam = nullptr) const {
    std::vector<std::pair<int, int>> requests;
    for (const Recorded& r : recorder_.all()) {
      if (r.message != message || (hwnd && r.hwnd != hwnd)) continue;
      requests.push_back({LOWORD(r.wparam), static_cast<int16_t>(HIWORD(r.wparam))});
      if (lparam) *lparam = r.lparam;
    }
    return requests;
  }

  std::vector<uint32_t> Pixels(int left, int top, int right, int bottom) const {
    std::vector<uint32_t> screen = display_.ComposeScreen();
    int width = display_.Screen().width;
    std::vector<uint32_t> pixels;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) pixels.push_back(screen[y * width + x]);
    }
    return pixels;
  }

  HeadlessDisplay display_;
  Recorder recorder_;
  HWND top_ = nullptr;
  std::function<void(WPARAM)> on_scroll_;
};

using Seen = std::vector<std::pair<int, int>>;

TEST_F(ScrollBar, ShownBarsTakeTheirWidthFromTheClientArea) {
  HWND both = recorder_.Create(WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, 0, 100, 80);
  EXPECT_EQ(ClientOf(both).right, 100 - 17);
  EXPECT_EQ(ClientOf(both).bottom, 80 - 17);
  ShowScrollBar(both, SB_VERT, FALSE);
  EXPECT_EQ(ClientOf(both).right, 100);
  EXPECT_FALSE(GetWindowLongA(both, GWL_STYLE) & WS_VSCROLL);
  SetScrollRange(both, SB_HORZ, 5, 5, TRUE);  // nothing to scroll: the bar goes
  EXPECT_EQ(ClientOf(both).bottom, 80);
  SCROLLINFO info{sizeof info, SIF_RANGE, 0, 50, 0, 0, 0};
  SetScrollInfo(both, SB_VERT, &info, TRUE);  // room to scroll: it comes back
  EXPECT_EQ(ClientOf(both).right, 83);
  info = {sizeof info, SIF_RANGE | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
  SetScrollInfo(both, SB_VERT, &info, TRUE);
  EXPECT_EQ(ClientOf(both).right, 83) << "SIF_DISABLENOSCROLL keeps it, disabled";
  ShowScrollBar(both, SB_BOTH, TRUE);
  EXPECT_EQ(ClientOf(both).bottom, 63);
  RECT adjusted{0, 0, 100, 80};
  AdjustWindowRectEx(&adjusted, WS_POPUP | WS_VSCROLL | WS_HSCROLL, FALSE, 0);
  EXPECT_EQ(adjusted.right, 100) << "AdjustWindowRectEx leaves scroll bars out, as Windows does";
  EXPECT_EQ(SendMessageA(top_, WM_NCHITTEST, 0, MAKELPARAM(190, 150)), HTVSCROLL);
  EXPECT_EQ(SendMessageA(top_, WM_NCHITTEST, 0, MAKELPARAM(180, 150)), HTCLIENT);
  EXPECT_EQ(SendMessageA(both, WM_NCHITTEST, 0, MAKELPARAM(40, 70)), HTHSCROLL);
}

TEST_F(ScrollBar, ValuesAreKeptWithinTheRange) {
  SCROLLINFO info{sizeof info, SIF_ALL, 0, 99, 10, 95, 0};
  EXPECT_EQ(SetScrollInfo(top_, SB_VERT, &info, TRUE), 90) << "pos <= max - page + 1";
  SCROLLINFO got{sizeof got, SIF_ALL, -1, -1, 0, -1, -1};
  ASSERT_TRUE(GetScrollInfo(top_, SB_VERT, &got));
  EXPECT_EQ(got.nMin, 0);
  EXPECT_EQ(got.nMax, 99);
  EXPECT_EQ(got.nPage, 10u);
  EXPECT_EQ(got.nPos, 90);
  EXPECT_EQ(got.nTrackPos, 90) << "not dragged: the position";
  info = {sizeof info, SIF_POS, 0, 0, 0, -5, 0};
  EXPECT_EQ(SetScrollInfo(top_, SB_VERT, &info, TRUE), 0);
  EXPECT_EQ(SetScrollPos(top_, SB_VERT, 42, TRUE), 0) << "returns the previous position";
  EXPECT_EQ(GetScrollPos(top_, SB_VERT), 42);
  info = {sizeof info, SIF_RANGE, 50, 10, 0, 0, 0};
  SetScrollInfo(top_, SB_VERT, &info, TRUE);
  int min = -1, max = -1;
  ASSERT_TRUE(GetScrollRange(top_, SB_VERT, &min, &max));
  EXPECT_EQ(min, 0) << "a reversed range is ignored";
  EXPECT_EQ(max, 99);
  info = {sizeof info, SIF_PAGE, 0, 0, 500, 0, 0};
  SetScrollInfo(top_, SB_VERT, &info, TRUE);
  ASSERT_TRUE(GetScrollInfo(top_, SB_VERT, &got));
  EXPECT_EQ(got.nPage, 100u) << "a page is at most the range";
  EXPECT_EQ(got.nPos, 0);
  EXPECT_FALSE(GetWindowLongA(top_, GWL_STYLE) & WS_VSCROLL) << "a whole page: nothing to scroll";

  EXPECT_FALSE(SetScrollRange(top_, SB_VERT, INT_MIN, INT_MAX, TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_SCROLLBAR_RANGE));
  info.cbSize = 12;
  EXPECT_EQ(SetScrollInfo(top_, SB_VERT, &info, TRUE), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  HWND plain = recorder_.Create(WS_POPUP, 0, 0, 10, 10);
  EXPECT_FALSE(GetScrollInfo(plain, SB_VERT, &got));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_SCROLLBARS));
  EXPECT_EQ(GetScrollPos(plain, SB_HORZ), 0);
}

TEST_F(ScrollBar, ArrowsAndTrackSendTheirRequestsThenEndScroll) {
  display_.Click(191, 170);
  display_.PumpUntilIdle();
  LPARAM lparam = -1;
  EXPECT_EQ(Requests(WM_VSCROLL, top_, &lparam), (Seen{{SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}}));
  EXPECT_EQ(lparam, 0) << "a window's own bar names no control";
  EXPECT_EQ(GetCapture(), nullptr);
  recorder_.Clear();
  display_.AdvanceTime(1000);  // not a double click
  display_.Click(191, 105);
  display_.AdvanceTime(1000);
  display_.Click(191, 150);  // the track below the thumb
  display_.PumpUntilIdle();
  EXPECT_EQ(Requests(),
            (Seen{{SB_LINEUP, 0}, {SB_ENDSCROLL, 0}, {SB_PAGEDOWN, 0}, {SB_ENDSCROLL, 0}}));
  recorder_.Clear();
  EXPECT_TRUE(EnableScrollBar(top_, SB_VERT, ESB_DISABLE_DOWN));
  EXPECT_FALSE(EnableScrollBar(top_, SB_VERT, ESB_DISABLE_DOWN)) << "already so";
  display_.Click(191, 170);
  display_.PumpUntilIdle();
  EXPECT_TRUE(Requests().empty()) << "a disabled arrow does nothing";
}

TEST_F(ScrollBar, AHeldArrowRepeatsAndLooksPressed) {
  std::vector<uint32_t> pressed_look;
  int lines = 0;
  on_scroll_ = [&](WPARAM wparam) {
    if (LOWORD(wparam) != SB_LINEDOWN) return;
    ++lines;
    if (lines == 1) pressed_look = Pixels(183, 163, 200, 180);
    if (lines < 4) display_.AdvanceTime(lines == 1 ? 200 : 50);
    if (lines == 4) display_.Release();
  };
  display_.MoveMouse(191, 170);
  display_.Press();
  display_.PumpUntilIdle();
  EXPECT_EQ(Requests(), (Seen{{SB_LINEDOWN, 0},
                              {SB_LINEDOWN, 0},
                              {SB_LINEDOWN, 0},
                              {SB_LINEDOWN, 0},
                              {SB_ENDSCROLL, 0}}));
  EXPECT_NE(pressed_look, Pixels(183, 163, 200, 180)) << "released, the arrow looks different";
}

TEST_F(ScrollBar, DraggingTheThumbSendsTrackPositions) {
  SetScrollRange(top_, SB_VERT, 0, 29, TRUE);  // one position a pixel: the track has 29 to spare
  std::vector<int> track_pos_seen;
  on_scroll_ = [&](WPARAM wparam) {
    if (LOWORD(wparam) != SB_THUMBTRACK) return;
    SCROLLINFO info{sizeof info, SIF_TRACKPOS | SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(top_, SB_VERT, &info);
    track_pos_seen.push_back(info.nTrackPos);
    EXPECT_EQ(info.nPos, 0) << "the position waits for the application";
    if (HIWORD(wparam) == 10) display_.MoveMouse(191, 160);
    if (HIWORD(wparam) == 29) display_.Release();
  };
  display_.MoveMouse(191, 120);  // 3 pixels into the thumb
  display_.Press();
  display_.MoveMouse(191, 130);
  display_.PumpUntilIdle();
  EXPECT_EQ(
      Requests(),
      (Seen{{SB_THUMBTRACK, 10}, {SB_THUMBTRACK, 29}, {SB_THUMBPOSITION, 29}, {SB_ENDSCROLL, 0}}));
  EXPECT_EQ(track_pos_seen, (std::vector<int>{10, 29}));
  EXPECT_EQ(GetScrollPos(top_, SB_VERT), 0) << "nobody set it";
}

TEST_F(ScrollBar, ArrowsTrackAndThumbArePainted) {
  auto dark = [&](int left, int top) {
    int count = 0;
    for (uint32_t p : Pixels(left, top, left + 17, top + 17)) count += p == 0x000000;
    return count;
  };
  EXPECT_GT(dark(183, 100), 0) << "the up arrow's glyph";
  EXPECT_GT(dark(183, 163), 0) << "the down arrow's glyph";
  EXPECT_NE(Pixels(183, 100, 200, 117), Pixels(183, 163, 200, 180)) << "they point both ways";
  const uint32_t face = Pixel(GetSysColor(COLOR_3DFACE));
  const uint32_t track = Pixel(GetSysColor(COLOR_SCROLLBAR));
  ASSERT_NE(face, track);
  EXPECT_EQ(display_.ScreenPixel(191, 125), face) << "the thumb, at the top of the track";
  EXPECT_EQ(display_.ScreenPixel(191, 150), track);
  // Moved by the application, the thumb is drawn at its new place.
  SetScrollPos(top_, SB_VERT, 100, TRUE);
  EXPECT_EQ(display_.ScreenPixel(191, 125), track);
  EXPECT_EQ(display_.ScreenPixel(191, 155), face);
  // With nothing to scroll but kept, the bar is all track.
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
  SetScrollInfo(top_, SB_VERT, &info, TRUE);
  display_.PumpUntilIdle();
  for (uint32_t p : Pixels(185, 118, 198, 162)) ASSERT_EQ(p, track);
}

TEST_F(ScrollBar, TheControlAnswersThroughSbCtlAndTellsItsParent) {
  HWND parent = recorder_.Create(WS_POPUP | WS_VISIBLE, 300, 300, 200, 100);
  HWND bar = CreateWindowExA(0, "SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_HORZ, 10, 10, 120,
                             17, parent, reinterpret_cast<HMENU>(5), nullptr, nullptr);
  ASSERT_NE(bar, nullptr);
  display_.PumpUntilIdle();
  int min = -1, max = -1;
  ASSERT_TRUE(GetScrollRange(bar, SB_CTL, &min, &max));
  EXPECT_EQ(max, 0) << "a control's range starts empty";
  EXPECT_TRUE(SetScrollRange(bar, SB_CTL, 0, 10, TRUE));
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, 3, TRUE), 0);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 3);
  SCROLLINFO info{sizeof info, SIF_PAGE | SIF_POS, 0, 0, 5, 9, 0};
  EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &info, TRUE), 6);
  EXPECT_EQ(display_.ScreenPixel(420 - 17 - 5, 318), Pixel(GetSysColor(COLOR_3DFACE)))
      << "the thumb sits at the right end of the track";
  recorder_.Clear();
  display_.Click(425, 318);  // the right arrow
  display_.PumpUntilIdle();
  LPARAM from = 0;
  EXPECT_EQ(Requests(WM_HSCROLL, parent, &from), (Seen{{SB_LINERIGHT, 0}, {SB_ENDSCROLL, 0}}));
  EXPECT_EQ(from, reinterpret_cast<LPARAM>(bar));
}

}  // namespace
}  // namespace platform::user::testing
