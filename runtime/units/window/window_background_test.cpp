// The background: BackColor, BackPicture in its four modes with the bands
// it leaves, and the paint request of units without a background.
#include "runtime/units/window/window_test_support.h"

namespace runtime::units::window_testing {
namespace {

using forms::RecordValues;
using namespace window;

constexpr COLORREF kBack = RGB(0, 0, 200);
constexpr COLORREF kPicture = RGB(250, 20, 10);

class BackgroundTest : public WindowTest {
 protected:
  // A window whose client area is exactly client_width x client_height (no
  // frame) with `picture` in `mode`.
  HWND Show(const std::string& picture, int32_t mode, int client_width = 300,
            int client_height = 200) {
    const std::string record = WindowRecord([&](RecordValues& v) {
      v.SetInt(kBorder, kBorderNone);
      v.SetInt(kMinButton, 0);
      v.SetInt(kBackColor, static_cast<int32_t>(kBack));
      v.SetText(kBackPicture, picture);
      v.SetInt(kBackPictureMode, mode);
    });
    EXPECT_NE(LoadOne(record, client_width, client_height), nullptr);
    HWND hwnd = HandleOf();
    UpdateWindow(hwnd);
    Pump();
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, client_width);
    return hwnd;
  }
};

TEST_F(BackgroundTest, ColourFillsTheClientAreaAndTheMarkerIsButtonFace) {
  HWND hwnd = Show("", kTopLeft);
  EXPECT_EQ(ClientPixel(hwnd, 0, 0), kBack);
  EXPECT_EQ(ClientPixel(hwnd, 299, 199), kBack);
  const forms::PropertyPair marker{0xFF000000u, 0, nullptr};
  SetWindowProperty(UnitOf(), kBackColorProperty, &marker, 0);
  UpdateWindow(hwnd);
  EXPECT_EQ(ClientPixel(hwnd, 150, 100), GetSysColor(COLOR_BTNFACE));
}

TEST_F(BackgroundTest, TopLeftAtNaturalSize) {
  HWND hwnd = Show(SolidBmp(40, 30, kPicture), kTopLeft);
  EXPECT_EQ(ClientPixel(hwnd, 0, 0), kPicture);
  EXPECT_EQ(ClientPixel(hwnd, 39, 29), kPicture);
  EXPECT_EQ(ClientPixel(hwnd, 40, 10), kBack);
  EXPECT_EQ(ClientPixel(hwnd, 10, 30), kBack);
}

TEST_F(BackgroundTest, TilesCoverEverything) {
  // A tile with one dark corner shows where each tile starts.
  std::string tile = SolidBmp(16, 16, kPicture);
  tile[54 + 15 * 48] = 0;  // bottom-up rows: the last row holds the top-left pixel
  tile[54 + 15 * 48 + 1] = 0;
  tile[54 + 15 * 48 + 2] = 0;
  HWND hwnd = Show(tile, kTiled);
  EXPECT_EQ(ClientPixel(hwnd, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(ClientPixel(hwnd, 16, 16), RGB(0, 0, 0));
  EXPECT_EQ(ClientPixel(hwnd, 288, 192), RGB(0, 0, 0));
  EXPECT_EQ(ClientPixel(hwnd, 299, 199), kPicture) << "the last tile is cut, not skipped";
}

TEST_F(BackgroundTest, CentredSmallerPictureKeepsItsSizeWithBandsAllRound) {
  HWND hwnd = Show(SolidBmp(100, 50, kPicture), kCentredFit);
  EXPECT_EQ(ClientPixel(hwnd, 100, 75), kPicture);  // (300-100)/2, (200-50)/2
  EXPECT_EQ(ClientPixel(hwnd, 199, 124), kPicture);
  EXPECT_EQ(ClientPixel(hwnd, 99, 100), kBack) << "left band";
  EXPECT_EQ(ClientPixel(hwnd, 200, 100), kBack) << "right band";
  EXPECT_EQ(ClientPixel(hwnd, 150, 74), kBack) << "top band";
  EXPECT_EQ(ClientPixel(hwnd, 150, 125), kBack) << "bottom band";
}

TEST_F(BackgroundTest, CentredWiderPictureShrinksWithItsAspectKept) {
  // 600 x 100 into 300 x 200: halved to 300 x 50, centred vertically.
  HWND hwnd = Show(SolidBmp(600, 100, kPicture), kCentredFit);
  EXPECT_EQ(ClientPixel(hwnd, 0, 75), kPicture);
  EXPECT_EQ(ClientPixel(hwnd, 299, 124), kPicture);
  EXPECT_EQ(ClientPixel(hwnd, 150, 74), kBack) << "band above";
  EXPECT_EQ(ClientPixel(hwnd, 150, 125), kBack) << "band below";
}

TEST_F(BackgroundTest, CentredTallerPictureShrinksWithItsAspectKept) {
  // 100 x 400 into 300 x 200: halved to 50 x 200, centred horizontally.
  HWND hwnd = Show(SolidBmp(100, 400, kPicture), kCentredFit);
  EXPECT_EQ(ClientPixel(hwnd, 125, 0), kPicture);
  EXPECT_EQ(ClientPixel(hwnd, 174, 199), kPicture);
  EXPECT_EQ(ClientPixel(hwnd, 124, 100), kBack) << "band on the left";
  EXPECT_EQ(ClientPixel(hwnd, 175, 100), kBack) << "band on the right";
}

TEST_F(BackgroundTest, StretchedOverTheWholeClientArea) {
  HWND hwnd = Show(SolidBmp(10, 10, kPicture), kStretched);
  EXPECT_EQ(ClientPixel(hwnd, 0, 0), kPicture);
  EXPECT_EQ(ClientPixel(hwnd, 299, 199), kPicture);
}

TEST_F(BackgroundTest, UndecodablePicturePaintsTheColourOnly) {
  HWND hwnd = Show("BM not really a picture", kStretched);
  EXPECT_EQ(ClientPixel(hwnd, 150, 100), kBack);
  EXPECT_TRUE(UnitOf()->picture_failed);
}

TEST_F(BackgroundTest, NewPictureReplacesTheDecodedOne) {
  HWND hwnd = Show(SolidBmp(10, 10, kPicture), kStretched);
  const std::string green = SolidBmp(10, 10, RGB(0, 255, 0));
  forms::PropertyPair pair{0, static_cast<uint32_t>(green.size()), green.data()};
  SetWindowProperty(UnitOf(), kBackPictureProperty, &pair, 0);
  UpdateWindow(hwnd);
  EXPECT_EQ(ClientPixel(hwnd, 150, 100), RGB(0, 255, 0));
}

TEST_F(BackgroundTest, PaintRequestPaintsIntoAnotherDcLinedUp) {
  HWND hwnd = Show(SolidBmp(100, 50, kPicture), kCentredFit);
  // A memory DC takes the window's own coordinates.
  HDC screen = GetDC(hwnd);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 200);
  HGDIOBJ old = SelectObject(memory, bitmap);
  RECT all{0, 0, 300, 200};
  EXPECT_EQ(SendMessageA(hwnd, kBackgroundPaintRequest, reinterpret_cast<WPARAM>(memory),
                         reinterpret_cast<LPARAM>(&all)),
            kBackgroundPainted);
  EXPECT_EQ(GetPixel(memory, 100, 75), kPicture);
  EXPECT_EQ(GetPixel(memory, 99, 75), kBack);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(hwnd, screen);

  // A child window's DC is shifted by the child's place.
  HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 90, 70, 40, 40, hwnd,
                               nullptr, nullptr, nullptr);
  HDC child_dc = GetDC(child);
  RECT inside{0, 0, 40, 40};
  SendMessageA(hwnd, kBackgroundPaintRequest, reinterpret_cast<WPARAM>(child_dc),
               reinterpret_cast<LPARAM>(&inside));
  ReleaseDC(child, child_dc);
  EXPECT_EQ(ClientPixel(hwnd, 95, 75), kBack) << "left of the picture, as the window has it";
  EXPECT_EQ(ClientPixel(hwnd, 100, 75), kPicture);
  EXPECT_EQ(SendMessageA(hwnd, kBackgroundPaintRequest, 0, 0), 0) << "nothing to paint into";
}

}  // namespace
}  // namespace runtime::units::window_testing
