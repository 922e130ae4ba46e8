// The SCROLLBAR control: a scroll bar as a child window of its own. Its
// values answer the SBM_ messages (which SetScrollInfo and friends send with
// SB_CTL); its requests go to the parent as WM_HSCROLL / WM_VSCROLL with the
// control's handle in lParam.
#include "platform/user/scroll_bar.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

constexpr char kClassName[] = "ScrollBar";

ScrollBarState& ControlState(Window* w) { return *ScrollState(w, SB_CTL); }

LRESULT SetInfo(Window* w, WPARAM redraw, const SCROLLINFO* info) {
  ScrollBarState& s = ControlState(w);
  if (info == nullptr || !ApplyScrollInfo(s, *info)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return s.pos;
  }
  if ((info->fMask & (SIF_RANGE | SIF_PAGE)) && (info->fMask & SIF_DISABLENOSCROLL)) {
    bool room = HasRoomToScroll(s);
    if (!room || s.disabled_for_no_scroll) {
      s.disabled = room ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
      s.disabled_for_no_scroll = !room;
    }
  }
  int pos = s.pos;
  if (redraw) RedrawScrollBar(w->hwnd, SB_CTL);
  return pos;
}

LRESULT SetPos(Window* w, int pos, bool redraw) {
  int previous = ControlState(w).pos;
  SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, pos, 0};
  SetInfo(w, redraw, &info);
  return previous;
}

LRESULT SetRange(Window* w, int min, int max, bool redraw) {
  int previous = ControlState(w).pos;
  SCROLLINFO info{sizeof info, SIF_RANGE, min, max, 0, 0, 0};
  SetInfo(w, redraw, &info);
  return previous;
}

LRESULT GetRange(Window* w, WPARAM min_out, LPARAM max_out) {
  const ScrollBarState& s = ControlState(w);
  if (auto* min = reinterpret_cast<int*>(min_out)) *min = s.min;
  if (auto* max = reinterpret_cast<int*>(max_out)) *max = s.max;
  return 0;
}

LRESULT EnableArrows(Window* w, UINT arrows) {
  ScrollBarState& s = ControlState(w);
  if (s.disabled == arrows) return FALSE;
  s.disabled = arrows;
  s.disabled_for_no_scroll = false;
  RedrawScrollBar(w->hwnd, SB_CTL);
  return TRUE;
}

void OnPaint(Window* w) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w->hwnd, &ps);
  if (dc == nullptr) return;
  PaintScrollBar(dc, w, SB_CTL);
  EndPaint(w->hwnd, &ps);
}

void OnButtonDown(Window* w, LPARAM lparam) {
  POINT screen{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  ClientToScreen(w->hwnd, &screen);
  TrackScrollBar(w->hwnd, SB_CTL, screen);
}

LRESULT ScrollBarProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Window* w = FindWindowQuiet(hwnd);
  if (w == nullptr) return 0;
  switch (message) {
    case WM_PAINT:
      OnPaint(w);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the bar covers all of it
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // quick clicks on an arrow each scroll
      OnButtonDown(w, lparam);
      return 0;
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case SBM_SETPOS:
      return SetPos(w, static_cast<int>(wparam), lparam != 0);
    case SBM_GETPOS:
      return ControlState(w).pos;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
      return SetRange(w, static_cast<int>(wparam), static_cast<int>(lparam),
                      message == SBM_SETRANGEREDRAW);
    case SBM_GETRANGE:
      return GetRange(w, wparam, lparam);
    case SBM_ENABLE_ARROWS:
      return EnableArrows(w, static_cast<UINT>(wparam) & ESB_DISABLE_BOTH);
    case SBM_SETSCROLLINFO:
      return SetInfo(w, wparam, reinterpret_cast<const SCROLLINFO*>(lparam));
    case SBM_GETSCROLLINFO:
      return ReadScrollInfo(ControlState(w), reinterpret_cast<SCROLLINFO*>(lparam));
    default:
      return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

}  // namespace

void RegisterScrollBarClass() {
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
  wc.lpfnWndProc = ScrollBarProc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);
}

}  // namespace platform::user
