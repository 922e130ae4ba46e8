// The window table, the tree, and the per-window data calls (long values,
// text, properties, relations).
#include "platform/user/window.h"

#include <algorithm>
#include <cstring>

#include "platform/user/message_queue.h"
#include "platform/user/window_class.h"
#include "platform/win32.h"

namespace platform::user {

HandleTable<Window>& Windows() {
  static HandleTable<Window> table;
  return table;
}

Window* FindWindowQuiet(HWND hwnd) {
  // Windows live in the table until WM_NCDESTROY; the raw pointer is safe
  // on the owning thread, which is the only one that destroys them.
  return Windows().Find(reinterpret_cast<uintptr_t>(hwnd)).get();
}

Window* FindWindow(HWND hwnd) {
  Window* w = FindWindowQuiet(hwnd);
  if (w == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

std::vector<Window*>& TopLevels() {
  static std::vector<Window*> top_levels;
  return top_levels;
}

std::vector<Window*>& SiblingsOf(Window* w) {
  return w->parent ? w->parent->children : TopLevels();
}

Window* RootOf(Window* w) {
  while (w->parent) w = w->parent;
  return w;
}

bool IsReallyVisible(const Window* w) {
  for (; w != nullptr; w = w->parent) {
    if (!w->IsVisibleFlag()) return false;
  }
  return true;
}

POINT OffsetInRoot(const Window* w) {
  POINT at{0, 0};
  for (; w->parent != nullptr; w = w->parent) {
    at.x += w->rect.left + w->parent->client.left;
    at.y += w->rect.top + w->parent->client.top;
  }
  return at;
}

POINT ScreenOrigin(const Window* w) {
  POINT at = OffsetInRoot(w);
  const Window* root = w;
  while (root->parent) root = root->parent;
  return {at.x + root->rect.left, at.y + root->rect.top};
}

}  // namespace platform::user

using platform::user::FindWindow;
using platform::user::Window;

BOOL IsWindow(HWND hWnd) { return platform::user::FindWindowQuiet(hWnd) != nullptr; }

BOOL IsWindowVisible(HWND hWnd) {
  Window* w = platform::user::FindWindowQuiet(hWnd);
  return w && platform::user::IsReallyVisible(w) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hWnd) {
  Window* w = platform::user::FindWindowQuiet(hWnd);
  return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hWnd) {
  Window* w = platform::user::FindWindowQuiet(hWnd);
  return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hWnd) {
  Window* w = platform::user::FindWindowQuiet(hWnd);
  return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL IsChild(HWND hWndParent, HWND hWnd) {
  Window* w = platform::user::FindWindowQuiet(hWnd);
  if (w == nullptr) return FALSE;
  for (Window* p = w->parent; p != nullptr; p = p->parent) {
    if (p->hwnd == hWndParent) return TRUE;
  }
  return FALSE;
}

HWND GetParent(HWND hWnd) {
  Window* w = FindWindow(hWnd);
  if (w == nullptr) return nullptr;
  if (w->style & WS_CHILD) return w->parent ? w->parent->hwnd : nullptr;
  return (w->style & WS_POPUP) ? w->owner : nullptr;  // as documented: popups answer their owner
}

HWND GetAncestor(HWND hwnd, UINT gaFlags) {
  Window* w = FindWindow(hwnd);
  if (w == nullptr) return nullptr;
  switch (gaFlags) {
    case GA_PARENT:
      return w->parent ? w->parent->hwnd : GetDesktopWindow();
    case GA_ROOT:
      return platform::user::RootOf(w)->hwnd;
    case GA_ROOTOWNER: {
      Window* root = platform::user::RootOf(w);
      while (Window* owner = platform::user::FindWindowQuiet(root->owner)) root = owner;
      return root->hwnd;
    }
    default:
      return nullptr;
  }
}

HWND GetWindow(HWND hWnd, UINT uCmd) {
  Window* w = FindWindow(hWnd);
  if (w == nullptr) return nullptr;
  auto& siblings = platform::user::SiblingsOf(w);
  auto at = std::find(siblings.begin(), siblings.end(), w);
  switch (uCmd) {
    case GW_HWNDFIRST:
      return siblings.front()->hwnd;
    case GW_HWNDLAST:
      return siblings.back()->hwnd;
    case GW_HWNDNEXT:
      return at + 1 != siblings.end() ? (*(at + 1))->hwnd : nullptr;
    case GW_HWNDPREV:
      return at != siblings.begin() ? (*(at - 1))->hwnd : nullptr;
    case GW_OWNER:
      return w->owner;
    case GW_CHILD:
      return w->children.empty() ? nullptr : w->children.front()->hwnd;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

HWND GetTopWindow(HWND hWnd) {
  if (hWnd == nullptr) {
    auto& tops = platform::user::TopLevels();
    return tops.empty() ? nullptr : tops.front()->hwnd;
  }
  return GetWindow(hWnd, GW_CHILD);
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem) {
  Window* w = FindWindow(hDlg);
  if (w == nullptr) return nullptr;
  for (Window* c : w->children) {
    if (c->id == nIDDlgItem) return c->hwnd;
  }
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return nullptr;
}

int GetDlgCtrlID(HWND hWnd) {
  Window* w = FindWindow(hWnd);
  return w && (w->style & WS_CHILD) ? static_cast<int>(w->id) : 0;
}

DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
  Window* w = FindWindow(hWnd);
  if (w == nullptr) return 0;
  if (lpdwProcessId) *lpdwProcessId = static_cast<DWORD>(getpid());
  return w->thread_id;
}

LONG_PTR GetWindowLongPtrA(HWND hWnd, int nIndex) {
  Window* w = FindWindow(hWnd);
  if (w == nullptr) return 0;
  if (nIndex >= 0) {
    if (static_cast<size_t>(nIndex) + sizeof(LONG_PTR) > w->extra.size()) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    LONG_PTR value;
    std::memcpy(&value, w->extra.data() + nIndex, sizeof value);
    return value;
  }
  switch (nIndex) {
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(w->parent ? w->parent->hwnd : w->owner);
    case GWL_STYLE:
      return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
      return static_cast<LONG>(w->ex_style);
    case GWLP_USERDATA:
      return w->user_data;
    case GWLP_ID:
      return w->id;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
  }
}

LONG GetWindowLongA(HWND hWnd, int nIndex) {
  if (nIndex >= 0) {
    Window* w = FindWindow(hWnd);
    if (w == nullptr || static_cast<size_t>(nIndex) + sizeof(LONG) > w->extra.size()) return 0;
    LONG value;
    std::memcpy(&value, w->extra.data() + nIndex, sizeof value);
    return value;
  }
  return static_cast<LONG>(GetWindowLongPtrA(hWnd, nIndex));
}

int GetWindowTextLengthA(HWND hWnd) {
  return static_cast<int>(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
  if (lpString == nullptr || nMaxCount <= 0) return 0;
  lpString[0] = '\0';
  return static_cast<int>(SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                       reinterpret_cast<LPARAM>(lpString)));
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString) {
  if (!IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) ? TRUE : FALSE;
}

BOOL SetPropA(HWND hWnd, LPCSTR lpString, HANDLE hData) {
  Window* w = FindWindow(hWnd);
  if (w == nullptr || lpString == nullptr) return FALSE;
  w->props[lpString] = hData;
  return TRUE;
}

HANDLE GetPropA(HWND hWnd, LPCSTR lpString) {
  Window* w = platform::user::FindWindowQuiet(hWnd);
  if (w == nullptr || lpString == nullptr) return nullptr;
  auto it = w->props.find(lpString);
  return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemovePropA(HWND hWnd, LPCSTR lpString) {
  Window* w = FindWindow(hWnd);
  if (w == nullptr || lpString == nullptr) return nullptr;
  auto it = w->props.find(lpString);
  if (it == w->props.end()) return nullptr;
  HANDLE data = it->second;
  w->props.erase(it);
  return data;
}
