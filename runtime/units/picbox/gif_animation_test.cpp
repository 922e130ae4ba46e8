// GIF animation in a live picture box, on the headless display's virtual
// clock: frames, their delays and disposal checked pixel by pixel, stopping
// and starting again, and the thread against painting and destruction.
#include "runtime/units/picbox/gif_animation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/units/picbox/picbox_test_support.h"

namespace runtime::units::picbox_testing {
namespace {

constexpr int32_t kDisplayModeProperty = 11;
constexpr int32_t kPlayAnimationProperty = 12;
constexpr int32_t kPictureProperty = 10;

constexpr COLORREF kMagenta = RGB(255, 0, 255);  // the box's background

// Palette indices and the letters canvases are written in.
enum : uint8_t { kR, kG, kB, kW, kK, kY };
const std::vector<COLORREF> kPalette = {RGB(255, 0, 0),     RGB(0, 255, 0), RGB(0, 0, 255),
                                        RGB(255, 255, 255), RGB(0, 0, 0),   RGB(255, 255, 0)};
COLORREF ColourOf(char letter) {
  switch (letter) {
    case 'R':
      return kPalette[kR];
    case 'G':
      return kPalette[kG];
    case 'B':
      return kPalette[kB];
    case 'K':
      return kPalette[kK];
    case 'Y':
      return kPalette[kY];
    default:
      return kMagenta;
  }
}

// A 4 x 4 screen:
//   0: all red, 1/10 s, left in place;
//   1: green 2 x 2 at (1, 1), delay 0 (so 50 ms), restores what it covered;
//   2: 2 x 2 at (2, 2), blue on the diagonal, black elsewhere and black
//      transparent, 2/10 s, "restore to background" (restores too);
//   3: yellow 1 x 1 at (0, 0) without a graphic control (so 50 ms).
GifLayout FourFrames() {
  GifLayout layout{.width = 4, .height = 4, .global_table = kPalette};
  GifFrameLayout first = SolidFrame(0, 0, 4, 4, kR);
  first.delay = 10;
  GifFrameLayout second = SolidFrame(1, 1, 2, 2, kG);
  second.disposal = 12;
  GifFrameLayout third = SolidFrame(2, 2, 2, 2, kB);
  third.indices = {kB, kK, kK, kB};
  third.transparent = kK;
  third.delay = 20;
  third.disposal = 8;
  GifFrameLayout fourth = SolidFrame(0, 0, 1, 1, kY);
  fourth.control = false;
  layout.frames = {first, second, third, fourth};
  return layout;
}

// What the canvas holds after each frame of FourFrames, rows top-down.
const char* const kCanvasAfter[4] = {"RRRR RRRR RRRR RRRR", "RRRR RGGR RGGR RRRR",
                                     "RRRR RRRR RRBR RRRB", "YRRR RRRR RRRR RRRR"};
const DWORD kDelayOf[4] = {100, 50, 200, 50};

class GifAnimationTest : public PicBoxTest {
 protected:
  // Loads an 8 x 8 box playing `gif` and lets its first paint start the
  // thread.
  void Play(const std::vector<uint8_t>& gif, int32_t mode = 0) {
    LoadBoxOrFail({.back_colour = kMagenta, .display_mode = mode, .picture = gif}, 8, 8);
    ASSERT_NE(Unit().animation, nullptr);
    ASSERT_TRUE(Settle());
  }

  // The canvas at the box's top-left corner (natural size), cell by cell;
  // `scale` 2 reads it stretched over the 8 x 8 box.
  void ExpectCanvas(const std::string& rows, const std::string& what, int scale = 1,
                    int offset = 0) {
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 4; ++x) {
        const COLORREF expected = ColourOf(rows[size_t(y * 5 + x)]);
        const int px = offset + x * scale + scale / 2;
        const int py = offset + y * scale + scale / 2;
        const COLORREF got = Pixel(px, py);
        EXPECT_EQ(got, expected) << what << ": canvas cell (" << x << ", " << y << ") at (" << px
                                 << ", " << py << ") expected " << Rgb(expected) << ", got "
                                 << Rgb(got);
      }
    }
  }

  void Repaint() {
    InvalidateRect(Box(), nullptr, FALSE);
    UpdateWindow(Box());
  }

  // Destroys the window holding the box (and with it the box) and loads it
  // again.
  void Reload() {
    DestroyWindow(UnitWindow(forms_testing::kMainWindow, 0x06010000));
    TakeQuit();
    ASSERT_TRUE(Load());
    Pump();
  }
};

TEST_F(GifAnimationTest, StepsThroughFramesWithTheirDelaysAndDisposal) {
  Play(BuildGif(FourFrames()));
  DWORD start = GetTickCount();
  EXPECT_EQ(FramesShown(), 1u);
  EXPECT_EQ(Due(), start + kDelayOf[0]) << "frame 0 lasts 1/10 s";
  ExpectCanvas(kCanvasAfter[0], "frame 0");
  EXPECT_EQ(Pixel(5, 5), kMagenta) << "outside the canvas: the background";
  // Two rounds: after the trailer the walk starts again.
  for (int step = 1; step <= 8; ++step) {
    const int previous = (step - 1) % 4;
    const int frame = step % 4;
    ASSERT_TRUE(Advance(kDelayOf[previous] - 1));
    EXPECT_EQ(FramesShown(), uint32_t(step)) << "frame " << previous << " ended early";
    ExpectCanvas(kCanvasAfter[previous], "1 ms before frame " + std::to_string(step));
    ASSERT_TRUE(Advance(1));
    EXPECT_EQ(FramesShown(), uint32_t(step + 1));
    EXPECT_EQ(Due(), GetTickCount() + kDelayOf[frame]) << "delay of frame " << frame;
    ExpectCanvas(kCanvasAfter[frame], "frame " + std::to_string(step));
  }
}

TEST_F(GifAnimationTest, PaintingCopiesTheCanvasByTheDisplayMode) {
  Play(BuildGif(FourFrames()), 1);
  ASSERT_TRUE(Advance(kDelayOf[0]));
  ExpectCanvas(kCanvasAfter[1], "stretched by the thread", 2);
  Repaint();
  ExpectCanvas(kCanvasAfter[1], "stretched by painting", 2);
  WriteInt(kDisplayModeProperty, 2);  // 4 x 4 centred in 8 x 8
  ExpectCanvas(kCanvasAfter[1], "fitted by painting", 1, 2);
  EXPECT_EQ(Pixel(0, 0), kMagenta);
  ASSERT_TRUE(Advance(kDelayOf[1]));
  ExpectCanvas(kCanvasAfter[2], "fitted by the thread", 1, 2);
  EXPECT_EQ(Pixel(7, 7), kMagenta);
}

// The thread draws where the box is now, and not while it is hidden.
TEST_F(GifAnimationTest, TheThreadFollowsTheBoxWhenItMovesOrHides) {
  Play(BuildGif(FourFrames()));
  HWND window = UnitWindow(forms_testing::kMainWindow, 0x06010000);
  const auto window_pixel = [&](int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
  };
  MoveWindow(Box(), 30, 10, 8, 8, TRUE);
  Pump();
  ASSERT_TRUE(Advance(kDelayOf[0]));
  ExpectCanvas(kCanvasAfter[1], "frame 1 in the box's new place");
  EXPECT_EQ(window_pixel(11, 11), GetSysColor(COLOR_3DFACE)) << "nothing drawn where it was";

  ShowWindow(Box(), SW_HIDE);
  Pump();
  ASSERT_TRUE(Advance(kDelayOf[1]));
  EXPECT_EQ(FramesShown(), 3u);
  EXPECT_EQ(window_pixel(31, 11), GetSysColor(COLOR_3DFACE)) << "nothing drawn while hidden";
  ShowWindow(Box(), SW_SHOW);
  Pump();
  ExpectCanvas(kCanvasAfter[2], "shown again");
}

TEST_F(GifAnimationTest, TurningAnimationOffShowsTheFirstFrameStillAndOnStartsAgain) {
  Play(BuildGif(FourFrames()));
  ASSERT_TRUE(Advance(kDelayOf[0]));
  ExpectCanvas(kCanvasAfter[1], "frame 1");
  WriteInt(kPlayAnimationProperty, 0);
  EXPECT_EQ(Unit().animation, nullptr) << "the engine (and its thread) is gone";
  ASSERT_NE(Unit().picture, nullptr);
  Pump();
  ExpectCanvas(kCanvasAfter[0], "still first frame");
  display_.AdvanceTime(1000);
  Pump();
  ExpectCanvas(kCanvasAfter[0], "still, a second later");

  WriteInt(kPlayAnimationProperty, 1);
  ASSERT_NE(Unit().animation, nullptr);
  EXPECT_EQ(Unit().picture, nullptr);
  Pump();
  ASSERT_TRUE(Settle());
  EXPECT_EQ(FramesShown(), 1u) << "played again from the first frame";
  EXPECT_EQ(Due(), GetTickCount() + kDelayOf[0]);
  ASSERT_TRUE(Advance(kDelayOf[0]));
  ExpectCanvas(kCanvasAfter[1], "frame 1 again");
}

TEST_F(GifAnimationTest, ANewPictureStopsTheAnimation) {
  Play(BuildGif(FourFrames()));
  WriteBytes(kPictureProperty, BuildBmp(2, 2, [](int, int) { return RGB(0, 0, 255); }));
  EXPECT_EQ(Unit().animation, nullptr);
  Pump();
  EXPECT_EQ(Pixel(1, 1), RGB(0, 0, 255));
  EXPECT_EQ(Pixel(3, 3), kMagenta);
  // Another GIF plays from its own first frame.
  GifLayout other{.width = 4, .height = 4, .global_table = kPalette};
  other.frames = {SolidFrame(0, 0, 4, 4, kY)};
  WriteBytes(kPictureProperty, BuildGif(other));
  Pump();
  ASSERT_TRUE(Settle());
  ExpectCanvas("YYYY YYYY YYYY YYYY", "the new GIF");
  EXPECT_EQ(Due(), GetTickCount() + 50) << "no graphic control: 50 ms";
}

TEST_F(GifAnimationTest, AFrameThatDoesNotDecodeDrawsNothingButKeepsItsDelay) {
  GifLayout layout = FourFrames();
  layout.frames[1].minimum_code_size = 12;
  layout.frames[1].delay = 30;
  Play(BuildGif(layout));
  ASSERT_TRUE(Advance(kDelayOf[0]));
  EXPECT_EQ(FramesShown(), 2u);
  EXPECT_EQ(Due(), GetTickCount() + 300);
  ExpectCanvas(kCanvasAfter[0], "the broken frame left the canvas alone");
  ASSERT_TRUE(Advance(300));
  ExpectCanvas(kCanvasAfter[2], "the frame after it");
}

TEST_F(GifAnimationTest, BytesThatAreNoPlayableGifShowOnlyTheBackground) {
  std::vector<uint8_t> no_image = {'G', 'I', 'F', '8', '9', 'a', 4, 0, 4, 0, 0, 0, 0, 0x3B};
  LoadBoxOrFail({.back_colour = kMagenta, .picture = no_image}, 8, 8);
  EXPECT_EQ(Unit().animation, nullptr);
  EXPECT_EQ(Unit().picture, nullptr);
  EXPECT_EQ(Pixel(0, 0), kMagenta);
  EXPECT_EQ(ReadBytes(kPictureProperty), no_image);
}

// The thread composes and draws while the window repaints from the canvas;
// afterwards what a repaint shows is the frame the thread is at.
TEST_F(GifAnimationTest, PaintingAndTheThreadTakeTurnsOnTheCanvas) {
  Play(BuildGif(FourFrames()));
  for (int i = 0; i < 300; ++i) {
    display_.AdvanceTime(10);
    Unit().animation->ClockMoved();
    Repaint();
    if (i % 7 == 0) WriteInt(kDisplayModeProperty, (i / 7) % 3);
  }
  WriteInt(kDisplayModeProperty, 0);
  ASSERT_TRUE(Settle());
  Repaint();
  const uint32_t frames = FramesShown();
  ExpectCanvas(kCanvasAfter[(frames - 1) % 4], "after " + std::to_string(frames) + " frames");
}

// Destruction stops and joins the thread whatever it is doing: starting,
// composing a frame, or waiting out a delay.
TEST_F(GifAnimationTest, DestroyingTheBoxStopsTheThreadInAnyPhase) {
  Play(BuildGif(FourFrames()));
  for (int round = 0; round < 30; ++round) {
    switch (round % 3) {
      case 0:  // the thread has just been started by the paint
        break;
      case 1:  // waiting out frame 0
        ASSERT_TRUE(Settle());
        break;
      default:  // woken to compose the next frame
        display_.AdvanceTime(kDelayOf[0]);
        Unit().animation->ClockMoved();
        break;
    }
    Reload();
    ASSERT_NE(Unit().animation, nullptr);
  }
}

}  // namespace
}  // namespace runtime::units::picbox_testing
