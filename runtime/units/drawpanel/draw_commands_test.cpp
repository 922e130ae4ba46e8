// DrawLine, DrawPicture and GetPicture called through the command
// convention on a live panel, and the dispatcher's two targets.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "runtime/core/byte_set.h"
#include "runtime/core/heap.h"
#include "runtime/units/drawpanel/coordinate_unit.h"
#include "runtime/units/drawpanel/drawpanel_commands.h"
#include "runtime/units/drawpanel/drawpanel_test_support.h"
#include "runtime/units/drawpanel/panel_dc.h"

namespace runtime::units::drawpanel_testing {
namespace {

enum : int32_t { kWidthProperty = 2, kCoordinateUnit = 13, kDrawMode = 15, kPenWidth = 16 };

class DrawCommands : public PanelTest {
 protected:
  void Line(int x1, int y1, int x2, int y2) {
    Call(DrawLine, {IntValue(x1), IntValue(y1), IntValue(x2), IntValue(y2)});
  }
  // The BMP bytes GetPicture answers; empty for the empty byte set.
  std::vector<uint8_t> Picture(std::vector<ValueRecord> arguments = {}) {
    const ValueRecord result = Call(GetPicture, std::move(arguments));
    EXPECT_EQ(result.type, type::kByteSet);
    const auto bytes = ByteSetBytes(result.AsPointer());
    std::vector<uint8_t> copy(bytes.begin(), bytes.end());
    MemFree(result.AsPointer());
    return copy;
  }
};

uint32_t Word(const std::vector<uint8_t>& bytes, size_t at) {
  uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

TEST_F(DrawCommands, ALineLeavesOutItsEndPointOnBitmapAndScreen) {
  LoadPanel("AutoRedraw true\nBackColor 0x00FFFFFF\nPenColor 0x000000FF");
  Line(10, 10, 30, 10);
  for (int x = 10; x < 30; ++x) {
    ASSERT_EQ(ScreenPixel(x, 10), kRed) << x;
    ASSERT_EQ(BitmapPixel(x, 10), kRed) << x;
  }
  EXPECT_EQ(ScreenPixel(30, 10), kWhite);
  EXPECT_EQ(BitmapPixel(30, 10), kWhite);
}

TEST_F(DrawCommands, APointIsNothingWithThinPensAndADotWithWideOnes) {
  LoadPanel("BackColor 0x00FFFFFF");
  const RECT around{40, 40, 61, 61};
  for (int width : {0, 1}) {
    Write(kPenWidth, static_cast<uint32_t>(width));
    Line(50, 50, 50, 50);
    EXPECT_EQ(CountScreen(around, kBlack), 0) << "pen width " << width;
  }
  Write(kPenWidth, 4);
  Line(50, 50, 50, 50);
  const int dot = CountScreen(around, kBlack);
  EXPECT_GE(dot, 9) << "a round dot about four pixels across";
  EXPECT_LE(dot, 20);
  EXPECT_EQ(ScreenPixel(50, 50), kBlack);
  EXPECT_EQ(CountScreen(RECT{40, 40, 47, 61}, kBlack), 0) << "and no wider";
}

TEST_F(DrawCommands, DrawModeCombinesThePenWithWhatIsThere) {
  LoadPanel("BackColor 0x00FFFFFF\nPenColor 0x000000FF\nDrawMode 6");  // R2_XORPEN
  Line(10, 20, 60, 20);
  EXPECT_EQ(ScreenPixel(30, 20), 0xFFFF00u) << "white XOR red";
  Line(10, 20, 60, 20);
  EXPECT_EQ(ScreenPixel(30, 20), kWhite) << "drawn twice, gone";
}

TEST_F(DrawCommands, EveryCoordinateUnitRoundTripsALinesEndPoints) {
  LoadPanel("BackColor 0x00FFFFFF", 200, 100);
  for (int32_t unit = 0; unit <= 5; ++unit) {
    Write(kCoordinateUnit, static_cast<uint32_t>(unit));
    const int y = 10 + unit * 12;
    POINT from{17, y}, to{163, y};
    {
      drawpanel::WindowDc dc(panel_window());
      drawpanel::ApplyCoordinateUnit(dc.dc(), unit);
      from = drawpanel::ToLogical(dc.dc(), from);
      to = drawpanel::ToLogical(dc.dc(), to);
    }
    Line(from.x, from.y, to.x, to.y);
    EXPECT_EQ(ScreenPixel(16, y), kWhite) << "unit " << unit;
    EXPECT_EQ(ScreenPixel(17, y), kBlack) << "unit " << unit;
    EXPECT_EQ(ScreenPixel(162, y), kBlack) << "unit " << unit;
    EXPECT_EQ(ScreenPixel(163, y), kWhite) << "unit " << unit;
    EXPECT_EQ(CountScreen(RECT{17, y, 163, y + 1}, kBlack), 146) << "unit " << unit;
  }
  Write(kCoordinateUnit, 5);
  Line(1500, 1350, 1500, 1500);  // twips: about (100, 90) to (100, 100)
  EXPECT_EQ(CountScreen(RECT{98, 88, 103, 92}, kBlack) > 0, true) << "15 twips a pixel";
}

COLORREF HalfBlue(int x, int) { return x < 10 ? kBlue : kRed; }

TEST_F(DrawCommands, PicturesDrawAtTheirSizeOrStretchedAndZeroSizesDrawNothing) {
  LoadPanel("AutoRedraw true\nBackColor 0x00FFFFFF");
  const int32_t picture = LoadTestPicture(20, 10, HalfBlue);
  ASSERT_NE(picture, 0);
  Call(DrawPicture, {IntValue(picture), IntValue(5), IntValue(5)});
  EXPECT_EQ(ScreenPixel(5, 5), kBlue);
  EXPECT_EQ(ScreenPixel(24, 14), kRed);
  EXPECT_EQ(ScreenPixel(25, 14), kWhite);
  EXPECT_EQ(ScreenPixel(24, 15), kWhite);
  EXPECT_EQ(BitmapPixel(24, 14), kRed) << "and into the bitmap";

  Call(DrawPicture, {IntValue(picture), IntValue(5), IntValue(30), IntValue(40), IntValue(20)});
  EXPECT_EQ(ScreenPixel(5, 30), kBlue);
  EXPECT_EQ(ScreenPixel(44, 49), kRed);
  EXPECT_EQ(ScreenPixel(45, 49), kWhite);
  EXPECT_EQ(ScreenPixel(44, 50), kWhite);

  Call(DrawPicture, {IntValue(picture), IntValue(100), IntValue(5), IntValue(0), IntValue(10)});
  Call(DrawPicture, {IntValue(picture), IntValue(100), IntValue(5), IntValue(20), IntValue(0)});
  EXPECT_EQ(CountScreen(RECT{100, 5, 130, 20}, kWhite), 30 * 15) << "a side of 0 draws nothing";
}

TEST_F(DrawCommands, CopyModesCombineAndModeThreeTwiceErases) {
  LoadPanel("BackColor 0x00FFFFFF");
  const int32_t picture = LoadTestPicture(20, 10, HalfBlue);
  const auto draw = [&](int x, int mode) {
    Call(DrawPicture, {IntValue(picture), IntValue(x), IntValue(5), ArgumentRecord{},
                       ArgumentRecord{}, IntValue(mode)});
  };
  draw(5, 2);
  EXPECT_EQ(ScreenPixel(20, 5), 0xFFFF00u) << "inverted red";
  draw(40, 3);
  EXPECT_EQ(ScreenPixel(55, 5), 0xFFFF00u) << "red XOR white";
  draw(40, 3);
  EXPECT_EQ(CountScreen(RECT{40, 5, 60, 15}, kWhite), 200) << "the second XOR erases the first";
  draw(70, 5);
  EXPECT_EQ(ScreenPixel(85, 5), kRed) << "AND white";
  draw(100, 4);
  EXPECT_EQ(ScreenPixel(115, 5), kWhite) << "OR white";
  draw(130, static_cast<int>(0x00CC0020));
  EXPECT_EQ(ScreenPixel(145, 5), kRed) << "a raster operation of its own";
}

TEST_F(DrawCommands, ANegativeCopyModeMakesThatColourTransparent) {
  LoadPanel("BackColor 0x0000FF00");
  const int32_t picture = LoadTestPicture(20, 10, HalfBlue);
  Call(DrawPicture, {IntValue(picture), IntValue(5), IntValue(5), ArgumentRecord{},
                     ArgumentRecord{}, IntValue(-static_cast<int32_t>(kBlue))});
  EXPECT_EQ(ScreenPixel(6, 6), kGreen) << "blue lets the background through";
  EXPECT_EQ(ScreenPixel(20, 6), kRed);
}

TEST_F(DrawCommands, HandlesThatNameNoPictureDrawNothing) {
  LoadPanel("BackColor 0x00FFFFFF");
  const int32_t picture = LoadTestPicture(20, 10, HalfBlue);
  for (int32_t handle : {0, picture + 1, -1}) {
    Call(DrawPicture, {IntValue(handle), IntValue(0), IntValue(0)});
  }
  EXPECT_EQ(CountScreen(RECT{0, 0, 30, 20}, kWhite), 600);
}

TEST_F(DrawCommands, PicturePlacesAndSizesAreInTheCoordinateUnit) {
  LoadPanel("BackColor 0x00FFFFFF\nCoordinateUnit 5");
  const int32_t picture = LoadTestPicture(20, 10, HalfBlue);
  Call(DrawPicture,
       {IntValue(picture), IntValue(150), IntValue(150), IntValue(600), IntValue(300)});
  // 15 twips a pixel: (10, 10) and 40 x 20 pixels, give or take one.
  EXPECT_EQ(ScreenPixel(11, 11), kBlue);
  EXPECT_EQ(ScreenPixel(48, 28), kRed);
  EXPECT_EQ(ScreenPixel(52, 32), kWhite);
  EXPECT_EQ(ScreenPixel(8, 8), kWhite);
}

TEST_F(DrawCommands, GetPictureWritesTheBitmapAsA24BitBmp) {
  LoadPanel("AutoRedraw true\nBackColor 0x00FFFFFF\nPenColor 0x000000FF", 100, 50);
  Line(3, 0, 4, 0);  // one red pixel at (3, 0): the top row, last in the file
  const std::vector<uint8_t> file = Picture();
  ASSERT_EQ(file.size(), 15054u) << "54 + 300 x 50";
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  const uint32_t header[] = {15054, 0, 54, 40, 100, 50};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(Word(file, 2 + 4 * i), header[i]) << i;
  EXPECT_EQ(Word(file, 26), 0x00180001u) << "one plane, 24 bits";
  const uint32_t rest[] = {0, 15000, 0, 0, 0, 0};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(Word(file, 30 + 4 * i), rest[i]) << i;
  const size_t top_row = 54 + 49 * 300;
  EXPECT_EQ(file[top_row + 9], 0x00) << "blue";
  EXPECT_EQ(file[top_row + 11], 0xFF) << "red";
  EXPECT_EQ(file[top_row + 12], 0xFF) << "(4, 0) is white";
  EXPECT_EQ(file[54], 0xFF) << "the bottom row first";
}

TEST_F(DrawCommands, GetPictureSizesArePixelsOrPercentages) {
  LoadPanel("AutoRedraw true", 100, 50);
  std::vector<uint8_t> file = Picture({IntValue(-50), IntValue(-50)});
  ASSERT_GE(file.size(), 54u);
  EXPECT_EQ(Word(file, 18), 50u);
  EXPECT_EQ(Word(file, 22), 25u);
  file = Picture({IntValue(-5)});
  ASSERT_GE(file.size(), 54u);
  EXPECT_EQ(Word(file, 18), 10u) << "at least 10 %";
  EXPECT_EQ(Word(file, 22), 50u);
  EXPECT_EQ(Word(file, 34), 32u * 50) << "rows of 30 bytes padded to 32";
  file = Picture({IntValue(30), IntValue(7)});
  EXPECT_EQ(file.size(), 54u + 92 * 7) << "30 x 7 stretched";
}

TEST_F(DrawCommands, WithoutABitmapGetPictureTakesTheScreen) {
  LoadPanel("BackColor 0x00FFFFFF\nPenColor 0x000000FF", 99, 40);
  Line(0, 39, 1, 39);  // the bottom row, first in the file
  const std::vector<uint8_t> file = Picture();
  ASSERT_EQ(file.size(), 54u + 300 * 40) << "rows of 297 bytes padded to 300";
  EXPECT_EQ(file[54 + 2], 0xFF);
  EXPECT_EQ(file[54 + 0], 0x00);
  EXPECT_EQ(file[54 + 3], 0xFF) << "(1, 39) is white";
  Write(kWidthProperty, 0);
  EXPECT_TRUE(Picture().empty()) << "nothing to take: the empty byte set";
}

TEST_F(DrawCommands, AReferenceToAnotherKindOfUnitIsARunTimeError) {
  LoadPanel("");
  std::vector<ArgumentRecord> arguments = {
      UnitReference(forms_testing::kMainWindow, 0x06010000, 0x00010001), IntValue(0), IntValue(0),
      IntValue(1), IntValue(1)};
  EXPECT_EXIT(CallCommand(DrawLine, 5, arguments.data()), testing::ExitedWithCode(255),
              "运行时出错!.*所提供参数的数据类型不符合要求");
}

}  // namespace
}  // namespace runtime::units::drawpanel_testing
