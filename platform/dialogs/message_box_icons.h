// The message box's four icons: a red stop sign with a white cross
// (MB_ICONHAND), a blue disc with a question mark (MB_ICONQUESTION), a yellow
// warning triangle with an exclamation mark (MB_ICONEXCLAMATION) and a blue
// disc with an "i" (MB_ICONASTERISK). They are our own drawings, computed
// as 32 x 32 pictures with smooth edges and made into icons once per
// process; they are shared and never destroyed.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32.h"

namespace platform::dialogs {

// The icon for the MB_ICONMASK bits of a message box style; null for none
// (or an icon value that is not one of the four).
HICON MessageBoxIcon(UINT style);

// The picture behind it: 32 x 32 ARGB pixels, top row first; empty for
// none.
std::vector<uint32_t> MessageBoxIconPixels(UINT style);

}  // namespace platform::dialogs
