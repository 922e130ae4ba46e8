// Per-thread message queues: posted messages, input, sent messages from other
// threads, timers, and the quit flag. WM_PAINT and WM_TIMER are never stored:
// they are made when the queue has nothing else, as on Windows.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/win32/user.h"

namespace platform::user {

// An input message and the key transition it carries; the thread's key state
// (GetKeyState) changes when the message is taken from the queue.
struct InputMessage {
  MSG msg{};
  int vk = -1;  // key or mouse button whose state changes, or -1
  bool down = false;
  // Keyboard input goes to whichever window has the focus when it is read,
  // not when it was typed: a Tab handled earlier moves where later keys land.
  bool follows_focus = false;
};

struct SentMessage {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
  LRESULT result = 0;
  bool done = false;
};

// Runs a timer of the system itself (caret blink, scroll-bar repeat).
using SystemTimerProc = void (*)(HWND hwnd, UINT_PTR id);

struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT elapse = 0;
  TIMERPROC proc = nullptr;
  uint64_t due = 0;  // clock ms
  // Set for the system's own timers: the queue runs them itself and never
  // hands them out as WM_TIMER, and SetTimer/KillTimer never see them.
  SystemTimerProc system = nullptr;
};

class MessageQueue {
 public:
  explicit MessageQueue(DWORD thread_id) : thread_id_(thread_id) {}
  DWORD thread_id() const { return thread_id_; }

  std::mutex mutex;
  std::condition_variable changed;
  std::deque<MSG> posted;
  std::deque<InputMessage> input;
  std::deque<SentMessage*> sent;
  std::vector<Timer> timers;
  bool quit_pending = false;
  int quit_code = 0;
  BYTE key_state[256] = {};  // as of the input message being processed
  DWORD message_pos = 0;     // GetMessagePos of the last message retrieved
  LONG message_time = 0;
  int send_depth = 0;            // > 0 while handling a message sent from another thread
  uint64_t last_present_ms = 0;  // UI thread: when the display last presented

  void Notify();  // wakes a waiting GetMessage, on this thread or the display

 private:
  DWORD thread_id_;
};

MessageQueue& QueueOf(DWORD thread_id);
MessageQueue& CurrentQueue();
DWORD CurrentThreadId();

// Adds an input message for `msg.hwnd`'s thread; a mouse move replaces a
// mouse move for the same window still waiting at the end of the queue.
void PostInput(const InputMessage& input);

// Runs the messages other threads sent to this thread.
void ProcessSentMessages(MessageQueue& queue);

// Calls a window procedure for `hwnd` as SendMessage does on its own thread.
LRESULT CallProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Removes every timer and queued message of a window being destroyed.
void ForgetWindow(HWND hwnd);

}  // namespace platform::user
