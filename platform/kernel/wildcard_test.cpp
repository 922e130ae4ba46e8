#include "platform/kernel/wildcard.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/base/gbk.h"

namespace {

struct Case {
  const char* pattern;  // UTF-8 source text
  const char* name;
  bool matches;
};

std::u32string Characters(const char* utf8) {
  return platform::gbk::ToUtf32(platform::gbk::Gbk(utf8));
}

void ExpectCases(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(platform::MatchesSearchPattern(Characters(c.pattern), Characters(c.name)), c.matches)
        << "pattern \"" << c.pattern << "\" against name \"" << c.name << "\": expected "
        << (c.matches ? "a match" : "no match");
  }
}

TEST(SearchPattern, StarDotStarFindsEverythingAndStarDotOnlyNamesWithoutADot) {
  // clang-format off
  ExpectCases({
      {"*", "noext", true}, {"*", ".", true}, {"*", "..", true}, {"*", ".hidden", true},
      {"*.*", "noext", true}, {"*.*", "a.jpg", true}, {"*.*", ".hidden", true},
      {"*.*", ".", true}, {"*.*", "..", true}, {"*.*", "a.b.c", true},
      {"*.", "noext", true}, {"*.", "a.jpg", false}, {"*.", ".hidden", false},
      {"abc.*", "abc", true}, {"abc.*", "abc.d", true}, {"abc.*", "abcd", false},
  });
  // clang-format on
}

TEST(SearchPattern, ExtensionsCompareWholeAndIgnoreAsciiCase) {
  // clang-format off
  ExpectCases({
      {"*.jpg", "a.jpg", true}, {"*.jpg", "B.JPG", true}, {"*.JPG", "b.jpg", true},
      {"*.jpg", "c.jpeg", false}, {"*.jpg", "x.jpg.bak", false}, {"*.jpg", "a.b.jpg", true},
      {"*.jpg", "jpg", false}, {"*.jpg", ".jpg", true}, {"noext", "NOEXT", true},
      {"*a*a*b", "banana", false}, {"*an*a", "banana", true},
  });
  // clang-format on
}

TEST(SearchPattern, QuestionMarksMayStopShortAtTheEndOrBeforeADot) {
  // clang-format off
  ExpectCases({
      {"?", "a", true}, {"?", "ab", false}, {"???", "ab", true}, {"???", "abcd", false},
      {"a?.txt", "a.txt", true}, {"a?.txt", "ab.txt", true}, {"a?.txt", "abc.txt", false},
      {"a?c", "ac", false}, {"a?c", "abc", true}, {"?.jpg", "B.JPG", true},
  });
  // clang-format on
}

TEST(SearchPattern, DoubleByteCharactersCountAsOneCharacter) {
  // clang-format off
  ExpectCases({
      {"*.bmp", "图片.bmp", true}, {"??.bmp", "图片.bmp", true}, {"?.bmp", "图片.bmp", false},
      {"图*", "图片.bmp", true}, {"片*", "图片.bmp", false},
  });
  // clang-format on
}

TEST(SearchPattern, ManyStarsOnALongNameStayFast) {
  std::u32string name(250, U'a');
  std::u32string pattern = U"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b";
  EXPECT_FALSE(platform::MatchesSearchPattern(pattern, name));
  name.back() = U'b';
  EXPECT_TRUE(platform::MatchesSearchPattern(pattern, name));
}

}  // namespace
