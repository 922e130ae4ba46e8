// Laying glyph coverage onto a canvas in the text colour: grey levels blend
// with what is there, and a monochrome canvas takes the text colour where a
// glyph covers at least half the pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/device_context.h"
#include "platform/gdi/glyph.h"
#include "platform/gdi/text_space.h"

namespace platform::gdi {

struct PlacedGlyph {
  const Glyph* glyph = nullptr;
  POINT top_left{0, 0};  // text space: where the glyph's first row and column go
};

// `clip` is in device coordinates and already inside the canvas's clip.
// `pixel` is the text colour as the canvas stores it. Takes the pixels' lock
// and marks what it touched dirty.
void PaintGlyphs(const Canvas& canvas, const Region& clip, const TextSpace& space,
                 const std::vector<PlacedGlyph>& glyphs, uint32_t pixel);

// `over` blended onto `under` by `alpha` (0 to 255), channel by channel.
uint32_t BlendPixel(uint32_t under, uint32_t over, uint8_t alpha);

}  // namespace platform::gdi
