// The caret: drawn by inversion, blinking on the virtual clock, hidden
// around painting, one a thread, gone with its window.
#include "platform/user/test_support.h"

namespace platform::user::testing {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr int kLeft = 40;  // where the window's client area starts on screen
constexpr int kTop = 30;

class Caret : public ::testing::Test {
 protected:
  void SetUp() override {
    top_ = recorder_.Create(WS_POPUP | WS_VISIBLE, kLeft, kTop, 60, 40);
    display_.PumpUntilIdle();
    ASSERT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  }
  void TearDown() override { DestroyCaret(); }

  uint32_t At(int client_x, int client_y) const {
    return display_.ScreenPixel(kLeft + client_x, kTop + client_y);
  }
  void Blink(uint64_t ms) {
    display_.AdvanceTime(ms);
    display_.PumpUntilIdle();
  }

  HeadlessDisplay display_;
  Recorder recorder_;
  HWND top_ = nullptr;
};

TEST_F(Caret, BlinksByInvertingItsRectangleAndRestoresThePixels) {
  ASSERT_TRUE(CreateCaret(top_, nullptr, 2, 10));
  ASSERT_TRUE(SetCaretPos(5, 5));
  EXPECT_EQ(At(5, 5), kWhite) << "a new caret starts hidden";
  ASSERT_TRUE(ShowCaret(top_));
  EXPECT_EQ(At(5, 5), kBlack);
  EXPECT_EQ(At(6, 14), kBlack) << "2 x 10 pixels";
  EXPECT_EQ(At(7, 5), kWhite);
  EXPECT_EQ(At(5, 15), kWhite);
  EXPECT_EQ(GetCaretBlinkTime(), 530u);
  Blink(529);
  EXPECT_EQ(At(5, 5), kBlack) << "not yet";
  Blink(1);
  EXPECT_EQ(At(5, 5), kWhite) << "off after one period";
  Blink(530);
  EXPECT_EQ(At(5, 5), kBlack) << "on again";
  for (const Recorded& r : recorder_.all()) {
    EXPECT_NE(r.message, static_cast<UINT>(WM_TIMER)) << "the blink timer is the system's own";
  }
  ASSERT_TRUE(DestroyCaret());
  EXPECT_EQ(At(5, 5), kWhite) << "destroying a shown caret restores the pixels";
  EXPECT_FALSE(DestroyCaret());
}

TEST_F(Caret, HidingNestsAndStopsTheBlinking) {
  ASSERT_TRUE(CreateCaret(top_, nullptr, 3, 3));
  ShowCaret(top_);
  ASSERT_EQ(At(0, 0), kBlack);
  HideCaret(top_);
  HideCaret(nullptr);  // any window of the thread
  EXPECT_EQ(At(0, 0), kWhite);
  Blink(5000);
  EXPECT_EQ(At(0, 0), kWhite) << "a hidden caret does not blink";
  ShowCaret(top_);
  EXPECT_EQ(At(0, 0), kWhite) << "hidden twice: one ShowCaret is not enough";
  ShowCaret(top_);
  EXPECT_EQ(At(0, 0), kBlack);
  ShowCaret(top_);  // more shows than hides change nothing
  HideCaret(top_);
  EXPECT_EQ(At(0, 0), kWhite);
}

TEST_F(Caret, MovingShowsItAtOnceAndStartsThePeriodOver) {
  ASSERT_TRUE(CreateCaret(top_, nullptr, 1, 4));
  ShowCaret(top_);
  Blink(400);
  ASSERT_TRUE(SetCaretPos(20, 10));
  POINT pos{};
  ASSERT_TRUE(GetCaretPos(&pos));
  EXPECT_EQ(pos.x, 20);
  EXPECT_EQ(pos.y, 10);
  EXPECT_EQ(At(0, 0), kWhite) << "the old place is restored";
  EXPECT_EQ(At(20, 10), kBlack);
  Blink(300);
  EXPECT_EQ(At(20, 10), kBlack) << "700 ms since shown, but only 300 since moved";
  Blink(230);
  EXPECT_EQ(At(20, 10), kWhite);
}

TEST_F(Caret, ShapesGreyAndBitmapAndTheBorderWidth) {
  ASSERT_TRUE(CreateCaret(top_, reinterpret_cast<HBITMAP>(1), 0, 2));
  SetCaretPos(4, 4);
  ShowCaret(top_);
  EXPECT_EQ(At(4, 4), 0x7F7F7Fu) << "grey: white inverted with mid grey";
  EXPECT_EQ(At(5, 4), kWhite) << "width 0 takes SM_CXBORDER (1)";
  // A bitmap caret inverts where its bits are set, at the bitmap's own size.
  const BYTE rows[] = {0xA0, 0x00, 0x40, 0x00};  // 1-bpp rows padded to 16 bits
  HBITMAP shape = CreateBitmap(3, 2, 1, 1, rows);
  ASSERT_NE(shape, nullptr);
  ASSERT_TRUE(CreateCaret(top_, shape, 50, 50));
  EXPECT_EQ(At(4, 4), kWhite) << "the grey caret went with the new one";
  SetCaretPos(10, 10);
  ShowCaret(top_);
  EXPECT_EQ(At(10, 10), kBlack);
  EXPECT_EQ(At(11, 10), kWhite);
  EXPECT_EQ(At(12, 10), kBlack);
  EXPECT_EQ(At(11, 11), kBlack);
  EXPECT_EQ(At(10, 11), kWhite);
  EXPECT_EQ(At(13, 10), kWhite) << "nWidth is ignored for a bitmap";
  DestroyCaret();
  EXPECT_EQ(At(10, 10), kWhite);
  DeleteObject(shape);
}

TEST_F(Caret, PaintingHidesItSoNoMarkIsLeft) {
  constexpr COLORREF kBlue = RGB(0, 0, 255);
  uint32_t seen_while_painting = 0;
  recorder_.On(WM_PAINT, [&](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    seen_while_painting = At(5, 5);
    HBRUSH brush = CreateSolidBrush(kBlue);
    FillRect(dc, &ps.rcPaint, brush);
    DeleteObject(brush);
    EndPaint(hwnd, &ps);
    return 0;
  });
  InvalidateRect(top_, nullptr, TRUE);
  display_.PumpUntilIdle();
  ASSERT_TRUE(CreateCaret(top_, nullptr, 2, 2));
  SetCaretPos(5, 5);
  ShowCaret(top_);
  const uint32_t kOn = 0xFFFF00;  // blue inverted
  ASSERT_EQ(At(5, 5), kOn);
  InvalidateRect(top_, nullptr, FALSE);  // no erase: BeginPaint leaves the pixels
  display_.PumpUntilIdle();
  EXPECT_EQ(seen_while_painting, 0x0000FFu) << "hidden from BeginPaint on";
  EXPECT_EQ(At(5, 5), kOn) << "shown again by EndPaint";
  Blink(530);
  EXPECT_EQ(At(5, 5), 0x0000FFu) << "blinks off to the painted colour: no mark";
  Blink(530);
  EXPECT_EQ(At(5, 5), kOn);
  // Painting elsewhere leaves a shown caret alone.
  seen_while_painting = 0;
  RECT elsewhere{30, 20, 40, 30};
  InvalidateRect(top_, &elsewhere, TRUE);
  display_.PumpUntilIdle();
  EXPECT_EQ(seen_while_painting, kOn);
  EXPECT_EQ(At(5, 5), kOn);
}

TEST_F(Caret, BelongsToOneWindowOfTheThreadAndGoesWithIt) {
  HWND child = recorder_.Create(WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, top_);
  HWND other = recorder_.Create(WS_POPUP | WS_VISIBLE, 200, 200, 20, 20);
  display_.PumpUntilIdle();
  EXPECT_FALSE(SetCaretPos(1, 1)) << "no caret yet";
  EXPECT_FALSE(ShowCaret(nullptr));
  ASSERT_TRUE(CreateCaret(child, nullptr, 2, 2));
  EXPECT_FALSE(HideCaret(other)) << "another window does not own it";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  ASSERT_TRUE(ShowCaret(child));
  EXPECT_EQ(At(10, 10), kBlack) << "in the child's client coordinates";
  DestroyWindow(child);
  POINT pos;
  EXPECT_FALSE(GetCaretPos(&pos)) << "the caret went with its window";
  display_.AdvanceTime(1000);
  EXPECT_TRUE(display_.PumpUntilIdle());
  EXPECT_EQ(At(10, 10), kWhite);
  EXPECT_FALSE(CreateCaret(reinterpret_cast<HWND>(0x1234), nullptr, 1, 1));
}

TEST_F(Caret, BlinkTimeIsSharedAndInfiniteMeansSteady) {
  ASSERT_TRUE(SetCaretBlinkTime(100));
  ASSERT_TRUE(CreateCaret(top_, nullptr, 1, 1));
  ShowCaret(top_);
  Blink(100);
  EXPECT_EQ(At(0, 0), kWhite);
  ASSERT_TRUE(SetCaretBlinkTime(INFINITE));
  EXPECT_EQ(At(0, 0), kBlack) << "a new blink time shows the caret";
  Blink(100000);
  EXPECT_EQ(At(0, 0), kBlack);
  EXPECT_FALSE(SetCaretBlinkTime(0));
  ASSERT_TRUE(SetCaretBlinkTime(530));
}

}  // namespace
}  // namespace platform::user::testing
