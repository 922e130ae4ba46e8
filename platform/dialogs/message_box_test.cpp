// MessageBoxA on the headless display: answered from the queue, by default
// with a log line, and driven by real keys and clicks; modality, WM_QUIT,
// what the box shows, and where.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/gbk.h"
#include "platform/dialogs/answers.h"
#include "platform/display/headless.h"
#include "platform/win32.h"
#include "tests/support/control_host.h"

namespace platform::dialogs {
namespace {

using gbk::Gbk;
using testing_support::ControlHost;

constexpr int kIconId = 0x0014;
constexpr int kTextId = 0xFFFF;

std::string TextOf(HWND hwnd) {
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

POINT CentreOf(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

using Step = std::function<void(HWND box)>;

class MessageBox : public ::testing::Test {
 protected:
  void SetUp() override { current_ = this; }
  void TearDown() override {
    SetModalShownHook({});
    ClearQueuedAnswers();
    current_ = nullptr;
  }

  // Shows a box the test drives itself. The first step runs once the box is
  // up, each further one once the box has handled everything the step before
  // gave it (a timer on the virtual clock, which comes only when nothing
  // else waits). Keys go to the window that has the focus when they are
  // given, so a key that needs an earlier one handled takes a step of its own.
  int Drive(UINT style, std::vector<Step> steps, HWND owner = nullptr, const char* text = "text") {
    ScopedAnswering manual(Answering::kManual);
    steps_ = std::move(steps);
    next_ = 0;
    SetModalShownHook([this](HWND box) {
      box_ = box;
      RunStep();
    });
    const int result = MessageBoxA(owner ? owner : host_.hwnd(), text, "caption", style);
    SetModalShownHook({});
    KillTimer(host_.hwnd(), kStepTimer);
    return result;
  }
  int Drive(UINT style, Step step, HWND owner = nullptr, const char* text = "text") {
    return Drive(style, std::vector<Step>{std::move(step)}, owner, text);
  }

  HeadlessDisplay display_;
  ControlHost host_{{100, 100, 500, 400}};

 private:
  static constexpr UINT_PTR kStepTimer = 77;

  void RunStep() {
    if (next_ >= steps_.size()) return;
    Step step = steps_[next_++];
    if (next_ < steps_.size()) {
      SetTimer(host_.hwnd(), kStepTimer, USER_TIMER_MINIMUM, &StepTimer);
      display_.AdvanceTime(USER_TIMER_MINIMUM);
    } else {
      KillTimer(host_.hwnd(), kStepTimer);
    }
    step(box_);
  }
  static void StepTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (current_) current_->RunStep();
  }

  static inline MessageBox* current_ = nullptr;
  std::vector<Step> steps_;
  size_t next_ = 0;
  HWND box_ = nullptr;
};

TEST_F(MessageBox, QueuedAnswersClickEachButtonOfEachSet) {
  const std::vector<std::pair<UINT, std::vector<int>>> sets = {
      {MB_OK, {IDOK}},
      {MB_OKCANCEL, {IDOK, IDCANCEL}},
      {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}},
      {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}},
      {MB_YESNO, {IDYES, IDNO}},
      {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}},
      {MB_CANCELTRYCONTINUE, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}}};
  ::testing::internal::CaptureStderr();
  for (const auto& [style, ids] : sets) {
    for (int id : ids) {
      QueueMessageBoxAnswer(id);
      EXPECT_EQ(MessageBoxA(host_.hwnd(), "text", "caption", style), id) << "style " << style;
    }
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "answered boxes log nothing";
  EXPECT_EQ(QueuedAnswerCount(), 0u);
  EXPECT_TRUE(IsWindowEnabled(host_.hwnd()));
}

TEST_F(MessageBox, UnansweredBoxLogsOneLineAndTakesTheDefaultButton) {
  bool seen_shown = false;
  SetModalShownHook([&](HWND box) { seen_shown = IsWindowVisible(box) != FALSE; });
  ::testing::internal::CaptureStderr();
  const int result = MessageBoxA(host_.hwnd(), Gbk("第一行\r\n\r\n第二行\r\n").c_str(),
                                 Gbk("标题").c_str(), MB_YESNOCANCEL | MB_DEFBUTTON2);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "MessageBox: 标题: 第一行 第二行\n");
  EXPECT_EQ(result, IDNO);
  EXPECT_TRUE(seen_shown) << "the box is shown before it answers";

  ::testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "x", nullptr, MB_YESNO | MB_DEFBUTTON3), IDYES)
      << "a default past the last button is the first";
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "MessageBox: 错误: x\n")
      << "no caption reads 错误";
}

TEST_F(MessageBox, QueuedAnswerWithoutItsButtonTakesTheDefault) {
  QueueMessageBoxAnswer(IDYES);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(host_.hwnd(), "x", "c", MB_OKCANCEL), IDOK);
  const std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(log.rfind("MessageBox: c: x (queued answer 6", 0), 0u) << log;
  EXPECT_EQ(QueuedAnswerCount(), 0u) << "the answer was used up";
}

TEST_F(MessageBox, EnterClicksTheDefaultButton) {
  EXPECT_EQ(Drive(MB_OKCANCEL | MB_DEFBUTTON2, [&](HWND) { display_.Key(VK_RETURN); }), IDCANCEL);
  EXPECT_EQ(Drive(MB_YESNO, [&](HWND) { display_.Key(VK_RETURN); }), IDYES);
}

TEST_F(MessageBox, EscapeCancelsOnlyWhereWindowsLetsIt) {
  EXPECT_EQ(Drive(MB_OKCANCEL, [&](HWND) { display_.Key(VK_ESCAPE); }), IDCANCEL);
  EXPECT_EQ(Drive(MB_OK, [&](HWND) { display_.Key(VK_ESCAPE); }), IDOK);
  bool still_up = false;
  EXPECT_EQ(Drive(MB_YESNO, {[&](HWND) { display_.Key(VK_ESCAPE); },
                             [&](HWND box) {
                               still_up = IsWindowVisible(box) != FALSE;  // Esc did nothing
                               SendMessageA(box, WM_CLOSE, 0, 0);         // nor does closing
                             },
                             [&](HWND) { display_.Type("n"); }}),
            IDNO);
  EXPECT_TRUE(still_up);
}

TEST_F(MessageBox, MnemonicsWorkWithAndWithoutAlt) {
  EXPECT_EQ(Drive(MB_YESNOCANCEL | MB_DEFBUTTON3,
                  [&](HWND) {
                    display_.KeyDown(VK_MENU);
                    display_.Key('Y');
                    display_.KeyUp(VK_MENU);
                  }),
            IDYES);
  EXPECT_EQ(Drive(MB_RETRYCANCEL, [&](HWND) { display_.Type("R"); }), IDRETRY);
  EXPECT_EQ(Drive(MB_CANCELTRYCONTINUE, [&](HWND) { display_.Type("t"); }), IDTRYAGAIN);
}

TEST_F(MessageBox, TabAndArrowsMoveTheFocusAndTheDefault) {
  EXPECT_EQ(Drive(MB_OKCANCEL,
                  {[&](HWND) { display_.Key(VK_TAB); }, [&](HWND) { display_.Key(VK_SPACE); }}),
            IDCANCEL);
  int focus = 0;
  DWORD yes_type = 0, cancel_type = 0;
  EXPECT_EQ(Drive(MB_YESNOCANCEL,
                  {[&](HWND) { display_.Key(VK_RIGHT); }, [&](HWND) { display_.Key(VK_RIGHT); },
                   [&](HWND box) {
                     focus = GetDlgCtrlID(GetFocus());
                     yes_type = GetWindowLongA(GetDlgItem(box, IDYES), GWL_STYLE) & BS_TYPEMASK;
                     cancel_type =
                         GetWindowLongA(GetDlgItem(box, IDCANCEL), GWL_STYLE) & BS_TYPEMASK;
                     display_.KeyDown(VK_SHIFT);
                     display_.Key(VK_TAB);
                     display_.KeyUp(VK_SHIFT);
                   },
                   [&](HWND) { display_.Key(VK_RETURN); }}),
            IDNO);
  EXPECT_EQ(focus, IDCANCEL);
  EXPECT_EQ(yes_type, static_cast<DWORD>(BS_PUSHBUTTON)) << "the default moved on";
  EXPECT_EQ(cancel_type, static_cast<DWORD>(BS_DEFPUSHBUTTON));
}

TEST_F(MessageBox, MouseClickOnAButtonAnswersIt) {
  EXPECT_EQ(Drive(MB_YESNOCANCEL,
                  [&](HWND box) {
                    POINT at = CentreOf(GetDlgItem(box, IDNO));
                    display_.Click(at.x, at.y);
                  }),
            IDNO);
}

TEST_F(MessageBox, OwnerIsDisabledWhileShownAndActiveAgainAfter) {
  HWND child = host_.Add("Static", "", 0, {0, 0, 10, 10}, 1);
  bool owner_enabled = true;
  HWND owner_of_box = nullptr;
  Drive(
      MB_OK,
      [&](HWND box) {
        owner_enabled = IsWindowEnabled(host_.hwnd()) != FALSE;
        owner_of_box = GetWindow(box, GW_OWNER);
        display_.Key(VK_RETURN);
      },
      child);
  EXPECT_FALSE(owner_enabled);
  EXPECT_EQ(owner_of_box, host_.hwnd()) << "a child's top-level window owns the box";
  EXPECT_TRUE(IsWindowEnabled(host_.hwnd()));
  EXPECT_EQ(GetActiveWindow(), host_.hwnd());
}

TEST_F(MessageBox, TaskModalDisablesEveryTopLevelWindowOfTheThread) {
  HWND other = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr,
                               nullptr, nullptr, nullptr);
  HWND already = CreateWindowExA(0, "Static", "", WS_POPUP | WS_DISABLED, 0, 0, 20, 20, nullptr,
                                 nullptr, nullptr, nullptr);
  std::vector<bool> during;
  {
    ScopedAnswering manual(Answering::kManual);
    SetModalShownHook([&](HWND) {
      during = {IsWindowEnabled(host_.hwnd()) != FALSE, IsWindowEnabled(other) != FALSE};
      display_.Key(VK_RETURN);
    });
    EXPECT_EQ(MessageBoxA(nullptr, "x", "c", MB_OK | MB_TASKMODAL), IDOK);
  }
  EXPECT_EQ(during, (std::vector<bool>{false, false}));
  EXPECT_TRUE(IsWindowEnabled(host_.hwnd()));
  EXPECT_TRUE(IsWindowEnabled(other));
  EXPECT_FALSE(IsWindowEnabled(already)) << "what was disabled before stays so";
}

TEST_F(MessageBox, SystemModalAndTopmostBoxesStayOnTop) {
  for (UINT style : {UINT{MB_SYSTEMMODAL}, UINT{MB_TOPMOST}, UINT{MB_OK}}) {
    LONG ex_style = 0;
    Drive(style, [&](HWND box) {
      ex_style = GetWindowLongA(box, GWL_EXSTYLE);
      display_.Key(VK_RETURN);
    });
    EXPECT_EQ((ex_style & WS_EX_TOPMOST) != 0, style != MB_OK) << "style " << style;
  }
}

TEST_F(MessageBox, QuitEndsTheBoxAndIsPostedAgain) {
  EXPECT_EQ(Drive(MB_OKCANCEL, [](HWND) { PostQuitMessage(3); }), IDCANCEL);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_EQ(Drive(MB_YESNO, [](HWND) { PostQuitMessage(4); }), 0) << "no answer Esc could give";
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_TRUE(IsWindowEnabled(host_.hwnd()));
}

TEST_F(MessageBox, BoxDestroyedFromOutsideReturnsZero) {
  EXPECT_EQ(Drive(MB_OK, [](HWND box) { DestroyWindow(box); }), 0);
  EXPECT_TRUE(IsWindowEnabled(host_.hwnd()));
}

TEST_F(MessageBox, BadArgumentsFailAsWin32Does) {
  SetLastError(0);
  EXPECT_EQ(MessageBoxA(nullptr, "x", "c", 7), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MSGBOX_STYLE));
  EXPECT_EQ(MessageBoxA(reinterpret_cast<HWND>(0x7FFC), "x", "c", MB_OK), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(MessageBox, ShowsChineseButtonsTheIconAndTheText) {
  std::vector<std::string> captions;
  bool has_icon = false, text_is_plain = false;
  std::string title;
  Drive(
      MB_YESNOCANCEL | MB_ICONQUESTION,
      [&](HWND box) {
        for (int id : {IDYES, IDNO, IDCANCEL}) captions.push_back(TextOf(GetDlgItem(box, id)));
        has_icon = GetDlgItem(box, kIconId) != nullptr &&
                   SendMessageA(GetDlgItem(box, kIconId), STM_GETICON, 0, 0) != 0;
        HWND text = GetDlgItem(box, kTextId);
        text_is_plain = TextOf(text) == "a & b" && (GetWindowLongA(text, GWL_STYLE) & SS_NOPREFIX);
        title = TextOf(box);
        display_.Key(VK_ESCAPE);
      },
      nullptr, "a & b");
  EXPECT_EQ(captions, (std::vector<std::string>{Gbk("是(&Y)"), Gbk("否(&N)"), Gbk("取消")}));
  EXPECT_TRUE(has_icon);
  EXPECT_TRUE(text_is_plain) << "the text shows its '&'";
  EXPECT_EQ(title, "caption");
  bool icon_without_flag = true;
  Drive(MB_OK, [&](HWND box) {
    icon_without_flag = GetDlgItem(box, kIconId) != nullptr;
    display_.Key(VK_RETURN);
  });
  EXPECT_FALSE(icon_without_flag);
}

TEST_F(MessageBox, LongTextWrapsAtFiveEighthsOfTheWorkArea) {
  std::string text;
  for (int i = 0; i < 60; ++i) text += "wrap this ";
  RECT box_rect{}, text_rect{};
  Drive(
      MB_OK,
      [&](HWND box) {
        GetWindowRect(box, &box_rect);
        GetWindowRect(GetDlgItem(box, kTextId), &text_rect);
        display_.Key(VK_RETURN);
      },
      nullptr, text.c_str());
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(text_rect.right - text_rect.left, (work.right - work.left) * 5 / 8);
  EXPECT_GT(text_rect.right - text_rect.left, (work.right - work.left) * 5 / 8 - 80);
  EXPECT_GT(text_rect.bottom - text_rect.top, 40) << "several lines";
  EXPECT_GE(box_rect.left, work.left);
  EXPECT_LE(box_rect.right, work.right);
}

TEST_F(MessageBox, IsCentredOnItsOwner) {
  POINT box_centre{};
  Drive(MB_OK, [&](HWND box) {
    box_centre = CentreOf(box);
    display_.Key(VK_RETURN);
  });
  const POINT owner_centre = CentreOf(host_.hwnd());
  EXPECT_NEAR(box_centre.x, owner_centre.x, 1);
  EXPECT_NEAR(box_centre.y, owner_centre.y, 1);
}

TEST(MessageBoxWithoutDisplay, AnswersItselfToo) {
  ASSERT_EQ(CurrentDisplay(), nullptr);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, Gbk("运行时出错!").c_str(), Gbk("错误").c_str(), MB_ICONERROR),
            IDOK);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "MessageBox: 错误: 运行时出错!\n");
  EXPECT_EQ(GetTopWindow(nullptr), nullptr) << "the box is gone";
}

// MIENZO_SCREENSHOT_DIR keeps a picture of a box for people to look at.
TEST(MessageBoxScreenshot, ShowsABoxWithIconAndChineseText) {
  const char* keep = std::getenv("MIENZO_SCREENSHOT_DIR");
  if (keep == nullptr) GTEST_SKIP() << "MIENZO_SCREENSHOT_DIR is not set";
  ScreenSettings screen;
  screen.width = 480;
  screen.height = 260;
  screen.work_area = {0, 0, 480, 260};
  HeadlessDisplay display(ClockKind::kVirtual, screen);
  ControlHost owner({16, 12, 464, 248}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  SetWindowTextA(owner.hwnd(), "Mienzo");
  ScopedAnswering manual(Answering::kManual);
  bool saved = false;
  SetModalShownHook([&](HWND) {
    display.PumpUntilIdle();
    saved = display.SaveScreenshot(std::string(keep) + "/message-box.png");
    display.Key(VK_ESCAPE);
  });
  MessageBoxA(owner.hwnd(), Gbk("文件已经修改。\r\n要保存对“画板1”的修改吗？").c_str(),
              Gbk("信息：").c_str(), MB_YESNOCANCEL | MB_ICONQUESTION);
  SetModalShownHook({});
  EXPECT_TRUE(saved);
}

}  // namespace
}  // namespace platform::dialogs
