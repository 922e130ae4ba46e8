// The keyboard interface: Tab order, Enter and the default button, Esc, F1,
// arrow keys among radio buttons, Alt mnemonics, and dragging by the
// background.
#include <cstdio>

#include "platform/dialogs/win_help.h"
#include "runtime/core/app_state.h"
#include "runtime/core/run_loop.h"
#include "runtime/core/test_support.h"
#include "runtime/forms/unit_record.h"
#include "runtime/units/window/window_test_support.h"

namespace runtime::units::window_testing {
namespace {

using core_testing::RunLoopUntilItEnds;

using forms::RecordValues;
using forms_testing::FormBuilder;
using forms_testing::HandlerResults;
using forms_testing::kMainWindow;
using namespace window;

constexpr uint32_t kTabbed = forms::kUnitVisible | forms::kUnitTabStop;

forms::UnitRecordFields& AddUnit(FormBuilder& form, uint32_t number, uint32_t type,
                                 int32_t tab_order, const std::string& caption = "",
                                 uint32_t flags = kTabbed) {
  auto& unit = form.Unit(0x16010000 + number, type, "unit" + std::to_string(number),
                         10 + 40 * static_cast<int32_t>(number % 6),
                         10 + 30 * static_cast<int32_t>(number / 6), 36, 24);
  unit.tab_order = tab_order;
  unit.flags = flags;
  unit.properties = caption;
  return unit;
}

class KeysTest : public WindowTest {
 protected:
  FormBuilder Form(const std::function<void(RecordValues&)>& change = {}) {
    FormBuilder form;
    form.Window(100, 80, 320, 240).properties = WindowRecord([&](RecordValues& v) {
      v.SetInt(kStartPosition, kAsStored);
      if (change) change(v);
    });
    return form;
  }
  void LoadForm(const FormBuilder& form) {
    RegisterForms({form.Build()});
    ASSERT_TRUE(Load());
    Pump();
    ResetCalls();
  }
  static HWND UnitHwnd(uint32_t number) { return UnitWindow(kMainWindow, 0x16010000 + number); }
  static uint32_t FocusedUnit() {
    for (uint32_t number = 1; number < 40; ++number) {
      HWND hwnd = UnitHwnd(number);
      if (hwnd != nullptr && hwnd == GetFocus()) return number;
    }
    return 0;
  }
};

TEST_F(KeysTest, TabFollowsTabNumbersWithTheLaterEntryFirstAmongEquals) {
  FormBuilder form = Form();
  AddUnit(form, 1, kLineEditType, 1);
  AddUnit(form, 2, kLineEditType, 0);
  AddUnit(form, 3, kLineEditType, 1);
  AddUnit(form, 4, kLineEditType, 0);
  AddUnit(form, 5, kLineEditType, 0, "", forms::kUnitTabStop);             // hidden
  AddUnit(form, 6, kLineEditType, 0, "", kTabbed | forms::kUnitDisabled);  // disabled
  AddUnit(form, 7, kLineEditType, 0, "", forms::kUnitVisible);             // no tab stop
  LoadForm(form);
  EXPECT_EQ(FocusedUnit(), 4u) << "the first in tab order has the focus when the window shows";
  std::vector<uint32_t> order;
  for (int i = 0; i < 4; ++i) {
    Press(VK_TAB);
    order.push_back(FocusedUnit());
  }
  EXPECT_EQ(order, (std::vector<uint32_t>{2, 3, 1, 4}));
  Press(VK_TAB, {VK_SHIFT});
  EXPECT_EQ(FocusedUnit(), 1u) << "Shift+Tab before the first goes to the last";
  Press(VK_TAB, {VK_SHIFT});
  EXPECT_EQ(FocusedUnit(), 3u);
}

TEST_F(KeysTest, TabFromALabelGoesToTheFirstUnitNotBelowItsNumber) {
  FormBuilder form = Form();
  AddUnit(form, 1, kLineEditType, 0);
  AddUnit(form, 2, kLabelType, 2, "Name:");
  AddUnit(form, 3, kLineEditType, 3);
  AddUnit(form, 4, kLineEditType, 1);
  LoadForm(form);
  SetFocus(UnitHwnd(2));
  Press(VK_TAB);
  EXPECT_EQ(FocusedUnit(), 3u);
  SetFocus(UnitHwnd(2));
  Press(VK_TAB, {VK_SHIFT});
  EXPECT_EQ(FocusedUnit(), 4u) << "back to the last one below it";
}

TEST_F(KeysTest, EscClosesTheWindowAndEndsTheLoop) {
  FormBuilder form = Form();
  AddUnit(form, 1, kLineEditType, 0);
  LoadForm(form);
  HWND hwnd = HandleOf();
  display_.Key(VK_ESCAPE);
  EXPECT_TRUE(RunLoopUntilItEnds());
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(App().quit_code, 0);
}

TEST_F(KeysTest, EscLeavesTheWindowOpenWhenItMayNotClose) {
  LoadForm(Form([](RecordValues& v) { v.SetInt(kEscCloses, 0); }));
  Press(VK_ESCAPE);
  EXPECT_TRUE(IsWindow(HandleOf()));
}

TEST_F(KeysTest, EnterInAMultiLineEditBoxStaysInTheBox) {
  FormBuilder form = Form();
  AddUnit(form, 1, kEditType, 0);
  AddUnit(form, 2, kDefaultButtonType, 1, "OK").bindings = {{0, 1}};
  LoadForm(form);
  ASSERT_EQ(FocusedUnit(), 1u);
  display_.Type("ab");
  Press(VK_RETURN);
  display_.Type("c");
  Pump();
  char text[16] = {};
  GetWindowTextA(UnitHwnd(1), text, sizeof text);
  EXPECT_STREQ(text, "ab\r\nc");
  EXPECT_TRUE(CalledHandlers().empty()) << "the default button was not clicked";
  Press(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(HandleOf())) << "Esc still closes the window";
}

TEST_F(KeysTest, EnterClicksTheDefaultButton) {
  FormBuilder form = Form();
  AddUnit(form, 1, kLineEditType, 0);
  AddUnit(form, 2, kButtonType, 1, "Plain").bindings = {{0, 2}};
  AddUnit(form, 3, kDefaultButtonType, 2, "OK").bindings = {{0, 3}};
  LoadForm(form);
  Press(VK_RETURN);
  EXPECT_EQ(CalledHandlers(), std::vector<int32_t>{3});
  EXPECT_EQ(FocusedUnit(), 1u);
  ResetCalls();
  SetFocus(UnitHwnd(3));
  Press(VK_RETURN);
  EXPECT_EQ(CalledHandlers(), std::vector<int32_t>{3}) << "the focused default button";
  ResetCalls();
  EnableWindow(UnitHwnd(3), FALSE);
  SetFocus(UnitHwnd(1));
  Press(VK_RETURN);
  EXPECT_TRUE(CalledHandlers().empty()) << "a disabled default button is no default";
}

TEST_F(KeysTest, EnterMovesTheFocusWhenAsked) {
  FormBuilder form = Form([](RecordValues& v) { v.SetInt(kEnterMovesFocus, 1); });
  AddUnit(form, 1, kLineEditType, 0);
  AddUnit(form, 2, kLineEditType, 1);
  AddUnit(form, 3, kDefaultButtonType, 2, "OK").bindings = {{0, 3}};
  LoadForm(form);
  Press(VK_RETURN);
  EXPECT_EQ(FocusedUnit(), 2u);
  EXPECT_TRUE(CalledHandlers().empty());
}

TEST_F(KeysTest, ArrowKeysMoveAmongRadioButtonsOfOneParent) {
  FormBuilder form = Form();
  AddUnit(form, 1, kRadioType, 0, "One").bindings = {{0, 1}};
  AddUnit(form, 2, kRadioType, 1, "Two").bindings = {{0, 2}};
  AddUnit(form, 3, kRadioType, 2, "Three").bindings = {{0, 3}};
  AddUnit(form, 4, kLineEditType, 3);
  LoadForm(form);
  SetFocus(UnitHwnd(1));
  SendMessageA(UnitHwnd(1), BM_SETCHECK, BST_CHECKED, 0);
  Press(VK_RIGHT);
  EXPECT_EQ(FocusedUnit(), 2u);
  EXPECT_EQ(SendMessageA(UnitHwnd(2), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(UnitHwnd(1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(FocusedUnit(), 1u) << "past the last radio button back to the first";
  Press(VK_UP);
  EXPECT_EQ(FocusedUnit(), 3u);
  EXPECT_EQ(CalledHandlers(), (std::vector<int32_t>{2, 3, 1, 3}));
  SetFocus(UnitHwnd(4));
  Press(VK_RIGHT);
  EXPECT_EQ(FocusedUnit(), 4u) << "arrows leave other units alone";
}

TEST_F(KeysTest, AltWithAMnemonicActsOnItsUnit) {
  FormBuilder form = Form();
  AddUnit(form, 1, kButtonType, 0, "&Save").bindings = {{0, 1}};
  AddUnit(form, 2, kCheckType, 1, "&Bold");
  AddUnit(form, 3, kRadioType, 2, "One");
  AddUnit(form, 4, kRadioType, 3, "&Two").bindings = {{0, 4}};
  AddUnit(form, 5, kLabelType, 5, "&Name");
  AddUnit(form, 6, kLineEditType, 6);
  AddUnit(form, 7, kButtonType, 7, "&Hidden", forms::kUnitTabStop).bindings = {{0, 7}};
  LoadForm(form);
  SendMessageA(UnitHwnd(3), BM_SETCHECK, BST_CHECKED, 0);
  Press('S', {VK_MENU});
  EXPECT_EQ(CalledHandlers(), std::vector<int32_t>{1});
  Press('B', {VK_MENU});
  EXPECT_EQ(SendMessageA(UnitHwnd(2), BM_GETCHECK, 0, 0), BST_CHECKED);
  Press('B', {VK_MENU});
  EXPECT_EQ(SendMessageA(UnitHwnd(2), BM_GETCHECK, 0, 0), BST_UNCHECKED) << "toggles";
  Press('T', {VK_MENU});
  EXPECT_EQ(SendMessageA(UnitHwnd(4), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(UnitHwnd(3), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Press('N', {VK_MENU});
  EXPECT_EQ(FocusedUnit(), 6u) << "a label hands the focus on";
  Press('H', {VK_MENU});
  EXPECT_EQ(CalledHandlers(), (std::vector<int32_t>{1, 4})) << "hidden units have no mnemonic";
}

TEST_F(KeysTest, F1OpensTheHelpFileWhenThereIsOne) {
  char path[] = "/tmp/window_help_XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  static std::vector<std::string> opened;
  opened.clear();
  platform::dialogs::HelpDesktop desktop{[] { return true; },
                                         [] { return std::string("/bin/true"); },
                                         [](const std::string&, const std::string& file) -> DWORD {
                                           opened.push_back(file);
                                           return 0;
                                         }};
  const platform::dialogs::HelpDesktop previous = platform::dialogs::SetHelpDesktop(desktop);
  FormBuilder form = Form([&](RecordValues& v) {
    v.SetInt(kF1OpensHelp, 1);
    v.SetText(kHelpFile, path);
    v.SetInt(kHelpContext, 12);
  });
  LoadForm(form);
  Press(VK_F1);
  EXPECT_EQ(opened, std::vector<std::string>{path});
  EXPECT_TRUE(UnitOf()->help_opened);
  std::remove(path);
  Press(VK_F1);
  EXPECT_EQ(opened.size(), 1u) << "a missing help file does nothing";
  platform::dialogs::SetHelpDesktop(previous);
}

class DragTest : public KeysTest {
 protected:
  // Presses at client point (x, y) of `hwnd`, moves by (dx, dy), releases.
  RECT Drag(HWND hwnd, int x, int y, int dx, int dy) {
    POINT at{x, y};
    ClientToScreen(hwnd, &at);
    display_.MoveMouse(at.x, at.y);
    display_.Press();
    display_.MoveMouse(at.x + dx, at.y + dy);
    display_.Release();
    Pump();
    display_.AdvanceTime(GetDoubleClickTime() + 1);
    RECT rect{};
    GetWindowRect(HandleOf(), &rect);
    return rect;
  }
};

TEST_F(DragTest, BackgroundAndDraggingUnitsMoveTheWindow) {
  FormBuilder form = Form([](RecordValues& v) { v.SetInt(kDragAnywhere, 1); });
  AddUnit(form, 1, kLabelType, 0, "Grip");
  AddUnit(form, 2, kLineEditType, 1);
  LoadForm(form);
  RECT rect = Drag(HandleOf(), 200, 150, 30, 20);
  EXPECT_EQ(rect.left, 130);
  EXPECT_EQ(rect.top, 100);
  rect = Drag(UnitHwnd(1), 5, 5, -10, 5);
  EXPECT_EQ(rect.left, 120) << "a label lets the window be dragged by it";
  EXPECT_EQ(rect.top, 105);
  rect = Drag(UnitHwnd(2), 5, 5, 40, 40);
  EXPECT_EQ(rect.left, 120) << "an edit box does not";
}

TEST_F(DragTest, NoDragWithoutDragAnywhere) {
  LoadForm(Form());
  RECT rect = Drag(HandleOf(), 200, 150, 30, 20);
  EXPECT_EQ(rect.left, 100);
}

TEST_F(DragTest, NoDragWhenTheWindowMayNotMove) {
  LoadForm(Form([](RecordValues& v) {
    v.SetInt(kDragAnywhere, 1);
    v.SetInt(kMovable, 0);
  }));
  RECT rect = Drag(HandleOf(), 200, 150, 30, 20);
  EXPECT_EQ(rect.left, 100) << "a window that may not move stays";
}

}  // namespace
}  // namespace runtime::units::window_testing
