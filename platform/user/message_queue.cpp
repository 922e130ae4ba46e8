// Queues, posting and sending. Retrieval (GetMessage, PeekMessage) lives in
// message_retrieval.cpp.
#include "platform/user/message_queue.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <memory>

#include "platform/base/clock.h"
#include "platform/display/display.h"
#include "platform/user/window.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

std::mutex g_queues_mutex;
std::map<DWORD, std::unique_ptr<MessageQueue>> g_queues;

bool IsMouseMove(UINT message) { return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE; }

}  // namespace

DWORD CurrentThreadId() {
  thread_local DWORD id = static_cast<DWORD>(::syscall(SYS_gettid));
  return id;
}

MessageQueue& QueueOf(DWORD thread_id) {
  std::lock_guard lock(g_queues_mutex);
  auto& queue = g_queues[thread_id];
  if (!queue) queue = std::make_unique<MessageQueue>(thread_id);
  return *queue;
}

MessageQueue& CurrentQueue() {
  thread_local MessageQueue* queue = &QueueOf(CurrentThreadId());
  return *queue;
}

void MessageQueue::Notify() {
  changed.notify_all();
  if (thread_id_ == DisplayThread()) {
    if (Display* display = CurrentDisplay()) display->Wake();
  }
}

void PostInput(const InputMessage& input) {
  Window* w = FindWindowQuiet(input.msg.hwnd);
  if (w == nullptr) return;
  MessageQueue& queue = QueueOf(w->thread_id);
  {
    std::lock_guard lock(queue.mutex);
    if (IsMouseMove(input.msg.message) && !queue.input.empty()) {
      InputMessage& last = queue.input.back();
      if (last.msg.message == input.msg.message && last.msg.hwnd == input.msg.hwnd &&
          last.msg.wParam == input.msg.wParam) {
        last = input;  // only the newest position matters
        return;
      }
    }
    queue.input.push_back(input);
  }
  queue.Notify();
}

LRESULT CallProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Window* w = FindWindowQuiet(hwnd);
  if (w == nullptr || w->proc == nullptr) return 0;
  return w->proc(hwnd, message, wparam, lparam);
}

void ProcessSentMessages(MessageQueue& queue) {
  for (;;) {
    SentMessage* sent = nullptr;
    {
      std::lock_guard lock(queue.mutex);
      if (queue.sent.empty()) return;
      sent = queue.sent.front();
      queue.sent.pop_front();
    }
    ++queue.send_depth;
    LRESULT result = CallProc(sent->hwnd, sent->message, sent->wparam, sent->lparam);
    --queue.send_depth;
    {
      // The sender waits on this queue's condition for the answer.
      std::lock_guard lock(queue.mutex);
      sent->result = result;
      sent->done = true;
    }
    queue.changed.notify_all();
  }
}

void ForgetWindow(HWND hwnd) {
  Window* w = FindWindowQuiet(hwnd);
  if (w == nullptr) return;
  MessageQueue& queue = QueueOf(w->thread_id);
  std::lock_guard lock(queue.mutex);
  std::erase_if(queue.posted, [&](const MSG& m) { return m.hwnd == hwnd; });
  std::erase_if(queue.input, [&](const InputMessage& m) { return m.msg.hwnd == hwnd; });
  std::erase_if(queue.timers, [&](const Timer& t) { return t.hwnd == hwnd; });
}

// Sends to a window of another thread and waits for its answer, running the
// messages sent to this thread meanwhile so two threads sending to each
// other do not deadlock.
LRESULT SendToOtherThread(Window* w, UINT message, WPARAM wparam, LPARAM lparam) {
  MessageQueue& target = QueueOf(w->thread_id);
  MessageQueue& own = CurrentQueue();
  SentMessage sent{w->hwnd, message, wparam, lparam, 0, false};
  {
    std::lock_guard lock(target.mutex);
    target.sent.push_back(&sent);
  }
  target.Notify();
  for (;;) {
    ProcessSentMessages(own);
    std::unique_lock lock(target.mutex);
    if (target.changed.wait_for(lock, std::chrono::milliseconds(5), [&] { return sent.done; })) {
      return sent.result;
    }
    if (FindWindowQuiet(w->hwnd) == nullptr) {
      std::erase(target.sent, &sent);
      return 0;
    }
  }
}

}  // namespace platform::user

using platform::user::CurrentQueue;
using platform::user::FindWindow;
using platform::user::MessageQueue;
using platform::user::QueueOf;

LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  platform::user::Window* w = FindWindow(hWnd);
  if (w == nullptr) return 0;
  if (w->thread_id != platform::user::CurrentThreadId()) {
    return platform::user::SendToOtherThread(w, Msg, wParam, lParam);
  }
  return platform::user::CallProc(hWnd, Msg, wParam, lParam);
}

BOOL InSendMessage() { return CurrentQueue().send_depth > 0 ? TRUE : FALSE; }

namespace {
BOOL PostTo(MessageQueue& queue, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  MSG m{hwnd,       msg, wparam, lparam, static_cast<DWORD>(platform::CurrentClock().NowMs()),
        POINT{0, 0}};
  {
    std::lock_guard lock(queue.mutex);
    m.pt = {GET_X_LPARAM(queue.message_pos), GET_Y_LPARAM(queue.message_pos)};
    queue.posted.push_back(m);
  }
  queue.Notify();
  return TRUE;
}
}  // namespace

BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd == nullptr) return PostTo(CurrentQueue(), nullptr, Msg, wParam, lParam);
  platform::user::Window* w = FindWindow(hWnd);
  if (w == nullptr) return FALSE;
  return PostTo(QueueOf(w->thread_id), hWnd, Msg, wParam, lParam);
}

BOOL PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (idThread == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return PostTo(QueueOf(idThread), nullptr, Msg, wParam, lParam);
}

void PostQuitMessage(int nExitCode) {
  MessageQueue& queue = CurrentQueue();
  {
    std::lock_guard lock(queue.mutex);
    queue.quit_pending = true;
    queue.quit_code = nExitCode;
  }
  queue.Notify();
}

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
  if (hWnd != nullptr && FindWindow(hWnd) == nullptr) return 0;
  MessageQueue& queue =
      hWnd ? QueueOf(platform::user::FindWindow(hWnd)->thread_id) : CurrentQueue();
  UINT elapse = std::max<UINT>(uElapse, USER_TIMER_MINIMUM);
  uint64_t due = platform::CurrentClock().NowMs() + elapse;
  std::lock_guard lock(queue.mutex);
  if (hWnd == nullptr) {
    // Thread timers get fresh ids unless an existing one is named again.
    bool exists = std::any_of(queue.timers.begin(), queue.timers.end(), [&](auto& t) {
      return t.hwnd == nullptr && t.id == nIDEvent && !t.system;
    });
    if (!exists) {
      static UINT_PTR next_id = 1;
      nIDEvent = next_id++;
    }
  }
  for (auto& t : queue.timers) {
    if (t.hwnd == hWnd && t.id == nIDEvent && !t.system) {
      t = {hWnd, nIDEvent, elapse, lpTimerFunc, due};
      return hWnd ? 1 : nIDEvent;
    }
  }
  queue.timers.push_back({hWnd, nIDEvent, elapse, lpTimerFunc, due});
  return hWnd ? 1 : nIDEvent;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
  platform::user::Window* w = hWnd ? FindWindow(hWnd) : nullptr;
  if (hWnd != nullptr && w == nullptr) return FALSE;
  MessageQueue& queue = w ? QueueOf(w->thread_id) : CurrentQueue();
  std::lock_guard lock(queue.mutex);
  size_t removed = std::erase_if(
      queue.timers, [&](const auto& t) { return t.hwnd == hWnd && t.id == uIDEvent && !t.system; });
  // A WM_TIMER already made but not yet retrieved cannot exist: they are made
  // on retrieval.
  return removed > 0 ? TRUE : FALSE;
}
