#include "runtime/forms/menu_bar.h"

#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/menu_builder.h"
#include "runtime/forms/registry.h"

namespace runtime::forms {

namespace {

// Window properties of a window whose procedure is wrapped.
constexpr const char* kWrappedProcedure = "MienzoMenuProcedure";
constexpr const char* kWindowId = "MienzoMenuWindowId";

// Raises the event of the menu item behind `command`; false when the
// command is not one of the window's menu items.
bool RaiseMenuItem(uint32_t window_id, uint32_t command) {
  LoadedWindow* window = Registry().Find(window_id);
  if (window == nullptr) return false;
  const int32_t entry = MenuEntryOfCommand(window->menu_commands, command);
  if (entry < 0) return false;
  EventRecord record;
  record.window_id = window_id;
  record.unit_id = window->units.IdAt(entry);
  RaiseEvent(record);
  return true;
}

LRESULT MenuCommandProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kWrappedProcedure));
  const auto window_id =
      static_cast<uint32_t>(reinterpret_cast<uintptr_t>(GetPropA(hwnd, kWindowId)));
  // Menus and accelerators send commands with no control handle.
  if (message == WM_COMMAND && lparam == 0 && HIWORD(wparam) <= 1 &&
      RaiseMenuItem(window_id, LOWORD(wparam))) {
    return 0;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropA(hwnd, kWrappedProcedure);
    RemovePropA(hwnd, kWindowId);
  }
  return CallWindowProcA(previous, hwnd, message, wparam, lparam);
}

}  // namespace

bool BuildMenuBar(LoadedWindow& window) {
  BuiltMenu built = BuildMenu(window.units);
  window.menu = built.bar;
  window.accelerators = built.accelerators;
  window.menu_commands = std::move(built.commands);
  return window.units.FirstMenuRun().length == 0 || window.menu != nullptr;
}

void AnswerMenuCommands(LoadedWindow& window) {
  HWND hwnd = window.Window();
  if (window.menu == nullptr || hwnd == nullptr || GetPropA(hwnd, kWrappedProcedure) != nullptr) {
    return;
  }
  const auto previous = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
  SetPropA(hwnd, kWrappedProcedure, reinterpret_cast<HANDLE>(previous));
  SetPropA(hwnd, kWindowId, reinterpret_cast<HANDLE>(static_cast<uintptr_t>(window.window_id)));
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MenuCommandProcedure));
}

// The window destroys a bar it still holds; one it no longer holds (or one
// never attached) is destroyed here.
void DestroyMenuBar(LoadedWindow& window) {
  if (window.menu != nullptr && IsMenu(window.menu)) DestroyMenu(window.menu);
  if (window.accelerators != nullptr) DestroyAcceleratorTable(window.accelerators);
  window.menu = nullptr;
  window.accelerators = nullptr;
  window.menu_commands.clear();
}

bool RebuildMenuBar(LoadedWindow& window) {
  HWND hwnd = window.Window();
  if (hwnd == nullptr || window.menu == nullptr) return true;
  BuiltMenu built = BuildMenu(window.units);
  if (built.bar == nullptr) return false;
  SetMenu(hwnd, built.bar);
  DestroyMenuBar(window);
  window.menu = built.bar;
  window.accelerators = built.accelerators;
  window.menu_commands = std::move(built.commands);
  DrawMenuBar(hwnd);
  return true;
}

}  // namespace runtime::forms
