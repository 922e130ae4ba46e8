// Colour gradients of the label: its background (eight directions) and the
// bands of its frame.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32.h"

namespace runtime::units::label {

// Directions of GradientMode: 1 top to bottom, 2 left to right, 3 from the
// top-left corner, 4 from the top-right, 5 bottom to top, 6 right to left,
// 7 from the bottom-right, 8 from the bottom-left.
inline constexpr int32_t kLastGradientMode = 8;

// The usable stops of up to three colours: the system colour marker means
// no colour. A gradient needs at least two.
std::vector<COLORREF> GradientStops(std::initializer_list<uint32_t> colours);

// The colour at position `p` of a span `length` long through `stops`.
COLORREF GradientColour(const std::vector<COLORREF>& stops, int32_t p, int32_t length);

// The colour of pixel (x, y) of a width x height area in `mode`.
COLORREF GradientPixel(const std::vector<COLORREF>& stops, int32_t mode, int32_t x, int32_t y,
                       int32_t width, int32_t height);

// Fills `rect` of `dc` with the gradient in tiles of at most 50 x 50 pixels.
// Nothing is drawn with fewer than two stops or mode 0.
void FillGradient(HDC dc, const RECT& rect, int32_t mode, const std::vector<COLORREF>& stops);

}  // namespace runtime::units::label
