// The windows popup menus show in: topmost popups of the class "#32768",
// owned by the window whose menu loop shows them, painted from their menu,
// never activated. Placement keeps them on the screen.
#pragma once

#include "platform/user/menu.h"

namespace platform::user {

// Shows a popup window for `menu` (already laid out) at `screen`; null when
// it could not be made.
HWND ShowMenuWindow(HWND owner, HMENU menu, const RECT& screen);
// Draws a laid-out popup menu over the whole of its window's client area.
void PaintPopupMenu(HDC dc, const Menu& menu);

// Where a popup of `size` goes: at a point with TPM_ alignment flags; below
// a bar item (above it when the screen ends first); beside a popup item
// (on the left when the screen ends first). Screen coordinates.
RECT PlaceAtPoint(SIZE size, POINT at, UINT flags);
RECT PlaceBelow(SIZE size, const RECT& item);
RECT PlaceBeside(SIZE size, const RECT& item, const RECT& parent);

}  // namespace platform::user
