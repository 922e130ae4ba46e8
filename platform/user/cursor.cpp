#include "platform/user/cursor.h"

#include <map>
#include <mutex>

#include "platform/base/handle_table.h"
#include "platform/display/display.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

HandleTable<CursorShape>& Cursors() {
  static HandleTable<CursorShape> table;
  return table;
}

std::mutex g_shared_mutex;
std::map<int, HCURSOR> g_shared;  // system shapes, made once each

HCURSOR g_current = nullptr;
int g_show_count = 0;

bool IsSystemCursorId(int id) {
  return (id >= 32512 && id <= 32516) || (id >= 32640 && id <= 32651);
}

bool IsSystemIconId(int id) { return id >= 32512 && id <= 32518; }

HCURSOR SharedShape(int id, bool icon) {
  std::lock_guard lock(g_shared_mutex);
  int key = icon ? -id : id;
  auto it = g_shared.find(key);
  if (it != g_shared.end()) return it->second;
  auto shape = std::make_shared<CursorShape>();
  shape->is_icon = icon;
  shape->system_id = id;
  shape->shared = true;
  HCURSOR handle = AddCursor(shape);
  g_shared[key] = handle;
  return handle;
}

}  // namespace

std::shared_ptr<CursorShape> FindCursor(HCURSOR cursor) {
  return Cursors().Find(reinterpret_cast<uintptr_t>(cursor));
}

HCURSOR AddCursor(std::shared_ptr<CursorShape> shape) {
  return reinterpret_cast<HCURSOR>(Cursors().Insert(std::move(shape)));
}

}  // namespace platform::user

HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
  // Only the system's shapes are resources here: the program has no others.
  auto id = static_cast<int>(reinterpret_cast<ULONG_PTR>(lpCursorName));
  if (hInstance != nullptr || !IS_INTRESOURCE(lpCursorName) ||
      !platform::user::IsSystemCursorId(id)) {
    SetLastError(1813);  // ERROR_RESOURCE_TYPE_NOT_FOUND
    return nullptr;
  }
  return platform::user::SharedShape(id, false);
}

HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
  auto id = static_cast<int>(reinterpret_cast<ULONG_PTR>(lpIconName));
  if (hInstance != nullptr || !IS_INTRESOURCE(lpIconName) || !platform::user::IsSystemIconId(id)) {
    SetLastError(1813);
    return nullptr;
  }
  return platform::user::SharedShape(id, true);
}

HCURSOR SetCursor(HCURSOR hCursor) {
  HCURSOR old = platform::user::g_current;
  if (hCursor == old) return old;
  platform::user::g_current = hCursor;
  if (auto* display = platform::CurrentDisplay()) display->CursorChanged(hCursor);
  return old;
}

HCURSOR GetCursor() { return platform::user::g_current; }

int ShowCursor(BOOL bShow) {
  platform::user::g_show_count += bShow ? 1 : -1;
  return platform::user::g_show_count;
}

BOOL DestroyCursor(HCURSOR hCursor) {
  auto shape = platform::user::FindCursor(hCursor);
  if (!shape) return FALSE;
  if (shape->shared) return TRUE;
  if (platform::user::g_current == hCursor) return FALSE;  // the cursor in use stays
  platform::user::Cursors().Remove(reinterpret_cast<uintptr_t>(hCursor));
  return TRUE;
}

BOOL DestroyIcon(HICON hIcon) { return DestroyCursor(hIcon); }
