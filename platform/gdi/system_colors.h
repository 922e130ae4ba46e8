// The system colours GetSysColor answers with.
//
// They are the defaults of the standard Windows 7 / Windows 10 colour scheme
// (light grey 3-D faces of RGB(240, 240, 240), blue selection highlight), the
// look the runtime's forms were laid out against. There is no SetSysColors,
// so they never change.
#pragma once

#include "platform/win32.h"

namespace platform::gdi {

constexpr int kSystemColorCount = COLOR_MENUBAR + 1;

// Index 25 has no colour on Windows either.
bool IsSystemColorIndex(int index);
// RGB(0, 0, 0) for indices that are not system colours.
COLORREF SystemColor(int index);

}  // namespace platform::gdi
