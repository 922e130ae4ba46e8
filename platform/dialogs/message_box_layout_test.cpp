// The message box's parts apart from any window: its buttons and captions,
// the arithmetic of its layout, its icons' pixels, and the log line.
#include "platform/dialogs/message_box_layout.h"

#include <gtest/gtest.h>

#include "platform/base/gbk.h"
#include "platform/dialogs/answers.h"
#include "platform/dialogs/message_box_icons.h"

namespace platform::dialogs {
namespace {

using gbk::Gbk;

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

#define EXPECT_RECT(actual, l, t, r, b) EXPECT_EQ(Describe(actual), Describe(RECT{l, t, r, b}))

TEST(MessageBoxButtons, SetsDefaultsAndEscape) {
  EXPECT_EQ(MessageBoxButtons(MB_CANCELTRYCONTINUE | MB_ICONHAND),
            (std::vector<int>{IDCANCEL, IDTRYAGAIN, IDCONTINUE}));
  EXPECT_TRUE(MessageBoxButtons(7).empty());
  EXPECT_TRUE(MessageBoxButtons(0x0F).empty());
  EXPECT_EQ(DefaultButtonIndex(MB_YESNOCANCEL | MB_DEFBUTTON3, 3), 2u);
  EXPECT_EQ(DefaultButtonIndex(MB_YESNO | MB_DEFBUTTON3, 2), 0u);
  EXPECT_EQ(DefaultButtonIndex(MB_OK | MB_DEFBUTTON4, 1), 0u);
  EXPECT_EQ(EscapeAnswer({IDOK}), IDOK);
  EXPECT_EQ(EscapeAnswer({IDYES, IDNO, IDCANCEL}), IDCANCEL);
  EXPECT_EQ(EscapeAnswer({IDYES, IDNO}), 0);
  EXPECT_EQ(EscapeAnswer({IDABORT, IDRETRY, IDIGNORE}), 0);
  EXPECT_EQ(MessageBoxButtonCaption(IDOK), Gbk("确定"));
  EXPECT_EQ(MessageBoxButtonCaption(IDABORT), Gbk("中止(&A)"));
  EXPECT_EQ(MessageBoxButtonCaption(IDTRYAGAIN), Gbk("重试(&T)"));
  EXPECT_EQ(MessageBoxButtonCaption(IDCONTINUE), Gbk("继续(&C)"));
}

TEST(MessageBoxLayout, IconTextAndACentredRowOfButtons) {
  MessageBoxMeasures m;
  m.text = {200, 16};
  m.line_height = 16;
  m.button_widths = {24, 24};
  m.caption_width = 50;
  m.has_icon = true;
  const MessageBoxLayout layout = LayOutMessageBox(m, 500);
  EXPECT_RECT(layout.icon, 12, 12, 44, 44);
  EXPECT_RECT(layout.text, 56, 20, 256, 36) << "centred against the icon";
  EXPECT_EQ(layout.client.cx, 268);
  EXPECT_EQ(layout.client.cy, 95);
  ASSERT_EQ(layout.buttons.size(), 2u);
  EXPECT_RECT(layout.buttons[0], 55, 60, 130, 83) << "at least 75 wide";
  EXPECT_RECT(layout.buttons[1], 138, 60, 213, 83);
}

TEST(MessageBoxLayout, WideCaptionsTallTextAndLongTitles) {
  MessageBoxMeasures m;
  m.text = {40, 1000};
  m.button_widths = {100};
  m.caption_width = 400;
  const MessageBoxLayout layout = LayOutMessageBox(m, 300);
  EXPECT_TRUE(IsRectEmpty(&layout.icon));
  EXPECT_RECT(layout.text, 12, 12, 52, 312) << "cut to the height allowed";
  EXPECT_EQ(layout.client.cx, 440) << "the title fits";
  EXPECT_EQ(layout.buttons[0].right - layout.buttons[0].left, 116);
  MessageBoxMeasures empty;
  empty.button_widths = {24};
  EXPECT_EQ(LayOutMessageBox(empty, 300).text.bottom - 12, 16) << "an empty text keeps a line";
}

TEST(MessageBoxLayout, WidthAndPlace) {
  EXPECT_EQ(MaxMessageTextWidth({0, 0, 1366, 728}), 853);
  EXPECT_EQ(MaxMessageTextWidth({0, 0, 0, 0}), 1);
  const RECT work{0, 0, 800, 560};
  EXPECT_RECT(PlaceMessageBox({200, 100}, nullptr, work), 300, 230, 500, 330);
  EXPECT_RECT(PlaceMessageBox({900, 100}, nullptr, work), 0, 230, 900, 330)
      << "too wide: the left edge stays on the screen";
}

uint32_t Alpha(uint32_t argb) { return argb >> 24; }
bool Reddish(uint32_t p) { return ((p >> 16) & 0xFF) > 0xB0 && ((p >> 8) & 0xFF) < 0x80; }
bool Bluish(uint32_t p) { return (p & 0xFF) > 0xA0 && ((p >> 16) & 0xFF) < 0x80; }
bool White(uint32_t p) { return (p & 0xFFFFFF) == 0xFFFFFF; }

TEST(MessageBoxIcons, AreTheFourSignsOnTransparentCorners) {
  const auto at = [](const std::vector<uint32_t>& pixels, int x, int y) {
    return pixels[static_cast<size_t>(y) * 32 + x];
  };
  const std::vector<uint32_t> stop = MessageBoxIconPixels(MB_ICONERROR);
  ASSERT_EQ(stop.size(), 32u * 32u);
  EXPECT_EQ(Alpha(at(stop, 0, 0)), 0u);
  EXPECT_EQ(Alpha(at(stop, 16, 16)), 255u);
  EXPECT_TRUE(White(at(stop, 16, 16))) << "the cross meets in the middle";
  EXPECT_TRUE(Reddish(at(stop, 16, 5)));
  EXPECT_TRUE(Reddish(at(stop, 16, 24))) << "between the cross's lower arms";

  const std::vector<uint32_t> question = MessageBoxIconPixels(MB_ICONQUESTION);
  EXPECT_TRUE(White(at(question, 16, 24))) << "the dot";
  EXPECT_TRUE(Bluish(at(question, 16, 21))) << "the gap above the dot";
  EXPECT_TRUE(White(at(question, 16, 7))) << "the top of the hook";

  const std::vector<uint32_t> information = MessageBoxIconPixels(MB_ICONINFORMATION);
  EXPECT_TRUE(White(at(information, 16, 9)));
  EXPECT_TRUE(Bluish(at(information, 16, 11))) << "between the dot and the stem";
  EXPECT_TRUE(White(at(information, 16, 20)));

  const std::vector<uint32_t> warning = MessageBoxIconPixels(MB_ICONWARNING);
  EXPECT_EQ(Alpha(at(warning, 3, 6)), 0u) << "beside the apex";
  EXPECT_LT(at(warning, 16, 24) & 0xFFFFFF, 0x303030u) << "the black point";
  EXPECT_GT((at(warning, 8, 25) >> 8) & 0xFF, 0xB0u) << "yellow";

  EXPECT_TRUE(MessageBoxIconPixels(MB_OK).empty());
  EXPECT_TRUE(MessageBoxIconPixels(0x50).empty());
  EXPECT_EQ(MessageBoxIcon(MB_ICONHAND), MessageBoxIcon(MB_ICONSTOP)) << "made once";
  EXPECT_EQ(MessageBoxIcon(MB_OK), nullptr);
}

TEST(UnansweredLine, IsOneLineOfUtf8) {
  EXPECT_EQ(UnansweredLine("MessageBox", Gbk("错误"), Gbk("运行时出错!\r\n\r\n错误代码：3\r\n")),
            "MessageBox: 错误: 运行时出错! 错误代码：3");
  EXPECT_EQ(UnansweredLine("MessageBox", "a\nb", "\r\nx\ry\n\n"), "MessageBox: a b: x y");
  EXPECT_EQ(UnansweredLine("FileDialog", "", ""), "FileDialog: : ");
}

TEST(Answers, QueuesAreFirstInFirstOutPerKind) {
  ClearQueuedAnswers();
  QueueMessageBoxAnswer(IDYES);
  QueueFileDialogAnswer(Gbk("图.bmp"));
  QueueFileDialogCancel();
  QueueMessageBoxAnswer(IDNO);
  QueueColorDialogAnswer(RGB(1, 2, 3));
  LOGFONTA font{};
  font.lfHeight = -12;
  QueueFontDialogAnswer(font, RGB(4, 5, 6));
  EXPECT_EQ(QueuedAnswerCount(), 6u);
  EXPECT_EQ(TakeMessageBoxAnswer(), IDYES);
  EXPECT_EQ(TakeMessageBoxAnswer(), IDNO);
  EXPECT_EQ(TakeMessageBoxAnswer(), std::nullopt);
  std::optional<FileAnswer> file = TakeFileDialogAnswer();
  ASSERT_TRUE(file);
  EXPECT_FALSE(file->cancelled);
  EXPECT_EQ(file->path, Gbk("图.bmp"));
  EXPECT_TRUE(TakeFileDialogAnswer()->cancelled);
  EXPECT_EQ(TakeColorDialogAnswer()->color, RGB(1, 2, 3));
  std::optional<FontAnswer> chosen = TakeFontDialogAnswer();
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->font.lfHeight, -12);
  EXPECT_EQ(chosen->color, RGB(4, 5, 6));
  EXPECT_EQ(QueuedAnswerCount(), 0u);
  {
    ScopedAnswering manual(Answering::kManual);
    EXPECT_FALSE(DialogsAnswerThemselves());
  }
  EXPECT_TRUE(DialogsAnswerThemselves()) << "no display: nobody is there";
}

}  // namespace
}  // namespace platform::dialogs
