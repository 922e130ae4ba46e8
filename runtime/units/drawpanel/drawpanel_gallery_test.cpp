// The panel gallery: what the methods draw, as a person would look at it.
// A panel with its off-screen bitmap gets pen styles and widths, dots,
// text with and without a text background, pictures at their size,
// stretched, inverted and with a transparent colour, and a square of every
// brush style. MIENZO_SCREENSHOT_DIR keeps the screen as
// drawpanel-gallery.png; the checks are the facts a glance would confirm.
#include <gtest/gtest.h>

#include <string>

#include "runtime/units/drawpanel/draw_dispatch.h"
#include "runtime/units/drawpanel/drawpanel_commands.h"
#include "runtime/units/drawpanel/drawpanel_test_support.h"
#include "runtime/units/drawpanel/panel_resources.h"

namespace runtime::units::drawpanel_testing {
namespace {

enum : int32_t {
  kPenStyle = 14,
  kPenWidth = 16,
  kPenColor = 17,
  kBrushStyle = 18,
  kBrushColor = 19,
  kTextColor = 20,
  kTextBackColor = 21,
};

COLORREF Sunset(int x, int y) {
  if ((x / 8 + y / 8) % 2 == 0) return 0xFF00FF;  // magenta squares: made transparent below
  return RGB(255 - y * 4, 120 + x, 60 + y * 3);
}

class Gallery : public PanelTest {
 protected:
  void Line(int x1, int y1, int x2, int y2) {
    Call(DrawLine, {IntValue(x1), IntValue(y1), IntValue(x2), IntValue(y2)});
  }

  void PenLines() {
    Call(WriteTextAt, {IntValue(10), IntValue(6), TextValue("PenStyle 1-6, PenWidth 0-5")});
    for (int style = 1; style <= 6; ++style) {
      Write(kPenStyle, static_cast<uint32_t>(style));
      Write(kPenColor, RGB(30 * style, 40, 200 - 25 * style));
      for (int width = 0; width <= 5; ++width) {
        Write(kPenWidth, static_cast<uint32_t>(width));
        const int y = 30 + (style - 1) * 36 + width * 6;
        Line(10, y, 180, y);
      }
    }
  }

  void Dots() {
    Write(kPenStyle, 1);
    Write(kPenWidth, 4);
    for (int i = 0; i < 40; ++i) {
      Write(kPenColor, RGB(250 - i * 6, i * 6, 128));
      const int x = 200 + i * 4, y = 40 + (i % 10) * 3 + i / 2;
      Line(x, y, x, y);
    }
  }

  void Texts() {
    Call(WriteTextAt, {IntValue(200), IntValue(100), TextValue("WriteText:")});
    drawpanel::Panel& p = panel();
    p.text_position = POINT{200, 120};
    Write(kTextColor, RGB(0, 0, 160));
    Call(WriteText, {TextValue("\xBB\xAD\xB0\xE5 DrawPanel"), IntValue(2024), DoubleValue(3.25),
                     BoolValue(true)});
    Write(kTextColor, RGB(160, 0, 0));
    Write(kTextBackColor, RGB(255, 240, 150));
    Call(WriteTextAt, {IntValue(200), IntValue(200), TextValue("WriteTextAt "),
                       TextValue("with a text background")});
    Write(kTextBackColor, 0xFF000000);
    Write(kTextColor, kBlack);
  }

  void Pictures() {
    const int32_t picture = LoadTestPicture(32, 24, Sunset);
    ASSERT_NE(picture, 0);
    const auto draw = [&](int x, int y, ArgumentRecord width, ArgumentRecord height, int mode) {
      Call(DrawPicture,
           {IntValue(picture), IntValue(x), IntValue(y), width, height, IntValue(mode)});
    };
    Call(WriteTextAt, {IntValue(430), IntValue(6), TextValue("DrawPicture")});
    draw(430, 30, {}, {}, 1);
    draw(470, 30, IntValue(96), IntValue(48), 1);
    draw(430, 90, {}, {}, 2);
    draw(470, 90, IntValue(64), IntValue(48), -0xFF00FF);
  }

  void Brushes() {
    Call(WriteTextAt, {IntValue(10), IntValue(256), TextValue("BrushStyle 0-55")});
    Write(kPenColor, RGB(60, 60, 60));
    Write(kPenWidth, 1);
    Write(kBrushColor, RGB(0, 110, 60));
    for (int style = 0; style <= 55; ++style) {
      Write(kBrushStyle, static_cast<uint32_t>(style));
      const int x = 10 + (style % 28) * 21, y = 280 + (style / 28) * 22;
      drawpanel::DrawOnTargets(panel(), drawpanel::TextColourOf::kBrush,
                               [&](HDC dc) { Rectangle(dc, x, y, x + 18, y + 18); });
    }
  }
};

TEST_F(Gallery, EveryMethodOnOnePanel) {
  LoadPanel("AutoRedraw true\nBackColor 0x00FFFFFF\nBorder 1", 600, 340);
  PenLines();
  Dots();
  Texts();
  Pictures();
  Brushes();
  InvalidateRect(panel_window(), nullptr, TRUE);
  Pump();
  KeepScreenshot("drawpanel-gallery.png");
  EXPECT_EQ(ScreenPixel(440, 40), BitmapPixel(440, 40)) << "the screen shows the bitmap";
  EXPECT_EQ(ScreenPixel(430 + 8, 30), Sunset(8, 0)) << "a picture pixel at its place";
  EXPECT_EQ(ScreenPixel(470 + 2, 90 + 2), kWhite) << "transparent magenta";
  EXPECT_EQ(ScreenPixel(31 + 9, 280 + 9), RGB(0, 110, 60)) << "the solid brush, style 1";
  EXPECT_EQ(ScreenPixel(10 + 9, 280 + 9), kWhite) << "hollow, style 0, keeps the background";
}

}  // namespace
}  // namespace runtime::units::drawpanel_testing
