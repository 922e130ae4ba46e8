// A 32-bit pixel surface: what a top-level window, a popup or a bitmap draws
// into. Pixels are 0x00RRGGBB words (the bytes B, G, R, X of a 32-bit DIB),
// rows top-down, no padding.
//
// A surface may be drawn on from more than one thread (a unit's animation
// thread paints through a window DC), so every access goes through Lock().
// Drawing records what changed in the dirty region, which the display takes
// when it presents.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/gdi/region.h"
#include "platform/win32/base_types.h"

namespace platform::gdi {

class Surface {
 public:
  Surface(int width, int height, uint32_t fill = 0x00FFFFFF);

  int width() const { return width_; }
  int height() const { return height_; }
  std::mutex& mutex() const { return mutex_; }

  // Callers hold mutex().
  uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const uint32_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  uint32_t* Pixels() { return pixels_.data(); }
  void MarkDirty(const RECT& rect);  // clipped to the surface
  void MarkAllDirty();

  // Takes the lock itself.
  Region TakeDirty();
  uint32_t PixelAt(int x, int y) const;  // 0 outside
  // New size; the overlapping top-left part keeps its pixels, new parts are
  // filled; everything is dirty.
  void Resize(int width, int height, uint32_t fill = 0x00FFFFFF);
  // Where the top-left pixel sits on the screen, kept current by whoever
  // moves the window; GetDCOrgEx answers from it.
  POINT ScreenPosition() const;
  void SetScreenPosition(POINT position);

 private:
  mutable std::mutex mutex_;
  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
  Region dirty_;
  POINT screen_position_{0, 0};
};

// COLORREF (0x00BBGGRR) to a surface pixel (0x00RRGGBB) and back.
constexpr uint32_t PixelFromColor(COLORREF color) {
  return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}
constexpr COLORREF ColorFromPixel(uint32_t pixel) {
  return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

}  // namespace platform::gdi
