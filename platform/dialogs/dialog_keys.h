// The keyboard of the layer's own modal dialogs, as the Win32 dialog
// manager (IsDialogMessage) gives it:
// - Tab and Shift+Tab move the focus along the controls with WS_TABSTOP, the
//   arrow keys within the focused control's group (from a WS_GROUP control
//   up to the next one); a control that asks for these keys in its
//   WM_GETDLGCODE answer gets them instead.
// - Enter clicks the focused push button, else the default push button
//   (WM_COMMAND with its id and BN_CLICKED to the dialog, IDOK when there is
//   none); Esc sends IDCANCEL the same way.
// - A letter, with or without Alt, clicks the button whose text marks that
//   letter with '&' (the focus moves to it first).
// - A push button that takes the focus becomes the default button, and the
//   previous default one a plain push button.
// Tab order is the controls' z-order from the first child down, which is
// the order of creation on Windows; dialogs that build their controls
// themselves should keep it so.
#pragma once

#include "platform/win32.h"

namespace platform::dialogs {

// True when `msg` was for `dialog` or one of its controls: it has then been
// handled, as a dialog key or by translating and dispatching it. False for
// other windows' messages, which the caller dispatches itself.
bool DialogMessage(HWND dialog, MSG* msg);

// Gives `control` the focus, moving the default-button role with it.
void FocusDialogControl(HWND dialog, HWND control);

}  // namespace platform::dialogs
