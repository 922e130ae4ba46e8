// The placeholder for a unit whose library is missing, on the headless
// display.
#include "runtime/forms/placeholder_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "platform/display/headless.h"

namespace runtime::forms {
namespace {

constexpr const char* kParentClass = "MienzoPlaceholderParent";
std::vector<UINT> g_passed_back;

LRESULT RecorderProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DRAWITEM || message == WM_COMPAREITEM || message == WM_DELETEITEM) {
    g_passed_back.push_back(message);
    return 7;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

class PlaceholderWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = RecorderProc;
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    window_class.lpszClassName = kParentClass;
    RegisterClassA(&window_class);
    parent_ = CreateWindowExA(0, kParentClass, "", WS_POPUP | WS_VISIBLE, 100, 100, 300, 120,
                              nullptr, nullptr, nullptr, nullptr);
    g_passed_back.clear();
  }
  void TearDown() override {
    DestroyWindow(parent_);
    UnregisterClassA(kParentClass, nullptr);
  }

  platform::HeadlessDisplay display_;
  HWND parent_ = nullptr;
};

TEST_F(PlaceholderWindowTest, ShowsItsTextInRedCentredOverTheParentsBackground) {
  HWND placeholder = CreatePlaceholderWindow(parent_, WS_VISIBLE, 20, 20, 260, 60, 100);
  ASSERT_NE(placeholder, nullptr);
  EXPECT_EQ(GetDlgCtrlID(placeholder), 100);
  ASSERT_TRUE(display_.PumpUntilIdle());

  RECT area{};
  GetWindowRect(placeholder, &area);
  const std::vector<uint32_t> screen = display_.ComposeScreen();
  const int screen_width = display_.Screen().width;
  auto pixel_at = [&](int x, int y) { return screen[static_cast<size_t>(y * screen_width + x)]; };
  int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const uint32_t pixel = pixel_at(x, y);
      if (pixel == 0xFF0000) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
  }
  ASSERT_LE(left, right) << "no red text";
  EXPECT_NEAR((left + right) / 2.0, (area.left + area.right) / 2.0, 3.0);
  EXPECT_NEAR((top + bottom) / 2.0, (area.top + area.bottom) / 2.0, 3.0);
  EXPECT_LT(bottom - top, 30) << "one line";
  EXPECT_EQ(pixel_at(area.left + 1, area.top + 1), 0xFFFFFFu)
      << "no background of its own: the parent's white shows";
}

TEST_F(PlaceholderWindowTest, OwnerDrawingNotificationsGoBackToTheControlThatSentThem) {
  HWND placeholder = CreatePlaceholderWindow(parent_, 0, 0, 0, 50, 50, 110);
  HWND control = CreateWindowExA(0, kParentClass, "", WS_CHILD, 0, 0, 10, 10, placeholder, nullptr,
                                 nullptr, nullptr);
  DRAWITEMSTRUCT draw{};
  draw.hwndItem = control;
  COMPAREITEMSTRUCT compare{};
  compare.hwndItem = control;
  DELETEITEMSTRUCT remove{};
  remove.hwndItem = control;
  EXPECT_EQ(SendMessageA(placeholder, WM_DRAWITEM, 1, reinterpret_cast<LPARAM>(&draw)), 7);
  EXPECT_EQ(SendMessageA(placeholder, WM_COMPAREITEM, 1, reinterpret_cast<LPARAM>(&compare)), 7);
  EXPECT_EQ(SendMessageA(placeholder, WM_DELETEITEM, 1, reinterpret_cast<LPARAM>(&remove)), 7);
  EXPECT_EQ(g_passed_back, (std::vector<UINT>{WM_DRAWITEM, WM_COMPAREITEM, WM_DELETEITEM}));

  draw.hwndItem = placeholder;  // would come straight back
  EXPECT_EQ(SendMessageA(placeholder, WM_DRAWITEM, 1, reinterpret_cast<LPARAM>(&draw)), 0);
  EXPECT_EQ(SendMessageA(placeholder, WM_DRAWITEM, 1, 0), 0);
  EXPECT_EQ(g_passed_back.size(), 3u);
}

}  // namespace
}  // namespace runtime::forms
