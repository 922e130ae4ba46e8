// What the standard controls' painting shares: their window text and
// their bitmap images, drawn as they are.
#pragma once

#include <string>

#include "platform/win32.h"

namespace platform::controls {

// The control's window text (GBK), empty when it has none.
std::string ControlText(HWND hwnd);

// Copies `size` pixels of `bitmap` to `at` in `dc` (SRCCOPY); draws nothing
// when no memory DC can be had.
void DrawBitmapAt(HDC dc, HBITMAP bitmap, POINT at, SIZE size);

}  // namespace platform::controls
