#include "platform/dialogs/dialog_keys.h"

#include <cctype>
#include <string>
#include <vector>

#include "platform/base/gbk.h"

namespace platform::dialogs {

namespace {

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }

LRESULT DialogCode(HWND control, MSG* msg) {
  return control ? SendMessageA(control, WM_GETDLGCODE, msg ? msg->wParam : 0,
                                reinterpret_cast<LPARAM>(msg))
                 : 0;
}

bool IsPushButton(HWND control) {
  return (DialogCode(control, nullptr) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

bool CanTakeFocus(HWND control) { return IsWindowVisible(control) && IsWindowEnabled(control); }

std::vector<HWND> Controls(HWND dialog) {
  std::vector<HWND> controls;
  for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    controls.push_back(c);
  }
  return controls;
}

// The control the focus is in: the dialog's child that holds it.
HWND FocusedControl(HWND dialog) {
  HWND focus = GetFocus();
  while (focus != nullptr && GetParent(focus) != dialog) focus = GetParent(focus);
  return focus;
}

// Changes only the button type, keeping its alignment and other BS_ bits.
void SetButtonType(HWND button, DWORD type) {
  const DWORD word = StyleOf(button) & 0xFFFF;
  SendMessageA(button, BM_SETSTYLE, (word & ~static_cast<DWORD>(BS_TYPEMASK)) | type, TRUE);
}

// ---------------------------------------------------------------------------
// Moving the focus
// ---------------------------------------------------------------------------

// The next (or previous) control after `from` in `candidates`, going round.
HWND Step(const std::vector<HWND>& candidates, HWND from, bool backward) {
  if (candidates.empty()) return nullptr;
  const int n = static_cast<int>(candidates.size());
  int at = -1;
  for (int i = 0; i < n; ++i) {
    if (candidates[i] == from) at = i;
  }
  if (at < 0) return candidates[backward ? n - 1 : 0];
  return candidates[(at + (backward ? n - 1 : 1)) % n];
}

void MoveTab(HWND dialog, bool backward) {
  std::vector<HWND> stops;
  for (HWND c : Controls(dialog)) {
    if ((StyleOf(c) & WS_TABSTOP) && CanTakeFocus(c)) stops.push_back(c);
  }
  HWND next = Step(stops, FocusedControl(dialog), backward);
  if (next) FocusDialogControl(dialog, next);
}

// The controls of the group `member` belongs to.
std::vector<HWND> GroupOf(HWND dialog, HWND member) {
  std::vector<HWND> all = Controls(dialog), group;
  for (HWND c : all) {
    if (StyleOf(c) & WS_GROUP) {
      bool member_seen = false;
      for (HWND g : group) member_seen |= g == member;
      if (member_seen) break;
      group.clear();
    }
    group.push_back(c);
  }
  std::vector<HWND> usable;
  for (HWND c : group) {
    if (CanTakeFocus(c)) usable.push_back(c);
  }
  return usable;
}

void MoveInGroup(HWND dialog, bool backward) {
  HWND focused = FocusedControl(dialog);
  if (focused == nullptr) return;
  HWND next = Step(GroupOf(dialog, focused), focused, backward);
  if (next && next != focused) FocusDialogControl(dialog, next);
}

// ---------------------------------------------------------------------------
// Commands
// ---------------------------------------------------------------------------

void Command(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

int DefaultButtonId(HWND dialog) {
  HWND focused = FocusedControl(dialog);
  if (focused && IsPushButton(focused)) return GetDlgCtrlID(focused);
  for (HWND c : Controls(dialog)) {
    if (DialogCode(c, nullptr) & DLGC_DEFPUSHBUTTON) return GetDlgCtrlID(c);
  }
  return IDOK;
}

// The letter a control's text marks with '&', lower-cased; 0 when none.
int MnemonicOf(HWND control) {
  char text[256] = {};
  const int length = GetWindowTextA(control, text, sizeof text);
  for (int i = 0; i + 1 < length;) {
    if (text[i] == '&') {
      if (text[i + 1] != '&') return std::tolower(static_cast<unsigned char>(text[i + 1]));
      i += 2;
      continue;
    }
    i += static_cast<int>(gbk::CharLength(text + i, static_cast<size_t>(length - i)));
  }
  return 0;
}

bool ClickMnemonic(HWND dialog, WPARAM character) {
  if (character > 0x7F || !std::isalnum(static_cast<int>(character))) return false;
  const int wanted = std::tolower(static_cast<int>(character));
  for (HWND c : Controls(dialog)) {
    if (!CanTakeFocus(c) || MnemonicOf(c) != wanted) continue;
    if (!(DialogCode(c, nullptr) & DLGC_BUTTON)) return false;
    FocusDialogControl(dialog, c);
    SendMessageA(c, BM_CLICK, 0, 0);
    return true;
  }
  return false;
}

// ---------------------------------------------------------------------------
// Keys
// ---------------------------------------------------------------------------

// True when the key was the dialog's; false leaves it to the control.
bool OnKeyDown(HWND dialog, MSG* msg) {
  const LRESULT code = DialogCode(FocusedControl(dialog), msg);
  if (code & DLGC_WANTMESSAGE) return false;
  switch (msg->wParam) {
    case VK_TAB:
      if (code & DLGC_WANTTAB) return false;
      MoveTab(dialog, GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (code & DLGC_WANTARROWS) return false;
      MoveInGroup(dialog, msg->wParam == VK_LEFT || msg->wParam == VK_UP);
      return true;
    case VK_RETURN:
      Command(dialog, DefaultButtonId(dialog));
      return true;
    case VK_ESCAPE:
      Command(dialog, IDCANCEL);
      return true;
    default:
      return false;
  }
}

bool OnChar(HWND dialog, MSG* msg) {
  if (msg->message == WM_CHAR && (DialogCode(FocusedControl(dialog), msg) & DLGC_WANTCHARS)) {
    return false;
  }
  return ClickMnemonic(dialog, msg->wParam);
}

}  // namespace

void FocusDialogControl(HWND dialog, HWND control) {
  if (IsPushButton(control)) {
    for (HWND c : Controls(dialog)) {
      if (c != control && (DialogCode(c, nullptr) & DLGC_DEFPUSHBUTTON)) {
        SetButtonType(c, BS_PUSHBUTTON);
      }
    }
    if (!(DialogCode(control, nullptr) & DLGC_DEFPUSHBUTTON)) {
      SetButtonType(control, BS_DEFPUSHBUTTON);
    }
  }
  SetFocus(control);
}

bool DialogMessage(HWND dialog, MSG* msg) {
  if (msg == nullptr || !IsWindow(dialog)) return false;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return false;
  bool handled = false;
  if (msg->message == WM_KEYDOWN) handled = OnKeyDown(dialog, msg);
  if (msg->message == WM_CHAR || msg->message == WM_SYSCHAR) handled = OnChar(dialog, msg);
  if (!handled) {
    TranslateMessage(msg);
    DispatchMessageA(msg);
  }
  return true;
}

}  // namespace platform::dialogs
