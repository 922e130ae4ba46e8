// The panel-picture encoder: the pixels of a bitmap as a 24-bit BMP file,
// what GetPicture hands the application and what the editor saves.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32.h"

namespace runtime {

// The size a requested width or height gives for a bitmap side of `actual`
// pixels: 0 keeps the side, a negative value -p asks for p percent of it (at
// least 10 %, rounded to the nearest pixel). May be 0 or less: no picture.
int64_t RequestedSide(int32_t requested, int32_t actual);

// The BMP file of `bitmap`'s pixels at the requested size (see
// RequestedSide), stretched when that differs from the bitmap's own. Empty
// when there is no bitmap, a side comes out as 0 or less, memory runs out or
// the platform refuses the pixels.
std::vector<uint8_t> EncodePanelPicture(HBITMAP bitmap, int32_t width, int32_t height);

}  // namespace runtime
