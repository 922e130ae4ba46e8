// The colour picker loaded through the form loader and driven with the
// mouse and the keyboard on the headless display.
#include <gtest/gtest.h>

#include <vector>

#include "platform/dialogs/answers.h"
#include "runtime/forms/property_access.h"
#include "runtime/units/colorpicker/colorpicker_schema.h"
#include "runtime/units/colorpicker/colorpicker_type.h"
#include "runtime/units/colorpicker/colorpicker_unit.h"
#include "runtime/units/colorpicker/colour_palette.h"
#include "runtime/units/colorpicker/colour_popup_layout.h"
#include "runtime/units/window/window_test_support.h"

namespace runtime::units {
namespace {

using colorpicker::Arrow;
using colorpicker::kOtherEntry;
using colorpicker::kTransparentEntry;
using colorpicker::MoveEntry;
using forms_testing::kMainWindow;

constexpr uint32_t kPickerId = 0x16010012;
constexpr uint32_t kPink = 0x008050FF;  // the editor's colour, cell 29

TEST(ColourPopupLayout, ArrowsWrapAndStepIntoTheEntryBoxes) {
  int32_t column = 0;
  EXPECT_EQ(MoveEntry(3, Arrow::kUp, false, &column), kOtherEntry);
  EXPECT_EQ(MoveEntry(kOtherEntry, Arrow::kUp, false, &column), 31);  // column 3, last row
  column = 5;
  EXPECT_EQ(MoveEntry(kOtherEntry, Arrow::kUp, false, &column), 26);  // no cell below row 3
  EXPECT_EQ(MoveEntry(3, Arrow::kUp, true, &column), kTransparentEntry);
  EXPECT_EQ(MoveEntry(kTransparentEntry, Arrow::kDown, true, &column), 3);
  EXPECT_EQ(MoveEntry(6, Arrow::kRight, false, &column), 7);  // row end to the next row
  EXPECT_EQ(MoveEntry(0, Arrow::kLeft, false, &column), kOtherEntry);
  EXPECT_EQ(MoveEntry(kOtherEntry, Arrow::kRight, false, &column), 0);
  EXPECT_EQ(MoveEntry(26, Arrow::kDown, false, &column), kOtherEntry);  // nothing below
  const colorpicker::PopupLayout with = colorpicker::LayOutPopup(2, 12, 60, true);
  const colorpicker::PopupLayout without = colorpicker::LayOutPopup(2, 12, 60, false);
  EXPECT_EQ(with.cell, 18);
  EXPECT_EQ(without.size.cx, 7 * 18 + 4);
  EXPECT_EQ(with.size.cy - without.size.cy, (12 + 10 + 2) + 4);
  EXPECT_EQ(with.HitTest(with.CellRect(9).left + 1, with.CellRect(9).top + 1), 9);
}

class ColorPickerTest : public window_testing::WindowTest {
 protected:
  void TearDown() override {
    platform::dialogs::SetModalShownHook({});
    platform::dialogs::ClearQueuedAnswers();
    WindowTest::TearDown();
  }
  void LoadPicker(uint32_t colour, bool allow_transparent) {
    forms::RecordValues record(ColorPickerSchema());
    record.SetInt(colorpicker::kColor, static_cast<int32_t>(colour));
    record.SetInt(colorpicker::kAllowTransparent, allow_transparent ? 1 : 0);
    forms_testing::FormBuilder form(kMainWindow);
    form.Window(100, 80, 320, 280).properties = window_testing::WindowRecord();
    forms::UnitRecordFields& unit = form.Unit(kPickerId, 0x0001001C, "cp", 20, 20, 56, 24);
    unit.properties = forms::WriteRecord(record);
    unit.bindings = {{colorpicker::kEventChosen, 1}};
    RegisterForms({form.Build()}, {{kColorPickerTypeNumber, ColorPickerTypeDescriptor()}});
    ASSERT_TRUE(Load());
    Pump();
  }
  static colorpicker::ColorPickerUnit& Unit() {
    forms::LoadedWindow& window = Window();
    return *static_cast<colorpicker::ColorPickerUnit*>(
        window.LiveAt(window.units.IndexOf(kPickerId)));
  }
  static uint32_t Colour() {
    return static_cast<uint32_t>(forms::ReadProperty(kMainWindow, kPickerId, 8, -1));
  }
  HWND OpenPopup() {
    RECT box{};
    GetWindowRect(Unit().window, &box);
    display_.Click((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    Pump();
    return Unit().popup;
  }
  // The swatch's colour, a little inside its left edge.
  COLORREF Swatch() { return ClientPixel(Unit().window, 7, 12); }
  // Pixels inside the swatch's black outline that differ from `fill`: the
  // text drawn over it. The outline starts 4 pixels in; its top row runs
  // black up to its right edge.
  int SwatchMarks(COLORREF fill) {
    HWND button = Unit().window;
    RECT client{};
    GetClientRect(button, &client);
    POINT origin{0, 0};
    ClientToScreen(button, &origin);
    const std::vector<uint32_t> screen = display_.ComposeScreen();
    const int width = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_EQ(screen.size(), static_cast<size_t>(width) * GetSystemMetrics(SM_CYSCREEN));
    auto at = [&](int x, int y) {
      const uint32_t rgb = screen[static_cast<size_t>((origin.y + y) * width + origin.x + x)];
      return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    };
    int right = 4;
    while (right + 1 < client.right && at(right + 1, 4) == RGB(0, 0, 0)) ++right;
    EXPECT_GT(right, 20) << "no swatch outline found";
    int marks = 0;
    for (int y = 5; y < client.bottom - 5; ++y) {
      for (int x = 5; x < right; ++x) marks += at(x, y) != fill ? 1 : 0;
    }
    return marks;
  }
};

TEST_F(ColorPickerTest, UpFromTheFirstRowReachesOtherColoursWhichAsksTheSystemDialog) {
  LoadPicker(kPink, false);
  EXPECT_EQ(Swatch(), kPink);
  HWND popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  RECT frame{}, button{};
  GetWindowRect(popup, &frame);
  GetWindowRect(Unit().window, &button);
  EXPECT_EQ(frame.left, button.left);
  EXPECT_EQ(frame.top, button.bottom);
  window_testing::SaveScreenshotIfAsked(display_, "units-colorpicker.png");
  for (int i = 0; i < 4; ++i) Press(VK_UP);  // cell 29 up to cell 1
  EXPECT_TRUE(CalledHandlers().empty());
  Press(VK_UP);  // the other-colours box
  int shown = 0;
  platform::dialogs::SetModalShownHook([&](HWND dialog) {
    shown += IsWindowVisible(dialog) ? 1 : 0;
    window_testing::SaveScreenshotIfAsked(display_, "units-colorpicker-dialog.png");
  });
  platform::dialogs::QueueColorDialogAnswer(RGB(10, 20, 30));
  Press(VK_RETURN);
  platform::dialogs::SetModalShownHook({});
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(Unit().popup, nullptr);
  EXPECT_EQ(Colour(), RGB(10, 20, 30));
  EXPECT_EQ(CalledHandlers(), std::vector<int32_t>{1});
  EXPECT_EQ(Swatch(), RGB(10, 20, 30));
}

TEST_F(ColorPickerTest, EscAndACancelledDialogRaiseNothing) {
  LoadPicker(kPink, false);
  ASSERT_NE(OpenPopup(), nullptr);
  Press(VK_RIGHT);
  Press(VK_ESCAPE);
  EXPECT_EQ(Unit().popup, nullptr);
  EXPECT_EQ(Colour(), kPink);
  ASSERT_NE(OpenPopup(), nullptr);
  Press(VK_DOWN);  // cell 29 is in the last row: down goes to other colours
  platform::dialogs::QueueColorDialogCancel();
  Press(VK_SPACE);
  EXPECT_EQ(Colour(), kPink);
  EXPECT_TRUE(CalledHandlers().empty());
}

TEST_F(ColorPickerTest, TransparentEntryGivesTheMarkerAndTheSwatchText) {
  LoadPicker(0x0000FF, true);  // red, cell 12, row 1
  EXPECT_EQ(SwatchMarks(RGB(255, 0, 0)), 0);
  ASSERT_NE(OpenPopup(), nullptr);
  Press(VK_UP);
  Press(VK_UP);  // above the first row: "透明"
  Press(VK_RETURN);
  EXPECT_EQ(Colour(), colorpicker::kTransparent);
  EXPECT_EQ(Swatch(), RGB(255, 255, 255));
  EXPECT_GT(SwatchMarks(RGB(255, 255, 255)), 40);  // "透明" over the white
  EXPECT_EQ(CalledHandlers(), std::vector<int32_t>{1});
}

TEST_F(ColorPickerTest, MouseChoosesACellAndTheMarkerShowsBlackWithoutTransparent) {
  LoadPicker(kPink, false);
  HWND popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  const colorpicker::PopupLayout layout =
      colorpicker::LayOutPopup(GetSystemMetrics(SM_CXEDGE), 12, 60, false);
  const RECT cell = layout.CellRect(9);  // 蓝色
  POINT at{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
  ClientToScreen(popup, &at);
  display_.Click(at.x, at.y);
  Pump();
  EXPECT_EQ(Colour(), 0xFF0000u);
  forms::WriteProperty(kMainWindow, kPickerId, 8, -1, colorpicker::kTransparent, 0);
  Pump();
  EXPECT_EQ(Colour(), colorpicker::kTransparent);
  EXPECT_EQ(Swatch(), RGB(0, 0, 0));
}

}  // namespace
}  // namespace runtime::units
