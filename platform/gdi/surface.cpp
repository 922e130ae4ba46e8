#include "platform/gdi/surface.h"

#include <algorithm>
#include <utility>

namespace platform::gdi {

namespace {
int NonNegative(int value) { return std::max(value, 0); }
}  // namespace

Surface::Surface(int width, int height, uint32_t fill)
    : width_(NonNegative(width)),
      height_(NonNegative(height)),
      pixels_(static_cast<size_t>(width_) * height_, fill & 0x00FFFFFF) {}

void Surface::MarkDirty(const RECT& rect) {
  RECT clipped{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0),
               std::min<LONG>(rect.right, width_), std::min<LONG>(rect.bottom, height_)};
  dirty_.Union(clipped);
}

void Surface::MarkAllDirty() { dirty_.Set(RECT{0, 0, width_, height_}); }

Region Surface::TakeDirty() {
  std::lock_guard lock(mutex_);
  Region taken = std::move(dirty_);
  dirty_.Clear();
  return taken;
}

uint32_t Surface::PixelAt(int x, int y) const {
  std::lock_guard lock(mutex_);
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return Row(y)[x];
}

void Surface::Resize(int width, int height, uint32_t fill) {
  width = NonNegative(width);
  height = NonNegative(height);
  std::lock_guard lock(mutex_);
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, fill & 0x00FFFFFF);
  const int keep_width = std::min(width, width_);
  const int keep_height = std::min(height, height_);
  for (int y = 0; y < keep_height; ++y) {
    std::copy_n(Row(y), keep_width, pixels.data() + static_cast<size_t>(y) * width);
  }
  pixels_ = std::move(pixels);
  width_ = width;
  height_ = height;
  MarkAllDirty();
}

POINT Surface::ScreenPosition() const {
  std::lock_guard lock(mutex_);
  return screen_position_;
}

void Surface::SetScreenPosition(POINT position) {
  std::lock_guard lock(mutex_);
  screen_position_ = position;
}

}  // namespace platform::gdi
