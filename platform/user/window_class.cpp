#include "platform/user/window_class.h"

#include <cstring>
#include <mutex>

#include "platform/controls/system_classes.h"
#include "platform/user/window.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

std::mutex g_classes_mutex;
std::vector<std::shared_ptr<WindowClass>> g_classes;
ATOM g_next_atom = 0xC000;  // registered classes' atoms start here on Windows

bool SameName(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::shared_ptr<WindowClass> FindLocked(LPCSTR name_or_atom) {
  if (name_or_atom == nullptr) return nullptr;
  for (auto& c : g_classes) {
    if (IS_INTRESOURCE(name_or_atom) ? c->atom == reinterpret_cast<ULONG_PTR>(name_or_atom)
                                     : SameName(c->name, name_or_atom)) {
      return c;
    }
  }
  return nullptr;
}

ATOM Register(const WNDCLASSEXA& wc) {
  if (wc.lpszClassName == nullptr || IS_INTRESOURCE(wc.lpszClassName) ||
      *wc.lpszClassName == '\0' || wc.cbClsExtra < 0 || wc.cbWndExtra < 0 ||
      wc.lpfnWndProc == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::lock_guard lock(g_classes_mutex);
  if (FindLocked(wc.lpszClassName)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  auto c = std::make_shared<WindowClass>();
  c->name = wc.lpszClassName;
  c->atom = g_next_atom++;
  c->style = wc.style;
  c->proc = wc.lpfnWndProc;
  c->class_extra = wc.cbClsExtra;
  c->window_extra = wc.cbWndExtra;
  c->instance = wc.hInstance;
  c->icon = wc.hIcon;
  c->small_icon = wc.hIconSm;
  c->cursor = wc.hCursor;
  c->background = wc.hbrBackground;
  c->extra.assign(static_cast<size_t>(wc.cbClsExtra), 0);
  g_classes.push_back(c);
  return c->atom;
}

void FillInfo(const WindowClass& c, WNDCLASSEXA* out) {
  out->style = c.style;
  out->lpfnWndProc = c.proc;
  out->cbClsExtra = c.class_extra;
  out->cbWndExtra = c.window_extra;
  out->hInstance = c.instance;
  out->hIcon = c.icon;
  out->hCursor = c.cursor;
  out->hbrBackground = c.background;
  out->lpszMenuName = nullptr;
  out->lpszClassName = c.name.c_str();
  out->hIconSm = c.small_icon;
}

}  // namespace

std::shared_ptr<WindowClass> FindClass(LPCSTR name_or_atom) {
  controls::RegisterSystemClasses();
  std::lock_guard lock(g_classes_mutex);
  return FindLocked(name_or_atom);
}

}  // namespace platform::user

using platform::user::WindowClass;

ATOM RegisterClassExA(const WNDCLASSEXA* lpWndClass) {
  if (lpWndClass == nullptr || lpWndClass->cbSize != sizeof(WNDCLASSEXA)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return platform::user::Register(*lpWndClass);
}

ATOM RegisterClassA(const WNDCLASSA* wc) {
  if (wc == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASSEXA ex{sizeof(WNDCLASSEXA), wc->style,        wc->lpfnWndProc,   wc->cbClsExtra,
                 wc->cbWndExtra,      wc->hInstance,    wc->hIcon,         wc->hCursor,
                 wc->hbrBackground,   wc->lpszMenuName, wc->lpszClassName, nullptr};
  return platform::user::Register(ex);
}

BOOL UnregisterClassA(LPCSTR lpClassName, HINSTANCE) {
  std::lock_guard lock(platform::user::g_classes_mutex);
  auto found = platform::user::FindLocked(lpClassName);
  if (!found) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (found->window_count > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  std::erase(platform::user::g_classes, found);
  return TRUE;
}

BOOL GetClassInfoExA(HINSTANCE, LPCSTR lpszClass, WNDCLASSEXA* lpwcx) {
  auto c = platform::user::FindClass(lpszClass);
  if (!c || lpwcx == nullptr) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  platform::user::FillInfo(*c, lpwcx);
  return c->atom;
}

BOOL GetClassInfoA(HINSTANCE hInstance, LPCSTR lpClassName, WNDCLASSA* lpWndClass) {
  WNDCLASSEXA ex{};
  ex.cbSize = sizeof ex;
  BOOL atom = GetClassInfoExA(hInstance, lpClassName, &ex);
  if (!atom || lpWndClass == nullptr) return FALSE;
  *lpWndClass = {ex.style, ex.lpfnWndProc, ex.cbClsExtra,    ex.cbWndExtra,   ex.hInstance,
                 ex.hIcon, ex.hCursor,     ex.hbrBackground, ex.lpszMenuName, ex.lpszClassName};
  return atom;
}

int GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
  auto* w = platform::user::FindWindow(hWnd);
  if (w == nullptr || lpClassName == nullptr || nMaxCount <= 0) return 0;
  const std::string& name = w->window_class->name;
  size_t n = std::min(name.size(), static_cast<size_t>(nMaxCount - 1));
  std::memcpy(lpClassName, name.data(), n);
  lpClassName[n] = '\0';
  return static_cast<int>(n);
}

ULONG_PTR GetClassLongPtrA(HWND hWnd, int nIndex) {
  auto* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return 0;
  const WindowClass& c = *w->window_class;
  switch (nIndex) {
    case GCLP_HCURSOR:
      return reinterpret_cast<ULONG_PTR>(c.cursor);
    case GCLP_HBRBACKGROUND:
      return reinterpret_cast<ULONG_PTR>(c.background);
    case GCLP_HICON:
      return reinterpret_cast<ULONG_PTR>(c.icon);
    case GCL_STYLE:
      return c.style;
    case GCLP_WNDPROC:
      return reinterpret_cast<ULONG_PTR>(c.proc);
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
  }
}

ULONG_PTR SetClassLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
  auto* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return 0;
  WindowClass& c = *w->window_class;
  ULONG_PTR old = GetClassLongPtrA(hWnd, nIndex);
  switch (nIndex) {
    case GCLP_HCURSOR:
      c.cursor = reinterpret_cast<HCURSOR>(dwNewLong);
      break;
    case GCLP_HBRBACKGROUND:
      c.background = reinterpret_cast<HBRUSH>(dwNewLong);
      break;
    case GCLP_HICON:
      c.icon = reinterpret_cast<HICON>(dwNewLong);
      break;
    case GCL_STYLE:
      c.style = static_cast<UINT>(dwNewLong);
      break;
    case GCLP_WNDPROC:
      c.proc = reinterpret_cast<WNDPROC>(dwNewLong);
      break;
    default:
      return 0;
  }
  return old;
}
