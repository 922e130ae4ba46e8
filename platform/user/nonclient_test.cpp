// The frame the layer draws: metrics by style, hit testing, the caption.
#include "platform/user/nonclient.h"

#include "platform/user/test_support.h"

namespace platform::user::testing {
namespace {

class NonClient : public ::testing::Test {
 protected:
  HeadlessDisplay display_;
  Recorder recorder_;
};

TEST_F(NonClient, ClientAreaMatchesAdjustWindowRect) {
  struct Case {
    DWORD style;
    DWORD ex_style;
  };
  const Case cases[] = {{WS_OVERLAPPEDWINDOW, 0},
                        {WS_POPUP | WS_BORDER, 0},
                        {WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW},
                        {WS_CHILD, WS_EX_CLIENTEDGE},
                        {WS_POPUP | WS_DLGFRAME, WS_EX_STATICEDGE}};
  HWND parent = recorder_.Create(WS_POPUP, 0, 0, 400, 400);
  for (const Case& c : cases) {
    RECT want{0, 0, 120, 80};
    AdjustWindowRectEx(&want, c.style, FALSE, c.ex_style);
    HWND hwnd = recorder_.Create(c.style, 0, 0, want.right - want.left, want.bottom - want.top,
                                 (c.style & WS_CHILD) ? parent : nullptr, c.ex_style);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 120) << "style " << std::hex << c.style;
    EXPECT_EQ(client.bottom, 80) << "style " << std::hex << c.style;
    DestroyWindow(hwnd);
  }
}

TEST_F(NonClient, HitTestNamesEveryPart) {
  HWND top = recorder_.Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  auto hit = [&](int x, int y) { return SendMessageA(top, WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
  EXPECT_EQ(hit(200, 110), HTCAPTION);
  EXPECT_EQ(hit(200, 200), HTCLIENT);
  EXPECT_EQ(hit(101, 200), HTLEFT);
  EXPECT_EQ(hit(398, 200), HTRIGHT);
  EXPECT_EQ(hit(101, 101), HTTOPLEFT);
  EXPECT_EQ(hit(398, 298), HTBOTTOMRIGHT);
  EXPECT_EQ(hit(388, 112), HTCLOSE);
  EXPECT_EQ(hit(50, 50), HTNOWHERE);
  HWND fixed = recorder_.Create(WS_POPUP | WS_BORDER | WS_VISIBLE, 500, 100, 50, 50);
  EXPECT_EQ(SendMessageA(fixed, WM_NCHITTEST, 0, MAKELPARAM(500, 120)), HTBORDER);
}

TEST_F(NonClient, CaptionShowsItsTitleAndTheActiveColour) {
  HWND top = recorder_.Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 120);
  display_.PumpUntilIdle();
  auto inked = [&] {
    int count = 0;
    for (int x = 8; x < 100; ++x) {
      for (int y = 6; y < 24; ++y) count += display_.ScreenPixel(x, y) == 0x000000;
    }
    return count;
  };
  EXPECT_EQ(inked(), 0) << "no title, no ink";
  SetWindowTextA(top, "Mienzo");
  display_.PumpUntilIdle();
  EXPECT_GT(inked(), 20) << "the title is written on the caption";
  uint32_t active = display_.ScreenPixel(200, 10);
  EXPECT_EQ(active, 0x99B4D1u) << "the active caption colour";
  HWND other = recorder_.Create(WS_POPUP | WS_VISIBLE, 400, 400, 10, 10);
  display_.PumpUntilIdle();
  EXPECT_NE(display_.ScreenPixel(200, 10), active) << "an inactive caption looks different";
  DestroyWindow(other);
}

TEST(SystemParameters, NonClientMetricsNameTheCaptionAndMessageFonts) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  EXPECT_EQ(metrics.iCaptionHeight, GetSystemMetrics(SM_CYCAPTION) - 1);
  EXPECT_EQ(metrics.lfMessageFont.lfHeight, -12);
  EXPECT_STREQ(metrics.lfMessageFont.lfFaceName, "\xCB\xCE\xCC\xE5");
  metrics.cbSize = 100;
  EXPECT_FALSE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 100, &metrics, 0));
  RECT work;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_GT(work.bottom, 0);
}

}  // namespace
}  // namespace platform::user::testing
