#include "platform/user/focus.h"

#include <algorithm>

#include "platform/display/display.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

bool Contains(Window* outer, HWND inner) {
  return inner != nullptr && (inner == outer->hwnd || IsChild(outer->hwnd, inner));
}

// The top-level window that should become active when `leaving` stops being
// active: its owner when that can take it, else the topmost other one.
Window* NextToActivate(Window* leaving) {
  Window* owner = FindWindowQuiet(leaving->owner);
  if (owner && owner->IsVisibleFlag() && !(owner->style & WS_DISABLED)) return owner;
  for (Window* t : TopLevels()) {
    if (t != leaving && t->IsVisibleFlag() && !(t->style & WS_DISABLED) &&
        !(t->ex_style & WS_EX_NOACTIVATE) && !t->destroying) {
      return t;
    }
  }
  return nullptr;
}

}  // namespace

FocusState& Focus() {
  static FocusState state;
  return state;
}

void Activate(Window* root, WPARAM how) {
  FocusState& f = Focus();
  HWND old = f.active;
  HWND hwnd = root ? root->hwnd : nullptr;
  if (old == hwnd) return;
  if (IsWindow(old)) {
    SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
    SendMessageA(old, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hwnd));
  }
  f.active = hwnd;
  if (root == nullptr) {
    if (f.focus != nullptr) SetFocus(nullptr);
    return;
  }
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
  SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(how, (root->style & WS_MINIMIZE) ? 1 : 0),
               reinterpret_cast<LPARAM>(old));
}

void LeaveWindow(Window* w) {
  FocusState& f = Focus();
  if (Contains(w, f.capture)) ReleaseCapture();
  if (Contains(w, f.focus)) {
    SetFocus(w->parent && IsReallyVisible(w->parent) ? w->parent->hwnd : nullptr);
  }
  if (w->IsTopLevel() && f.active == w->hwnd) Activate(NextToActivate(w), WA_ACTIVE);
}

void ForgetFocusOf(Window* w) {
  FocusState& f = Focus();
  if (f.focus == w->hwnd) f.focus = nullptr;
  if (f.active == w->hwnd) f.active = nullptr;
  if (f.capture == w->hwnd) f.capture = nullptr;
}

}  // namespace platform::user

using platform::user::Focus;
using platform::user::Window;

HWND SetFocus(HWND hWnd) {
  auto& f = Focus();
  HWND old = f.focus;
  if (hWnd != nullptr) {
    Window* w = platform::user::FindWindow(hWnd);
    if (w == nullptr || (w->style & WS_DISABLED)) return nullptr;
    if (hWnd == old) return old;
    Window* root = platform::user::RootOf(w);
    if (f.active != root->hwnd) {
      platform::user::Activate(root, WA_ACTIVE);
      if (f.focus == hWnd) return old;  // activation already moved it here
      old = f.focus;
    }
  }
  if (hWnd == old) return old;
  if (IsWindow(old)) SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
  if (hWnd != nullptr && !IsWindow(hWnd)) return nullptr;
  f.focus = hWnd;
  if (hWnd != nullptr) SendMessageA(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND GetFocus() { return Focus().focus; }

HWND SetActiveWindow(HWND hWnd) {
  HWND old = Focus().active;
  Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return nullptr;
  platform::user::Activate(platform::user::RootOf(w), WA_ACTIVE);
  return old;
}

HWND GetActiveWindow() { return Focus().active; }
HWND GetForegroundWindow() { return Focus().active; }

BOOL SetForegroundWindow(HWND hWnd) { return SetActiveWindow(hWnd) || GetActiveWindow() == hWnd; }

HWND SetCapture(HWND hWnd) {
  auto& f = Focus();
  HWND old = f.capture;
  if (hWnd != nullptr && !IsWindow(hWnd)) return nullptr;
  if (old == hWnd) return old;
  f.capture = hWnd;
  if (IsWindow(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
  return old;
}

BOOL ReleaseCapture() {
  auto& f = Focus();
  HWND old = f.capture;
  f.capture = nullptr;
  if (IsWindow(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return Focus().capture; }

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
  Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return FALSE;
  BOOL was_disabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
  if (bEnable && was_disabled) {
    w->style &= ~WS_DISABLED;
    SendMessageA(hWnd, WM_ENABLE, TRUE, 0);
  } else if (!bEnable && !was_disabled) {
    SendMessageA(hWnd, WM_CANCELMODE, 0, 0);
    w->style |= WS_DISABLED;
    auto& f = Focus();
    // Only the disabled window itself loses the focus: a child keeps it, so
    // that a window disabled by its modal dialog still knows, when that
    // dialog activates, which child to give the focus back to afterwards.
    if (f.focus == hWnd) SetFocus(nullptr);
    if (f.capture == hWnd || IsChild(hWnd, f.capture)) ReleaseCapture();
    SendMessageA(hWnd, WM_ENABLE, FALSE, 0);
  }
  return was_disabled;
}
