// Where the parts of a scroll bar are and how they look: arrow buttons at
// both ends (DrawFrameControl), the track between them, and the thumb, whose
// length shows the page against the range.
#include <algorithm>

#include "platform/user/scroll_bar.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

constexpr int kMinThumb = 8;  // a thumb never gets shorter than this

// Coordinates along the bar, so one piece of code serves both directions.
struct Axis {
  bool vertical;
  LONG Start(const RECT& r) const { return vertical ? r.top : r.left; }
  LONG End(const RECT& r) const { return vertical ? r.bottom : r.right; }
  LONG Along(POINT p) const { return vertical ? p.y : p.x; }
  // `r` cut to [from, to) along the bar.
  RECT Span(RECT r, LONG from, LONG to) const {
    if (vertical) {
      r.top = from;
      r.bottom = to;
    } else {
      r.left = from;
      r.right = to;
    }
    return r;
  }
};

bool Inside(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
bool IsEmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

int ThumbLength(const ScrollBarState& s, int track) {
  if (s.page == 0) return GetSystemMetrics(SM_CYVTHUMB);
  int64_t span = static_cast<int64_t>(s.max) - s.min + 1;
  int64_t length = static_cast<int64_t>(track) * s.page / span;
  return static_cast<int>(std::max<int64_t>(length, kMinThumb));
}

// Positions the thumb can take, beyond the first.
int64_t PosSteps(const ScrollBarState& s) {
  return std::max<int64_t>(static_cast<int64_t>(MaxScrollPos(s)) - s.min, 0);
}

}  // namespace

ScrollLayout LayoutScrollBar(const RECT& bar, bool vertical, const ScrollBarState& s, int pos,
                             bool with_thumb) {
  Axis axis{vertical};
  ScrollLayout layout;
  layout.vertical = vertical;
  layout.bar = bar;
  LONG start = axis.Start(bar), end = axis.End(bar);
  LONG length = std::max<LONG>(end - start, 0);
  LONG arrow = GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
  arrow = std::min(arrow, length / 2);  // a short bar is all arrows
  layout.line_up = axis.Span(bar, start, start + arrow);
  layout.line_down = axis.Span(bar, end - arrow, end);
  layout.track = axis.Span(bar, start + arrow, end - arrow);
  int track = static_cast<int>(end - start - 2 * arrow);
  int thumb = ThumbLength(s, track);
  if (!with_thumb || track <= 0 || thumb > track) return layout;
  int64_t steps = PosSteps(s);
  int64_t room = track - thumb;
  int64_t offset = steps > 0 ? ((static_cast<int64_t>(pos) - s.min) * room + steps / 2) / steps : 0;
  offset = std::clamp<int64_t>(offset, 0, room);
  LONG thumb_start = start + arrow + static_cast<LONG>(offset);
  layout.thumb = axis.Span(bar, thumb_start, thumb_start + thumb);
  return layout;
}

ScrollHit HitScrollBar(const ScrollLayout& layout, POINT p) {
  if (!Inside(layout.bar, p)) return ScrollHit::kNowhere;
  if (Inside(layout.line_up, p)) return ScrollHit::kLineUp;
  if (Inside(layout.line_down, p)) return ScrollHit::kLineDown;
  if (IsEmptyRect(layout.thumb)) return ScrollHit::kNowhere;
  if (Inside(layout.thumb, p)) return ScrollHit::kThumb;
  Axis axis{layout.vertical};
  return axis.Along(p) < axis.Start(layout.thumb) ? ScrollHit::kPageUp : ScrollHit::kPageDown;
}

int ScrollPosFromThumb(const ScrollLayout& layout, const ScrollBarState& s, int leading) {
  Axis axis{layout.vertical};
  int64_t room = (axis.End(layout.track) - axis.Start(layout.track)) -
                 (axis.End(layout.thumb) - axis.Start(layout.thumb));
  int64_t steps = PosSteps(s);
  if (room <= 0 || steps == 0) return s.min;
  int64_t offset = std::clamp<int64_t>(leading - axis.Start(layout.track), 0, room);
  return static_cast<int>(s.min + (offset * steps + room / 2) / room);
}

RECT ScrollBarRect(const Window* w, int bar) {
  const RECT& c = w->client;
  switch (bar) {
    case SB_VERT:
      if (!(w->style & WS_VSCROLL)) return {};
      return {c.right, c.top, c.right + GetSystemMetrics(SM_CXVSCROLL), c.bottom};
    case SB_HORZ:
      if (!(w->style & WS_HSCROLL)) return {};
      return {c.left, c.bottom, c.right, c.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    case SB_CTL:
      return {0, 0, c.right - c.left, c.bottom - c.top};
    default:
      return {};
  }
}

bool IsVerticalBar(const Window* w, int bar) {
  return bar == SB_CTL ? (w->style & SBS_VERT) != 0 : bar == SB_VERT;
}

namespace {

// A bar shows its thumb when it can scroll: enabled, with room to move.
bool ShowsThumb(const Window* w, const ScrollBarState& s) {
  return !(w->style & WS_DISABLED) && s.disabled != ESB_DISABLE_BOTH && HasRoomToScroll(s);
}

HBRUSH TrackBrush(HDC dc, Window* w, int bar) {
  if (bar == SB_CTL && w->parent != nullptr) {
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(w->parent->hwnd, WM_CTLCOLORSCROLLBAR,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(w->hwnd)));
    if (brush != nullptr) return brush;
  }
  return GetSysColorBrush(COLOR_SCROLLBAR);
}

void PaintArrow(HDC dc, RECT r, UINT kind, bool pressed, bool inactive) {
  if (IsEmptyRect(r)) return;
  UINT state = kind | (pressed ? DFCS_PUSHED | DFCS_FLAT : 0) | (inactive ? DFCS_INACTIVE : 0);
  DrawFrameControl(dc, &r, DFC_SCROLL, state);
}

// The track, with the part between the thumb and a held page area darkened.
void PaintTrack(HDC dc, const ScrollLayout& layout, HBRUSH brush, ScrollHit pressed) {
  if (IsEmptyRect(layout.track)) return;
  FillRect(dc, &layout.track, brush);
  if (IsEmptyRect(layout.thumb)) return;
  Axis axis{layout.vertical};
  RECT held{};
  if (pressed == ScrollHit::kPageUp) {
    held = axis.Span(layout.track, axis.Start(layout.track), axis.Start(layout.thumb));
  } else if (pressed == ScrollHit::kPageDown) {
    held = axis.Span(layout.track, axis.End(layout.thumb), axis.End(layout.track));
  }
  if (!IsEmptyRect(held)) FillRect(dc, &held, GetSysColorBrush(COLOR_3DDKSHADOW));
}

}  // namespace

ScrollLayout CurrentScrollLayout(Window* w, int bar) {
  const ScrollBarState& s = *ScrollState(w, bar);
  return LayoutScrollBar(ScrollBarRect(w, bar), IsVerticalBar(w, bar), s,
                         s.tracking ? s.track_pos : s.pos, ShowsThumb(w, s));
}

void PaintScrollBar(HDC dc, Window* w, int bar) {
  if (IsEmptyRect(ScrollBarRect(w, bar))) return;
  const ScrollBarState& s = *ScrollState(w, bar);
  ScrollLayout layout = CurrentScrollLayout(w, bar);
  ScrollHit pressed = PressedScrollPart(w->hwnd, bar);
  bool window_disabled = (w->style & WS_DISABLED) != 0;
  bool vertical = layout.vertical;
  PaintArrow(dc, layout.line_up, vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT,
             pressed == ScrollHit::kLineUp, window_disabled || (s.disabled & ESB_DISABLE_LTUP));
  PaintArrow(dc, layout.line_down, vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT,
             pressed == ScrollHit::kLineDown, window_disabled || (s.disabled & ESB_DISABLE_RTDN));
  PaintTrack(dc, layout, TrackBrush(dc, w, bar), pressed);
  if (!IsEmptyRect(layout.thumb)) {
    RECT thumb = layout.thumb;
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
}

void PaintWindowScrollBars(HDC window_dc, Window* w) {
  if (!(w->style & (WS_HSCROLL | WS_VSCROLL))) return;
  PaintScrollBar(window_dc, w, SB_VERT);
  PaintScrollBar(window_dc, w, SB_HORZ);
  if ((w->style & WS_HSCROLL) && (w->style & WS_VSCROLL)) {
    RECT v = ScrollBarRect(w, SB_VERT), h = ScrollBarRect(w, SB_HORZ);
    RECT corner{v.left, h.top, v.right, h.bottom};
    FillRect(window_dc, &corner, GetSysColorBrush(COLOR_3DFACE));
  }
}

void RedrawScrollBar(HWND hwnd, int bar) {
  Window* w = FindWindowQuiet(hwnd);
  if (w == nullptr) return;
  HDC dc = bar == SB_CTL ? GetDC(hwnd) : GetWindowDC(hwnd);
  if (dc == nullptr) return;
  PaintScrollBar(dc, w, bar);
  ReleaseDC(hwnd, dc);
}

}  // namespace platform::user
