// The menu loop, shared by its mouse part (menu_track.cpp) and its keys
// (menu_keys.cpp). One loop runs at a time on a thread. It holds the mouse
// (the capture of the window whose menu it is) and takes every key while
// it runs, shows popups level by level, and ends with a choice or a cancel.
//
// Levels: -1 is the bar, 0 the first popup, 1 a sub-menu of it, and so on.
#pragma once

#include <vector>

#include "platform/user/menu.h"

namespace platform::user {

struct MenuLevel {
  HMENU menu = nullptr;
  HWND window = nullptr;
};

struct MenuTracker {
  HWND owner = nullptr;           // gets the notifications and the WM_COMMAND
  HMENU bar = nullptr;            // the bar tracked; null for TrackPopupMenu
  std::vector<MenuLevel> popups;  // shown, outermost first
  UINT flags = 0;                 // TPM_ flags
  bool done = false;
  UINT chosen = 0;              // the command chosen; 0 for none
  bool drop_on_hover = false;   // moving along the bar opens popups (mouse mode)
  bool release_closes = false;  // a press on the open bar item: its release ends the loop
  bool Notifies() const { return !(flags & TPM_NONOTIFY); }
};

enum class Open { kNo, kYes, kSelectFirst };

constexpr int kBarLevel = -1;

// The menu shown at `level` (kBarLevel: the bar); null past the last one.
HMENU LevelMenu(const MenuTracker& t, int level);
int FocusedItem(HMENU menu);
// The next item after `from` in direction `step` (+1 or -1) that is not a
// separator, wrapping round; -1 when there is none. `from` -1 starts at
// the first (or last) item.
int NextItem(HMENU menu, int from, int step);

// Focuses a bar item, closing what is open, and shows its popup if asked
// (kSelectFirst also focuses the popup's first item).
void SelectBarItem(MenuTracker& t, int index, Open open);
// Focuses an item of a shown popup (-1: none; separators count as none).
void SelectPopupItem(MenuTracker& t, size_t level, int index);
// Shows the sub-menu of item `index` of `level` beside it; false when the
// item opens none (or a grayed one).
bool OpenSubMenu(MenuTracker& t, size_t level, int index, bool select_first);
// Hides the popups from `level` down.
void CloseFrom(MenuTracker& t, size_t level);
// What Enter does with an item: shows its popup with the first item
// focused, or chooses it; a grayed or disabled command ends the loop.
void ExecuteItem(MenuTracker& t, int level, int index);
void Cancel(MenuTracker& t);

// A key message taken by the loop (menu_keys.cpp).
void OnMenuKey(MenuTracker& t, const MSG& msg);

}  // namespace platform::user
