// The clipboard: text through CF_TEXT (GBK) and CF_UNICODETEXT, shared with
// the desktop as UTF-8 through the headless display, and Win32's rules of
// who may open, empty and fill it.
#include <cstring>
#include <string>

#include "platform/base/gbk.h"
#include "platform/user/test_support.h"

namespace platform::user::testing {
namespace {

HGLOBAL BlockOf(const void* bytes, size_t size) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(h), bytes, size);
  GlobalUnlock(h);
  return h;
}

HGLOBAL TextBlock(const std::string& gbk) { return BlockOf(gbk.c_str(), gbk.size() + 1); }

std::string BytesOf(HANDLE h) {
  const char* data = static_cast<const char*>(GlobalLock(h));
  std::string bytes = data ? std::string(data, GlobalSize(h)) : std::string();
  GlobalUnlock(h);
  return bytes;
}

std::u16string UnitsOf(HANDLE h) {
  std::string bytes = BytesOf(h);
  std::u16string units(bytes.size() / 2, u'\0');
  std::memcpy(units.data(), bytes.data(), units.size() * 2);
  return units;
}

class Clipboard : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = recorder_.Create(WS_POPUP, 0, 0, 10, 10);
    other_ = recorder_.Create(WS_POPUP, 0, 0, 10, 10);
    // Start from an empty clipboard whatever an earlier test left.
    ASSERT_TRUE(OpenClipboard(owner_));
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_TRUE(CloseClipboard());
    recorder_.Clear();
  }

  // Puts `gbk` on the clipboard as CF_TEXT from `owner_`.
  HGLOBAL Copy(const std::string& gbk) {
    EXPECT_TRUE(OpenClipboard(owner_));
    EXPECT_TRUE(EmptyClipboard());
    HGLOBAL h = TextBlock(gbk);
    EXPECT_EQ(SetClipboardData(CF_TEXT, h), h);
    EXPECT_TRUE(CloseClipboard());
    return h;
  }

  int DestroyClipboardMessages(HWND hwnd) const {
    int count = 0;
    for (const Recorded& r : recorder_.all()) {
      count += r.hwnd == hwnd && r.message == WM_DESTROYCLIPBOARD;
    }
    return count;
  }

  HeadlessDisplay display_;
  Recorder recorder_;
  HWND owner_ = nullptr;
  HWND other_ = nullptr;
};

TEST_F(Clipboard, GbkTextRoundTripsThroughTheDesktop) {
  const std::string copied = gbk::Gbk("图片 ok\r\n第二行");
  HGLOBAL h = Copy(copied);
  recorder_.Clear();
  EXPECT_EQ(display_.ClipboardText(), "图片 ok\n第二行") << "UTF-8 with the desktop's line ends";
  ASSERT_TRUE(OpenClipboard(other_));
  EXPECT_EQ(GetClipboardData(CF_TEXT), h) << "the very handle that was set";
  EXPECT_EQ(BytesOf(h), copied + '\0');
  HANDLE wide = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(UnitsOf(wide), std::u16string(u"图片 ok\r\n第二行") + u'\0');
  ASSERT_TRUE(CloseClipboard());

  // Another program copies: its text replaces ours, the owner is told.
  display_.SetClipboardText("粘贴\n文本");
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(DestroyClipboardMessages(owner_), 1);
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  ASSERT_TRUE(OpenClipboard(other_));
  HANDLE pasted = GetClipboardData(CF_TEXT);
  ASSERT_NE(pasted, nullptr);
  EXPECT_EQ(BytesOf(pasted), gbk::Gbk("粘贴\r\n文本") + '\0');
  EXPECT_EQ(GetClipboardData(CF_TEXT), pasted) << "made once, then kept";
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(display_.ClipboardText(), "粘贴\n文本") << "reading leaves the desktop alone";
}

TEST_F(Clipboard, UnicodeTextMeetsGbkAndUnterminatedBlocksStayInside) {
  ASSERT_TRUE(OpenClipboard(owner_));
  ASSERT_TRUE(EmptyClipboard());
  const char16_t wide[] = u"A中\U0001F600";  // a character GBK cannot hold
  ASSERT_NE(SetClipboardData(CF_UNICODETEXT, BlockOf(wide, sizeof wide)), nullptr);
  HANDLE narrow = GetClipboardData(CF_TEXT);
  ASSERT_NE(narrow, nullptr);
  EXPECT_EQ(BytesOf(narrow), std::string("A") + gbk::Gbk("中") + "?" + '\0');
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(display_.ClipboardText(), "A中😀");

  // Text without its NUL is read up to the block's end and no further.
  ASSERT_TRUE(OpenClipboard(owner_));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_NE(SetClipboardData(CF_TEXT, BlockOf("abc", 3)), nullptr);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(display_.ClipboardText(), "abc");
  ASSERT_TRUE(OpenClipboard(owner_));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_NE(SetClipboardData(CF_UNICODETEXT, BlockOf(u"xyz", 5)), nullptr) << "an odd size";
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(display_.ClipboardText(), "xy");
}

TEST_F(Clipboard, OnlyTheOpenerMayFillItAfterEmptying) {
  HGLOBAL h = TextBlock("x");
  EXPECT_EQ(SetClipboardData(CF_TEXT, h), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_FALSE(CloseClipboard());

  ASSERT_TRUE(OpenClipboard(other_));
  EXPECT_EQ(GetOpenClipboardWindow(), other_);
  EXPECT_EQ(SetClipboardData(CF_TEXT, h), nullptr) << "owner_ still owns it: empty first";
  EXPECT_FALSE(OpenClipboard(owner_)) << "open by another window";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(DestroyClipboardMessages(owner_), 1);
  EXPECT_EQ(GetClipboardOwner(), other_);
  EXPECT_EQ(SetClipboardData(CF_BITMAP, h), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr) << "no delayed rendering";
  EXPECT_EQ(SetClipboardData(CF_TEXT, reinterpret_cast<HANDLE>(0x1234)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(SetClipboardData(CF_TEXT, h), h);
  HGLOBAL again = TextBlock("y");
  EXPECT_EQ(SetClipboardData(CF_TEXT, again), again);
  EXPECT_EQ(GlobalSize(h), 0u) << "the replaced handle was freed";
  ASSERT_TRUE(CloseClipboard());

  // Opened for no window, emptying leaves no owner, so nothing can be set.
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(GlobalSize(again), 0u) << "emptying frees the system's handles";
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  HGLOBAL orphan = TextBlock("z");
  EXPECT_EQ(SetClipboardData(CF_TEXT, orphan), nullptr);
  GlobalFree(orphan);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(display_.ClipboardText(), "");
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
}

TEST_F(Clipboard, FormatsAreListedAndPrivateOnesStayInTheProcess) {
  ASSERT_TRUE(OpenClipboard(owner_));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_NE(SetClipboardData(CF_PRIVATEFIRST, BlockOf("\x01\x02", 2)), nullptr);
  EXPECT_EQ(CountClipboardFormats(), 1);
  ASSERT_NE(SetClipboardData(CF_TEXT, TextBlock("t")), nullptr);
  std::vector<UINT> formats;
  for (UINT f = EnumClipboardFormats(0); f != 0; f = EnumClipboardFormats(f)) formats.push_back(f);
  EXPECT_EQ(formats, (std::vector<UINT>{CF_PRIVATEFIRST, CF_TEXT, CF_OEMTEXT, CF_UNICODETEXT}));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(display_.ClipboardText(), "t");
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_PRIVATEFIRST));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
  EXPECT_EQ(EnumClipboardFormats(0), 0u) << "only while open";
}

TEST_F(Clipboard, ADestroyedOpenerClosesItAndTheDataStays) {
  HWND temporary = recorder_.Create(WS_POPUP, 0, 0, 10, 10);
  ASSERT_TRUE(OpenClipboard(temporary));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_NE(SetClipboardData(CF_TEXT, TextBlock("kept")), nullptr);
  DestroyWindow(temporary);
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  EXPECT_EQ(display_.ClipboardText(), "kept") << "closing published it";
  ASSERT_TRUE(OpenClipboard(owner_));
  EXPECT_EQ(BytesOf(GetClipboardData(CF_TEXT)), std::string("kept") + '\0');
  ASSERT_TRUE(CloseClipboard());
}

}  // namespace
}  // namespace platform::user::testing
