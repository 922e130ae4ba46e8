// Window DCs over surfaces: clipping by the visible region and the
// application's clip region, dirty marking, and what a window DC reports.
#include "platform/gdi/window_dc.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/gdi/gdi_testing.h"
#include "platform/gdi/screen_info.h"
#include "platform/gdi/surface.h"
#include "platform/win32.h"

namespace {

using gdi_testing::MemoryDc;
using gdi_testing::SamePixels;
using platform::gdi::Region;
using platform::gdi::Surface;
using platform::gdi::WindowDcTarget;

constexpr uint32_t W = 0xFFFFFF;
constexpr uint32_t K = 0x000000;

std::vector<uint32_t> PixelsOf(const Surface& surface) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) pixels.push_back(surface.PixelAt(x, y));
  }
  return pixels;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A 6x4 white surface and a DC whose device (0, 0) is at (1, 1), visible
// everywhere in (1, 1)-(5, 4) except (3, 1)-(5, 2), where another window
// lies on top.
class WindowDcTest : public testing::Test {
 protected:
  void SetUp() override {
    surface_ = std::make_shared<Surface>(6, 4);
    surface_->TakeDirty();
    dc_ = platform::gdi::CreateWindowDc(Target(POINT{1, 1}));
    ASSERT_NE(dc_, nullptr);
  }
  void TearDown() override { EXPECT_TRUE(platform::gdi::DeleteWindowDc(dc_)); }

  WindowDcTarget Target(POINT origin) {
    WindowDcTarget target;
    target.surface = surface_;
    target.origin = origin;
    target.visible = Region(RECT{1, 1, 5, 4});
    target.visible.Subtract(RECT{3, 1, 5, 2});
    target.hwnd = reinterpret_cast<HWND>(uintptr_t{0x4242});
    return target;
  }
  void FillAll(COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT everything{-100, -100, 100, 100};
    FillRect(dc_, &everything, brush);
    DeleteObject(brush);
  }

  std::shared_ptr<Surface> surface_;
  HDC dc_ = nullptr;
};

TEST_F(WindowDcTest, DrawsOnlyWhereTheWindowIsVisible) {
  FillAll(RGB(0, 0, 0));
  EXPECT_TRUE(SamePixels({W, W, W, W, W, W,  //
                          W, K, K, W, W, W,  //
                          W, K, K, K, K, W,  //
                          W, K, K, K, K, W},
                         PixelsOf(*surface_), 6));
}

TEST_F(WindowDcTest, TheApplicationClipIsInDeviceCoordinates) {
  EXPECT_EQ(IntersectClipRect(dc_, 1, 0, 3, 9), COMPLEXREGION)
      << "visible (1,0)-(3,2) and (1,1)-(3,3) of the device: an L";
  FillAll(RGB(0, 0, 0));
  EXPECT_TRUE(SamePixels({W, W, W, W, W, W,  //
                          W, W, K, W, W, W,  //
                          W, W, K, K, W, W,  //
                          W, W, K, K, W, W},
                         PixelsOf(*surface_), 6));
}

TEST_F(WindowDcTest, MarksExactlyWhatChangedDirty) {
  IntersectClipRect(dc_, 0, 1, 9, 2);
  FillAll(RGB(1, 2, 3));
  const Region dirty = surface_->TakeDirty();
  EXPECT_EQ(dirty, Region(RECT{1, 2, 5, 3}));
  EXPECT_EQ(GetPixel(dc_, 0, 1), RGB(1, 2, 3));
  EXPECT_TRUE(surface_->TakeDirty().IsEmpty()) << "reading marks nothing";
  EXPECT_EQ(SetPixel(dc_, 2, 1, RGB(9, 9, 9)), RGB(9, 9, 9));
  EXPECT_EQ(surface_->TakeDirty(), Region(RECT{3, 2, 4, 3}));
  EXPECT_EQ(SetPixel(dc_, 3, 0, RGB(9, 9, 9)), CLR_INVALID) << "covered by the other window";
  EXPECT_EQ(GetPixel(dc_, 3, 0), CLR_INVALID);
  EXPECT_TRUE(surface_->TakeDirty().IsEmpty());
}

TEST_F(WindowDcTest, ClipQueriesSeparateTheApplicationClipFromTheVisibleRegion) {
  RECT box{};
  EXPECT_EQ(GetClipBox(dc_, &box), COMPLEXREGION);
  EXPECT_TRUE(SameRect(box, RECT{0, 0, 4, 3}));
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(dc_, clip), 0) << "no application clip region yet";
  EXPECT_EQ(ExcludeClipRect(dc_, 0, 0, 2, 3), SIMPLEREGION) << "what remains visible: (2,1)-(4,3)";
  ASSERT_EQ(GetClipRgn(dc_, clip), 1);
  HRGN expected = CreateRectRgn(-1, -1, 5, 3);  // the surface in device coordinates
  HRGN cut = CreateRectRgn(0, 0, 2, 3);
  CombineRgn(expected, expected, cut, RGN_DIFF);
  EXPECT_TRUE(EqualRgn(clip, expected));
  EXPECT_EQ(GetClipBox(dc_, &box), SIMPLEREGION);
  EXPECT_TRUE(SameRect(box, RECT{2, 1, 4, 3}));
  EXPECT_EQ(SelectClipRgn(dc_, nullptr), COMPLEXREGION);
  EXPECT_EQ(GetClipRgn(dc_, clip), 0);
  EXPECT_EQ(ExtSelectClipRgn(dc_, nullptr, RGN_AND), ERROR) << "only RGN_COPY takes no region";
  for (HRGN r : {clip, expected, cut}) DeleteObject(r);
}

TEST_F(WindowDcTest, RetargetingMovesTheDrawingAndKeepsTheState) {
  SetTextColor(dc_, RGB(7, 7, 7));
  WindowDcTarget moved = Target(POINT{0, 0});
  moved.visible = Region(RECT{0, 0, 1, 1});
  ASSERT_TRUE(platform::gdi::RetargetWindowDc(dc_, moved));
  FillAll(RGB(0, 0, 0));
  EXPECT_EQ(surface_->PixelAt(0, 0), K);
  EXPECT_EQ(surface_->PixelAt(1, 1), W);
  EXPECT_EQ(GetTextColor(dc_), RGB(7, 7, 7));
}

TEST_F(WindowDcTest, KnowsItsWindowAndWhereItIsOnTheScreen) {
  EXPECT_EQ(WindowFromDC(dc_), reinterpret_cast<HWND>(uintptr_t{0x4242}));
  EXPECT_EQ(platform::gdi::WindowOfDc(dc_), WindowFromDC(dc_));
  surface_->SetScreenPosition(POINT{100, 50});
  POINT origin{};
  ASSERT_TRUE(GetDCOrgEx(dc_, &origin));
  EXPECT_EQ(origin.x, 101);
  EXPECT_EQ(origin.y, 51);
  EXPECT_EQ(GetObjectType(dc_), static_cast<DWORD>(OBJ_DC));
  EXPECT_FALSE(DeleteDC(dc_)) << "window DCs go back through the window manager";
  MemoryDc memory(1, 1);
  EXPECT_EQ(WindowFromDC(memory.dc()), nullptr);
  EXPECT_FALSE(platform::gdi::DeleteWindowDc(memory.dc()));
  EXPECT_FALSE(platform::gdi::RetargetWindowDc(memory.dc(), Target(POINT{0, 0})));
  ASSERT_TRUE(GetDCOrgEx(memory.dc(), &origin));
  EXPECT_EQ(origin.x, 0);
}

TEST_F(WindowDcTest, BlitsFromAndWithinTheSurface) {
  surface_->Pixels()[2 * 6 + 1] = 0x123456;  // device (0, 1)
  MemoryDc copy(2, 2, 0xEEEEEE);
  ASSERT_TRUE(BitBlt(copy.dc(), 0, 0, 2, 2, dc_, 0, 1, SRCCOPY));
  EXPECT_TRUE(SamePixels({0x123456, W, W, W}, copy.Pixels(), 2));
  // Scrolling the window's own pixels right by one.
  ASSERT_TRUE(BitBlt(dc_, 1, 1, 3, 1, dc_, 0, 1, SRCCOPY));
  EXPECT_EQ(surface_->PixelAt(1, 2), 0x123456u);
  EXPECT_EQ(surface_->PixelAt(2, 2), 0x123456u);
  EXPECT_EQ(surface_->TakeDirty(), Region(RECT{2, 2, 5, 3}));
}

TEST_F(WindowDcTest, CompatibleThingsAreColour) {
  HBITMAP bitmap = CreateCompatibleBitmap(dc_, 2, 2);
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 32);
  HDC memory = CreateCompatibleDC(dc_);
  EXPECT_EQ(GetObjectType(memory), static_cast<DWORD>(OBJ_MEMDC));
  EXPECT_EQ(SelectObject(dc_, bitmap), nullptr) << "bitmaps go into memory DCs only";
  DeleteDC(memory);
  DeleteObject(bitmap);
}

TEST(DeviceCaps, ComeFromTheScreenTheDisplaySets) {
  const platform::gdi::ScreenInfo saved = platform::gdi::CurrentScreen();
  platform::gdi::SetScreen({1024, 600, 120});
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 1024);
  EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 600);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 120);
  EXPECT_EQ(GetDeviceCaps(dc, HORZSIZE), 217) << "1024 pixels at 120 per inch";
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32) << "a memory DC reports its screen, not its bitmap";
  EXPECT_EQ(GetDeviceCaps(dc, PLANES), 1);
  EXPECT_EQ(GetDeviceCaps(nullptr, HORZRES), 0);
  DeleteDC(dc);
  platform::gdi::SetScreen(saved);
}

TEST(Surface, ResizeKeepsTheTopLeftAndMakesEverythingDirty) {
  Surface surface(2, 2, 0x111111);
  surface.Pixels()[3] = 0x222222;
  surface.TakeDirty();
  surface.Resize(3, 1, 0x333333);
  EXPECT_EQ(surface.PixelAt(0, 0), 0x111111u);
  EXPECT_EQ(surface.PixelAt(2, 0), 0x333333u);
  EXPECT_EQ(surface.PixelAt(1, 1), 0u) << "outside the surface";
  EXPECT_EQ(surface.TakeDirty(), Region(RECT{0, 0, 3, 1}));
  surface.MarkDirty(RECT{-5, -5, 50, 50});
  EXPECT_EQ(surface.TakeDirty(), Region(RECT{0, 0, 3, 1})) << "dirt is kept inside the surface";
}

}  // namespace
