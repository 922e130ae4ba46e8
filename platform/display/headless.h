// The headless display: windows live in memory, input comes from calls, and
// the screen can be read back pixel by pixel or saved as a PNG. Tests, CI and
// the demo use it; with a virtual clock, time moves only when told to.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/clock.h"
#include "platform/display/display.h"
#include "platform/user/input.h"

namespace platform {

enum class ClockKind { kReal, kVirtual };

class HeadlessDisplay final : public Display {
 public:
  // Screen from MIENZO_SCREEN ("1366x768") and MIENZO_DPI, else the defaults.
  static ScreenSettings ScreenFromEnvironment();

  // Installs itself (and the virtual clock, if asked) for the calling thread.
  explicit HeadlessDisplay(ClockKind clock = ClockKind::kVirtual,
                           ScreenSettings screen = ScreenFromEnvironment());
  ~HeadlessDisplay() override;
  HeadlessDisplay(const HeadlessDisplay&) = delete;
  HeadlessDisplay& operator=(const HeadlessDisplay&) = delete;

  // Display
  ScreenSettings Screen() const override { return screen_; }
  void TopLevelChanged(HWND) override {}
  void TopLevelDestroyed(HWND) override {}
  void Present() override;
  void WaitForEvents(uint64_t deadline_ms) override;
  void Wake() override;
  void CursorChanged(HCURSOR cursor) override { cursor_ = cursor; }
  // An in-memory clipboard: what the program copied, or what a test puts
  // there as if another program had copied it.
  bool SetClipboardText(std::string_view utf8) override;
  std::string ClipboardText() override;

  // Input, as a person would give it. Each call queues messages; nothing is
  // dispatched until PumpUntilIdle.
  void MoveMouse(int x, int y);
  void Press(input::Button button = input::Button::kLeft);
  void Release(input::Button button = input::Button::kLeft);
  void Click(int x, int y, input::Button button = input::Button::kLeft);
  void Key(UINT vk);  // press and release
  void KeyDown(UINT vk);
  void KeyUp(UINT vk);
  void Type(std::string_view utf8);  // text as an input method delivers it

  // Dispatches every message until none is left (timers that are due
  // included). False when it gave up after too many messages, which means
  // something keeps posting; true once idle. A WM_QUIT stops it and is kept.
  bool PumpUntilIdle();
  bool quit_received() const { return quit_received_; }
  int quit_code() const { return quit_code_; }

  // Virtual clock only: moves time on (then pump to see the timers).
  void AdvanceTime(uint64_t ms);
  VirtualClock* virtual_clock() { return virtual_clock_.get(); }

  // The screen as it looks now: desktop, then the visible top-level windows
  // bottom to top. Pixels are 0x00RRGGBB.
  std::vector<uint32_t> ComposeScreen() const;
  uint32_t ScreenPixel(int x, int y) const;
  bool SaveScreenshot(const std::string& png_path) const;
  HCURSOR cursor() const { return cursor_; }

 private:
  ScreenSettings screen_;
  std::unique_ptr<VirtualClock> virtual_clock_;
  std::mutex mutex_;
  std::condition_variable woken_;
  bool wake_pending_ = false;
  bool quit_received_ = false;
  int quit_code_ = 0;
  HCURSOR cursor_ = nullptr;
  std::string clipboard_;  // UTF-8; guarded by mutex_
};

}  // namespace platform
