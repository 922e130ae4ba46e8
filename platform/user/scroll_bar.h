// Scroll bars: a window's non-client bars (SB_HORZ, SB_VERT) and the bar of a
// SCROLLBAR control (SB_CTL) share their values, their layout, their look
// and the way the mouse works them.
//
// Coordinates: a window's bars are laid out in window coordinates and drawn
// on its window DC; a control's bar fills its client area.
#pragma once

#include "platform/user/window.h"

namespace platform::user {

// One bar's values, as SCROLLINFO describes them.
struct ScrollBarState {
  int min = 0;
  int max = 100;
  UINT page = 0;
  int pos = 0;
  UINT disabled = ESB_ENABLE_BOTH;      // ESB_DISABLE_* arrows
  bool disabled_for_no_scroll = false;  // by SIF_DISABLENOSCROLL, enabled again with room
  bool tracking = false;                // the thumb is being dragged
  int track_pos = 0;                    // where it is meanwhile
};

struct ScrollBars {
  ScrollBarState horz;
  ScrollBarState vert;
  ScrollBarState ctl{0, 0};  // a control's range starts empty
};

// `w`'s state of `bar`, made with the defaults on first use; null for a bad
// bar number.
ScrollBarState* ScrollState(Window* w, int bar);

// SetScrollInfo's rules for one bar: what the mask names is set, then page
// and position are kept within the range. False when the SCROLLINFO itself
// is malformed (size or mask).
bool ApplyScrollInfo(ScrollBarState& s, const SCROLLINFO& info);
bool ReadScrollInfo(const ScrollBarState& s, SCROLLINFO* info);
// The greatest position: max - max(page - 1, 0).
int MaxScrollPos(const ScrollBarState& s);
// True when the range leaves room to scroll.
bool HasRoomToScroll(const ScrollBarState& s);

// Parts of a bar, in order along it.
enum class ScrollHit { kNowhere, kLineUp, kPageUp, kThumb, kPageDown, kLineDown };

struct ScrollLayout {
  bool vertical = true;
  RECT bar{};
  RECT line_up{};    // the arrow at the top (left)
  RECT line_down{};  // the arrow at the bottom (right)
  RECT track{};      // between the arrows
  RECT thumb{};      // empty when the bar shows none
};

// Lays out `bar` with its thumb at position `pos`; `with_thumb` false leaves
// the thumb out (a disabled bar, or one with no room to scroll).
ScrollLayout LayoutScrollBar(const RECT& bar, bool vertical, const ScrollBarState& s, int pos,
                             bool with_thumb);
ScrollHit HitScrollBar(const ScrollLayout& layout, POINT p);
// The position that puts the thumb's leading edge at `leading` (a
// coordinate along the bar).
int ScrollPosFromThumb(const ScrollLayout& layout, const ScrollBarState& s, int leading);

// Where `w`'s SB_HORZ or SB_VERT bar is, in window coordinates; empty when
// its style does not show it. SB_CTL: the control's client area.
RECT ScrollBarRect(const Window* w, int bar);
bool IsVerticalBar(const Window* w, int bar);
// The layout of `w`'s bar as it is now (the tracked thumb included).
ScrollLayout CurrentScrollLayout(Window* w, int bar);

// Paints `w`'s bar on `dc` (a window DC for SB_HORZ/SB_VERT, a client DC for
// SB_CTL), and the corner between a window's two bars.
void PaintScrollBar(HDC dc, Window* w, int bar);
void PaintWindowScrollBars(HDC window_dc, Window* w);
// Draws the bar again at once, as SetScrollInfo's redraw does.
void RedrawScrollBar(HWND hwnd, int bar);

// The user pressed the left button at `screen` on the bar: runs the bar's
// mouse loop (requests, auto-repeat, thumb drag) until the button is
// released, sending WM_HSCROLL/WM_VSCROLL to the window (SB_CTL: to the
// control's parent).
void TrackScrollBar(HWND hwnd, int bar, POINT screen);
// The part shown pressed while the bar is tracked (kNowhere otherwise).
ScrollHit PressedScrollPart(HWND hwnd, int bar);

// Registers the SCROLLBAR control class (system_classes.cpp).
void RegisterScrollBarClass();

}  // namespace platform::user
