// The headless display: composition, screenshots and the screen settings.
#include "platform/display/headless.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>

#include "platform/win32.h"
#include "tests/support/paint_solid.h"
#include "tests/support/temp_dir.h"

namespace platform {
namespace {

LRESULT PaintSolid(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wparam, lparam);
  testing_support::PaintClientSolid(
      hwnd, static_cast<COLORREF>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
  return 0;
}

class Headless : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PaintSolid;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    wc.lpszClassName = "Solid";
    RegisterClassA(&wc);
  }
  void TearDown() override {
    while (HWND top = GetTopWindow(nullptr)) DestroyWindow(top);
    UnregisterClassA("Solid", nullptr);
  }
  HWND Make(DWORD style, int x, int y, int w, int h, HWND parent, COLORREF color,
            const char* title = "") {
    HWND hwnd =
        CreateWindowExA(0, "Solid", title, style, x, y, w, h, parent, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(color));
    return hwnd;
  }

  HeadlessDisplay display_{ClockKind::kVirtual, ScreenSettings{320, 240, {0, 0, 320, 200}, 96}};
};

// Reads a PNG back as 0x00RRGGBB pixels.
std::vector<uint32_t> ReadPng(const std::string& path, int* width, int* height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_BGRA;
  std::vector<uint32_t> pixels(image.width * image.height);
  png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
  *width = static_cast<int>(image.width);
  *height = static_cast<int>(image.height);
  for (uint32_t& p : pixels) p &= 0x00FFFFFF;
  return pixels;
}

TEST_F(Headless, ComposesWindowsInZOrderOverTheDesktop) {
  Make(WS_POPUP | WS_VISIBLE, 10, 10, 100, 100, nullptr, RGB(255, 0, 0));
  Make(WS_POPUP | WS_VISIBLE, 60, 60, 100, 100, nullptr, RGB(0, 0, 255));
  display_.PumpUntilIdle();
  EXPECT_EQ(display_.ScreenPixel(20, 20), 0xFF0000u);
  EXPECT_EQ(display_.ScreenPixel(80, 80), 0x0000FFu) << "the later window is on top";
  EXPECT_EQ(display_.ScreenPixel(300, 5), 0x3A6EA5u) << "the desktop shows elsewhere";
  EXPECT_EQ(display_.ScreenPixel(-1, 0), 0u);
}

TEST_F(Headless, MinimisedAndHiddenWindowsAreNotShown) {
  HWND red = Make(WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, RGB(255, 0, 0));
  display_.PumpUntilIdle();
  ShowWindow(red, SW_MINIMIZE);
  EXPECT_EQ(display_.ScreenPixel(20, 20), 0x3A6EA5u);
  ShowWindow(red, SW_RESTORE);
  display_.PumpUntilIdle();
  EXPECT_EQ(display_.ScreenPixel(20, 20), 0xFF0000u);
  ShowWindow(red, SW_HIDE);
  EXPECT_EQ(display_.ScreenPixel(20, 20), 0x3A6EA5u);
}

TEST_F(Headless, ScreenshotHoldsTheComposedScreen) {
  HWND frame = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 260, 180, nullptr, RGB(240, 240, 240),
                    "Mienzo");
  Make(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 10, 120, 80, frame, RGB(200, 40, 40));
  Make(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 80, 50, 120, 80, frame, RGB(40, 90, 200));
  display_.PumpUntilIdle();
  testing_support::TempDir temp;
  std::string path = temp.PathOf("screen.png");
  // MIENZO_SCREENSHOT_DIR keeps a copy for people to look at.
  if (const char* keep = std::getenv("MIENZO_SCREENSHOT_DIR")) {
    ASSERT_TRUE(display_.SaveScreenshot(std::string(keep) + "/headless-windows.png"));
  }
  ASSERT_TRUE(display_.SaveScreenshot(path));
  int width = 0, height = 0;
  std::vector<uint32_t> png = ReadPng(path, &width, &height);
  ASSERT_EQ(width, 320);
  ASSERT_EQ(height, 240);
  EXPECT_EQ(png, display_.ComposeScreen());
}

TEST(HeadlessScreen, ComesFromTheEnvironment) {
  setenv("MIENZO_SCREEN", "800x600", 1);
  setenv("MIENZO_DPI", "120", 1);
  ScreenSettings s = HeadlessDisplay::ScreenFromEnvironment();
  EXPECT_EQ(s.width, 800);
  EXPECT_EQ(s.height, 600);
  EXPECT_EQ(s.dpi, 120);
  setenv("MIENZO_SCREEN", "nonsense", 1);
  EXPECT_EQ(HeadlessDisplay::ScreenFromEnvironment().width, 1366);
  unsetenv("MIENZO_SCREEN");
  unsetenv("MIENZO_DPI");
}

}  // namespace
}  // namespace platform
