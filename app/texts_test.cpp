#include "app/texts.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app_constants.h"
#include "app/fake_runtime.h"
#include "platform/base/gbk.h"
#include "runtime/core/byte_set.h"

namespace app {
namespace {

TEST(TextLengthTest, CountsBytesBeforeTheNulAndTreatsAbsentAsEmpty) {
  EXPECT_EQ(TextLength(nullptr), 0);
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_EQ(TextLength("abc"), 3);
  EXPECT_EQ(TextLength(platform::gbk::Gbk("保存成功！").c_str()), 10)
      << "GBK: two bytes a character";
}

TEST(JoinTextsTest, JoinsInOrderIntoAFreshRuntimeBlock) {
  testing::FakeRuntime fake;
  char* joined = JoinTexts({"C:/run", "/", "Kerlo", ".jpg"});
  EXPECT_STREQ(joined, "C:/run/Kerlo.jpg");
  EXPECT_EQ(fake.live_blocks.count(joined), 1u) << "allocated through the runtime allocator";
  MemFree(joined);
  EXPECT_TRUE(fake.live_blocks.empty());
}

TEST(JoinTextsTest, AbsentPartsCountAsEmptyAndTheResultIsNeverAbsent) {
  testing::FakeRuntime fake;
  char* partly = JoinTexts({nullptr, "/", nullptr, ".png"});
  EXPECT_STREQ(partly, "/.png");
  char* nothing = JoinTexts({nullptr, "", nullptr});
  ASSERT_NE(nothing, nullptr);
  EXPECT_STREQ(nothing, "");
  char* none = JoinTexts({});
  ASSERT_NE(none, nullptr);
  EXPECT_STREQ(none, "");
  MemFree(partly);
  MemFree(nothing);
  MemFree(none);
  EXPECT_TRUE(fake.live_blocks.empty());
}

TEST(AppConstantsTest, HoldTheGbkTextsAndTheEmptyValuesTheHandlersPass) {
  const AppConstants& constants = Constants();
  using platform::gbk::Gbk;
  EXPECT_EQ(std::string(constants.picture_filter),
            Gbk("(*.jpg;*.bmp;*.png)|*.jpg;*.bmp;*.png|JPEG图片(*.jpg)|*.jpg|"
                "位图文件(*.bmp)|*.bmp|PNG图片文件(*.png)|*.png|"));
  EXPECT_EQ(std::string(constants.saved_message), Gbk("保存成功！"));
  EXPECT_STREQ(constants.path_separator, "/");
  EXPECT_STREQ(constants.empty_text, "");
  EXPECT_EQ(constants.empty_byte_set[0], 1);
  EXPECT_TRUE(runtime::ByteSetBytes(constants.empty_byte_set).empty());
}

TEST(AppConstantsTest, AbsentValuesAreReplacedByTheConstantsAndPresentOnesKept) {
  EXPECT_EQ(TextOrEmpty(nullptr), Constants().empty_text);
  const char* text = "x";
  EXPECT_EQ(TextOrEmpty(text), text);
  EXPECT_EQ(ByteSetOrEmpty(nullptr), static_cast<const void*>(Constants().empty_byte_set));
  const int32_t bytes[3] = {1, 1, 7};
  EXPECT_EQ(ByteSetOrEmpty(bytes), static_cast<const void*>(bytes));
}

}  // namespace
}  // namespace app
