#include "platform/gdi/blit.h"

#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/gdi/drawing.h"

namespace platform::gdi {

namespace {

Source::Conversion ConversionBetween(const Canvas& destination, const Canvas& source) {
  if (source.monochrome() == destination.monochrome()) return Source::Conversion::kNone;
  return source.monochrome() ? Source::Conversion::kMonoToColor : Source::Conversion::kColorToMono;
}

StretchAxis AxisBetween(int64_t dst, int64_t dst_extent, int64_t src, int64_t src_extent) {
  StretchAxis axis;
  axis.dst_start = dst_extent < 0 ? dst + dst_extent : dst;
  axis.dst_length = std::llabs(dst_extent);
  axis.src_start = src_extent < 0 ? src + src_extent : src;
  axis.src_length = std::llabs(src_extent);
  axis.mirrored = (dst_extent < 0) != (src_extent < 0);
  return axis;
}

RECT AreaOf(const StretchGeometry& geometry) {
  return ClampedRect(geometry.x.dst_start, geometry.y.dst_start,
                     geometry.x.dst_start + geometry.x.dst_length,
                     geometry.y.dst_start + geometry.y.dst_length);
}

void Paint(const Canvas& destination, const PixelView& view, const Region& area, uint8_t rop,
           const Pattern& pattern, const Source& source) {
  const std::vector<RECT> rects = area.Rects();
  RasterOp(view, rects, rop, pattern, &source);
  destination.MarkDirty(rects);
}

constexpr int64_t kFarShift = int64_t{1} << 30;

void CopyArea(const Canvas& destination, const PixelView& view, Region area,
              const StretchGeometry& geometry, const Source& source, uint8_t rop,
              const Pattern& pattern) {
  const int64_t dx = geometry.x.src_start - geometry.x.dst_start;
  const int64_t dy = geometry.y.src_start - geometry.y.dst_start;
  // Both sides lie within 2^28 of the origin, so a larger shift (a DIB's
  // far-off rectangle) cannot meet any source pixel.
  if (std::llabs(dx) > kFarShift || std::llabs(dy) > kFarShift) return;
  Source shifted = source;
  shifted.dx = static_cast<int>(dx);
  shifted.dy = static_cast<int>(dy);
  Region readable(source.view.Bounds());
  readable.Offset(-shifted.dx, -shifted.dy);
  area.Intersect(readable);
  if (area.IsEmpty()) return;
  Paint(destination, view, area, rop, pattern, shifted);
}

// HALFTONE converts monochrome and colour before averaging, so that a
// monochrome picture shrinks into shades between the two colours; the other
// modes fold or pick the source's own pixels and convert afterwards, so that
// BLACKONWHITE keeps a monochrome picture's black bits.
void StretchArea(const Canvas& destination, const PixelView& view, Region area,
                 const StretchGeometry& geometry, const Source& source, int stretch_mode,
                 uint8_t rop, const Pattern& pattern) {
  const auto [left, right] = geometry.x.Reachable(source.view.width);
  const auto [top, bottom] = geometry.y.Reachable(source.view.height);
  area.Intersect(ClampedRect(left, top, right, bottom));
  if (area.IsEmpty()) return;
  const RECT bounds = area.Bounds();
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  const StretchFilter filter = FilterOfMode(stretch_mode);
  Source read = source;
  Source scaled = source;
  if (filter == StretchFilter::kAverage) {
    scaled.conversion = Source::Conversion::kNone;
  } else {
    read.conversion = Source::Conversion::kNone;
  }
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  ScalePixels(geometry, filter, read, bounds, pixels.data());
  if (view.format == PixelFormat::kMono && filter == StretchFilter::kAverage) {
    for (uint32_t& pixel : pixels) pixel = NearestMonoPixel(pixel);
  }
  scaled.view = PixelView{reinterpret_cast<uint8_t*>(pixels.data()), ptrdiff_t{width} * 4, width,
                          height, PixelFormat::kXrgb32};
  scaled.dx = -bounds.left;
  scaled.dy = -bounds.top;
  Paint(destination, view, area, rop, pattern, scaled);
}

}  // namespace

DeviceSpan ToDeviceSpan(const Mapping& mapping, const BlitRect& logical) {
  const POINT corner =
      ToDevice(mapping, POINT{ClampCoordinate(logical.x), ClampCoordinate(logical.y)});
  const POINT opposite =
      ToDevice(mapping, POINT{ClampCoordinate(int64_t{logical.x} + logical.width),
                              ClampCoordinate(int64_t{logical.y} + logical.height)});
  const int64_t x = ClampCoordinate(corner.x);
  const int64_t y = ClampCoordinate(corner.y);
  return DeviceSpan{x, y, ClampCoordinate(opposite.x) - x, ClampCoordinate(opposite.y) - y};
}

StretchGeometry GeometryBetween(const DeviceSpan& destination, const DeviceSpan& source) {
  return StretchGeometry{AxisBetween(destination.x, destination.width, source.x, source.width),
                         AxisBetween(destination.y, destination.height, source.y, source.height)};
}

PixelLocks::PixelLocks(const Canvas& destination, const Canvas* source)
    : destination_(destination.mutex(), std::defer_lock) {
  if (!source || &source->mutex() == &destination.mutex()) {
    destination_.lock();
    return;
  }
  source_ = std::unique_lock<std::mutex>(source->mutex(), std::defer_lock);
  std::lock(destination_, source_);
}

Source SourceFromDc(const DrawSnapshot& destination, const DrawSnapshot& source) {
  Source result;
  result.view = source.canvas.View();
  result.conversion = ConversionBetween(destination.canvas, source.canvas);
  result.mono_black = PixelFromColor(destination.text_color & 0x00FFFFFF);
  result.mono_white = PixelFromColor(destination.bk_color & 0x00FFFFFF);
  result.color_background = PixelFromColor(source.bk_color & 0x00FFFFFF);
  return result;
}

void DrawBlit(const Canvas& destination, const StretchGeometry& geometry, const Source& source,
              int stretch_mode, uint8_t rop, const Pattern& pattern) {
  const PixelView view = destination.View();
  Region area(AreaOf(geometry));
  area.Intersect(destination.clip);
  area.Intersect(view.Bounds());
  if (area.IsEmpty()) return;
  if (geometry.Unstretched()) {
    CopyArea(destination, view, std::move(area), geometry, source, rop, pattern);
  } else {
    StretchArea(destination, view, std::move(area), geometry, source, stretch_mode, rop, pattern);
  }
}

BOOL BlitBetweenDcs(HDC destination, const BlitRect& to, HDC source, const BlitRect& from,
                    DWORD rop) {
  const uint8_t index = Rop3Index(rop);
  if (!Rop3UsesSource(index)) return ::PatBlt(destination, to.x, to.y, to.width, to.height, rop);
  auto dst = Snapshot(destination);
  if (!dst) return FALSE;
  auto src = Snapshot(source);
  if (!src) return FALSE;
  Pattern pattern;
  if (Rop3UsesPattern(index)) {
    auto brush_pattern = PatternFor(dst->brush.get(), *dst);
    if (!brush_pattern) return TRUE;
    pattern = *brush_pattern;
  }
  const DeviceSpan to_pixels = ToDeviceSpan(dst->mapping, to).Offset(dst->canvas.origin);
  const DeviceSpan from_pixels = ToDeviceSpan(src->mapping, from).Offset(src->canvas.origin);
  if (to_pixels.IsEmpty() || from_pixels.IsEmpty()) return TRUE;
  const StretchGeometry geometry = GeometryBetween(to_pixels, from_pixels);
  return WithoutThrowing([&] {
    PixelLocks locks(dst->canvas, &src->canvas);
    DrawBlit(dst->canvas, geometry, SourceFromDc(*dst, *src), dst->stretch_mode, index, pattern);
  });
}

}  // namespace platform::gdi
