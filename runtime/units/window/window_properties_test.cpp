// The window's own properties through the framework's property access, as
// the application reads and writes them, and the handlers that read stored
// records without a window.
#include <span>

#include "runtime/core/byte_set.h"
#include "runtime/core/heap.h"
#include "runtime/core/hooks.h"
#include "runtime/units/window/window_test_support.h"

namespace runtime::units::window_testing {
namespace {

using forms::RecordValues;
using forms_testing::kMainWindow;
using namespace window;

constexpr uint32_t kOwnEntry = 0x06010000;

int32_t ReadInt(int32_t property) {
  return static_cast<int32_t>(Hooks().read_property(kMainWindow, kOwnEntry, 8 + property, -1));
}
void WriteInt(int32_t property, int32_t value) {
  Hooks().write_property(kMainWindow, kOwnEntry, 8 + property, -1, static_cast<uint32_t>(value), 0);
}
std::string ReadText(int32_t property) {
  const uint64_t value = Hooks().read_property(kMainWindow, kOwnEntry, 8 + property, -1);
  auto* text = reinterpret_cast<char*>(static_cast<uintptr_t>(value));
  std::string result = text != nullptr ? text : "";
  MemFree(text);
  return result;
}
void WriteText(int32_t property, const char* text) {
  const auto address = reinterpret_cast<uintptr_t>(text);
  Hooks().write_property(kMainWindow, kOwnEntry, 8 + property, -1, static_cast<uint32_t>(address),
                         static_cast<uint32_t>(address >> 32));
}
std::string ReadBytes(int32_t property) {
  const uint64_t value = Hooks().read_property(kMainWindow, kOwnEntry, 8 + property, -1);
  void* block = reinterpret_cast<void*>(static_cast<uintptr_t>(value));
  const std::span<const uint8_t> bytes = ByteSetBytes(block);
  std::string result(bytes.begin(), bytes.end());
  MemFree(block);
  return result;
}
void WriteBytes(int32_t property, const std::string& bytes) {
  void* block = MakeByteSet(bytes.data(), static_cast<int32_t>(bytes.size()));
  const auto address = reinterpret_cast<uintptr_t>(block);
  Hooks().write_property(kMainWindow, kOwnEntry, 8 + property, -1, static_cast<uint32_t>(address),
                         static_cast<uint32_t>(address >> 32));
  MemFree(block);
}

std::string BlockBytes(HGLOBAL block) {
  if (block == nullptr) return {};
  const auto* bytes = static_cast<const char*>(GlobalLock(block));
  std::string result(bytes, GlobalSize(block));
  GlobalUnlock(block);
  GlobalFree(block);
  return result;
}

TEST_F(WindowTest, EveryPropertyReadsBackWhatWasWritten) {
  ASSERT_NE(LoadOne(WindowRecord([](RecordValues& v) { v.SetInt(kStartPosition, 0); })), nullptr);
  WriteText(kCaptionProperty, "Hello");
  EXPECT_EQ(ReadText(kCaptionProperty), "Hello");
  WriteText(kHelpFileProperty, "help.hlp");
  EXPECT_EQ(ReadText(kHelpFileProperty), "help.hlp");
  WriteText(kClassNameProperty, nullptr);
  EXPECT_EQ(ReadText(kClassNameProperty), "");
  WriteInt(kBackColorProperty, 0x00123456);
  EXPECT_EQ(ReadInt(kBackColorProperty), 0x00123456);
  WriteInt(kHelpContextProperty, -5);
  EXPECT_EQ(ReadInt(kHelpContextProperty), -5);
  for (int32_t logical :
       {kControlBoxProperty, kMaxButtonProperty, kMinButtonProperty, kMovableProperty,
        kEnterMovesFocusProperty, kEscClosesProperty, kF1OpensHelpProperty, kShowInTaskbarProperty,
        kDragAnywhereProperty, kAlwaysOnTopProperty, kKeepTitleActiveProperty}) {
    WriteInt(logical, 7);
    EXPECT_EQ(ReadInt(logical), 1) << logical;
    WriteInt(logical, 0);
    EXPECT_EQ(ReadInt(logical), 0) << logical;
  }
  const std::string picture = SolidBmp(4, 4, RGB(1, 2, 3));
  WriteBytes(kBackPictureProperty, picture);
  EXPECT_EQ(ReadBytes(kBackPictureProperty), picture);
  WriteBytes(kIconProperty, "");
  EXPECT_EQ(ReadBytes(kIconProperty), "");
}

TEST_F(WindowTest, ChoicesAreClampedIntoTheirRange) {
  ASSERT_NE(LoadOne(WindowRecord()), nullptr);
  const struct {
    int32_t property, written, read;
  } cases[] = {{kBorderProperty, 9, 6},          {kBorderProperty, -2, 0},
               {kBackPictureModeProperty, 4, 3}, {kBackMusicModeProperty, 3, 2},
               {kShapeProperty, 40, 29},         {kShapeProperty, 12, 12}};
  for (const auto& c : cases) {
    WriteInt(c.property, c.written);
    EXPECT_EQ(ReadInt(c.property), c.read) << c.property << " written " << c.written;
  }
}

TEST_F(WindowTest, CaptionAndFrameWritesChangeTheLiveWindow) {
  ASSERT_NE(LoadOne(WindowRecord([](RecordValues& v) { v.SetInt(kControlBox, 0); })), nullptr);
  HWND hwnd = HandleOf();
  EXPECT_NE(GetWindowLongA(hwnd, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
  WriteText(kCaptionProperty, "Now");
  EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & WS_CAPTION, WS_CAPTION) << "a caption brings a bar";
  char title[8] = {};
  GetWindowTextA(hwnd, title, sizeof title);
  EXPECT_STREQ(title, "Now");
  WriteInt(kBorderProperty, kBorderSizableTool);
  EXPECT_NE(GetWindowLongA(hwnd, GWL_STYLE) & WS_THICKFRAME, 0);
  EXPECT_NE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  WriteInt(kBorderProperty, kBorderFixedSunken);
  EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & WS_THICKFRAME, 0);
  EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE),
            WS_EX_CLIENTEDGE);
  WriteInt(kMaxButtonProperty, 1);
  EXPECT_NE(GetWindowLongA(hwnd, GWL_STYLE) & WS_MAXIMIZEBOX, 0);
  WriteInt(kMovableProperty, 0);
  EXPECT_EQ(GetMenuState(GetSystemMenu(hwnd, FALSE), SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1));
  WriteInt(kMovableProperty, 1);
  EXPECT_NE(GetMenuState(GetSystemMenu(hwnd, FALSE), SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(WindowTest, StartPositionActsAtOnceOnAVisibleWindow) {
  ASSERT_NE(LoadOne(WindowRecord([](RecordValues& v) {
              v.SetInt(kStartPosition, 0);
              v.SetInt(kBorder, kBorderSizable);
            })),
            nullptr);
  HWND hwnd = HandleOf();
  WriteInt(kStartPositionProperty, kMinimised);
  EXPECT_TRUE(IsIconic(hwnd));
  EXPECT_EQ(ReadInt(kStartPositionProperty), 2);
  WriteInt(kStartPositionProperty, kMaximised);
  EXPECT_TRUE(IsZoomed(hwnd));
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  EXPECT_EQ(rect.bottom, WorkAreaOf(hwnd).bottom);
  WriteInt(kStartPositionProperty, kCentred);
  EXPECT_FALSE(IsZoomed(hwnd));
  GetWindowRect(hwnd, &rect);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 320) / 2);
  EXPECT_EQ(ReadInt(kStartPositionProperty), 0);
  EXPECT_EQ(UnitOf()->record.Int(kStartPosition), kCentred) << "what is saved";
}

TEST_F(WindowTest, AlwaysOnTopOffKeepsOtherTopmostWindowsOnTop) {
  const std::string topmost = WindowRecord([](RecordValues& v) { v.SetInt(kAlwaysOnTop, 1); });
  RegisterForms({OneWindow(topmost), OneWindow(topmost, 100, 80, 320, 240, 0x52010002)});
  ASSERT_TRUE(Load());
  ASSERT_TRUE(Load(0x52010002));
  WriteInt(kAlwaysOnTopProperty, 0);
  EXPECT_EQ(GetWindowLongA(HandleOf(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_NE(GetWindowLongA(HandleOf(0x52010002), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  WriteInt(kAlwaysOnTopProperty, 1);
  EXPECT_NE(GetWindowLongA(HandleOf(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(WindowTest, SavedRecordIsTheCurrentStateAtVersionSix) {
  std::string old_record =
      forms::WriteRecord(RecordValues(WindowSchema()), 3);  // an old record comes in
  ASSERT_NE(LoadOne(old_record), nullptr);
  WriteText(kCaptionProperty, "Saved");
  WriteInt(kShapeProperty, 2);
  WriteText(kClassNameProperty, "Saver");
  const std::string saved = BlockBytes(SaveWindowProperties(UnitOf()));
  const auto read = forms::ReadRecord(
      WindowSchema(), {reinterpret_cast<const uint8_t*>(saved.data()), saved.size()});
  ASSERT_TRUE(read);
  EXPECT_EQ(read->version(), 6u);
  EXPECT_EQ(read->Text(kCaption), "Saved");
  EXPECT_EQ(read->Int(kShape), 2);
  EXPECT_EQ(read->Text(kClassName), "Saver");
}

TEST(WindowRecordHandlersTest, StoredIconAndTexts) {
  const std::string record = WindowRecord([](RecordValues& v) {
    v.SetText(kIcon, "ICONBYTES");
    v.SetText(kCaption, "Title");
    v.SetText(kHelpFile, "a.hlp");
  });
  const auto* bytes = reinterpret_cast<const uint8_t*>(record.data());
  const auto length = static_cast<int32_t>(record.size());
  EXPECT_EQ(BlockBytes(StoredWindowIcon(bytes, length)), "ICONBYTES");
  const std::string plain = WindowRecord();
  EXPECT_EQ(StoredWindowIcon(reinterpret_cast<const uint8_t*>(plain.data()),
                             static_cast<int32_t>(plain.size())),
            nullptr);
  std::vector<std::string> texts;
  const auto collect = [](const char* text, void* context) {
    static_cast<std::vector<std::string>*>(context)->push_back(text);
  };
  EXPECT_EQ(BlockBytes(ListWindowTexts(bytes, length, collect, &texts)), record);
  EXPECT_EQ(texts, (std::vector<std::string>{"Title", "a.hlp"}));
  EXPECT_EQ(ListWindowTexts(bytes, length - 3, collect, &texts), nullptr) << "truncated";
}

}  // namespace
}  // namespace runtime::units::window_testing
