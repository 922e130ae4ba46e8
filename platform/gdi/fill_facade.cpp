// Filling: FillRect, FrameRect, InvertRect, PatBlt, the region fills, and
// single pixels.
#include "platform/gdi/drawing.h"
#include "platform/gdi/region_object.h"

namespace platform::gdi {

namespace {

constexpr uint8_t kPatCopy = 0xF0;
constexpr uint8_t kDstInvert = 0x55;

// Paints `area` with `brush` through PATCOPY; a null brush paints nothing.
BOOL FillWithBrush(HDC hdc, const Region& area, const Brush* brush) {
  auto dc = Snapshot(hdc);
  if (!dc) return FALSE;
  if (auto pattern = PatternFor(brush, dc->canvas)) PaintArea(dc->canvas, area, kPatCopy, *pattern);
  return TRUE;
}

BOOL Invert(HDC hdc, const Region& area) {
  auto dc = Snapshot(hdc);
  if (!dc) return FALSE;
  PaintArea(dc->canvas, area, kDstInvert, Pattern{});
  return TRUE;
}

Region RegionOfRect(const RECT& rect) {
  return Region(ClampedRect(rect.left, rect.top, rect.right, rect.bottom));
}

// The pixels of `region` within `w` of its outside horizontally or `h`
// vertically: the region minus its erosion.
Region FrameOf(const Region& region, int w, int h) {
  Region inner = region;
  for (int i = 1; i <= w; ++i) {
    for (int dx : {-i, i}) {
      Region shifted = region;
      shifted.Offset(dx, 0);
      inner.Intersect(shifted);
    }
  }
  for (int i = 1; i <= h; ++i) {
    for (int dy : {-i, i}) {
      Region shifted = region;
      shifted.Offset(0, dy);
      inner.Intersect(shifted);
    }
  }
  Region frame = region;
  frame.Subtract(inner);
  return frame;
}

std::optional<Region> RegionOf(HRGN hrgn) {
  auto region = FindOrFail<RegionObject>(hrgn);
  if (!region) return std::nullopt;
  return region->Get();
}

// What a pixel of the DC is: a place inside the canvas and the clip, or none.
std::optional<POINT> PixelPlace(const Canvas& canvas, int x, int y) {
  const POINT place{ClampCoordinate(int64_t{x} + canvas.origin.x),
                    ClampCoordinate(int64_t{y} + canvas.origin.y)};
  if (!canvas.clip.Contains(place)) return std::nullopt;
  return place;
}

bool InView(const PixelView& view, POINT p) {
  return p.x >= 0 && p.y >= 0 && p.x < view.width && p.y < view.height;
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  if (!lprc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto brush = BrushFromHandle(hbr);
  if (!brush) return 0;
  return FillWithBrush(hDC, RegionOfRect(*lprc), brush.get());
}

// One unit wide inside the rectangle; an inverted rectangle draws nothing.
int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  if (!lprc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto brush = BrushFromHandle(hbr);
  if (!brush) return 0;
  return FillWithBrush(hDC, FrameOf(RegionOfRect(*lprc), 1, 1), brush.get());
}

BOOL InvertRect(HDC hDC, const RECT* lprc) {
  if (!lprc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return Invert(hDC, RegionOfRect(*lprc));
}

// A negative width or height extends the rectangle left or up from (x, y).
BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  const uint8_t index = Rop3Index(rop);
  if (Rop3UsesSource(index)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto dc = Snapshot(hdc);
  if (!dc) return FALSE;
  const int64_t x2 = int64_t{x} + w;
  const int64_t y2 = int64_t{y} + h;
  const Region area(ClampedRect(std::min<int64_t>(x, x2), std::min<int64_t>(y, y2),
                                std::max<int64_t>(x, x2), std::max<int64_t>(y, y2)));
  Pattern pattern;
  if (Rop3UsesPattern(index)) {
    auto brush_pattern = PatternFor(dc->brush.get(), dc->canvas);
    if (!brush_pattern) return TRUE;
    pattern = *brush_pattern;
  }
  PaintArea(dc->canvas, area, index, pattern);
  return TRUE;
}

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr) {
  auto region = RegionOf(hrgn);
  auto brush = BrushFromHandle(hbr);
  if (!region || !brush) return FALSE;
  return FillWithBrush(hdc, *region, brush.get());
}

BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h) {
  if (w <= 0 || h <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto region = RegionOf(hrgn);
  auto brush = BrushFromHandle(hbr);
  if (!region || !brush) return FALSE;
  return FillWithBrush(hdc, FrameOf(*region, w, h), brush.get());
}

BOOL PaintRgn(HDC hdc, HRGN hrgn) {
  auto region = RegionOf(hrgn);
  auto dc = Snapshot(hdc);
  if (!region || !dc) return FALSE;
  if (auto pattern = PatternFor(dc->brush.get(), dc->canvas)) {
    PaintArea(dc->canvas, *region, kPatCopy, *pattern);
  }
  return TRUE;
}

BOOL InvertRgn(HDC hdc, HRGN hrgn) {
  auto region = RegionOf(hrgn);
  if (!region) return FALSE;
  return Invert(hdc, *region);
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  auto dc = Snapshot(hdc);
  if (!dc) return CLR_INVALID;
  auto place = PixelPlace(dc->canvas, x, y);
  if (!place) return CLR_INVALID;
  std::lock_guard lock(dc->canvas.mutex());
  const PixelView view = dc->canvas.View();
  if (!InView(view, *place)) return CLR_INVALID;
  uint32_t pixel = 0;
  ReadSpan(view, place->x, place->y, 1, &pixel);
  return ColorFromPixel(pixel);
}

// Returns the colour the pixel really took (black or white on a monochrome
// bitmap), or -1 outside the clip region.
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  auto dc = Snapshot(hdc);
  if (!dc) return CLR_INVALID;
  auto place = PixelPlace(dc->canvas, x, y);
  if (!place) return CLR_INVALID;
  const uint32_t pixel = CanvasPixel(dc->canvas, color);
  std::lock_guard lock(dc->canvas.mutex());
  const PixelView view = dc->canvas.View();
  if (!InView(view, *place)) return CLR_INVALID;
  WriteSpan(view, place->x, place->y, 1, &pixel);
  dc->canvas.MarkDirty({RECT{place->x, place->y, place->x + 1, place->y + 1}});
  return ColorFromPixel(pixel);
}
