// Sleep and the tick count, read from the layer's one clock so that a
// virtual clock drives them in tests.
#include <thread>

#include "platform/base/clock.h"
#include "platform/win32.h"

void Sleep(DWORD dwMilliseconds) {
  if (dwMilliseconds == 0) {
    std::this_thread::yield();
    return;
  }
  platform::Clock& clock = platform::CurrentClock();
  if (dwMilliseconds != INFINITE) {
    clock.SleepFor(dwMilliseconds);
    return;
  }
  for (;;) clock.SleepFor(INFINITE);
}

DWORD GetTickCount() { return static_cast<DWORD>(platform::CurrentClock().NowMs()); }

ULONGLONG GetTickCount64() { return platform::CurrentClock().NowMs(); }
