#include "platform/base/gbk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

// Counts global operator new calls so the no-allocation promise of ToUtf8Buffer is checked, not
// assumed. Kept out of line so the compiler does not pair the inlined malloc/free with new/delete
// and warn about a mismatch.
namespace {
std::atomic<int> g_new_calls{0};
}  // namespace

[[gnu::noinline]] void* operator new(std::size_t n) {
  ++g_new_calls;
  if (void* p = std::malloc(n == 0 ? 1 : n)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace platform::gbk {
namespace {

std::string Bytes(const std::vector<char>& v) { return std::string(v.begin(), v.end()); }

TEST(GbkTest, WellKnownCodePoints) {
  ASSERT_TRUE(Init());
  EXPECT_EQ(Gbk("中文"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(Gbk("\u3000\uFF10"), "\xA1\xA1\xA3\xB0");
  EXPECT_EQ(Gbk("€"), "\x80");
  EXPECT_EQ(ToUtf32("\x80\xFF"), U"\u20AC\uFFFD");
}

// Guards the table layout: an off-by-one in indexing shows up as a pair that does not come back.
TEST(GbkTest, EveryAssignedPairRoundTrips) {
  int assigned = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      const DecodedChar d = DecodeChar(in, 2);
      ASSERT_EQ(d.length, 2u);
      if (d.code == kReplacementChar) continue;
      ++assigned;
      char out[2];
      ASSERT_EQ(EncodeChar(d.code, out), 2u);
      EXPECT_EQ(DecodeChar(out, 2).code, d.code) << std::hex << lead << ' ' << trail;
    }
  }
  EXPECT_GT(assigned, 21000);
}

TEST(GbkTest, MixedTextRoundTripsThroughEveryForm) {
  const std::string utf8 = "Save 保存成功！ (100%) 「测试」\tend";
  const std::string gbk = Gbk(utf8);
  EXPECT_EQ(ToUtf8(gbk), utf8);
  EXPECT_EQ(ToUtf16(gbk), u"Save 保存成功！ (100%) 「测试」\tend");
  EXPECT_EQ(ToUtf32(gbk), U"Save 保存成功！ (100%) 「测试」\tend");
  EXPECT_EQ(FromUtf16(ToUtf16(gbk)), gbk);
  EXPECT_EQ(FromUtf32(ToUtf32(gbk)), gbk);
  const std::string with_nul("a\0中", 5);
  EXPECT_EQ(ToUtf8(Gbk(with_nul)), with_nul);
}

// The vectors hold exactly the bytes under test, so AddressSanitizer flags any look past the end.
TEST(GbkTest, LoneLeadByteIsOneCharacterAndNeverOverreads) {
  const std::vector<char> at_end = {'a', '\xD6'};
  const char* end = at_end.data() + at_end.size();
  EXPECT_EQ(CharLength(at_end.data() + 1, 1), 1u);
  EXPECT_EQ(CharNext(at_end.data() + 1, end), end);
  EXPECT_EQ(CharNext(end, end), end);
  EXPECT_EQ(ToUtf32(Bytes(at_end)), U"a\uFFFD");
  char buf[8];
  EXPECT_EQ(ToUtf8Buffer(std::string_view(at_end.data(), at_end.size()), buf, sizeof buf), 4u);

  const std::vector<char> before_nul = {'\xD6', '\0', 'x'};
  EXPECT_EQ(CharLength(before_nul.data(), 3), 1u);
  EXPECT_EQ(CharNext(before_nul.data() + 1, before_nul.data() + 3), before_nul.data() + 1);
  const DecodedChar d = DecodeChar(before_nul.data(), 3);
  EXPECT_EQ(d.code, kReplacementChar);
  EXPECT_EQ(d.length, 1u);
  EXPECT_EQ(ToUtf32(Bytes(before_nul)), std::u32string(U"\uFFFD\0x", 3));
}

// Stepping and decoding must agree everywhere, or a caret could land inside what was drawn as a
// single glyph. An unassigned pair such as 81 20 is therefore one U+FFFD spanning both bytes.
TEST(GbkTest, DecodingAndSteppingAgreeOnEveryPair) {
  for (int b0 = 1; b0 <= 0xFF; ++b0) {
    for (int b1 = 0; b1 <= 0xFF; ++b1) {
      const char in[2] = {static_cast<char>(b0), static_cast<char>(b1)};
      ASSERT_EQ(DecodeChar(in, 2).length, CharLength(in, 2)) << b0 << ' ' << b1;
      ASSERT_EQ(DecodeChar(in, 1).length, 1u);
    }
  }
  EXPECT_EQ(ToUtf32("\x81\x20"
                    "\x81\x7F"
                    "a"),
            U"\uFFFD\uFFFDa");
}

TEST(GbkTest, CharPrevFindsTheCharacterEndingAtEachPosition) {
  const std::string s = Gbk("a中b");
  const char* p = s.data();
  const char* expected[] = {p, p, p + 1, p + 1, p + 3};
  for (size_t i = 0; i <= s.size(); ++i) EXPECT_EQ(CharPrev(p, p + i), expected[i]) << i;

  // The trail of 中 (0xD0) is also a lead byte; looking only at s[-2] would split the 'a' off.
  const std::string t = Gbk("中a文文");
  const char* q = t.data();
  EXPECT_EQ(CharPrev(q, q + 3), q + 2);
  for (const char* c = q; c < q + t.size(); c = CharNext(c, q + t.size()))
    EXPECT_EQ(CharPrev(q, CharNext(c, q + t.size())), c);
}

TEST(GbkTest, MalformedUtf8BecomesOneQuestionMarkPerByte) {
  EXPECT_EQ(FromUtf8("\x80"
                     "a"),
            "?a");  // stray continuation
  EXPECT_EQ(FromUtf8("\xE4\xB8"
                     "Z中"),
            "??Z\xD6\xD0");                         // truncated, then resync
  EXPECT_EQ(FromUtf8("\xC0\xAF"), "??");            // overlong '/'
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), "???");       // encoded surrogate
  EXPECT_EQ(FromUtf8("\xF4\x90\x80\x80"), "????");  // above U+10FFFF
  EXPECT_EQ(FromUtf8("\xE4\xB8"), "??");            // truncated at end
}

TEST(GbkTest, UnmappableCharactersBecomeQuestionMark) {
  EXPECT_EQ(Gbk("a😀b한"), "a?b?");
  EXPECT_EQ(FromUtf16(u"😀中"), "?\xD6\xD0");  // a surrogate pair is one character
  EXPECT_EQ(FromUtf16(std::u16string{0xD800, u'a', 0xDC00}), "?a?");
  EXPECT_EQ(FromUtf32(std::u32string{0x1F600, 0xD800, 0x110000, U'中'}), "???\xD6\xD0");
}

TEST(GbkTest, Utf8BufferTruncatesOnSequenceBoundariesWithoutAllocating) {
  const std::string gbk = Gbk("a中文");  // UTF-8 boundaries at 1, 4 and 7
  ASSERT_TRUE(Init());
  for (size_t cap = 0; cap <= 9; ++cap) {
    char buf[9];
    std::fill(std::begin(buf), std::end(buf), '#');
    g_new_calls = 0;
    const size_t n = ToUtf8Buffer(gbk, buf, cap);
    EXPECT_EQ(g_new_calls.load(), 0);
    if (cap == 0) {
      EXPECT_EQ(n, 0u);
      EXPECT_EQ(buf[0], '#');
      continue;
    }
    const size_t whole = cap > 7 ? 7 : cap > 4 ? 4 : cap > 1 ? 1 : 0;
    EXPECT_EQ(n, whole) << cap;
    EXPECT_EQ(std::string(buf, n), std::string("a中文").substr(0, whole));
    EXPECT_EQ(buf[n], '\0');
  }
}

}  // namespace
}  // namespace platform::gbk
