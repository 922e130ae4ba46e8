// Pens and lines: pen objects, the current position, thin lines without
// their last pixel, round wide pens, and lines on window DCs.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/gdi/gdi_testing.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/window_dc.h"
#include "platform/win32.h"

namespace {

using gdi_testing::MemoryDc;
using gdi_testing::SamePixels;

constexpr uint32_t W = 0xFFFFFF;
constexpr uint32_t K = 0x000000;
constexpr uint32_t R = 0xFF0000;

// Draws from `from` to `to` on a white canvas with the default black pen.
std::vector<uint32_t> Line(int width, int height, POINT from, POINT to) {
  MemoryDc dc(width, height, W);
  MoveToEx(dc.dc(), from.x, from.y, nullptr);
  EXPECT_TRUE(LineTo(dc.dc(), to.x, to.y));
  return dc.Pixels();
}

TEST(PenObjectsTest, DescribeThemselvesAndRefuseWhatTheyCannotDraw) {
  HPEN pen = CreatePen(PS_DASH, 4, RGB(1, 2, 3));
  ASSERT_NE(pen, nullptr);
  EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
  LOGPEN logical{};
  ASSERT_EQ(GetObjectA(pen, sizeof logical, &logical), static_cast<int>(sizeof(LOGPEN)));
  EXPECT_EQ(logical.lopnStyle, static_cast<UINT>(PS_DASH));
  EXPECT_EQ(logical.lopnWidth.x, 4);
  EXPECT_EQ(logical.lopnColor, RGB(1, 2, 3));
  EXPECT_TRUE(DeleteObject(pen));

  ASSERT_EQ(GetObjectA(GetStockObject(WHITE_PEN), sizeof logical, &logical),
            static_cast<int>(sizeof(LOGPEN)));
  EXPECT_EQ(logical.lopnStyle, static_cast<UINT>(PS_SOLID));
  EXPECT_EQ(logical.lopnColor, RGB(255, 255, 255));
  EXPECT_EQ(CreatePenIndirect(nullptr), nullptr);

  const LOGBRUSH red{BS_SOLID, RGB(255, 0, 0), 0};
  HPEN ext = ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_ROUND | PS_JOIN_ROUND, 5, &red, 0, nullptr);
  ASSERT_NE(ext, nullptr);
  EXPECT_EQ(GetObjectType(ext), static_cast<DWORD>(OBJ_EXTPEN));
  EXPECT_TRUE(DeleteObject(ext));
  EXPECT_EQ(ExtCreatePen(PS_COSMETIC | PS_SOLID, 3, &red, 0, nullptr), nullptr)
      << "a cosmetic pen is one pixel wide";
  const LOGBRUSH hatched{BS_HATCHED, 0, 0};
  EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC, 3, &hatched, 0, nullptr), nullptr);
}

TEST(CurrentPositionTest, MovesWithMoveToAndLineToButNotPolyline) {
  MemoryDc dc(4, 4, W);
  POINT p{-1, -1};
  ASSERT_TRUE(GetCurrentPositionEx(dc.dc(), &p));
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  EXPECT_TRUE(MoveToEx(dc.dc(), 2, 3, nullptr));
  EXPECT_TRUE(MoveToEx(dc.dc(), 1, 1, &p));
  EXPECT_EQ(p.x, 2) << "the previous position";
  EXPECT_EQ(p.y, 3);
  EXPECT_TRUE(LineTo(dc.dc(), 3, 1));
  const POINT path[] = {{0, 0}, {3, 3}};
  EXPECT_TRUE(Polyline(dc.dc(), path, 2));
  ASSERT_TRUE(GetCurrentPositionEx(dc.dc(), &p));
  EXPECT_EQ(p.x, 3);
  EXPECT_EQ(p.y, 1);
  EXPECT_FALSE(GetCurrentPositionEx(dc.dc(), nullptr));
  EXPECT_FALSE(LineTo(nullptr, 1, 1));
}

TEST(ThinLineTest, LeavesOutItsLastPixel) {
  EXPECT_TRUE(SamePixels({W, W, W, W, W,  //
                          K, K, K, K, W,  //
                          W, W, W, W, W},
                         Line(5, 3, {0, 1}, {4, 1}), 5));
  EXPECT_TRUE(SamePixels({W, W, W, W, W,  //
                          W, K, K, K, K,  //
                          W, W, W, W, W},
                         Line(5, 3, {4, 1}, {0, 1}), 5))
      << "drawn backwards, the other end is left out";
  EXPECT_TRUE(SamePixels({W, W, K, W,  //
                          W, W, K, W,  //
                          W, W, K, W,  //
                          W, W, W, W},
                         Line(4, 4, {2, 0}, {2, 3}), 4));
  EXPECT_TRUE(SamePixels(std::vector<uint32_t>(9, W), Line(3, 3, {1, 1}, {1, 1}), 3))
      << "a line of no length draws nothing";
}

TEST(ThinLineTest, StepsDiagonallyAndRoundsTiesToTheSmallerCoordinate) {
  EXPECT_TRUE(SamePixels({K, W, W, W,  //
                          W, K, W, W,  //
                          W, W, K, W,  //
                          W, W, W, W},
                         Line(4, 4, {0, 0}, {3, 3}), 4));
  EXPECT_TRUE(SamePixels({K, K, W, W, W,  //
                          W, W, K, K, W,  //
                          W, W, W, W, W},
                         Line(5, 3, {0, 0}, {4, 2}), 5));
  EXPECT_TRUE(SamePixels({W, K, W, W, W,  //
                          W, W, K, K, W,  //
                          W, W, W, W, K},
                         Line(5, 3, {4, 2}, {0, 0}), 5));
  EXPECT_TRUE(SamePixels({K, W, W,  //
                          K, W, W,  //
                          W, K, W,  //
                          W, K, W,  //
                          W, W, W},
                         Line(3, 5, {0, 0}, {2, 4}), 3))
      << "a steep line steps along y";
}

TEST(PolylineTest, JoinsSegmentsAndLeavesOutOnlyTheLastPoint) {
  MemoryDc dc(5, 5, W);
  const POINT path[] = {{0, 0}, {3, 0}, {3, 3}, {1, 3}};
  EXPECT_TRUE(Polyline(dc.dc(), path, 4));
  EXPECT_TRUE(SamePixels({K, K, K, K, W,  //
                          W, W, W, K, W,  //
                          W, W, W, K, W,  //
                          W, W, K, K, W,  //
                          W, W, W, W, W},
                         dc.Pixels(), 5));
  EXPECT_FALSE(Polyline(dc.dc(), path, 1));
}

TEST(PenSelectionTest, TheNullPenAndColouredPensDrawWhatTheySay) {
  MemoryDc dc(4, 2, W);
  HGDIOBJ old = SelectObject(dc.dc(), GetStockObject(NULL_PEN));
  MoveToEx(dc.dc(), 0, 0, nullptr);
  EXPECT_TRUE(LineTo(dc.dc(), 4, 0));
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  SelectObject(dc.dc(), red);
  MoveToEx(dc.dc(), 0, 1, nullptr);
  LineTo(dc.dc(), 4, 1);
  EXPECT_TRUE(SamePixels({W, W, W, W,  //
                          R, R, R, R},
                         dc.Pixels(), 4))
      << "nothing from the null pen, the whole line from the red one";
  SelectObject(dc.dc(), old);
  EXPECT_TRUE(DeleteObject(red));
}

TEST(WidePenTest, DrawsRoundCapsPastBothEnds) {
  MemoryDc dc(9, 5, W);
  HPEN pen = CreatePen(PS_SOLID, 5, RGB(0, 0, 0));
  HGDIOBJ old = SelectObject(dc.dc(), pen);
  MoveToEx(dc.dc(), 2, 2, nullptr);
  LineTo(dc.dc(), 6, 2);
  EXPECT_TRUE(SamePixels({W, K, K, K, K, K, K, K, W,  //
                          K, K, K, K, K, K, K, K, K,  //
                          K, K, K, K, K, K, K, K, K,  //
                          K, K, K, K, K, K, K, K, K,  //
                          W, K, K, K, K, K, K, K, W},
                         dc.Pixels(), 9));
  SelectObject(dc.dc(), old);
  DeleteObject(pen);
}

TEST(WidePenTest, ExtCreatePenRoundPenCoversTheCapDisk) {
  MemoryDc dc(7, 7, W);
  const LOGBRUSH black{BS_SOLID, RGB(0, 0, 0), 0};
  HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_ROUND | PS_JOIN_ROUND, 5, &black, 0, nullptr);
  HGDIOBJ old = SelectObject(dc.dc(), pen);
  const POINT dot[] = {{3, 3}, {3, 3}};
  EXPECT_TRUE(Polyline(dc.dc(), dot, 2));
  EXPECT_TRUE(SamePixels({W, W, W, W, W, W, W,  //
                          W, W, K, K, K, W, W,  //
                          W, K, K, K, K, K, W,  //
                          W, K, K, K, K, K, W,  //
                          W, K, K, K, K, K, W,  //
                          W, W, K, K, K, W, W,  //
                          W, W, W, W, W, W, W},
                         dc.Pixels(), 7))
      << "the disk of radius 2.5 around the point";
  SelectObject(dc.dc(), old);
  DeleteObject(pen);
}

TEST(WidePenTest, EvenWidthsCoverExactlyThatManyRows) {
  MemoryDc dc(6, 4, W);
  HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
  HGDIOBJ old = SelectObject(dc.dc(), pen);
  MoveToEx(dc.dc(), 1, 2, nullptr);
  LineTo(dc.dc(), 4, 2);
  EXPECT_TRUE(SamePixels({W, W, W, W, W, W,  //
                          K, K, K, K, K, W,  //
                          K, K, K, K, K, W,  //
                          W, W, W, W, W, W},
                         dc.Pixels(), 6));
  SelectObject(dc.dc(), old);
  DeleteObject(pen);
}

// A 6x4 white surface and a DC whose device (0, 0) is at (1, 1), visible in
// (1, 1)-(5, 4) except (3, 1)-(5, 2).
class WindowLineTest : public testing::Test {
 protected:
  void SetUp() override {
    surface_ = std::make_shared<platform::gdi::Surface>(6, 4);
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 6; ++x) surface_->Pixels()[y * 6 + x] = W;
    }
    surface_->TakeDirty();
    platform::gdi::WindowDcTarget target;
    target.surface = surface_;
    target.origin = POINT{1, 1};
    target.visible = platform::gdi::Region(RECT{1, 1, 5, 4});
    target.visible.Subtract(RECT{3, 1, 5, 2});
    target.hwnd = reinterpret_cast<HWND>(uintptr_t{0x4242});
    dc_ = platform::gdi::CreateWindowDc(target);
    ASSERT_NE(dc_, nullptr);
  }
  void TearDown() override { EXPECT_TRUE(platform::gdi::DeleteWindowDc(dc_)); }

  std::vector<uint32_t> Pixels() const {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 6; ++x) pixels.push_back(surface_->PixelAt(x, y));
    }
    return pixels;
  }

  std::shared_ptr<platform::gdi::Surface> surface_;
  HDC dc_ = nullptr;
};

TEST_F(WindowLineTest, ClipsToTheVisibleRegionAndMarksOnlyWhatItDrew) {
  MoveToEx(dc_, -1, 0, nullptr);
  EXPECT_TRUE(LineTo(dc_, 5, 0));
  EXPECT_EQ(surface_->TakeDirty(), platform::gdi::Region(RECT{1, 1, 3, 2}));
  MoveToEx(dc_, 3, -1, nullptr);
  EXPECT_TRUE(LineTo(dc_, 3, 5));
  EXPECT_EQ(surface_->TakeDirty(), platform::gdi::Region(RECT{4, 2, 5, 4}));
  EXPECT_TRUE(SamePixels({W, W, W, W, W, W,  //
                          W, K, K, W, W, W,  //
                          W, W, W, W, K, W,  //
                          W, W, W, W, K, W},
                         Pixels(), 6));
  IntersectClipRect(dc_, 0, 0, 1, 9);
  MoveToEx(dc_, 0, 2, nullptr);
  LineTo(dc_, 4, 2);
  EXPECT_EQ(surface_->TakeDirty(), platform::gdi::Region(RECT{1, 3, 2, 4}))
      << "the application's clip cuts the line too";
}

}  // namespace
