// The EDIT control's caret, its scroll bars and the requests that scroll it
// (scroll bars, the wheel, EM_SCROLL, EM_LINESCROLL).
#include "platform/controls/edit_control.h"

namespace platform::controls::edit {

namespace {

constexpr int kWheelLines = 3;

// Scrolls the view to `first` line and `x` pixels; returns the lines moved.
long ScrollView(Edit& e, long first, long x) {
  const long before = static_cast<long>(e.view.first_line());
  const bool lines = e.view.SetFirstLine(first);
  const bool columns = e.view.SetXOffset(x);
  if (lines || columns) InvalidateRect(e.hwnd, nullptr, FALSE);
  UpdateScrollBars(e);
  PlaceCaret(e);
  return static_cast<long>(e.view.first_line()) - before;
}

long ThumbPosition(Edit& e, int bar, WPARAM request) {
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
  if (GetScrollInfo(e.hwnd, bar, &si)) return si.nTrackPos;
  return HIWORD(request);
}

// Where a scroll request takes the first line (vertical) or the x offset.
long ScrollTarget(Edit& e, int bar, WPARAM request) {
  const bool vertical = bar == SB_VERT;
  const long now = vertical ? static_cast<long>(e.view.first_line()) : e.view.x_offset();
  const RECT f = e.view.FormatRect();
  const long line = vertical ? 1 : e.view.average_width();
  const long page = vertical ? e.view.VisibleLines() : f.right - f.left;
  switch (LOWORD(request)) {
    case SB_LINEUP:
      return now - line;
    case SB_LINEDOWN:
      return now + line;
    case SB_PAGEUP:
      return now - page;
    case SB_PAGEDOWN:
      return now + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      return ThumbPosition(e, bar, request);
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return vertical ? static_cast<long>(e.view.lines().size()) : e.view.WidestLine();
    default:
      return now;
  }
}

}  // namespace

void CreateEditCaret(Edit& e) {
  CreateCaret(e.hwnd, nullptr, 1, e.view.line_height());
  PlaceCaret(e);
  ShowCaret(e.hwnd);
}

void PlaceCaret(Edit& e) {
  if (!e.focused) return;
  const POINT p = e.view.PointOf(e.text.caret(), e.after_wrap);
  SetCaretPos(p.x, p.y);
}

void ScrollToCaret(Edit& e) {
  if (e.view.ScrollToPos(e.text.caret(), e.after_wrap)) InvalidateRect(e.hwnd, nullptr, FALSE);
  UpdateScrollBars(e);
  PlaceCaret(e);
}

// The bars stay while there is nothing to scroll, disabled, as on Windows.
void UpdateScrollBars(Edit& e) {
  const DWORD style = StyleOf(e);
  if (style & WS_VSCROLL) {
    SCROLLINFO si{sizeof(SCROLLINFO),
                  SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL,
                  0,
                  static_cast<int>(e.view.lines().size()) - 1,
                  static_cast<UINT>(e.view.VisibleLines()),
                  static_cast<int>(e.view.first_line()),
                  0};
    SetScrollInfo(e.hwnd, SB_VERT, &si, TRUE);
  }
  if (style & WS_HSCROLL) {
    const RECT f = e.view.FormatRect();
    SCROLLINFO si{sizeof(SCROLLINFO),
                  SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL,
                  0,
                  e.view.WidestLine(),
                  static_cast<UINT>(f.right - f.left),
                  e.view.x_offset(),
                  0};
    SetScrollInfo(e.hwnd, SB_HORZ, &si, TRUE);
  }
}

// The parent hears of a scroll before the screen changes.
LRESULT OnScroll(Edit& e, int bar, WPARAM request) {
  if (LOWORD(request) == SB_ENDSCROLL) return 0;
  if (bar == SB_VERT && !IsMultiLine(e)) return 0;
  const long target = ScrollTarget(e, bar, request);
  if (!Notify(e, bar == SB_VERT ? EN_VSCROLL : EN_HSCROLL)) return 0;
  if (bar == SB_VERT) {
    ScrollView(e, target, e.view.x_offset());
  } else {
    ScrollView(e, static_cast<long>(e.view.first_line()), target);
  }
  return 0;
}

LRESULT OnMouseWheel(Edit& e, WPARAM wparam, LPARAM lparam) {
  if (!IsMultiLine(e)) return DefWindowProcA(e.hwnd, WM_MOUSEWHEEL, wparam, lparam);
  const int delta = GET_WHEEL_DELTA_WPARAM(wparam) + e.wheel_remainder;
  const int notches = delta / WHEEL_DELTA;
  e.wheel_remainder = delta % WHEEL_DELTA;
  if (notches == 0) return 0;
  if (!Notify(e, EN_VSCROLL)) return 0;
  ScrollView(e, static_cast<long>(e.view.first_line()) - notches * kWheelLines, e.view.x_offset());
  return 0;
}

// Returns the lines scrolled in the low word, TRUE in the high word.
LRESULT OnEmScroll(Edit& e, WPARAM request) {
  const WORD code = LOWORD(request);
  if (!IsMultiLine(e) || code > SB_PAGEDOWN) return FALSE;
  const long moved = ScrollView(e, ScrollTarget(e, SB_VERT, code), e.view.x_offset());
  return MAKELRESULT(static_cast<WORD>(moved), TRUE);
}

LRESULT OnLineScroll(Edit& e, LPARAM lines, WPARAM columns) {
  if (!IsMultiLine(e)) return FALSE;
  const long down = static_cast<long>(static_cast<int>(static_cast<DWORD>(lines)));
  const long right = static_cast<long>(static_cast<int>(static_cast<DWORD>(columns)));
  ScrollView(e, static_cast<long>(e.view.first_line()) + down,
             e.view.x_offset() + right * e.view.average_width());
  return TRUE;
}

}  // namespace platform::controls::edit
