// What the window manager tells the clipboard: a window is going away.
#pragma once

#include "platform/win32/user.h"

namespace platform::user {

// A clipboard the window has open is closed; if it owns the clipboard, the
// data stays and the clipboard has no owner any more.
void ForgetClipboardWindow(HWND hwnd);

}  // namespace platform::user
