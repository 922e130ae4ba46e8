// Ternary raster operations over pixel views.
//
// A ROP3 code's bits 16-23 are a truth table: bit (P << 2 | S << 1 | D) of
// the index is the result for pattern bit P, source bit S and destination
// bit D. The same table applies to every bit of a pixel, so the operations
// work on whole 0x00RRGGBB words.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gdi/pixels.h"

namespace platform::gdi {

uint8_t Rop3Index(DWORD rop);
bool Rop3UsesSource(uint8_t index);
bool Rop3UsesPattern(uint8_t index);
uint32_t ApplyRop3(uint8_t index, uint32_t pattern, uint32_t source, uint32_t destination);

// An 8 x 8 brush picture (hatches, pattern brushes), row by row.
struct PatternTile {
  std::array<uint32_t, 64> pixels{};  // in the destination's colours
  // Bit (y * 8 + x) set where the brush lays nothing down (a hatch's
  // background in the TRANSPARENT background mode): the destination stays.
  uint64_t gaps = 0;
};

// What a brush lays down: one colour, or a tile repeated from `origin`.
struct Pattern {
  Pattern() = default;
  explicit Pattern(uint32_t solid) : pixel(solid) {}

  uint32_t pixel = 0;  // already in the destination's colours (black or white when monochrome)
  std::optional<PatternTile> tile;  // replaces `pixel` when present
  POINT origin{0, 0};  // the pixel the tile's top-left corner sits on, and every 8th from it

  void Fill(int x, int y, int count, uint32_t* out) const;
  bool HasGaps() const { return tile && tile->gaps != 0; }
  // Puts `before` back into `out` wherever the tile has a gap.
  void KeepGaps(int x, int y, int count, const uint32_t* before, uint32_t* out) const;
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

// Reads `count` source pixels for destination pixels (x, y) onwards, with
// the source's colour conversion applied.
void ReadSource(const Source& source, int x, int y, int count, uint32_t* out);

// Applies the operation over `rects` (inside `destination`, and with their
// source pixels inside the source view). A source sharing memory with the
// destination is read completely before anything is written, so overlapping
// copies come out as if made through a separate buffer.
void RasterOp(const PixelView& destination, const std::vector<RECT>& rects, uint8_t rop,
              const Pattern& pattern, const Source* source);

}  // namespace platform::gdi
