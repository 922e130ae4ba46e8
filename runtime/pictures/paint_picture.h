// Drawing a picture object onto a DC: background pictures of units, the
// picture box and the drawing panel's DrawPicture all come through here.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "runtime/pictures/picture.h"

namespace runtime {

// Draws `picture` at (x, y) stretched to width x height (-1 keeps the
// picture's own width or height).
// `raster_op` >= 0 is the ROP3 code of the stretch; a negative value -c draws
// the picture with colour c (0x00BBGGRR) transparent instead: pixels of that
// colour leave the target as it was. Pictures with alpha are blended with
// `alpha_background` first. A picture that cannot be drawn draws nothing.
void PaintPicture(const Picture& picture, HDC target, int32_t x, int32_t y, int32_t width,
                  int32_t height, int64_t raster_op, COLORREF alpha_background);

// As PaintPicture with a transparent colour, for any colour: black included,
// which the negative raster operation cannot name (-0 is the ROP3 code 0).
void PaintPictureTransparent(const Picture& picture, HDC target, int32_t x, int32_t y,
                             int32_t width, int32_t height, COLORREF transparent,
                             COLORREF alpha_background);

// What stretching on `target` smooths with: HALFTONE on displays of more than
// 16 bits per pixel, COLORONCOLOR on the others.
int StretchModeFor(HDC target);

}  // namespace runtime
