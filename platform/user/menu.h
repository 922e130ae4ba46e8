// Menus: the records behind HMENU handles and what the rest of the window
// manager needs of them (the bar in the non-client area, the menu loop, the
// accelerators).
//
// Menus are held by handle, never by pointer, across anything that sends a
// message: a handler may destroy the menu it is told about.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/user/window.h"

namespace platform::user {

struct MenuItem {
  UINT type = MF_STRING;  // MF_SEPARATOR, MF_POPUP, MF_MENUBREAK, MF_MENUBARBREAK, MF_RIGHTJUSTIFY
  UINT state = 0;         // MF_CHECKED, MF_GRAYED, MF_DISABLED
  UINT id = 0;            // the command; for MF_POPUP the sub-menu's handle as given
  HMENU submenu = nullptr;  // MF_POPUP only
  std::string text;         // GBK; '&' marks the mnemonic, '\t' starts the shortcut text
  RECT rect{};              // from the last layout: popup client or bar coordinates
};

struct Menu {
  bool popup = false;  // made by CreatePopupMenu
  std::vector<MenuItem> items;
  int focused = -1;      // the highlighted item (MF_HILITE), -1 for none
  bool dropped = false;  // a bar whose focused item shows its popup (drawn pressed)
  // From the last popup layout: its size and where shortcut texts start.
  SIZE size{};
  int shortcut_x = 0;
};

// The menu behind a handle; null (and ERROR_INVALID_MENU_HANDLE) when there
// is none.
std::shared_ptr<Menu> FindMenu(HMENU menu);
std::shared_ptr<Menu> FindMenuQuiet(HMENU menu);

// An item found by command or position (MF_BYCOMMAND / MF_BYPOSITION in
// `flags`). By command the search goes depth first into sub-menus, and an
// item opening a sub-menu is matched by its id only when nothing inside
// matches; `found.handle` is the menu that holds the item.
struct ItemRef {
  HMENU handle = nullptr;
  std::shared_ptr<Menu> menu;
  size_t index = 0;
  MenuItem& item() const { return menu->items[index]; }
};
bool FindItem(HMENU menu, UINT item, UINT flags, ItemRef* found);

// The sub-menus `menu` opens, directly or further down (each once).
std::vector<HMENU> SubMenusOf(HMENU menu);

bool IsSeparator(const MenuItem& item);
// Neither grayed nor disabled, and not a separator.
bool IsEnabledItem(const MenuItem& item);
// The text before and after the first '\t'.
std::string MainText(const std::string& text);
std::string ShortcutText(const std::string& text);
// The mnemonic character ('&' followed by a character other than '&'),
// ASCII letters in lower case; 0 when there is none.
unsigned char MnemonicOf(const std::string& text);

// ---------------------------------------------------------------------------
// The bar (menu_bar.cpp)
// ---------------------------------------------------------------------------

// The window's bar if it has one it may show (not a child window).
HMENU BarOf(const Window* w);
// Lays `w`'s bar out for a window `window_width` wide and returns its
// height (SM_CYMENU a row), 0 without a bar; remembered as the bar's room.
int LayOutMenuBar(Window* w, int window_width);
// Where the bar is, in window coordinates; empty without one.
RECT MenuBarRect(const Window* w);
// The bar item at `screen`, or -1.
int MenuBarItemAt(const Window* w, POINT screen);
// A bar item's rectangle on the screen.
RECT MenuBarItemScreenRect(const Window* w, int index);
// Paints the bar on `w`'s window DC (from WM_NCPAINT), and at once.
void PaintMenuBar(HDC window_dc, Window* w);
void RedrawMenuBar(HWND hwnd);
// Makes `menu` (or none) `w`'s bar; the frame is not recomputed here.
void AdoptMenuBar(Window* w, HMENU menu);
// Destroys the window's menu as DestroyWindow does.
void DestroyMenuOf(Window* w);

// ---------------------------------------------------------------------------
// The menu loop (menu_track.cpp, menu_keys.cpp)
// ---------------------------------------------------------------------------

// DefWindowProc's parts: a press on the bar (SC_MOUSEMENU), the menu key
// (SC_KEYMENU: `key` 0 for Alt or F10, else the mnemonic character).
void TrackMenuBarWithMouse(HWND hwnd, POINT screen);
void TrackMenuBarWithKey(HWND hwnd, WPARAM key);
// Whether Alt or F10 pressed and released on their own ask for the menu:
// DefWindowProc hands every key message here; true when the menu key was
// completed (SC_KEYMENU is due).
bool MenuKeyCompleted(UINT message, WPARAM vk, LPARAM lparam);

}  // namespace platform::user
