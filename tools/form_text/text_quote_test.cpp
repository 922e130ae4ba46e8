#include "tools/form_text/text_quote.h"

#include <gtest/gtest.h>

#include <random>

namespace tools::form_text {
namespace {

std::optional<UnquotedText> UnquoteAll(const std::string& quoted, std::string* error) {
  size_t at = 0;
  auto text = Unquote(quoted, &at, error);
  if (text) {
    EXPECT_EQ(at, quoted.size()) << quoted;
  }
  return text;
}

TEST(TextQuoteTest, CharactersAsUtf8AndTheRestEscaped) {
  EXPECT_EQ(QuoteGbk("\xB0\xB4\xC5\xA5"
                     "6"),
            "\"按钮6\"");
  EXPECT_EQ(QuoteGbk("a\"b\\c\n\t\r"), "\"a\\\"b\\\\c\\n\\t\\r\"");
  EXPECT_EQ(QuoteGbk(std::string("\0\x7F\x80", 3)), "\"\\x00\\x7F€\"");
  // A lone lead byte, a lead byte before a byte that is no trail byte, 0xFF.
  EXPECT_EQ(QuoteGbk("\xB0"), "\"\\xB0\"");
  EXPECT_EQ(QuoteGbk("\x81\x30x"), "\"\\x81\\x30x\"");
  EXPECT_EQ(QuoteGbk("\xFF"), "\"\\xFF\"");
}

TEST(TextQuoteTest, EveryByteStringComesBack) {
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 12, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 5 == 0 ? random() % 0x80 : random());
    std::string error;
    auto back = UnquoteAll(QuoteGbk(bytes), &error);
    ASSERT_TRUE(back.has_value()) << error;
    EXPECT_TRUE(back->error.empty());
    EXPECT_EQ(back->gbk, bytes) << QuoteGbk(bytes);
  }
}

TEST(TextQuoteTest, UnquoteKeepsBothReadings) {
  std::string error;
  auto text = UnquoteAll("\"图\\x41\\\"\"", &error);
  ASSERT_TRUE(text.has_value()) << error;
  EXPECT_EQ(text->gbk,
            "\xCD\xBC"
            "A\"");
  EXPECT_EQ(text->utf8, "图A\"");
  // A character GBK lacks: the string reads, but has no GBK form.
  text = UnquoteAll("\"x😀\"", &error);
  ASSERT_TRUE(text.has_value());
  EXPECT_NE(text->error.find("U+1F600"), std::string::npos) << text->error;
  EXPECT_EQ(text->utf8, "x😀");
  // A literal '?' is no failed conversion.
  EXPECT_TRUE(UnquoteAll("\"?\"", &error)->error.empty());
}

TEST(TextQuoteTest, MalformedQuotedTexts) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"open", "no closing quote"},
      {"\"a\\", "unknown escape"},
      {"\"\\x4\"", "unknown escape"},
      {"\"\\u0041\"", "unknown escape"},
      {"\"\xC3\"", "not valid UTF-8"},
      {"\"\xC0\x80\"", "not valid UTF-8"},          // overlong
      {"\"\xED\xA0\x80\"", "not valid UTF-8"},      // a surrogate
      {"\"\xF4\x90\x80\x80\"", "not valid UTF-8"},  // above U+10FFFF
  };
  for (const auto& [quoted, message] : cases) {
    std::string error;
    EXPECT_FALSE(UnquoteAll(quoted, &error).has_value()) << quoted;
    EXPECT_NE(error.find(message), std::string::npos) << quoted << ": " << error;
  }
}

TEST(TextQuoteTest, FileNamesKeepTheirUtf8) {
  EXPECT_EQ(QuoteUtf8("assets/图 \"1\".jpg"), "\"assets/图 \\\"1\\\".jpg\"");
}

}  // namespace
}  // namespace tools::form_text
