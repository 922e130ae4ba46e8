// Buttons loaded into a real window: stored choices, picture re-creation
// and clicks from the mouse and the keyboard; and the screenshot of all
// three control types.
#include "runtime/units/button/button_unit.h"
#include "runtime/units/common/controls_test_support.h"
#include "runtime/units/editbox/editbox_schema.h"
#include "runtime/units/label/label_schema.h"

namespace runtime::units::controls_testing {
namespace {

using forms::RecordValues;

template <class Schema>
std::string Record(Schema schema, const std::function<void(RecordValues&)>& change = {}) {
  RecordValues values(schema());
  if (change) change(values);
  return forms::WriteRecord(values);
}

class ButtonTest : public ControlsTest {
 protected:
  void LoadButtons(const std::function<void(RecordValues&)>& change = {}) {
    auto form = Form();
    AddUnit(form, 1, kButtonType, Record(ButtonSchema, change), 20, 20, 100, 30).bindings = {
        {0, 1}};
    AddUnit(form, 2, kButtonType, Record(ButtonSchema), 20, 80, 100, 30).bindings = {{0, 2}};
    LoadForm(form);
  }
  void ClickOn(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    display_.Click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Pump();
  }
};

TEST_F(ButtonTest, ButtonTypeSevenIsStoredAsOneAndMakesTheDefaultButton) {
  LoadButtons();
  WriteInt(1, 9, 7);
  EXPECT_EQ(ReadInt(1, 9), 1);
  EXPECT_EQ(GetWindowLongA(UnitHwnd(1), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
  WriteInt(1, 11, 0);
  EXPECT_EQ(GetWindowLongA(UnitHwnd(1), GWL_STYLE) & 0x300, BS_LEFT);
  EXPECT_EQ(ReadText(1, 10), "\xB0\xB4\xC5\xA5") << "the default caption";
}

TEST_F(ButtonTest, ClicksFromMouseSpaceEnterAndMnemonicRaiseEventZero) {
  LoadButtons([](RecordValues& v) {
    v.SetInt(button::kButtonType, 1);
    v.SetText(button::kCaption, "&Go");
  });
  ClickOn(UnitHwnd(1));
  EXPECT_EQ(CallsOf(1).size(), 1u) << "mouse";
  SetFocus(UnitHwnd(1));
  Press(VK_SPACE);
  EXPECT_EQ(CallsOf(1).size(), 2u) << "space bar";
  SetFocus(UnitHwnd(2));
  Press(VK_RETURN);
  EXPECT_EQ(CallsOf(1).size(), 3u) << "Enter reaches the default button";
  EXPECT_TRUE(CallsOf(2).empty());
  Press('G', {VK_MENU});
  EXPECT_EQ(CallsOf(1).size(), 4u) << "Alt+G";
}

TEST_F(ButtonTest, APictureRecreatesTheButtonInPlaceButACaptionDoesNot) {
  LoadButtons([](RecordValues& v) { v.SetText(button::kCaption, "Pic"); });
  HWND before = UnitHwnd(1);
  RECT old_place{};
  GetWindowRect(before, &old_place);
  WriteText(1, 10, "Pic");
  EXPECT_EQ(UnitHwnd(1), before);
  WriteBytes(1, 8, window_testing::SolidBmp(16, 16, RGB(255, 0, 0)));
  HWND after = UnitHwnd(1);
  ASSERT_NE(after, before);
  RECT place{};
  GetWindowRect(after, &place);
  EXPECT_TRUE(EqualRect(&place, &old_place));
  EXPECT_NE(GetWindowLongA(after, GWL_STYLE) & BS_BITMAP, 0);
  EXPECT_NE(SendMessageA(after, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  char text[16] = {};
  GetWindowTextA(after, text, sizeof text);
  EXPECT_STREQ(text, "Pic");
  WriteBytes(1, 8, "not a picture");
  EXPECT_EQ(GetWindowLongA(UnitHwnd(1), GWL_STYLE) & BS_BITMAP, 0) << "the caption shows";
  EXPECT_TRUE(ReadText(1, 8).empty());
}

TEST_F(ButtonTest, Screenshot) {
  auto form = Form();
  AddUnit(form, 1, kLabelType,
          Record(LabelSchema,
                 [](RecordValues& v) {
                   v.SetText(label::kCaption, "Label & frame");
                   v.SetInt(label::kBorder, 6);
                   v.SetInt(label::kTextEffect, 3);
                   v.SetInt(label::kTextColor, 0xFFFFFF);
                   v.SetInt(label::kGradientMode, 3);
                   v.SetInt(label::kGradientColor1, 0x803000);
                   v.SetInt(label::kGradientColor2, 0xF0C080);
                   v.SetInt(label::kAlignment, 1);
                 }),
          10, 10, 330, 60);
  AddUnit(form, 2, kButtonType, Record(ButtonSchema), 10, 200, 100, 28);
  AddUnit(form, 3, kButtonType,
          Record(ButtonSchema,
                 [](RecordValues& v) {
                   v.SetInt(button::kButtonType, 1);
                   v.SetText(button::kCaption, "&Default");
                 }),
          120, 200, 100, 28);
  AddUnit(
      form, 4, kEditBoxType,
      Record(EditBoxSchema, [](RecordValues& v) { v.SetText(editbox::kContent, "plain text"); }),
      10, 80, 150, 24);
  AddUnit(form, 5, kEditBoxType,
          Record(EditBoxSchema,
                 [](RecordValues& v) {
                   v.SetText(editbox::kContent, "secret");
                   v.SetInt(editbox::kInputMode, 2);
                 }),
          180, 80, 150, 24);
  AddUnit(form, 6, kEditBoxType,
          Record(EditBoxSchema,
                 [](RecordValues& v) {
                   v.SetText(editbox::kContent, "42");
                   v.SetInt(editbox::kSpinMode, 1);
                   v.SetInt(editbox::kInputMode, 7);
                   v.SetInt(editbox::kBackColor, 0xE0FFFF);
                 }),
          10, 120, 130, 36);
  AddUnit(form, 7, kEditBoxType,
          Record(EditBoxSchema,
                 [](RecordValues& v) {
                   v.SetText(editbox::kContent, "two\r\nlines");
                   v.SetInt(editbox::kMultiLine, 1);
                   v.SetInt(editbox::kBorder, 5);
                 }),
          180, 120, 150, 60);
  LoadForm(form);
  display_.PumpUntilIdle();
  Pump();
  window_testing::SaveScreenshotIfAsked(display_, "units-label-button-edit.png");
  EXPECT_NE(UnitHwnd(7), nullptr);
}

}  // namespace
}  // namespace runtime::units::controls_testing
