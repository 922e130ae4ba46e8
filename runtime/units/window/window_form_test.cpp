// A window compiled from form text by formc and loaded with the real window
// type: its start position, caption and border, the tab order of units with
// equal tab numbers, Enter reaching the default button and Esc closing.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/base/gbk.h"
#include "runtime/core/app_state.h"
#include "runtime/forms/property_access.h"
#include "runtime/forms/template_segment.h"
#include "runtime/units/window/window_test_support.h"
#include "runtime/units/window/window_type.h"

namespace runtime::units::window_testing {
namespace {

using forms_testing::kMainWindow;

constexpr uint32_t kEdit1 = 0x16010001;
constexpr uint32_t kEdit2 = 0x16010002;
constexpr uint32_t kEdit3 = 0x16010003;

class WindowFormTest : public WindowTest {
 protected:
  void SetUp() override {
    std::ifstream file(MIENZO_TAB_WINDOW_SEGMENT, std::ios::binary);
    const std::string segment{std::istreambuf_iterator<char>(file), {}};
    auto windows = forms::ReadTemplateSegment(
        {reinterpret_cast<const uint8_t*>(segment.data()), segment.size()});
    ASSERT_TRUE(windows.has_value()) << "the compiled segment reads back";
    RegisterForms(*windows);
    ASSERT_TRUE(Load());
    Pump();
  }
};

TEST_F(WindowFormTest, StartsCentredWithItsCaptionAndFixedBorder) {
  RECT rect{};
  GetWindowRect(HandleOf(), &rect);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 360) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 220) / 2);
  const uint64_t start =
      forms::ReadProperty(kMainWindow, 0x06010000, 8 + window::kStartPositionProperty, -1);
  EXPECT_EQ(start, 0u) << "read back as the state now";
  char title[32] = {};
  GetWindowTextA(HandleOf(), title, sizeof title);
  EXPECT_EQ(std::string(title), platform::gbk::Gbk("表单窗口"));
  const LONG style = GetWindowLongA(HandleOf(), GWL_STYLE);
  EXPECT_EQ(style & WS_THICKFRAME, 0) << "a fixed border";
  EXPECT_NE(style & WS_DLGFRAME, 0);
}

TEST_F(WindowFormTest, TabFollowsTabNumbersWithEqualNumbersInCreationOrder) {
  // Tab number 0 for the second and third boxes: created last entry first,
  // so the third comes before the second; the first (number 1) follows.
  SetFocus(UnitWindow(kMainWindow, kEdit3));
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), UnitWindow(kMainWindow, kEdit2));
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), UnitWindow(kMainWindow, kEdit1));
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), UnitWindow(kMainWindow, kEdit3)) << "round to the first";
  Press(VK_TAB, {VK_SHIFT});
  EXPECT_EQ(GetFocus(), UnitWindow(kMainWindow, kEdit1));
}

TEST_F(WindowFormTest, EnterClicksTheDefaultButtonAndEscCloses) {
  SetFocus(UnitWindow(kMainWindow, kEdit2));
  ResetCalls();
  Press(VK_RETURN);
  EXPECT_EQ(CalledHandlers(), std::vector<int32_t>{0}) << "OnOk";
  HWND hwnd = HandleOf();
  Press(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace
}  // namespace runtime::units::window_testing
