// GetMessage, PeekMessage and what they hand out in which order: sent
// messages are run first, then posted messages, input, the quit message, and
// only when nothing else waits WM_PAINT and then WM_TIMER.
#include <algorithm>
#include <cstring>

#include "platform/base/clock.h"
#include "platform/display/display.h"
#include "platform/user/message_queue.h"
#include "platform/user/painting.h"
#include "platform/user/system_timer.h"
#include "platform/user/window.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

constexpr uint64_t kNoDeadline = UINT64_MAX;

struct Filter {
  HWND hwnd;
  UINT min;
  UINT max;

  bool Accepts(UINT message) const {
    return (min == 0 && max == 0) || (message >= min && message <= max);
  }
  bool AcceptsWindow(HWND target) const {
    if (hwnd == nullptr) return true;
    if (hwnd == reinterpret_cast<HWND>(-1)) return target == nullptr;
    return target == hwnd || IsChild(hwnd, target);
  }
  bool Matches(const MSG& m) const { return Accepts(m.message) && AcceptsWindow(m.hwnd); }
};

DWORD PackPoint(POINT pt) { return static_cast<DWORD>(MAKELONG(pt.x, pt.y)); }

bool TakePosted(MessageQueue& q, const Filter& f, bool remove, MSG* out) {
  auto it = std::find_if(q.posted.begin(), q.posted.end(), [&](auto& m) { return f.Matches(m); });
  if (it == q.posted.end()) return false;
  *out = *it;
  if (remove) q.posted.erase(it);
  return true;
}

void ApplyKeyTransition(MessageQueue& q, const InputMessage& input) {
  if (input.vk < 0 || input.vk > 255) return;
  BYTE& state = q.key_state[input.vk];
  if (input.down) {
    if (!(state & 0x80)) state ^= 0x01;  // toggle on each new press
    state |= 0x80;
  } else {
    state &= static_cast<BYTE>(~0x80);
  }
}

// `focus` is the window keyboard input goes to now (the focus, else the
// active window), worked out before the queue is locked.
bool TakeInput(MessageQueue& q, const Filter& f, bool remove, HWND focus, MSG* out) {
  if (focus != nullptr) {
    for (InputMessage& in : q.input) {
      if (in.follows_focus) in.msg.hwnd = focus;
    }
  }
  auto it =
      std::find_if(q.input.begin(), q.input.end(), [&](auto& in) { return f.Matches(in.msg); });
  if (it == q.input.end()) return false;
  *out = it->msg;
  if (remove) {
    ApplyKeyTransition(q, *it);
    q.input.erase(it);
  }
  return true;
}

bool TakeQuit(MessageQueue& q, const Filter& f, bool remove, MSG* out) {
  if (!q.quit_pending || !f.Accepts(WM_QUIT)) return false;
  *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quit_code), 0, 0, {}};
  if (remove) q.quit_pending = false;
  return true;
}

bool TakeTimer(MessageQueue& q, const Filter& f, bool remove, uint64_t now, MSG* out) {
  for (Timer& t : q.timers) {
    if (t.system || t.due > now || !f.Accepts(WM_TIMER) || !f.AcceptsWindow(t.hwnd)) continue;
    *out =
        MSG{t.hwnd, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc), static_cast<DWORD>(now), {}};
    if (remove) t.due = now + t.elapse;  // a late timer fires once, not once per period missed
    return true;
  }
  return false;
}

uint64_t NextTimerDue(MessageQueue& q) {
  std::lock_guard lock(q.mutex);
  uint64_t due = kNoDeadline;
  for (const Timer& t : q.timers) due = std::min(due, t.due);
  return due;
}

bool Fetch(MessageQueue& q, const Filter& f, bool remove, MSG* out) {
  const uint64_t now = CurrentClock().NowMs();
  HWND focus = GetFocus();
  if (focus == nullptr) focus = GetActiveWindow();
  {
    std::lock_guard lock(q.mutex);
    if (TakePosted(q, f, remove, out) || TakeInput(q, f, remove, focus, out) ||
        TakeQuit(q, f, remove, out)) {
      if (remove && out->message != WM_QUIT) {
        q.message_pos = PackPoint(out->pt);
        q.message_time = static_cast<LONG>(out->time);
      }
      return true;
    }
  }
  if (f.Accepts(WM_PAINT)) {
    HWND paint = FindWindowToPaint(q.thread_id(), f.hwnd);
    if (paint != nullptr) {
      *out = MSG{paint, WM_PAINT, 0, 0, static_cast<DWORD>(now), {}};
      return true;
    }
  }
  // The system's own timers come with the timers, and what they do may
  // queue more work.
  if (RunDueSystemTimers(q, now)) return Fetch(q, f, remove, out);
  std::lock_guard lock(q.mutex);
  return TakeTimer(q, f, remove, now, out);
}

// The display shows what was painted whenever the UI thread's queue runs dry,
// and at least once a frame while it stays busy, so a steady stream of
// messages (a fast timer, a long drag) cannot keep the screen from updating.
constexpr uint64_t kFrameMs = 16;

Display* UiDisplay(const MessageQueue& q) {
  Display* display = CurrentDisplay();
  return display != nullptr && q.thread_id() == DisplayThread() ? display : nullptr;
}

void Present(MessageQueue& q, Display& display) {
  q.last_present_ms = platform::CurrentClock().NowMs();
  display.Present();
}

void PresentIfFrameDue(MessageQueue& q) {
  Display* display = UiDisplay(q);
  if (display != nullptr && platform::CurrentClock().NowMs() - q.last_present_ms >= kFrameMs) {
    Present(q, *display);
  }
}

// Blocks until the queue may have something: through the display on the UI
// thread (which then also gathers device input), on the queue elsewhere.
void WaitForWork(MessageQueue& q, uint64_t deadline) {
  if (Display* display = UiDisplay(q)) {
    Present(q, *display);
    display->WaitForEvents(deadline);
    return;
  }
  std::unique_lock lock(q.mutex);
  // Slices keep a virtual clock's deadlines honoured: it moves without
  // telling this queue.
  q.changed.wait_for(lock, std::chrono::milliseconds(10), [&] {
    return !q.posted.empty() || !q.input.empty() || !q.sent.empty() || q.quit_pending;
  });
  (void)deadline;
}

}  // namespace

bool RetrieveMessage(MSG* msg, HWND hwnd, UINT min, UINT max, bool remove, bool wait) {
  MessageQueue& q = CurrentQueue();
  Filter filter{hwnd, min, max};
  for (;;) {
    ProcessSentMessages(q);
    PresentIfFrameDue(q);
    if (Fetch(q, filter, remove, msg)) return true;
    if (!wait) {
      if (Display* display = UiDisplay(q)) Present(q, *display);
      return false;
    }
    WaitForWork(q, NextTimerDue(q));
  }
}

}  // namespace platform::user

BOOL GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  if (lpMsg == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (hWnd != nullptr && hWnd != reinterpret_cast<HWND>(-1) && !IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return -1;
  }
  platform::user::RetrieveMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true, true);
  return lpMsg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
  if (lpMsg == nullptr) return FALSE;
  return platform::user::RetrieveMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax,
                                         (wRemoveMsg & PM_REMOVE) != 0, false)
             ? TRUE
             : FALSE;
}

BOOL WaitMessage() {
  MSG msg;
  platform::user::MessageQueue& q = platform::user::CurrentQueue();
  while (!platform::user::RetrieveMessage(&msg, nullptr, 0, 0, false, false)) {
    platform::user::WaitForWork(q, platform::user::NextTimerDue(q));
  }
  return TRUE;
}

DWORD GetQueueStatus(UINT flags) {
  platform::user::MessageQueue& q = platform::user::CurrentQueue();
  DWORD status = 0;
  {
    std::lock_guard lock(q.mutex);
    if (!q.posted.empty() || q.quit_pending) status |= QS_POSTMESSAGE;
    if (!q.sent.empty()) status |= QS_SENDMESSAGE;
    for (const auto& in : q.input) {
      UINT m = in.msg.message;
      if (m == WM_MOUSEMOVE || m == WM_NCMOUSEMOVE)
        status |= QS_MOUSEMOVE;
      else if (m >= WM_KEYFIRST && m <= WM_KEYLAST)
        status |= QS_KEY;
      else
        status |= QS_MOUSEBUTTON;
    }
    uint64_t now = platform::CurrentClock().NowMs();
    for (const auto& t : q.timers) {
      if (t.due <= now && !t.system) status |= QS_TIMER;
    }
  }
  if (platform::user::FindWindowToPaint(q.thread_id(), nullptr)) status |= QS_PAINT;
  status &= flags;
  return (status << 16) | status;
}

DWORD GetMessagePos() { return platform::user::CurrentQueue().message_pos; }

LONG GetMessageTime() { return platform::user::CurrentQueue().message_time; }

SHORT GetKeyState(int nVirtKey) {
  if (nVirtKey < 0 || nVirtKey > 255) return 0;
  BYTE state = platform::user::CurrentQueue().key_state[nVirtKey];
  return static_cast<SHORT>(((state & 0x80) ? 0x8000 : 0) | (state & 0x01));
}

BOOL GetKeyboardState(BYTE* lpKeyState) {
  if (lpKeyState == nullptr) return FALSE;
  std::memcpy(lpKeyState, platform::user::CurrentQueue().key_state, 256);
  return TRUE;
}
