#include "platform/gdi/glyph_paint.h"

namespace platform::gdi {

namespace {

struct PaintTarget {
  const PixelView& view;
  const TextSpace& space;
  POINT origin;  // device (0, 0) in pixel coordinates
  uint32_t pixel;
  bool monochrome;
};

uint8_t CoverageAt(const PlacedGlyph& placed, POINT text) {
  const int x = text.x - placed.top_left.x;
  const int y = text.y - placed.top_left.y;
  const Glyph& glyph = *placed.glyph;
  if (x < 0 || y < 0 || x >= glyph.width || y >= glyph.height) return 0;
  return glyph.At(x, y);
}

// One rectangle of pixel coordinates, inside the view and the clip.
void PaintRect(const PaintTarget& target, const PlacedGlyph& placed, const RECT& rect,
               std::vector<uint32_t>& row) {
  const int count = rect.right - rect.left;
  row.resize(static_cast<size_t>(count));
  for (int y = rect.top; y < rect.bottom; ++y) {
    ReadSpan(target.view, rect.left, y, count, row.data());
    for (int i = 0; i < count; ++i) {
      const POINT device{rect.left + i - target.origin.x, y - target.origin.y};
      const uint8_t alpha = CoverageAt(placed, target.space.ToText(device));
      if (target.monochrome) {
        if (alpha >= 128) row[static_cast<size_t>(i)] = target.pixel;
      } else if (alpha != 0) {
        row[static_cast<size_t>(i)] = BlendPixel(row[static_cast<size_t>(i)], target.pixel, alpha);
      }
    }
    WriteSpan(target.view, rect.left, y, count, row.data());
  }
}

}  // namespace

uint32_t BlendPixel(uint32_t under, uint32_t over, uint8_t alpha) {
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t a = (under >> shift) & 0xFF;
    const uint32_t b = (over >> shift) & 0xFF;
    const uint32_t mixed = (b * alpha + a * (255u - alpha) + 127u) / 255u;
    result |= mixed << shift;
  }
  return result;
}

void PaintGlyphs(const Canvas& canvas, const Region& clip, const TextSpace& space,
                 const std::vector<PlacedGlyph>& glyphs, uint32_t pixel) {
  std::vector<RECT> touched;
  std::vector<uint32_t> row;
  std::lock_guard lock(canvas.mutex());
  const PixelView view = canvas.View();
  const PaintTarget target{view, space, canvas.origin, pixel, view.format == PixelFormat::kMono};
  for (const PlacedGlyph& placed : glyphs) {
    const Glyph& glyph = *placed.glyph;
    if (glyph.width == 0 || glyph.height == 0) continue;
    const RECT box{placed.top_left.x, placed.top_left.y, placed.top_left.x + glyph.width,
                   placed.top_left.y + glyph.height};
    Region area(space.ToDevice(box));
    area.Intersect(clip);
    area.Offset(canvas.origin.x, canvas.origin.y);
    area.Intersect(view.Bounds());
    for (const RECT& rect : area.Rects()) {
      PaintRect(target, placed, rect, row);
      touched.push_back(rect);
    }
  }
  canvas.MarkDirty(touched);
}

}  // namespace platform::gdi
