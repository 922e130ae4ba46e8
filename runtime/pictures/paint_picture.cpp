#include "runtime/pictures/paint_picture.h"

#include "runtime/pictures/drawable.h"

namespace runtime {

namespace {

// A memory DC holding one bitmap for as long as it is in scope.
class SelectedBitmap {
 public:
  SelectedBitmap(HDC compatible_with, HBITMAP bitmap)
      : dc_(CreateCompatibleDC(compatible_with)),
        previous_(dc_ ? SelectObject(dc_, bitmap) : nullptr) {}
  ~SelectedBitmap() {
    if (!dc_) return;
    if (previous_) SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  SelectedBitmap(const SelectedBitmap&) = delete;
  SelectedBitmap& operator=(const SelectedBitmap&) = delete;

  // Null when the DC could not be made or would not take the bitmap.
  HDC dc() const { return previous_ ? dc_ : nullptr; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

struct Placement {
  int32_t x, y, width, height;
};

// The mask technique: source XOR destination, then AND a mask that is white
// where the source has the transparent colour, then XOR the source again.
// Where the mask is white the two XORs cancel; elsewhere the source remains.
void PaintTransparent(const Drawable& drawable, HDC target, const Placement& at,
                      COLORREF transparent) {
  HBITMAP mask = CreateBitmap(drawable.width(), drawable.height(), 1, 1, nullptr);
  if (!mask) return;
  {
    SelectedBitmap source(target, drawable.bitmap());
    SelectedBitmap mask_dc(target, mask);
    if (source.dc() && mask_dc.dc()) {
      const COLORREF old_source_bk = SetBkColor(source.dc(), transparent);
      BitBlt(mask_dc.dc(), 0, 0, drawable.width(), drawable.height(), source.dc(), 0, 0, SRCCOPY);
      SetBkColor(source.dc(), old_source_bk);

      const COLORREF old_text = SetTextColor(target, RGB(0, 0, 0));
      const COLORREF old_bk = SetBkColor(target, RGB(255, 255, 255));
      const auto stretch = [&](HDC from, DWORD rop) {
        StretchBlt(target, at.x, at.y, at.width, at.height, from, 0, 0, drawable.width(),
                   drawable.height(), rop);
      };
      stretch(source.dc(), SRCINVERT);
      stretch(mask_dc.dc(), SRCAND);
      stretch(source.dc(), SRCINVERT);
      SetTextColor(target, old_text);
      SetBkColor(target, old_bk);
    }
  }
  DeleteObject(mask);
}

}  // namespace

int StretchModeFor(HDC target) {
  return GetDeviceCaps(target, BITSPIXEL) > 16 ? HALFTONE : COLORONCOLOR;
}

void PaintPicture(const Picture& picture, HDC target, int32_t x, int32_t y, int32_t width,
                  int32_t height, int64_t raster_op, COLORREF alpha_background) {
  std::unique_ptr<Drawable> drawable = MakeDrawable(picture, target, alpha_background);
  if (!drawable) return;
  const Placement at{x, y, width == -1 ? drawable->width() : width,
                     height == -1 ? drawable->height() : height};
  SetStretchBltMode(target, StretchModeFor(target));
  if (drawable->icon()) {
    DrawIconEx(target, at.x, at.y, drawable->icon(), at.width, at.height, 0, nullptr, DI_NORMAL);
    return;
  }
  if (raster_op < 0) {
    PaintTransparent(*drawable, target, at, static_cast<COLORREF>(-raster_op) & 0x00FFFFFF);
    return;
  }
  SelectedBitmap source(target, drawable->bitmap());
  if (!source.dc()) return;
  StretchBlt(target, at.x, at.y, at.width, at.height, source.dc(), 0, 0, drawable->width(),
             drawable->height(), static_cast<DWORD>(raster_op));
}

void PaintPictureTransparent(const Picture& picture, HDC target, int32_t x, int32_t y,
                             int32_t width, int32_t height, COLORREF transparent,
                             COLORREF alpha_background) {
  std::unique_ptr<Drawable> drawable = MakeDrawable(picture, target, alpha_background);
  if (!drawable) return;
  const Placement at{x, y, width == -1 ? drawable->width() : width,
                     height == -1 ? drawable->height() : height};
  SetStretchBltMode(target, StretchModeFor(target));
  if (drawable->icon()) {
    DrawIconEx(target, at.x, at.y, drawable->icon(), at.width, at.height, 0, nullptr, DI_NORMAL);
    return;
  }
  PaintTransparent(*drawable, target, at, transparent & 0x00FFFFFF);
}

}  // namespace runtime
