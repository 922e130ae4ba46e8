#include "runtime/forms/event_suspension.h"

#include "platform/win32.h"
#include "runtime/core/app_state.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/registry.h"

namespace runtime::forms {

namespace {

// The filter of the loaded window that holds the message's target, if any.
bool Filtered(MSG& msg) {
  for (HWND window = msg.hwnd; window != nullptr; window = GetParent(window)) {
    if (LoadedWindow* loaded = Registry().FindByHandle(window)) {
      return PreTranslateWindowMessage(*loaded, &msg);
    }
  }
  return false;
}

}  // namespace

void ProcessPendingMessages() {
  MSG msg{};
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The loop that waits for it is further out; leave it for that loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (Filtered(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void SuspendEvents() {
  ProcessPendingMessages();
  ++App().event_suppression;
}

void ResumeEvents() {
  ProcessPendingMessages();
  int32_t& counter = App().event_suppression;
  if (counter > 0) --counter;
}

}  // namespace runtime::forms
