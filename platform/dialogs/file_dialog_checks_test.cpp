// The OPENFILENAMEA contract without windows: refused requests, where the
// dialog starts, the flag checks on a chosen file, and the result written
// back (buffer sizes, offsets, flags, the current directory).
#include "platform/dialogs/file_dialog_checks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/base/gbk.h"
#include "tests/support/temp_dir.h"

namespace platform::dialogs {
namespace {

using gbk::Gbk;
using Action = FileCheck::Action;

class FileDialogContract : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(dir_.path() / "图片");
    std::ofstream(dir_.path() / "图片" / "猫.jpg") << "x";
    std::ofstream(dir_.path() / "old.txt") << "x";
    root_ = gbk::FromUtf8(dir_.path().string());
    saved_cwd_ = CurrentFolder();
    ofn_.lStructSize = sizeof ofn_;
    ofn_.lpstrFile = file_;
    ofn_.nMaxFile = sizeof file_;
  }
  void TearDown() override { SetCurrentDirectoryA(saved_cwd_.c_str()); }

  testing_support::TempDir dir_;
  std::string root_;  // GBK
  std::string saved_cwd_;
  char file_[MAX_PATH] = {};
  OPENFILENAMEA ofn_{};
};

TEST_F(FileDialogContract, RequestsThatCannotBeShownAreRefused) {
  EXPECT_EQ(CheckFileDialogRequest(nullptr), static_cast<DWORD>(CDERR_INITIALIZATION));
  EXPECT_EQ(CheckFileDialogRequest(&ofn_), 0u);
  ofn_.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  EXPECT_EQ(CheckFileDialogRequest(&ofn_), 0u) << "the older, shorter structure";
  ofn_.lStructSize = sizeof ofn_ + 4;
  EXPECT_EQ(CheckFileDialogRequest(&ofn_), static_cast<DWORD>(CDERR_STRUCTSIZE));
  ofn_.lStructSize = sizeof ofn_;
  ofn_.nMaxFile = 0;
  EXPECT_EQ(CheckFileDialogRequest(&ofn_), static_cast<DWORD>(CDERR_INITIALIZATION));
  ofn_.nMaxFile = sizeof file_;
  ofn_.lpstrFile = nullptr;
  EXPECT_EQ(CheckFileDialogRequest(&ofn_), static_cast<DWORD>(CDERR_INITIALIZATION));
  ofn_.lpstrFile = file_;
  ofn_.hwndOwner = reinterpret_cast<HWND>(0x7FFC);
  EXPECT_EQ(CheckFileDialogRequest(&ofn_), static_cast<DWORD>(CDERR_DIALOGFAILURE));
  ofn_.hwndOwner = nullptr;
  const std::pair<DWORD, DWORD> refused[] = {{OFN_ENABLETEMPLATE, CDERR_FINDRESFAILURE},
                                             {OFN_ENABLETEMPLATEHANDLE, CDERR_FINDRESFAILURE},
                                             {OFN_ENABLEHOOK, CDERR_NOHOOK},
                                             {OFN_ALLOWMULTISELECT, CDERR_DIALOGFAILURE}};
  for (auto [flag, error] : refused) {
    ofn_.Flags = flag | OFN_HIDEREADONLY;
    EXPECT_EQ(CheckFileDialogRequest(&ofn_), error) << "flag " << flag;
  }
  // Through the entry point: nothing is shown, the error is kept.
  EXPECT_FALSE(GetSaveFileNameA(&ofn_));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_DIALOGFAILURE));
  EXPECT_FALSE(GetOpenFileNameA(nullptr));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));
}

TEST_F(FileDialogContract, StartsInTheFileFolderElseTheInitialOneElseTheCurrentOne) {
  ASSERT_TRUE(SetCurrentDirectoryA(root_.c_str()));
  FileDialogStart start = StartOf(ofn_, FileDialogKind::kOpen);
  EXPECT_EQ(start.folder, root_);
  EXPECT_EQ(start.title, Gbk("打开"));
  EXPECT_EQ(StartOf(ofn_, FileDialogKind::kSave).title, Gbk("另存为"));
  EXPECT_TRUE(start.filters.empty());

  const std::string pictures = root_ + Gbk("/图片");
  ofn_.lpstrInitialDir = pictures.c_str();
  ofn_.lpstrTitle = "Pick";
  EXPECT_EQ(StartOf(ofn_, FileDialogKind::kOpen).folder, pictures);
  EXPECT_EQ(StartOf(ofn_, FileDialogKind::kOpen).title, "Pick");
  ofn_.lpstrInitialDir = "/no/such/folder";
  EXPECT_EQ(StartOf(ofn_, FileDialogKind::kOpen).folder, root_) << "a missing one is passed over";

  std::strcpy(file_, Gbk("图片\\猫.jpg").c_str());
  start = StartOf(ofn_, FileDialogKind::kOpen);
  EXPECT_EQ(start.folder, pictures) << "lpstrFile's folder comes first";
  EXPECT_EQ(start.name, Gbk("猫.jpg"));
  std::strcpy(file_, "*.txt");
  start = StartOf(ofn_, FileDialogKind::kOpen);
  EXPECT_EQ(start.name, "*.txt");
  EXPECT_EQ(start.patterns, std::vector<std::string>{"*.txt"});

  const char filters[] = "A\0*.a\0B\0*.b;*.c\0";
  ofn_.lpstrFilter = filters;
  ofn_.nFilterIndex = 2;
  start = StartOf(ofn_, FileDialogKind::kOpen);
  EXPECT_EQ(start.filters.size(), 2u);
  EXPECT_EQ(start.filter, 1u);

  std::memset(file_, 'x', sizeof file_);  // no NUL within nMaxFile
  EXPECT_EQ(StartOf(ofn_, FileDialogKind::kOpen).name, std::string(sizeof file_, 'x'));
}

// The messages themselves are seen in the dialog's own tests.
TEST_F(FileDialogContract, ChosenFilesAreCheckedAsTheFlagsAsk) {
  const std::string missing = root_ + "/new.txt";
  const std::string nowhere = root_ + "/gone/new.txt";
  const std::string old = root_ + "/old.txt";
  FileCheck check = CheckChosenFile(nowhere, OFN_FILEMUSTEXIST, FileDialogKind::kSave);
  EXPECT_EQ(check.action, Action::kRefuse) << "FILEMUSTEXIST implies PATHMUSTEXIST";
  EXPECT_EQ(check.message.rfind(root_ + "/gone\n", 0), 0u) << check.message;
  EXPECT_EQ(CheckChosenFile(nowhere, 0, FileDialogKind::kOpen).action, Action::kAccept);
  EXPECT_EQ(CheckChosenFile(missing, OFN_PATHMUSTEXIST, FileDialogKind::kOpen).action,
            Action::kAccept);
  EXPECT_EQ(CheckChosenFile(old, OFN_OVERWRITEPROMPT, FileDialogKind::kOpen).action,
            Action::kAccept)
      << "open dialogs never ask to replace";
  EXPECT_EQ(CheckChosenFile(missing, OFN_OVERWRITEPROMPT, FileDialogKind::kSave).action,
            Action::kAccept);
  check = CheckChosenFile(old, OFN_OVERWRITEPROMPT, FileDialogKind::kSave);
  EXPECT_EQ(check.box_style, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
}

TEST_F(FileDialogContract, ResultIsWrittenBackAsWin32Does) {
  char title[6] = {};
  ofn_.lpstrFileTitle = title;
  ofn_.nMaxFileTitle = sizeof title;
  ofn_.lpstrDefExt = "JPG";
  ofn_.Flags = OFN_NOCHANGEDIR | OFN_READONLY | OFN_EXTENSIONDIFFERENT;
  ofn_.nFilterIndex = 1;
  const std::string cat = root_ + Gbk("/图片/猫猫猫.jpg");
  ASSERT_EQ(ApplyFileDialogResult(&ofn_, {cat, 3, false}), 0u);
  EXPECT_EQ(std::string(file_), cat);
  EXPECT_EQ(ofn_.nFileOffset, cat.size() - 10);
  EXPECT_EQ(ofn_.nFileExtension, cat.size() - 3);
  EXPECT_EQ(std::string(title), Gbk("猫猫")) << "cut to whole characters";
  EXPECT_EQ(ofn_.nFilterIndex, 3u);
  EXPECT_EQ(ofn_.Flags & OFN_READONLY, 0u) << "the check box was cleared";
  EXPECT_EQ(ofn_.Flags & OFN_EXTENSIONDIFFERENT, 0u) << "jpg is JPG";

  ofn_.Flags = OFN_NOCHANGEDIR;
  ASSERT_EQ(ApplyFileDialogResult(&ofn_, {root_ + "/a.", 0, true}), 0u);
  EXPECT_EQ(ofn_.nFileExtension, 0u) << "a name ending with '.'";
  EXPECT_EQ(ofn_.nFilterIndex, 3u) << "no filters: left alone";
  EXPECT_EQ(ofn_.Flags & OFN_READONLY, static_cast<DWORD>(OFN_READONLY));
  EXPECT_EQ(ofn_.Flags & OFN_EXTENSIONDIFFERENT, static_cast<DWORD>(OFN_EXTENSIONDIFFERENT));
  ASSERT_EQ(ApplyFileDialogResult(&ofn_, {root_ + "/a", 0, true}), 0u);
  EXPECT_EQ(ofn_.nFileExtension, root_.size() + 2) << "no extension: the terminating NUL";
}

TEST_F(FileDialogContract, TooSmallBufferGetsTheSizeNeededOnly) {
  char small[16] = "keep";
  ofn_.lpstrFile = small;
  ofn_.nMaxFile = 8;
  ofn_.Flags = 0;
  const std::string path = "/abcdefgh";  // 10 bytes with its NUL
  EXPECT_EQ(ApplyFileDialogResult(&ofn_, {path, 1, false}),
            static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
  WORD needed = 0;
  std::memcpy(&needed, small, sizeof needed);
  EXPECT_EQ(needed, 10u);
  EXPECT_EQ(std::string(small + 2), "ep") << "nothing else written";
  EXPECT_EQ(ofn_.nFilterIndex, 0u);
  EXPECT_EQ(CurrentFolder(), saved_cwd_);
  ofn_.nMaxFile = 10;
  EXPECT_EQ(ApplyFileDialogResult(&ofn_, {"/abcdefg", 1, false}), 0u) << "9 bytes fit in 10";
  char one = 'k';
  ofn_.lpstrFile = &one;
  ofn_.nMaxFile = 1;
  EXPECT_EQ(ApplyFileDialogResult(&ofn_, {path, 1, false}),
            static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
  EXPECT_EQ(one, 'k') << "no room even for the size";
}

}  // namespace
}  // namespace platform::dialogs
