// The window menu (system menu) of a top-level window: a copy of the
// standard one is made for the window the first time GetSystemMenu asks for
// it, so a program can change it; the caption drag and the window's own
// commands honour what the copy still holds.
#include "platform/user/system_menu.h"

#include "platform/base/gbk.h"
#include "platform/user/menu.h"
#include "platform/user/window.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

HMENU NewStandardMenu() {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return nullptr;
  const struct {
    UINT command;
    const char* text;  // UTF-8
  } kItems[] = {{SC_RESTORE, "还原(&R)"},      {SC_MOVE, "移动(&M)"},       {SC_SIZE, "大小(&S)"},
                {SC_MINIMIZE, "最小化(&N)"},   {SC_MAXIMIZE, "最大化(&X)"}, {0, nullptr},
                {SC_CLOSE, "关闭(&C)\tAlt+F4"}};
  for (const auto& item : kItems) {
    if (item.text == nullptr) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuA(menu, MF_STRING, item.command, gbk::Gbk(item.text).c_str());
    }
  }
  return menu;
}

}  // namespace

void DestroySystemMenuOf(Window* w) {
  HMENU menu = w->system_menu;
  w->system_menu = nullptr;
  if (menu != nullptr && IsMenu(menu)) DestroyMenu(menu);
}

bool SystemCommandAllowed(const Window* w, UINT command) {
  if (w->system_menu == nullptr) return true;
  ItemRef item;
  return FindItem(w->system_menu, command, MF_BYCOMMAND, &item) && IsEnabledItem(item.item());
}

}  // namespace platform::user

HMENU GetSystemMenu(HWND hWnd, BOOL bRevert) {
  platform::user::Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr || !w->IsTopLevel()) return nullptr;
  if (bRevert) {
    platform::user::DestroySystemMenuOf(w);
    return nullptr;
  }
  if (w->system_menu == nullptr || !IsMenu(w->system_menu)) {
    w->system_menu = platform::user::NewStandardMenu();
  }
  return w->system_menu;
}
