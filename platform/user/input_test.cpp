// Mouse and keyboard input as the window manager routes it.
#include "platform/user/test_support.h"

namespace platform::user::testing {
namespace {

class Input : public ::testing::Test {
 protected:
  void SetUp() override {
    top_ = recorder_.Create(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    child_ = recorder_.Create(WS_CHILD | WS_VISIBLE, 20, 30, 50, 40, top_);
    display_.PumpUntilIdle();
    recorder_.Clear();
  }

  // The client point of each recorded `message` to `hwnd`.
  std::vector<POINT> PointsOf(UINT message, HWND hwnd) const {
    std::vector<POINT> points;
    for (const Recorded& r : recorder_.all()) {
      if (r.message == message && r.hwnd == hwnd) {
        points.push_back({GET_X_LPARAM(r.lparam), GET_Y_LPARAM(r.lparam)});
      }
    }
    return points;
  }

  HeadlessDisplay display_;
  Recorder recorder_;
  HWND top_ = nullptr;
  HWND child_ = nullptr;
};

TEST_F(Input, ClicksReachTheWindowUnderThePointerInClientCoordinates) {
  display_.Click(125, 135);
  display_.PumpUntilIdle();
  EXPECT_MESSAGES(recorder_.Messages(child_), WM_MOUSEACTIVATE, WM_MOUSEMOVE, WM_LBUTTONDOWN,
                  WM_LBUTTONUP);
  std::vector<POINT> downs = PointsOf(WM_LBUTTONDOWN, child_);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].x, 5);
  EXPECT_EQ(downs[0].y, 5);
  display_.Click(105, 105);
  display_.PumpUntilIdle();
  EXPECT_EQ(PointsOf(WM_LBUTTONDOWN, top_).size(), 1u) << "outside the child: the parent";
}

TEST_F(Input, CaptureTakesTheMouseEvenOutsideTheWindow) {
  recorder_.On(WM_LBUTTONDOWN, [](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
    SetCapture(hwnd);
    return 0;
  });
  recorder_.On(WM_LBUTTONUP, [](HWND, WPARAM, LPARAM) -> LRESULT {
    ReleaseCapture();
    return 0;
  });
  display_.MoveMouse(125, 135);
  display_.PumpUntilIdle();
  display_.Press();
  display_.PumpUntilIdle();  // the press takes the capture before the drag
  display_.MoveMouse(400, 50);
  display_.Release();
  display_.PumpUntilIdle();
  std::vector<POINT> moves = PointsOf(WM_MOUSEMOVE, child_);
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[1].x, 400 - 120);
  EXPECT_EQ(moves[1].y, 50 - 130) << "outside the window the point goes negative";
  EXPECT_EQ(PointsOf(WM_LBUTTONUP, child_).size(), 1u);
  EXPECT_EQ(GetCapture(), nullptr);
  std::vector<UINT> seen = recorder_.Messages(child_);
  EXPECT_NE(std::find(seen.begin(), seen.end(), WM_CAPTURECHANGED), seen.end());
}

TEST_F(Input, DoubleClickNeedsTheClassStyleAndTheTime) {
  display_.Click(125, 135);
  display_.AdvanceTime(300);
  display_.Click(125, 135);
  display_.AdvanceTime(600);
  display_.Click(125, 135);
  display_.AdvanceTime(100);
  display_.Click(126, 136);  // a pixel away still counts
  display_.PumpUntilIdle();
  std::vector<UINT> seen = recorder_.Messages(child_);
  std::erase(seen, static_cast<UINT>(WM_MOUSEMOVE));
  std::erase(seen, static_cast<UINT>(WM_MOUSEACTIVATE));
  EXPECT_MESSAGES(seen, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                  WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP);
}

TEST_F(Input, MouseMovesWaitingInTheQueueAreCoalesced) {
  display_.MoveMouse(121, 131);
  display_.MoveMouse(122, 132);
  display_.MoveMouse(123, 133);
  display_.PumpUntilIdle();
  std::vector<POINT> moves = PointsOf(WM_MOUSEMOVE, child_);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].x, 3);
  display_.MoveMouse(124, 134);
  display_.Press();
  display_.MoveMouse(125, 135);
  display_.Release();
  display_.PumpUntilIdle();
  EXPECT_EQ(PointsOf(WM_MOUSEMOVE, child_).size(), 3u) << "a press in between keeps both moves";
}

TEST_F(Input, GetKeyStateFollowsTheMessageBeingProcessed) {
  SetFocus(child_);
  std::vector<bool> shift_down_during;
  recorder_.On(WM_KEYDOWN, [&](HWND, WPARAM, LPARAM) -> LRESULT {
    shift_down_during.push_back((GetKeyState(VK_SHIFT) & 0x8000) != 0);
    return 0;
  });
  // Both key presses are queued before either is handled, and shift is
  // released in between: the first must still see it down.
  display_.KeyDown(VK_SHIFT);
  display_.KeyDown('A');
  display_.KeyUp(VK_SHIFT);
  display_.KeyDown('B');
  EXPECT_FALSE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
  display_.PumpUntilIdle();
  EXPECT_EQ(shift_down_during, (std::vector<bool>{true, true, false}));
  display_.KeyUp('A');
  display_.KeyUp('B');
  display_.PumpUntilIdle();
}

TEST_F(Input, TextArrivesAsGbkCharacterBytes) {
  SetFocus(child_);
  display_.Type("a中");
  display_.PumpUntilIdle();
  std::vector<WPARAM> chars;
  for (const Recorded& r : recorder_.all()) {
    if (r.message == WM_CHAR) chars.push_back(r.wparam);
  }
  EXPECT_EQ(chars, (std::vector<WPARAM>{'a', 0xD6, 0xD0}));
}

TEST_F(Input, EnterAndAltLettersTranslateToCharacters) {
  SetFocus(child_);
  display_.Key(VK_RETURN);
  display_.KeyDown(VK_MENU);
  display_.Key('S');
  display_.KeyUp(VK_MENU);
  display_.PumpUntilIdle();
  std::vector<std::pair<UINT, WPARAM>> chars;
  for (const Recorded& r : recorder_.all()) {
    if (r.message == WM_CHAR || r.message == WM_SYSCHAR) chars.push_back({r.message, r.wparam});
  }
  std::vector<std::pair<UINT, WPARAM>> expected = {{WM_CHAR, '\r'}, {WM_SYSCHAR, 's'}};
  EXPECT_EQ(chars, expected);
}

TEST_F(Input, ClickingAnInactiveWindowActivatesIt) {
  HWND other = recorder_.Create(WS_POPUP | WS_VISIBLE, 400, 100, 100, 100);
  EXPECT_EQ(GetActiveWindow(), other);
  recorder_.Clear();
  display_.Click(125, 135);
  display_.PumpUntilIdle();
  EXPECT_EQ(GetActiveWindow(), top_);
  std::vector<UINT> seen = recorder_.Messages(child_, true);
  ASSERT_FALSE(seen.empty());
  EXPECT_NE(std::find(seen.begin(), seen.end(), WM_MOUSEACTIVATE), seen.end()) << Describe(seen);
}

TEST_F(Input, ClickingAChildOfTheActiveWindowAsksItWithoutReactivating) {
  ASSERT_EQ(GetActiveWindow(), top_);
  recorder_.Clear();
  display_.Click(125, 135);
  display_.PumpUntilIdle();
  std::vector<UINT> seen = recorder_.Messages(child_, true);
  EXPECT_NE(std::find(seen.begin(), seen.end(), WM_MOUSEACTIVATE), seen.end()) << Describe(seen);
  std::vector<UINT> top = recorder_.Messages(top_, true);
  EXPECT_EQ(std::find(top.begin(), top.end(), WM_ACTIVATE), top.end()) << Describe(top);
  EXPECT_EQ(PointsOf(WM_LBUTTONDOWN, child_).size(), 1u);
}

TEST_F(Input, DisabledChildLetsTheClickGoToItsParent) {
  EnableWindow(child_, FALSE);
  display_.Click(125, 135);
  display_.PumpUntilIdle();
  EXPECT_TRUE(PointsOf(WM_LBUTTONDOWN, child_).empty());
  EXPECT_EQ(PointsOf(WM_LBUTTONDOWN, top_).size(), 1u);
}

}  // namespace
}  // namespace platform::user::testing
