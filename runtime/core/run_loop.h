// The message loop: idle time while the queue is empty, then every message
// offered to the window objects before it is translated and dispatched.
#pragma once

#include "platform/win32.h"

namespace runtime {

// Runtime entry 10. Returns when WM_QUIT arrives (its wParam is kept as the
// application state's quit code), or at once when no loaded window is live.
void RunMessageLoop();

// The same loop for a modal window: it also returns as soon as
// `running_modally` is false, checked after each idle pass and each message.
// A WM_QUIT that arrives meanwhile is posted again for the outer loop.
void RunModalLoop(const bool& running_modally);

// One retrieved message handled as the loop handles it: offered to the window
// objects first, then translated and dispatched unless one consumed it. For
// pumps that stand in for the loop (tests, scripts).
void HandleRetrievedMessage(MSG& msg);

// True when a loaded window other than `except` has a live window handle.
bool AnyLoadedWindowLive(HWND except = nullptr);

// Told by the window framework that the loaded window `window` is being
// destroyed: once the loop has started and no other loaded window is live,
// the quit message is posted.
void NoteLoadedWindowDestroyed(HWND window);

}  // namespace runtime
