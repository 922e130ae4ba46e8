// Message sequences of creating, showing, moving, sizing, focusing,
// activating and destroying windows, compared with what Windows sends.
#include "platform/user/test_support.h"

namespace platform::user::testing {
namespace {

class WindowMessages : public ::testing::Test {
 protected:
  HeadlessDisplay display_;
  Recorder recorder_;
};

TEST_F(WindowMessages, CreationSendsNcCreateCalcSizeCreateSizeMove) {
  HWND top = recorder_.Create(WS_OVERLAPPEDWINDOW, 10, 20, 300, 200);
  ASSERT_NE(top, nullptr);
  EXPECT_MESSAGES(recorder_.Messages(top, true), WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE,
                  WM_CREATE, WM_SIZE, WM_MOVE);
  recorder_.Clear();
  HWND child = recorder_.Create(WS_CHILD, 5, 5, 50, 40, top, 0, 100);
  EXPECT_MESSAGES(recorder_.Messages(child), WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE,
                  WM_MOVE);
  EXPECT_MESSAGES(recorder_.Messages(top), WM_PARENTNOTIFY);
  EXPECT_EQ(GetDlgCtrlID(child), 100);
  EXPECT_EQ(GetDlgItem(top, 100), child);
}

TEST_F(WindowMessages, RefusedCreationLeavesNoWindow) {
  recorder_.On(WM_CREATE, [](HWND, WPARAM, LPARAM) -> LRESULT { return -1; });
  HWND hwnd = recorder_.Create(WS_OVERLAPPED, 0, 0, 10, 10);
  EXPECT_EQ(hwnd, nullptr);
  std::vector<UINT> seen = recorder_.Messages();
  EXPECT_EQ(seen.back(), static_cast<UINT>(WM_NCDESTROY)) << Describe(seen);
  EXPECT_EQ(GetTopWindow(nullptr), nullptr);
}

TEST_F(WindowMessages, DestroySendsDestroyParentFirstAndNcDestroyChildrenFirst) {
  HWND top = recorder_.Create(WS_OVERLAPPED, 0, 0, 100, 100);
  HWND child = recorder_.Create(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
  HWND grandchild = recorder_.Create(WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, child);
  recorder_.Clear();
  ASSERT_TRUE(DestroyWindow(top));
  std::vector<std::pair<HWND, UINT>> order;
  for (const Recorded& r : recorder_.all()) {
    if (r.message == WM_DESTROY || r.message == WM_NCDESTROY) order.push_back({r.hwnd, r.message});
  }
  std::vector<std::pair<HWND, UINT>> expected = {
      {top, WM_DESTROY},          {child, WM_DESTROY},   {grandchild, WM_DESTROY},
      {grandchild, WM_NCDESTROY}, {child, WM_NCDESTROY}, {top, WM_NCDESTROY}};
  EXPECT_EQ(order, expected);
  EXPECT_FALSE(IsWindow(top));
  EXPECT_FALSE(IsWindow(grandchild));
}

TEST_F(WindowMessages, ShowActivatesAndFocusesATopLevelWindow) {
  HWND top = recorder_.Create(WS_OVERLAPPEDWINDOW, 0, 0, 200, 100);
  recorder_.Clear();
  ShowWindow(top, SW_SHOW);
  std::vector<UINT> seen = recorder_.Messages(top);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), static_cast<UINT>(WM_SHOWWINDOW)) << Describe(seen);
  auto position = [&](UINT m) { return std::find(seen.begin(), seen.end(), m) - seen.begin(); };
  EXPECT_LT(position(WM_NCACTIVATE), position(WM_ACTIVATE)) << Describe(seen);
  EXPECT_LT(position(WM_ACTIVATE), position(WM_SETFOCUS)) << Describe(seen);
  EXPECT_EQ(GetActiveWindow(), top);
  EXPECT_EQ(GetFocus(), top);
  EXPECT_TRUE(IsWindowVisible(top));
}

TEST_F(WindowMessages, MoveAndSizeReportTheClientArea) {
  HWND top = recorder_.Create(WS_OVERLAPPED | WS_CAPTION, 0, 0, 200, 100);
  recorder_.Clear();
  std::vector<LPARAM> sizes;
  recorder_.On(WM_SIZE, [&](HWND, WPARAM, LPARAM lp) -> LRESULT {
    sizes.push_back(lp);
    return 0;
  });
  MoveWindow(top, 30, 40, 250, 150, TRUE);
  EXPECT_MESSAGES(recorder_.Messages(top), WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED,
                  WM_MOVE, WM_SIZE);
  RECT client;
  GetClientRect(top, &client);
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(LOWORD(sizes[0]), client.right);
  EXPECT_EQ(HIWORD(sizes[0]), client.bottom);
  RECT window;
  GetWindowRect(top, &window);
  EXPECT_EQ(window.left, 30);
  EXPECT_EQ(window.bottom, 190);
  recorder_.Clear();
  SetWindowPos(top, nullptr, 31, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_MESSAGES(recorder_.Messages(top), WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE);
}

TEST_F(WindowMessages, FocusMovesBetweenChildrenWithKillThenSet) {
  HWND top = recorder_.Create(WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 100);
  HWND a = recorder_.Create(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
  HWND b = recorder_.Create(WS_CHILD | WS_VISIBLE, 20, 0, 10, 10, top);
  SetFocus(a);
  recorder_.Clear();
  EXPECT_EQ(SetFocus(b), a);
  std::vector<Recorded> log = recorder_.all();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].hwnd, a);
  EXPECT_EQ(log[0].message, static_cast<UINT>(WM_KILLFOCUS));
  EXPECT_EQ(log[0].wparam, reinterpret_cast<WPARAM>(b));
  EXPECT_EQ(log[1].hwnd, b);
  EXPECT_EQ(log[1].message, static_cast<UINT>(WM_SETFOCUS));
  EXPECT_EQ(log[1].wparam, reinterpret_cast<WPARAM>(a));
  // Disabling the focus window takes the focus away.
  EnableWindow(b, FALSE);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(SetFocus(b), nullptr) << "a disabled window cannot take the focus";
}

TEST_F(WindowMessages, ActivationMovesBetweenTopLevelWindows) {
  HWND first = recorder_.Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100);
  HWND second = recorder_.Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 100, 100);
  EXPECT_EQ(GetActiveWindow(), second);
  EXPECT_EQ(GetTopWindow(nullptr), second);
  recorder_.Clear();
  SetActiveWindow(first);
  std::vector<UINT> old_side = recorder_.Messages(second);
  EXPECT_MESSAGES(old_side, WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS);
  EXPECT_EQ(GetTopWindow(nullptr), first);
  EXPECT_EQ(GetFocus(), first);
  // Hiding the active window hands activation on.
  ShowWindow(first, SW_HIDE);
  EXPECT_EQ(GetActiveWindow(), second);
}

TEST_F(WindowMessages, CloseBoxAndAltF4SendClose) {
  HWND top = recorder_.Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 120);
  bool closed = false;
  recorder_.On(WM_CLOSE, [&](HWND, WPARAM, LPARAM) -> LRESULT {
    closed = true;
    return 0;  // vetoed: the window stays
  });
  display_.KeyDown(VK_MENU);
  display_.Key(VK_F4);
  display_.KeyUp(VK_MENU);
  display_.PumpUntilIdle();
  EXPECT_TRUE(closed);
  EXPECT_TRUE(IsWindow(top));
  closed = false;
  RECT window;
  GetWindowRect(top, &window);
  // The close box sits at the right end of the caption.
  display_.Click(window.right - 12, window.top + 14);
  display_.PumpUntilIdle();
  EXPECT_TRUE(closed);
}

TEST_F(WindowMessages, CaptionDragMovesTheWindow) {
  HWND top = recorder_.Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 120);
  display_.MoveMouse(150, 110);
  display_.Press();
  display_.MoveMouse(180, 150);
  display_.Release();
  display_.PumpUntilIdle();
  RECT window;
  GetWindowRect(top, &window);
  EXPECT_EQ(window.left, 130);
  EXPECT_EQ(window.top, 140);
  std::vector<UINT> seen = recorder_.Messages(top);
  EXPECT_NE(std::find(seen.begin(), seen.end(), WM_EXITSIZEMOVE), seen.end()) << Describe(seen);
}

TEST_F(WindowMessages, ModalLoopEndsWhenItsWindowSaysSo) {
  HWND top = recorder_.Create(WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 100);
  bool running = true;
  recorder_.On(WM_USER, [&](HWND, WPARAM, LPARAM) -> LRESULT {
    running = false;
    return 0;
  });
  PostMessageA(top, WM_USER + 1, 0, 0);
  PostMessageA(top, WM_USER, 0, 0);
  PostMessageA(top, WM_USER + 2, 0, 0);
  int handled = 0;
  MSG msg;
  while (running && GetMessageA(&msg, nullptr, 0, 0)) {
    DispatchMessageA(&msg);
    ++handled;
  }
  EXPECT_EQ(handled, 2) << "the loop stops right after the message that ends it";
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2)) << "what follows stays queued";
}

}  // namespace
}  // namespace platform::user::testing
