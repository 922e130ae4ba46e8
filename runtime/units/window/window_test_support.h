// What the window unit's tests share: stand-in unit types for the units a
// window holds (edit boxes, buttons, radio buttons, check boxes, labels),
// made of the platform's standard controls; stored window records; a
// fixture that loads windows of the real window type through the form
// loader; and a pump that filters messages as the run loop does.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "runtime/forms/loader_test_support.h"
#include "runtime/forms/record_schema.h"
#include "runtime/units/window/window_unit.h"

namespace runtime::units::window_testing {

// Type codes of library 1 in these tests: the real window type in slot 1,
// the stand-ins in slots of their own.
inline constexpr uint32_t kWindowType = 0x00010001;
inline constexpr uint32_t kEditType = 0x00010014;           // multi-line EDIT, wants Enter
inline constexpr uint32_t kLineEditType = 0x00010015;       // single-line EDIT
inline constexpr uint32_t kButtonType = 0x00010016;         // BUTTON, push button (0x800)
inline constexpr uint32_t kDefaultButtonType = 0x00010017;  // the same with BS_DEFPUSHBUTTON
inline constexpr uint32_t kRadioType = 0x00010018;          // BUTTON, radio button (0x400)
inline constexpr uint32_t kCheckType = 0x00010019;          // BUTTON, check box (0x1000)
inline constexpr uint32_t kLabelType = 0x0001001A;          // STATIC, label flags 0x84012040

// A stand-in's stored record is its caption, as it is.

// A window record: every field at its default, then `change` applied.
std::string WindowRecord(const std::function<void(forms::RecordValues&)>& change = {});

// A 24-bit BMP file of one colour.
std::string SolidBmp(int width, int height, COLORREF colour);

class WindowTest : public forms_testing::LoaderTest {
 protected:
  WindowTest();
  void TearDown() override;

  // Reads a program of `windows` with the real window type and the
  // stand-ins.
  void RegisterForms(const std::vector<forms::WindowTemplate>& windows);
  // The same with further real unit types in slots of their own.
  void RegisterForms(const std::vector<forms::WindowTemplate>& windows,
                     const std::vector<forms_testing::TestProgram::RealType>& more_types);
  // One window of `record`, at the given place, visible.
  forms::WindowTemplate OneWindow(const std::string& record, int32_t left = 100, int32_t top = 80,
                                  int32_t width = 320, int32_t height = 240,
                                  uint32_t window_id = forms_testing::kMainWindow);
  // Registers and loads one window of `record`; its live object.
  window::WindowUnit* LoadOne(const std::string& record, int32_t width = 320, int32_t height = 240);

  static window::WindowUnit* UnitOf(uint32_t window_id = forms_testing::kMainWindow);
  static HWND HandleOf(uint32_t window_id = forms_testing::kMainWindow);

  // Dispatches every queued message as the run loop does: offered first to
  // the framework's filter of the target window and its ancestors.
  void Pump();
  // Queues a key press (with the modifiers held), then pumps.
  void Press(UINT vk, std::initializer_list<UINT> modifiers = {});
  // The screen pixel at client point (x, y) of `hwnd`, 0x00BBGGRR.
  COLORREF ClientPixel(HWND hwnd, int x, int y) const;
  // Handler positions called since the last reset, in order.
  static std::vector<int32_t> CalledHandlers();
  static void ResetCalls();
};

// Saves a screenshot named `name` (PNG) into MIENZO_SCREENSHOT_DIR when it
// is set.
void SaveScreenshotIfAsked(const platform::HeadlessDisplay& display, const std::string& name);

}  // namespace runtime::units::window_testing
