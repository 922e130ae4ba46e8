// Win32 rectangle helpers. Right and bottom are exclusive; a rectangle whose
// right is not beyond its left, or bottom not below its top, is empty.
// Arithmetic wraps at 32 bits, as it does on Windows.
#pragma once

#include "platform/win32/base_types.h"

BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom);
BOOL SetRectEmpty(LPRECT lprc);
BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc);
BOOL InflateRect(LPRECT lprc, int dx, int dy);
BOOL OffsetRect(LPRECT lprc, int dx, int dy);
// An empty intersection gives the empty rectangle (0, 0, 0, 0) and FALSE.
BOOL IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);
// Empty rectangles take no part; two empty ones give (0, 0, 0, 0) and FALSE.
BOOL UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);
// Only shrinks lprcSrc1 when lprcSrc2 covers it across one whole side.
BOOL SubtractRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);
BOOL EqualRect(const RECT* lprc1, const RECT* lprc2);
BOOL IsRectEmpty(const RECT* lprc);  // TRUE for NULL too
BOOL PtInRect(const RECT* lprc, POINT pt);
