#include "platform/gdi/drawing.h"

#include <utility>

#include "platform/gdi/stock_objects.h"
#include "platform/gdi/system_colors.h"

namespace platform::gdi {

uint32_t CanvasPixel(const Canvas& canvas, COLORREF color) {
  const uint32_t pixel = PixelFromColor(color & 0x00FFFFFF);
  return canvas.monochrome() ? NearestMonoPixel(pixel) : pixel;
}

std::optional<Pattern> PatternFor(const Brush* brush, const Canvas& canvas) {
  if (!brush || !brush->paints()) return std::nullopt;
  return Pattern{CanvasPixel(canvas, brush->color())};
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

}  // namespace platform::gdi
