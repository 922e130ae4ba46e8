// GetOpenFileNameA / GetSaveFileNameA on the headless display, in a
// temporary folder with Chinese names: queued answers and the unanswered
// cancel, then the dialog driven by keys and clicks (refusals and questions
// in message boxes, filters, folders), modality and what it shows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/gbk.h"
#include "platform/dialogs/answers.h"
#include "platform/display/headless.h"
#include "platform/win32.h"
#include "tests/support/control_host.h"
#include "tests/support/temp_dir.h"

namespace platform::dialogs {
namespace {

using gbk::Gbk;
using testing_support::ControlHost;

constexpr int kListId = 0x0460;
constexpr int kTypesId = 0x0470;
constexpr int kLookInId = 0x0471;
constexpr int kNameId = 0x0480;
constexpr int kReadOnlyId = 0x0410;
constexpr int kBoxTextId = 0xFFFF;  // a message box's text
constexpr char kFilter[] = "Pictures\0*.jpg;*.png\0Text\0*.txt\0Bitmaps\0*.bmp\0";

std::string TextOf(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return gbk::ToUtf8(text);
}

std::vector<std::string> ListItems(HWND dialog) {
  HWND list = GetDlgItem(dialog, kListId);
  std::vector<std::string> items;
  for (LRESULT i = 0, n = SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
    char text[512] = {};
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(gbk::ToUtf8(text));
  }
  return items;
}

using Step = std::function<void(HWND dialog)>;

class FileDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    current_ = this;
    for (const char* folder : {"子目录", "sub"})
      std::filesystem::create_directory(dir_.path() / folder);
    for (const char* file : {"a.jpg", "b.png", "c.txt", "图片.jpg", "d.bmp", "子目录/内.jpg"}) {
      std::ofstream(dir_.path() / file) << "x";
    }
    root_ = gbk::FromUtf8(dir_.path().string());
    saved_cwd_.resize(4096);
    saved_cwd_.resize(GetCurrentDirectoryA(4096, saved_cwd_.data()));
    std::strcpy(file_, "keep.txt");
    ofn_.lStructSize = sizeof ofn_;
    ofn_.hwndOwner = host_.hwnd();
    ofn_.lpstrFilter = kFilter;
    ofn_.nFilterIndex = 1;
    ofn_.lpstrFile = file_;
    ofn_.nMaxFile = sizeof file_;
    ofn_.lpstrInitialDir = root_.c_str();
    ofn_.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
  }
  void TearDown() override {
    SetModalShownHook({});
    ClearQueuedAnswers();
    SetCurrentDirectoryA(saved_cwd_.c_str());
    current_ = nullptr;
  }

  std::string Path(const char* utf8_name) const { return root_ + "/" + Gbk(utf8_name); }

  // Shows the dialog and runs the steps: the first once it is up, each
  // further one once everything before has been handled (a timer on the
  // virtual clock, which comes only when nothing else waits), so a step
  // may find a message box up that the step before opened.
  BOOL Drive(bool save, std::vector<Step> steps) {
    ScopedAnswering manual(Answering::kManual);
    steps_ = std::move(steps);
    next_ = 0;
    dialog_ = nullptr;
    box_texts_.clear();
    SetModalShownHook([this](HWND window) {
      if (dialog_ == nullptr) {
        dialog_ = window;
        RunStep();
      } else {
        box_texts_.push_back(TextOf(GetDlgItem(window, kBoxTextId)));
      }
    });
    const BOOL result = save ? GetSaveFileNameA(&ofn_) : GetOpenFileNameA(&ofn_);
    SetModalShownHook({});
    KillTimer(host_.hwnd(), kStepTimer);
    EXPECT_EQ(next_, steps_.size()) << "every step ran";
    return result;
  }

  // Types into the name field (its text replaced) and presses Enter.
  Step Enter(const char* utf8) {
    return [this, utf8](HWND dialog) {
      SendMessageA(GetDlgItem(dialog, kNameId), EM_SETSEL, 0, -1);
      display_.Type(utf8);
      display_.Key(VK_RETURN);
    };
  }
  Step Answer(const char* letter) {
    return [this, letter](HWND) { display_.Type(letter); };
  }
  Step Press(UINT vk) {
    return [this, vk](HWND) { display_.Key(vk); };
  }
  Step AltKey(UINT vk) {
    return [this, vk](HWND) {
      display_.KeyDown(VK_MENU);
      display_.Key(vk);
      display_.KeyUp(VK_MENU);
    };
  }
  void DoubleClickItem(HWND dialog, int index) {
    HWND list = GetDlgItem(dialog, kListId);
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    POINT at{r.left + 5, (r.top + r.bottom) / 2};
    ClientToScreen(list, &at);
    display_.Click(at.x, at.y);
    display_.Click(at.x, at.y);
  }

  HeadlessDisplay display_;
  ControlHost host_{{100, 60, 700, 560}};
  testing_support::TempDir dir_;
  std::string root_;  // GBK
  std::string saved_cwd_;
  char file_[MAX_PATH] = {};
  OPENFILENAMEA ofn_{};
  HWND dialog_ = nullptr;
  std::vector<std::string> box_texts_;  // of the message boxes shown, UTF-8

 private:
  static constexpr UINT_PTR kStepTimer = 78;

  void RunStep() {
    if (next_ >= steps_.size()) return;
    Step step = steps_[next_++];
    if (next_ < steps_.size()) {
      SetTimer(host_.hwnd(), kStepTimer, USER_TIMER_MINIMUM, &StepTimer);
      display_.AdvanceTime(USER_TIMER_MINIMUM);
    } else {
      KillTimer(host_.hwnd(), kStepTimer);
    }
    step(dialog_);
  }
  static void StepTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (current_) current_->RunStep();
  }

  static inline FileDialog* current_ = nullptr;
  std::vector<Step> steps_;
  size_t next_ = 0;
};

// ---------------------------------------------------------------------------
// Nobody at the screen
// ---------------------------------------------------------------------------

TEST_F(FileDialog, QueuedPathsAreTakenAsTypedOnesAndCancelsCancel) {
  ::testing::internal::CaptureStderr();
  QueueFileDialogAnswer(Gbk("图片.jpg"));
  ASSERT_TRUE(GetOpenFileNameA(&ofn_));
  EXPECT_EQ(std::string(file_), Path("图片.jpg")) << "relative to the folder shown";
  EXPECT_EQ(ofn_.nFileOffset, root_.size() + 1);
  EXPECT_EQ(ofn_.nFileExtension, std::strlen(file_) - 3);
  EXPECT_EQ(ofn_.nFilterIndex, 1u);
  EXPECT_EQ(CommDlgExtendedError(), 0u);

  QueueFileDialogAnswer(Path("子目录/内.jpg"));
  ASSERT_TRUE(GetOpenFileNameA(&ofn_));
  EXPECT_EQ(std::string(file_), Path("子目录/内.jpg")) << "an absolute path";

  QueueFileDialogCancel();
  std::strcpy(file_, "keep.txt");
  EXPECT_FALSE(GetOpenFileNameA(&ofn_));
  EXPECT_EQ(std::string(file_), "keep.txt");
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(IsWindowEnabled(host_.hwnd()));
}

TEST_F(FileDialog, NothingQueuedLogsTheDialogAndCancels) {
  const std::string title = Gbk("选择图片");
  ofn_.lpstrTitle = title.c_str();
  bool shown = false;
  SetModalShownHook([&](HWND dialog) { shown = IsWindowVisible(dialog) != FALSE; });
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(GetOpenFileNameA(&ofn_));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "FileDialog: 选择图片: " + gbk::ToUtf8(root_) + "\n");
  EXPECT_TRUE(shown) << "the dialog is shown before it cancels";
  EXPECT_EQ(std::string(file_), "keep.txt");
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(FileDialog, QueuedPathsPassTheChecksAndTheirMessageBoxes) {
  ::testing::internal::CaptureStderr();
  QueueFileDialogAnswer("missing.jpg");
  EXPECT_FALSE(GetOpenFileNameA(&ofn_));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "MessageBox: 打开: missing.jpg 找不到文件。 请检查文件名是否正确，然后重试。\n"
            "FileDialog: 打开: missing.jpg was not taken\n");

  ofn_.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
  QueueFileDialogAnswer("c.txt");
  QueueMessageBoxAnswer(IDNO);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(GetSaveFileNameA(&ofn_)) << "否 keeps the dialog, which then cancels";
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "FileDialog: 另存为: c.txt was not taken\n");
  QueueFileDialogAnswer("c.txt");
  QueueMessageBoxAnswer(IDYES);
  ASSERT_TRUE(GetSaveFileNameA(&ofn_));
  EXPECT_EQ(std::string(file_), Path("c.txt"));
  EXPECT_EQ(QueuedAnswerCount(), 0u);
}

TEST_F(FileDialog, BufferTooSmallAndTheCurrentDirectory) {
  QueueFileDialogAnswer("a.jpg");
  ofn_.nMaxFile = 8;
  EXPECT_FALSE(GetOpenFileNameA(&ofn_));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
  WORD needed = 0;
  std::memcpy(&needed, file_, sizeof needed);
  EXPECT_EQ(needed, Path("a.jpg").size() + 1);

  ofn_.nMaxFile = sizeof file_;
  QueueFileDialogAnswer(Gbk("子目录/内.jpg"));
  ASSERT_TRUE(GetOpenFileNameA(&ofn_));
  char cwd[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof cwd, cwd);
  EXPECT_EQ(std::string(cwd), saved_cwd_) << "OFN_NOCHANGEDIR";
  ofn_.Flags &= ~static_cast<DWORD>(OFN_NOCHANGEDIR);
  QueueFileDialogAnswer(Gbk("内.jpg"));  // lpstrFile's folder is where it starts now
  ASSERT_TRUE(GetOpenFileNameA(&ofn_));
  GetCurrentDirectoryA(sizeof cwd, cwd);
  EXPECT_EQ(std::string(cwd), Path("子目录")) << "the chosen file's folder";
}

// ---------------------------------------------------------------------------
// Driven by input
// ---------------------------------------------------------------------------

TEST_F(FileDialog, MissingFileIsRefusedWithAMessageAndTheDialogStays) {
  bool still_up = false;
  EXPECT_TRUE(Drive(false, {Enter("missing"), Press(VK_RETURN),
                            [&](HWND dialog) { still_up = IsWindowVisible(dialog) != FALSE; },
                            Enter("图片.jpg")}));
  EXPECT_EQ(box_texts_,
            std::vector<std::string>{"missing\n找不到文件。\n请检查文件名是否正确，然后重试。"});
  EXPECT_TRUE(still_up);
  EXPECT_EQ(std::string(file_), Path("图片.jpg"));
}

TEST_F(FileDialog, OverwriteQuestionNoStaysYesReplaces) {
  ofn_.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  ofn_.lpstrDefExt = "txt";
  EXPECT_TRUE(Drive(true, {Enter("c"), Answer("n"), Enter("c.txt"), Answer("y")}));
  EXPECT_EQ(box_texts_, (std::vector<std::string>{"c.txt 已存在。\n要替换它吗？",
                                                  "c.txt 已存在。\n要替换它吗？"}))
      << "the default extension was added before asking";
  EXPECT_EQ(std::string(file_), Path("c.txt"));
}

TEST_F(FileDialog, CreatePromptAsksForAMissingFile) {
  ofn_.Flags |= OFN_CREATEPROMPT;
  EXPECT_TRUE(Drive(false, {Enter("new.jpg"), Answer("n"), Enter("new.jpg"), Answer("y")}));
  ASSERT_EQ(box_texts_.size(), 2u);
  EXPECT_EQ(box_texts_[0], "new.jpg\n该文件不存在。\n要创建该文件吗？");
  EXPECT_EQ(std::string(file_), Path("new.jpg"));
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "new.jpg")) << "the dialog creates nothing";
}

TEST_F(FileDialog, FilterChosenByKeyboardIsWrittenBack) {
  std::vector<std::string> pictures, bitmaps;
  EXPECT_TRUE(Drive(false, {[&](HWND dialog) {
                              pictures = ListItems(dialog);
                              AltKey('T')(dialog);
                            },
                            Press(VK_DOWN), Press(VK_DOWN),
                            [&](HWND dialog) {
                              bitmaps = ListItems(dialog);
                              AltKey('N')(dialog);
                            },
                            Enter("d.bmp")}));
  EXPECT_EQ(pictures,
            (std::vector<std::string>{"[sub]", "[子目录]", "a.jpg", "b.png", "图片.jpg"}));
  EXPECT_EQ(bitmaps, (std::vector<std::string>{"[sub]", "[子目录]", "d.bmp"}));
  EXPECT_EQ(ofn_.nFilterIndex, 3u);
  EXPECT_EQ(std::string(file_), Path("d.bmp"));
}

TEST_F(FileDialog, DoubleClicksEnterFoldersAndChooseFiles) {
  std::string look_in;
  std::vector<std::string> inside;
  EXPECT_TRUE(Drive(false, {[&](HWND dialog) { DoubleClickItem(dialog, 1); },
                            [&](HWND dialog) {
                              look_in = TextOf(GetDlgItem(dialog, kLookInId));
                              inside = ListItems(dialog);
                              DoubleClickItem(dialog, 0);
                            }}));
  EXPECT_EQ(look_in, gbk::ToUtf8(Path("子目录")));
  EXPECT_EQ(inside, std::vector<std::string>{"内.jpg"});
  EXPECT_EQ(std::string(file_), Path("子目录/内.jpg"));
}

TEST_F(FileDialog, TypedFoldersAndWildcardsNavigateAndEscapeCancels) {
  std::vector<std::string> in_sub, texts, back;
  EXPECT_FALSE(
      Drive(false, {Enter("sub"), [&](HWND dialog) { in_sub = ListItems(dialog); },
                    Enter("../*.txt;*.bmp"), [&](HWND dialog) { texts = ListItems(dialog); },
                    Enter("gone/"), Press(VK_RETURN), Press(VK_ESCAPE)}));
  EXPECT_TRUE(in_sub.empty());
  EXPECT_EQ(texts, (std::vector<std::string>{"[sub]", "[子目录]", "c.txt", "d.bmp"}));
  EXPECT_EQ(box_texts_, std::vector<std::string>{gbk::ToUtf8(Path("gone")) +
                                                 "\n路径不存在。\n请检查路径是否正确，然后重试。"});
  EXPECT_EQ(std::string(file_), "keep.txt") << "cancel leaves lpstrFile";
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(FileDialog, ShowsItsControlsAndDisablesTheOwner) {
  ofn_.Flags = OFN_READONLY;
  bool owner_enabled = true;
  std::string title, ok, types;
  bool read_only = false;
  EXPECT_TRUE(Drive(true, {[&](HWND dialog) {
                             owner_enabled = IsWindowEnabled(host_.hwnd()) != FALSE;
                             title = TextOf(dialog);
                             ok = TextOf(GetDlgItem(dialog, IDOK));
                             types = TextOf(GetDlgItem(dialog, kTypesId));
                             HWND check = GetDlgItem(dialog, kReadOnlyId);
                             read_only = SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED;
                             SendMessageA(check, BM_CLICK, 0, 0);
                             SetFocus(GetDlgItem(dialog, kNameId));
                           },
                           Enter("x.jpg")}));
  EXPECT_FALSE(owner_enabled);
  EXPECT_TRUE(IsWindowEnabled(host_.hwnd()));
  EXPECT_EQ(title, "另存为");
  EXPECT_EQ(ok, "保存(&S)");
  EXPECT_EQ(types, "Pictures");
  EXPECT_TRUE(read_only);
  EXPECT_EQ(ofn_.Flags & OFN_READONLY, 0u) << "the check box was cleared";
}

TEST_F(FileDialog, QuitCancelsAndIsPostedAgain) {
  EXPECT_FALSE(Drive(false, {[](HWND) { PostQuitMessage(5); }}));
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 5u);
  EXPECT_TRUE(IsWindowEnabled(host_.hwnd()));
}

// MIENZO_SCREENSHOT_DIR keeps a picture of the dialog for people to look at.
TEST(FileDialogScreenshot, ShowsTheOpenDialogInChinese) {
  const char* keep = std::getenv("MIENZO_SCREENSHOT_DIR");
  if (keep == nullptr) GTEST_SKIP() << "MIENZO_SCREENSHOT_DIR is not set";
  ScreenSettings screen;
  screen.width = 480;
  screen.height = 360;
  screen.work_area = {0, 0, 480, 360};
  HeadlessDisplay display(ClockKind::kVirtual, screen);
  testing_support::TempDir dir;
  for (const char* folder : {"表情", "旅行照片"})
    std::filesystem::create_directory(dir.path() / folder);
  for (const char* file : {"Kerlo表情.jpg", "猫.png", "风景.bmp", "说明.txt"}) {
    std::ofstream(dir.path() / file) << "x";
  }
  const std::string folder = gbk::FromUtf8(dir.path().string());
  const std::string filter = Gbk("图片文件(*.jpg;*.bmp;*.png)") + '\0' + "*.jpg;*.bmp;*.png" +
                             '\0' + Gbk("所有文件(*.*)") + '\0' + "*.*" + '\0' + '\0';
  char file[MAX_PATH] = {};
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrInitialDir = folder.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;
  ScopedAnswering manual(Answering::kManual);
  bool saved = false;
  SetModalShownHook([&](HWND) {
    display.Type("Kerlo");
    display.PumpUntilIdle();
    saved = display.SaveScreenshot(std::string(keep) + "/dialog-open-file.png");
    display.Key(VK_ESCAPE);
  });
  GetOpenFileNameA(&ofn);
  SetModalShownHook({});
  EXPECT_TRUE(saved);
}

}  // namespace
}  // namespace platform::dialogs
