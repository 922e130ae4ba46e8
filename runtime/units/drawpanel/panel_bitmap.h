// What a panel shows beneath its drawings: the background colour, or the
// background picture in one of three modes, and the off-screen bitmap that
// keeps the drawings while AutoRedraw is on.
#pragma once

#include "platform/win32.h"
#include "runtime/units/drawpanel/panel.h"

namespace runtime::units::drawpanel {

// BackPicture decoded, cached until BackPicture changes. Bytes that do not
// decode are emptied, so they are tried once; null then and for no bytes.
Picture* BackgroundPicture(Panel& panel);
void DropBackgroundPicture(Panel& panel);

// Paints `area` of `dc` (device pixels, MM_TEXT) as the background of a
// client rectangle `client`: the picture by BackPictureMode with the rest
// in the resolved BackColor, or BackColor alone. Leaves the DC unclipped.
void PaintBackground(Panel& panel, HDC dc, const RECT& area, const RECT& client);

// Whether a rebuilt bitmap starts with the old one's drawing.
enum class KeepDrawing { kNo, kYes };

// With AutoRedraw on, makes a bitmap of `window`'s client size (at least
// 1 x 1) painted as background and, when asked, with the overlapping
// top-left part of the old drawing copied on (unless a centred picture
// moved with the size); it replaces the old bitmap. Nothing happens with
// AutoRedraw off, and the old bitmap stays when no new one can be made.
void BuildBitmap(Panel& panel, HWND window, KeepDrawing keep);
void DeleteBitmap(Panel& panel);

}  // namespace runtime::units::drawpanel
