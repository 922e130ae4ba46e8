// What the panel's tests share: a window with one panel compiled from form
// text and loaded by the framework on the headless display, the panel's
// methods called through the command convention, and pixel reads.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "runtime/core/value.h"
#include "runtime/forms/loader_test_support.h"
#include "runtime/units/drawpanel/panel.h"

namespace runtime::units::drawpanel_testing {

inline constexpr uint32_t kPanelId = 0x16010005;
inline constexpr uint32_t kPanelType = 0x00010008;
// Handler table positions the forms bind (form `handlers` line).
enum Handler : int32_t { kOnPaint, kOnMouseDown, kOnFocus, kOnBlur };

// A form holding the test window, big enough for the panel, and one panel
// at (10, 20) in the window,
// of `width` x `height`, with `extra` lines inside the panel's unit block
// (flags, bindings) and `properties` inside its properties block.
std::string PanelForm(const std::string& properties, int width = 200, int height = 100,
                      const std::string& extra = "");

// Colours as the panel's properties take them (0x00BBGGRR).
inline constexpr COLORREF kWhite = 0xFFFFFF;
inline constexpr COLORREF kBlack = 0x000000;
inline constexpr COLORREF kRed = 0x0000FF;
inline constexpr COLORREF kBlue = 0xFF0000;
inline constexpr COLORREF kGreen = 0x00FF00;

class PanelTest : public forms_testing::LoaderTest {
 protected:
  PanelTest();
  ~PanelTest() override;

  // Compiles the form text, registers it with DrawPanel as type 8 of
  // library 1 and loads its window; fails the test when any step fails.
  void LoadForm(const std::string& form_text);
  // The same, answering whether the load succeeded.
  bool RegisterAndLoad(const std::string& form_text);
  void LoadPanel(const std::string& properties, int width = 200, int height = 100,
                 const std::string& extra = "");

  // Dispatches as the run loop does: loaded windows filter first.
  void Pump();

  // A method of the panel: the reference to it goes first.
  ValueRecord Call(CommandRoutine method, std::vector<ValueRecord> arguments = {});

  uint64_t Read(int32_t index, int32_t sub_index = -1) const;
  void Write(int32_t index, uint32_t low, uint32_t high = 0) const;
  void WritePointer(int32_t index, const void* pointer) const;

  drawpanel::Panel& panel() const;
  HWND panel_window() const;

  // A pixel of the panel's client area as the screen shows it, and as its
  // off-screen bitmap holds it (0x00BBGGRR).
  COLORREF ScreenPixel(int x, int y) const;
  COLORREF BitmapPixel(int x, int y) const;
  // How many pixels of the client area's rectangle show `colour`.
  int CountScreen(const RECT& area, COLORREF colour) const;

  // A picture of the runtime's list: a 24-bit BMP of width x height whose
  // pixels `colour(x, y)` gives; 0 when it fails to load.
  int32_t LoadTestPicture(int width, int height, COLORREF (*colour)(int x, int y));

  // Saves the screen as `name` in MIENZO_SCREENSHOT_DIR when that is set.
  void KeepScreenshot(const std::string& name) const;
};

// A 24-bit bottom-up BMP file of width x height.
std::vector<uint8_t> BmpFile(int width, int height, COLORREF (*colour)(int x, int y));

}  // namespace runtime::units::drawpanel_testing
