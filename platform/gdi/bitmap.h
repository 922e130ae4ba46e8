// Bitmaps: device-dependent ones (CreateBitmap, CreateCompatibleBitmap) and
// DIB sections. Both keep their pixels in one block that never moves, so a
// DIB section's bits pointer stays good for the bitmap's whole life.
#pragma once

#include <memory>
#include <mutex>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/pixels.h"

namespace platform::gdi {

struct BitmapFormat {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 32;  // 1, 24 or 32
  bool dib = false;         // a DIB section: rows padded to 4 bytes instead of 2
  bool top_down = true;     // DIB sections may store their bottom row first
};

class Bitmap final : public GdiObject {
 public:
  // Pixels start zeroed (black). Null when the size is out of range or the
  // memory cannot be had; the reason is left in the last error.
  static std::shared_ptr<Bitmap> Create(const BitmapFormat& format);

  const BitmapFormat& format() const { return format_; }
  int width() const { return format_.width; }
  int height() const { return format_.height; }
  bool monochrome() const { return format_.bits_per_pixel == 1; }
  int stride() const { return stride_; }   // bytes per row, bmWidthBytes
  uint8_t* bits() { return bits_.get(); }  // the rows in storage order

  // Held while reading or writing the pixels.
  std::mutex& mutex() const { return mutex_; }
  PixelView View();

  // The DC that has it selected; meaningful while holds() > 0. Changed only
  // under SelectionMutex().
  const void* owner = nullptr;

  BITMAP Describe();
  DIBSECTION DescribeDib();

 private:
  Bitmap(const BitmapFormat& format, int stride, std::unique_ptr<uint8_t[]> bits);

  const BitmapFormat format_;
  const int stride_;
  std::unique_ptr<uint8_t[]> bits_;
  mutable std::mutex mutex_;
};

// The format of a bitmap compatible with `hdc` (width and height left
// alone): the bitmap a memory DC holds, 32-bit colour for a window DC or
// the screen (null). False with ERROR_INVALID_HANDLE for a bad handle.
bool CompatibleFormat(HDC hdc, BitmapFormat* format);

// Puts a new bitmap in the handle table; null stays null.
HBITMAP PublishBitmap(const std::shared_ptr<Bitmap>& bitmap);

}  // namespace platform::gdi
