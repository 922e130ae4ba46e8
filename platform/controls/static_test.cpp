// The STATIC control on the headless display: text placement and wrapping,
// prefixes, the parent's colours, icons, and mouse transparency.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/display/headless.h"
#include "platform/win32.h"
#include "tests/support/control_host.h"

namespace platform {
namespace {

using testing_support::BoundsWhere;
using testing_support::ControlHost;
using testing_support::IsDark;
using testing_support::ScreenColor;

bool Empty(const RECT& r) { return IsRectEmpty(&r) != FALSE; }

// A 4 x 4 opaque icon of one colour (0x00RRGGBB).
HICON SolidIcon(uint32_t rgb) {
  std::vector<BYTE> resource(40 + 4 * 4 * 4 + 4 * 4, 0);
  BITMAPINFOHEADER header{};
  header.biSize = 40;
  header.biWidth = 4;
  header.biHeight = 8;
  header.biPlanes = 1;
  header.biBitCount = 32;
  std::memcpy(resource.data(), &header, sizeof header);
  for (int i = 0; i < 16; ++i) std::memcpy(&resource[40 + i * 4], &rgb, 3);
  return CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), TRUE,
                                  0x00030000, 0, 0, 0);
}

class Static : public ::testing::Test {
 protected:
  HWND Add(const char* text, DWORD style, RECT at, int id = 1) {
    HWND control = host_.Add("Static", text, style, at, id);
    display_.PumpUntilIdle();
    return control;
  }
  RECT Text(RECT area) { return BoundsWhere(display_, area, IsDark); }
  int LineHeight() {
    TEXTMETRICA tm{};
    HDC dc = GetDC(host_.hwnd());
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    GetTextMetricsA(dc, &tm);
    ReleaseDC(host_.hwnd(), dc);
    return tm.tmHeight;
  }

  HeadlessDisplay display_;
  ControlHost host_;
};

TEST_F(Static, TextIsPlacedLeftCentredOrRight) {
  Add("ab", SS_LEFT, {10, 10, 110, 30}, 1);
  Add("ab", SS_CENTER, {10, 40, 110, 60}, 2);
  Add("ab", SS_RIGHT, {10, 70, 110, 90}, 3);
  const RECT left = Text({10, 10, 110, 30});
  const RECT centre = Text({10, 40, 110, 60});
  const RECT right = Text({10, 70, 110, 90});
  ASSERT_FALSE(Empty(left));
  EXPECT_LE(left.left, 11);
  EXPECT_NEAR((centre.left + centre.right) / 2, 60, 2);
  EXPECT_GE(right.right, 108);
  EXPECT_EQ(left.right - left.left, right.right - right.left);
}

TEST_F(Static, WrapsAtWordsUnlessToldNot) {
  const char* text = "alpha beta gamma delta";
  Add(text, SS_LEFT, {10, 10, 60, 110}, 1);
  Add(text, SS_LEFTNOWORDWRAP, {70, 10, 120, 110}, 2);
  const RECT wrapped = Text({10, 10, 60, 110});
  const RECT one_line = Text({70, 10, 120, 110});
  EXPECT_GT(wrapped.bottom - wrapped.top, 2 * LineHeight());
  EXPECT_LE(one_line.bottom - one_line.top, LineHeight());
  EXPECT_EQ(one_line.right, 120) << "cut at the control's edge";
}

TEST_F(Static, AmpersandMarksAMnemonicUnlessNoPrefix) {
  Add("&x", SS_LEFT, {10, 10, 100, 30}, 1);
  Add("&x", SS_LEFT | SS_NOPREFIX, {10, 40, 100, 60}, 2);
  const RECT marked = Text({10, 10, 100, 30});
  const RECT literal = Text({10, 40, 100, 60});
  EXPECT_GT(literal.right - literal.left, marked.right - marked.left + 3) << "'&' shown";
  EXPECT_GT(marked.bottom - 10, literal.bottom - 40) << "underlined";
}

TEST_F(Static, ParentChoosesTheColours) {
  host_.static_brush = CreateSolidBrush(RGB(255, 0, 0));
  host_.static_text = RGB(0, 0, 255);
  Add("Text", SS_LEFT, {10, 10, 110, 30});
  EXPECT_EQ(display_.ScreenPixel(100, 25), 0xFF0000u) << "the parent's brush";
  const RECT blue = BoundsWhere(display_, {10, 10, 110, 30}, [](uint32_t p) { return p == 0xFFu; });
  EXPECT_FALSE(Empty(blue)) << "the parent's text colour";
  DestroyWindow(GetDlgItem(host_.hwnd(), 1));
  DeleteObject(host_.static_brush);
  host_.static_brush = nullptr;
}

TEST_F(Static, DefaultColoursAreTheDialogFace) {
  HWND control = Add("Text", SS_LEFT, {10, 10, 110, 30});
  EXPECT_EQ(display_.ScreenPixel(100, 25), ScreenColor(GetSysColor(COLOR_3DFACE)));
  EnableWindow(control, FALSE);
  EXPECT_TRUE(Empty(Text({10, 10, 110, 30}))) << "disabled text is grey";
  const RECT grey = BoundsWhere(display_, {10, 10, 110, 30}, [](uint32_t p) {
    return p == ScreenColor(GetSysColor(COLOR_GRAYTEXT));
  });
  EXPECT_FALSE(Empty(grey));
}

TEST_F(Static, SetTextRepaintsAtOnce) {
  HWND control = Add("", SS_LEFT, {10, 10, 110, 30});
  EXPECT_TRUE(Empty(Text({10, 10, 110, 30})));
  SetWindowTextA(control, "now");
  EXPECT_FALSE(Empty(Text({10, 10, 110, 30}))) << "without pumping";
  SetWindowTextA(control, "");
  EXPECT_TRUE(Empty(Text({10, 10, 110, 30})));
}

TEST_F(Static, IconControlTakesTheIconsSize) {
  HICON icon = SolidIcon(0x00FF00);
  HWND holder = Add(nullptr, SS_ICON, {10, 10, 60, 60});
  EXPECT_EQ(SendMessageA(holder, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0), 0);
  display_.PumpUntilIdle();  // the parent repaints what the control uncovered first
  RECT r;
  GetWindowRect(holder, &r);
  EXPECT_EQ(r.right - r.left, 4);
  EXPECT_EQ(r.bottom - r.top, 4);
  EXPECT_EQ(display_.ScreenPixel(11, 11), 0x00FF00u);
  EXPECT_EQ(SendMessageA(holder, STM_GETICON, 0, 0), reinterpret_cast<LRESULT>(icon));
  EXPECT_EQ(SendMessageA(holder, STM_GETIMAGE, IMAGE_ICON, 0), reinterpret_cast<LRESULT>(icon));
  EXPECT_EQ(SendMessageA(holder, STM_SETIMAGE, IMAGE_BITMAP, 1), 0) << "no bitmap in an icon";
  HICON other = SolidIcon(0xFF0000);
  EXPECT_EQ(SendMessageA(holder, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(other)),
            reinterpret_cast<LRESULT>(icon));
  display_.PumpUntilIdle();
  EXPECT_EQ(display_.ScreenPixel(11, 11), 0xFF0000u);
  DestroyWindow(holder);
  DestroyIcon(icon);
  DestroyIcon(other);
}

TEST_F(Static, CentredIconKeepsTheControlsSize) {
  HICON icon = SolidIcon(0x0000FF);
  HWND holder = Add(nullptr, SS_ICON | SS_CENTERIMAGE, {10, 10, 30, 30});
  SendMessageA(holder, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  const RECT blue = BoundsWhere(display_, {10, 10, 30, 30}, [](uint32_t p) { return p == 0xFFu; });
  EXPECT_EQ(blue.left, 18);
  EXPECT_EQ(blue.top, 18);
  DestroyWindow(holder);
  DestroyIcon(icon);
}

TEST_F(Static, MouseReachesTheParentUnlessNotify) {
  Add("quiet", SS_LEFT, {10, 10, 110, 30}, 1);
  Add("notify", SS_LEFT | SS_NOTIFY, {10, 40, 110, 60}, 2);
  display_.Click(50, 20);
  display_.PumpUntilIdle();
  EXPECT_EQ(host_.clicks, 1);
  EXPECT_TRUE(host_.commands.empty());
  display_.Click(50, 50);
  display_.PumpUntilIdle();
  EXPECT_EQ(host_.clicks, 1);
  ASSERT_EQ(host_.commands.size(), 1u);
  EXPECT_EQ(host_.commands[0].id, 2);
  EXPECT_EQ(host_.commands[0].code, STN_CLICKED);
  EXPECT_EQ(SendMessageA(GetDlgItem(host_.hwnd(), 2), WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

}  // namespace
}  // namespace platform
