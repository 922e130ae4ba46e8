// What a panel shows: its background colour or picture, its off-screen
// bitmap through repaints, resizing and Redraw, PaintEvent without the
// bitmap, and the focus it takes when clicked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/core/byte_set.h"
#include "runtime/core/heap.h"
#include "runtime/forms/system_services.h"
#include "runtime/units/drawpanel/coordinate_unit.h"
#include "runtime/units/drawpanel/drawpanel_commands.h"
#include "runtime/units/drawpanel/drawpanel_test_support.h"
#include "runtime/units/drawpanel/panel_dc.h"

namespace runtime::units::drawpanel_testing {
namespace {

using forms_testing::HandlerActions;
using forms_testing::HandlerCalls;

enum : int32_t {
  kWidthProperty = 2,
  kHeightProperty = 3,
  kBackColor = 9,
  kBackPicture = 10,
  kBackPictureMode = 11,
  kAutoRedraw = 12,
  kCoordinateUnit = 13,
};

constexpr const char* kOnPaintBinding = "    on 0 OnPaint\n";

class PanelPaint : public PanelTest {
 protected:
  void Dot(int x, int y) { Call(DrawLine, {IntValue(x), IntValue(y), IntValue(x), IntValue(y)}); }

  void SetBackPicture(int width, int height, COLORREF (*colour)(int, int)) {
    const std::vector<uint8_t> file = BmpFile(width, height, colour);
    void* bytes = MakeByteSet(file.data(), static_cast<int32_t>(file.size()));
    WritePointer(kBackPicture, bytes);
    MemFree(bytes);
  }

  std::vector<std::vector<uint32_t>> PaintEvents() const {
    std::vector<std::vector<uint32_t>> events;
    for (const auto& call : HandlerCalls()) {
      if (call.position == kOnPaint) events.push_back(call.arguments);
    }
    return events;
  }

  void ClickPanel(int x, int y) {
    POINT point{x, y};
    ClientToScreen(panel_window(), &point);
    display_.Click(point.x, point.y);
    Pump();
  }
};

COLORREF Quadrants(int x, int y) { return x < 15 ? (y < 10 ? kBlue : kGreen) : kRed; }

TEST_F(PanelPaint, TheBitmapRepaintsThePanelAndSurvivesRedraw) {
  LoadPanel("AutoRedraw true\nBackColor 0x00FFFFFF\nPenWidth 6", 200, 100, kOnPaintBinding);
  Dot(40, 40);
  InvalidateRect(panel_window(), nullptr, TRUE);
  Pump();
  EXPECT_EQ(ScreenPixel(40, 40), kBlack) << "repainted from the bitmap";
  HandlerCalls().clear();
  Call(Redraw);
  Pump();
  EXPECT_EQ(ScreenPixel(40, 40), kBlack) << "Redraw changes nothing visible";
  EXPECT_TRUE(PaintEvents().empty()) << "no PaintEvent while the bitmap paints";
}

TEST_F(PanelPaint, WithoutTheBitmapRedrawClearsToTheBackColor) {
  LoadPanel("BackColor 0x0000FF00\nPenWidth 6", 200, 100, kOnPaintBinding);
  Dot(40, 40);
  ASSERT_EQ(ScreenPixel(40, 40), kBlack);
  HandlerCalls().clear();
  Call(Redraw);
  Pump();
  EXPECT_EQ(ScreenPixel(40, 40), kGreen);
  ASSERT_EQ(PaintEvents().size(), 1u);
  EXPECT_EQ(PaintEvents()[0], (std::vector<uint32_t>{0, 0, 200, 100}));
}

TEST_F(PanelPaint, PaintEventGivesTheRepaintAreaInTheCoordinateUnit) {
  LoadPanel("BackColor 0x00FFFFFF", 200, 100, kOnPaintBinding);
  for (int32_t unit : {0, 1, 3, 5}) {
    Write(kCoordinateUnit, static_cast<uint32_t>(unit));
    HandlerCalls().clear();
    const RECT area{20, 10, 60, 40};
    InvalidateRect(panel_window(), &area, FALSE);
    Pump();
    drawpanel::WindowDc dc(panel_window());
    drawpanel::ApplyCoordinateUnit(dc.dc(), unit);
    const POINT top_left = drawpanel::ToLogical(dc.dc(), POINT{20, 10});
    const POINT bottom_right = drawpanel::ToLogical(dc.dc(), POINT{60, 40});
    ASSERT_EQ(PaintEvents().size(), 1u) << "unit " << unit;
    const std::vector<uint32_t> expected = {
        static_cast<uint32_t>(top_left.x), static_cast<uint32_t>(top_left.y),
        static_cast<uint32_t>(bottom_right.x), static_cast<uint32_t>(bottom_right.y)};
    EXPECT_EQ(PaintEvents()[0], expected) << "unit " << unit;
    EXPECT_EQ(panel().last_repaint.right, 60);
  }
  EXPECT_NEAR(PaintEvents()[0][2], 900, 2) << "60 pixels are about 900 twips";
}

TEST_F(PanelPaint, DrawingInPaintEventGoesToThePaintDcFromTheTopLeft) {
  LoadPanel("BackColor 0x00FFFFFF\nPenWidth 4", 200, 100, kOnPaintBinding);
  panel().text_position = POINT{50, 60};
  POINT during{-1, -1};
  HandlerActions()[kOnPaint] = [&] {
    during = panel().text_position;
    Dot(30, 30);
    Dot(150, 80);  // outside the repaint area: clipped away
  };
  const RECT area{0, 0, 100, 50};
  InvalidateRect(panel_window(), &area, FALSE);
  Pump();
  EXPECT_EQ(during.x, 0);
  EXPECT_EQ(during.y, 0);
  EXPECT_EQ(panel().text_position.x, 50) << "the position comes back afterwards";
  EXPECT_EQ(panel().text_position.y, 60);
  EXPECT_EQ(panel().paint_target, nullptr);
  EXPECT_EQ(ScreenPixel(30, 30), kBlack);
  EXPECT_EQ(ScreenPixel(150, 80), kWhite);
}

TEST_F(PanelPaint, AHandlerThatClosesTheWindowInPaintEventEndsThePaintQuietly) {
  LoadPanel("", 200, 100, kOnPaintBinding);
  HandlerActions()[kOnPaint] = [&] { DestroyWindow(Window().Window()); };
  InvalidateRect(panel_window(), nullptr, FALSE);
  Pump();
  EXPECT_EQ(forms::FindLiveUnit(forms_testing::kMainWindow, kPanelId), nullptr);
}

TEST_F(PanelPaint, ResizingKeepsTheTopLeftOfTheDrawingAndResetsTheTextPosition) {
  LoadPanel("AutoRedraw true\nBackColor 0x00FFFFFF\nPenWidth 6", 200, 100);
  Dot(20, 20);
  Dot(150, 30);
  Dot(30, 80);
  Call(WriteText, {TextValue("a"), TextValue("b")});
  ASSERT_NE(panel().text_position.y, 0);
  Write(kWidthProperty, 100);
  Write(kHeightProperty, 50);
  Pump();
  EXPECT_EQ(panel().bitmap_size.cx, 100);
  EXPECT_EQ(panel().bitmap_size.cy, 50);
  EXPECT_EQ(panel().text_position.y, 0);
  Call(WriteText, {TextValue("c")});
  Write(kWidthProperty, 200);
  Write(kHeightProperty, 100);
  Pump();
  EXPECT_EQ(panel().text_position.y, 0) << "every size change starts the text again";
  EXPECT_EQ(BitmapPixel(20, 20), kBlack) << "the kept part";
  EXPECT_EQ(BitmapPixel(150, 30), kWhite) << "cut off while narrow";
  EXPECT_EQ(BitmapPixel(30, 80), kWhite) << "cut off while low";
  EXPECT_EQ(ScreenPixel(20, 20), kBlack);
  EXPECT_EQ(ScreenPixel(150, 30), kWhite);
}

TEST_F(PanelPaint, BackgroundPictureAtTheTopLeft) {
  LoadPanel("BackColor 0x00FFFFFF\nBackPictureMode 0", 200, 100);
  SetBackPicture(30, 20, Quadrants);
  Pump();
  EXPECT_EQ(ScreenPixel(0, 0), kBlue);
  EXPECT_EQ(ScreenPixel(0, 19), kGreen);
  EXPECT_EQ(ScreenPixel(29, 19), kRed);
  EXPECT_EQ(ScreenPixel(30, 0), kWhite);
  EXPECT_EQ(ScreenPixel(0, 20), kWhite);
}

TEST_F(PanelPaint, BackgroundPictureTiled) {
  LoadPanel("AutoRedraw true\nBackColor 0x00FFFFFF", 200, 100);  // mode 1 by default
  SetBackPicture(30, 20, Quadrants);
  Pump();
  for (auto [x, y] : {std::pair{0, 0}, {30, 0}, {0, 20}, {180, 80}}) {
    EXPECT_EQ(BitmapPixel(x, y), kBlue) << x << ", " << y;
    EXPECT_EQ(ScreenPixel(x, y), kBlue) << x << ", " << y;
  }
  EXPECT_EQ(ScreenPixel(199, 99), kRed) << "the last tile, cut off";
  EXPECT_EQ(ScreenPixel(45, 35), kRed);
  EXPECT_EQ(ScreenPixel(44, 30), kGreen);
}

TEST_F(PanelPaint, BackgroundPictureCentredAndShrunkToFit) {
  LoadPanel("BackColor 0x00FFFFFF\nBackPictureMode 2", 200, 100);
  SetBackPicture(30, 20, Quadrants);
  Pump();
  EXPECT_EQ(ScreenPixel(85, 40), kBlue) << "small pictures keep their size";
  EXPECT_EQ(ScreenPixel(114, 59), kRed);
  EXPECT_EQ(ScreenPixel(84, 40), kWhite);
  EXPECT_EQ(ScreenPixel(115, 59), kWhite);
  SetBackPicture(400, 100, [](int x, int) { return x < 200 ? kBlue : kRed; });
  Pump();
  EXPECT_EQ(ScreenPixel(0, 24), kWhite) << "halved to 200 x 50, centred";
  EXPECT_EQ(ScreenPixel(0, 25), kBlue);
  EXPECT_EQ(ScreenPixel(199, 74), kRed);
  EXPECT_EQ(ScreenPixel(0, 75), kWhite);
}

TEST_F(PanelPaint, BytesThatAreNoPictureAreDroppedForTheBackColor) {
  LoadPanel("BackColor 0x0000FF00", 100, 60);
  void* bytes = MakeByteSet("no picture", 10);
  WritePointer(kBackPicture, bytes);
  MemFree(bytes);
  Pump();
  EXPECT_EQ(ScreenPixel(10, 10), kGreen);
  EXPECT_EQ(Read(kBackPicture), 0u) << "tried once, then emptied";
}

TEST_F(PanelPaint, TheSystemMarkerPaintsTheButtonFace) {
  LoadPanel("", 100, 60);
  EXPECT_EQ(ScreenPixel(10, 10), GetSysColor(COLOR_BTNFACE));
}

TEST_F(PanelPaint, RedrawOfAWindowRepaintsItsTransparentChildrenToo) {
  LoadPanel("", 100, 60);
  const ArgumentRecord window = UnitReference(forms_testing::kMainWindow, 0x06010000, 0x00010001);
  ArgumentRecord arguments[] = {window};
  CallCommand(Redraw, 1, arguments);
  RECT update{};
  EXPECT_FALSE(GetUpdateRect(panel_window(), &update, FALSE)) << "the window clips its children";
  Pump();
  SetWindowLongA(
      panel_window(), GWL_EXSTYLE,
      GetWindowLongA(panel_window(), GWL_EXSTYLE) | static_cast<LONG>(WS_EX_TRANSPARENT));
  CallCommand(Redraw, 1, arguments);
  EXPECT_TRUE(GetUpdateRect(panel_window(), &update, FALSE));
  EXPECT_TRUE(GetUpdateRect(Window().Window(), &update, FALSE));
}

TEST_F(PanelPaint, ATabStopPanelTakesTheFocusWhenClicked) {
  LoadPanel("", 100, 60, "    flags visible tabstop\n    on -7 OnFocus\n    on -8 OnBlur\n");
  SetFocus(nullptr);
  HandlerCalls().clear();
  ClickPanel(20, 20);
  EXPECT_EQ(GetFocus(), panel_window());
  ASSERT_FALSE(HandlerCalls().empty());
  EXPECT_EQ(HandlerCalls()[0].position, kOnFocus);
  SetFocus(Window().Window());
  Pump();
  EXPECT_EQ(HandlerCalls().back().position, kOnBlur);
}

TEST_F(PanelPaint, APanelThatIsNoTabStopLeavesTheFocusAlone) {
  LoadPanel("", 100, 60);
  SetFocus(Window().Window());
  ClickPanel(20, 20);
  EXPECT_EQ(GetFocus(), Window().Window());
}

}  // namespace
}  // namespace runtime::units::drawpanel_testing
