// ShowMessageBox against the real message box on the headless display: the
// box is looked at from the modal shown hook (title, text, buttons, default,
// icon, owner, modality) and answered from the queue.
#include "runtime/commands/show_message_box.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/base/gbk.h"
#include "platform/dialogs/answers.h"
#include "platform/dialogs/message_box_icons.h"
#include "platform/display/headless.h"
#include "platform/win32.h"
#include "runtime/core/hooks.h"
#include "runtime/core/runtime_library.h"

namespace runtime {
namespace {

using platform::gbk::Gbk;
namespace dialogs = platform::dialogs;

constexpr uint32_t kMainWindowId = 0x52010001;
constexpr int kIconId = 0x0014;  // the ids a message box gives its icon and text
constexpr int kTextId = 0xFFFF;

std::string TextOf(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// What the box showed while it was up.
struct Seen {
  std::string title;
  std::string text;
  std::vector<int> buttons;  // ids in IDOK .. IDCONTINUE, IDHELP included
  int default_button = 0;
  HICON icon = nullptr;
  HWND owner = nullptr;
  bool other_enabled = true;  // an unrelated top-level window of the thread
  bool topmost = false;
};

HWND g_main = nullptr;  // the window the registry hook knows as kMainWindowId

HWND RegisteredWindow(uint32_t window_id) { return window_id == kMainWindowId ? g_main : nullptr; }

class ShowMessageBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    main_ = TopLevel();
    other_ = TopLevel();
    g_main = main_;
    dialogs::SetModalShownHook([this](HWND box) { seen_ = Look(box); });
  }
  void TearDown() override {
    dialogs::SetModalShownHook({});
    dialogs::ClearQueuedAnswers();
    Hooks() = FrameworkHooks{};
    g_main = nullptr;
    DestroyWindow(main_);
    DestroyWindow(other_);
  }

  static HWND TopLevel() {
    return CreateWindowExA(0, "Static", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                           nullptr, nullptr, nullptr, nullptr);
  }

  Seen Look(HWND box) const {
    Seen s;
    s.title = TextOf(box);
    s.text = TextOf(GetDlgItem(box, kTextId));
    for (int id = IDOK; id <= IDCONTINUE; ++id) {
      HWND button = GetDlgItem(box, id);
      if (button == nullptr) continue;
      s.buttons.push_back(id);
      if ((GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) s.default_button = id;
    }
    if (HWND icon = GetDlgItem(box, kIconId)) {
      s.icon = reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0));
    }
    s.owner = GetWindow(box, GW_OWNER);
    s.other_enabled = IsWindowEnabled(other_) != FALSE;
    s.topmost = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    return s;
  }

  // ShowMessageBox(args...), taken from the runtime's command table as the
  // application calls it, with `answer` queued (none: the box takes its
  // default and logs a line, which `log` receives). The button index.
  int32_t Show(std::vector<ArgumentRecord> args, std::optional<int> answer = std::nullopt,
               std::string* log = nullptr) {
    const CommandRoutine routine = RuntimeLibrary().command_routines[kCommandShowMessageBox];
    if (routine != ShowMessageBox) {
      ADD_FAILURE() << "the command table does not hold ShowMessageBox";
      return -1;
    }
    seen_.reset();
    if (answer) dialogs::QueueMessageBoxAnswer(*answer);
    testing::internal::CaptureStderr();
    ValueRecord r = CallCommand(routine, static_cast<int32_t>(args.size()), args.data());
    std::string logged = testing::internal::GetCapturedStderr();
    if (log != nullptr) *log = logged;
    EXPECT_EQ(r.type, type::kNone) << "only the value word is written";
    EXPECT_EQ(r.high, 0u);
    return r.AsInt32();
  }

  // The message box of `message` with flags 0 and no title or owner.
  std::string TextShownFor(ValueRecord message) {
    Show({message, IntValue(0), {}, {}});
    return seen_ ? seen_->text : "(no box)";
  }

  platform::HeadlessDisplay display_;
  HWND main_ = nullptr;
  HWND other_ = nullptr;
  std::optional<Seen> seen_;
};

TEST_F(ShowMessageBoxTest, SavedConfirmationHasTheDefaultTitleOneOkButtonAndIsTaskModal) {
  const std::string saved = Gbk("保存成功！");
  std::string log;
  EXPECT_EQ(Show({TextValue(saved.c_str()), IntValue(0), {}, {}}, std::nullopt, &log), 0);
  ASSERT_TRUE(seen_.has_value());
  EXPECT_EQ(seen_->title, Gbk("信息："));
  EXPECT_EQ(seen_->text, saved);
  EXPECT_EQ(seen_->buttons, std::vector<int>{IDOK});
  EXPECT_EQ(seen_->icon, nullptr);
  EXPECT_EQ(seen_->owner, nullptr);
  EXPECT_FALSE(seen_->other_enabled) << "task-modal: every top-level window waits";
  EXPECT_FALSE(seen_->topmost);
  EXPECT_EQ(log, "MessageBox: 信息：: 保存成功！\n") << "unanswered, it took OK";
  EXPECT_TRUE(IsWindowEnabled(other_)) << "enabled again once the box is gone";

  EXPECT_EQ(Show({TextValue(saved.c_str()), IntValue(0), {}, {}}, IDOK), 0);
  EXPECT_EQ(Show({TextValue(saved.c_str())}, IDOK), 0) << "trailing arguments left out";
  EXPECT_EQ(seen_->title, Gbk("信息："));
}

TEST_F(ShowMessageBoxTest, EveryButtonOfEveryButtonSetMapsToItsIndex) {
  struct Case {
    int32_t flags;
    std::vector<int> buttons;
    std::vector<int32_t> indexes;
  };
  const std::vector<Case> cases = {
      {0, {IDOK}, {0}},
      {1, {IDOK, IDCANCEL}, {0, 1}},
      {2, {IDABORT, IDRETRY, IDIGNORE}, {2, 3, 4}},
      {3, {IDCANCEL, IDYES, IDNO}, {1, 5, 6}},
      {4, {IDYES, IDNO}, {5, 6}},
      {5, {IDCANCEL, IDRETRY}, {1, 3}},
  };
  for (const Case& c : cases) {
    for (size_t i = 0; i < c.buttons.size(); ++i) {
      EXPECT_EQ(Show({TextValue("q"), IntValue(c.flags), {}, {}}, c.buttons[i]), c.indexes[i])
          << "flags " << c.flags << ", button " << c.buttons[i];
      ASSERT_TRUE(seen_.has_value());
      EXPECT_EQ(seen_->buttons, c.buttons) << "flags " << c.flags;
    }
  }
  EXPECT_EQ(dialogs::QueuedAnswerCount(), 0u) << "each box took its answer";
}

TEST_F(ShowMessageBoxTest, AnswersOutsideTheTableAndFailedBoxesReadAsZero) {
  EXPECT_EQ(Show({TextValue("q"), IntValue(MB_CANCELTRYCONTINUE), {}, {}}, IDTRYAGAIN), 0);
  EXPECT_EQ(Show({TextValue("q"), IntValue(MB_CANCELTRYCONTINUE), {}, {}}, IDCONTINUE), 0);
  EXPECT_EQ(Show({TextValue("q"), IntValue(MB_CANCELTRYCONTINUE), {}, {}}, IDCANCEL), 1);
  EXPECT_EQ(Show({TextValue("q"), IntValue(7 | MB_ICONQUESTION), {}, {}}, IDNO), 0)
      << "a button set the platform refuses shows nothing";
  EXPECT_FALSE(seen_.has_value());
}

TEST_F(ShowMessageBoxTest, IconAndDefaultButtonBitsPassUnchanged) {
  Show({TextValue("q"), IntValue(0x30), {}, {}}, IDOK);
  ASSERT_TRUE(seen_.has_value());
  EXPECT_NE(seen_->icon, nullptr);
  EXPECT_EQ(seen_->icon, dialogs::MessageBoxIcon(MB_ICONEXCLAMATION));
  // Unanswered, the box takes its default button: No, the second.
  EXPECT_EQ(Show({TextValue("q"), IntValue(MB_YESNO | MB_DEFBUTTON2), {}, {}}), 6);
  EXPECT_EQ(seen_->default_button, IDNO);
  EXPECT_EQ(Show({TextValue("q"), IntValue(MB_ABORTRETRYIGNORE | MB_DEFBUTTON3), {}, {}}), 4);
  EXPECT_EQ(seen_->default_button, IDIGNORE);
}

TEST_F(ShowMessageBoxTest, SystemModalFlagReplacesTaskModality) {
  Show({TextValue("q"), IntValue(MB_SYSTEMMODAL), {}, {}}, IDOK);
  ASSERT_TRUE(seen_.has_value());
  EXPECT_TRUE(seen_->topmost);
  EXPECT_TRUE(seen_->other_enabled) << "system-modal, not task-modal as well";

  EXPECT_EQ(Show({TextValue("q"), IntValue(MB_TASKMODAL | MB_OKCANCEL), {}, {}}, IDCANCEL), 1);
  ASSERT_TRUE(seen_.has_value());
  EXPECT_FALSE(seen_->other_enabled);
  EXPECT_EQ(seen_->buttons, (std::vector<int>{IDOK, IDCANCEL}))
      << "task-modal asked for twice gains no Help button";
}

TEST_F(ShowMessageBoxTest, MessagesOfEveryKindBecomeTheirText) {
  EXPECT_EQ(TextShownFor(IntValue(42)), "42");
  EXPECT_EQ(TextShownFor(LongValue(-5000000000ll)), "-5000000000");
  EXPECT_EQ(TextShownFor(FloatValue(0.1f)), "0.1");
  EXPECT_EQ(TextShownFor(DoubleValue(1e20)), "1e+020");
  EXPECT_EQ(TextShownFor(BoolValue(true)), Gbk("真"));
  EXPECT_EQ(TextShownFor(BoolValue(false)), Gbk("假"));
  EXPECT_EQ(TextShownFor(DateTimeValue(45351.5)), Gbk("2024年2月29日12时"));
  EXPECT_EQ(TextShownFor(TextValue(nullptr)), "");
  EXPECT_EQ(TextShownFor(ValueRecord{}), "");
  const char bytes[] = {1, 0, 0, 0, 1, 0, 0, 0, 'x'};
  EXPECT_EQ(TextShownFor(ByteSetValue(bytes)), "") << "a byte set has no text";
  std::string log;
  Show({}, std::nullopt, &log);
  EXPECT_EQ(log, "MessageBox: 信息：: \n") << "no arguments at all: an empty OK box";
}

TEST_F(ShowMessageBoxTest, TitleIsTheTextGivenAndNeverFollowsANonTextValue) {
  const std::string title = Gbk("标题");
  Show({TextValue("m"), IntValue(0), TextValue(title.c_str()), {}}, IDOK);
  EXPECT_EQ(seen_->title, title);
  Show({TextValue("m"), IntValue(0), TextValue(nullptr), {}}, IDOK);
  EXPECT_EQ(seen_->title, "") << "an empty title is not the default one";
  Show({TextValue("m"), IntValue(0), IntValue(0x1234), {}}, IDOK);
  EXPECT_EQ(seen_->title, "");
}

TEST_F(ShowMessageBoxTest, OwnerComesFromTheWindowRegistryOrAHandle) {
  const ValueRecord main_form = UnitReference(kMainWindowId, 0x06010000, kWindowUnitType);
  Show({TextValue("m"), IntValue(0), {}, main_form}, IDOK);
  EXPECT_EQ(seen_->owner, nullptr) << "without the framework no window is registered";

  Hooks().registered_window_handle = RegisteredWindow;
  Show({TextValue("m"), IntValue(0), {}, main_form}, IDOK);
  EXPECT_EQ(seen_->owner, main_);
  Show({TextValue("m"), IntValue(0), {}, UnitReference(0x52010002, 0x06020000, kWindowUnitType)},
       IDOK);
  EXPECT_EQ(seen_->owner, nullptr) << "a window that is not registered";
  Show({TextValue("m"), IntValue(0), {}, UnitReference(kMainWindowId, 0x16010005, 0x00010008)},
       IDOK);
  EXPECT_EQ(seen_->owner, nullptr) << "only window units own boxes";
  seen_.reset();
  dialogs::QueueMessageBoxAnswer(IDOK);
  ArgumentRecord beyond_count[4] = {TextValue("m"), IntValue(0), {}, main_form};
  CallCommand(ShowMessageBox, 3, beyond_count);
  ASSERT_TRUE(seen_.has_value());
  EXPECT_EQ(seen_->owner, nullptr) << "a fourth record outside the count is not read";

  const auto handle = static_cast<int32_t>(reinterpret_cast<uintptr_t>(other_));
  Show({TextValue("m"), IntValue(0), {}, IntValue(handle)}, IDOK);
  EXPECT_EQ(seen_->owner, other_);
  DestroyWindow(other_);
  EXPECT_EQ(Show({TextValue("m"), IntValue(MB_YESNO), {}, IntValue(handle)}, IDNO), 0)
      << "a handle that is no window: the box fails and reads as OK";
  EXPECT_FALSE(seen_.has_value());
}

}  // namespace
}  // namespace runtime
