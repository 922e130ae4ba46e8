#include "platform/display/sdl_present.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/display/display.h"

namespace platform::sdl {

namespace {

// Copies the dirty rectangles that both the surface and the framebuffer
// hold; answers them.
std::vector<SDL_Rect> CopyDirty(const gdi::Surface& surface, gdi::Region dirty,
                                SDL_Surface* target) {
  std::lock_guard lock(surface.mutex());
  dirty.Intersect(
      RECT{0, 0, std::min(surface.width(), target->w), std::min(surface.height(), target->h)});
  std::vector<SDL_Rect> rects;
  auto* pixels = static_cast<uint8_t*>(target->pixels);
  const int bytes_per_pixel = target->format->BytesPerPixel;
  for (const RECT& r : dirty.Rects()) {
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    uint8_t* to = pixels + static_cast<ptrdiff_t>(r.top) * target->pitch + r.left * bytes_per_pixel;
    // 0x00RRGGBB words are SDL's RGB888 (XRGB8888); the framebuffer may be any format.
    SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, surface.Row(r.top) + r.left,
                      surface.width() * 4, target->format->format, to, target->pitch);
    rects.push_back(SDL_Rect{r.left, r.top, width, height});
  }
  return rects;
}

void FillOutsideShape(const gdi::Region& shape, gdi::Region area, SDL_Surface* target) {
  area.Subtract(shape);
  const Uint32 fill = SDL_MapRGB(target->format, (kOutsideShapePixel >> 16) & 0xFF,
                                 (kOutsideShapePixel >> 8) & 0xFF, kOutsideShapePixel & 0xFF);
  for (const RECT& r : area.Rects()) {
    SDL_Rect rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
    SDL_FillRect(target, &rect, fill);
  }
}

}  // namespace

void PresentSurface(SDL_Window* window, const user::Window& w) {
  gdi::Region dirty = w.surface->TakeDirty();
  if (dirty.IsEmpty()) return;
  SDL_Surface* target = SDL_GetWindowSurface(window);
  if (target == nullptr) return;
  const bool must_lock = SDL_MUSTLOCK(target);
  if (must_lock && SDL_LockSurface(target) != 0) return;
  std::vector<SDL_Rect> rects = CopyDirty(*w.surface, dirty, target);
  if (must_lock) SDL_UnlockSurface(target);
  if (w.has_window_region) FillOutsideShape(w.window_region, dirty, target);
  if (!rects.empty() &&
      SDL_UpdateWindowSurfaceRects(window, rects.data(), static_cast<int>(rects.size())) == 0) {
    NoteFramePresented();
  }
}

}  // namespace platform::sdl
