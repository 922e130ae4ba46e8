// The one entry point for device input. Both displays call it on the UI
// thread; tests and scripts call it through the headless display. Device
// events become queued messages for the capture window, the window under the
// pointer, or the focus window, as Windows routes them.
#pragma once

#include <string_view>

#include "platform/win32/user.h"

namespace platform::input {

enum class Button { kLeft, kRight, kMiddle };

void MouseMove(POINT screen);
void MouseButton(Button button, bool down);  // at the current pointer position
void MouseWheel(int delta);  // multiples of WHEEL_DELTA, positive away from the user
// A key with its Win32 virtual-key code. Printable characters also arrive as
// Text; Enter, Tab, Esc, Backspace and Ctrl combinations get their WM_CHAR
// from TranslateMessage.
void Key(UINT vk, bool down, UINT scan_code = 0, bool extended = false);
// Text typed (input methods included), GBK: one WM_CHAR a byte.
void Text(std::string_view gbk);

// A destroyed window's handle may come back for a new window: a press on the
// old one must not make the next press on the new one a double click.
void ForgetPressesOn(HWND hwnd);

POINT PointerPosition();

}  // namespace platform::input
