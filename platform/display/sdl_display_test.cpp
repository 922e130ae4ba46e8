// The SDL display on SDL's offscreen driver, so no desktop is needed: SDL
// windows following top-level windows, presenting, and SDL events turned
// into Win32 input and messages. Events are pushed into SDL's queue as a
// desktop would deliver them.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "platform/base/clock.h"
#include "platform/base/gbk.h"
#include "platform/display/sdl.h"
#include "platform/display/sdl_cursors.h"
#include "platform/win32.h"
#include "tests/support/paint_solid.h"

// libdbus, which SDL starts, keeps a buffer for the life of the process;
// the leak checker of the sanitizer build is told so.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

namespace platform {
namespace {

struct Seen {
  HWND hwnd;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};
std::vector<Seen> g_seen;

// Paints itself in the colour kept in GWLP_USERDATA, takes the focus when
// clicked, records what it gets, and only records WM_CLOSE.
LRESULT Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  g_seen.push_back({hwnd, message, wparam, lparam});
  if (message == WM_LBUTTONDOWN) SetFocus(hwnd);
  if (message == WM_CLOSE) return 0;
  if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wparam, lparam);
  testing_support::PaintClientSolid(
      hwnd, static_cast<COLORREF>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
  return 0;
}

// (message, wParam) of what `hwnd` got among `messages`.
std::vector<std::pair<UINT, WPARAM>> Got(HWND hwnd, std::initializer_list<UINT> messages) {
  std::vector<std::pair<UINT, WPARAM>> got;
  for (const Seen& s : g_seen) {
    if (s.hwnd == hwnd &&
        std::find(messages.begin(), messages.end(), s.message) != messages.end()) {
      got.emplace_back(s.message, s.wparam);
    }
  }
  return got;
}

class SdlDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("MIENZO_DPI");
    std::string why;
    display_ = SdlDisplay::Create(&why, "offscreen");
    ASSERT_NE(display_, nullptr) << why;
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = "SdlTest";
    RegisterClassA(&wc);
  }
  void TearDown() override {
    while (HWND top = GetTopWindow(nullptr)) DestroyWindow(top);
    UnregisterClassA("SdlTest", nullptr);
    display_.reset();
    g_seen.clear();
  }

  HWND Make(DWORD style, RECT r, HWND parent = nullptr, DWORD ex_style = 0,
            COLORREF color = RGB(255, 255, 255), const std::string& title = "") {
    HWND hwnd =
        CreateWindowExA(ex_style, "SdlTest", title.c_str(), style, r.left, r.top, r.right - r.left,
                        r.bottom - r.top, parent, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(color));
    return hwnd;
  }
  SDL_Window* Sdl(HWND hwnd) { return SDL_GetWindowFromID(display_->SdlWindowIdOf(hwnd)); }
  Uint32 Flags(HWND hwnd) { return Sdl(hwnd) ? SDL_GetWindowFlags(Sdl(hwnd)) : 0; }
  POINT Position(HWND hwnd) {
    POINT p{-1, -1};
    if (Sdl(hwnd))
      SDL_GetWindowPosition(Sdl(hwnd), reinterpret_cast<int*>(&p.x), reinterpret_cast<int*>(&p.y));
    return p;
  }
  uint32_t Pixel(HWND hwnd, int x, int y) {
    SDL_Surface* s = SDL_GetWindowSurface(Sdl(hwnd));
    Uint32 value = 0;
    std::memcpy(&value, static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * 4, 4);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(value, s->format, &r, &g, &b);
    return static_cast<uint32_t>(r << 16 | g << 8 | b);
  }

  void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
  void PushWindow(HWND hwnd, Uint8 what) {
    SDL_Event e{};
    e.window = {SDL_WINDOWEVENT, 0, display_->SdlWindowIdOf(hwnd), what, {}, {}, {}, 0, 0};
    Push(e);
  }
  void PushMouse(HWND hwnd, Uint32 type, int x, int y) {
    SDL_Event e{};
    if (type == SDL_MOUSEMOTION) {
      e.motion = {type, 0, display_->SdlWindowIdOf(hwnd), 0, 0, x, y, 0, 0};
    } else {
      e.button = {type,
                  0,
                  display_->SdlWindowIdOf(hwnd),
                  0,
                  SDL_BUTTON_LEFT,
                  static_cast<Uint8>(type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED),
                  1,
                  0,
                  x,
                  y};
    }
    Push(e);
  }
  void PushKey(SDL_Scancode scancode, SDL_Keycode keycode, bool down) {
    SDL_Event e{};
    e.key.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = scancode;
    e.key.keysym.sym = keycode;
    Push(e);
  }
  void PushText(const char* utf8) {
    SDL_Event e{};
    e.text.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    Push(e);
  }
  // Translates what SDL has queued, then runs the message loop dry.
  void Pump() {
    display_->WaitForEvents(0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  std::unique_ptr<SdlDisplay> display_;
};

TEST_F(SdlDisplayTest, SdlWindowsFollowTheirTopLevelWindows) {
  HWND hwnd = Make(WS_OVERLAPPEDWINDOW, {40, 50, 240, 150}, nullptr, 0, 0, gbk::Gbk("画图"));
  EXPECT_EQ(display_->SdlWindowIdOf(hwnd), 0u) << "made only when first shown";
  ShowWindow(hwnd, SW_SHOW);
  ASSERT_NE(Sdl(hwnd), nullptr);
  EXPECT_STREQ(SDL_GetWindowTitle(Sdl(hwnd)), "画图");
  EXPECT_EQ(Position(hwnd).x, 40);
  EXPECT_EQ(Position(hwnd).y, 50);
  EXPECT_TRUE(Flags(hwnd) & SDL_WINDOW_BORDERLESS);
  EXPECT_TRUE(Flags(hwnd) & SDL_WINDOW_SHOWN);
  MoveWindow(hwnd, 70, 80, 300, 120, TRUE);
  SetWindowTextA(hwnd, gbk::Gbk("图片").c_str());
  int w = 0, h = 0;
  SDL_GetWindowSize(Sdl(hwnd), &w, &h);
  EXPECT_EQ(Position(hwnd).x, 70);
  EXPECT_EQ(w, 300);
  EXPECT_EQ(h, 120);
  EXPECT_STREQ(SDL_GetWindowTitle(Sdl(hwnd)), "图片");
  ShowWindow(hwnd, SW_HIDE);
  EXPECT_TRUE(Flags(hwnd) & SDL_WINDOW_HIDDEN);
  Uint32 id = display_->SdlWindowIdOf(hwnd);
  DestroyWindow(hwnd);
  EXPECT_EQ(SDL_GetWindowFromID(id), nullptr);
}

TEST_F(SdlDisplayTest, KindsOfWindowsGetTheirDesktopHints) {
  HWND main = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 300, 200});
  HWND dialog = Make(WS_POPUP | WS_CAPTION | WS_VISIBLE, {20, 20, 120, 100}, main);
  HWND tip = Make(WS_POPUP | WS_VISIBLE, {5, 5, 60, 20}, main,
                  WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_TRANSPARENT);
  HWND list = Make(WS_POPUP | WS_BORDER | WS_VISIBLE, {5, 30, 60, 90}, main,
                   WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
  HWND palette =
      Make(WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, {200, 0, 280, 80}, main, WS_EX_TOOLWINDOW);
  const Uint32 kinds = SDL_WINDOW_TOOLTIP | SDL_WINDOW_POPUP_MENU | SDL_WINDOW_UTILITY;
  EXPECT_EQ(Flags(main) & (kinds | SDL_WINDOW_SKIP_TASKBAR), 0u);
  EXPECT_EQ(Flags(dialog) & (kinds | SDL_WINDOW_SKIP_TASKBAR), SDL_WINDOW_SKIP_TASKBAR);
  EXPECT_EQ(Flags(tip) & (kinds | SDL_WINDOW_ALWAYS_ON_TOP),
            SDL_WINDOW_TOOLTIP | SDL_WINDOW_ALWAYS_ON_TOP);
  EXPECT_EQ(Flags(list) & kinds, SDL_WINDOW_POPUP_MENU);
  EXPECT_EQ(Flags(palette) & (kinds | SDL_WINDOW_SKIP_TASKBAR),
            SDL_WINDOW_UTILITY | SDL_WINDOW_SKIP_TASKBAR);
}

TEST_F(SdlDisplayTest, PresentShowsTheSurfaceFillsOutsideAShapeAndRepaintsWhenExposed) {
  HWND hwnd = Make(WS_POPUP | WS_VISIBLE, {10, 10, 110, 70}, nullptr, 0, RGB(200, 40, 40));
  Pump();
  EXPECT_EQ(Pixel(hwnd, 50, 30), 0xC82828u);
  EXPECT_EQ(Pixel(hwnd, 1, 1), 0xC82828u);
  SetWindowRgn(hwnd, CreateRectRgn(10, 10, 90, 50), TRUE);
  Pump();
  EXPECT_EQ(Pixel(hwnd, 1, 1), 0x3A6EA5u) << "outside the shape";
  EXPECT_EQ(Pixel(hwnd, 50, 30), 0xC82828u);
  // The desktop lost the pixels: an exposure brings them back.
  SDL_Surface* shown = SDL_GetWindowSurface(Sdl(hwnd));
  SDL_FillRect(shown, nullptr, 0);
  PushWindow(hwnd, SDL_WINDOWEVENT_EXPOSED);
  Pump();
  EXPECT_EQ(Pixel(hwnd, 50, 30), 0xC82828u);
}

TEST_F(SdlDisplayTest, MouseInputArrivesInScreenCoordinates) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, {100, 100, 300, 250});
  HWND child = Make(WS_CHILD | WS_VISIBLE, {20, 30, 120, 90}, top);
  PushMouse(top, SDL_MOUSEMOTION, 25, 36);
  PushMouse(top, SDL_MOUSEBUTTONDOWN, 25, 36);
  PushMouse(top, SDL_MOUSEBUTTONUP, 25, 36);
  Pump();
  auto down = std::find_if(g_seen.begin(), g_seen.end(),
                           [](const Seen& s) { return s.message == WM_LBUTTONDOWN; });
  ASSERT_NE(down, g_seen.end());
  EXPECT_EQ(down->hwnd, child);
  EXPECT_EQ(down->lparam, MAKELPARAM(5, 6));
  SetWindowPos(top, nullptr, 130, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  PushMouse(top, SDL_MOUSEMOTION, 40, 40);
  Pump();
  POINT pointer;
  GetCursorPos(&pointer);
  EXPECT_EQ(pointer.x, 170) << "measured from where the window is now";
  EXPECT_EQ(pointer.y, 160);
  SDL_Event wheel{};
  wheel.wheel = {
      SDL_MOUSEWHEEL, 0, display_->SdlWindowIdOf(top), 0, 0, 1, SDL_MOUSEWHEEL_NORMAL, 0, 0, 0, 0};
  Push(wheel);
  wheel.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
  Push(wheel);
  Pump();
  auto wheels = Got(child, {WM_MOUSEWHEEL});
  ASSERT_EQ(wheels.size(), 2u);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[0].second), 120);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[1].second), -120);
}

TEST_F(SdlDisplayTest, KeysAndTypedTextReachTheFocus) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, {0, 0, 200, 100});
  HWND child = Make(WS_CHILD | WS_VISIBLE, {10, 10, 100, 50}, top);
  SetFocus(child);
  PushKey(SDL_SCANCODE_A, SDLK_a, true);
  PushText("a");
  PushKey(SDL_SCANCODE_A, SDLK_a, false);
  PushText("中文");
  Pump();
  using Message = std::pair<UINT, WPARAM>;
  EXPECT_EQ(Got(child, {WM_KEYDOWN, WM_CHAR, WM_KEYUP}), (std::vector<Message>{{WM_KEYDOWN, 'A'},
                                                                               {WM_CHAR, 'a'},
                                                                               {WM_KEYUP, 'A'},
                                                                               {WM_CHAR, 0xD6},
                                                                               {WM_CHAR, 0xD0},
                                                                               {WM_CHAR, 0xCE},
                                                                               {WM_CHAR, 0xC4}}));
  g_seen.clear();
  // Left Alt with a key is a menu command: the desktop's text for it is dropped.
  PushKey(SDL_SCANCODE_LALT, SDLK_LALT, true);
  PushKey(SDL_SCANCODE_F, SDLK_f, true);
  PushText("f");
  PushKey(SDL_SCANCODE_F, SDLK_f, false);
  PushKey(SDL_SCANCODE_LALT, SDLK_LALT, false);
  Pump();
  EXPECT_EQ(
      Got(child, {WM_SYSKEYDOWN, WM_SYSCHAR, WM_CHAR}),
      (std::vector<Message>{{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, 'F'}, {WM_SYSCHAR, 'f'}}));
}

TEST_F(SdlDisplayTest, DesktopWindowEventsBecomeWin32Messages) {
  HWND owner = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 300, 200});
  HWND other = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {320, 0, 600, 200});
  HWND tip = Make(WS_POPUP | WS_VISIBLE, {5, 5, 60, 20}, owner,
                  WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_TRANSPARENT);
  PushWindow(owner, SDL_WINDOWEVENT_CLOSE);
  Pump();
  EXPECT_EQ(Got(owner, {WM_SYSCOMMAND, WM_CLOSE}),
            (std::vector<std::pair<UINT, WPARAM>>{{WM_SYSCOMMAND, SC_CLOSE}, {WM_CLOSE, 0}}));
  PushWindow(owner, SDL_WINDOWEVENT_FOCUS_GAINED);
  Pump();
  EXPECT_EQ(GetActiveWindow(), owner);
  PushWindow(tip, SDL_WINDOWEVENT_FOCUS_GAINED);
  Pump();
  EXPECT_EQ(GetActiveWindow(), owner) << "a tooltip is never activated";
  // With a modal dialog up, the desktop's focus goes to the dialog.
  HWND dialog = Make(WS_POPUP | WS_CAPTION | WS_VISIBLE, {20, 20, 120, 100}, owner);
  EnableWindow(owner, FALSE);
  SetActiveWindow(other);
  PushWindow(owner, SDL_WINDOWEVENT_FOCUS_GAINED);
  Pump();
  EXPECT_EQ(GetActiveWindow(), dialog);
  PushWindow(other, SDL_WINDOWEVENT_MINIMIZED);
  Pump();
  EXPECT_TRUE(IsIconic(other));
  PushWindow(other, SDL_WINDOWEVENT_RESTORED);
  Pump();
  EXPECT_FALSE(IsIconic(other));
  g_seen.clear();
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  Push(quit);
  Pump();
  EXPECT_EQ(Got(owner, {WM_CLOSE}).size(), 1u);
  EXPECT_EQ(Got(other, {WM_CLOSE}).size(), 1u);
  EXPECT_TRUE(Got(dialog, {WM_CLOSE}).empty()) << "owned windows close with their owner";
}

TEST_F(SdlDisplayTest, AnotherThreadWakesTheWaitAndLeavesSdlToTheUiThread) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, {10, 10, 60, 60});
  Pump();
  while (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) display_->WaitForEvents(0);
  const uint64_t deadline = CurrentClock().NowMs() + 20000;
  std::thread poster([&] { PostMessageA(top, WM_USER + 1, 0, 0); });
  display_->WaitForEvents(deadline);
  poster.join();
  EXPECT_LT(CurrentClock().NowMs(), deadline) << "the post did not end the wait";
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, top, WM_USER + 1, WM_USER + 1, PM_REMOVE));
  // A move the display did not see, then news of it from another thread.
  SetCurrentDisplay(nullptr);
  SetWindowPos(top, nullptr, 90, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetCurrentDisplay(display_.get());
  std::thread([&] {
    display_->TopLevelChanged(top);
    display_->CursorChanged(nullptr);
  }).join();
  EXPECT_EQ(Position(top).x, 10);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
  display_->Present();
  EXPECT_EQ(Position(top).x, 90);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
}

TEST_F(SdlDisplayTest, ScreenClipboardCursorAndOneDisplayAtATime) {
  ScreenSettings screen = display_->Screen();
  EXPECT_GT(screen.width, 0);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), screen.width);
  EXPECT_EQ(screen.dpi, 96) << "the offscreen driver knows no DPI";
  EXPECT_TRUE(display_->SetClipboardText("图片 ok"));
  EXPECT_EQ(display_->ClipboardText(), "图片 ok");
  SetCursor(LoadCursorA(nullptr, IDC_IBEAM));
  SetCursor(nullptr);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
  EXPECT_EQ(sdl::SystemCursorFor(32649), SDL_SYSTEM_CURSOR_HAND);
  EXPECT_EQ(sdl::SystemCursorFor(32651), SDL_SYSTEM_CURSOR_ARROW) << "IDC_HELP has no SDL shape";
  std::string why;
  EXPECT_EQ(SdlDisplay::Create(&why, "offscreen"), nullptr);
  EXPECT_EQ(why, "an SDL display is already running");
}

}  // namespace
}  // namespace platform
