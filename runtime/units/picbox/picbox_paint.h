// Painting the picture box: the background, then the still picture or the
// animation canvas placed by the display mode.
#pragma once

#include "platform/win32.h"
#include "runtime/units/picbox/picbox_unit.h"

namespace runtime::units::picbox {

// Paints the whole client area into `dc` (a paint DC, or one another window
// hands over). The first paint after a GIF was given to the animation
// engine starts its thread instead of copying the canvas.
void PaintPicBox(PicBoxUnit& unit, HDC dc);

// Tells the animation engine, if any, the current display mode and client
// size.
void UpdateAnimationView(PicBoxUnit& unit);

}  // namespace runtime::units::picbox
