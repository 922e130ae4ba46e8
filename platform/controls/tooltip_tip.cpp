// The tip: when it shows (the pointer resting in a tool for the delay),
// what it says (the tool's text or TTN_GETDISPINFOA's answer), where it
// goes (below the pointer, on the work area), how it looks, and when it
// goes (the pointer left, a click, the auto-pop delay).
//
// Index: state - the tip's text and size - showing and hiding - following
// the pointer - painting.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/controls/tooltip_control.h"

namespace platform::controls::tooltip {

namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kAutoPopTimer = 2;
constexpr UINT_PTR kLeaveTimer = 3;
constexpr UINT kLeaveCheckMs = 100;

constexpr int kBorder = 1;   // the black frame
constexpr int kMarginX = 3;  // between the frame and the text
constexpr int kMarginY = 2;
constexpr int kBelowPointer = 20;  // clears the arrow pointer's shape
constexpr int kGapBelowTool = 2;   // TTF_CENTERTIP

}  // namespace

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

Tooltip* TooltipOf(HWND hwnd) { return reinterpret_cast<Tooltip*>(GetWindowLongPtrA(hwnd, 0)); }

bool IsAlive(HWND hwnd, const Tooltip& t) { return IsWindow(hwnd) && TooltipOf(hwnd) == &t; }

DWORD StyleOf(const Tooltip& t) { return static_cast<DWORD>(GetWindowLongA(t.hwnd, GWL_STYLE)); }

int InitialDelay(const Tooltip& t) {
  return t.initial_ms >= 0 ? t.initial_ms : static_cast<int>(GetDoubleClickTime());
}
int AutoPopDelay(const Tooltip& t) {
  return t.autopop_ms >= 0 ? t.autopop_ms : static_cast<int>(GetDoubleClickTime()) * 10;
}
int ReshowDelay(const Tooltip& t) {
  return t.reshow_ms >= 0 ? t.reshow_ms : static_cast<int>(GetDoubleClickTime()) / 5;
}

namespace {

// WM_NOTIFY to the window that holds the tool; the answer.
LRESULT Notify(const Tooltip& t, const Tool& tool, UINT code) {
  NMHDR header{t.hwnd, tool.id, code};
  return SendMessageA(tool.hwnd, WM_NOTIFY, static_cast<WPARAM>(tool.id),
                      reinterpret_cast<LPARAM>(&header));
}

// ---------------------------------------------------------------------------
// The tip's text and size
// ---------------------------------------------------------------------------

// TTN_GETDISPINFOA: the text the answer points at (or wrote into szText).
// TTF_DI_SETITEM keeps it as the tool's own text from then on.
std::string AskForText(Tooltip& t, const Tool& tool) {
  const ToolKey key = tool.key();
  NMTTDISPINFOA info{};
  info.hdr = {t.hwnd, tool.id, TTN_GETDISPINFOA};
  info.lpszText = info.szText;
  info.hinst = tool.hinst;
  info.uFlags = tool.flags;
  info.lParam = tool.lparam;
  SendMessageA(tool.hwnd, WM_NOTIFY, static_cast<WPARAM>(tool.id), reinterpret_cast<LPARAM>(&info));
  std::string text;
  if (info.lpszText == info.szText) {
    text.assign(info.szText, strnlen(info.szText, sizeof info.szText));
  } else if (info.lpszText != nullptr && info.lpszText != LPSTR_TEXTCALLBACKA &&
             !IS_INTRESOURCE(info.lpszText)) {
    text = info.lpszText;
  }
  if (info.uFlags & TTF_DI_SETITEM) {
    if (Tool* kept = t.tools.Find(key)) {
      kept->text = text;
      kept->callback = false;
    }
  }
  return text;
}

// Without TTS_NOPREFIX, Win32 ends the text at its first tab (and DrawText
// hides the '&' marks).
std::string TextOf(Tooltip& t, const Tool& tool) {
  std::string text = tool.callback ? AskForText(t, tool) : tool.text;
  if (!(StyleOf(t) & TTS_NOPREFIX)) text = text.substr(0, text.find('\t'));
  return text;
}

UINT TextFormat(const Tooltip& t) {
  UINT format = DT_LEFT | DT_TOP;
  format |= (StyleOf(t) & TTS_NOPREFIX) ? DT_NOPREFIX | DT_EXPANDTABS : DT_HIDEPREFIX;
  format |= t.max_width >= 0 ? DT_WORDBREAK : DT_SINGLELINE;
  return format;
}

HFONT FontOf(const Tooltip& t) { return t.font ? t.font : t.status_font; }

SIZE TipSize(const Tooltip& t) {
  RECT text{0, 0, std::max(t.max_width, 0), 0};
  if (HDC dc = GetDC(t.hwnd)) {
    HGDIOBJ old = SelectObject(dc, FontOf(t));
    DrawTextA(dc, t.text.c_str(), -1, &text, TextFormat(t) | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(t.hwnd, dc);
  }
  return {text.right - text.left + 2 * (kBorder + kMarginX),
          text.bottom - text.top + 2 * (kBorder + kMarginY)};
}

// ---------------------------------------------------------------------------
// Showing and hiding
// ---------------------------------------------------------------------------

RECT ToolScreenRect(const Tool& tool) {
  RECT r = tool.rect;
  if (tool.flags & TTF_IDISHWND) GetClientRect(tool.window(), &r);
  MapWindowPoints(tool.window(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Below-right of the pointer (or centred below the tool), moved back onto
// the work area; above when there is no room below.
POINT PlaceTip(const Tool& tool, SIZE size) {
  POINT pointer;
  GetCursorPos(&pointer);
  POINT at{pointer.x, pointer.y + kBelowPointer};
  int above = pointer.y - size.cy;
  if (tool.flags & TTF_CENTERTIP) {
    const RECT r = ToolScreenRect(tool);
    at = {(r.left + r.right - size.cx) / 2, r.bottom + kGapBelowTool};
    above = r.top - kGapBelowTool - size.cy;
  }
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  at.x = std::max<LONG>(std::min<LONG>(at.x, work.right - size.cx), work.left);
  if (at.y + size.cy > work.bottom) at.y = above;
  at.y = std::max<LONG>(at.y, work.top);
  return at;
}

}  // namespace

void KillAllTimers(const Tooltip& t) {
  for (UINT_PTR id : {kShowTimer, kAutoPopTimer, kLeaveTimer}) KillTimer(t.hwnd, id);
}

// Takes the tip off the screen (TTN_POP first); the phase is the caller's.
void HideTip(Tooltip& t) {
  KillTimer(t.hwnd, kAutoPopTimer);
  if (!IsWindowVisible(t.hwnd)) return;
  HWND hwnd = t.hwnd;
  if (Tool* tool = t.current ? t.tools.Find(*t.current) : nullptr) Notify(t, *tool, TTN_POP);
  if (IsAlive(hwnd, t)) ShowWindow(hwnd, SW_HIDE);
}

void Reset(Tooltip& t) {
  KillTimer(t.hwnd, kShowTimer);
  KillTimer(t.hwnd, kLeaveTimer);
  HideTip(t);
  t.phase = Phase::kIdle;
  t.current.reset();
}

namespace {

void WaitToShow(Tooltip& t, int delay_ms) {
  t.phase = Phase::kWaiting;
  t.wait_ms = delay_ms;
  SetTimer(t.hwnd, kShowTimer, static_cast<UINT>(std::max(delay_ms, 0)), nullptr);
}

// Shown, or popped until the pointer leaves: the pointer is checked.
void Settle(Tooltip& t, Phase phase) {
  t.phase = phase;
  SetTimer(t.hwnd, kLeaveTimer, kLeaveCheckMs, nullptr);
}

// A receiver of TTN_SHOW that answers non-zero has placed the tip itself.
void ShowTip(Tooltip& t, const ToolKey key) {
  HWND hwnd = t.hwnd;
  const UINT quiet = SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  const SIZE size = TipSize(t);
  SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, size.cx, size.cy, quiet | SWP_NOMOVE | SWP_FRAMECHANGED);
  Tool* tool = t.tools.Find(key);
  const bool placed = tool && Notify(t, *tool, TTN_SHOW) != 0;
  if (!IsAlive(hwnd, t)) return;
  tool = t.tools.Find(key);
  if (tool == nullptr) return Reset(t);
  if (!placed) {
    const POINT at = PlaceTip(*tool, size);
    SetWindowPos(hwnd, nullptr, at.x, at.y, 0, 0, quiet | SWP_NOSIZE | SWP_NOZORDER);
  }
  SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, quiet | SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  InvalidateRect(hwnd, nullptr, TRUE);
  Settle(t, Phase::kShown);
  SetTimer(hwnd, kAutoPopTimer, static_cast<UINT>(std::max(AutoPopDelay(t), 0)), nullptr);
}

}  // namespace

// The tip keeps its place and takes the new size.
void RefreshTip(Tooltip& t) {
  if (t.phase != Phase::kShown || !t.current) return;
  HWND hwnd = t.hwnd;
  Tool* tool = t.tools.Find(*t.current);
  if (tool == nullptr) return;
  std::string text = TextOf(t, *tool);
  if (!IsAlive(hwnd, t)) return;
  t.text = std::move(text);
  const SIZE size = TipSize(t);
  SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  InvalidateRect(hwnd, nullptr, TRUE);
}

// ---------------------------------------------------------------------------
// Following the pointer
// ---------------------------------------------------------------------------

namespace {

bool PointerInTool(const Tool& tool) {
  HWND window = tool.window();
  if (!IsWindow(window) || !IsWindowVisible(window)) return false;
  POINT pointer;
  GetCursorPos(&pointer);
  if (WindowFromPoint(pointer) != window) return false;
  ScreenToClient(window, &pointer);
  return tool.Contains(window, pointer);
}

// Without TTS_ALWAYSTIP, tips show only for tools of the active window.
bool MayShowFor(const Tooltip& t, const Tool& tool) {
  if (StyleOf(t) & TTS_ALWAYSTIP) return true;
  HWND active = GetActiveWindow();
  return active != nullptr &&
         GetAncestor(active, GA_ROOTOWNER) == GetAncestor(tool.window(), GA_ROOTOWNER);
}

void OnPointerMoved(Tooltip& t, HWND window, POINT client) {
  const Tool* tool = t.tools.HitTest(window, client);
  if (tool == nullptr) return Reset(t);
  const ToolKey key = tool->key();
  if (t.current != key) {
    const bool was_shown = t.phase == Phase::kShown;
    Reset(t);
    if (!IsWindow(t.hwnd)) return;
    t.current = key;
    WaitToShow(t, was_shown ? ReshowDelay(t) : InitialDelay(t));
  } else if (t.phase == Phase::kWaiting || t.phase == Phase::kIdle) {
    WaitToShow(t, t.phase == Phase::kWaiting ? t.wait_ms : InitialDelay(t));  // still resting
  }
}

}  // namespace

void Dismiss(Tooltip& t) {
  KillTimer(t.hwnd, kShowTimer);
  HideTip(t);
  if (t.current) {
    Settle(t, Phase::kDone);
  } else {
    t.phase = Phase::kIdle;
  }
}

LRESULT Relay(Tooltip& t, const MSG* msg) {
  if (msg == nullptr || !t.active || !IsWindow(msg->hwnd)) return 0;
  if (msg->message == WM_MOUSEMOVE) {
    OnPointerMoved(t, msg->hwnd, {GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)});
  } else if (msg->message >= WM_LBUTTONDOWN && msg->message <= WM_MBUTTONDBLCLK) {
    Dismiss(t);
  }
  return 0;
}

namespace {

LRESULT OnShowTimer(Tooltip& t) {
  KillTimer(t.hwnd, kShowTimer);
  Tool* tool = t.current ? t.tools.Find(*t.current) : nullptr;
  if (t.phase != Phase::kWaiting || tool == nullptr) return 0;
  if (!PointerInTool(*tool) || !MayShowFor(t, *tool)) {
    Reset(t);
    return 0;
  }
  HWND hwnd = t.hwnd;
  const ToolKey key = tool->key();
  std::string text = TextOf(t, *tool);
  if (!IsAlive(hwnd, t) || t.current != key) return 0;
  if (text.empty()) {
    Settle(t, Phase::kDone);  // nothing to say for this tool now
    return 0;
  }
  t.text = std::move(text);
  ShowTip(t, key);
  return 0;
}

}  // namespace

LRESULT OnTimer(Tooltip& t, WPARAM id) {
  switch (id) {
    case kShowTimer:
      return OnShowTimer(t);
    case kAutoPopTimer:
      KillTimer(t.hwnd, kAutoPopTimer);
      if (t.phase == Phase::kShown) {
        HideTip(t);
        if (IsWindow(t.hwnd)) t.phase = Phase::kDone;
      }
      return 0;
    case kLeaveTimer: {
      const Tool* tool = t.current ? t.tools.Find(*t.current) : nullptr;
      if (tool == nullptr || !PointerInTool(*tool)) Reset(t);
      return 0;
    }
    default:
      return 0;
  }
}

// ---------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------

// The info colours in a black frame.
void PaintTip(const Tooltip& t, HDC dc) {
  RECT r;
  GetClientRect(t.hwnd, &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  InflateRect(&r, -(kBorder + kMarginX), -(kBorder + kMarginY));
  HGDIOBJ old_font = SelectObject(dc, FontOf(t));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  DrawTextA(dc, t.text.c_str(), -1, &r, TextFormat(t));
  SelectObject(dc, old_font);
}

}  // namespace platform::controls::tooltip
