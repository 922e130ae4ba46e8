// The SDL display on a real X server (Xvfb, started by CTest through
// xvfb-run), driven with real X input from xdotool: clicks reach the child
// under the pointer at its client coordinates, typing reaches the focus as
// WM_KEYDOWN and WM_CHAR, a caption drag moves the SDL window with the
// pointer, the keyboard survives a popup that came and went, and a post
// from another thread ends the wait.
//
// Every wait has a deadline of seconds; the test is skipped, saying why, when
// there is no X server or no xdotool.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/base/clock.h"
#include "platform/display/sdl.h"
#include "platform/win32.h"
#include "tests/e2e/x11_environment.h"

// libdbus, which SDL starts, keeps a buffer for the life of the process;
// the leak checker of the sanitizer build is told so.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

namespace {

using platform::CurrentClock;

constexpr uint64_t kPatienceMs = 5000;
constexpr UINT_PTR kDragGuardTimer = 1;

struct Seen {
  HWND hwnd;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};
std::vector<Seen> g_seen;

// Records everything; takes the focus when clicked, as an edit control does;
// ends a caption drag that outlives its guard timer.
LRESULT Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  g_seen.push_back({hwnd, message, wparam, lparam});
  if (message == WM_LBUTTONDOWN) SetFocus(hwnd);
  if (message == WM_TIMER && wparam == kDragGuardTimer) ReleaseCapture();
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

const Seen* Find(HWND hwnd, UINT message, WPARAM wparam) {
  auto it = std::find_if(g_seen.begin(), g_seen.end(), [&](const Seen& s) {
    return s.hwnd == hwnd && s.message == message && s.wparam == wparam;
  });
  return it == g_seen.end() ? nullptr : &*it;
}

std::vector<std::pair<UINT, WPARAM>> Keyboard(HWND hwnd) {
  std::vector<std::pair<UINT, WPARAM>> got;
  for (const Seen& s : g_seen) {
    if (s.hwnd == hwnd &&
        (s.message == WM_KEYDOWN || s.message == WM_KEYUP || s.message == WM_CHAR)) {
      got.emplace_back(s.message, s.wparam);
    }
  }
  return got;
}

class SdlUnderX : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    xdotool_ = e2e::XdotoolOrSkip(&why);
    if (xdotool_.empty()) GTEST_SKIP() << why;
    display_ = platform::SdlDisplay::Create(&why, "x11");
    ASSERT_NE(display_, nullptr) << "SDL did not start on DISPLAY=" << std::getenv("DISPLAY")
                                 << ": " << why;
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    wc.lpszClassName = "E2e";
    RegisterClassA(&wc);
    top_ = CreateWindowExA(0, "E2e", "Mienzo e2e", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 400,
                           300, nullptr, nullptr, nullptr, nullptr);
    child_ = CreateWindowExA(0, "E2e", "", WS_CHILD | WS_VISIBLE, 30, 40, 200, 120, top_, nullptr,
                             nullptr, nullptr);
    PumpUntil([] { return false; }, 200);  // shown and painted
    g_seen.clear();
  }
  void TearDown() override {
    while (HWND top = GetTopWindow(nullptr)) DestroyWindow(top);
    UnregisterClassA("E2e", nullptr);
    display_.reset();
    g_seen.clear();
  }

  // Runs xdotool; `background` lets the message loop run while it plays.
  void Drive(const std::string& arguments, bool background = false) {
    std::string command = xdotool_ + " " + arguments + (background ? " &" : "");
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  // Runs the message loop until `done` holds; false when `patience_ms` ran out first.
  bool PumpUntil(const std::function<bool()>& done, uint64_t patience_ms = kPatienceMs) {
    const uint64_t deadline = CurrentClock().NowMs() + patience_ms;
    MSG msg;
    for (;;) {
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      if (done()) return true;
      const uint64_t now = CurrentClock().NowMs();
      if (now >= deadline) return false;
      display_->WaitForEvents(std::min(deadline, now + 50));
    }
  }

  POINT OnScreen(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
  }
  static std::string At(POINT p) { return std::to_string(p.x) + " " + std::to_string(p.y); }

  std::unique_ptr<platform::SdlDisplay> display_;
  std::string xdotool_;
  HWND top_ = nullptr;
  HWND child_ = nullptr;
};

TEST_F(SdlUnderX, ClickReachesTheChildAtItsClientPointAndTypingReachesTheFocus) {
  Drive("mousemove " + At(OnScreen(child_, 12, 17)) + " click 1");
  ASSERT_TRUE(PumpUntil([&] { return Find(child_, WM_LBUTTONUP, 0) != nullptr; }))
      << "the click never arrived";
  const Seen* down = Find(child_, WM_LBUTTONDOWN, MK_LBUTTON);
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(LOWORD(down->lparam), 12);
  EXPECT_EQ(HIWORD(down->lparam), 17);
  ASSERT_EQ(GetFocus(), child_);

  Drive("key a");
  ASSERT_TRUE(PumpUntil([&] { return Find(child_, WM_KEYUP, 'A') != nullptr; }))
      << "the key never arrived";
  using Message = std::pair<UINT, WPARAM>;
  EXPECT_EQ(Keyboard(child_),
            (std::vector<Message>{{WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYUP, 'A'}}));
  g_seen.clear();
  Drive("key shift+b Return");
  ASSERT_TRUE(PumpUntil([&] { return Find(child_, WM_KEYUP, VK_RETURN) != nullptr; }));
  EXPECT_NE(Find(child_, WM_CHAR, 'B'), nullptr);
  EXPECT_NE(Find(child_, WM_CHAR, '\r'), nullptr);
}

TEST_F(SdlUnderX, DraggingTheCaptionMovesTheWindowWithThePointer) {
  RECT before;
  GetWindowRect(top_, &before);
  POINT client = OnScreen(top_, 0, 0);
  POINT grip{(before.left + before.right) / 2, (before.top + client.y) / 2};
  ASSERT_EQ(SendMessageA(top_, WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y)), HTCAPTION);
  POINT end{grip.x + 60, grip.y + 40};
  SetTimer(top_, kDragGuardTimer, 10000, nullptr);  // the drag loop cannot outlive it
  // Pauses let the window move between pointer events; the result must not depend on them.
  Drive("mousemove " + At(grip) + " mousedown 1 mousemove " + At({grip.x + 20, grip.y + 10}) +
            " sleep 0.2 mousemove " + At({grip.x + 45, grip.y + 25}) + " mousemove " + At(end) +
            " sleep 0.2 mouseup 1",
        true);
  ASSERT_TRUE(PumpUntil([&] { return Find(top_, WM_EXITSIZEMOVE, 0) != nullptr; }));
  KillTimer(top_, kDragGuardTimer);
  RECT after;
  GetWindowRect(top_, &after);
  EXPECT_EQ(after.left - before.left, 60);
  EXPECT_EQ(after.top - before.top, 40);
  int x = 0, y = 0;
  SDL_GetWindowPosition(SDL_GetWindowFromID(display_->SdlWindowIdOf(top_)), &x, &y);
  EXPECT_EQ(x, after.left);
  EXPECT_EQ(y, after.top);
  POINT pointer;
  GetCursorPos(&pointer);
  EXPECT_EQ(pointer.x, end.x);
  EXPECT_EQ(pointer.y, end.y);
}

TEST_F(SdlUnderX, KeysStillArriveAfterAPopupCameAndWent) {
  SetFocus(child_);
  // Without a desktop window manager SDL hands the X keyboard to every window it shows.
  HWND tip =
      CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, "E2e", "",
                      WS_POPUP | WS_VISIBLE, 150, 120, 80, 20, top_, nullptr, nullptr, nullptr);
  PumpUntil([] { return false; }, 200);
  DestroyWindow(tip);
  PumpUntil([] { return false; }, 200);
  ASSERT_EQ(GetFocus(), child_);
  Drive("key c");
  EXPECT_TRUE(PumpUntil([&] { return Find(child_, WM_CHAR, 'c') != nullptr; }))
      << "the keyboard went with the popup";
}

TEST_F(SdlUnderX, TextTypedWithRealKeysReachesAnEditControl) {
  HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                              30, 180, 200, 24, top_, nullptr, nullptr, nullptr);
  ASSERT_NE(edit, nullptr);
  PumpUntil([] { return false; }, 200);
  Drive("mousemove " + At(OnScreen(edit, 20, 10)) + " click 1");
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit; })) << "the click did not focus it";
  Drive("type --delay 20 'Hi 2026'");
  char text[64] = {};
  EXPECT_TRUE(PumpUntil([&] {
    GetWindowTextA(edit, text, sizeof text);
    return std::string(text) == "Hi 2026";
  })) << "the edit control holds \""
      << text << "\"";
  Drive("key BackSpace");
  EXPECT_TRUE(PumpUntil([&] {
    GetWindowTextA(edit, text, sizeof text);
    return std::string(text) == "Hi 202";
  })) << "after Backspace: \""
      << text << "\"";
}

TEST_F(SdlUnderX, AMessageFromAnotherThreadEndsTheWait) {
  const uint64_t deadline = CurrentClock().NowMs() + 20000;
  std::thread poster([&] { PostMessageA(top_, WM_USER + 1, 0, 0); });
  MSG msg;
  while (!PeekMessageA(&msg, top_, WM_USER + 1, WM_USER + 1, PM_REMOVE) &&
         CurrentClock().NowMs() < deadline) {
    display_->WaitForEvents(deadline);
  }
  poster.join();
  EXPECT_LT(CurrentClock().NowMs(), deadline) << "the wait outlasted the post";
}

}  // namespace
