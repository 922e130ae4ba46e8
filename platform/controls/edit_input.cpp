// Keyboard and mouse input of the EDIT control. Text arrives as WM_CHAR
// bytes in GBK: a lead byte waits for its trail byte so that the pair goes
// in whole. Editing keys come as WM_CHAR control characters (Backspace,
// Enter, Ctrl+A/C/V/X/Z), movement keys as WM_KEYDOWN.
#include <string>

#include "platform/base/gbk.h"
#include "platform/controls/edit_control.h"

namespace platform::controls::edit {

namespace {

bool KeyHeld(int vk) { return GetKeyState(vk) < 0; }

bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

POINT PointOf(LPARAM lparam) { return POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}; }

// ES_NUMBER takes digits only.
void TypeText(Edit& e, std::string text) {
  if (IsReadOnly(e)) return;
  if (StyleOf(e) & ES_NUMBER) {
    for (char c : text) {
      if (c < '0' || c > '9') return;
    }
  }
  InsertText(e, std::move(text), UndoKind::kTyping);
}

void SelectAll(Edit& e) { Select(e, 0, e.text.size()); }

LRESULT OnControlChar(Edit& e, unsigned char c) {
  const bool editable = !IsReadOnly(e);
  switch (c) {
    case 0x01:  // Ctrl+A
      SelectAll(e);
      break;
    case 0x03:  // Ctrl+C
      Copy(e);
      break;
    case 0x16:  // Ctrl+V
      Paste(e);
      break;
    case 0x18:  // Ctrl+X
      Cut(e);
      break;
    case 0x1A:  // Ctrl+Z
      if (editable) Undo(e);
      break;
    case '\b':
      if (editable) DeleteChar(e, false);
      break;
    case '\r':
      if (editable && IsMultiLine(e)) TypeText(e, "\r\n");
      break;
    default:  // Tab and Esc are the dialog's
      break;
  }
  return 0;
}

// ---------------------------------------------------------------------------
// Movement keys
// ---------------------------------------------------------------------------

// Up and Down keep the caret's x on the line above or below; at the first or
// last line they do nothing.
void MoveLines(Edit& e, long delta, bool extend) {
  const long line = static_cast<long>(e.view.LineOfPos(e.text.caret(), e.after_wrap));
  const long count = static_cast<long>(e.view.lines().size());
  const long target = std::clamp(line + delta, 0L, count - 1);
  if (target == line) return;
  const POINT here = e.view.PointOf(e.text.caret(), e.after_wrap);
  const POINT there{here.x, here.y + static_cast<LONG>((target - line) * e.view.line_height())};
  bool after_wrap = false;
  const size_t pos = e.view.PosAt(there, &after_wrap);
  MoveCaret(e, pos, extend, after_wrap);
}

void PageLines(Edit& e, int direction, bool extend) {
  const long page = std::max(1, e.view.VisibleLines() - 1) * direction;
  const long first = static_cast<long>(e.view.first_line());
  if (e.view.SetFirstLine(first + page)) InvalidateRect(e.hwnd, nullptr, FALSE);
  MoveLines(e, page, extend);
  UpdateScrollBars(e);
}

void Home(Edit& e, bool ctrl, bool extend) {
  if (ctrl || !IsMultiLine(e)) return MoveCaret(e, 0, extend);
  const EditLine& line = e.view.lines()[e.view.LineOfPos(e.text.caret(), e.after_wrap)];
  MoveCaret(e, line.start, extend);
}

// End stays on a wrapped line: the caret shows after its last character.
void End(Edit& e, bool ctrl, bool extend) {
  if (ctrl || !IsMultiLine(e)) return MoveCaret(e, e.text.size(), extend);
  const EditLine& line = e.view.lines()[e.view.LineOfPos(e.text.caret(), e.after_wrap)];
  MoveCaret(e, line.end, extend, line.soft);
}

void Horizontal(Edit& e, bool right, bool ctrl, bool extend) {
  const EditText& t = e.text;
  size_t pos;
  if (ctrl) {
    pos = right ? t.NextWordStart(t.caret()) : t.PrevWordStart(t.caret());
  } else if (t.HasSelection() && !extend) {
    pos = right ? t.SelEnd() : t.SelStart();
  } else {
    pos = right ? t.NextChar(t.caret()) : t.PrevChar(t.caret());
  }
  MoveCaret(e, pos, extend);
}

// While dragging, the selection follows the pointer; past the text's edges
// it reaches one line or a few pixels beyond them, so the text scrolls a
// step at a time (the timer keeps it going while the pointer rests there).
void DragTo(Edit& e, POINT pt) {
  const RECT f = e.view.FormatRect();
  const int step = e.view.line_height();
  pt.y = std::clamp<LONG>(pt.y, f.top - 1,
                          std::max<LONG>(f.top, f.top + e.view.VisibleLines() * step));
  pt.x = std::clamp<LONG>(pt.x, f.left - step, f.right + step);
  bool after_wrap = false;
  const size_t pos = e.view.PosAt(pt, &after_wrap);
  MoveCaret(e, pos, true, after_wrap);
}

void ForwardDelete(Edit& e, bool shift) {
  if (IsReadOnly(e)) return;
  if (shift) return Cut(e);
  DeleteChar(e, true);
}

}  // namespace

LRESULT OnKeyDown(Edit& e, WPARAM vk) {
  const bool shift = KeyHeld(VK_SHIFT), ctrl = KeyHeld(VK_CONTROL);
  const bool multi = IsMultiLine(e);
  switch (vk) {
    case VK_LEFT:
      Horizontal(e, false, ctrl, shift);
      break;
    case VK_RIGHT:
      Horizontal(e, true, ctrl, shift);
      break;
    case VK_UP:
      multi ? MoveLines(e, -1, shift) : Horizontal(e, false, ctrl, shift);
      break;
    case VK_DOWN:
      multi ? MoveLines(e, 1, shift) : Horizontal(e, true, ctrl, shift);
      break;
    case VK_PRIOR:
      if (multi) PageLines(e, -1, shift);
      break;
    case VK_NEXT:
      if (multi) PageLines(e, 1, shift);
      break;
    case VK_HOME:
      Home(e, ctrl, shift);
      break;
    case VK_END:
      End(e, ctrl, shift);
      break;
    case VK_DELETE:
      ForwardDelete(e, shift);
      break;
    case VK_INSERT:
      if (ctrl) Copy(e);
      if (shift && !ctrl) Paste(e);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT OnChar(Edit& e, WPARAM ch) {
  const auto c = static_cast<unsigned char>(ch & 0xFF);
  if (e.pending_lead) {
    const char pair[2] = {static_cast<char>(e.pending_lead), static_cast<char>(c)};
    e.pending_lead = 0;
    if (IsTrailByte(c)) {
      TypeText(e, std::string(pair, 2));
      return 0;
    }
  }
  if (c < 0x20) return OnControlChar(e, c);
  if (c == 0x7F) return 0;  // Ctrl+Backspace
  if (gbk::IsLeadByte(c)) {
    e.pending_lead = c;
    return 0;
  }
  TypeText(e, std::string(1, static_cast<char>(c)));
  return 0;
}

// An ANSI window gets a double-byte character whole, lead byte high.
LRESULT OnImeChar(Edit& e, WPARAM ch) {
  e.pending_lead = 0;
  const unsigned char lead = HIBYTE(ch), low = LOBYTE(ch);
  if (gbk::IsLeadByte(lead) && IsTrailByte(low)) {
    const char pair[2] = {static_cast<char>(lead), static_cast<char>(low)};
    TypeText(e, std::string(pair, 2));
    return 0;
  }
  return OnChar(e, low);
}

// ---------------------------------------------------------------------------
// Mouse
// ---------------------------------------------------------------------------

LRESULT OnButtonDown(Edit& e, WPARAM keys, LPARAM point) {
  HWND hwnd = e.hwnd;
  if (GetFocus() != hwnd) {
    SetFocus(hwnd);
    if (EditOf(hwnd) != &e) return 0;  // the focus change destroyed it
  }
  bool after_wrap = false;
  const size_t pos = e.view.PosAt(PointOf(point), &after_wrap);
  MoveCaret(e, pos, (keys & MK_SHIFT) != 0, after_wrap);
  e.tracking = true;
  SetCapture(hwnd);
  SetTimer(hwnd, kDragScrollTimer, kDragScrollMs, nullptr);
  return 0;
}

LRESULT OnDoubleClick(Edit& e, LPARAM point) {
  const auto [start, end] = e.text.WordAt(e.view.PosAt(PointOf(point)));
  Select(e, start, end);
  ScrollToCaret(e);
  return 0;
}

LRESULT OnMouseMove(Edit& e, LPARAM point) {
  if (e.tracking && GetCapture() == e.hwnd) DragTo(e, PointOf(point));
  return 0;
}

LRESULT OnDragTimer(Edit& e) {
  if (!e.tracking) return 0;
  POINT pt;
  GetCursorPos(&pt);
  ScreenToClient(e.hwnd, &pt);
  const RECT f = e.view.FormatRect();
  const bool outside = pt.x < f.left || pt.x >= f.right || pt.y < f.top || pt.y >= f.bottom;
  if (outside) DragTo(e, pt);
  return 0;
}

void EndTracking(Edit& e) {
  if (!e.tracking) return;
  e.tracking = false;
  KillTimer(e.hwnd, kDragScrollTimer);
  if (GetCapture() == e.hwnd) ReleaseCapture();
}

LRESULT OnButtonUp(Edit& e) {
  EndTracking(e);
  return 0;
}

}  // namespace platform::controls::edit
