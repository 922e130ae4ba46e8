// Test windows that show a single colour: the WM_PAINT answer they share.
#pragma once

#include "platform/win32.h"

namespace testing_support {

// Paints the whole client area of `hwnd` in `color` inside BeginPaint/EndPaint.
inline void PaintClientSolid(HWND hwnd, COLORREF color) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  HBRUSH brush = CreateSolidBrush(color);
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  EndPaint(hwnd, &ps);
}

}  // namespace testing_support
