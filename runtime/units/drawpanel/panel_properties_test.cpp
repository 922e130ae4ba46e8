// The panel's properties read and written by number through the
// framework, on a panel loaded from form text.
#include "runtime/units/drawpanel/panel_properties.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runtime/core/byte_set.h"
#include "runtime/core/heap.h"
#include "runtime/forms/property_conversion.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/system_services.h"
#include "runtime/units/drawpanel/coordinate_unit.h"
#include "runtime/units/drawpanel/drawpanel_commands.h"
#include "runtime/units/drawpanel/drawpanel_test_support.h"
#include "runtime/units/drawpanel/panel_dc.h"

namespace runtime::units::drawpanel_testing {
namespace {

// Property indices as the application numbers them.
enum : int32_t {
  kWidth = 2,
  kBorder = 8,
  kBackColor,
  kBackPicture,
  kBackPictureMode,
  kAutoRedraw,
  kCoordinateUnit,
  kPenStyle,
  kDrawMode,
  kPenWidth,
  kPenColor,
  kBrushStyle,
  kBrushColor,
  kTextColor,
  kTextBackColor,
  kFont,
  kDrawAreaWidth,
  kDrawAreaHeight,
};

class PanelProperties : public PanelTest {
 protected:
  int32_t ReadInt(int32_t index) const { return static_cast<int32_t>(Read(index)); }
};

TEST_F(PanelProperties, ReadsWhatTheFormStored) {
  LoadPanel(
      "BackColor 0x00112233\nBackPictureMode 2\nCoordinateUnit 3\nPenStyle 4\nDrawMode 6\n"
      "PenWidth 7\nPenColor 0x000000FF\nBrushStyle 30\nBrushColor 0x00445566\n"
      "TextColor 0x00778899\nTextBackColor 0x00ABCDEF\nBorder 2");
  EXPECT_EQ(ReadInt(kBorder), 2);
  EXPECT_EQ(ReadInt(kBackColor), 0x112233);
  EXPECT_EQ(ReadInt(kBackPictureMode), 2);
  EXPECT_EQ(ReadInt(kAutoRedraw), 0);
  EXPECT_EQ(ReadInt(kCoordinateUnit), 3);
  EXPECT_EQ(ReadInt(kPenStyle), 4);
  EXPECT_EQ(ReadInt(kDrawMode), 6);
  EXPECT_EQ(ReadInt(kPenWidth), 7);
  EXPECT_EQ(ReadInt(kPenColor), 0xFF);
  EXPECT_EQ(ReadInt(kBrushStyle), 30);
  EXPECT_EQ(ReadInt(kBrushColor), 0x445566);
  EXPECT_EQ(ReadInt(kTextColor), 0x778899);
  EXPECT_EQ(ReadInt(kTextBackColor), 0xABCDEF);
}

TEST_F(PanelProperties, RangedValuesAreClamped) {
  LoadPanel("");
  const struct {
    int32_t index, written, read;
  } cases[] = {
      {kPenWidth, 40000, 32767}, {kPenWidth, -5, 0},        {kBorder, 6, 5},    {kBorder, -1, 0},
      {kBackPictureMode, 3, 2},  {kCoordinateUnit, 9, 5},   {kPenStyle, 7, 6},  {kDrawMode, 16, 15},
      {kBrushStyle, 56, 55},     {kBrushStyle, 100000, 55}, {kDrawMode, -3, 0},
  };
  for (const auto& c : cases) {
    Write(c.index, static_cast<uint32_t>(c.written));
    EXPECT_EQ(ReadInt(c.index), c.read) << "property " << c.index << " written " << c.written;
  }
}

TEST_F(PanelProperties, TheSameBackColorAgainKeepsTheDrawingAnotherStartsAfresh) {
  LoadPanel("AutoRedraw true\nBackColor 0x00FFFFFF\nPenWidth 6");
  Call(DrawLine, {IntValue(50), IntValue(50), IntValue(50), IntValue(50)});
  ASSERT_EQ(BitmapPixel(50, 50), kBlack);
  Write(kBackColor, 0xFFFFFF);
  EXPECT_EQ(BitmapPixel(50, 50), kBlack) << "an unchanged colour rebuilds nothing";
  Write(kBackColor, kGreen);
  EXPECT_EQ(BitmapPixel(50, 50), kGreen) << "a new colour starts a fresh bitmap";
  Pump();
  EXPECT_EQ(ScreenPixel(50, 50), kGreen) << "and the panel shows it";
}

TEST_F(PanelProperties, AutoRedrawMakesAndDropsTheBitmap) {
  LoadPanel("", 120, 80);
  EXPECT_EQ(panel().bitmap, nullptr);
  Write(kAutoRedraw, 1);
  ASSERT_NE(panel().bitmap, nullptr);
  EXPECT_EQ(panel().bitmap_size.cx, 120);
  EXPECT_EQ(panel().bitmap_size.cy, 80);
  EXPECT_EQ(ReadInt(kAutoRedraw), 1);
  Write(kAutoRedraw, 0);
  EXPECT_EQ(panel().bitmap, nullptr);
}

TEST_F(PanelProperties, BordersSetTheirEdgeStyles) {
  LoadPanel("", 100, 60);
  const struct {
    int32_t border;
    LONG ex_style;
    bool single_line;
  } cases[] = {{1, WS_EX_CLIENTEDGE, false},
               {2, WS_EX_DLGMODALFRAME, false},
               {3, WS_EX_STATICEDGE, false},
               {4, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME, false},
               {5, 0, true},
               {0, 0, false}};
  constexpr LONG kEdges = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
  for (const auto& c : cases) {
    Write(kBorder, static_cast<uint32_t>(c.border));
    EXPECT_EQ(GetWindowLongA(panel_window(), GWL_EXSTYLE) & kEdges, c.ex_style) << c.border;
    EXPECT_EQ((GetWindowLongA(panel_window(), GWL_STYLE) & WS_BORDER) != 0, c.single_line)
        << c.border;
    RECT client{};
    GetClientRect(panel_window(), &client);
    EXPECT_EQ(client.right < 100, c.border != 0) << "the edge takes room, border " << c.border;
  }
}

TEST_F(PanelProperties, DrawAreaIsTheClientSizeInTheCoordinateUnit) {
  LoadPanel("", 150, 90);
  EXPECT_EQ(ReadInt(kDrawAreaWidth), 150);
  EXPECT_EQ(ReadInt(kDrawAreaHeight), 90);
  for (int32_t unit = 1; unit <= 5; ++unit) {
    Write(kCoordinateUnit, static_cast<uint32_t>(unit));
    drawpanel::WindowDc dc(panel_window());
    drawpanel::ApplyCoordinateUnit(dc.dc(), unit);
    const POINT corner = drawpanel::ToLogical(dc.dc(), POINT{150, 90});
    EXPECT_EQ(ReadInt(kDrawAreaWidth), corner.x) << "unit " << unit;
    EXPECT_EQ(ReadInt(kDrawAreaHeight), corner.y) << "unit " << unit;
    EXPECT_GT(corner.x, 150) << "every unit is finer than a pixel, unit " << unit;
    EXPECT_GT(corner.y, 0) << "y grows downward, unit " << unit;
  }
  Write(kCoordinateUnit, 5);
  EXPECT_NEAR(ReadInt(kDrawAreaWidth), 150 * 15, 10) << "twips at about 96 pixels an inch";
  Write(kDrawAreaWidth, 7);
  EXPECT_NE(ReadInt(kDrawAreaWidth), 7) << "read-only";
}

TEST_F(PanelProperties, BackPictureBytesTravelAsAByteSet) {
  LoadPanel("");
  const std::vector<uint8_t> file = BmpFile(3, 2, [](int, int) { return kRed; });
  void* bytes = MakeByteSet(file.data(), static_cast<int32_t>(file.size()));
  WritePointer(kBackPicture, bytes);
  MemFree(bytes);
  void* read = const_cast<void*>(forms::ValuePointer(Read(kBackPicture)));
  const auto back = ByteSetBytes(read);
  EXPECT_EQ(std::vector<uint8_t>(back.begin(), back.end()), file);
  MemFree(read);
  WritePointer(kBackPicture, nullptr);
  EXPECT_EQ(Read(kBackPicture), 0u) << "the empty byte set";
}

TEST_F(PanelProperties, FontValuesBecomeThePanelsFont) {
  LoadPanel("");
  char face[] = "\xBA\xDA\xCC\xE5";  // 黑体
  FontValue font{0, 1, 0, 0, 0, 20, face};
  WritePointer(kFont, &font);
  EXPECT_EQ(Read(kFont, 5), 20u);
  EXPECT_EQ(Read(kFont, 1), 1u) << "bold";
  const auto stored = panel().record.Bytes(drawpanel::kFont);
  ASSERT_EQ(stored.size(), sizeof(LOGFONTA));
  LOGFONTA made{};
  ASSERT_NE(panel().font, nullptr);
  GetObjectA(panel().font, sizeof made, &made);
  EXPECT_STREQ(made.lfFaceName, face);
  EXPECT_EQ(made.lfWeight, 700);
  EXPECT_EQ(made.lfQuality, PROOF_QUALITY) << "the unit font rule";
}

TEST_F(PanelProperties, SaveWritesTheLiveStateAsAVersionOneRecord) {
  LoadPanel("AutoRedraw true\nPenWidth 3\nTextColor 0x000000FF\nBorder 1");
  Write(kBrushStyle, 12);
  Write(kCoordinateUnit, 2);
  const auto* type = forms::FindUnitType(kPanelType);
  ASSERT_NE(type, nullptr);
  const auto save =
      forms::TypedHandler<forms::SavePropertiesHandler>(type, forms::kHandlerSaveProperties);
  HGLOBAL block = save(&panel());
  ASSERT_NE(block, nullptr);
  const auto* bytes = static_cast<const uint8_t*>(GlobalLock(block));
  const auto values = drawpanel::ReadPanelRecord(bytes, static_cast<int32_t>(GlobalSize(block)));
  GlobalUnlock(block);
  GlobalFree(block);
  ASSERT_TRUE(values);
  EXPECT_EQ(values->version(), 1u);
  EXPECT_EQ(values->Int(drawpanel::kBrushStyle), 12);
  EXPECT_EQ(values->Int(drawpanel::kCoordinateUnit), 2);
  EXPECT_EQ(values->Int(drawpanel::kPenWidth), 3);
  EXPECT_EQ(values->Int(drawpanel::kAutoRedraw), 1);
  EXPECT_EQ(values->Int(drawpanel::kBorder), 1);
}

TEST_F(PanelProperties, AFormWithALaterRecordVersionDoesNotLoad) {
  std::string text = PanelForm("");
  const size_t open = text.find("    properties {");
  text.replace(open, text.find("}", open) - open + 1, "    properties hex 02000000");
  EXPECT_FALSE(RegisterAndLoad(text)) << "version 2 is not a record this type reads";
  EXPECT_EQ(forms::FindLiveUnit(forms_testing::kMainWindow, kPanelId), nullptr);
}

}  // namespace
}  // namespace runtime::units::drawpanel_testing
