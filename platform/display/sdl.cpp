#include "platform/display/sdl.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#include "platform/base/clock.h"
#include "platform/display/sdl_cursors.h"
#include "platform/display/sdl_events.h"
#include "platform/display/sdl_wait.h"
#include "platform/display/sdl_windows.h"
#include "platform/display/sdl_x11.h"
#include "platform/gdi/screen_info.h"

namespace platform {

namespace {

// SDL's video is process-wide, so only one SDL display can run.
std::atomic<bool> g_running{false};

// Enough to drain a burst without starving the message queue behind it.
constexpr int kEventsPerBatch = 4096;

void SetHints() {
  // Closing is the program's business: the close button posts SC_CLOSE.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // An editor, not a game: the screen saver may run and compositing stays on.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // A click that activates a window is also a click, as on Windows
  // (WM_MOUSEACTIVATE decides); SDL would drop one that comes right after
  // the window got the focus back, such as the first click after a dialog.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
}

// Win32 DPI settings come in steps of 24 (125 %, 150 %, ...); a monitor's
// physical DPI is rounded to the nearest one, and never below 96.
int LogicalDpi(float physical) {
  if (!(physical > 0.0f)) return 96;
  int steps = static_cast<int>(std::lround(physical / 24.0f));
  return std::clamp(steps * 24, 96, 480);
}

int ScreenDpi() {
  if (const char* forced = std::getenv("MIENZO_DPI")) {
    int value = std::atoi(forced);
    if (value >= 48 && value <= 480) return value;
  }
  float diagonal = 0, horizontal = 0, vertical = 0;
  if (SDL_GetDisplayDPI(0, &diagonal, &horizontal, &vertical) != 0) return 96;
  return LogicalDpi(horizontal);
}

RECT RectOf(const SDL_Rect& r) { return RECT{r.x, r.y, r.x + r.w, r.y + r.h}; }

ScreenSettings ReadScreen() {
  ScreenSettings screen;
  SDL_Rect bounds;
  if (SDL_GetDisplayBounds(0, &bounds) == 0 && bounds.w > 0 && bounds.h > 0) {
    screen.width = bounds.w;
    screen.height = bounds.h;
    screen.work_area = RectOf(bounds);
  }
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0) {
    screen.work_area = RectOf(usable);
  }
  screen.dpi = ScreenDpi();
  return screen;
}

int TimeoutUntil(uint64_t deadline_ms) {
  if (deadline_ms == UINT64_MAX) return -1;  // nothing due: wait for input or a wake
  uint64_t now = CurrentClock().NowMs();
  if (deadline_ms <= now) return 0;
  return static_cast<int>(std::min<uint64_t>(deadline_ms - now, INT_MAX));
}

// Surfaces are drawn by the CPU, so drivers that can take pixels straight
// into a window (X11 by shared memory) do, without an OpenGL context per
// window; others (Wayland) go through SDL's texture framebuffer.
void PreferSoftwareFramebuffer() {
  const char* driver = SDL_GetCurrentVideoDriver();
  for (const char* direct : {"x11", "offscreen", "dummy"}) {
    if (driver != nullptr && std::strcmp(driver, direct) == 0) {
      SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
  }
}

}  // namespace

struct SdlDisplay::State {
  std::thread::id ui_thread;  // the one thread that calls SDL (Wake aside)
  bool on_x11 = false;        // waits through x11_waiter rather than SDL's wait
  sdl::X11Waiter x11_waiter;
  int x11_fd = -1;                        // the X connection, known once a window exists
  Uint32 wake_type = 0;                   // the registered event Wake() pushes off X11
  std::atomic<bool> wake_pending{false};  // a wake event is queued and not yet taken
  mutable std::mutex screen_mutex;        // Screen() may be asked on any thread
  ScreenSettings screen;
  sdl::WindowSet windows;
  sdl::Cursors cursors;
  sdl::EventTranslator translator{windows};
  std::mutex deferred_mutex;        // guards what other threads leave for the UI thread
  std::set<HWND> deferred_windows;  // top-levels to bring in line (changed or gone)
  std::optional<HCURSOR> deferred_cursor;
  std::optional<POINT> deferred_warp;

  bool NextEvent(int timeout_ms, SDL_Event* event) {
    if (!on_x11) return SDL_WaitEventTimeout(event, timeout_ms) != 0;
    if (x11_fd < 0) x11_fd = sdl::X11Connection(windows.AnyWindow());
    x11_waiter.Wait(x11_fd, timeout_ms);
    return SDL_PollEvent(event) != 0;
  }
};

std::unique_ptr<SdlDisplay> SdlDisplay::Create(std::string* why, const char* driver) {
  std::string ignored;
  if (why == nullptr) why = &ignored;
  if (g_running.exchange(true)) {
    *why = "an SDL display is already running";
    return nullptr;
  }
  SetHints();
  if (driver != nullptr) SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, driver, SDL_HINT_OVERRIDE);
  const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  if (driver != nullptr) SDL_ResetHint(SDL_HINT_VIDEODRIVER);
  Uint32 wake_type = started ? SDL_RegisterEvents(1) : static_cast<Uint32>(-1);
  if (wake_type == static_cast<Uint32>(-1)) {
    *why = std::string("SDL video did not start: ") + SDL_GetError();
    SDL_Quit();
    g_running = false;
    return nullptr;
  }
  auto state = std::make_unique<State>();
  state->ui_thread = std::this_thread::get_id();
  state->on_x11 = sdl::OnX11();
  state->wake_type = wake_type;
  return std::unique_ptr<SdlDisplay>(new SdlDisplay(std::move(state)));
}

SdlDisplay::SdlDisplay(std::unique_ptr<State> state) : state_(std::move(state)) {
  state_->screen = ReadScreen();
  // Typed text, input methods included, arrives as SDL_TEXTINPUT.
  SDL_StartTextInput();
  PreferSoftwareFramebuffer();
  sdl::ListenToX11Events();
  SetCurrentDisplay(this);
}

SdlDisplay::~SdlDisplay() {
  if (CurrentDisplay() == this) SetCurrentDisplay(nullptr);
  SDL_StopTextInput();
  state_.reset();  // SDL windows and cursors go before SDL does
  SDL_Quit();
  g_running = false;
}

ScreenSettings SdlDisplay::Screen() const {
  std::lock_guard lock(state_->screen_mutex);
  return state_->screen;
}

void SdlDisplay::TopLevelChanged(HWND hwnd) {
  if (OnUiThread()) {
    state_->windows.Sync(hwnd);
    return;
  }
  {
    std::lock_guard lock(state_->deferred_mutex);
    state_->deferred_windows.insert(hwnd);
  }
  Wake();
}

void SdlDisplay::TopLevelDestroyed(HWND hwnd) {
  if (OnUiThread()) {
    state_->windows.Forget(hwnd);
    return;
  }
  TopLevelChanged(hwnd);  // kept; the window is gone by the time it is looked at
}

void SdlDisplay::Present() {
  if (!OnUiThread()) {
    Wake();
    return;
  }
  ApplyDeferred();
  state_->windows.Present();
}

void SdlDisplay::WaitForEvents(uint64_t deadline_ms) {
  if (!OnUiThread()) return;
  SDL_Event event;
  if (!state_->NextEvent(TimeoutUntil(deadline_ms), &event)) return;
  sdl::EventEffects effects;
  int handled = 0;
  do {
    if (event.type == state_->wake_type) {
      state_->wake_pending = false;
    } else {
      state_->translator.Translate(event, &effects);
    }
  } while (++handled < kEventsPerBatch && SDL_PollEvent(&event));
  if (effects.screen_changed) RefreshScreen();
  if (effects.present) Present();
}

void SdlDisplay::Wake() {
  State* state = state_.get();
  if (state == nullptr) return;
  if (state->on_x11) {
    state->x11_waiter.Wake();
    return;
  }
  if (state->wake_pending.exchange(true)) return;
  SDL_Event event{};
  event.type = state->wake_type;
  // SDL_PushEvent is the one SDL call safe on any thread.
  if (SDL_PushEvent(&event) != 1) state->wake_pending = false;
}

void SdlDisplay::CursorChanged(HCURSOR cursor) {
  if (OnUiThread()) {
    state_->cursors.Show(cursor);
    return;
  }
  {
    std::lock_guard lock(state_->deferred_mutex);
    state_->deferred_cursor = cursor;
  }
  Wake();
}

void SdlDisplay::CursorMoved(POINT screen) {
  if (!OnUiThread()) {
    {
      std::lock_guard lock(state_->deferred_mutex);
      state_->deferred_warp = screen;
    }
    Wake();
    return;
  }
  POINT inside;
  if (SDL_Window* window = state_->windows.WindowAt(screen, &inside)) {
    SDL_WarpMouseInWindow(window, inside.x, inside.y);
  } else {
    SDL_WarpMouseGlobal(screen.x, screen.y);
  }
}

bool SdlDisplay::SetClipboardText(std::string_view utf8) {
  std::string text(utf8);
  return SDL_SetClipboardText(text.c_str()) == 0;
}

std::string SdlDisplay::ClipboardText() {
  char* text = SDL_GetClipboardText();
  std::string result = text != nullptr ? text : "";
  SDL_free(text);
  return result;
}

uint32_t SdlDisplay::SdlWindowIdOf(HWND hwnd) const { return state_->windows.IdOf(hwnd); }

std::string SdlDisplay::DriverName() const {
  const char* name = SDL_GetCurrentVideoDriver();
  return name != nullptr ? name : "";
}

bool SdlDisplay::OnUiThread() const { return std::this_thread::get_id() == state_->ui_thread; }

void SdlDisplay::ApplyDeferred() {
  std::set<HWND> windows;
  std::optional<HCURSOR> cursor;
  std::optional<POINT> warp;
  {
    std::lock_guard lock(state_->deferred_mutex);
    windows.swap(state_->deferred_windows);
    cursor.swap(state_->deferred_cursor);
    warp.swap(state_->deferred_warp);
  }
  for (HWND hwnd : windows) state_->windows.Sync(hwnd);
  if (cursor) state_->cursors.Show(*cursor);
  if (warp) CursorMoved(*warp);
}

void SdlDisplay::RefreshScreen() {
  ScreenSettings screen = ReadScreen();
  {
    std::lock_guard lock(state_->screen_mutex);
    state_->screen = screen;
  }
  if (CurrentDisplay() == this) gdi::SetScreen({screen.width, screen.height, screen.dpi});
}

}  // namespace platform
