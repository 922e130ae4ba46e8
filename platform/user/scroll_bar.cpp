// Scroll bar values and the functions that set and read them. A window's
// bars show and hide with their range (WS_HSCROLL / WS_VSCROLL and a new
// client area); a control's values are reached through its SBM_ messages, so
// SetScrollInfo also works on a control that only imitates a scroll bar.
#include "platform/user/scroll_bar.h"

#include <algorithm>
#include <climits>

#include "platform/win32.h"

namespace platform::user {

namespace {

constexpr UINT kKnownMask = SIF_ALL | SIF_DISABLENOSCROLL;
// SCROLLINFO without nTrackPos, as older programs pass it.
constexpr UINT kShortScrollInfo = sizeof(SCROLLINFO) - sizeof(int);

bool ValidSize(UINT size) { return size == sizeof(SCROLLINFO) || size == kShortScrollInfo; }

void Clamp(ScrollBarState& s) {
  int64_t span = static_cast<int64_t>(s.max) - s.min + 1;
  if (static_cast<int64_t>(s.page) > span) s.page = static_cast<UINT>(span);
  s.pos = std::clamp(s.pos, s.min, std::max(s.min, MaxScrollPos(s)));
}

DWORD StyleBit(int bar) { return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL; }

// Shows or hides a window's bar; true when the window's frame changed.
bool ShowWindowBar(Window* w, int bar, bool show) {
  DWORD bit = StyleBit(bar);
  if (((w->style & bit) != 0) == show) return false;
  ScrollState(w, bar);  // a shown bar has values
  if (show) {
    w->style |= bit;
  } else {
    w->style &= ~bit;
  }
  SetWindowPos(w->hwnd, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

// After a new range or page: a bar with nothing to scroll goes away, or is
// disabled when asked to stay; one with room comes back.
bool FollowRange(Window* w, int bar, UINT mask) {
  ScrollBarState& s = *ScrollState(w, bar);
  if (HasRoomToScroll(s)) {
    if (s.disabled_for_no_scroll) {
      s.disabled = ESB_ENABLE_BOTH;
      s.disabled_for_no_scroll = false;
    }
    return ShowWindowBar(w, bar, true);
  }
  if (mask & SIF_DISABLENOSCROLL) {
    s.disabled = ESB_DISABLE_BOTH;
    s.disabled_for_no_scroll = true;
    return ShowWindowBar(w, bar, true);
  }
  return ShowWindowBar(w, bar, false);
}

int SetWindowBarInfo(Window* w, int bar, const SCROLLINFO& info, bool redraw) {
  ScrollBarState* s = ScrollState(w, bar);
  if (!ApplyScrollInfo(*s, info)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  int pos = s->pos;
  HWND hwnd = w->hwnd;
  bool reframed = (info.fMask & (SIF_RANGE | SIF_PAGE)) && FollowRange(w, bar, info.fMask);
  if (redraw && !reframed && IsWindow(hwnd)) RedrawScrollBar(hwnd, bar);
  return pos;
}

// The window whose bar `bar` exists; null with ERROR_NO_SCROLLBARS when it
// never had one.
Window* WindowWithBar(HWND hwnd, int bar) {
  Window* w = FindWindow(hwnd);
  if (w == nullptr) return nullptr;
  if (bar != SB_HORZ && bar != SB_VERT) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!w->scroll_bars && !(w->style & StyleBit(bar))) {
    SetLastError(ERROR_NO_SCROLLBARS);
    return nullptr;
  }
  return w;
}

bool ChangeArrows(Window* w, int bar, UINT arrows) {
  ScrollBarState& s = *ScrollState(w, bar);
  if (s.disabled == arrows) return false;
  s.disabled = arrows;
  s.disabled_for_no_scroll = false;
  RedrawScrollBar(w->hwnd, bar);
  return true;
}

}  // namespace

ScrollBarState* ScrollState(Window* w, int bar) {
  if (!w->scroll_bars) w->scroll_bars = std::make_shared<ScrollBars>();
  switch (bar) {
    case SB_HORZ:
      return &w->scroll_bars->horz;
    case SB_VERT:
      return &w->scroll_bars->vert;
    case SB_CTL:
      return &w->scroll_bars->ctl;
    default:
      return nullptr;
  }
}

int MaxScrollPos(const ScrollBarState& s) {
  int64_t last =
      static_cast<int64_t>(s.max) - std::max<int64_t>(static_cast<int64_t>(s.page) - 1, 0);
  return static_cast<int>(std::max<int64_t>(last, INT_MIN));
}

bool HasRoomToScroll(const ScrollBarState& s) { return MaxScrollPos(s) > s.min; }

bool ApplyScrollInfo(ScrollBarState& s, const SCROLLINFO& info) {
  if (!ValidSize(info.cbSize) || (info.fMask & ~kKnownMask)) return false;
  // A reversed range, or one wider than a LONG can count, is left as it was.
  if ((info.fMask & SIF_RANGE) && info.nMin <= info.nMax &&
      static_cast<int64_t>(info.nMax) - info.nMin <= INT_MAX) {
    s.min = info.nMin;
    s.max = info.nMax;
  }
  if (info.fMask & SIF_PAGE) s.page = info.nPage;
  if (info.fMask & SIF_POS) s.pos = info.nPos;
  Clamp(s);
  return true;
}

bool ReadScrollInfo(const ScrollBarState& s, SCROLLINFO* info) {
  if (info == nullptr || !ValidSize(info->cbSize) || !(info->fMask & SIF_ALL)) return false;
  if (info->fMask & SIF_RANGE) {
    info->nMin = s.min;
    info->nMax = s.max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = s.page;
  if (info->fMask & SIF_POS) info->nPos = s.pos;
  if ((info->fMask & SIF_TRACKPOS) && info->cbSize == sizeof(SCROLLINFO)) {
    info->nTrackPos = s.tracking ? s.track_pos : s.pos;
  }
  return true;
}

}  // namespace platform::user

using platform::user::ScrollBarState;
using platform::user::Window;

int SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw) {
  if (lpsi == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (nBar == SB_CTL) {
    return static_cast<int>(SendMessageA(hwnd, SBM_SETSCROLLINFO, static_cast<WPARAM>(redraw),
                                         reinterpret_cast<LPARAM>(lpsi)));
  }
  Window* w = platform::user::FindWindow(hwnd);
  if (w == nullptr) return 0;
  if (nBar != SB_HORZ && nBar != SB_VERT) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return platform::user::SetWindowBarInfo(w, nBar, *lpsi, redraw != FALSE);
}

BOOL GetScrollInfo(HWND hwnd, int nBar, LPSCROLLINFO lpsi) {
  if (nBar == SB_CTL) {
    return SendMessageA(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(lpsi)) ? TRUE : FALSE;
  }
  Window* w = platform::user::WindowWithBar(hwnd, nBar);
  if (w == nullptr) return FALSE;
  if (!platform::user::ReadScrollInfo(*platform::user::ScrollState(w, nBar), lpsi)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw) {
  if (nBar == SB_CTL) return static_cast<int>(SendMessageA(hWnd, SBM_SETPOS, nPos, bRedraw));
  Window* w = platform::user::WindowWithBar(hWnd, nBar);
  if (w == nullptr) return 0;
  int previous = platform::user::ScrollState(w, nBar)->pos;
  SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, nPos, 0};
  platform::user::SetWindowBarInfo(w, nBar, info, bRedraw != FALSE);
  return previous;
}

int GetScrollPos(HWND hWnd, int nBar) {
  if (nBar == SB_CTL) return static_cast<int>(SendMessageA(hWnd, SBM_GETPOS, 0, 0));
  Window* w = platform::user::WindowWithBar(hWnd, nBar);
  return w ? platform::user::ScrollState(w, nBar)->pos : 0;
}

BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
  if (static_cast<int64_t>(nMaxPos) - nMinPos > INT_MAX) {
    SetLastError(ERROR_INVALID_SCROLLBAR_RANGE);
    return FALSE;
  }
  if (nBar == SB_CTL) {
    SendMessageA(hWnd, bRedraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, static_cast<WPARAM>(nMinPos),
                 nMaxPos);
    return IsWindow(hWnd);
  }
  Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return FALSE;
  if (nBar != SB_HORZ && nBar != SB_VERT) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  SCROLLINFO info{sizeof info, SIF_RANGE, nMinPos, nMaxPos, 0, 0, 0};
  platform::user::SetWindowBarInfo(w, nBar, info, bRedraw != FALSE);
  return TRUE;
}

BOOL GetScrollRange(HWND hWnd, int nBar, int* lpMinPos, int* lpMaxPos) {
  if (lpMinPos == nullptr || lpMaxPos == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *lpMinPos = *lpMaxPos = 0;
  if (nBar == SB_CTL) {
    SendMessageA(hWnd, SBM_GETRANGE, reinterpret_cast<WPARAM>(lpMinPos),
                 reinterpret_cast<LPARAM>(lpMaxPos));
    return IsWindow(hWnd);
  }
  Window* w = platform::user::WindowWithBar(hWnd, nBar);
  if (w == nullptr) return FALSE;
  const ScrollBarState& s = *platform::user::ScrollState(w, nBar);
  *lpMinPos = s.min;
  *lpMaxPos = s.max;
  return TRUE;
}

BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow) {
  Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return FALSE;
  switch (wBar) {
    case SB_CTL:
      ShowWindow(hWnd, bShow ? SW_SHOW : SW_HIDE);
      return TRUE;
    case SB_HORZ:
    case SB_VERT:
      platform::user::ShowWindowBar(w, wBar, bShow != FALSE);
      return TRUE;
    case SB_BOTH: {
      DWORD bits = WS_HSCROLL | WS_VSCROLL;
      DWORD style = bShow ? (w->style | bits) : (w->style & ~bits);
      if (style == w->style) return TRUE;
      platform::user::ScrollState(w, SB_HORZ);
      w->style = style;
      SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return TRUE;
    }
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
  }
}

BOOL EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows) {
  if (wArrows & ~static_cast<UINT>(ESB_DISABLE_BOTH)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (wSBflags == SB_CTL) return SendMessageA(hWnd, SBM_ENABLE_ARROWS, wArrows, 0) ? TRUE : FALSE;
  Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return FALSE;
  bool changed = false;
  if (wSBflags == SB_HORZ || wSBflags == SB_BOTH) {
    changed |= platform::user::ChangeArrows(w, SB_HORZ, wArrows);
  }
  if (wSBflags == SB_VERT || wSBflags == SB_BOTH) {
    changed |= platform::user::ChangeArrows(w, SB_VERT, wArrows);
  }
  if (wSBflags > SB_BOTH) SetLastError(ERROR_INVALID_PARAMETER);
  return changed ? TRUE : FALSE;
}
