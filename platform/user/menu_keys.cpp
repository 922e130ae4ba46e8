// The keyboard in and around the menu loop.
//
// Outside it, Alt or F10 pressed and released with no other key between
// asks for the menu (SC_KEYMENU). Inside it: Left and Right move along the
// bar (or close and open sub-menus), Up and Down move within a popup (and
// open the bar item's popup), Enter runs the focused item, Esc closes one
// level, Alt or F10 leave the menus, and a typed character runs the item
// whose mnemonic it is - or, when several share it, focuses the next of
// them. Mnemonics come as WM_CHAR (typed text) or WM_SYSCHAR (with Alt),
// as they do for dialogs.
#include <vector>

#include "platform/user/menu_track.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

struct MenuKeyState {
  bool alt_alone = false;  // Alt is down and no other key came since
  bool f10_down = false;
};

MenuKeyState& KeyState() {
  thread_local MenuKeyState state;
  return state;
}

bool IsRepeat(LPARAM lparam) { return (lparam & (1 << 30)) != 0; }

// The level keys work on: the deepest popup, else the bar.
int CurrentLevel(const MenuTracker& t) {
  return t.popups.empty() ? kBarLevel : static_cast<int>(t.popups.size()) - 1;
}

void Escape(MenuTracker& t) {
  t.drop_on_hover = false;
  if (t.popups.size() > 1 || (t.popups.size() == 1 && t.bar != nullptr)) {
    CloseFrom(t, t.popups.size() - 1);
  } else {
    Cancel(t);
  }
}

void Horizontal(MenuTracker& t, int step) {
  const int level = CurrentLevel(t);
  if (level >= 0) {
    const auto at = static_cast<size_t>(level);
    if (step > 0 && OpenSubMenu(t, at, FocusedItem(LevelMenu(t, level)), true)) return;
    if (step < 0 && level > 0) {
      CloseFrom(t, at);
      return;
    }
  }
  if (t.bar == nullptr) return;
  const int next = NextItem(t.bar, FocusedItem(t.bar), step);
  if (next >= 0) SelectBarItem(t, next, t.popups.empty() ? Open::kNo : Open::kSelectFirst);
}

void Vertical(MenuTracker& t, int step) {
  const int level = CurrentLevel(t);
  if (level == kBarLevel) {
    const int focused = FocusedItem(t.bar);
    if (focused >= 0) SelectBarItem(t, focused, Open::kSelectFirst);
    return;
  }
  const int next = NextItem(LevelMenu(t, level), FocusedItem(LevelMenu(t, level)), step);
  if (next >= 0) SelectPopupItem(t, static_cast<size_t>(level), next);
}

void Mnemonic(MenuTracker& t, WPARAM character) {
  const unsigned char c = LOBYTE(character);
  const unsigned char wanted = c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
  if (wanted < 0x20) return;  // Enter, Esc and the like come as keys
  const int level = CurrentLevel(t);
  std::shared_ptr<Menu> menu = FindMenuQuiet(LevelMenu(t, level));
  if (menu == nullptr) return;
  std::vector<int> matches;
  for (size_t i = 0; i < menu->items.size(); ++i) {
    if (!IsSeparator(menu->items[i]) && MnemonicOf(menu->items[i].text) == wanted) {
      matches.push_back(static_cast<int>(i));
    }
  }
  if (matches.size() == 1) {
    ExecuteItem(t, level, matches.front());
    return;
  }
  if (matches.empty()) return;
  int next = matches.front();
  for (int m : matches) {
    if (m > menu->focused) {
      next = m;
      break;
    }
  }
  if (level == kBarLevel) {
    SelectBarItem(t, next, Open::kNo);
  } else {
    SelectPopupItem(t, static_cast<size_t>(level), next);
  }
}

void KeyDown(MenuTracker& t, const MSG& msg) {
  switch (msg.wParam) {
    case VK_MENU:
    case VK_F10:
      if (!IsRepeat(msg.lParam)) Cancel(t);
      break;
    case VK_ESCAPE:
      Escape(t);
      break;
    case VK_LEFT:
      Horizontal(t, -1);
      break;
    case VK_RIGHT:
      Horizontal(t, 1);
      break;
    case VK_UP:
      Vertical(t, -1);
      break;
    case VK_DOWN:
      Vertical(t, 1);
      break;
    case VK_RETURN: {
      const int level = CurrentLevel(t);
      ExecuteItem(t, level, FocusedItem(LevelMenu(t, level)));
      break;
    }
    default:
      TranslateMessage(&msg);  // Alt with a letter comes back as WM_SYSCHAR
      break;
  }
}

}  // namespace

void OnMenuKey(MenuTracker& t, const MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      KeyDown(t, msg);
      break;
    case WM_CHAR:
    case WM_SYSCHAR:
      Mnemonic(t, msg.wParam);
      break;
    default:
      break;  // releases and the rest are taken without effect
  }
}

bool MenuKeyCompleted(UINT message, WPARAM vk, LPARAM lparam) {
  MenuKeyState& s = KeyState();
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (vk == VK_MENU) {
        if (!IsRepeat(lparam)) s = {true, false};
      } else if (vk == VK_F10) {
        // Shift+F10 asks for a context menu instead.
        s = {false, !(GetKeyState(VK_SHIFT) & 0x8000)};
      } else {
        s = {};
      }
      return false;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      const bool due = (vk == VK_MENU && s.alt_alone) || (vk == VK_F10 && s.f10_down);
      if (due || vk == VK_MENU || vk == VK_F10) s = {};
      return due;
    }
    default:
      return false;
  }
}

}  // namespace platform::user
