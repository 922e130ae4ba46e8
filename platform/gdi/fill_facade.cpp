// Filling: FillRect, FrameRect, InvertRect, PatBlt, the region fills, and
// single pixels. Rectangles, points and regions are in logical units.
#include <algorithm>
#include <cstdint>

#include "platform/gdi/drawing.h"
#include "platform/gdi/mapping.h"
#include "platform/gdi/region_object.h"

namespace platform::gdi {

namespace {

constexpr uint8_t kPatCopy = 0xF0;
constexpr uint8_t kDstInvert = 0x55;

// Paints the device area `area_of` finds for the DC with `brush` through
// PATCOPY; a null brush paints nothing.
template <typename AreaOf>
BOOL FillWithBrush(HDC hdc, const Brush* brush, AreaOf area_of) {
  auto dc = Snapshot(hdc);
  if (!dc) return FALSE;
  if (auto pattern = PatternFor(brush, *dc)) {
    PaintArea(dc->canvas, area_of(*dc), kPatCopy, *pattern);
  }
  return TRUE;
}

template <typename AreaOf>
BOOL Invert(HDC hdc, AreaOf area_of) {
  auto dc = Snapshot(hdc);
  if (!dc) return FALSE;
  PaintArea(dc->canvas, area_of(*dc), kDstInvert, Pattern{});
  return TRUE;
}

// The rectangle's corners in device pixels, kept where they land: a
// rectangle upside down on the device is empty, as an inverted one is
// without a mapping mode. (Under a y-up mapping the rectangle whose top is
// above its bottom, top > bottom, is the one that fills.)
Region DeviceRectArea(const Mapping& mapping, const RECT& rect) {
  const POINT a = ToDevicePixel(mapping, POINT{rect.left, rect.top});
  const POINT b = ToDevicePixel(mapping, POINT{rect.right, rect.bottom});
  return Region(RECT{a.x, a.y, b.x, b.y});
}

// A logical thickness in pixels: at least one, so frames never vanish.
int DeviceThickness(int64_t device) {
  return static_cast<int>(std::clamp<int64_t>(device < 0 ? -device : device, 1, kMaxCoordinate));
}

// The pixels of `region` whose neighbours up to `reach` pixels away along
// (dx, dy), both ways, are in it too. Each round at most triples the reach
// covered, so wide frames cost a few region operations, not one a pixel.
Region ErodeAlong(const Region& region, int reach, int dx, int dy) {
  Region eroded = region;
  int64_t covered = 0;
  while (covered < reach) {
    const int64_t step = std::min<int64_t>(2 * covered + 1, reach - covered);
    Region before = eroded;
    Region after = eroded;
    before.Offset(static_cast<int>(-step * dx), static_cast<int>(-step * dy));
    after.Offset(static_cast<int>(step * dx), static_cast<int>(step * dy));
    eroded.Intersect(before);
    eroded.Intersect(after);
    covered += step;
    if (eroded.IsEmpty()) break;
  }
  return eroded;
}

// The pixels of `region` within `w` of its outside horizontally or `h`
// vertically: the region minus its erosion.
Region FrameOf(const Region& region, int w, int h) {
  Region inner = ErodeAlong(region, w, 1, 0);
  inner.Intersect(ErodeAlong(region, h, 0, 1));
  Region frame = region;
  frame.Subtract(inner);
  return frame;
}

std::optional<Region> RegionOf(HRGN hrgn) {
  auto region = FindOrFail<RegionObject>(hrgn);
  if (!region) return std::nullopt;
  return region->Get();
}

// What a logical pixel of the DC is: a place inside the canvas and the
// clip, or none.
std::optional<POINT> PixelPlace(const DrawSnapshot& dc, int x, int y) {
  const POINT device = ToDevicePixel(dc.mapping, POINT{x, y});
  const POINT place{ClampCoordinate(int64_t{device.x} + dc.canvas.origin.x),
                    ClampCoordinate(int64_t{device.y} + dc.canvas.origin.y)};
  if (!dc.canvas.clip.Contains(place)) return std::nullopt;
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
  return FillWithBrush(hDC, brush.get(),
                       [&](const DrawSnapshot& dc) { return DeviceRectArea(dc.mapping, *lprc); });
}

// One logical unit wide (at least a pixel) inside the rectangle; an
// inverted rectangle draws nothing.
int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  if (!lprc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto brush = BrushFromHandle(hbr);
  if (!brush) return 0;
  return FillWithBrush(hDC, brush.get(), [&](const DrawSnapshot& dc) {
    return FrameOf(DeviceRectArea(dc.mapping, *lprc), DeviceThickness(WidthToDevice(dc.mapping, 1)),
                   DeviceThickness(HeightToDevice(dc.mapping, 1)));
  });
}

BOOL InvertRect(HDC hDC, const RECT* lprc) {
  if (!lprc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return Invert(hDC, [&](const DrawSnapshot& dc) { return DeviceRectArea(dc.mapping, *lprc); });
}

// A negative width or height extends the rectangle left or up from (x, y);
// the corners are put in order once they are device pixels.
BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  const uint8_t index = Rop3Index(rop);
  if (Rop3UsesSource(index)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto dc = Snapshot(hdc);
  if (!dc) return FALSE;
  const POINT a = ToDevicePixel(dc->mapping, POINT{x, y});
  const POINT b = ToDevicePixel(
      dc->mapping, POINT{ClampCoordinate(int64_t{x} + w), ClampCoordinate(int64_t{y} + h)});
  const Region area(OrderedRect(a.x, a.y, b.x, b.y));
  Pattern pattern;
  if (Rop3UsesPattern(index)) {
    auto brush_pattern = PatternFor(dc->brush.get(), *dc);
    if (!brush_pattern) return TRUE;
    pattern = *brush_pattern;
  }
  PaintArea(dc->canvas, area, index, pattern);
  return TRUE;
}

// Regions given to the fills are in logical units.
BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr) {
  auto region = RegionOf(hrgn);
  auto brush = BrushFromHandle(hbr);
  if (!region || !brush) return FALSE;
  return FillWithBrush(hdc, brush.get(),
                       [&](const DrawSnapshot& dc) { return ToDeviceRegion(dc.mapping, *region); });
}

// The frame is w logical units across and h down, at least a pixel each.
BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h) {
  if (w <= 0 || h <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto region = RegionOf(hrgn);
  auto brush = BrushFromHandle(hbr);
  if (!region || !brush) return FALSE;
  return FillWithBrush(hdc, brush.get(), [&](const DrawSnapshot& dc) {
    return FrameOf(ToDeviceRegion(dc.mapping, *region),
                   DeviceThickness(WidthToDevice(dc.mapping, w)),
                   DeviceThickness(HeightToDevice(dc.mapping, h)));
  });
}

BOOL PaintRgn(HDC hdc, HRGN hrgn) {
  auto region = RegionOf(hrgn);
  auto dc = Snapshot(hdc);
  if (!region || !dc) return FALSE;
  if (auto pattern = PatternFor(dc->brush.get(), *dc)) {
    PaintArea(dc->canvas, ToDeviceRegion(dc->mapping, *region), kPatCopy, *pattern);
  }
  return TRUE;
}

BOOL InvertRgn(HDC hdc, HRGN hrgn) {
  auto region = RegionOf(hrgn);
  if (!region) return FALSE;
  return Invert(hdc, [&](const DrawSnapshot& dc) { return ToDeviceRegion(dc.mapping, *region); });
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  auto dc = Snapshot(hdc);
  if (!dc) return CLR_INVALID;
  auto place = PixelPlace(*dc, x, y);
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
  auto place = PixelPlace(*dc, x, y);
  if (!place) return CLR_INVALID;
  const uint32_t pixel = CanvasPixel(dc->canvas, color);
  std::lock_guard lock(dc->canvas.mutex());
  const PixelView view = dc->canvas.View();
  if (!InView(view, *place)) return CLR_INVALID;
  WriteSpan(view, place->x, place->y, 1, &pixel);
  dc->canvas.MarkDirty({RECT{place->x, place->y, place->x + 1, place->y + 1}});
  return ColorFromPixel(pixel);
}
