// The pixels pens cover. Coordinates are device coordinates; `limit` is the
// part of the device output can reach, so a line running far outside the
// pixels costs only what it draws.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/gdi/region.h"
#include "platform/win32.h"

namespace platform::gdi {

// A pen's dashes: lengths in pixels, on and off by turns, starting with a
// dash and repeating. No lengths: the pen is solid.
struct DashPattern {
  std::array<uint8_t, 6> lengths{};
  int count = 0;

  bool solid() const { return count == 0; }
  // Whether the pixel `position` pixels along the pattern is in a dash.
  bool IsDash(int64_t position) const;
};

// How a pen draws on the device: its width in pixels and its dashes (only
// one-pixel pens have any).
struct Stroke {
  bool draws = true;  // false for PS_NULL
  int width = 1;
  DashPattern dashes;
  bool inside_frame = false;  // PS_INSIDEFRAME: outlines of boxes stay inside them
};

// What a pen covers: the pixels in its colour, and the gaps between its
// dashes, which the background colour fills in the OPAQUE background mode.
struct PenCoverage {
  Region drawn;
  Region gaps;

  // Every pixel the pen stands on, dash or gap.
  Region Footprint() const;
};

// A cosmetic (one pixel) line from `a` towards `b`, without `b` itself: one
// pixel per step along the major axis, the minor coordinate rounded from the
// ideal line, a tie going to the smaller coordinate.
void AddThinLine(POINT a, POINT b, const RECT& limit, std::vector<RECT>& out);

// A line `width` pixels wide with round ends: every pixel within width / 2
// of the segment. Pixel (x, y) is sampled at its own coordinates for odd
// widths; for even widths the line runs half a pixel up and left, so that it
// covers exactly `width` rows or columns.
void AddWideLine(POINT a, POINT b, int width, const RECT& limit, std::vector<RECT>& out);

// What `stroke` covers along the path through `points` (closed: back to the
// first point too). Wide pens join segments round; thin ones leave out only
// the path's last point, and a closed thin path leaves out nothing. Dashes
// start with the first point and run on from segment to segment.
PenCoverage PenPath(const Stroke& stroke, const std::vector<POINT>& points, bool closed,
                    const RECT& limit);

// Splits a one-pixel ring around (cx, cy), such as an ellipse's outline,
// into dashes and gaps, walking it counter-clockwise from its rightmost
// point; rx and ry are the ring's radii, so that the walk goes round a
// flat ellipse evenly.
PenCoverage DashRing(const Region& ring, double cx, double cy, double rx, double ry,
                     const DashPattern& dashes);

}  // namespace platform::gdi
