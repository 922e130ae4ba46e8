// Accelerator tables and TranslateAcceleratorA. A table is a copy of the
// ACCEL entries it was made from, behind a handle of its own table.
//
// Matching, as Windows does it: a key message matches an FVIRTKEY entry for
// the same virtual key when exactly the entry's Ctrl, Shift and Alt keys
// are down (GetKeyState, so as of the message); a character message matches
// an entry without FVIRTKEY for the same character when Alt is down or not
// as the entry says; a key message with Alt down also matches an FALT entry
// without FVIRTKEY for the same code. The first match in table order wins.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/base/handle_table.h"
#include "platform/user/menu.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

constexpr uintptr_t kAccelHandleBase = 0x00B00000;
constexpr BYTE kModifiers = FSHIFT | FCONTROL | FALT;

struct AcceleratorTable {
  std::vector<ACCEL> entries;
};

HandleTable<AcceleratorTable>& Tables() {
  static HandleTable<AcceleratorTable> table;
  return table;
}

uintptr_t TableValue(HACCEL accel) {
  const auto value = reinterpret_cast<uintptr_t>(accel);
  return value > kAccelHandleBase ? value - kAccelHandleBase : 0;
}

std::shared_ptr<AcceleratorTable> FindTable(HACCEL accel) {
  std::shared_ptr<AcceleratorTable> table = Tables().Find(TableValue(accel));
  if (table == nullptr) SetLastError(ERROR_INVALID_ACCEL_HANDLE);
  return table;
}

BYTE ModifiersDown() {
  BYTE down = 0;
  if (GetKeyState(VK_CONTROL) & 0x8000) down |= FCONTROL;
  if (GetKeyState(VK_SHIFT) & 0x8000) down |= FSHIFT;
  if (GetKeyState(VK_MENU) & 0x8000) down |= FALT;
  return down;
}

bool Matches(const ACCEL& entry, const MSG& msg, BYTE down) {
  if (msg.wParam != entry.key) return false;
  const bool virtual_key = (entry.fVirt & FVIRTKEY) != 0;
  if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
    return !virtual_key && (down & FALT) == (entry.fVirt & FALT);
  }
  if (virtual_key) return down == (entry.fVirt & kModifiers);
  const bool alt_message = (msg.lParam & (1 << 29)) != 0;
  return (entry.fVirt & FALT) && alt_message;
}

// Where the item opening `popup` sits in its parent menu, somewhere below
// `root`; 0 when no item does.
int PositionInParent(HMENU root, HMENU popup) {
  std::vector<HMENU> menus = SubMenusOf(root);
  menus.insert(menus.begin(), root);
  for (HMENU parent : menus) {
    for (int i = 0; i < GetMenuItemCount(parent); ++i) {
      if (GetSubMenu(parent, i) == popup) return i;
    }
  }
  return 0;
}

// When `cmd` is an item of the window's menu, the program hears of the
// menu as if it were opened, and the item's state decides; false when the
// key is to be taken without a command.
bool MenuAllowsCommand(HWND hwnd, WORD cmd) {
  Window* w = FindWindowQuiet(hwnd);
  const HMENU bar = BarOf(w);
  ItemRef ref;
  if (bar == nullptr || !FindItem(bar, cmd, MF_BYCOMMAND, &ref)) return true;
  if (!IsWindowEnabled(hwnd)) return false;
  if (GetCapture() == nullptr) {
    const HMENU holder = ref.handle;
    SendMessageA(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
    if (holder != bar) {
      SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(holder),
                   MAKELPARAM(PositionInParent(bar, holder), FALSE));
    }
  }
  if (!IsWindow(hwnd) || IsIconic(hwnd)) return false;
  const UINT state = GetMenuState(GetMenu(hwnd), cmd, MF_BYCOMMAND);
  return state == static_cast<UINT>(-1) || !(state & (MF_GRAYED | MF_DISABLED));
}

}  // namespace

}  // namespace platform::user

using platform::user::AcceleratorTable;

HACCEL CreateAcceleratorTableA(LPACCEL paccel, int cAccel) {
  if (paccel == nullptr || cAccel <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto table = std::make_shared<AcceleratorTable>();
  table->entries.assign(paccel, paccel + cAccel);
  const uintptr_t value = platform::user::Tables().Insert(std::move(table));
  return reinterpret_cast<HACCEL>(value + platform::user::kAccelHandleBase);
}

BOOL DestroyAcceleratorTable(HACCEL hAccel) {
  if (platform::user::Tables().Remove(platform::user::TableValue(hAccel)) == nullptr) {
    SetLastError(ERROR_INVALID_ACCEL_HANDLE);
    return FALSE;
  }
  return TRUE;
}

int CopyAcceleratorTableA(HACCEL hAccelSrc, LPACCEL lpAccelDst, int cAccelEntries) {
  std::shared_ptr<AcceleratorTable> table = platform::user::FindTable(hAccelSrc);
  if (table == nullptr) return 0;
  const int count = static_cast<int>(table->entries.size());
  if (lpAccelDst == nullptr) return count;
  const int copied = std::clamp(cAccelEntries, 0, count);
  std::copy_n(table->entries.begin(), copied, lpAccelDst);
  return copied;
}

int TranslateAcceleratorA(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg) {
  if (lpMsg == nullptr || !IsWindow(hWnd)) {
    SetLastError(lpMsg == nullptr ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  std::shared_ptr<AcceleratorTable> table = platform::user::FindTable(hAccTable);
  if (table == nullptr) return 0;
  const UINT message = lpMsg->message;
  if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN && message != WM_CHAR &&
      message != WM_SYSCHAR) {
    return 0;
  }
  const BYTE down = platform::user::ModifiersDown();
  for (const ACCEL& entry : table->entries) {
    if (!platform::user::Matches(entry, *lpMsg, down)) continue;
    if (platform::user::MenuAllowsCommand(hWnd, entry.cmd)) {
      SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
    }
    return 1;
  }
  return 0;
}
