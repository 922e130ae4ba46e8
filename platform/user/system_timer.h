// Timers of the window manager itself: the caret's blink and the repeat of a
// held scroll arrow. They live in the owning thread's queue beside the
// application's timers and wake its message waits the same way, but the
// queue runs them itself when it would hand out WM_TIMER, so a window never
// sees them and SetTimer ids never collide with them.
#pragma once

#include <cstdint>

#include "platform/user/message_queue.h"

namespace platform::user {

// Starts (or restarts) the system timer `id` of `hwnd`'s thread; `proc` runs
// on that thread every `elapse_ms` (at least USER_TIMER_MINIMUM). False when
// the window is gone.
bool SetSystemTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, SystemTimerProc proc);
void KillSystemTimer(HWND hwnd, UINT_PTR id);

// Runs the system timers of `queue` that are due at `now` (each once, then
// due again a period later); true when any ran. The queue's own thread only.
bool RunDueSystemTimers(MessageQueue& queue, uint64_t now);

}  // namespace platform::user
