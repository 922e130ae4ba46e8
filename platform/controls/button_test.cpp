// The BUTTON control on the headless display: clicks from the mouse and the
// space bar, the pressed and default looks, owner drawing, images, check
// boxes and radio buttons, and the messages a dialog manager relies on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/base/gbk.h"
#include "platform/display/headless.h"
#include "platform/win32.h"
#include "tests/support/control_host.h"

namespace platform {
namespace {

using gbk::Gbk;
using testing_support::BoundsWhere;
using testing_support::ControlHost;
using testing_support::IsDark;
using testing_support::ScreenColor;

constexpr int kId = 7;
constexpr RECT kButtonAt{20, 20, 120, 50};

bool Empty(const RECT& r) { return IsRectEmpty(&r) != FALSE; }

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

class Button : public ::testing::Test {
 protected:
  HWND Add(const char* text, DWORD style, RECT at = kButtonAt, int id = kId) {
    HWND button = host_.Add("Button", text, style, at, id);
    display_.PumpUntilIdle();
    return button;
  }
  // The text's dark pixels, inside the face (the frame's dark lines left out).
  RECT TextBounds(RECT at = kButtonAt) {
    InflateRect(&at, -4, -4);
    return BoundsWhere(display_, at, IsDark);
  }
  std::vector<uint32_t> Pixels(RECT area) {
    const std::vector<uint32_t> screen = display_.ComposeScreen();
    std::vector<uint32_t> out;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        out.push_back(screen[static_cast<size_t>(y) * display_.Screen().width + x]);
      }
    }
    return out;
  }
  bool Clicked(HWND button) const {
    return host_.commands.size() == 1 && host_.commands[0].id == kId &&
           host_.commands[0].code == BN_CLICKED && host_.commands[0].control == button;
  }

  HeadlessDisplay display_;
  ControlHost host_;
};

TEST_F(Button, PressAndReleaseInsideClicksOnce) {
  HWND button = Add("OK", BS_PUSHBUTTON);
  display_.Click(60, 30);
  display_.PumpUntilIdle();
  EXPECT_TRUE(Clicked(button)) << host_.commands.size() << " notifications";
  EXPECT_EQ(GetFocus(), button) << "a click takes the focus";
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Button, ReleaseOutsideDoesNotClickAndThePressFollowsThePointer) {
  HWND button = Add("OK", BS_PUSHBUTTON);
  display_.MoveMouse(60, 30);
  display_.Press();
  display_.PumpUntilIdle();
  EXPECT_TRUE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
  display_.MoveMouse(200, 150);
  display_.PumpUntilIdle();
  EXPECT_FALSE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) << "pointer left it";
  display_.MoveMouse(61, 31);
  display_.PumpUntilIdle();
  EXPECT_TRUE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) << "pointer came back";
  display_.MoveMouse(200, 150);
  display_.Release();
  display_.PumpUntilIdle();
  EXPECT_TRUE(host_.commands.empty());
  EXPECT_FALSE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
}

TEST_F(Button, SpaceBarClicksOnRelease) {
  HWND button = Add("OK", BS_PUSHBUTTON);
  SetFocus(button);
  display_.KeyDown(VK_SPACE);
  display_.PumpUntilIdle();
  EXPECT_TRUE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
  EXPECT_TRUE(host_.commands.empty()) << "not before the key comes up";
  display_.KeyUp(VK_SPACE);
  display_.PumpUntilIdle();
  EXPECT_TRUE(Clicked(button));
  host_.commands.clear();
  display_.Key(VK_RETURN);  // Enter belongs to the window that owns the buttons
  display_.PumpUntilIdle();
  EXPECT_TRUE(host_.commands.empty());
}

TEST_F(Button, PressedLookIsSunkenWithTheTextOnePixelDownAndRight) {
  HWND button = Add("OK", BS_PUSHBUTTON);
  SetFocus(button);  // as it will have once pressed
  display_.PumpUntilIdle();
  const RECT normal_text = TextBounds();
  const std::vector<uint32_t> normal = Pixels(kButtonAt);
  ASSERT_FALSE(Empty(normal_text)) << "the caption is drawn";
  display_.MoveMouse(60, 30);
  display_.Press();
  display_.PumpUntilIdle();
  EXPECT_NE(Pixels(kButtonAt), normal);
  RECT shifted = normal_text;
  OffsetRect(&shifted, 1, 1);
  EXPECT_TRUE(SameRect(TextBounds(), shifted))
      << "expected " << Describe(shifted) << ", got " << Describe(TextBounds());
  // Sunken: the top-left line is the shadow, not the light of a raised face.
  EXPECT_EQ(display_.ScreenPixel(kButtonAt.left, kButtonAt.top + 10),
            ScreenColor(GetSysColor(COLOR_3DSHADOW)));
  display_.Release();
  display_.PumpUntilIdle();
  EXPECT_EQ(Pixels(kButtonAt), normal) << "released, it looks as before";
}

TEST_F(Button, DefaultButtonHasTheThickerBlackFrame) {
  Add("A", BS_PUSHBUTTON, {20, 20, 100, 45}, 1);
  Add("B", BS_DEFPUSHBUTTON, {120, 20, 200, 45}, 2);
  const uint32_t frame = ScreenColor(GetSysColor(COLOR_WINDOWFRAME));
  const uint32_t dark = ScreenColor(GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_NE(display_.ScreenPixel(20, 30), frame);
  EXPECT_EQ(display_.ScreenPixel(99, 30), dark) << "one dark line at a plain button's right";
  EXPECT_NE(display_.ScreenPixel(98, 30), dark);
  EXPECT_EQ(display_.ScreenPixel(120, 30), frame) << "the frame all round the default button";
  EXPECT_EQ(display_.ScreenPixel(199, 30), frame);
  EXPECT_EQ(display_.ScreenPixel(198, 30), dark) << "and the edge's dark line inside it";
  EXPECT_EQ(SendMessageA(GetDlgItem(host_.hwnd(), 2), WM_GETDLGCODE, 0, 0),
            DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  EXPECT_EQ(SendMessageA(GetDlgItem(host_.hwnd(), 1), WM_GETDLGCODE, 0, 0),
            DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
}

TEST_F(Button, SetStyleChangesTheTypeAndKeepsTheOtherBits) {
  HWND button = Add("A", BS_PUSHBUTTON | BS_LEFT | BS_MULTILINE);
  SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON | BS_LEFT | BS_MULTILINE, TRUE);
  EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & 0xFFFF, BS_DEFPUSHBUTTON | BS_LEFT | BS_MULTILINE);
  EXPECT_TRUE(GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(display_.ScreenPixel(kButtonAt.left, 30), ScreenColor(GetSysColor(COLOR_WINDOWFRAME)))
      << "repainted at once";
}

TEST_F(Button, FocusShowsADottedRectangle) {
  HWND button = Add("OK", BS_PUSHBUTTON);
  const std::vector<uint32_t> unfocused = Pixels(kButtonAt);
  SetFocus(button);
  display_.PumpUntilIdle();
  EXPECT_NE(Pixels(kButtonAt), unfocused);
  EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_FOCUS);
  SetFocus(host_.hwnd());
  display_.PumpUntilIdle();
  EXPECT_EQ(Pixels(kButtonAt), unfocused);
}

TEST_F(Button, AlignmentStylesPlaceTheText) {
  Add("Left", BS_PUSHBUTTON | BS_LEFT | BS_TOP, {10, 10, 150, 60}, 1);
  Add("Right", BS_PUSHBUTTON | BS_RIGHT | BS_BOTTOM, {10, 70, 150, 120}, 2);
  const RECT left = TextBounds({10, 10, 150, 60});
  const RECT right = TextBounds({10, 70, 150, 120});
  EXPECT_LT(left.left, 20);
  EXPECT_LT(left.top, 22);
  EXPECT_GT(right.right, 140);
  EXPECT_GT(right.bottom, 108);
}

TEST_F(Button, MultilineWrapsAndCentresTheLines) {
  const char* text = "one two three four five six";
  Add(text, BS_PUSHBUTTON, {10, 10, 90, 80}, 1);
  Add(text, BS_PUSHBUTTON | BS_MULTILINE, {100, 10, 180, 80}, 2);
  TEXTMETRICA tm{};
  HDC dc = GetDC(host_.hwnd());
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  GetTextMetricsA(dc, &tm);
  ReleaseDC(host_.hwnd(), dc);
  const RECT single = TextBounds({10, 10, 90, 80});
  const RECT wrapped = TextBounds({100, 10, 180, 80});
  EXPECT_LE(single.bottom - single.top, tm.tmHeight);
  EXPECT_GT(wrapped.bottom - wrapped.top, tm.tmHeight) << "two lines or more";
  const int above = wrapped.top - 10, below = 80 - wrapped.bottom;
  EXPECT_LE(std::abs(above - below), tm.tmHeight / 2 + 2) << "centred vertically";
}

TEST_F(Button, DisabledTextIsEmbossedGrey) {
  HWND button = Add("OK", BS_PUSHBUTTON);
  EnableWindow(button, FALSE);
  EXPECT_TRUE(Empty(TextBounds())) << "no black text left";
  RECT inner = kButtonAt;
  InflateRect(&inner, -4, -4);
  const RECT grey = BoundsWhere(
      display_, inner, [](uint32_t p) { return p == ScreenColor(GetSysColor(COLOR_3DSHADOW)); });
  EXPECT_FALSE(Empty(grey));
  display_.Click(60, 30);
  display_.PumpUntilIdle();
  EXPECT_TRUE(host_.commands.empty()) << "a disabled button is not clicked";
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_TRUE(host_.commands.empty());
}

TEST_F(Button, MnemonicIsUnderlined) {
  Add("A", BS_PUSHBUTTON, {10, 10, 90, 40}, 1);
  Add("&A", BS_PUSHBUTTON, {100, 10, 180, 40}, 2);
  const RECT plain = TextBounds({10, 10, 90, 40});
  const RECT marked = TextBounds({100, 10, 180, 40});
  EXPECT_LE(std::abs((marked.right - marked.left) - (plain.right - plain.left)), 1)
      << "the '&' is not shown";
  EXPECT_GT(marked.bottom, plain.bottom) << "an underline below the letter";
}

TEST_F(Button, ClickMessageAndStateMessages) {
  HWND button = Add("OK", BS_PUSHBUTTON);
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_TRUE(Clicked(button));
  SendMessageA(button, BM_SETSTATE, TRUE, 0);
  EXPECT_TRUE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
  SendMessageA(button, BM_SETSTATE, FALSE, 0);
  EXPECT_FALSE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
  HFONT font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0)), font);
}

TEST_F(Button, OwnerDrawnButtonsAskTheParentWithTheirState) {
  HWND button = Add("", BS_OWNERDRAW);
  ASSERT_FALSE(host_.draws.empty());
  const DRAWITEMSTRUCT& first = host_.draws.back();
  EXPECT_EQ(first.CtlType, static_cast<UINT>(ODT_BUTTON));
  EXPECT_EQ(first.CtlID, static_cast<UINT>(kId));
  EXPECT_EQ(first.itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
  EXPECT_EQ(first.itemState, 0u);
  EXPECT_EQ(first.hwndItem, button);
  EXPECT_EQ(first.rcItem.right, kButtonAt.right - kButtonAt.left);

  host_.draws.clear();
  display_.MoveMouse(60, 30);
  display_.Press();
  display_.PumpUntilIdle();
  bool focus_seen = false, select_seen = false;
  for (const DRAWITEMSTRUCT& d : host_.draws) {
    if (d.itemAction == ODA_FOCUS) focus_seen = (d.itemState & ODS_FOCUS) != 0;
    if (d.itemAction == ODA_SELECT) select_seen = (d.itemState & ODS_SELECTED) != 0;
  }
  EXPECT_TRUE(focus_seen);
  EXPECT_TRUE(select_seen);
  display_.Release();
  display_.PumpUntilIdle();
  ASSERT_FALSE(host_.draws.empty());
  EXPECT_EQ(host_.draws.back().itemAction, static_cast<UINT>(ODA_SELECT));
  EXPECT_EQ(host_.draws.back().itemState, static_cast<UINT>(ODS_FOCUS));
  EXPECT_TRUE(Clicked(button));

  host_.draws.clear();
  EnableWindow(button, FALSE);
  ASSERT_FALSE(host_.draws.empty());
  EXPECT_TRUE(host_.draws.back().itemState & ODS_DISABLED);
}

TEST_F(Button, BitmapImageIsDrawnWhereTheAlignmentSays) {
  HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 8, 6);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT all{0, 0, 8, 6};
  FillRect(memory, &all, red);
  SelectObject(memory, old);
  DeleteDC(memory);

  HWND centred = Add("text", BS_PUSHBUTTON | BS_BITMAP, {10, 10, 70, 40}, 1);
  HWND corner = Add("text", BS_PUSHBUTTON | BS_BITMAP | BS_LEFT | BS_TOP, {80, 10, 140, 40}, 2);
  EXPECT_EQ(SendMessageA(centred, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)), 0);
  SendMessageA(corner, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  EXPECT_EQ(SendMessageA(centred, BM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(bitmap));
  EXPECT_EQ(SendMessageA(centred, BM_GETIMAGE, IMAGE_ICON, 0), 0);
  display_.PumpUntilIdle();
  const auto is_red = [](uint32_t p) { return p == 0xFF0000u; };
  const RECT middle = BoundsWhere(display_, {10, 10, 70, 40}, is_red);
  EXPECT_EQ(middle.right - middle.left, 8);
  EXPECT_EQ(middle.bottom - middle.top, 6);
  EXPECT_EQ((middle.left + middle.right) / 2, 40);
  EXPECT_TRUE(Empty(TextBounds({10, 10, 70, 40}))) << "the image replaces the text";
  const RECT top_left = BoundsWhere(display_, {80, 10, 140, 40}, is_red);
  EXPECT_EQ(top_left.left, 83) << "inside the two-pixel edge and one of margin";
  EXPECT_EQ(top_left.top, 13);
  DestroyWindow(centred);
  DestroyWindow(corner);
  DeleteObject(red);
  DeleteObject(bitmap);
}

TEST_F(Button, IconImageIsDrawnAtItsOwnSize) {
  // A 4 x 4 opaque blue icon: header, 32-bit rows, an all-clear AND mask.
  std::vector<BYTE> resource(40 + 4 * 4 * 4 + 4 * 4, 0);
  BITMAPINFOHEADER header{};
  header.biSize = 40;
  header.biWidth = 4;
  header.biHeight = 8;
  header.biPlanes = 1;
  header.biBitCount = 32;
  std::memcpy(resource.data(), &header, sizeof header);
  for (int i = 0; i < 16; ++i) resource[40 + i * 4] = 0xFF;  // blue, no alpha
  HICON icon = CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), TRUE,
                                        0x00030000, 0, 0, 0);
  ASSERT_NE(icon, nullptr);
  HWND button = Add("", BS_PUSHBUTTON | BS_ICON, {10, 10, 50, 40}, 1);
  SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  display_.PumpUntilIdle();
  const RECT blue = BoundsWhere(display_, {10, 10, 50, 40}, [](uint32_t p) { return p == 0xFFu; });
  EXPECT_EQ(blue.right - blue.left, 4);
  EXPECT_EQ(blue.bottom - blue.top, 4);
  EXPECT_EQ(SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0), reinterpret_cast<LRESULT>(icon));
  DestroyWindow(button);
  DestroyIcon(icon);
}

TEST_F(Button, AutomaticCheckBoxTogglesBeforeTheParentHears) {
  HWND box = Add("Check", BS_AUTOCHECKBOX);
  EXPECT_EQ(SendMessageA(box, WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
  display_.Click(25, 35);
  display_.PumpUntilIdle();
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(Clicked(box));
  SetFocus(box);
  display_.Key(VK_SPACE);
  display_.PumpUntilIdle();
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  HWND plain = Add("Plain", BS_CHECKBOX, {20, 60, 120, 80}, 8);
  SendMessageA(plain, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(plain, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "only automatic ones toggle";
  SendMessageA(plain, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(SendMessageA(plain, BM_GETCHECK, 0, 0), BST_CHECKED) << "two-state boxes";
}

TEST_F(Button, AutomaticRadioButtonsClearTheOthersOfTheirGroup) {
  HWND a = Add("A", BS_AUTORADIOBUTTON | WS_GROUP, {10, 10, 100, 30}, 1);
  HWND b = Add("B", BS_AUTORADIOBUTTON, {10, 40, 100, 60}, 2);
  HWND other = Add("C", BS_AUTORADIOBUTTON | WS_GROUP, {10, 70, 100, 90}, 3);
  for (HWND h : {a, b, other}) {
    SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  SendMessageA(a, BM_CLICK, 0, 0);
  SendMessageA(other, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(a, BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(b, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(other, BM_GETCHECK, 0, 0), BST_CHECKED) << "another group";
  EXPECT_EQ(SendMessageA(b, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_RADIOBUTTON);
}

TEST_F(Button, GroupBoxLetsTheMouseThrough) {
  HWND group = Add("Group", BS_GROUPBOX, {10, 10, 200, 150}, 1);
  EXPECT_EQ(SendMessageA(group, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
  display_.Click(100, 100);
  display_.PumpUntilIdle();
  EXPECT_EQ(host_.clicks, 1);
  EXPECT_TRUE(host_.commands.empty());
}

// MIENZO_SCREENSHOT_DIR keeps a picture of the button kinds for people to
// look at.
TEST(ButtonScreenshot, ShowsEachLook) {
  const char* keep = std::getenv("MIENZO_SCREENSHOT_DIR");
  if (keep == nullptr) GTEST_SKIP() << "MIENZO_SCREENSHOT_DIR is not set";
  ScreenSettings screen;
  screen.width = 420;
  screen.height = 150;
  screen.work_area = {0, 0, 420, 150};
  HeadlessDisplay display(ClockKind::kVirtual, screen);
  ControlHost host({0, 0, 420, 150});
  host.Add("Button", Gbk("普通").c_str(), BS_PUSHBUTTON, {12, 12, 100, 38}, 1);
  host.Add("Button", Gbk("默认(&D)").c_str(), BS_DEFPUSHBUTTON, {112, 12, 200, 38}, 2);
  HWND focused = host.Add("Button", Gbk("有焦点").c_str(), BS_PUSHBUTTON, {212, 12, 300, 38}, 3);
  HWND pressed = host.Add("Button", Gbk("按下").c_str(), BS_PUSHBUTTON, {312, 12, 400, 38}, 4);
  HWND disabled = host.Add("Button", Gbk("不可用").c_str(), BS_PUSHBUTTON, {12, 50, 100, 76}, 5);
  host.Add("Button", Gbk("左对齐，很长的文字会折行").c_str(),
           BS_PUSHBUTTON | BS_MULTILINE | BS_LEFT, {112, 50, 200, 94}, 6);
  HWND check = host.Add("Button", Gbk("复选框").c_str(), BS_AUTOCHECKBOX, {212, 50, 300, 70}, 7);
  HWND radio = host.Add("Button", Gbk("单选钮").c_str(), BS_AUTORADIOBUTTON, {312, 50, 400, 70}, 8);
  host.Add("Button", Gbk("分组框").c_str(), BS_GROUPBOX, {212, 76, 400, 140}, 9);
  EnableWindow(disabled, FALSE);
  SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
  SetFocus(focused);
  display.PumpUntilIdle();
  SendMessageA(pressed, BM_SETSTATE, TRUE, 0);  // held down, as by the mouse
  ASSERT_TRUE(display.SaveScreenshot(std::string(keep) + "/controls-buttons.png"));
}

}  // namespace
}  // namespace platform
