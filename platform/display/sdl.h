// The SDL display: people at a desktop. Each shown top-level window is a
// borderless SDL window (the layer draws frames and captions into the
// surfaces itself) that shows the dirty parts of its surface; mouse, keys and
// typed text from SDL go to the input entry point in screen coordinates.
//
// SDL is called on the UI thread only: the thread that made the display.
// Calls that reach the display from another thread are kept until the UI
// thread next presents, and Wake() is the one call meant for any thread.
//
// What the desktop cannot show as Win32 does: shaped windows (SetWindowRgn)
// are rectangular SDL windows with the outside filled in the headless
// desktop's colour, and the window manager's rectangles stay authoritative
// even when a desktop window manager puts an SDL window elsewhere.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/display/display.h"

namespace platform {

class SdlDisplay final : public Display {
 public:
  // Starts SDL's video and installs the display for the calling thread,
  // which becomes the UI thread. Null when there is no video device (or an
  // SDL display already runs), with the reason in `*why`. `driver` names an
  // SDL video driver ("x11", "wayland", "offscreen"); null lets SDL choose,
  // and SDL_VIDEODRIVER in the environment still decides then.
  static std::unique_ptr<SdlDisplay> Create(std::string* why, const char* driver = nullptr);
  ~SdlDisplay() override;
  SdlDisplay(const SdlDisplay&) = delete;
  SdlDisplay& operator=(const SdlDisplay&) = delete;

  // Display
  ScreenSettings Screen() const override;
  void TopLevelChanged(HWND hwnd) override;
  void TopLevelDestroyed(HWND hwnd) override;
  void Present() override;
  void WaitForEvents(uint64_t deadline_ms) override;
  void Wake() override;
  void CursorChanged(HCURSOR cursor) override;
  void CursorMoved(POINT screen) override;

  bool SetClipboardText(std::string_view utf8) override;
  std::string ClipboardText() override;

  // The SDL window id showing `hwnd`, 0 when none (hidden windows keep
  // theirs); for tests and diagnostics.
  uint32_t SdlWindowIdOf(HWND hwnd) const;
  // The SDL video driver in use ("x11", "wayland", ...).
  std::string DriverName() const;

 private:
  struct State;
  explicit SdlDisplay(std::unique_ptr<State> state);

  bool OnUiThread() const;
  void ApplyDeferred();
  void RefreshScreen();

  std::unique_ptr<State> state_;
};

}  // namespace platform
