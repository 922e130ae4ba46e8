// A GIF's images composed one after another on a canvas, as a viewer shows
// them: the block walk goes on where the last image ended and starts again
// after the trailer, so the animation repeats forever.
//
// Not thread-safe: the animation engine calls it only while it holds the
// canvas (its busy flag).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win32.h"
#include "runtime/pictures/gif.h"

namespace runtime::units::picbox {

// How long a frame whose delay is 0 (or that has no graphic control) stays.
inline constexpr DWORD kDefaultFrameDelayMs = 50;

// Disposal bits (flags AND 0x1C) that restore the area under a frame before
// the next one: "restore to background" is treated as "restore previous".
inline constexpr uint8_t kDisposeToBackground = 8;
inline constexpr uint8_t kDisposeToPrevious = 12;

class GifFrames {
 public:
  GifFrames() = default;
  ~GifFrames();
  GifFrames(const GifFrames&) = delete;
  GifFrames& operator=(const GifFrames&) = delete;

  // Takes a copy of `gif`. False when it has no screen descriptor, no first
  // image or a logical screen of no pixels.
  bool Load(Bytes gif);

  int32_t width() const { return screen_.width; }  // the logical screen
  int32_t height() const { return screen_.height; }

  // The walk starts again at the first block after the header.
  void Rewind();

  // Undoes the previous frame when its disposal asks for it, then draws the
  // next image onto `canvas` (a DC holding a bitmap of the logical screen)
  // at its left/top, saving what it covers first when its own disposal asks
  // for that. Transparent pixels leave the canvas as it was. Returns how
  // long the frame stays, in milliseconds. A GIF whose walk finds no image
  // even from the start, or an image that does not decode, draws nothing.
  DWORD ComposeNext(HDC canvas, COLORREF background);

 private:
  struct Frame {
    GifImageDescriptor image;
    GifGraphicControl control;
  };
  bool NextFrame(Frame* frame);
  void DrawFrame(HDC canvas, const Frame& frame, COLORREF background);
  bool SaveArea(HDC canvas, const GifImageDescriptor& image);
  void RestoreArea(HDC canvas);
  void ReleaseSaved();

  std::vector<uint8_t> bytes_;  // the whole GIF
  GifScreen screen_{};          // refers into bytes_
  size_t position_ = 0;         // where the walk goes on

  // The area under the last frame, kept while its disposal restores it.
  HDC saved_dc_ = nullptr;
  HBITMAP saved_bitmap_ = nullptr;
  HGDIOBJ saved_previous_ = nullptr;  // what saved_dc_ held before
  int32_t saved_width_ = 0, saved_height_ = 0;
  bool restore_pending_ = false;
  POINT restore_at_{0, 0};
};

}  // namespace runtime::units::picbox
