// The msctls_updown32 control: two arrow buttons that step a position.
//
// A press on an arrow steps once, then again after half a second and every
// 100 ms while the button stays down over that arrow; the step grows with
// the time held, as the acceleration table says. Every step asks the parent
// first (UDN_DELTAPOS), then moves the position (to the other end with
// UDS_WRAP, else stopping at the end), shows it in the buddy and tells the
// parent with WM_VSCROLL / WM_HSCROLL. Time is read from GetTickCount and
// timers, so it follows whatever clock the display runs.
//
// Index: state - stepping - holding - mouse and keys - painting - UDM_
// messages - the window procedure - registration.
#include "platform/controls/up_down.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "platform/controls/repaint.h"

namespace platform::controls {

namespace updown {

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 500;
constexpr UINT kRepeatMs = 100;

// Win32's table: 1 a step, 5 after two seconds held, 20 after five.
const UDACCEL kDefaultAccel[] = {{0, 1}, {2, 5}, {5, 20}};

// A longer table than any program needs is a caller's mistake.
constexpr WPARAM kMaxAccelEntries = 0xFFFF;

int Lowest(const UpDown& u) { return std::min(u.min, u.max); }
int Highest(const UpDown& u) { return std::max(u.min, u.max); }

int Clamped(const UpDown& u, int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, Lowest(u), Highest(u)));
}

bool IsAlive(HWND hwnd, const UpDown& u) { return IsWindow(hwnd) && UpDownOf(hwnd) == &u; }

void Redraw(const UpDown& u) {
  if (IsWindowVisible(u.hwnd)) RepaintControl(u.hwnd, false);
}

}  // namespace

UpDown* UpDownOf(HWND hwnd) { return reinterpret_cast<UpDown*>(GetWindowLongPtrA(hwnd, 0)); }

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }

// ---------------------------------------------------------------------------
// Stepping
// ---------------------------------------------------------------------------

namespace {

// The step of the acceleration entry whose time has come.
int CurrentIncrement(const UpDown& u) {
  const DWORD held_seconds = (GetTickCount() - u.held_since) / 1000;
  int increment = 1;
  for (const UDACCEL& entry : u.accel) {
    if (entry.nSec > held_seconds) break;
    increment = static_cast<int>(std::min<UINT>(entry.nInc, INT32_MAX));
  }
  return increment;
}

// Moves by `delta`: past an end the position stops there, or with UDS_WRAP
// goes to the other end. True when it changed.
bool MoveBy(UpDown& u, int delta) {
  int64_t next = static_cast<int64_t>(u.pos) + delta;
  const bool wrap = (StyleOf(u.hwnd) & UDS_WRAP) != 0;
  if (next > Highest(u)) next = wrap ? Lowest(u) : Highest(u);
  if (next < Lowest(u)) next = wrap ? Highest(u) : Lowest(u);
  if (next == u.pos) return false;
  u.pos = static_cast<int>(next);
  return true;
}

void SendScroll(const UpDown& u, WORD code) {
  HWND parent = GetParent(u.hwnd);
  if (parent == nullptr) return;
  const UINT message = (StyleOf(u.hwnd) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
  SendMessageA(parent, message, MAKEWPARAM(code, static_cast<WORD>(u.pos)),
               reinterpret_cast<LPARAM>(u.hwnd));
}

// UDN_DELTAPOS: non-zero means the parent refuses the step; it may also
// have changed the step it was offered.
bool ParentRefuses(const UpDown& u, NMUPDOWN& request) {
  HWND parent = GetParent(u.hwnd);
  if (parent == nullptr) return false;
  const int id = GetDlgCtrlID(u.hwnd);
  request.hdr = {u.hwnd, static_cast<UINT_PTR>(id), UDN_DELTAPOS};
  return SendMessageA(parent, WM_NOTIFY, static_cast<WPARAM>(id),
                      reinterpret_cast<LPARAM>(&request)) != 0;
}

}  // namespace

bool Step(UpDown& u, Arrow arrow) {
  HWND hwnd = u.hwnd;
  const int increment = CurrentIncrement(u);
  int delta = arrow == Arrow::kUp ? increment : -increment;
  if (u.max < u.min) delta = -delta;  // up moves toward the maximum
  NMUPDOWN request{};
  request.iPos = u.pos;
  request.iDelta = delta;
  const bool refused = ParentRefuses(u, request);
  if (!IsAlive(hwnd, u)) return false;
  if (!refused && MoveBy(u, request.iDelta)) {
    ShowPositionInBuddy(u);
    if (!IsAlive(hwnd, u)) return false;
  }
  // Sent whether or not the step was taken, as Win32 does.
  SendScroll(u, SB_THUMBPOSITION);
  return IsAlive(hwnd, u);
}

// ---------------------------------------------------------------------------
// Holding an arrow
// ---------------------------------------------------------------------------

void BeginHold(UpDown& u, Arrow arrow, bool by_key) {
  if (StyleOf(u.hwnd) & UDS_SETBUDDYINT) ReadPositionFromBuddy(u);
  u.held = arrow;
  u.held_by_key = by_key;
  u.pointer_on_held = !by_key;
  u.held_since = GetTickCount();
  Redraw(u);
}

void EndHold(UpDown& u) {
  if (u.held == Arrow::kNone) return;
  const bool by_mouse = !u.held_by_key;
  HWND hwnd = u.hwnd;
  KillTimer(hwnd, kRepeatTimer);
  u.held = Arrow::kNone;
  u.held_by_key = false;
  u.pointer_on_held = false;
  Redraw(u);
  SendScroll(u, SB_ENDSCROLL);
  if (!IsAlive(hwnd, u)) return;
  // A click leaves the number selected, ready to be typed over.
  if (by_mouse && (StyleOf(hwnd) & UDS_SETBUDDYINT)) SelectBuddyText(u);
}

namespace {

// ---------------------------------------------------------------------------
// Mouse and keys
// ---------------------------------------------------------------------------

bool IsHorizontal(HWND hwnd) { return (StyleOf(hwnd) & UDS_HORZ) != 0; }

// The up arrow is the top half (the right half with UDS_HORZ); the down
// arrow takes the rest, so an odd pixel goes to it.
RECT ArrowRect(HWND hwnd, Arrow arrow) {
  RECT r;
  GetClientRect(hwnd, &r);
  if (IsHorizontal(hwnd)) {
    const int middle = r.right / 2;
    if (arrow == Arrow::kUp)
      r.left = middle;
    else
      r.right = middle;
  } else {
    const int middle = r.bottom / 2;
    if (arrow == Arrow::kUp)
      r.bottom = middle;
    else
      r.top = middle;
  }
  return r;
}

Arrow ArrowAt(HWND hwnd, LPARAM lparam) {
  const POINT p{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  for (Arrow arrow : {Arrow::kUp, Arrow::kDown}) {
    const RECT r = ArrowRect(hwnd, arrow);
    if (PtInRect(&r, p)) return arrow;
  }
  return Arrow::kNone;
}

LRESULT OnLButtonDown(UpDown& u, LPARAM lparam) {
  HWND hwnd = u.hwnd;
  const Arrow arrow = ArrowAt(hwnd, lparam);
  if (arrow == Arrow::kNone || u.held != Arrow::kNone) return 0;
  if (BuddyIsEdit(u)) {
    SetFocus(u.buddy);
    if (!IsAlive(hwnd, u)) return 0;
  }
  SetCapture(hwnd);
  BeginHold(u, arrow, false);
  if (!Step(u, arrow)) return 0;
  if (u.held == arrow) SetTimer(hwnd, kRepeatTimer, kFirstRepeatMs, nullptr);
  return 0;
}

LRESULT OnMouseMove(UpDown& u, LPARAM lparam) {
  if (u.held == Arrow::kNone || u.held_by_key || GetCapture() != u.hwnd) return 0;
  const bool on_held = ArrowAt(u.hwnd, lparam) == u.held;
  if (on_held == u.pointer_on_held) return 0;
  u.pointer_on_held = on_held;
  Redraw(u);
  return 0;
}

LRESULT OnLButtonUp(UpDown& u) {
  if (GetCapture() == u.hwnd) ReleaseCapture();  // WM_CAPTURECHANGED ends the hold
  return 0;
}

LRESULT OnCaptureChanged(UpDown& u) {
  if (!u.held_by_key) EndHold(u);
  return 0;
}

// Repeats while the pointer stays on the arrow it pressed; the first repeat
// waits longer than the others.
LRESULT OnTimer(UpDown& u, WPARAM id) {
  if (id != kRepeatTimer) return 0;
  if (u.held == Arrow::kNone || u.held_by_key) {
    KillTimer(u.hwnd, kRepeatTimer);
    return 0;
  }
  SetTimer(u.hwnd, kRepeatTimer, kRepeatMs, nullptr);
  if (u.pointer_on_held) Step(u, u.held);
  return 0;
}

}  // namespace

bool HandleArrowKey(UpDown& u, UINT message, WPARAM vk) {
  if (vk != VK_UP && vk != VK_DOWN) return false;
  if (!(StyleOf(u.hwnd) & UDS_ARROWKEYS) || !IsWindowEnabled(u.hwnd)) return false;
  const Arrow arrow = vk == VK_UP ? Arrow::kUp : Arrow::kDown;
  if (message == WM_KEYUP) {
    if (u.held != arrow || !u.held_by_key) return false;
    EndHold(u);
    return true;
  }
  if (u.held != Arrow::kNone && !u.held_by_key) return true;  // the mouse holds an arrow
  if (u.held != arrow) {
    HWND hwnd = u.hwnd;
    EndHold(u);  // the other arrow key was still down
    if (!IsAlive(hwnd, u)) return true;
    BeginHold(u, arrow, true);
  }
  Step(u, arrow);  // again for each repeat of the key
  return true;
}

namespace {

// ---------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------

UINT ArrowShape(HWND hwnd, Arrow arrow) {
  if (IsHorizontal(hwnd)) return arrow == Arrow::kUp ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT;
  return arrow == Arrow::kUp ? DFCS_SCROLLUP : DFCS_SCROLLDOWN;
}

bool LooksPushed(const UpDown& u, Arrow arrow) {
  return u.held == arrow && (u.held_by_key || u.pointer_on_held);
}

LRESULT OnPaint(UpDown& u) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(u.hwnd, &ps);
  if (dc == nullptr) return 0;
  const UINT inactive = IsWindowEnabled(u.hwnd) ? 0 : DFCS_INACTIVE;
  for (Arrow arrow : {Arrow::kUp, Arrow::kDown}) {
    RECT r = ArrowRect(u.hwnd, arrow);
    const UINT pushed = LooksPushed(u, arrow) ? DFCS_PUSHED : 0;
    DrawFrameControl(dc, &r, DFC_SCROLL, ArrowShape(u.hwnd, arrow) | pushed | inactive);
  }
  EndPaint(u.hwnd, &ps);
  return 0;
}

LRESULT OnEnable(UpDown& u, WPARAM enabled) {
  if (!enabled && u.held != Arrow::kNone) {
    if (!u.held_by_key && GetCapture() == u.hwnd)
      ReleaseCapture();
    else
      EndHold(u);
  }
  if (IsWindow(u.hwnd)) InvalidateRect(u.hwnd, nullptr, FALSE);
  return 0;
}

// ---------------------------------------------------------------------------
// UDM_ messages
// ---------------------------------------------------------------------------

LRESULT SetRange(UpDown& u, int min, int max) {
  u.min = min;
  u.max = max;
  u.pos = Clamped(u, u.pos);
  return 0;
}

LRESULT SetPosition(UpDown& u, int64_t pos) {
  const int old = u.pos;
  u.pos = Clamped(u, pos);
  ShowPositionInBuddy(u);
  return old;
}

LRESULT GetRange32(const UpDown& u, WPARAM min_out, LPARAM max_out) {
  if (auto* min = reinterpret_cast<int*>(min_out)) *min = u.min;
  if (auto* max = reinterpret_cast<int*>(max_out)) *max = u.max;
  return 0;
}

// The 32-bit position, refreshed from the buddy; *error_out non-zero when
// the buddy could not give it.
LRESULT GetPosition32(UpDown& u, LPARAM error_out) {
  const bool read = ReadPositionFromBuddy(u);
  if (auto* error = reinterpret_cast<BOOL*>(error_out)) *error = read ? FALSE : TRUE;
  return u.pos;
}

LRESULT GetPosition16(UpDown& u) {
  const bool read = ReadPositionFromBuddy(u);
  return MAKELONG(static_cast<WORD>(u.pos), read ? 0 : 1);
}

LRESULT SetAccel(UpDown& u, WPARAM count, LPARAM entries) {
  const auto* table = reinterpret_cast<const UDACCEL*>(entries);
  if (count == 0 || count > kMaxAccelEntries || table == nullptr) return FALSE;
  try {
    u.accel.assign(table, table + count);
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
  return TRUE;
}

LRESULT GetAccel(const UpDown& u, WPARAM room, LPARAM entries) {
  if (auto* out = reinterpret_cast<UDACCEL*>(entries)) {
    const size_t n = std::min<size_t>(room, u.accel.size());
    std::copy_n(u.accel.begin(), n, out);
  }
  return static_cast<LRESULT>(u.accel.size());
}

LRESULT SetBase(UpDown& u, WPARAM base) {
  if (base != 10 && base != 16) return 0;
  const int old = u.base;
  u.base = static_cast<int>(base);
  if (old != u.base) ShowPositionInBuddy(u);
  return old;
}

bool IsUpDownMessage(UINT message) { return message >= UDM_SETRANGE && message <= UDM_GETPOS32; }

LRESULT OnUpDownMessage(UpDown& u, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case UDM_SETRANGE:
      return SetRange(u, static_cast<int16_t>(HIWORD(lparam)),
                      static_cast<int16_t>(LOWORD(lparam)));
    case UDM_GETRANGE:
      return MAKELONG(static_cast<WORD>(u.max), static_cast<WORD>(u.min));
    case UDM_SETRANGE32:
      return SetRange(u, static_cast<int>(wparam), static_cast<int>(lparam));
    case UDM_GETRANGE32:
      return GetRange32(u, wparam, lparam);
    case UDM_SETPOS:
      return SetPosition(u, static_cast<int16_t>(LOWORD(lparam)));
    case UDM_GETPOS:
      return GetPosition16(u);
    case UDM_SETPOS32:
      return SetPosition(u, static_cast<int>(lparam));
    case UDM_GETPOS32:
      return GetPosition32(u, lparam);
    case UDM_SETBUDDY:
      return reinterpret_cast<LRESULT>(SetBuddy(u, reinterpret_cast<HWND>(wparam)));
    case UDM_GETBUDDY:
      return reinterpret_cast<LRESULT>(u.buddy);
    case UDM_SETACCEL:
      return SetAccel(u, wparam, lparam);
    case UDM_GETACCEL:
      return GetAccel(u, wparam, lparam);
    case UDM_SETBASE:
      return SetBase(u, wparam);
    case UDM_GETBASE:
      return u.base;
    default:
      return 0;
  }
}

// ---------------------------------------------------------------------------
// The window procedure
// ---------------------------------------------------------------------------

LRESULT OnNcCreate(HWND hwnd, LPARAM lparam) {
  UpDown* u = nullptr;
  try {
    u = new UpDown;
    u->accel.assign(std::begin(kDefaultAccel), std::end(kDefaultAccel));
  } catch (const std::bad_alloc&) {
    delete u;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  u->hwnd = hwnd;
  SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(u));
  return DefWindowProcA(hwnd, WM_NCCREATE, 0, lparam);
}

// The buddy UDS_AUTOBUDDY takes: the sibling made just before this one. Win32
// keeps children in creation order, where it is the previous window; this
// layer puts a new child on top, where it is the next one. At creation only
// one of the two exists.
HWND OlderNeighbour(HWND hwnd) {
  if (HWND previous = GetWindow(hwnd, GW_HWNDPREV)) return previous;
  return GetWindow(hwnd, GW_HWNDNEXT);
}

LRESULT OnCreate(UpDown& u) {
  if (StyleOf(u.hwnd) & UDS_AUTOBUDDY) SetBuddy(u, OlderNeighbour(u.hwnd));
  return 0;
}

LRESULT OnDestroy(UpDown& u) {
  KillTimer(u.hwnd, kRepeatTimer);
  u.held = Arrow::kNone;
  SetBuddy(u, nullptr);
  return 0;
}

LRESULT OnNcDestroy(HWND hwnd, UpDown* u, WPARAM wparam, LPARAM lparam) {
  SetWindowLongPtrA(hwnd, 0, 0);
  delete u;
  return DefWindowProcA(hwnd, WM_NCDESTROY, wparam, lparam);
}

LRESULT OnWindowMessage(UpDown& u, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(u);
    case WM_DESTROY:
      return OnDestroy(u);
    case WM_PAINT:
      return OnPaint(u);
    case WM_ERASEBKGND:
      return 1;  // the arrows cover the whole control
    case WM_ENABLE:
      return OnEnable(u, wparam);
    case WM_STYLECHANGED:
      InvalidateRect(u.hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
      return OnLButtonDown(u, lparam);
    case WM_MOUSEMOVE:
      return OnMouseMove(u, lparam);
    case WM_LBUTTONUP:
      return OnLButtonUp(u);
    case WM_CAPTURECHANGED:
      return OnCaptureChanged(u);
    case WM_TIMER:
      return OnTimer(u, wparam);
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (HandleArrowKey(u, message, wparam)) return 0;
      return DefWindowProcA(u.hwnd, message, wparam, lparam);
    default:
      return DefWindowProcA(u.hwnd, message, wparam, lparam);
  }
}

LRESULT UpDownProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) return OnNcCreate(hwnd, lparam);
  UpDown* u = UpDownOf(hwnd);
  if (u == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) return OnNcDestroy(hwnd, u, wparam, lparam);
  if (IsUpDownMessage(message)) return OnUpDownMessage(*u, message, wparam, lparam);
  return OnWindowMessage(*u, message, wparam, lparam);
}

}  // namespace

}  // namespace updown

void RegisterUpDownClass() {
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
  wc.lpfnWndProc = updown::UpDownProc;
  wc.cbWndExtra = sizeof(updown::UpDown*);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = UPDOWN_CLASSA;
  RegisterClassA(&wc);
}

}  // namespace platform::controls
