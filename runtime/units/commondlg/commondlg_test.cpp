// The common dialog unit loaded through the form loader; its dialogs answer
// themselves from queued answers on the headless display.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/dialogs/answers.h"
#include "runtime/core/heap.h"
#include "runtime/core/runtime_library.h"
#include "runtime/forms/property_access.h"
#include "runtime/forms/property_conversion.h"
#include "runtime/units/commondlg/commondlg_schema.h"
#include "runtime/units/commondlg/commondlg_type.h"
#include "runtime/units/commondlg/commondlg_unit.h"
#include "runtime/units/window/window_test_support.h"

namespace runtime::units {
namespace {

namespace dialogs = platform::dialogs;
using forms_testing::kMainWindow;

constexpr uint32_t kDialogId = 0x16010004;
constexpr int kTypesCombo = 0x0470;
// The editor's picture filter.
constexpr const char* kFilter =
    "(*.jpg;*.bmp;*.png)|*.jpg;*.bmp;*.png|JPEG\xCD\xBC\xC6\xAC(*.jpg)|*.jpg|"
    "\xCE\xBB\xCD\xBC\xCE\xC4\xBC\xFE(*.bmp)|*.bmp|PNG\xCD\xBC\xC6\xAC\xCE\xC4\xBC\xFE(*.png)|*."
    "png|";

enum Index : int32_t {
  kType = 8,
  kTitle = 9,
  kFileName = 10,
  kFilterProp = 11,
  kFilterIndex = 12,
  kInitialDir = 13,
  kBold = 21,
  kFontName = 25,
  kSize = 26,
};
constexpr int kNameEdit = 0x0480;

class CommonDlgTest : public window_testing::WindowTest {
 protected:
  void SetUp() override {
    forms::RecordValues record(CommonDlgSchema());
    record.SetInt(commondlg::kFontColor, 0x00C080FF);
    forms_testing::FormBuilder form(kMainWindow);
    form.Window(100, 80, 480, 360).properties = window_testing::WindowRecord();
    form.Unit(kDialogId, 0x0001001F, "dlg", 10, 10, 40, 24).properties = forms::WriteRecord(record);
    RegisterForms({form.Build()}, {{kCommonDlgTypeNumber, CommonDlgTypeDescriptor()}});
    ASSERT_TRUE(Load());
    Pump();
    WriteText(kFilterProp, kFilter);
  }
  void TearDown() override {
    dialogs::SetModalShownHook({});
    dialogs::ClearQueuedAnswers();
    WindowTest::TearDown();
  }
  static void WriteText(int32_t index, const char* text) {
    const auto bits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(text));
    forms::WriteProperty(kMainWindow, kDialogId, index, -1, static_cast<uint32_t>(bits),
                         static_cast<uint32_t>(bits >> 32));
  }
  static void Write(int32_t index, int32_t value) {
    forms::WriteProperty(kMainWindow, kDialogId, index, -1, static_cast<uint32_t>(value), 0);
  }
  static int32_t Int(int32_t index) {
    return static_cast<int32_t>(forms::ReadProperty(kMainWindow, kDialogId, index, -1));
  }
  static std::string Text(int32_t index) {
    auto* text = static_cast<char*>(const_cast<void*>(
        forms::ValuePointer(forms::ReadProperty(kMainWindow, kDialogId, index, -1))));
    std::string copy = text != nullptr ? text : "";
    MemFree(text);
    return copy;
  }
  static int32_t Open() {
    ArgumentRecord unit = UnitReference(kMainWindow, kDialogId, 0x1001F);
    return CallCommand(RuntimeLibrary().command_routines[kCommandOpen], 1, &unit).AsInt32();
  }
  // Opens with a cancel queued; the filter the dialog preselected.
  int32_t PreselectedFilter(const std::string& screenshot = {}) {
    int32_t selected = -2;
    dialogs::SetModalShownHook([&](HWND dialog) {
      selected =
          static_cast<int32_t>(SendMessageA(GetDlgItem(dialog, kTypesCombo), CB_GETCURSEL, 0, 0));
      if (!screenshot.empty()) window_testing::SaveScreenshotIfAsked(display_, screenshot);
    });
    dialogs::QueueFileDialogCancel();
    EXPECT_EQ(Open(), 0);
    return selected;
  }
};

TEST(CommonDlgFilter, EndsWithAnEmptyPairWhateverTheTextEndsWith) {
  using commondlg::PrepareFilter;
  EXPECT_EQ(PrepareFilter("a|*.a|"), std::string("a\0*.a\0\0\0", 8));  // three bars
  EXPECT_EQ(PrepareFilter("a|*.a||"), std::string("a\0*.a\0\0", 7));
  EXPECT_EQ(PrepareFilter("a|*.a  \t"), std::string("a\0*.a\0\0", 7));
  EXPECT_EQ(PrepareFilter("|"), std::string("\0\0\0", 3));
}

TEST_F(CommonDlgTest, FilterIndexPreselectsItsPairAndNegativesTheFirst) {
  Write(kFilterIndex, 2);
  EXPECT_EQ(PreselectedFilter("units-commondlg-open.png"), 2);
  Write(kFilterIndex, -5);
  EXPECT_EQ(Int(kFilterIndex), 0);
  EXPECT_EQ(PreselectedFilter(), 0);
}

TEST_F(CommonDlgTest, CancelKeepsFileNameAndAChosenFileStoresItsFullPath) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "mienzo_cdlg";
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "pic.png";
  std::ofstream(file) << "x";
  WriteText(kFileName, "old.jpg");
  dialogs::QueueFileDialogCancel();
  EXPECT_EQ(Open(), 0);
  EXPECT_EQ(Text(kFileName), "old.jpg");
  dialogs::QueueFileDialogAnswer(file.string());
  EXPECT_EQ(Open(), 1);
  EXPECT_EQ(Text(kFileName), file.string());
  std::filesystem::remove_all(folder);
}

TEST_F(CommonDlgTest, FontDialogConvertsPointsBothWays) {
  Write(kType, 9);
  EXPECT_EQ(Int(kType), 3);
  Write(kType, 2);
  Write(kSize, 12);
  LOGFONTA chosen{};
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  chosen.lfHeight = -MulDiv(20, dpi, 72);
  chosen.lfWeight = FW_BOLD;
  std::strcpy(chosen.lfFaceName, "Arial");
  dialogs::QueueFontDialogAnswer(chosen, RGB(1, 2, 3));
  EXPECT_EQ(Open(), 1);
  EXPECT_EQ(Int(kSize), 20);
  EXPECT_EQ(Int(kBold), 1);
  EXPECT_EQ(Text(kFontName), "Arial");
  EXPECT_EQ(static_cast<uint32_t>(Int(20)), RGB(1, 2, 3));
  dialogs::QueueFontDialogCancel();
  EXPECT_EQ(Open(), 0);
  EXPECT_EQ(Int(kSize), 20);
}

TEST_F(CommonDlgTest, SaveTypeShowsTheTitleAndNameAndCancelGivesFalse) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "mienzo_cdlg_save";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "beach.png") << "x";
  std::ofstream(folder / "harbour.jpg") << "x";
  const std::string folder_text = folder.string();
  Write(kType, 1);
  WriteText(kTitle, "\xB1\xA3\xB4\xE6\xCD\xBC\xC6\xAC");  // 保存图片
  WriteText(kFileName, "caption.png");
  WriteText(kInitialDir, folder_text.c_str());
  char caption[64] = {};
  char name[64] = {};
  dialogs::SetModalShownHook([&](HWND dialog) {
    GetWindowTextA(dialog, caption, sizeof caption);
    GetWindowTextA(GetDlgItem(dialog, kNameEdit), name, sizeof name);
    window_testing::SaveScreenshotIfAsked(display_, "units-commondlg-save.png");
  });
  dialogs::QueueFileDialogCancel();
  EXPECT_EQ(Open(), 0);
  EXPECT_STREQ(caption, "\xB1\xA3\xB4\xE6\xCD\xBC\xC6\xAC");
  EXPECT_STREQ(name, "caption.png");
  EXPECT_EQ(Text(kFileName), "caption.png");
  std::filesystem::remove_all(folder);
}

TEST_F(CommonDlgTest, FontTypeShowsTheDialogStartingFromTheUnitsFont) {
  Write(kType, 2);
  WriteText(kFontName, "\xCE\xC4\xC8\xAA\xE6\xE4\xD5\xFD\xBA\xDA");  // 文泉驿正黑
  Write(kSize, 16);
  Write(kBold, 1);
  int shown = 0;
  dialogs::SetModalShownHook([&](HWND dialog) {
    shown += IsWindowVisible(dialog) ? 1 : 0;
    window_testing::SaveScreenshotIfAsked(display_, "units-commondlg-font.png");
  });
  dialogs::QueueFontDialogCancel();
  EXPECT_EQ(Open(), 0);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(Int(kSize), 16);
  EXPECT_EQ(Int(kBold), 1);
}

TEST_F(CommonDlgTest, HelpWithoutItsFileGivesFalseButClosingNeedsNone) {
  Write(kType, 3);
  WriteText(27, "/nonexistent/help.hlp");
  EXPECT_EQ(Open(), 0);
  Write(28, 5);
  EXPECT_EQ(Open(), 1);
}

}  // namespace
}  // namespace runtime::units
