// ChooseFontA on the headless display: the families it lists, choosing by
// keyboard and mouse, what OK writes, the checks OK makes, queued answers,
// refused requests, and the sample it draws.
#include "platform/dialogs/choose_font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "platform/base/gbk.h"
#include "platform/dialogs/answers.h"
#include "platform/dialogs/dialog_test_driver.h"
#include "platform/dialogs/font_families.h"
#include "platform/display/headless.h"
#include "platform/win32.h"
#include "tests/support/control_host.h"

namespace platform::dialogs {
namespace {

using gbk::Gbk;
using testing::DialogDriver;
using testing::ScreenCentre;
using testing::Step;
using testing_support::ControlHost;

constexpr int kComboListId = 1000;  // the list inside a simple combo box

std::string TextOf(HWND hwnd) {
  char text[128] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::string FaceOf(const LOGFONTA& font) {
  return std::string(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
}

LOGFONTA Font(const std::string& face_gbk, LONG height, LONG weight = FW_NORMAL) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  std::strncpy(font.lfFaceName, face_gbk.c_str(), LF_FACESIZE - 1);
  return font;
}

// A family every machine of the project has (setup.sh installs it).
const std::string kZenHei = Gbk("文泉驿正黑");

class ChooseFont : public ::testing::Test {
 protected:
  void SetUp() override {
    cf_.lStructSize = sizeof cf_;
    cf_.hwndOwner = host_.hwnd();
    cf_.lpLogFont = &font_;
    cf_.Flags = CF_SCREENFONTS | CF_EFFECTS;
  }
  void TearDown() override {
    SetModalShownHook({});
    ClearQueuedAnswers();
  }

  BOOL Drive(std::vector<Step> steps) {
    return driver_.Run(std::move(steps), [this] { return ChooseFontA(&cf_); });
  }

  Step Keys(std::vector<UINT> keys) {
    return [this, keys](HWND) {
      for (UINT vk : keys) display_.Key(vk);
    };
  }
  Step Type(std::string utf8) {
    return [this, utf8](HWND) { display_.Type(utf8); };
  }
  Step Focus(int id) {
    return [id](HWND dialog) { SetFocus(GetDlgItem(dialog, id)); };
  }
  // Clicks the item of a simple combo box's list, scrolled into view first.
  Step ClickItem(int combo_id, const std::string& gbk_text) {
    return [this, combo_id, gbk_text](HWND dialog) {
      HWND list = GetDlgItem(GetDlgItem(dialog, combo_id), kComboListId);
      const LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(gbk_text.c_str()));
      ASSERT_GE(index, 0) << gbk::ToUtf8(gbk_text);
      SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
      RECT item{};
      SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item));
      const POINT p = ScreenCentre(list, item);
      display_.Click(p.x, p.y);
    };
  }
  Step ClickControl(int id) {
    return [this, id](HWND dialog) {
      const POINT p = ScreenCentre(GetDlgItem(dialog, id));
      display_.Click(p.x, p.y);
    };
  }

  HeadlessDisplay display_;
  ControlHost host_{{100, 60, 700, 560}};
  DialogDriver driver_{display_, host_.hwnd()};
  LOGFONTA font_{};
  CHOOSEFONTA cf_{};
};

// ---------------------------------------------------------------------------
// The families
// ---------------------------------------------------------------------------

TEST(FontFamilies, EachScalableFamilyOnceUnderItsChineseName) {
  const std::vector<FontFamily> families = ListFontFamilies();
  std::set<std::string> names;
  const FontFamily* zen_hei = nullptr;
  const FontFamily* mono = nullptr;  // DejaVu Sans Mono, where it is installed
  for (const FontFamily& f : families) {
    EXPECT_TRUE(names.insert(f.name).second) << gbk::ToUtf8(f.name) << " twice";
    EXPECT_LT(f.name.size(), static_cast<size_t>(LF_FACESIZE)) << gbk::ToUtf8(f.name);
    EXPECT_NE(f.name, "WenQuanYi Zen Hei") << "shown under its Chinese name";
    if (f.name == kZenHei) zen_hei = &f;
    if (f.name == "DejaVu Sans Mono") mono = &f;
  }
  EXPECT_TRUE(std::is_sorted(
      families.begin(), families.end(),
      [](const FontFamily& a, const FontFamily& b) { return FontNameLess(a.name, b.name); }));
  ASSERT_NE(zen_hei, nullptr);
  EXPECT_TRUE(zen_hei->chinese);
  EXPECT_FALSE(zen_hei->monospace);
  EXPECT_TRUE(zen_hei->has_style[kRegular]);
  EXPECT_FALSE(zen_hei->has_style[kBold]) << "its bold is simulated";
  if (mono != nullptr) {
    EXPECT_TRUE(mono->monospace);
  }
}

TEST(FontSizeText, WholeAndTenthPointsAndNothingElse) {
  EXPECT_EQ(ParseFontSize("12"), 120);
  EXPECT_EQ(ParseFontSize(" 10.5 "), 105);
  EXPECT_EQ(ParseFontSize("9."), 90);
  EXPECT_EQ(ParseFontSize("72"), 720);
  for (const char* bad : {"", " ", "abc", "12pt", "1.25", ".5", "-3", "1 2", "123456"}) {
    EXPECT_EQ(ParseFontSize(bad), 0) << '"' << bad << '"';
  }
}

// ---------------------------------------------------------------------------
// Choosing
// ---------------------------------------------------------------------------

TEST_F(ChooseFont, KeyboardChoosesFaceStyleAndSizeAndOkFillsTheLogFont) {
  EXPECT_TRUE(Drive({Type("文泉驿正黑"), Keys({VK_TAB}), Keys({VK_DOWN, VK_DOWN}), Keys({VK_TAB}),
                     Type("12"), Keys({VK_RETURN})}));
  EXPECT_EQ(FaceOf(font_), kZenHei);
  EXPECT_EQ(font_.lfHeight, -16) << "12 points at 96 dpi";
  EXPECT_EQ(font_.lfWeight, FW_BOLD);
  EXPECT_EQ(font_.lfItalic, 0);
  EXPECT_EQ(font_.lfUnderline, 0);
  EXPECT_EQ(cf_.iPointSize, 120);
  EXPECT_EQ(cf_.nFontType, SCREEN_FONTTYPE | BOLD_FONTTYPE | SIMULATED_FONTTYPE);
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_TRUE(IsWindowEnabled(host_.hwnd()));
}

TEST_F(ChooseFont, MouseChoosesFromTheListsAndTheEffects) {
  EXPECT_TRUE(Drive({ClickItem(kFontFaceList, kZenHei), ClickItem(kFontStyleList, Gbk("斜体")),
                     ClickItem(kFontSizeList, "12"), ClickControl(kFontUnderline),
                     ClickControl(kFontStrikeOut), ClickControl(IDOK)}));
  EXPECT_EQ(FaceOf(font_), kZenHei);
  EXPECT_EQ(font_.lfHeight, -16);
  EXPECT_EQ(font_.lfWeight, FW_NORMAL);
  EXPECT_EQ(font_.lfItalic, 1);
  EXPECT_EQ(font_.lfUnderline, 1);
  EXPECT_EQ(font_.lfStrikeOut, 1);
  EXPECT_EQ(font_.lfCharSet, ANSI_CHARSET) << "the script list starts at 西方";
  EXPECT_EQ(cf_.nFontType,
            SCREEN_FONTTYPE | REGULAR_FONTTYPE | ITALIC_FONTTYPE | SIMULATED_FONTTYPE);
}

TEST_F(ChooseFont, TheColourListColoursTheSampleAndTheResult) {
  cf_.Flags |= CF_INITTOLOGFONTSTRUCT;
  font_ = Font(kZenHei, -16);
  RECT red_text{};
  std::string swatch_text;
  EXPECT_TRUE(Drive({Focus(kFontColourList),
                     Keys(std::vector<UINT>(9, VK_DOWN)),  // 黑色 to 红色, the tenth
                     [&](HWND dialog) {
                       display_.PumpUntilIdle();
                       RECT sample;
                       GetWindowRect(GetDlgItem(dialog, kFontSample), &sample);
                       red_text = testing_support::BoundsWhere(
                           display_, sample, [](uint32_t p) { return p == 0xFF0000; });
                       display_.Key(VK_RETURN);
                     }}));
  EXPECT_EQ(cf_.rgbColors, RGB(255, 0, 0));
  EXPECT_GT(red_text.right - red_text.left, 60) << "the sample is written in red";
}

TEST_F(ChooseFont, StartsFromTheLogFontAndGivesItBack) {
  cf_.Flags |= CF_INITTOLOGFONTSTRUCT;
  font_ = Font(kZenHei, -19, FW_BOLD);  // 14.25 points: shown as 14
  font_.lfItalic = 1;
  font_.lfUnderline = 1;
  cf_.rgbColors = RGB(1, 2, 3);  // not one of the list's: shown as 自定义
  std::string face, style, size, colour;
  EXPECT_TRUE(Drive({[&](HWND dialog) {
    face = TextOf(GetDlgItem(dialog, kFontFaceList));
    style = TextOf(GetDlgItem(dialog, kFontStyleList));
    size = TextOf(GetDlgItem(dialog, kFontSizeList));
    colour = TextOf(GetDlgItem(dialog, kFontColourList));
    display_.Key(VK_RETURN);
  }}));
  EXPECT_EQ(face, kZenHei);
  EXPECT_EQ(style, Gbk("粗偏斜体"));
  EXPECT_EQ(size, "14");
  EXPECT_EQ(colour, Gbk("自定义"));
  EXPECT_EQ(FaceOf(font_), kZenHei);
  EXPECT_EQ(font_.lfHeight, -19);  // -MulDiv(140, 96, 720) = -18.67
  EXPECT_EQ(font_.lfWeight, FW_BOLD);
  EXPECT_EQ(font_.lfItalic, 1);
  EXPECT_EQ(font_.lfUnderline, 1);
  EXPECT_EQ(cf_.rgbColors, RGB(1, 2, 3));
  EXPECT_EQ(cf_.iPointSize, 140);
}

TEST_F(ChooseFont, StyleNamesGoInAndOutWithUseStyle) {
  cf_.Flags |= CF_INITTOLOGFONTSTRUCT | CF_USESTYLE | CF_NOSCRIPTSEL;
  font_ = Font(kZenHei, -16);
  char style[LF_FACESIZE] = {};
  std::strcpy(style, Gbk("斜体").c_str());
  cf_.lpszStyle = style;
  bool script_enabled = true;
  EXPECT_TRUE(Drive({[&](HWND dialog) {
                       script_enabled = IsWindowEnabled(GetDlgItem(dialog, kFontScriptList));
                       SetFocus(GetDlgItem(dialog, kFontStyleList));
                     },
                     Keys({VK_DOWN}), Keys({VK_RETURN})}));
  EXPECT_FALSE(script_enabled);
  EXPECT_EQ(std::string(style), Gbk("粗体"));
  EXPECT_EQ(font_.lfWeight, FW_BOLD);
  EXPECT_EQ(font_.lfItalic, 0);
  EXPECT_EQ(font_.lfCharSet, DEFAULT_CHARSET) << "CF_NOSCRIPTSEL";
}

TEST_F(ChooseFont, AFaceNameFillingTheWholeFieldComesBackCutAtACharacter) {
  cf_.Flags |= CF_INITTOLOGFONTSTRUCT;
  const std::string sixteen = Gbk("长长长长长长长长长长长长长长长长");  // 32 bytes, no NUL room
  font_ = Font("", -16);
  std::memcpy(font_.lfFaceName, sixteen.data(), LF_FACESIZE);
  EXPECT_TRUE(Drive({Keys({VK_RETURN})}));
  EXPECT_EQ(FaceOf(font_), sixteen.substr(0, 30)) << "fifteen whole characters and the NUL";
  EXPECT_EQ(FitFaceName("a" + sixteen), "a" + sixteen.substr(0, 30));
  EXPECT_EQ(FitFaceName("ab" + sixteen), "ab" + sixteen.substr(0, 28))
      << "a lead byte that would be cut from its trail byte is left out";
}

// ---------------------------------------------------------------------------
// What OK refuses
// ---------------------------------------------------------------------------

TEST_F(ChooseFont, LimitSizeRefusesSizesOutsideItAndKeepsTheDialogUp) {
  cf_.Flags |= CF_LIMITSIZE | CF_INITTOLOGFONTSTRUCT;
  cf_.nSizeMin = 8;
  cf_.nSizeMax = 72;
  font_ = Font(kZenHei, -16);
  HWND font_dialog = nullptr;
  std::string refusal, size_after;
  bool size_focused = false;
  EXPECT_FALSE(Drive({[&](HWND dialog) {
                        font_dialog = dialog;
                        SetFocus(GetDlgItem(dialog, kFontSizeList));
                        display_.Type("100");
                      },
                      Keys({VK_RETURN}),
                      [&](HWND box) {  // the message box, up inside the dialog
                        refusal = TextOf(GetDlgItem(box, 0xFFFF));
                        display_.Key(VK_RETURN);
                      },
                      [&](HWND) {
                        size_after = TextOf(GetDlgItem(font_dialog, kFontSizeList));
                        HWND size = GetDlgItem(font_dialog, kFontSizeList);
                        size_focused = GetFocus() == size || GetParent(GetFocus()) == size;
                        display_.Key(VK_ESCAPE);
                      }}));
  EXPECT_EQ(gbk::ToUtf8(refusal), "大小必须介于 8 和 72 磅之间。");
  EXPECT_EQ(size_after, "100");
  EXPECT_TRUE(size_focused) << "back on the size";
  EXPECT_EQ(font_.lfHeight, -16) << "a cancel writes nothing";
}

TEST_F(ChooseFont, ForceFontExistRefusesUnknownFacesAndOtherwiseTheyPass) {
  cf_.Flags |= CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST;
  font_ = Font("No Such Face", -16);
  QueueMessageBoxAnswer(IDOK);
  ::testing::internal::CaptureStderr();
  std::string refusal;
  EXPECT_FALSE(Drive({Keys({VK_RETURN}),
                      [&](HWND box) {
                        refusal = TextOf(GetDlgItem(box, 0xFFFF));
                        display_.Key(VK_RETURN);
                      },
                      Keys({VK_ESCAPE})}));
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(gbk::ToUtf8(refusal), "没有该名称的字体。\n请从字体列表中选择字体。");

  cf_.Flags &= ~static_cast<DWORD>(CF_FORCEFONTEXIST);
  EXPECT_TRUE(Drive({Keys({VK_RETURN})}));
  EXPECT_EQ(FaceOf(font_), "No Such Face");
  EXPECT_EQ(cf_.nFontType, SCREEN_FONTTYPE | REGULAR_FONTTYPE) << "nothing to simulate";
}

TEST_F(ChooseFont, FixedPitchOnlyListsMonospacedFamilies) {
  cf_.Flags |= CF_FIXEDPITCHONLY;
  std::set<std::string> monospaced, listed;
  for (const FontFamily& f : ListFontFamilies()) {
    if (f.monospace) monospaced.insert(f.name);
  }
  const BOOL chosen = Drive({[&](HWND dialog) {
    HWND faces = GetDlgItem(dialog, kFontFaceList);
    const int count = static_cast<int>(SendMessageA(faces, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char name[LF_FACESIZE] = {};
      SendMessageA(faces, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
      listed.insert(name);
    }
    display_.Key(VK_ESCAPE);
  }});
  if (monospaced.empty()) {
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CFERR_NOFONTS)) << "nothing to list";
    return;
  }
  EXPECT_FALSE(chosen);
  EXPECT_EQ(listed, monospaced);
  EXPECT_EQ(listed.count(kZenHei), 0u);
}

// ---------------------------------------------------------------------------
// Answering without a person, and refusing bad requests
// ---------------------------------------------------------------------------

TEST_F(ChooseFont, QueuedAnswersGoThroughTheDialog) {
  LOGFONTA chosen = Font(kZenHei, -16, FW_BOLD);
  chosen.lfUnderline = 1;
  QueueFontDialogAnswer(chosen, RGB(0, 0, 255));
  QueueFontDialogCancel();
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(ChooseFontA(&cf_));
  EXPECT_EQ(FaceOf(font_), kZenHei);
  EXPECT_EQ(font_.lfHeight, -16);
  EXPECT_EQ(font_.lfWeight, FW_BOLD);
  EXPECT_EQ(font_.lfUnderline, 1);
  EXPECT_EQ(cf_.rgbColors, RGB(0, 0, 255));
  EXPECT_EQ(cf_.iPointSize, 120);
  font_.lfHeight = -99;
  EXPECT_FALSE(ChooseFontA(&cf_));
  EXPECT_EQ(font_.lfHeight, -99);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(QueuedAnswerCount(), 0u);
}

TEST_F(ChooseFont, AnAnswerTheDialogRefusesEndsAsACancel) {
  cf_.Flags |= CF_LIMITSIZE;
  cf_.nSizeMin = 8;
  cf_.nSizeMax = 72;
  QueueFontDialogAnswer(Font(kZenHei, -MulDiv(100, 96, 72)), 0);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(ChooseFontA(&cf_));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "MessageBox: 字体: 大小必须介于 8 和 72 磅之间。\n");
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(ChooseFont, NothingQueuedCancelsAfterShowingAndLogs) {
  int shown = 0;
  SetModalShownHook([&](HWND) { ++shown; });
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(ChooseFontA(&cf_));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "ChooseFont: 字体: no answer queued: cancelled\n");
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(IsWindowEnabled(host_.hwnd()));
}

TEST_F(ChooseFont, BadRequestsFailWithTheirExtendedError) {
  auto expect_error = [&](CHOOSEFONTA* request, DWORD error, const char* what) {
    EXPECT_FALSE(ChooseFontA(request)) << what;
    EXPECT_EQ(CommDlgExtendedError(), error) << what;
    EXPECT_EQ(GetTopWindow(nullptr), host_.hwnd()) << what << ": no dialog was made";
  };
  expect_error(nullptr, CDERR_INITIALIZATION, "no structure");
  CHOOSEFONTA bad = cf_;
  bad.lStructSize = 0;
  expect_error(&bad, CDERR_STRUCTSIZE, "size 0");
  bad = cf_;
  bad.lpLogFont = nullptr;
  expect_error(&bad, CDERR_INITIALIZATION, "no LOGFONTA");
  bad = cf_;
  bad.Flags |= CF_ENABLEHOOK;
  expect_error(&bad, CDERR_NOHOOK, "hook");
  bad = cf_;
  bad.Flags |= CF_APPLY;
  expect_error(&bad, CDERR_NOHOOK, "apply without a hook");
  bad = cf_;
  bad.Flags |= CF_ENABLETEMPLATEHANDLE;
  expect_error(&bad, CDERR_FINDRESFAILURE, "template");
  bad = cf_;
  bad.Flags |= CF_LIMITSIZE;
  bad.nSizeMin = 20;
  bad.nSizeMax = 10;
  expect_error(&bad, CFERR_MAXLESSTHANMIN, "limits upside down");
  bad = cf_;
  bad.hwndOwner = reinterpret_cast<HWND>(0x7FF0);
  expect_error(&bad, CDERR_DIALOGFAILURE, "dead owner");
}

// MIENZO_SCREENSHOT_DIR keeps a picture of the dialog for people to look at.
TEST(ChooseFontScreenshot, ShowsTheDialogWithAChineseSample) {
  const char* keep = std::getenv("MIENZO_SCREENSHOT_DIR");
  if (keep == nullptr) GTEST_SKIP() << "MIENZO_SCREENSHOT_DIR is not set";
  ScreenSettings screen;
  screen.width = 500;
  screen.height = 400;
  screen.work_area = {0, 0, 500, 400};
  HeadlessDisplay display(ClockKind::kVirtual, screen);
  ControlHost owner({8, 8, 492, 392}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  SetWindowTextA(owner.hwnd(), "Mienzo");
  LOGFONTA font = Font(kZenHei, -16);
  font.lfUnderline = 1;
  font.lfCharSet = GB2312_CHARSET;
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = owner.hwnd();
  cf.lpLogFont = &font;
  cf.rgbColors = RGB(0, 0, 128);
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  ScopedAnswering manual(Answering::kManual);
  bool saved = false;
  SetModalShownHook([&](HWND) {
    display.PumpUntilIdle();
    saved = display.SaveScreenshot(std::string(keep) + "/dialog-choose-font.png");
    display.Key(VK_ESCAPE);
  });
  ChooseFontA(&cf);
  SetModalShownHook({});
  EXPECT_TRUE(saved);
}

}  // namespace
}  // namespace platform::dialogs
