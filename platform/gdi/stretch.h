// Scaling pixels for StretchBlt and StretchDIBits: which source pixels each
// destination pixel takes, and how each stretch mode combines them.
//
// Everything here is in pixel coordinates of the two pixel views. The
// caller decides which destination pixels to produce; the scaler reads the
// source (with its colour conversion) and writes plain 0x00RRGGBB words,
// which the raster operation then combines with pattern and destination.
#pragma once

#include <cstdint>
#include <utility>

#include "platform/gdi/raster_ops.h"

namespace platform::gdi {

// One axis of a stretch. The destination run [dst_start, dst_start +
// dst_length) shows the source run [src_start, src_start + src_length),
// turned end for end when `mirrored`. Lengths are positive.
struct StretchAxis {
  int64_t dst_start = 0;
  int64_t dst_length = 1;
  int64_t src_start = 0;
  int64_t src_length = 1;
  bool mirrored = false;

  // The source pixel whose centre is nearest the centre of destination
  // pixel `dst`: floor((i + 0.5) * src_length / dst_length) along the run.
  int64_t NearestSource(int64_t dst) const;
  // The destination pixels whose nearest source pixel lies in
  // [0, source_size): [first, second), empty when first >= second.
  std::pair<int64_t, int64_t> Reachable(int64_t source_size) const;
};

struct StretchGeometry {
  StretchAxis x;
  StretchAxis y;

  // Same sizes and no mirroring: a plain copy.
  bool Unstretched() const;
};

enum class StretchFilter {
  kNearest,  // COLORONCOLOR: the nearest source pixel
  kAnd,      // BLACKONWHITE: AND of the source pixels that fall together
  kOr,       // WHITEONBLACK: OR of them
  kAverage,  // HALFTONE: box average when shrinking, repeated pixels when enlarging
};

// Unknown modes behave as BLACKONWHITE, the default.
StretchFilter FilterOfMode(int stretch_mode);

// Writes the scaled pixels for the destination pixels in `area` into `out`,
// row by row, (area.right - area.left) words a row. Every pixel of `area`
// must be reachable on both axes for the source view's size. The source is
// read through ReadSource with its dx and dy at zero, conversion included.
// May throw std::bad_alloc.
void ScalePixels(const StretchGeometry& geometry, StretchFilter filter, const Source& source,
                 const RECT& area, uint32_t* out);

}  // namespace platform::gdi
