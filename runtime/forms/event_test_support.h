// What the event tests share: windows of the test library entered into the
// registry as the template reader leaves them (handler words relocated),
// made live by calling the test types' create handlers, and a message pump
// that runs each message through the window's filter as the run loop does.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/display/headless.h"
#include "platform/win32.h"
#include "runtime/forms/forms_test_support.h"
#include "runtime/forms/loaded_window.h"

namespace runtime::forms_testing {

// A message a window received, as its window procedure saw it.
struct SeenMessage {
  HWND window;
  UINT message;
  WPARAM wparam;
};

class EventTest : public testing::Test {
 public:
  // Input messages (mouse and keyboard) and commands the window and its
  // units received.
  static std::vector<SeenMessage>& Seen();
  static std::vector<UINT> SeenBy(HWND window);

 protected:
  void TearDown() override;

  // Registers the windows of a program made of `windows`.
  void Register(const std::vector<forms::WindowTemplate>& windows);
  // Creates the window and its units from the registered window's records,
  // shows it and starts recording the input messages they receive.
  forms::LoadedWindow& MakeLive(uint32_t window_id = 0x52010001);
  // The live window of the unit `unit_id` of `window`.
  static HWND UnitWindow(const forms::LoadedWindow& window, uint32_t unit_id);

  // Runs every queued message through `window`'s filter, then dispatches the
  // ones it did not consume.
  void Pump(forms::LoadedWindow& window);
  // A screen point inside `hwnd`'s client area at (x, y).
  static POINT ScreenPoint(HWND hwnd, int x, int y);
  // Queues a click at (x, y) of `hwnd`'s client area.
  void ClickAt(HWND hwnd, int x, int y,
               platform::input::Button button = platform::input::Button::kLeft);
  // Gives the unit `unit_id` the focus, pumps, and forgets the handler calls
  // and messages that caused.
  HWND Focus(forms::LoadedWindow& window, uint32_t unit_id);

  platform::HeadlessDisplay display_;
  std::unique_ptr<TestProgram> program_;
};

// Positions in the test handler table.
inline constexpr uint32_t kNoHandler = 0xFFFFFFFF;

}  // namespace runtime::forms_testing
