// BitBlt: a raster operation with a source DC.
//
// The source may be a memory DC or a window DC, even the destination itself;
// its clip region does not matter, only where it has pixels. Monochrome and
// colour meet as on Windows: 0 bits of a monochrome source take the
// destination's text colour and 1 bits its background colour; a colour
// source going to a monochrome bitmap gives white where it has the source
// DC's background colour and black elsewhere.
#include <algorithm>
#include <mutex>

#include "platform/gdi/drawing.h"

namespace platform::gdi {

namespace {

Source::Conversion ConversionBetween(const Canvas& destination, const Canvas& source) {
  if (source.monochrome() == destination.monochrome()) return Source::Conversion::kNone;
  return source.monochrome() ? Source::Conversion::kMonoToColor : Source::Conversion::kColorToMono;
}

Source MakeSource(const DrawSnapshot& destination, const DrawSnapshot& source, POINT offset) {
  Source result;
  result.view = source.canvas.View();
  result.dx = offset.x;
  result.dy = offset.y;
  result.conversion = ConversionBetween(destination.canvas, source.canvas);
  result.mono_black = PixelFromColor(destination.text_color & 0x00FFFFFF);
  result.mono_white = PixelFromColor(destination.bk_color & 0x00FFFFFF);
  result.color_background = PixelFromColor(source.bk_color & 0x00FFFFFF);
  return result;
}

struct BlitRequest {
  RECT destination;  // device coordinates of the destination DC
  POINT source;      // device coordinates of the source DC for destination.left/top
  uint8_t rop;
};

// Locks both canvases' pixels (once when they are the same) and draws.
void Blit(const DrawSnapshot& dst, const DrawSnapshot& src, const BlitRequest& request,
          const Pattern& pattern) {
  Region area(request.destination);
  area.Offset(dst.canvas.origin.x, dst.canvas.origin.y);
  area.Intersect(dst.canvas.clip);
  if (area.IsEmpty()) return;
  // Destination pixel p reads source pixel p + offset.
  const POINT offset{
      src.canvas.origin.x + request.source.x - dst.canvas.origin.x - request.destination.left,
      src.canvas.origin.y + request.source.y - dst.canvas.origin.y - request.destination.top};
  std::unique_lock<std::mutex> dst_lock(dst.canvas.mutex(), std::defer_lock);
  std::unique_lock<std::mutex> src_lock(src.canvas.mutex(), std::defer_lock);
  if (dst_lock.mutex() == src_lock.mutex()) {
    dst_lock.lock();
  } else {
    std::lock(dst_lock, src_lock);
  }
  const PixelView view = dst.canvas.View();
  const Source source = MakeSource(dst, src, offset);
  Region readable(source.view.Bounds());
  readable.Offset(-offset.x, -offset.y);
  area.Intersect(view.Bounds());
  area.Intersect(readable);
  const std::vector<RECT> rects = area.Rects();
  RasterOp(view, rects, request.rop, pattern, &source);
  dst.canvas.MarkDirty(rects);
}

// Negative extents are turned around; both rectangles move together, so
// nothing is mirrored.
BlitRequest MakeRequest(int x, int y, int cx, int cy, int x1, int y1, uint8_t rop) {
  BlitRequest request;
  const int64_t left = std::min<int64_t>(x, int64_t{x} + cx);
  const int64_t top = std::min<int64_t>(y, int64_t{y} + cy);
  request.destination =
      ClampedRect(left, top, left + std::abs(int64_t{cx}), top + std::abs(int64_t{cy}));
  request.source = POINT{ClampCoordinate(x1 + (left - x)), ClampCoordinate(y1 + (top - y))};
  request.rop = rop;
  return request;
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
  const uint8_t index = Rop3Index(rop);
  if (!Rop3UsesSource(index)) return PatBlt(hdc, x, y, cx, cy, rop);
  auto dst = Snapshot(hdc);
  if (!dst) return FALSE;
  auto src = Snapshot(hdcSrc);
  if (!src) return FALSE;
  Pattern pattern;
  if (Rop3UsesPattern(index)) {
    auto brush_pattern = PatternFor(dst->brush.get(), dst->canvas);
    if (!brush_pattern) return TRUE;
    pattern = *brush_pattern;
  }
  Blit(*dst, *src, MakeRequest(x, y, cx, cy, x1, y1, index), pattern);
  return TRUE;
}
