#include "platform/user/system_timer.h"

#include <algorithm>
#include <vector>

#include "platform/base/clock.h"
#include "platform/user/window.h"

namespace platform::user {

namespace {

bool IsSystemTimer(const Timer& t, HWND hwnd, UINT_PTR id) {
  return t.system != nullptr && t.hwnd == hwnd && t.id == id;
}

}  // namespace

bool SetSystemTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, SystemTimerProc proc) {
  Window* w = FindWindowQuiet(hwnd);
  if (w == nullptr || proc == nullptr) return false;
  MessageQueue& queue = QueueOf(w->thread_id);
  UINT elapse = std::max<UINT>(elapse_ms, USER_TIMER_MINIMUM);
  Timer timer{hwnd, id, elapse, nullptr, CurrentClock().NowMs() + elapse, proc};
  {
    std::lock_guard lock(queue.mutex);
    auto it = std::find_if(queue.timers.begin(), queue.timers.end(),
                           [&](const Timer& t) { return IsSystemTimer(t, hwnd, id); });
    if (it != queue.timers.end()) {
      *it = timer;
    } else {
      queue.timers.push_back(timer);
    }
  }
  queue.Notify();  // a waiting thread must learn of the earlier deadline
  return true;
}

void KillSystemTimer(HWND hwnd, UINT_PTR id) {
  Window* w = FindWindowQuiet(hwnd);
  MessageQueue& queue = w ? QueueOf(w->thread_id) : CurrentQueue();
  std::lock_guard lock(queue.mutex);
  std::erase_if(queue.timers, [&](const Timer& t) { return IsSystemTimer(t, hwnd, id); });
}

bool RunDueSystemTimers(MessageQueue& queue, uint64_t now) {
  struct Due {
    HWND hwnd;
    UINT_PTR id;
    SystemTimerProc proc;
  };
  std::vector<Due> due;
  {
    std::lock_guard lock(queue.mutex);
    for (Timer& t : queue.timers) {
      if (t.system == nullptr || t.due > now) continue;
      t.due = now + t.elapse;  // a late timer runs once, not once per period missed
      due.push_back({t.hwnd, t.id, t.system});
    }
  }
  // Outside the lock: the procedures draw, send messages and reset timers.
  // One of them may kill a timer that is due in the same round; that one
  // must not run any more.
  for (const Due& d : due) {
    bool alive = false;
    {
      std::lock_guard lock(queue.mutex);
      alive = std::any_of(queue.timers.begin(), queue.timers.end(), [&](const Timer& t) {
        return IsSystemTimer(t, d.hwnd, d.id) && t.system == d.proc;
      });
    }
    if (alive) d.proc(d.hwnd, d.id);
  }
  return !due.empty();
}

}  // namespace platform::user
