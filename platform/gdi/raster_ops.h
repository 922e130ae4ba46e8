// Ternary raster operations over pixel views.
//
// A ROP3 code's bits 16-23 are a truth table: bit (P << 2 | S << 1 | D) of
// the index is the result for pattern bit P, source bit S and destination
// bit D. The same table applies to every bit of a pixel, so the operations
// work on whole 0x00RRGGBB words.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/pixels.h"

namespace platform::gdi {

uint8_t Rop3Index(DWORD rop);
bool Rop3UsesSource(uint8_t index);
bool Rop3UsesPattern(uint8_t index);
uint32_t ApplyRop3(uint8_t index, uint32_t pattern, uint32_t source, uint32_t destination);

// What a brush lays down. Solid colours only so far; hatches and pattern
// bitmaps will make it depend on the position.
struct Pattern {
  uint32_t pixel = 0;  // already in the destination's colours (black or white when monochrome)

  void Fill(int x, int y, int count, uint32_t* out) const;
};

// Where the source pixels come from and how they turn into destination
// colours when the formats differ.
struct Source {
  enum class Conversion {
    kNone,
    kMonoToColor,  // 0 bits become `mono_black`, 1 bits `mono_white`
    kColorToMono,  // `color_background` becomes white, everything else black
  };

  PixelView view;
  int dx = 0;  // the source pixel for destination (x, y) is (x + dx, y + dy)
  int dy = 0;
  Conversion conversion = Conversion::kNone;
  uint32_t mono_black = kBlackPixel;
  uint32_t mono_white = kWhitePixel;
  uint32_t color_background = kWhitePixel;
};

// Applies the operation over `rects` (inside `destination`, and with their
// source pixels inside the source view). A source sharing memory with the
// destination is read completely before anything is written, so overlapping
// copies come out as if made through a separate buffer.
void RasterOp(const PixelView& destination, const std::vector<RECT>& rects, uint8_t rop,
              const Pattern& pattern, const Source* source);

}  // namespace platform::gdi
