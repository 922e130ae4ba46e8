// The non-client area the layer draws itself: frame widths by style, the
// caption and its buttons, and what a point in them means (hit testing).
#pragma once

#include "platform/win32/user.h"

namespace platform::user {

// Widths of the frame on each side (top includes the caption).
RECT NonClientInsets(DWORD style, DWORD ex_style);

// The caption bar in window coordinates, or an empty rect without WS_CAPTION.
RECT CaptionRect(DWORD style, DWORD ex_style, int width);
// The close, maximise and minimise boxes on the caption (empty when absent).
struct CaptionButtons {
  RECT close{};
  RECT maximize{};
  RECT minimize{};
};
CaptionButtons CaptionButtonRects(DWORD style, DWORD ex_style, int width);

// DefWindowProc's answer to WM_NCHITTEST for a point in window coordinates.
LRESULT NonClientHitTest(HWND hwnd, POINT in_window);

}  // namespace platform::user
