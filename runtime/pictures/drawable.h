// Drawables: a picture object turned into something a DC can draw, for one
// drawing call. Decoded pixels stay in the layout each decoder made (bottom-up
// BGR for JPEG and BMP, DIB records for GIF and PCX, monochrome rows, BGRA
// for PNG), so making a drawable costs a row-padding copy at most.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/win32.h"
#include "runtime/pictures/picture.h"

namespace runtime {

class Drawable {
 public:
  // Takes over `bitmap`; `icon` stays the picture's.
  Drawable(HBITMAP bitmap, HICON icon, int32_t width, int32_t height)
      : bitmap_(bitmap), icon_(icon), width_(width), height_(height) {}
  ~Drawable();
  Drawable(const Drawable&) = delete;
  Drawable& operator=(const Drawable&) = delete;

  HBITMAP bitmap() const { return bitmap_; }  // null for icons and cursors
  HICON icon() const { return icon_; }        // null for bitmaps
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }

 private:
  HBITMAP bitmap_;
  HICON icon_;
  int32_t width_;
  int32_t height_;
};

// The drawable of `picture` for drawing on `target`, or null when the picture
// has nothing to draw or the platform refuses the bitmap. PNG pixels that are
// not opaque are blended with `alpha_background` first.
std::unique_ptr<Drawable> MakeDrawable(const Picture& picture, HDC target,
                                       COLORREF alpha_background);

// One PNG pixel channel blended with the background channel by the pixel's
// alpha, rounded down: the exact value of
// channel * alpha / 255 + background * (255 - alpha) / 255.
inline uint8_t BlendChannel(uint8_t channel, uint8_t background, uint8_t alpha) {
  return static_cast<uint8_t>((channel * alpha + background * (255 - alpha)) / 255);
}

}  // namespace runtime
