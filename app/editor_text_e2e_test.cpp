// The editor's text buttons end to end: where "加文字" and "定位写字" write,
// what an empty text does, and which colour the texts and dots take. Texts
// are compared pixel for pixel with the same text drawn by the platform.
#include <gtest/gtest.h>

#include <cstdint>

#include "app/editor_e2e_support.h"
#include "app/main_window_units.h"
#include "platform/win32.h"

namespace app::e2e {
namespace {

TEST_F(EditorTest, AddTextGoesALineDownEachTimeAndNeitherPlaceTextNorClearMovesIt) {
  const int step = LineStep();
  TypeInto(app::kTextEdit, "first");
  ClickUnit(kAddTextButton);
  EXPECT_TRUE(TextAt({0, 0}, "first", kInk)) << "the first line starts at the corner";

  TypeInto(app::kTextEdit, "placed");
  ClickUnit(kPlaceTextButton);
  EXPECT_TRUE(TextAt({22, 22}, "placed", kInk));
  EXPECT_TRUE(BackgroundOutside({TextRect({0, 0}, "first"), TextRect({22, 22}, "placed")}));
  ClickUnit(kClearButton);
  EXPECT_TRUE(BackgroundOutside({})) << "cleared";

  TypeInto(app::kTextEdit, "second");
  ClickUnit(kAddTextButton);
  TypeInto(app::kTextEdit, "third");
  ClickUnit(kAddTextButton);
  EXPECT_TRUE(TextAt({0, step}, "second", kInk)) << "right below the first line";
  EXPECT_TRUE(TextAt({0, 2 * step}, "third", kInk));
  EXPECT_TRUE(BackgroundOutside({TextRect({0, step}, "second"), TextRect({0, 2 * step}, "third")}));
}

TEST_F(EditorTest, AnEmptyTextDrawsNothingButAddTextStillTakesALine) {
  TypeInto(app::kTextEdit, "");
  ClickUnit(kAddTextButton);
  ClickUnit(kPlaceTextButton);
  EXPECT_TRUE(BackgroundOutside({})) << "neither button draws an empty text";

  TypeInto(app::kTextEdit, "after");
  ClickUnit(kAddTextButton);
  const POINT second_line{0, LineStep()};
  EXPECT_TRUE(TextAt(second_line, "after", kInk)) << "the empty text took the first line";
  EXPECT_TRUE(BackgroundOutside({TextRect(second_line, "after")}));
}

TEST_F(EditorTest, PlaceTextWithLettersForXWritesAtTheLeftEdge) {
  TypeInto(app::kTextXEdit, "abc");
  ClickUnit(kPlaceTextButton);
  EXPECT_TRUE(TextAt({0, 22}, kStoredText, kInk)) << "x 0, y 22 from 编辑框3";
  EXPECT_TRUE(BackgroundOutside({TextRect({0, 22}, kStoredText)}));
}

TEST_F(EditorTest, AnotherColourReachesLaterDotsAndTextsOnly) {
  constexpr uint32_t kNewInk = 0x0060C0;
  const int step = LineStep();
  TypeInto(app::kTextEdit, "old");
  ClickUnit(kAddTextButton);
  PaintDot(300, 300);

  ChooseOtherColour(kNewInk);
  PaintDot(400, 300);
  TypeInto(app::kTextEdit, "new");
  ClickUnit(kAddTextButton);
  TypeInto(app::kTextYEdit, "200");
  ClickUnit(kPlaceTextButton);

  EXPECT_EQ(PanelPixel(300, 300), kInk) << "the earlier dot keeps its colour";
  EXPECT_EQ(PanelPixel(400, 300), kNewInk) << "the later dot takes the new one";
  EXPECT_TRUE(TextAt({0, 0}, "old", kInk)) << "the earlier text keeps its colour";
  EXPECT_TRUE(TextAt({0, step}, "new", kNewInk)) << "加文字";
  EXPECT_TRUE(TextAt({22, 200}, "new", kNewInk)) << "定位写字";
  EXPECT_TRUE(BackgroundOutside({TextRect({0, 0}, "old"), TextRect({0, step}, "new"),
                                 TextRect({22, 200}, "new"), RECT{295, 295, 306, 306},
                                 RECT{395, 295, 406, 306}}));
}

}  // namespace
}  // namespace app::e2e
