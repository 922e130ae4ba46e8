// GDI objects: stock objects, selection and deletion rules, GetObjectA,
// bitmap creation, and the DC state SaveDC and RestoreDC keep.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/gdi/gdi_testing.h"
#include "platform/win32.h"

namespace {

using gdi_testing::MakeDib;
using gdi_testing::MemoryDc;

TEST(StockObjects, AreSharedAndSurviveDeleteObject) {
  HGDIOBJ white = GetStockObject(WHITE_BRUSH);
  ASSERT_NE(white, nullptr);
  EXPECT_EQ(GetStockObject(WHITE_BRUSH), white);
  EXPECT_EQ(GetStockObject(HOLLOW_BRUSH), GetStockObject(NULL_BRUSH));
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), static_cast<DWORD>(OBJ_PEN));
  EXPECT_EQ(GetObjectType(GetStockObject(DEFAULT_GUI_FONT)), static_cast<DWORD>(OBJ_FONT));
  EXPECT_EQ(GetStockObject(9), nullptr) << "9 names no stock object";
  EXPECT_TRUE(DeleteObject(white));
  LOGBRUSH logical{};
  ASSERT_EQ(GetObjectA(white, sizeof logical, &logical), static_cast<int>(sizeof logical));
  EXPECT_EQ(logical.lbColor, RGB(255, 255, 255)) << "a stock object outlives DeleteObject";
  EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), GetSysColorBrush(COLOR_3DFACE));
  EXPECT_EQ(GetSysColorBrush(25), nullptr);
}

TEST(StockObjects, DescribeThemselvesLikeWindows) {
  LOGBRUSH brush{};
  GetObjectA(GetStockObject(LTGRAY_BRUSH), sizeof brush, &brush);
  EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(brush.lbColor, RGB(192, 192, 192));
  GetObjectA(GetStockObject(NULL_BRUSH), sizeof brush, &brush);
  EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_NULL));
  LOGPEN pen{};
  ASSERT_EQ(GetObjectA(GetStockObject(NULL_PEN), sizeof pen, &pen), static_cast<int>(sizeof pen));
  EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_NULL));
  LOGFONTA font{};
  ASSERT_EQ(GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font), 60);
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_STREQ(font.lfFaceName, "\xCB\xCE\xCC\xE5") << "SimSun, in GBK";
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_3DSHADOW), RGB(160, 160, 160));
  EXPECT_EQ(GetSysColor(99), 0u);
}

TEST(Selection, ReturnsWhatWasSelectedBefore) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(9, 8, 7));
  EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_BRUSH)), brush);
  EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_PEN)), GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT)), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(SelectObject(nullptr, brush), nullptr);
  EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(uintptr_t{0x123450})), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  DeleteDC(dc);
  DeleteObject(brush);
}

TEST(Selection, ObjectsInUseCannotBeDeleted) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
  HGDIOBJ original = SelectObject(dc, brush);
  EXPECT_FALSE(DeleteObject(brush)) << "selected into a DC";
  SelectObject(dc, original);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_FALSE(DeleteObject(brush)) << "already deleted";
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_FALSE(DeleteObject(dc)) << "DCs go through DeleteDC";
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
}

TEST(Selection, ABitmapGoesIntoOneMemoryDcAtATime) {
  HDC first = CreateCompatibleDC(nullptr);
  HDC second = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 2, 2);
  HGDIOBJ default_bitmap = SelectObject(first, bitmap);
  ASSERT_NE(default_bitmap, nullptr);
  EXPECT_EQ(GetObjectType(default_bitmap), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_EQ(SelectObject(second, bitmap), nullptr) << "already in the first DC";
  EXPECT_EQ(SelectObject(first, bitmap), bitmap) << "selecting it again where it is is fine";
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_EQ(SelectObject(second, default_bitmap), default_bitmap)
      << "the default bitmap is shared by every memory DC";
  EXPECT_TRUE(DeleteDC(first)) << "deleting the DC lets go of the bitmap";
  EXPECT_NE(SelectObject(second, bitmap), nullptr);
  DeleteDC(second);
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(Selection, SelectingARegionSetsTheClipAndAnswersItsType) {
  MemoryDc canvas(4, 4);
  HRGN region = CreateRectRgn(1, 1, 3, 3);
  EXPECT_EQ(SelectObject(canvas.dc(), region), reinterpret_cast<HGDIOBJ>(SIMPLEREGION));
  EXPECT_TRUE(DeleteObject(region)) << "the DC keeps a copy, not the region";
  RECT box{};
  EXPECT_EQ(GetClipBox(canvas.dc(), &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 1);
  EXPECT_EQ(box.bottom, 3);
  HRGN other = CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(SelectObject(nullptr, other), HGDI_ERROR) << "a region's failure value";
  DeleteObject(other);
}

TEST(Bitmaps, DescribeTheirFormat) {
  HBITMAP mono = CreateBitmap(17, 3, 1, 1, nullptr);
  BITMAP info{};
  ASSERT_EQ(GetObjectA(mono, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, 17);
  EXPECT_EQ(info.bmHeight, 3);
  EXPECT_EQ(info.bmWidthBytes, 4) << "17 bits padded to a whole WORD";
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(info.bmBits, nullptr);
  EXPECT_EQ(GetObjectA(mono, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(GetObjectA(mono, 4, &info), 0) << "too small a buffer";
  HBITMAP colour = CreateCompatibleBitmap(nullptr, 3, 2);
  GetObjectA(colour, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_EQ(info.bmWidthBytes, 12);
  DeleteObject(mono);
  DeleteObject(colour);
}

TEST(Bitmaps, DibSectionsHandOutBitsAndDescribeTheirHeader) {
  void* bits = nullptr;
  HBITMAP dib = MakeDib(3, 2, 32, /*top_down=*/true, &bits);
  ASSERT_NE(bits, nullptr);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectA(dib, sizeof section, &section), static_cast<int>(sizeof section));
  EXPECT_EQ(section.dsBm.bmBits, bits);
  EXPECT_EQ(section.dsBm.bmHeight, 2);
  EXPECT_EQ(section.dsBmih.biHeight, -2) << "top-down keeps its negative height";
  EXPECT_EQ(section.dsBmih.biSizeImage, 24u);
  EXPECT_EQ(GetObjectA(dib, 0, nullptr), static_cast<int>(sizeof(DIBSECTION)));
  BITMAP plain{};
  EXPECT_EQ(GetObjectA(dib, sizeof plain, &plain), static_cast<int>(sizeof plain));
  EXPECT_EQ(plain.bmBits, bits);
  EXPECT_EQ(static_cast<const uint32_t*>(bits)[5], 0u) << "a new DIB section is black";
  DeleteObject(dib);
}

TEST(Bitmaps, RefuseFormatsTheyCannotMake) {
  void* bits = reinterpret_cast<void*>(1);
  EXPECT_EQ(MakeDib(2, 2, 8, true, &bits), nullptr);
  EXPECT_EQ(bits, nullptr) << "the bits pointer is cleared on failure";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(MakeDib(0, 2, 32, true, &bits), nullptr);
  EXPECT_EQ(CreateBitmap(2, 2, 1, 16, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(-1, 2, 1, 1, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(100000000, 100, 1, 32, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
}

TEST(Bitmaps, ZeroSizesGiveTheSharedMonochromePixel) {
  HBITMAP tiny = CreateCompatibleBitmap(nullptr, 0, 5);
  ASSERT_NE(tiny, nullptr);
  EXPECT_EQ(CreateBitmap(4, 0, 1, 32, nullptr), tiny);
  BITMAP info{};
  GetObjectA(tiny, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 1);
  EXPECT_EQ(info.bmBitsPixel, 1);
}

TEST(Bitmaps, CompatibleBitmapsFollowTheBitmapOfAMemoryDc) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAP info{};
  HBITMAP from_fresh = CreateCompatibleBitmap(dc, 2, 2);
  GetObjectA(from_fresh, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 1) << "a fresh memory DC holds a monochrome bitmap";
  void* bits = nullptr;
  HBITMAP dib = MakeDib(2, 2, 24, false, &bits);
  HGDIOBJ old = SelectObject(dc, dib);
  HBITMAP from_dib = CreateCompatibleBitmap(dc, 2, 2);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectA(from_dib, sizeof section, &section), static_cast<int>(sizeof section))
      << "a DC holding a DIB section gives DIB sections";
  EXPECT_EQ(section.dsBmih.biBitCount, 24);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(from_fresh);
  DeleteObject(from_dib);
  DeleteObject(dib);
}

TEST(Brushes, IndirectBrushesAreMadeFromValidDescriptionsOnly) {
  LOGBRUSH solid{BS_SOLID, RGB(3, 4, 5), 0};
  HBRUSH brush = CreateBrushIndirect(&solid);
  ASSERT_NE(brush, nullptr);
  LOGBRUSH back{};
  GetObjectA(brush, sizeof back, &back);
  EXPECT_EQ(back.lbColor, RGB(3, 4, 5));
  LOGBRUSH hollow{BS_HOLLOW, 0, 0};
  HBRUSH null_brush = CreateBrushIndirect(&hollow);
  EXPECT_NE(null_brush, nullptr);
  LOGBRUSH hatched{BS_HATCHED, RGB(1, 2, 3), HS_DIAGCROSS + 1};
  EXPECT_EQ(CreateBrushIndirect(&hatched), nullptr) << "no such hatch style";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  LOGBRUSH pattern{BS_PATTERN, 0, 0};
  EXPECT_EQ(CreateBrushIndirect(&pattern), nullptr) << "no bitmap";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  LOGBRUSH unknown{42, 0, 0};
  EXPECT_EQ(CreateBrushIndirect(&unknown), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
  DeleteObject(brush);
  DeleteObject(null_brush);
}

TEST(DcState, ColoursAndModesStartAsOnWindowsAndAnswerWithTheOldValue) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), RGB(0, 0, 0));
  EXPECT_EQ(SetBkColor(dc, RGB(4, 5, 6)), RGB(255, 255, 255));
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(dc, 7), 0);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  EXPECT_EQ(GetTextColor(nullptr), CLR_INVALID);
  EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
  DeleteDC(dc);
}

TEST(DcState, RestoreDcTakesAbsoluteAndRelativeLevels) {
  HDC dc = CreateCompatibleDC(nullptr);
  SetTextColor(dc, RGB(1, 0, 0));
  EXPECT_EQ(SaveDC(dc), 1);
  SetTextColor(dc, RGB(2, 0, 0));
  EXPECT_EQ(SaveDC(dc), 2);
  SetTextColor(dc, RGB(3, 0, 0));
  EXPECT_EQ(SaveDC(dc), 3);
  SetTextColor(dc, RGB(4, 0, 0));
  EXPECT_TRUE(RestoreDC(dc, -1));
  EXPECT_EQ(GetTextColor(dc), RGB(3, 0, 0));
  EXPECT_FALSE(RestoreDC(dc, 3)) << "level 3 was used up";
  EXPECT_TRUE(RestoreDC(dc, 1)) << "restoring level 1 drops level 2 too";
  EXPECT_EQ(GetTextColor(dc), RGB(1, 0, 0));
  EXPECT_FALSE(RestoreDC(dc, -1));
  EXPECT_FALSE(RestoreDC(dc, 0));
  EXPECT_EQ(SaveDC(dc), 1);
  DeleteDC(dc);
}

TEST(DcState, SavedStatesKeepTheirObjectsAndClip) {
  MemoryDc canvas(4, 1);
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 9));
  HGDIOBJ original = SelectObject(canvas.dc(), brush);
  IntersectClipRect(canvas.dc(), 0, 0, 2, 1);
  ASSERT_EQ(SaveDC(canvas.dc()), 1);
  SelectObject(canvas.dc(), original);
  SelectClipRgn(canvas.dc(), nullptr);
  EXPECT_FALSE(DeleteObject(brush)) << "a saved state still holds the brush";
  ASSERT_TRUE(RestoreDC(canvas.dc(), 1));
  PatBlt(canvas.dc(), 0, 0, 4, 1, PATCOPY);
  EXPECT_EQ(canvas.at(1, 0), 0x000009u) << "the saved brush is back";
  EXPECT_EQ(canvas.at(2, 0), 0u) << "the saved clip region is back";
  SelectObject(canvas.dc(), original);
  EXPECT_TRUE(DeleteObject(brush));
}

}  // namespace
