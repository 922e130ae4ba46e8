#include "app/demo_script.h"

#include <gtest/gtest.h>

namespace app {
namespace {

TEST(DemoScriptTest, ReadsEveryCommandSkippingCommentsAndBlankLines) {
  const DemoScript script = ParseDemoScript(
      "# the demo\r\n"
      "\n"
      "answer-open pictures/a b.jpg\r\n"
      "answer-cancel\n"
      "  move 10 20\n"
      "click 920 67\n"
      "drag 1 2 -3 4\n"
      "type Mienzo 演示\n"
      "key ctrl+shift+end\n"
      "wait 250\n"
      "screenshot out.png\n");
  ASSERT_TRUE(script.ok()) << script.error;
  ASSERT_EQ(script.steps.size(), 9u);
  EXPECT_EQ(script.steps[0].command, DemoCommand::kAnswerOpen);
  EXPECT_EQ(script.steps[0].text, "pictures/a b.jpg");  // the rest of the line, spaces kept
  EXPECT_EQ(script.steps[0].line, 3);
  EXPECT_EQ(script.steps[1].command, DemoCommand::kAnswerCancel);
  EXPECT_EQ(script.steps[2].command, DemoCommand::kMove);
  EXPECT_EQ(script.steps[2].y, 20);
  EXPECT_EQ(script.steps[3].command, DemoCommand::kClick);
  EXPECT_EQ(script.steps[3].x, 920);
  const DemoStep& drag = script.steps[4];
  EXPECT_EQ(drag.command, DemoCommand::kDrag);
  EXPECT_EQ((std::vector<int>{drag.x, drag.y, drag.x2, drag.y2}), (std::vector<int>{1, 2, -3, 4}));
  EXPECT_EQ(script.steps[5].text, "Mienzo 演示");
  EXPECT_EQ(script.steps[6].keys, (std::vector<UINT>{VK_CONTROL, VK_SHIFT, VK_END}));
  EXPECT_EQ(script.steps[7].ms, 250);
  EXPECT_EQ(script.steps[8].command, DemoCommand::kScreenshot);
  EXPECT_EQ(script.steps[8].text, "out.png");
}

TEST(DemoScriptTest, TheFirstBadLineStopsTheScriptAndIsNamed) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"click 1 2\nfly 3 4\n", "line 2: unknown command \"fly\""},
      {"click 1\n", "line 1: click takes 2 numbers"},
      {"click 1 2 3\n", "line 1: click takes 2 numbers"},
      {"drag 1 2 3 x4\n", "line 1: not a number: x4"},
      {"wait -5\n", "line 1: wait takes milliseconds, 0 or more"},
      {"\nscreenshot\n", "line 2: screenshot needs a path"},
      {"answer-open   \n", "line 1: answer-open needs a path"},
      {"type\n", "line 1: type needs text"},
      {"key ctrl+nothing\n", "line 1: unknown key \"nothing\""},
      {"key ctrl a\n", "line 1: key takes one key, e.g. ctrl+a"},
      {"answer-cancel now\n", "line 1: answer-cancel takes nothing"},
  };
  for (const auto& c : cases) {
    const DemoScript script = ParseDemoScript(c.text);
    EXPECT_EQ(script.error, c.error) << "for: " << c.text;
    EXPECT_TRUE(script.steps.empty()) << "for: " << c.text;
  }
}

TEST(DemoScriptTest, KeyNames) {
  EXPECT_EQ(KeyFromName("Escape"), static_cast<UINT>(VK_ESCAPE));
  EXPECT_EQ(KeyFromName("a"), static_cast<UINT>('A'));
  EXPECT_EQ(KeyFromName("7"), static_cast<UINT>('7'));
  EXPECT_EQ(KeyFromName("f5"), static_cast<UINT>(VK_F5));
  EXPECT_EQ(KeyFromName("f13"), 0u);
  EXPECT_EQ(KeyFromName("ab"), 0u);
  EXPECT_EQ(KeyFromName(""), 0u);
}

TEST(DemoScriptTest, TheShippedDemoReads) {
  const DemoScript script = ReadDemoScript(MIENZO_APP_DIR "/demo.mienzo");
  ASSERT_TRUE(script.ok()) << script.error;
  EXPECT_GT(script.steps.size(), 10u);
  EXPECT_FALSE(ReadDemoScript(MIENZO_APP_DIR "/no-such.mienzo").ok());
}

}  // namespace
}  // namespace app
