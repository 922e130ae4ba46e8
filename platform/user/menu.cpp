// Menu records and the functions that build and read them. Handles come
// from their own table, above any command number a WM_COMMAND can carry, so
// an MF_POPUP item's id (its sub-menu's handle) never equals a command.
#include "platform/user/menu.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/base/gbk.h"
#include "platform/base/handle_table.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

constexpr uintptr_t kMenuHandleBase = 0x00A00000;
constexpr int kMaxDepth = 64;  // sub-menus deeper than this are not searched

HandleTable<Menu>& Menus() {
  static HandleTable<Menu> table;
  return table;
}

uintptr_t TableValue(HMENU menu) {
  const auto value = reinterpret_cast<uintptr_t>(menu);
  return value > kMenuHandleBase ? value - kMenuHandleBase : 0;
}

bool FindByCommand(HMENU handle, UINT id, int depth, ItemRef* found) {
  std::shared_ptr<Menu> menu = FindMenuQuiet(handle);
  if (menu == nullptr || depth > kMaxDepth) return false;
  std::optional<size_t> popup_with_id;
  for (size_t i = 0; i < menu->items.size(); ++i) {
    const MenuItem& item = menu->items[i];
    if (item.type & MF_POPUP) {
      if (FindByCommand(item.submenu, id, depth + 1, found)) return true;
      if (item.id == id && !popup_with_id) popup_with_id = i;
    } else if (item.id == id) {
      *found = ItemRef{handle, menu, i};
      return true;
    }
  }
  if (!popup_with_id) return false;
  *found = ItemRef{handle, menu, *popup_with_id};
  return true;
}

void CollectSubMenus(HMENU handle, int depth, std::vector<HMENU>* out) {
  std::shared_ptr<Menu> menu = FindMenuQuiet(handle);
  if (menu == nullptr || depth > kMaxDepth) return;
  for (const MenuItem& item : menu->items) {
    if (!(item.type & MF_POPUP) || !item.submenu) continue;
    if (std::find(out->begin(), out->end(), item.submenu) != out->end()) continue;
    out->push_back(item.submenu);
    CollectSubMenus(item.submenu, depth + 1, out);
  }
}

HMENU NewMenu(bool popup) {
  auto menu = std::make_shared<Menu>();
  menu->popup = popup;
  return reinterpret_cast<HMENU>(Menus().Insert(std::move(menu)) + kMenuHandleBase);
}

}  // namespace

std::shared_ptr<Menu> FindMenuQuiet(HMENU menu) { return Menus().Find(TableValue(menu)); }

std::shared_ptr<Menu> FindMenu(HMENU menu) {
  std::shared_ptr<Menu> found = FindMenuQuiet(menu);
  if (found == nullptr) SetLastError(ERROR_INVALID_MENU_HANDLE);
  return found;
}

bool FindItem(HMENU handle, UINT item, UINT flags, ItemRef* found) {
  if (flags & MF_BYPOSITION) {
    std::shared_ptr<Menu> menu = FindMenuQuiet(handle);
    if (menu == nullptr || item >= menu->items.size()) return false;
    *found = ItemRef{handle, menu, item};
    return true;
  }
  return FindByCommand(handle, item, 0, found);
}

std::vector<HMENU> SubMenusOf(HMENU menu) {
  std::vector<HMENU> out;
  CollectSubMenus(menu, 0, &out);
  return out;
}

bool IsSeparator(const MenuItem& item) { return (item.type & MF_SEPARATOR) != 0; }

bool IsEnabledItem(const MenuItem& item) {
  return !IsSeparator(item) && !(item.state & (MF_GRAYED | MF_DISABLED));
}

std::string MainText(const std::string& text) { return text.substr(0, text.find('\t')); }

std::string ShortcutText(const std::string& text) {
  const size_t tab = text.find('\t');
  return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

unsigned char MnemonicOf(const std::string& text) {
  const std::string main = MainText(text);
  for (size_t i = 0; i < main.size();) {
    const auto c = static_cast<unsigned char>(main[i]);
    if (c == '&' && i + 1 < main.size()) {
      const auto next = static_cast<unsigned char>(main[i + 1]);
      if (next != '&') return next >= 'A' && next <= 'Z' ? next - 'A' + 'a' : next;
      i += 2;
      continue;
    }
    i += gbk::IsLeadByte(c) && i + 1 < main.size() ? 2 : 1;
  }
  return 0;
}

}  // namespace platform::user

using platform::user::FindMenu;
using platform::user::ItemRef;
using platform::user::Menu;
using platform::user::MenuItem;

namespace {

// What AppendMenuA/InsertMenuA/ModifyMenuA describe, checked; false (with
// the last error) for what cannot be built.
bool DescribeItem(HMENU parent, UINT flags, UINT_PTR id, LPCSTR text, MenuItem* out) {
  if (flags & (MF_BITMAP | MF_OWNERDRAW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  MenuItem item;
  item.type = flags & (MF_SEPARATOR | MF_POPUP | MF_MENUBREAK | MF_MENUBARBREAK | MF_RIGHTJUSTIFY);
  item.state = flags & (MF_CHECKED | MF_GRAYED | MF_DISABLED);
  item.id = static_cast<UINT>(id);
  if (flags & MF_POPUP) {
    item.submenu = reinterpret_cast<HMENU>(id);
    if (FindMenu(item.submenu) == nullptr) return false;
    // A menu inside itself would make every search endless.
    std::vector<HMENU> below = platform::user::SubMenusOf(item.submenu);
    if (item.submenu == parent || std::find(below.begin(), below.end(), parent) != below.end()) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return false;
    }
  }
  if (!(item.type & MF_SEPARATOR)) {
    if (text == nullptr) {
      item.type |= MF_SEPARATOR;  // a string item without a string, as Windows takes it
    } else {
      item.text = text;
    }
  }
  *out = std::move(item);
  return true;
}

bool Insert(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR text) {
  std::shared_ptr<Menu> target = FindMenu(menu);
  if (target == nullptr) return false;
  MenuItem item;
  if (!DescribeItem(menu, flags, id, text, &item)) return false;
  size_t at = target->items.size();
  ItemRef ref;
  if (position != static_cast<UINT>(-1) || !(flags & MF_BYPOSITION)) {
    if (FindItem(menu, position, flags, &ref)) {
      target = ref.menu;
      at = ref.index;
    } else if (!(flags & MF_BYPOSITION)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return false;
    }
  }
  target->items.insert(target->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
  return true;
}

bool Remove(HMENU menu, UINT position, UINT flags, bool destroy_submenu) {
  if (FindMenu(menu) == nullptr) return false;
  ItemRef ref;
  if (!FindItem(menu, position, flags, &ref)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  HMENU submenu = ref.item().submenu;
  ref.menu->items.erase(ref.menu->items.begin() + static_cast<std::ptrdiff_t>(ref.index));
  const int removed = static_cast<int>(ref.index);
  if (ref.menu->focused == removed) ref.menu->focused = -1;
  if (ref.menu->focused > removed) --ref.menu->focused;
  if (destroy_submenu && submenu) DestroyMenu(submenu);
  return true;
}

}  // namespace

HMENU CreateMenu() { return platform::user::NewMenu(false); }

HMENU CreatePopupMenu() { return platform::user::NewMenu(true); }

BOOL DestroyMenu(HMENU hMenu) {
  if (FindMenu(hMenu) == nullptr) return FALSE;
  std::vector<HMENU> doomed = platform::user::SubMenusOf(hMenu);
  doomed.insert(doomed.begin(), hMenu);
  for (HMENU m : doomed) platform::user::Menus().Remove(platform::user::TableValue(m));
  return TRUE;
}

BOOL IsMenu(HMENU hMenu) { return platform::user::FindMenuQuiet(hMenu) ? TRUE : FALSE; }

BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
  return Insert(hMenu, static_cast<UINT>(-1), (uFlags & ~MF_BYCOMMAND) | MF_BYPOSITION, uIDNewItem,
                lpNewItem)
             ? TRUE
             : FALSE;
}

BOOL InsertMenuA(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
  return Insert(hMnu, uPosition, uFlags, uIDNewItem, lpNewItem) ? TRUE : FALSE;
}

BOOL ModifyMenuA(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
  if (FindMenu(hMnu) == nullptr) return FALSE;
  ItemRef ref;
  if (!FindItem(hMnu, uPosition, uFlags, &ref)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  MenuItem item;
  if (!DescribeItem(ref.handle, uFlags, uIDNewItem, lpNewItem, &item)) return FALSE;
  HMENU old_submenu = ref.item().submenu;
  item.rect = ref.item().rect;
  ref.item() = std::move(item);
  if (old_submenu && old_submenu != ref.item().submenu) DestroyMenu(old_submenu);
  return TRUE;
}

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
  return Remove(hMenu, uPosition, uFlags, true) ? TRUE : FALSE;
}

BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
  return Remove(hMenu, uPosition, uFlags, false) ? TRUE : FALSE;
}

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
  ItemRef ref;
  if (!platform::user::FindItem(hMenu, uIDCheckItem, uCheck, &ref)) return static_cast<DWORD>(-1);
  const DWORD previous = ref.item().state & MF_CHECKED;
  ref.item().state = (ref.item().state & ~MF_CHECKED) | (uCheck & MF_CHECKED);
  return previous;
}

BOOL EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
  ItemRef ref;
  if (!platform::user::FindItem(hMenu, uIDEnableItem, uEnable, &ref)) return -1;
  constexpr UINT kBits = MF_GRAYED | MF_DISABLED;
  const BOOL previous = static_cast<BOOL>(ref.item().state & kBits);
  ref.item().state = (ref.item().state & ~kBits) | (uEnable & kBits);
  return previous;
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
  ItemRef ref;
  if (!platform::user::FindItem(hMenu, uId, uFlags, &ref)) return static_cast<UINT>(-1);
  const MenuItem& item = ref.item();
  UINT state = item.state | (item.type & ~MF_RIGHTJUSTIFY);
  if (ref.menu->focused == static_cast<int>(ref.index)) state |= MF_HILITE;
  if (!(item.type & MF_POPUP)) return state;
  std::shared_ptr<Menu> sub = platform::user::FindMenuQuiet(item.submenu);
  const UINT count = sub ? static_cast<UINT>(std::min<size_t>(sub->items.size(), 0xFF)) : 0;
  return (count << 8) | (state & 0xFF);
}

int GetMenuItemCount(HMENU hMenu) {
  std::shared_ptr<Menu> menu = FindMenu(hMenu);
  return menu ? static_cast<int>(menu->items.size()) : -1;
}

UINT GetMenuItemID(HMENU hMenu, int nPos) {
  ItemRef ref;
  if (nPos < 0 || !platform::user::FindItem(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION, &ref)) {
    return static_cast<UINT>(-1);
  }
  return (ref.item().type & MF_POPUP) ? static_cast<UINT>(-1) : ref.item().id;
}

HMENU GetSubMenu(HMENU hMenu, int nPos) {
  ItemRef ref;
  if (nPos < 0 || !platform::user::FindItem(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION, &ref)) {
    return nullptr;
  }
  return (ref.item().type & MF_POPUP) ? ref.item().submenu : nullptr;
}

int GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags) {
  ItemRef ref;
  if (lpString != nullptr && cchMax > 0) lpString[0] = '\0';
  if (!platform::user::FindItem(hMenu, uIDItem, flags, &ref)) return 0;
  const std::string& text = ref.item().text;
  if (lpString == nullptr || cchMax <= 0) return static_cast<int>(text.size());
  // Whole characters only: a lead byte without its trail byte stays out.
  size_t n = 0;
  const size_t room = static_cast<size_t>(cchMax) - 1;
  while (n < text.size()) {
    const size_t step = platform::gbk::IsLeadByte(static_cast<unsigned char>(text[n])) ? 2 : 1;
    if (n + step > room || n + step > text.size()) break;
    n += step;
  }
  std::memcpy(lpString, text.data(), n);
  lpString[n] = '\0';
  return static_cast<int>(n);
}
