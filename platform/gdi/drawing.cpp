#include "platform/gdi/drawing.h"

#include <utility>

#include "platform/gdi/rop2.h"
#include "platform/gdi/stock_objects.h"
#include "platform/gdi/system_colors.h"

namespace platform::gdi {

namespace {

// The hatch bitmaps, most significant bit on the left. Lines sit on the 8 x 8
// grid fixed to the device origin: horizontal lines on rows 4, 12, 20, ...,
// vertical ones on columns 4, 12, ..., the two crosses where those meet, and
// the diagonals through the grid's corners: HS_FDIAGONAL runs down to the
// right ("\", x == y on the tile), HS_BDIAGONAL up to the right ("/",
// x + y == 7).
constexpr std::array<std::array<uint8_t, 8>, 6> kHatches{{
    {0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00},  // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
}};

PatternTile HatchTile(const Brush& brush, const DrawSnapshot& dc) {
  const std::array<uint8_t, 8> rows = HatchRows(brush.hatch());
  const uint32_t line = CanvasPixel(dc.canvas, brush.color());
  const uint32_t background = CanvasPixel(dc.canvas, dc.bk_color);
  const bool transparent = dc.bk_mode == TRANSPARENT;
  PatternTile tile;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const int index = y * 8 + x;
      const bool on_line = (rows[y] >> (7 - x)) & 1;
      tile.pixels[index] = on_line ? line : background;
      if (!on_line && transparent) tile.gaps |= uint64_t{1} << index;
    }
  }
  return tile;
}

PatternTile BitmapTile(const BrushPattern& pattern, const DrawSnapshot& dc) {
  const uint32_t zero = CanvasPixel(dc.canvas, dc.text_color);
  const uint32_t one = CanvasPixel(dc.canvas, dc.bk_color);
  PatternTile tile;
  for (size_t i = 0; i < tile.pixels.size(); ++i) {
    const uint32_t pixel = pattern.pixels[i];
    if (pattern.monochrome) {
      tile.pixels[i] = pixel == kBlackPixel ? zero : one;
    } else {
      tile.pixels[i] = dc.canvas.monochrome() ? NearestMonoPixel(pixel) : pixel;
    }
  }
  return tile;
}

}  // namespace

uint32_t CanvasPixel(const Canvas& canvas, COLORREF color) {
  const uint32_t pixel = PixelFromColor(color & 0x00FFFFFF);
  return canvas.monochrome() ? NearestMonoPixel(pixel) : pixel;
}

bool IsHatchStyle(int style) { return style >= HS_HORIZONTAL && style <= HS_DIAGCROSS; }

std::array<uint8_t, 8> HatchRows(int style) {
  if (!IsHatchStyle(style)) return {};
  return kHatches[static_cast<size_t>(style)];
}

std::optional<Pattern> PatternFor(const Brush* brush, const DrawSnapshot& dc) {
  if (!brush || !brush->paints()) return std::nullopt;
  Pattern pattern{CanvasPixel(dc.canvas, brush->color())};
  pattern.origin = dc.canvas.origin;
  if (brush->hatched()) {
    pattern.tile = HatchTile(*brush, dc);
  } else if (brush->pattern()) {
    pattern.tile = BitmapTile(*brush->pattern(), dc);
  }
  return pattern;
}

std::shared_ptr<Brush> BrushFromHandle(HBRUSH brush) {
  const auto value = reinterpret_cast<uintptr_t>(brush);
  if (value >= 1 && value <= static_cast<uintptr_t>(kSystemColorCount)) {
    auto system = SystemColorBrush(static_cast<int>(value) - 1);
    if (!system) ::SetLastError(ERROR_INVALID_HANDLE);
    return system;
  }
  return FindOrFail<Brush>(brush);
}

void PaintArea(const Canvas& canvas, Region area, uint8_t rop, const Pattern& pattern) {
  area.Offset(canvas.origin.x, canvas.origin.y);
  area.Intersect(canvas.clip);
  if (area.IsEmpty()) return;
  std::lock_guard lock(canvas.mutex());
  const PixelView view = canvas.View();
  area.Intersect(view.Bounds());
  const std::vector<RECT> rects = area.Rects();
  RasterOp(view, rects, rop, pattern, nullptr);
  canvas.MarkDirty(rects);
}

void FillInside(const DrawSnapshot& dc, const Region& inside) {
  if (inside.IsEmpty()) return;
  if (auto pattern = PatternFor(dc.brush.get(), dc)) {
    PaintArea(dc.canvas, inside, Rop3FromRop2(dc.rop2), *pattern);
  }
}

}  // namespace platform::gdi
