// The mouse on a scroll bar. A press on an arrow or the track sends its
// request at once and again on a timer while the button stays down over
// the same part; a press on the thumb drags it, sending SB_THUMBTRACK for
// each new position and SB_THUMBPOSITION at the end; every press ends with
// SB_ENDSCROLL. Like Windows, this runs its own message loop with the
// mouse captured, so it returns only once the button is released.
#include "platform/user/message_queue.h"
#include "platform/user/scroll_bar.h"
#include "platform/user/system_timer.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

constexpr UINT_PTR kRepeatTimer = 0x5C01;
constexpr UINT kFirstRepeatMs = 200;  // the first repeat waits a little longer
constexpr UINT kRepeatMs = 50;

struct Tracking {
  HWND hwnd = nullptr;  // null: no bar is being tracked on this thread
  int bar = 0;
  ScrollHit part = ScrollHit::kNowhere;  // what was pressed
  bool over = false;                     // the pointer is over the pressed part
  int grab = 0;                          // thumb drags: pointer to the thumb's leading edge
  POINT last{};                          // the pointer, in the bar's coordinates
};

Tracking& ThreadTracking() {
  thread_local Tracking tracking;
  return tracking;
}

POINT ToBar(Window* w, int bar, POINT screen) {
  if (bar == SB_CTL) {
    ScreenToClient(w->hwnd, &screen);
    return screen;
  }
  POINT origin = ScreenOrigin(w);
  return {screen.x - origin.x, screen.y - origin.y};
}

LONG Along(bool vertical, POINT p) { return vertical ? p.y : p.x; }
LONG LeadingEdge(const ScrollLayout& l) { return l.vertical ? l.thumb.top : l.thumb.left; }

void Notify(HWND hwnd, int bar, WORD request, int pos) {
  Window* w = FindWindowQuiet(hwnd);
  if (w == nullptr) return;
  bool vertical = IsVerticalBar(w, bar);
  UINT message = vertical ? WM_VSCROLL : WM_HSCROLL;
  WPARAM wparam = MAKEWPARAM(request, static_cast<WORD>(pos));
  if (bar == SB_CTL) {
    if (w->parent != nullptr) {
      SendMessageA(w->parent->hwnd, message, wparam, reinterpret_cast<LPARAM>(hwnd));
    }
  } else {
    SendMessageA(hwnd, message, wparam, 0);
  }
}

WORD RequestOf(ScrollHit part) {
  switch (part) {
    case ScrollHit::kLineUp:
      return SB_LINEUP;
    case ScrollHit::kLineDown:
      return SB_LINEDOWN;
    case ScrollHit::kPageUp:
      return SB_PAGEUP;
    default:
      return SB_PAGEDOWN;
  }
}

bool ArrowDisabled(const ScrollBarState& s, ScrollHit part) {
  return (part == ScrollHit::kLineUp && (s.disabled & ESB_DISABLE_LTUP)) ||
         (part == ScrollHit::kLineDown && (s.disabled & ESB_DISABLE_RTDN));
}

// Whether the pointer is over the pressed part, with the bar as it is now
// (the application may have moved the thumb since).
bool PointerOverPart(const Tracking& t) {
  Window* w = FindWindowQuiet(t.hwnd);
  return w != nullptr && HitScrollBar(CurrentScrollLayout(w, t.bar), t.last) == t.part;
}

void Repeat(HWND hwnd, UINT_PTR id) {
  Tracking& t = ThreadTracking();
  if (t.hwnd != hwnd || t.part == ScrollHit::kThumb) {
    KillSystemTimer(hwnd, id);
    return;
  }
  SetSystemTimer(hwnd, id, kRepeatMs, Repeat);
  if (!PointerOverPart(t)) return;
  Notify(hwnd, t.bar, RequestOf(t.part), 0);
  RedrawScrollBar(hwnd, t.bar);
}

void DragThumb(Tracking& t) {
  Window* w = FindWindowQuiet(t.hwnd);
  if (w == nullptr) return;
  ScrollBarState& s = *ScrollState(w, t.bar);
  ScrollLayout layout = CurrentScrollLayout(w, t.bar);
  int pos = ScrollPosFromThumb(layout, s, Along(layout.vertical, t.last) - t.grab);
  if (pos == s.track_pos) return;
  s.track_pos = pos;
  RedrawScrollBar(t.hwnd, t.bar);
  Notify(t.hwnd, t.bar, SB_THUMBTRACK, pos);
}

void PointerMoved(Tracking& t, POINT screen) {
  Window* w = FindWindowQuiet(t.hwnd);
  if (w == nullptr) return;
  t.last = ToBar(w, t.bar, screen);
  if (t.part == ScrollHit::kThumb) {
    DragThumb(t);
    return;
  }
  bool over = PointerOverPart(t);
  if (over == t.over) return;
  t.over = over;
  RedrawScrollBar(t.hwnd, t.bar);  // the part looks pressed only while the pointer is on it
}

bool IsMouseMove(UINT m) { return m == WM_MOUSEMOVE || m == WM_NCMOUSEMOVE; }
bool IsButtonUp(UINT m) { return m == WM_LBUTTONUP || m == WM_NCLBUTTONUP; }
bool IsOtherMouseButton(UINT m) {
  return (m >= WM_LBUTTONDOWN && m <= WM_MOUSELAST) ||
         (m >= WM_NCLBUTTONDOWN && m <= WM_NCMBUTTONDBLCLK);
}

// Runs until the button is released, the capture is lost or the window goes.
void RunLoop(Tracking& t) {
  HWND hwnd = t.hwnd;
  MSG msg;
  while (GetCapture() == hwnd && IsWindow(hwnd)) {
    if (!GetMessageA(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
      return;
    }
    if (IsMouseMove(msg.message)) {
      PointerMoved(t, msg.pt);
    } else if (IsButtonUp(msg.message)) {
      PointerMoved(t, msg.pt);
      return;
    } else if (!IsOtherMouseButton(msg.message)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

// Starts tracking `part`; false when the press does nothing.
bool Begin(Tracking& t, Window* w, POINT p) {
  ScrollBarState& s = *ScrollState(w, t.bar);
  ScrollLayout layout = CurrentScrollLayout(w, t.bar);
  t.part = HitScrollBar(layout, p);
  t.last = p;
  t.over = true;
  if (t.part == ScrollHit::kNowhere || ArrowDisabled(s, t.part)) return false;
  if (w->style & WS_DISABLED) return false;
  if (t.part == ScrollHit::kThumb) {
    t.grab = Along(layout.vertical, p) - LeadingEdge(layout);
    s.tracking = true;
    s.track_pos = s.pos;
  }
  return true;
}

void Finish(Tracking& t) {
  HWND hwnd = t.hwnd;
  int bar = t.bar;
  bool thumb = t.part == ScrollHit::kThumb;
  t = Tracking{};
  KillSystemTimer(hwnd, kRepeatTimer);
  if (GetCapture() == hwnd) ReleaseCapture();
  Window* w = FindWindowQuiet(hwnd);
  if (w == nullptr) return;
  ScrollBarState& s = *ScrollState(w, bar);
  if (thumb && s.tracking) {
    s.tracking = false;
    Notify(hwnd, bar, SB_THUMBPOSITION, s.track_pos);
  }
  Notify(hwnd, bar, SB_ENDSCROLL, 0);
  RedrawScrollBar(hwnd, bar);
}

}  // namespace

ScrollHit PressedScrollPart(HWND hwnd, int bar) {
  const Tracking& t = ThreadTracking();
  if (t.hwnd != hwnd || t.bar != bar || !t.over || t.part == ScrollHit::kThumb) {
    return ScrollHit::kNowhere;
  }
  return t.part;
}

void TrackScrollBar(HWND hwnd, int bar, POINT screen) {
  Tracking& t = ThreadTracking();
  Window* w = FindWindowQuiet(hwnd);
  if (w == nullptr || t.hwnd != nullptr) return;  // one bar at a time
  Tracking start;
  start.hwnd = hwnd;
  start.bar = bar;
  if (!Begin(start, w, ToBar(w, bar, screen))) return;
  t = start;
  SetCapture(hwnd);
  RedrawScrollBar(hwnd, bar);
  if (t.part != ScrollHit::kThumb) {
    // The repeat is timed from the press, whatever the first request takes.
    SetSystemTimer(hwnd, kRepeatTimer, kFirstRepeatMs, Repeat);
    Notify(hwnd, bar, RequestOf(t.part), 0);
  }
  RunLoop(t);
  Finish(t);
}

}  // namespace platform::user
