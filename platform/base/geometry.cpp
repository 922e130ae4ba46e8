// The Win32 rectangle functions.
#include <algorithm>
#include <cstdint>

#include "platform/win32.h"

namespace {

// Windows adds without overflow checks; wrapping through unsigned keeps that
// behaviour without undefined behaviour.
LONG Wrap(LONG a, LONG b) {
  return static_cast<LONG>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

LONG WrapSub(LONG a, LONG b) {
  return static_cast<LONG>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
  if (!lprc) return FALSE;
  *lprc = RECT{xLeft, yTop, xRight, yBottom};
  return TRUE;
}

BOOL SetRectEmpty(LPRECT lprc) { return SetRect(lprc, 0, 0, 0, 0); }

BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc) {
  if (!lprcDst || !lprcSrc) return FALSE;
  *lprcDst = *lprcSrc;
  return TRUE;
}

BOOL InflateRect(LPRECT lprc, int dx, int dy) {
  if (!lprc) return FALSE;
  lprc->left = WrapSub(lprc->left, dx);
  lprc->top = WrapSub(lprc->top, dy);
  lprc->right = Wrap(lprc->right, dx);
  lprc->bottom = Wrap(lprc->bottom, dy);
  return TRUE;
}

BOOL OffsetRect(LPRECT lprc, int dx, int dy) {
  if (!lprc) return FALSE;
  lprc->left = Wrap(lprc->left, dx);
  lprc->top = Wrap(lprc->top, dy);
  lprc->right = Wrap(lprc->right, dx);
  lprc->bottom = Wrap(lprc->bottom, dy);
  return TRUE;
}

BOOL IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
  if (!lprcDst || !lprcSrc1 || !lprcSrc2) return FALSE;
  RECT r{std::max(lprcSrc1->left, lprcSrc2->left), std::max(lprcSrc1->top, lprcSrc2->top),
         std::min(lprcSrc1->right, lprcSrc2->right), std::min(lprcSrc1->bottom, lprcSrc2->bottom)};
  if (Empty(r)) {
    SetRectEmpty(lprcDst);
    return FALSE;
  }
  *lprcDst = r;
  return TRUE;
}

BOOL UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
  if (!lprcDst || !lprcSrc1 || !lprcSrc2) return FALSE;
  const bool empty1 = Empty(*lprcSrc1);
  const bool empty2 = Empty(*lprcSrc2);
  if (empty1 && empty2) {
    SetRectEmpty(lprcDst);
    return FALSE;
  }
  if (empty1 || empty2) {
    *lprcDst = empty1 ? *lprcSrc2 : *lprcSrc1;
    return TRUE;
  }
  *lprcDst = RECT{std::min(lprcSrc1->left, lprcSrc2->left), std::min(lprcSrc1->top, lprcSrc2->top),
                  std::max(lprcSrc1->right, lprcSrc2->right),
                  std::max(lprcSrc1->bottom, lprcSrc2->bottom)};
  return TRUE;
}

// The result is the bounding box of the difference, which is smaller than
// lprcSrc1 only when lprcSrc2 spans it completely in one direction and
// reaches one of its edges.
BOOL SubtractRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
  if (!lprcDst || !lprcSrc1 || !lprcSrc2) return FALSE;
  if (Empty(*lprcSrc1)) {
    SetRectEmpty(lprcDst);
    return FALSE;
  }
  RECT cut;
  RECT result = *lprcSrc1;
  if (IntersectRect(&cut, lprcSrc1, lprcSrc2)) {
    const bool full_width = cut.left == result.left && cut.right == result.right;
    const bool full_height = cut.top == result.top && cut.bottom == result.bottom;
    if (full_width && full_height) {
      SetRectEmpty(lprcDst);
      return FALSE;
    }
    if (full_width && cut.top == result.top)
      result.top = cut.bottom;
    else if (full_width && cut.bottom == result.bottom)
      result.bottom = cut.top;
    else if (full_height && cut.left == result.left)
      result.left = cut.right;
    else if (full_height && cut.right == result.right)
      result.right = cut.left;
  }
  *lprcDst = result;
  return TRUE;
}

BOOL EqualRect(const RECT* lprc1, const RECT* lprc2) {
  if (!lprc1 || !lprc2) return FALSE;
  return lprc1->left == lprc2->left && lprc1->top == lprc2->top && lprc1->right == lprc2->right &&
         lprc1->bottom == lprc2->bottom;
}

BOOL IsRectEmpty(const RECT* lprc) { return !lprc || Empty(*lprc); }

BOOL PtInRect(const RECT* lprc, POINT pt) {
  if (!lprc) return FALSE;
  return pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom;
}
