// Edit boxes loaded into a real window on the headless display: typing,
// input modes, spin, re-creation, the height rule and the selection.
#include "runtime/units/common/controls_test_support.h"
#include "runtime/units/editbox/editbox_unit.h"
#include "runtime/units/editbox/input_modes.h"

namespace runtime::units::controls_testing {
namespace {

using forms::RecordValues;

std::string EditRecord(const std::function<void(RecordValues&)>& change = {}) {
  RecordValues values(EditBoxSchema());
  if (change) change(values);
  return forms::WriteRecord(values);
}

class EditBoxTest : public ControlsTest {
 protected:
  // Box 1 as stored by `change`, box 2 a plain one to move the focus to.
  void LoadBoxes(const std::function<void(RecordValues&)>& change, int32_t height = 24) {
    auto form = Form();
    AddUnit(form, 1, kEditBoxType, EditRecord(change), 10, 10, 120, height).bindings = {
        {0, 1}, {1, 2}, {-7, 3}, {-8, 4}};
    AddUnit(form, 2, kEditBoxType, EditRecord(), 10, 100, 120, 24);
    LoadForm(form);
  }
  void TypeInto(uint32_t number, const std::string& text) {
    SetFocus(UnitHwnd(number));
    display_.Type(text);
    Pump();
  }
  static editbox::EditBoxUnit* Box(uint32_t number = 1) {
    return static_cast<editbox::EditBoxUnit*>(Live(number));
  }
};

TEST_F(EditBoxTest, TypedTextReadsBackThroughContentWithChangeAndFocusEvents) {
  LoadBoxes({});
  SetFocus(UnitHwnd(2));
  Pump();
  ResetCalls();
  TypeInto(1, "hello");
  EXPECT_EQ(ReadText(1, 8), "hello");
  EXPECT_EQ(CallsOf(1).size(), 5u) << "one change event a keystroke";
  EXPECT_EQ(CallsOf(3).size(), 1u) << "focus gained";
  ResetCalls();
  WriteText(1, 8, "set");
  EXPECT_EQ(CallsOf(1).size(), 1u) << "setting Content raises the change event once";
  SetFocus(UnitHwnd(2));
  Pump();
  EXPECT_EQ(CallsOf(4).size(), 1u) << "focus lost";
}

TEST_F(EditBoxTest, ByteModeFiltersKeysAndClampsWhenTheFocusLeaves) {
  LoadBoxes([](RecordValues& v) { v.SetInt(editbox::kInputMode, editbox::kByte); });
  TypeInto(1, "-3a00");
  EXPECT_EQ(ReadText(1, 8), "300") << "neither the minus sign nor letters go in";
  SetFocus(UnitHwnd(2));
  Pump();
  EXPECT_EQ(ReadText(1, 8), "255");
  WriteText(1, 8, "0");
  SetFocus(UnitHwnd(1));
  SetFocus(UnitHwnd(2));
  Pump();
  EXPECT_EQ(ReadText(1, 8), "");
}

TEST_F(EditBoxTest, AutomaticSpinWrapsAtBothEnds) {
  LoadBoxes([](RecordValues& v) {
    v.SetInt(editbox::kSpinMode, 1);
    v.SetInt(editbox::kSpinMin, 5);
    v.SetInt(editbox::kSpinMax, 1);  // the range is the smaller to the larger
  });
  ASSERT_NE(Box()->spin, nullptr);
  RECT box{};
  RECT spin{};
  GetWindowRect(UnitHwnd(1), &box);
  GetWindowRect(Box()->spin, &spin);
  EXPECT_EQ(spin.left, box.right) << "the spin button sits right of the box";
  EXPECT_EQ(spin.bottom - spin.top, box.bottom - box.top);
  WriteText(1, 8, "5");
  editbox::Spin(*Box(), 1);
  EXPECT_EQ(ReadText(1, 8), "1") << "up past the range gives the lower end";
  editbox::Spin(*Box(), -1);
  EXPECT_EQ(ReadText(1, 8), "5") << "down past it gives the upper end";
  editbox::Spin(*Box(), -1);
  EXPECT_EQ(ReadText(1, 8), "4");
  // A press on the lower arrow goes through the window to the box.
  display_.Click((spin.left + spin.right) / 2, spin.bottom - 3);
  Pump();
  EXPECT_EQ(ReadText(1, 8), "3");
  EXPECT_EQ(GetFocus(), UnitHwnd(1));
}

TEST_F(EditBoxTest, EventSpinOnlyRaisesEventOne) {
  LoadBoxes([](RecordValues& v) { v.SetInt(editbox::kSpinMode, 2); });
  WriteText(1, 8, "7");
  editbox::Spin(*Box(), -1);
  editbox::Spin(*Box(), 1);
  EXPECT_EQ(CallsOf(2), (std::vector<std::vector<uint32_t>>{{0xFFFFFFFFu}, {1u}}));
  EXPECT_EQ(ReadText(1, 8), "7");
}

TEST_F(EditBoxTest, MultiLineRecreatesTheControlWithTheSameText) {
  LoadBoxes({});
  TypeInto(1, "kept");
  HWND before = UnitHwnd(1);
  WriteInt(1, 15, 0);
  EXPECT_EQ(UnitHwnd(1), before) << "an unchanged value does nothing";
  WriteInt(1, 15, 1);
  ASSERT_NE(UnitHwnd(1), before);
  EXPECT_NE(GetWindowLongA(UnitHwnd(1), GWL_STYLE) & ES_MULTILINE, 0);
  EXPECT_EQ(ReadText(1, 8), "kept");
  EXPECT_EQ(ReadInt(1, 15), 1);
}

TEST_F(EditBoxTest, ALowSingleLineBoxGrowsToTheIdeographHeightAndAMultiLineOneKeepsIt) {
  LoadBoxes({}, 6);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32A(dc, "\xD6\xD0", 2, &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  RECT rect{};
  GetWindowRect(UnitHwnd(1), &rect);
  EXPECT_EQ(rect.bottom - rect.top, size.cy + 2 * GetSystemMetrics(SM_CYEDGE));
  WriteInt(1, 15, 1);
  WriteInt(1, 3, 6);
  GetWindowRect(UnitHwnd(1), &rect);
  EXPECT_EQ(rect.bottom - rect.top, 6);
}

TEST_F(EditBoxTest, SelectionPropertiesTakeMinusOneAndSelTextReplaces) {
  LoadBoxes({});
  WriteText(1, 8, "abcdef");
  WriteInt(1, 25, -1);
  EXPECT_EQ(ReadInt(1, 24), 0);
  EXPECT_EQ(ReadInt(1, 25), 6) << "SelLength -1 selects everything";
  WriteInt(1, 24, -1);
  EXPECT_EQ(ReadInt(1, 24), 6) << "SelStart -1 puts the caret at the end";
  EXPECT_EQ(ReadInt(1, 25), 0);
  WriteInt(1, 24, 1);
  WriteInt(1, 25, 2);
  EXPECT_EQ(ReadText(1, 26), "bc");
  WriteText(1, 26, "XYZ");
  EXPECT_EQ(ReadText(1, 8), "aXYZdef");
}

TEST_F(EditBoxTest, SingleLineTextIsCentredWithBorderBands) {
  LoadBoxes([](RecordValues& v) { v.SetInt(editbox::kBackColor, 0x00FF00); }, 60);
  RECT client{};
  GetClientRect(UnitHwnd(1), &client);
  EXPECT_EQ(client.bottom, Box()->line_height);
  POINT top{5, 0};
  ClientToScreen(UnitHwnd(1), &top);
  EXPECT_EQ(SendMessageA(UnitHwnd(1), WM_NCHITTEST, 0, MAKELPARAM(top.x, top.y - 8)), HTBORDER);
  EXPECT_EQ(ClientPixel(UnitHwnd(1), 5, -8), RGB(0, 255, 0)) << "the band has the background";
}

TEST_F(EditBoxTest, EnterStaysInAMultiLineBox) {
  LoadBoxes([](RecordValues& v) { v.SetInt(editbox::kMultiLine, 1); }, 60);
  EXPECT_EQ(editbox::EditBoxWantsKey(Box(), VK_RETURN), 1);
  TypeInto(1, "a");
  Press(VK_RETURN);
  EXPECT_EQ(ReadText(1, 8), "a\r\n");
}

}  // namespace
}  // namespace runtime::units::controls_testing
