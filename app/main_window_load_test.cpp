// The main window loaded from its compiled segment by the form loader with
// the runtime's own nine unit types on the headless display: every unit is
// created from its stored record and shows up where the form puts it, and the
// panel's mouse bindings reach the dispatcher. With MIENZO_SCREENSHOT_DIR set
// the screen is kept as editor-main-window.png.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_segment.h"
#include "platform/base/gbk.h"
#include "runtime/core/runtime_library.h"
#include "runtime/forms/forms_test_support.h"
#include "runtime/forms/template_segment.h"
#include "runtime/forms/unit_record.h"
#include "runtime/units/window/window_test_support.h"

namespace {

using runtime::forms_testing::kMainWindow;
using runtime::forms_testing::TestProgram;
using runtime::units::window_testing::SaveScreenshotIfAsked;
using runtime::units::window_testing::WindowTest;

constexpr uint32_t kPanel = 0x16010005;
constexpr uint32_t kDialog = 0x16010004;
constexpr uint32_t kOpenButton = 0x16010008;
constexpr uint32_t kTextBox = 0x16010011;
constexpr uint32_t kClearButton = 0x16010046;
constexpr int32_t kOpenPicturePosition = 6;

// The runtime library's unit types in the slots their type codes name.
std::vector<TestProgram::RealType> RuntimeTypes() {
  const auto& slots = runtime::RuntimeLibrary().unit_types;
  std::vector<TestProgram::RealType> types;
  for (int32_t number : {1, 5, 6, 8, 10, 11, 14, 28, 31}) {
    types.push_back({number, slots[number - 1]});
  }
  return types;
}

// The test program's handler table is shorter than the editor's: bindings
// past its end are unbound here, so that relocation accepts the table.
void UnbindPastTestHandlers(runtime::forms::UnitTable& units) {
  for (int32_t i = 0; i < units.Count(); ++i) {
    auto record = units.RecordAt(i);
    const auto layout = runtime::forms::LocateUnitFields(record);
    if (!layout) continue;
    for (uint32_t b = 0; b < layout->binding_count_value; ++b) {
      const size_t handler = layout->bindings + 8 * b + 4;
      if (runtime::forms::RecordWord(record, handler) >=
          static_cast<uint32_t>(runtime::forms_testing::kHandlerCount)) {
        runtime::forms::SetRecordWord(record, handler, 0xFFFFFFFF);
      }
    }
  }
}

class MainWindowLoadTest : public WindowTest {
 protected:
  void SetUp() override {
    auto windows =
        runtime::forms::ReadTemplateSegment({kMainWindowSegment, kMainWindowSegment_size});
    ASSERT_TRUE(windows.has_value());
    for (auto& window : *windows) UnbindPastTestHandlers(window.units);
    RegisterForms(*windows, RuntimeTypes());
    ASSERT_TRUE(Load());
    Pump();
  }

  static std::string TextOf(HWND hwnd) {
    char text[128] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
  }

  // Client point (x, y) of `hwnd` on the screen.
  static POINT OnScreen(HWND hwnd, int x, int y) {
    POINT point{x, y};
    ClientToScreen(hwnd, &point);
    return point;
  }
};

TEST_F(MainWindowLoadTest, EveryUnitIsCreatedAndShownButTheDialog) {
  const auto& window = Window();
  ASSERT_EQ(window.units.Count(), 22);
  HWND main = HandleOf();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(TextOf(main), "Mienzo");
  RECT frame{};
  GetWindowRect(main, &frame);
  EXPECT_EQ(frame.right - frame.left, 1155);
  EXPECT_EQ(frame.bottom - frame.top, 673);
  EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - 1155) / 2) << "centred, not at 50";

  for (int32_t i = 1; i < window.units.Count(); ++i) {
    const uint32_t id = window.units.IdAt(i);
    SCOPED_TRACE(testing::Message() << std::hex << id);
    EXPECT_NE(window.LiveAt(i), nullptr) << "created from its stored record";
    HWND unit = UnitWindow(kMainWindow, id);
    if (id == kDialog) {
      EXPECT_TRUE(unit == nullptr || !IsWindowVisible(unit)) << "never seen";
      continue;
    }
    ASSERT_NE(unit, nullptr);
    EXPECT_TRUE(IsWindowVisible(unit));
    EXPECT_EQ(GetParent(unit), main);
    const auto layout = runtime::forms::LocateUnitFields(window.units.RecordAt(i));
    ASSERT_TRUE(layout.has_value());
    RECT place{};
    GetWindowRect(unit, &place);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&place), 2);
    const auto record = window.units.RecordAt(i);
    EXPECT_EQ(place.left, static_cast<int32_t>(runtime::forms::RecordWord(record, layout->left)));
    EXPECT_EQ(place.top, static_cast<int32_t>(runtime::forms::RecordWord(record, layout->top)));
  }
  SaveScreenshotIfAsked(display_, "editor-main-window.png");
}

TEST_F(MainWindowLoadTest, UnitsShowTheirStoredTexts) {
  EXPECT_EQ(TextOf(UnitWindow(kMainWindow, kClearButton)), platform::gbk::Gbk("清除所有"));
  EXPECT_EQ(TextOf(UnitWindow(kMainWindow, kTextBox)),
            platform::gbk::Gbk("Kerlo制作， 你可以在这里写字"));
}

TEST_F(MainWindowLoadTest, PanelMouseAndButtonBindingsReachTheirHandlers) {
  HWND panel = UnitWindow(kMainWindow, kPanel);
  ASSERT_NE(panel, nullptr);
  const POINT at = OnScreen(panel, 100, 100);
  display_.MoveMouse(at.x, at.y);
  Pump();
  ResetCalls();
  display_.Press();
  display_.MoveMouse(at.x + 5, at.y + 5);
  display_.Release();
  Pump();
  EXPECT_EQ(CalledHandlers(), (std::vector<int32_t>{1, 0, 2})) << "down, move, up";

  ResetCalls();
  const POINT button = OnScreen(UnitWindow(kMainWindow, kOpenButton), 10, 10);
  display_.Click(button.x, button.y);
  Pump();
  EXPECT_EQ(CalledHandlers(), std::vector<int32_t>{kOpenPicturePosition});
}

}  // namespace
