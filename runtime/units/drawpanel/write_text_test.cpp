// WriteText and WriteTextAt on a live panel: where every line lands,
// compared pixel for pixel with the same texts drawn where they belong, and
// where the current text position ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/core/byte_set.h"
#include "runtime/core/heap.h"
#include "runtime/units/drawpanel/drawpanel_commands.h"
#include "runtime/units/drawpanel/drawpanel_test_support.h"
#include "runtime/units/drawpanel/panel_dc.h"

namespace runtime::units::drawpanel_testing {
namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 160;

struct Placed {
  int x, y;
  std::string text;
};

class WriteTextTest : public PanelTest {
 protected:
  void SetUp() override {
    LoadPanel("AutoRedraw true\nBackColor 0x00FFFFFF", kWidth, kHeight);
    line_ = Extent("W").cy;
  }

  // The size of `text` in the panel's font, in pixels.
  SIZE Extent(const std::string& text) const {
    drawpanel::WindowDc dc(panel_window());
    HGDIOBJ previous = SelectObject(dc.dc(), panel().font);
    SIZE size{};
    GetTextExtentPoint32A(dc.dc(), text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc.dc(), previous);
    return size;
  }

  // Every pixel of the bitmap and of the screen against the texts drawn at
  // their places in black over white.
  void ExpectTexts(const std::vector<Placed>& texts) const {
    HDC screen = GetDC(nullptr);
    HBITMAP reference = CreateCompatibleBitmap(screen, kWidth, kHeight);
    ReleaseDC(nullptr, screen);
    {
      drawpanel::BitmapDc dc(reference);
      PatBlt(dc.dc(), 0, 0, kWidth, kHeight, WHITENESS);
      HGDIOBJ previous = SelectObject(dc.dc(), panel().font);
      SetBkMode(dc.dc(), TRANSPARENT);
      for (const Placed& placed : texts) {
        TextOutA(dc.dc(), placed.x, placed.y, placed.text.data(),
                 static_cast<int>(placed.text.size()));
      }
      SelectObject(dc.dc(), previous);
      drawpanel::BitmapDc drawn(panel().bitmap);
      drawpanel::WindowDc shown(panel_window());
      int wrong = 0;
      for (int y = 0; y < kHeight && wrong < 3; ++y) {
        for (int x = 0; x < kWidth && wrong < 3; ++x) {
          const COLORREF want = GetPixel(dc.dc(), x, y);
          const COLORREF bitmap = GetPixel(drawn.dc(), x, y);
          const COLORREF on_screen = GetPixel(shown.dc(), x, y);
          if (bitmap != want || on_screen != want) {
            ADD_FAILURE() << "at (" << x << ", " << y << ") expected " << std::hex << want
                          << ", bitmap " << bitmap << ", screen " << on_screen;
            ++wrong;
          }
        }
      }
    }
    DeleteObject(reference);
  }

  void ExpectPosition(int x, int y) const {
    EXPECT_EQ(panel().text_position.x, x);
    EXPECT_EQ(panel().text_position.y, y);
  }

  int line_ = 0;  // the line height: "W" in the panel's font
};

TEST_F(WriteTextTest, TwoTextsGoOnTwoLinesAndThePositionMovesBelowThem) {
  panel().text_position = POINT{10, 20};
  Call(WriteText, {TextValue("ab"), TextValue("cd")});
  ExpectTexts({{10, 20, "ab"}, {10, 20 + line_ + 2, "cd"}});
  ExpectPosition(10, 20 + 2 * (line_ + 2));
}

TEST_F(WriteTextTest, WriteTextAtPutsValuesSideBySideAndKeepsThePosition) {
  panel().text_position = POINT{7, 9};
  Call(WriteTextAt, {IntValue(100), IntValue(50), TextValue("ab"), TextValue("cd")});
  ExpectTexts({{100, 50, "ab"}, {100 + Extent("ab").cx, 50, "cd"}});
  ExpectPosition(7, 9);
}

TEST_F(WriteTextTest, AnOmittedCoordinateKeepsThePositions) {
  panel().text_position = POINT{30, 40};
  Call(WriteTextAt, {ArgumentRecord{}, IntValue(90), TextValue("x")});
  Call(WriteTextAt, {IntValue(120), ArgumentRecord{}, TextValue("y")});
  ExpectTexts({{30, 90, "x"}, {120, 40, "y"}});
  ExpectPosition(30, 40);
}

TEST_F(WriteTextTest, CrLfIsOneBreakLfLfLeavesAnEmptyLine) {
  Call(WriteText, {TextValue("a\r\nb")});
  ExpectPosition(0, 2 * (line_ + 2));
  Call(WriteText, {TextValue("c\n\nd")});
  const int second = 2 * (line_ + 2);
  ExpectTexts(
      {{0, 0, "a"}, {0, line_ + 2, "b"}, {0, second, "c"}, {0, second + 2 * (line_ + 2), "d"}});
  ExpectPosition(0, second + 3 * (line_ + 2));
}

TEST_F(WriteTextTest, EmptyTextsMoveWriteTextOneLineAndWriteTextAtNowhere) {
  panel().text_position = POINT{5, 6};
  Call(WriteText, {TextValue("")});
  ExpectPosition(5, 6 + line_ + 2);
  Call(WriteTextAt, {IntValue(50), IntValue(50), TextValue(""), TextValue("z")});
  ExpectTexts({{50, 50, "z"}});
  ExpectPosition(5, 6 + line_ + 2);
  Call(WriteText, {ArgumentRecord{}});
  ExpectPosition(5, 6 + 2 * (line_ + 2));  // an omitted value is an empty text
}

TEST_F(WriteTextTest, ATrailingBreakEndsWithAnEmptyLine) {
  Call(WriteText, {TextValue("ab\n")});
  ExpectPosition(0, 2 * (line_ + 2));
  Call(WriteTextAt, {IntValue(60), IntValue(70), TextValue("ab\n"), TextValue("cd")});
  ExpectTexts({{0, 0, "ab"}, {60, 70, "ab"}, {60, 70 + line_ + 2, "cd"}});
}

TEST_F(WriteTextTest, ContinuedLinesAndTheNextValueStartBelowTheValuesFirstLine) {
  Call(WriteTextAt,
       {IntValue(20), IntValue(10), TextValue("ab"), TextValue("c\nd"), TextValue("e")});
  const int c_x = 20 + Extent("ab").cx;
  ExpectTexts({{20, 10, "ab"},
               {c_x, 10, "c"},
               {c_x, 10 + line_ + 2, "d"},
               {c_x + Extent("d").cx, 10 + line_ + 2, "e"}});
}

TEST_F(WriteTextTest, ByteSetsAreSkippedWithoutAGap) {
  void* bytes = MakeByteSet("xyz", 3);
  Call(WriteText, {TextValue("ab"), ByteSetValue(bytes), TextValue("cd")});
  MemFree(bytes);
  ExpectTexts({{0, 0, "ab"}, {0, line_ + 2, "cd"}});
  ExpectPosition(0, 2 * (line_ + 2));
}

TEST_F(WriteTextTest, NumbersLogicalsAndDatesAreWrittenAsText) {
  Call(WriteText, {IntValue(42), DoubleValue(2.5), BoolValue(true)});
  ExpectTexts({{0, 0, "42"}, {0, line_ + 2, "2.5"}, {0, 2 * (line_ + 2), "\xD5\xE6"}});
}

TEST_F(WriteTextTest, TextBackColorBoxesTheTextOnlyWhenItIsAColour) {
  Call(WriteTextAt, {IntValue(10), IntValue(10), TextValue("ab")});
  const SIZE size = Extent("ab");
  const RECT cell{10, 10, 10 + size.cx, 10 + size.cy};
  EXPECT_EQ(CountScreen(cell, kGreen), 0) << "transparent: no box";
  EXPECT_GT(CountScreen(cell, kWhite), 0);
  Write(21, kGreen);
  Call(WriteTextAt, {IntValue(10), IntValue(60), TextValue("ab")});
  const RECT boxed{10, 60, 10 + size.cx, 60 + size.cy};
  const int ink = CountScreen(boxed, kBlack);
  EXPECT_GT(ink, 0);
  EXPECT_EQ(CountScreen(boxed, kGreen) + ink, size.cx * size.cy)
      << "the whole cell is ink or the text background";
  EXPECT_EQ(CountScreen(RECT{10 + size.cx, 60, 20 + size.cx, 60 + size.cy}, kGreen), 0)
      << "nothing beyond the cell";
}

TEST_F(WriteTextTest, TextColorIsThePenOfTheText) {
  Write(20, kRed);
  Call(WriteText, {TextValue("W")});
  const SIZE size = Extent("W");
  EXPECT_GT(CountScreen(RECT{0, 0, size.cx, size.cy}, kRed), 0);
  EXPECT_EQ(CountScreen(RECT{0, 0, size.cx, size.cy}, kBlack), 0);
}

TEST_F(WriteTextTest, PositionsStayInPixelsInEveryCoordinateUnit) {
  for (int32_t unit = 1; unit <= 5; ++unit) {
    Write(13, static_cast<uint32_t>(unit));
    panel().text_position = POINT{12, 30};
    Call(WriteText, {TextValue("ab"), TextValue("cd")});
    EXPECT_NEAR(panel().text_position.x, 12, 1) << "unit " << unit;
    EXPECT_NEAR(panel().text_position.y, 30 + 2 * (line_ + 2), 2) << "unit " << unit;
  }
}

}  // namespace
}  // namespace runtime::units::drawpanel_testing
