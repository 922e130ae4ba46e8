// Update regions, WM_PAINT generation and what window DCs may draw on.
#include <thread>

#include "platform/user/test_support.h"
#include "tests/support/paint_solid.h"

namespace platform::user::testing {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

uint32_t Pixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

class Painting : public ::testing::Test {
 protected:
  void SetUp() override {
    recorder_.On(WM_PAINT, [this](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
      auto it = colors_.find(hwnd);
      if (it != colors_.end()) {
        testing_support::PaintClientSolid(hwnd, it->second);
      } else {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
      }
      return 0;
    });
  }

  HeadlessDisplay display_;
  Recorder recorder_;
  std::map<HWND, COLORREF> colors_;
};

TEST_F(Painting, PaintComesOnlyWhenNothingElseWaits) {
  HWND top = recorder_.Create(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  display_.PumpUntilIdle();
  InvalidateRect(top, nullptr, TRUE);
  PostMessageA(top, WM_USER, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT)) << "not removed until painted";
  DispatchMessageA(&msg);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Painting, BeginPaintSendsFramePaintThenErase) {
  HWND top = recorder_.Create(WS_OVERLAPPEDWINDOW, 0, 0, 200, 100);
  ShowWindow(top, SW_SHOW);
  recorder_.Clear();
  display_.PumpUntilIdle();
  EXPECT_MESSAGES(recorder_.Messages(top), WM_PAINT, WM_NCPAINT, WM_ERASEBKGND);
  RECT update;
  EXPECT_FALSE(GetUpdateRect(top, &update, FALSE));
}

TEST_F(Painting, UpdateRegionCoversOnlyWhatWasInvalidated) {
  HWND top = recorder_.Create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  display_.PumpUntilIdle();
  RECT part{10, 20, 30, 40};
  InvalidateRect(top, &part, FALSE);
  RECT more{50, 50, 60, 60};
  InvalidateRect(top, &more, FALSE);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(top, &update, FALSE));
  EXPECT_EQ(update.left, 10);
  EXPECT_EQ(update.bottom, 60);
  ValidateRect(top, nullptr);
  EXPECT_FALSE(GetUpdateRect(top, &update, FALSE));
}

TEST_F(Painting, SiblingsAndChildrenClipEachOther) {
  HWND top = recorder_.Create(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 100);
  HWND a = recorder_.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 10, 50, 50, top);
  HWND b = recorder_.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 30, 30, 50, 50, top);
  colors_[a] = kRed;
  colors_[b] = kBlue;
  display_.PumpUntilIdle();
  EXPECT_EQ(display_.ScreenPixel(20, 20), Pixel(kRed));
  EXPECT_EQ(display_.ScreenPixel(40, 40), Pixel(kBlue)) << "b was created later, so it is on top";
  EXPECT_EQ(display_.ScreenPixel(75, 75), Pixel(kBlue));
  EXPECT_EQ(display_.ScreenPixel(5, 5), Pixel(GetSysColor(COLOR_WINDOW)));
  // Repainting a alone must not paint over b.
  InvalidateRect(a, nullptr, TRUE);
  display_.PumpUntilIdle();
  EXPECT_EQ(display_.ScreenPixel(40, 40), Pixel(kBlue));
  // The parent clips its children: drawing on all of it leaves them alone.
  HDC dc = GetDC(top);
  HBRUSH green = CreateSolidBrush(kGreen);
  RECT all{0, 0, 100, 100};
  FillRect(dc, &all, green);
  ReleaseDC(top, dc);
  EXPECT_EQ(display_.ScreenPixel(5, 5), Pixel(kGreen));
  EXPECT_EQ(display_.ScreenPixel(20, 20), Pixel(kRed));
  // Without WS_CLIPCHILDREN the same drawing covers them.
  SetWindowLongPtrA(top, GWL_STYLE, GetWindowLongPtrA(top, GWL_STYLE) & ~WS_CLIPCHILDREN);
  dc = GetDC(top);
  FillRect(dc, &all, green);
  ReleaseDC(top, dc);
  DeleteObject(green);
  EXPECT_EQ(display_.ScreenPixel(20, 20), Pixel(kGreen));
}

TEST_F(Painting, MovingAChildRepaintsWhatItUncovered) {
  HWND top = recorder_.Create(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 100);
  HWND a = recorder_.Create(WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, top);
  colors_[top] = kGreen;
  colors_[a] = kRed;
  display_.PumpUntilIdle();
  EXPECT_EQ(display_.ScreenPixel(15, 15), Pixel(kRed));
  MoveWindow(a, 60, 60, 20, 20, TRUE);
  display_.PumpUntilIdle();
  EXPECT_EQ(display_.ScreenPixel(15, 15), Pixel(kGreen));
  EXPECT_EQ(display_.ScreenPixel(65, 65), Pixel(kRed));
  ShowWindow(a, SW_HIDE);
  display_.PumpUntilIdle();
  EXPECT_EQ(display_.ScreenPixel(65, 65), Pixel(kGreen));
}

TEST_F(Painting, TimersFireOnceWhenDueOnTheVirtualClock) {
  HWND top = recorder_.Create(WS_POPUP, 0, 0, 10, 10);
  SetTimer(top, 7, 100, nullptr);
  auto timers = [&] {
    int count = 0;
    for (const Recorded& r : recorder_.all()) count += r.message == WM_TIMER && r.wparam == 7;
    return count;
  };
  display_.AdvanceTime(99);
  display_.PumpUntilIdle();
  EXPECT_EQ(timers(), 0);
  display_.AdvanceTime(1);
  display_.PumpUntilIdle();
  EXPECT_EQ(timers(), 1);
  display_.AdvanceTime(350);  // late: one message, not three
  display_.PumpUntilIdle();
  EXPECT_EQ(timers(), 2);
  KillTimer(top, 7);
  display_.AdvanceTime(500);
  display_.PumpUntilIdle();
  EXPECT_EQ(timers(), 2);
}

int g_thread_timer_calls = 0;
void CountThreadTimer(HWND window, UINT message, UINT_PTR, DWORD) {
  if (window == nullptr && message == WM_TIMER) ++g_thread_timer_calls;
}

TEST_F(Painting, ThreadTimersCallTheirProcedure) {
  g_thread_timer_calls = 0;
  const UINT_PTR id = SetTimer(nullptr, 0, 50, CountThreadTimer);
  ASSERT_NE(id, 0u);
  display_.AdvanceTime(50);
  display_.PumpUntilIdle();
  EXPECT_EQ(g_thread_timer_calls, 1) << "a timer without a window still runs its procedure";
  KillTimer(nullptr, id);
  display_.AdvanceTime(100);
  display_.PumpUntilIdle();
  EXPECT_EQ(g_thread_timer_calls, 1);
}

TEST_F(Painting, OtherThreadsSendAndPostToTheWindowsThread) {
  HWND top = recorder_.Create(WS_POPUP, 0, 0, 10, 10);
  recorder_.On(WM_USER,
               [](HWND, WPARAM wp, LPARAM) -> LRESULT { return static_cast<LRESULT>(wp * 2); });
  LRESULT answer = 0;
  std::thread sender([&] {
    answer = SendMessageA(top, WM_USER, 21, 0);
    PostMessageA(top, WM_USER + 1, 0, 0);
  });
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0)) {
    if (msg.message == WM_USER + 1) break;
    DispatchMessageA(&msg);
  }
  sender.join();
  EXPECT_EQ(answer, 42);
}

}  // namespace
}  // namespace platform::user::testing
