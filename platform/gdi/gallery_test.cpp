// The drawing gallery: lines and pen styles, brushes and shapes, text in
// several sizes and angles, stretching. It is drawn in a window on the
// headless display; MIENZO_SCREENSHOT_DIR keeps the screen as
// gdi-gallery.png for people to look at. The checks below are the few facts
// a glance at the picture would confirm.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/base/gbk.h"
#include "platform/display/headless.h"
#include "platform/win32.h"

namespace {

using platform::gbk::Gbk;

constexpr int kWidth = 760;
constexpr int kHeight = 520;

void Label(HDC dc, int x, int y, const std::string& text) {
  TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void DrawLines(HDC dc) {
  Label(dc, 10, 8, Gbk("线宽 1 2 4 8 和圆点"));
  for (int i = 0, width = 1; i < 4; ++i, width *= 2) {
    HPEN pen = CreatePen(PS_SOLID, width, RGB(20, 60, 160));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, 10, 40 + i * 16, nullptr);
    LineTo(dc, 170, 30 + i * 16);
    MoveToEx(dc, 190 + i * 14, 60, nullptr);  // a zero-length line leaves a dot
    LineTo(dc, 190 + i * 14, 60);
    SelectObject(dc, old);
    DeleteObject(pen);
  }
  Label(dc, 260, 8, Gbk("笔型"));
  const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
  for (int i = 0; i < 5; ++i) {
    HPEN pen = CreatePen(styles[i], 1, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, 260, 32 + i * 10, nullptr);
    LineTo(dc, 470, 32 + i * 10);
    SelectObject(dc, old);
    DeleteObject(pen);
  }
  Label(dc, 500, 8, "R2_XORPEN");
  HPEN wide = CreatePen(PS_SOLID, 9, RGB(255, 255, 0));
  HGDIOBJ old = SelectObject(dc, wide);
  const int previous = SetROP2(dc, R2_XORPEN);
  MoveToEx(dc, 500, 35, nullptr);
  LineTo(dc, 740, 80);
  MoveToEx(dc, 500, 80, nullptr);
  LineTo(dc, 740, 35);
  SetROP2(dc, previous);
  SelectObject(dc, old);
  DeleteObject(wide);
}

void DrawBrushes(HDC dc) {
  Label(dc, 10, 100, Gbk("画刷：实心、六种阴影、图案"));
  SetBkColor(dc, RGB(255, 255, 255));
  for (int i = 0; i < 8; ++i) {
    HBRUSH brush = nullptr;
    if (i == 0) brush = CreateSolidBrush(RGB(200, 60, 40));
    if (i >= 1 && i <= 6) brush = CreateHatchBrush(i - 1, RGB(0, 100, 0));
    if (i == 7) {
      const WORD bits[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
      HBITMAP pattern = CreateBitmap(8, 8, 1, 1, bits);
      brush = CreatePatternBrush(pattern);
      DeleteObject(pattern);
    }
    RECT box{10 + i * 62, 124, 62 + i * 62, 176};
    FillRect(dc, &box, brush);
    DeleteObject(brush);
  }
  HBRUSH blue = CreateSolidBrush(RGB(120, 170, 230));
  HGDIOBJ old = SelectObject(dc, blue);
  RoundRect(dc, 520, 120, 600, 180, 24, 24);
  Ellipse(dc, 610, 120, 690, 180);
  const POINT star[5] = {{725, 118}, {745, 180}, {700, 140}, {752, 140}, {705, 180}};
  SetPolyFillMode(dc, WINDING);
  Polygon(dc, star, 5);
  SelectObject(dc, old);
  DeleteObject(blue);
}

HFONT Font(int height, int angle, int weight, bool italic, const char* face) {
  LOGFONTA logical{};
  logical.lfHeight = height;
  logical.lfEscapement = angle;
  logical.lfOrientation = angle;
  logical.lfWeight = weight;
  logical.lfItalic = italic;
  logical.lfCharSet = DEFAULT_CHARSET;
  std::string name = Gbk(face);
  std::snprintf(logical.lfFaceName, LF_FACESIZE, "%s", name.c_str());
  return CreateFontIndirectA(&logical);
}

void DrawText(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  int y = 200;
  const int heights[] = {-12, -16, -22, -30};
  for (int i = 0; i < 4; ++i) {
    HFONT font = Font(heights[i], 0, i == 2 ? FW_BOLD : FW_NORMAL, i == 3, "宋体");
    HGDIOBJ old = SelectObject(dc, font);
    Label(dc, 10, y, Gbk("Mienzo 图片配字 AaBbYyZz 0123"));
    y += -heights[i] + 8;
    SelectObject(dc, old);
    DeleteObject(font);
  }
  const int angles[] = {0, 300, 450, 900, 1800, 2700};
  for (int angle : angles) {
    HFONT font = Font(-16, angle, FW_NORMAL, false, "黑体");
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, RGB(angle / 10, 40, 160));
    Label(dc, 600, 300, Gbk("转角文字 Angle"));
    SelectObject(dc, old);
    DeleteObject(font);
  }
  SetTextColor(dc, RGB(0, 0, 0));
}

// A 4 x 4 checker stretched to 96 x 96 both ways.
void DrawStretching(HDC dc) {
  Label(dc, 10, 380, "StretchBlt: COLORONCOLOR, HALFTONE, HALFTONE shrunk");
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, -4, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  uint32_t pixels[16];
  for (int i = 0; i < 16; ++i) pixels[i] = ((i + i / 4) % 2) ? 0xE03030u : 0x3030E0u;
  void* bits = nullptr;
  HBITMAP checker = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::memcpy(bits, pixels, sizeof pixels);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, checker);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, 10, 404, 96, 96, source, 0, 0, 4, 4, SRCCOPY);
  SetStretchBltMode(dc, HALFTONE);
  StretchBlt(dc, 120, 404, 96, 96, source, 0, 0, 4, 4, SRCCOPY);
  // Shrunk to 2 x 2, every pixel averages two red and two blue squares;
  // shown enlarged beside it.
  StretchBlt(dc, 230, 404, 2, 2, source, 0, 0, 4, 4, SRCCOPY);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, 240, 404, 48, 48, dc, 230, 404, 2, 2, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
  DeleteObject(checker);
}

LRESULT GalleryProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wparam, lparam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT all{0, 0, kWidth, kHeight};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawLines(dc);
  DrawBrushes(dc);
  DrawText(dc);
  DrawStretching(dc);
  EndPaint(hwnd, &paint);
  return 0;
}

TEST(Gallery, DrawsEveryKindOfOutput) {
  platform::HeadlessDisplay display;
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = GalleryProc;
  window_class.lpszClassName = "GdiGallery";
  ASSERT_TRUE(RegisterClassA(&window_class));
  HWND window = CreateWindowExA(0, "GdiGallery", "", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight,
                                nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  display.PumpUntilIdle();
  if (const char* keep = std::getenv("MIENZO_SCREENSHOT_DIR")) {
    ASSERT_TRUE(display.SaveScreenshot(std::string(keep) + "/gdi-gallery.png"));
  }
  EXPECT_EQ(display.ScreenPixel(30, 150), 0xC83C28u) << "the solid brush";
  EXPECT_EQ(display.ScreenPixel(190, 60), 0xFFFFFFu) << "a thin pen's zero-length line: nothing";
  EXPECT_EQ(display.ScreenPixel(232, 60), 0x143CA0u) << "a wide pen's: a round dot";
  EXPECT_EQ(display.ScreenPixel(15, 410), 0x3030E0u) << "nearest-pixel stretch keeps colours";
  const uint32_t averaged = display.ScreenPixel(250, 420);
  EXPECT_NE(averaged, 0x3030E0u) << "the shrunk checker is averaged";
  EXPECT_NE(averaged, 0xE03030u);
  DestroyWindow(window);
}

}  // namespace
