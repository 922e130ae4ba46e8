#include "tools/form_text/byte_text.h"

#include <gtest/gtest.h>

namespace tools::form_text {
namespace {

TEST(ByteTextTest, HexBothWays) {
  EXPECT_EQ(ToHex(std::string("\x00\xAB\x7F", 3)), "00AB7F");
  EXPECT_EQ(FromHex("00ab7F"), std::string("\x00\xAB\x7F", 3));
  EXPECT_EQ(FromHex(""), "");
  EXPECT_FALSE(FromHex("ABC").has_value());
  EXPECT_FALSE(FromHex("0G").has_value());
}

TEST(ByteTextTest, Base64EveryPaddingLength) {
  const std::string bytes = std::string("\x00\xFF\x10\x80\x7F", 5);
  for (size_t length = 0; length <= bytes.size(); ++length) {
    const std::string part = bytes.substr(0, length);
    const std::string text = ToBase64(part);
    EXPECT_EQ(text.size() % 4, 0u);
    EXPECT_EQ(FromBase64(text), part) << text;
  }
  EXPECT_EQ(ToBase64("Man"), "TWFu");
  EXPECT_EQ(ToBase64("Ma"), "TWE=");
  EXPECT_FALSE(FromBase64("TWE").has_value());
  EXPECT_FALSE(FromBase64("T=Fu").has_value());
  EXPECT_FALSE(FromBase64("TW==TWFu").has_value());  // padding only at the end
  EXPECT_FALSE(FromBase64("TW*u").has_value());
}

TEST(ByteTextTest, WrapLines) {
  EXPECT_EQ(WrapLines("abcdefg", 3), (std::vector<std::string_view>{"abc", "def", "g"}));
  EXPECT_TRUE(WrapLines("", 3).empty());
}

}  // namespace
}  // namespace tools::form_text
