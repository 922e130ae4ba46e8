// The BUTTON control: push buttons (plain, default, owner-drawn, with a
// bitmap or icon), check boxes, radio buttons and group boxes.
//
// A click is a press and a release of the left mouse button on the button,
// or the space bar pressed and released while it has the focus; the parent
// hears of it as WM_COMMAND / BN_CLICKED. While the mouse is held the button
// looks pressed whenever the pointer is over it. Enter and the default-button
// role belong to the window that owns the buttons.
//
// Index: state and notifications - clicking - mouse - keyboard and focus -
// button messages - the window procedure - registration.
#include "platform/controls/button.h"

#include <memory>

#include "platform/controls/repaint.h"

namespace platform::controls {

namespace {

constexpr char kClassName[] = "Button";

// ---------------------------------------------------------------------------
// State and notifications
// ---------------------------------------------------------------------------

ButtonState* StateOf(HWND hwnd) {
  return reinterpret_cast<ButtonState*>(GetWindowLongPtrA(hwnd, 0));
}

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }

ButtonKind KindOf(HWND hwnd) { return KindOfStyle(StyleOf(hwnd)); }

void Notify(HWND hwnd, WORD code) {
  HWND parent = GetParent(hwnd);
  if (parent == nullptr) return;
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
               reinterpret_cast<LPARAM>(hwnd));
}

// Shows the change now: owner-drawn buttons hear only what changed, the
// others repaint whole.
void Redraw(HWND hwnd, UINT owner_draw_action) {
  ButtonState* s = StateOf(hwnd);
  if (s == nullptr || !IsWindowVisible(hwnd)) return;
  if (KindOf(hwnd) == ButtonKind::kOwnerDraw && AncestorsArePainted(hwnd)) {
    HDC dc = GetDC(hwnd);
    if (dc == nullptr) return;
    DrawOwnerButton(hwnd, dc, *s, owner_draw_action);
    ReleaseDC(hwnd, dc);
    return;
  }
  RepaintControl(hwnd, false);
}

void SetPushed(HWND hwnd, bool pushed) {
  ButtonState* s = StateOf(hwnd);
  if (s->pushed == pushed) return;
  s->pushed = pushed;
  Redraw(hwnd, ODA_SELECT);
}

// ---------------------------------------------------------------------------
// Clicking
// ---------------------------------------------------------------------------

// The automatic radio buttons of the same group: the siblings from the
// nearest WS_GROUP at or before this one up to the next WS_GROUP.
void UncheckGroupSiblings(HWND hwnd) {
  HWND start = hwnd;
  while (!(GetWindowLongA(start, GWL_STYLE) & WS_GROUP)) {
    HWND previous = GetWindow(start, GW_HWNDPREV);
    if (previous == nullptr) break;
    start = previous;
  }
  for (HWND h = start; h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
    DWORD style = static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE));
    if (h != start && (style & WS_GROUP)) break;
    if (h != hwnd && (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
      SendMessageA(h, BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
}

// Automatic check boxes and radio buttons change before the parent hears
// of the click, so it reads the new state.
void ApplyAutomaticCheck(HWND hwnd) {
  ButtonState* s = StateOf(hwnd);
  switch (StyleOf(hwnd) & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
      SendMessageA(hwnd, BM_SETCHECK, s->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
      break;
    case BS_AUTO3STATE:
      SendMessageA(hwnd, BM_SETCHECK, (s->check + 1) % 3, 0);
      break;
    case BS_AUTORADIOBUTTON:
      SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
      UncheckGroupSiblings(hwnd);
      break;
    default:
      break;
  }
}

// The last thing done for a click: the parent may destroy the button.
void Click(HWND hwnd) {
  ApplyAutomaticCheck(hwnd);
  Notify(hwnd, BN_CLICKED);
}

// ---------------------------------------------------------------------------
// Mouse
// ---------------------------------------------------------------------------

bool InClient(HWND hwnd, LPARAM lparam) {
  RECT client;
  GetClientRect(hwnd, &client);
  return PtInRect(&client, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}) != FALSE;
}

LRESULT OnLButtonDown(HWND hwnd, UINT message) {
  ButtonState* s = StateOf(hwnd);
  if (message == WM_LBUTTONDBLCLK && (StyleOf(hwnd) & BS_NOTIFY)) {
    Notify(hwnd, BN_DOUBLECLICKED);
    if (!IsWindow(hwnd)) return 0;
  }
  SetCapture(hwnd);
  SetFocus(hwnd);
  if (!IsWindow(hwnd)) return 0;
  s->mouse_down = true;
  SetPushed(hwnd, true);
  return 0;
}

LRESULT OnMouseMove(HWND hwnd, LPARAM lparam) {
  ButtonState* s = StateOf(hwnd);
  if (s->mouse_down && GetCapture() == hwnd) SetPushed(hwnd, InClient(hwnd, lparam));
  return 0;
}

LRESULT OnLButtonUp(HWND hwnd, LPARAM lparam) {
  ButtonState* s = StateOf(hwnd);
  if (!s->mouse_down) return 0;
  const bool inside = InClient(hwnd, lparam);
  ReleaseCapture();  // WM_CAPTURECHANGED ends the press
  if (inside) Click(hwnd);
  return 0;
}

LRESULT OnCaptureChanged(HWND hwnd) {
  ButtonState* s = StateOf(hwnd);
  s->mouse_down = false;
  s->space_down = false;
  SetPushed(hwnd, false);
  return 0;
}

// ---------------------------------------------------------------------------
// Keyboard and focus
// ---------------------------------------------------------------------------

LRESULT OnKeyDown(HWND hwnd, WPARAM key, LPARAM lparam) {
  ButtonState* s = StateOf(hwnd);
  const bool repeat = (lparam & (1 << 30)) != 0;
  if (key != VK_SPACE || repeat || s->mouse_down) return 0;
  s->space_down = true;
  SetCapture(hwnd);
  SetPushed(hwnd, true);
  return 0;
}

LRESULT OnKeyUp(HWND hwnd, WPARAM key) {
  ButtonState* s = StateOf(hwnd);
  if (key != VK_SPACE || !s->space_down) return 0;
  const bool pushed = s->pushed;
  ReleaseCapture();
  OnCaptureChanged(hwnd);  // also when the capture had already gone elsewhere
  if (pushed) Click(hwnd);
  return 0;
}

// The button keeps its own focus flag: while WM_KILLFOCUS is handled,
// GetFocus still names it.
LRESULT OnFocusChange(HWND hwnd, bool gained) {
  ButtonState* s = StateOf(hwnd);
  s->focused = gained;
  if (!gained && (s->space_down || s->mouse_down) && GetCapture() == hwnd) ReleaseCapture();
  Redraw(hwnd, ODA_FOCUS);
  if (StyleOf(hwnd) & BS_NOTIFY) Notify(hwnd, gained ? BN_SETFOCUS : BN_KILLFOCUS);
  return 0;
}

LRESULT OnGetDlgCode(HWND hwnd) {
  switch (StyleOf(hwnd) & BS_TYPEMASK) {
    case BS_DEFPUSHBUTTON:
      return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX:
      return DLGC_STATIC;
    default:
      return DLGC_BUTTON;
  }
}

// ---------------------------------------------------------------------------
// Button messages
// ---------------------------------------------------------------------------

LRESULT OnGetState(HWND hwnd) {
  const ButtonState* s = StateOf(hwnd);
  return s->check | (s->pushed ? BST_PUSHED : 0) | (s->focused ? BST_FOCUS : 0);
}

LRESULT OnSetCheck(HWND hwnd, WPARAM check) {
  ButtonState* s = StateOf(hwnd);
  ButtonKind kind = KindOf(hwnd);
  if (kind != ButtonKind::kCheck && kind != ButtonKind::kRadio) return 0;
  const DWORD type = StyleOf(hwnd) & BS_TYPEMASK;
  const bool three_state = type == BS_3STATE || type == BS_AUTO3STATE;
  UINT value = check == BST_INDETERMINATE && three_state ? BST_INDETERMINATE
               : check != BST_UNCHECKED                  ? BST_CHECKED
                                                         : BST_UNCHECKED;
  if (value == s->check) return 0;
  s->check = value;
  Redraw(hwnd, ODA_SELECT);
  return 0;
}

// The new BS_ word replaces the old one; the window styles stay.
LRESULT OnSetStyle(HWND hwnd, WPARAM style, LPARAM redraw) {
  DWORD old = StyleOf(hwnd);
  DWORD updated = (old & 0xFFFF0000u) | LOWORD(style);
  if (updated != old) SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(updated));
  if (LOWORD(redraw)) RepaintControl(hwnd, true);
  return 0;
}

LRESULT OnSetImage(HWND hwnd, WPARAM kind, LPARAM image) {
  if (kind != IMAGE_BITMAP && kind != IMAGE_ICON) return 0;
  ButtonState* s = StateOf(hwnd);
  HANDLE old = s->image;
  s->image = reinterpret_cast<HANDLE>(image);
  s->image_kind = static_cast<UINT>(kind);
  InvalidateRect(hwnd, nullptr, TRUE);
  return reinterpret_cast<LRESULT>(old);
}

LRESULT OnGetImage(HWND hwnd, WPARAM kind) {
  const ButtonState* s = StateOf(hwnd);
  return s->image_kind == kind ? reinterpret_cast<LRESULT>(s->image) : 0;
}

// A click as if made with the mouse: the button is pressed, takes the focus
// and is released over itself. Disabled buttons cannot be clicked.
LRESULT OnClickMessage(HWND hwnd) {
  if (!IsWindowEnabled(hwnd)) return 0;
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  if (IsWindow(hwnd)) SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
  return 0;
}

LRESULT OnSetFont(HWND hwnd, WPARAM font, LPARAM redraw) {
  StateOf(hwnd)->font = reinterpret_cast<HFONT>(font);
  if (LOWORD(redraw)) InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc != nullptr) PaintButton(hwnd, dc, *StateOf(hwnd));
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT OnNcCreate(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto state = std::make_unique<ButtonState>();
  SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(state.release()));
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT OnNcDestroy(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  delete StateOf(hwnd);
  SetWindowLongPtrA(hwnd, 0, 0);
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

// Text changes and enabling repaint at once, as the look depends on them.
LRESULT RepaintAfterDefault(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = DefWindowProcA(hwnd, message, wparam, lparam);
  RepaintControl(hwnd, true);
  return result;
}

// ---------------------------------------------------------------------------
// The window procedure
// ---------------------------------------------------------------------------

LRESULT InputMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnLButtonDown(hwnd, message);
    case WM_MOUSEMOVE:
      return OnMouseMove(hwnd, lparam);
    case WM_LBUTTONUP:
      return OnLButtonUp(hwnd, lparam);
    case WM_CAPTURECHANGED:
      return OnCaptureChanged(hwnd);
    case WM_KEYDOWN:
      return OnKeyDown(hwnd, wparam, lparam);
    case WM_KEYUP:
      return OnKeyUp(hwnd, wparam);
    case WM_SETFOCUS:
      return OnFocusChange(hwnd, true);
    case WM_KILLFOCUS:
      return OnFocusChange(hwnd, false);
    default:
      return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

LRESULT ButtonMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case BM_GETCHECK:
      return StateOf(hwnd)->check;
    case BM_SETCHECK:
      return OnSetCheck(hwnd, wparam);
    case BM_GETSTATE:
      return OnGetState(hwnd);
    case BM_SETSTATE:
      SetPushed(hwnd, wparam != 0);
      return 0;
    case BM_SETSTYLE:
      return OnSetStyle(hwnd, wparam, lparam);
    case BM_CLICK:
      return OnClickMessage(hwnd);
    case BM_GETIMAGE:
      return OnGetImage(hwnd, wparam);
    case BM_SETIMAGE:
      return OnSetImage(hwnd, wparam, lparam);
    default:
      return InputMessage(hwnd, message, wparam, lparam);
  }
}

LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) return OnNcCreate(hwnd, message, wparam, lparam);
  if (StateOf(hwnd) == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  switch (message) {
    case WM_NCDESTROY:
      return OnNcDestroy(hwnd, message, wparam, lparam);
    case WM_PAINT:
      return OnPaint(hwnd);
    case WM_PRINTCLIENT:
      PaintButton(hwnd, reinterpret_cast<HDC>(wparam), *StateOf(hwnd));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole button
    case WM_NCHITTEST:
      // A group box is only a frame: the mouse reaches what lies in it.
      if (KindOf(hwnd) == ButtonKind::kGroup) return HTTRANSPARENT;
      return DefWindowProcA(hwnd, message, wparam, lparam);
    case WM_GETDLGCODE:
      return OnGetDlgCode(hwnd);
    case WM_SETTEXT:
    case WM_ENABLE:
      return RepaintAfterDefault(hwnd, message, wparam, lparam);
    case WM_SETFONT:
      return OnSetFont(hwnd, wparam, lparam);
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(StateOf(hwnd)->font);
    default:
      return ButtonMessage(hwnd, message, wparam, lparam);
  }
}

}  // namespace

ButtonKind KindOfStyle(DWORD style) {
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return ButtonKind::kCheck;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return ButtonKind::kRadio;
    case BS_GROUPBOX:
      return ButtonKind::kGroup;
    case BS_OWNERDRAW:
      return ButtonKind::kOwnerDraw;
    default:
      return ButtonKind::kPush;
  }
}

// ---------------------------------------------------------------------------
// Registration
// ---------------------------------------------------------------------------

void RegisterButtonClass() {
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
  wc.lpfnWndProc = ButtonProc;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);
}

}  // namespace platform::controls
