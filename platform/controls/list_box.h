// The LISTBOX control and "ComboLBox", the list a combo box drops down (or,
// for CBS_SIMPLE, shows below its edit field). Both classes share one
// window procedure; a ComboLBox serves the combo box named by its creation
// parameter instead of its parent or owner.
//
// What a ComboLBox tells its combo box travels as WM_COMMAND with the
// list's window in lParam: LBN_SELCHANGE when the keyboard (or, in a
// CBS_SIMPLE list, the mouse) changed the selection, LBN_DBLCLK, and the
// private codes below. While dropped, the list holds the mouse capture:
// the pointer moves the highlight without telling anyone, a release over
// an item accepts it, and a press outside the list cancels.
#pragma once

#include "platform/win32.h"

namespace platform::controls {

inline constexpr char kComboListClassName[] = "ComboLBox";

// Private WM_COMMAND codes from a ComboLBox to its combo box.
inline constexpr WORD kListAccepted = 0x7F01;   // the user chose the highlighted item
inline constexpr WORD kListCancelled = 0x7F02;  // the user pressed outside, or capture was lost
inline constexpr WORD kListDestroyed = 0x7F03;  // the list is going away

// Registers "ListBox" and "ComboLBox" (system_classes.cpp calls it once).
void RegisterListBoxClasses();

}  // namespace platform::controls
