#include <gtest/gtest.h>

#include <string>

#include "platform/win32.h"

namespace {

const char kMixed[] =
    "a\xD6\xD0"
    "b";  // "a中b"

TEST(Win32Text, StepsOverDoubleByteCharacters) {
  EXPECT_TRUE(IsDBCSLeadByte(0xD6));
  EXPECT_FALSE(IsDBCSLeadByte('a'));
  EXPECT_FALSE(IsDBCSLeadByte(0x80));  // the euro sign is one byte
  const char* p = CharNextA(kMixed);
  EXPECT_EQ(p, kMixed + 1);
  p = CharNextA(p);
  EXPECT_EQ(p, kMixed + 3);
  EXPECT_EQ(CharPrevA(kMixed, p), kMixed + 1);
  const char lone[] = "\xD6";
  EXPECT_EQ(CharNextA(lone), lone + 1) << "a lead byte before the terminator stands alone";
  EXPECT_EQ(CharNextA(lone + 1), lone + 1) << "the terminator is not stepped over";
}

TEST(Win32Text, MultiByteToWideCharSizesAndConverts) {
  int needed = MultiByteToWideChar(CP_ACP, 0, kMixed, -1, nullptr, 0);
  EXPECT_EQ(needed, 4);  // a, 中, b and the terminator
  WCHAR wide[4];
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, kMixed, -1, wide, 4), 4);
  EXPECT_EQ(std::u16string(wide, 3), u"a中b");
  EXPECT_EQ(wide[3], 0);
  EXPECT_EQ(MultiByteToWideChar(936, 0, kMixed, 3, wide, 2), 2) << "counted input has no NUL";
}

TEST(Win32Text, ConversionFailuresSetTheLastError) {
  WCHAR wide[2];
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, kMixed, -1, wide, 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, "\xFF", 1, wide, 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "a", 1, wide, 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(Win32Text, WideCharToMultiByteReportsTheDefaultCharacter) {
  const WCHAR text[] = u"中?\U0001F600";
  char out[16] = {};
  BOOL used = FALSE;
  int n = WideCharToMultiByte(CP_ACP, 0, text, -1, out, sizeof out, "#", &used);
  EXPECT_EQ(std::string(out, static_cast<size_t>(n)), std::string("\xD6\xD0?#\0", 5));
  EXPECT_TRUE(used);
  used = TRUE;
  WideCharToMultiByte(CP_ACP, 0, u"?", 1, out, sizeof out, nullptr, &used);
  EXPECT_FALSE(used) << "a question mark of its own is no substitution";
}

}  // namespace
