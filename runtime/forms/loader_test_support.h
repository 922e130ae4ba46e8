// What the loader, services and framework tests share: the framework
// installed in the runtime's hooks, the test library's windows entered into
// the registry by the start-up read, and a headless display.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/display/headless.h"
#include "platform/win32.h"
#include "runtime/forms/form_loader.h"
#include "runtime/forms/forms_test_support.h"
#include "runtime/forms/loaded_window.h"

namespace runtime::forms_testing {

inline constexpr uint32_t kMainWindow = 0x52010001;
inline constexpr uint32_t kSecondWindow = 0x52010002;
inline constexpr uint32_t kThirdWindow = 0x52010003;

class LoaderTest : public testing::Test {
 protected:
  LoaderTest();
  void TearDown() override;

  // Reads a program made of `windows` as start-up does.
  void Register(const std::vector<forms::WindowTemplate>& windows);
  // The same with real unit types in library 1's slots.
  void Register(const std::vector<forms::WindowTemplate>& windows,
                const std::vector<TestProgram::RealType>& real_types);
  static forms::LoadedWindow& Window(uint32_t window_id = kMainWindow);
  static bool Load(uint32_t window_id = kMainWindow, const forms::LoadOptions& options = {});
  // The live window of unit `unit_id`, or null.
  static HWND UnitWindow(uint32_t window_id, uint32_t unit_id);
  // Whether a WM_QUIT waits in the queue (it is taken out).
  static bool TakeQuit();

  platform::HeadlessDisplay display_;
  std::unique_ptr<TestProgram> program_;
};

// A window with only its own record, visible, at (x, 50).
forms::WindowTemplate PlainWindow(uint32_t window_id, int32_t x = 50);

}  // namespace runtime::forms_testing
