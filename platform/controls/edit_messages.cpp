// The EM_* messages of the EDIT control. Positions and lengths are bytes;
// -1 arguments follow Win32's rules, read as 32-bit signed values whatever
// width WPARAM has.
#include <cstring>

#include "platform/controls/edit_control.h"

namespace platform::controls::edit {

namespace {

int Signed(WPARAM value) { return static_cast<int>(static_cast<DWORD>(value)); }

size_t ClampedPos(const Edit& e, int pos) {
  return pos < 0 ? e.text.size() : std::min(static_cast<size_t>(pos), e.text.size());
}

size_t CaretLine(const Edit& e) { return e.view.LineOfPos(e.text.caret(), e.after_wrap); }

LRESULT OnGetSel(const Edit& e, WPARAM start_out, LPARAM end_out) {
  const size_t start = e.text.SelStart(), end = e.text.SelEnd();
  if (auto* p = reinterpret_cast<DWORD*>(start_out)) *p = static_cast<DWORD>(start);
  if (auto* p = reinterpret_cast<DWORD*>(end_out)) *p = static_cast<DWORD>(end);
  if (start > 0xFFFF || end > 0xFFFF) return -1;
  return MAKELRESULT(start, end);
}

// Start -1 drops the selection where the caret is; a negative end is the
// end of the text. The caret goes to the end given, which may come first.
LRESULT OnSetSel(Edit& e, WPARAM start, LPARAM end) {
  if (Signed(start) == -1) {
    Select(e, e.text.caret(), e.text.caret());
    return 0;
  }
  Select(e, ClampedPos(e, Signed(start)), ClampedPos(e, Signed(static_cast<WPARAM>(end))));
  return 0;
}

LRESULT OnLineIndex(const Edit& e, WPARAM line) {
  const auto& lines = e.view.lines();
  const int index = Signed(line);
  if (index == -1) return static_cast<LRESULT>(lines[CaretLine(e)].start);
  if (index < 0 || static_cast<size_t>(index) >= lines.size()) return -1;
  return static_cast<LRESULT>(lines[static_cast<size_t>(index)].start);
}

// -1 counts the characters on the selection's lines that are not selected.
LRESULT OnLineLength(const Edit& e, WPARAM pos) {
  const auto& lines = e.view.lines();
  const int p = Signed(pos);
  if (p == -1) {
    const EditLine& first = lines[e.view.LineOfPos(e.text.SelStart())];
    const EditLine& last = lines[e.view.LineOfPos(e.text.SelEnd())];
    const size_t after = last.end > e.text.SelEnd() ? last.end - e.text.SelEnd() : 0;
    return static_cast<LRESULT>(e.text.SelStart() - first.start + after);
  }
  if (p < 0 || static_cast<size_t>(p) > e.text.size()) return 0;
  const EditLine& line = lines[e.view.LineOfPos(static_cast<size_t>(p))];
  return static_cast<LRESULT>(line.end - line.start);
}

LRESULT OnLineFromChar(const Edit& e, WPARAM pos) {
  const int p = Signed(pos);
  if (p == -1) {
    return static_cast<LRESULT>(e.text.HasSelection() ? e.view.LineOfPos(e.text.SelStart())
                                                      : CaretLine(e));
  }
  return static_cast<LRESULT>(e.view.LineOfPos(ClampedPos(e, p)));
}

// The buffer's first WORD gives its size; the line is copied without a NUL,
// whole characters only.
LRESULT OnGetLine(const Edit& e, WPARAM line, LPARAM buffer) {
  auto* out = reinterpret_cast<char*>(buffer);
  if (out == nullptr) return 0;
  WORD capacity;
  std::memcpy(&capacity, out, sizeof capacity);
  const auto& lines = e.view.lines();
  const size_t index = IsMultiLine(e) ? static_cast<size_t>(static_cast<DWORD>(line)) : 0;
  if (index >= lines.size()) return 0;
  const EditLine& l = lines[index];
  const size_t fit = std::min<size_t>(l.end - l.start, capacity);
  const size_t n = e.text.Snap(l.start + fit) - l.start;
  std::memcpy(out, e.text.text().data() + l.start, n);
  return static_cast<LRESULT>(n);
}

LRESULT OnLimitText(Edit& e, WPARAM limit) {
  const size_t most = IsMultiLine(e) ? kMultiLineMaxLimit : kSingleLineMaxLimit;
  const auto asked = static_cast<size_t>(static_cast<DWORD>(limit));
  e.limit = asked == 0 ? most : std::min(asked, most);
  return 0;
}

void Relaid(Edit& e) {
  e.view.SetLayout(LayoutFor(e));
  e.view.Relayout();
  ScrollToCaret(e);
  InvalidateRect(e.hwnd, nullptr, FALSE);
}

void SetStyleBit(Edit& e, DWORD bit, bool on) {
  const DWORD style = StyleOf(e);
  SetWindowLongA(e.hwnd, GWL_STYLE, static_cast<LONG>(on ? style | bit : style & ~bit));
}

// Multi-line boxes never echo.
LRESULT OnSetPasswordChar(Edit& e, WPARAM ch) {
  if (IsMultiLine(e)) return 0;
  e.password = static_cast<char>(ch & 0xFF);
  SetStyleBit(e, ES_PASSWORD, e.password != 0);
  Relaid(e);
  return 0;
}

LRESULT OnSetReadOnly(Edit& e, WPARAM read_only) {
  SetStyleBit(e, ES_READONLY, read_only != 0);
  InvalidateRect(e.hwnd, nullptr, FALSE);
  return TRUE;
}

LRESULT OnSetMargins(Edit& e, WPARAM which, LPARAM sizes) {
  int left = e.view.left_margin(), right = e.view.right_margin();
  const int font_margin = e.view.FontMargin();
  if (which == EC_USEFONTINFO) {
    left = right = font_margin;
  } else {
    if (which & EC_LEFTMARGIN) left = LOWORD(sizes) == EC_USEFONTINFO ? font_margin : LOWORD(sizes);
    if (which & EC_RIGHTMARGIN) {
      right = HIWORD(sizes) == EC_USEFONTINFO ? font_margin : HIWORD(sizes);
    }
  }
  e.view.SetMargins(left, right);
  Relaid(e);
  return 0;
}

LRESULT OnFirstVisibleLine(const Edit& e) {
  if (IsMultiLine(e)) return static_cast<LRESULT>(e.view.first_line());
  const RECT f = e.view.FormatRect();
  return static_cast<LRESULT>(e.view.PosAt(POINT{f.left, f.top}));
}

// -1 past the last character, as on Windows.
LRESULT OnPosFromChar(const Edit& e, WPARAM pos) {
  const auto p = static_cast<size_t>(static_cast<DWORD>(pos));
  if (p >= e.text.size()) return -1;
  const POINT pt = e.view.PointOf(e.text.Snap(p));
  return MAKELRESULT(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y));
}

LRESULT OnCharFromPos(const Edit& e, LPARAM point) {
  bool after_wrap = false;
  const size_t pos = e.view.PosAt(POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)}, &after_wrap);
  const size_t line = IsMultiLine(e) ? e.view.LineOfPos(pos, after_wrap) : 0;
  return MAKELRESULT(static_cast<WORD>(pos), static_cast<WORD>(line));
}

LRESULT OnReplaceSel(Edit& e, WPARAM can_undo, LPARAM text) {
  const auto* insert = reinterpret_cast<const char*>(text);
  InsertText(e, insert ? insert : "", can_undo ? UndoKind::kOther : UndoKind::kNone);
  return 0;
}

LRESULT OnGetRect(const Edit& e, LPARAM rect) {
  if (auto* out = reinterpret_cast<RECT*>(rect)) *out = e.view.FormatRect();
  return 0;
}

// Single-line boxes always report success, as on Windows.
LRESULT OnUndo(Edit& e) {
  const bool multi = IsMultiLine(e);
  return Undo(e) || !multi ? TRUE : FALSE;
}

LRESULT OnSetModify(Edit& e, WPARAM modified) {
  e.text.set_modified(modified != 0);
  return 0;
}

LRESULT OnEmptyUndo(Edit& e) {
  e.text.EmptyUndo();
  return 0;
}

LRESULT OnScrollCaret(Edit& e) {
  ScrollToCaret(e);
  return TRUE;
}

LRESULT OnGetMargins(const Edit& e) {
  return MAKELRESULT(e.view.left_margin(), e.view.right_margin());
}

}  // namespace

bool IsEditMessage(UINT message) { return message >= EM_GETSEL && message <= EM_CHARFROMPOS; }

LRESULT OnEditMessage(Edit& e, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case EM_GETSEL:
      return OnGetSel(e, wparam, lparam);
    case EM_SETSEL:
      return OnSetSel(e, wparam, lparam);
    case EM_GETRECT:
      return OnGetRect(e, lparam);
    case EM_SCROLL:
      return OnEmScroll(e, wparam);
    case EM_LINESCROLL:
      return OnLineScroll(e, lparam, wparam);
    case EM_SCROLLCARET:
      return OnScrollCaret(e);
    case EM_GETMODIFY:
      return e.text.modified() ? TRUE : FALSE;
    case EM_SETMODIFY:
      return OnSetModify(e, wparam);
    case EM_GETLINECOUNT:
      return static_cast<LRESULT>(e.view.lines().size());
    case EM_LINEINDEX:
      return OnLineIndex(e, wparam);
    case EM_LINELENGTH:
      return OnLineLength(e, wparam);
    case EM_REPLACESEL:
      return OnReplaceSel(e, wparam, lparam);
    case EM_GETLINE:
      return OnGetLine(e, wparam, lparam);
    case EM_LIMITTEXT:
      return OnLimitText(e, wparam);
    case EM_CANUNDO:
      return e.text.CanUndo() ? TRUE : FALSE;
    case EM_UNDO:
      return OnUndo(e);
    case EM_LINEFROMCHAR:
      return OnLineFromChar(e, wparam);
    case EM_SETPASSWORDCHAR:
      return OnSetPasswordChar(e, wparam);
    case EM_EMPTYUNDOBUFFER:
      return OnEmptyUndo(e);
    case EM_GETFIRSTVISIBLELINE:
      return OnFirstVisibleLine(e);
    case EM_SETREADONLY:
      return OnSetReadOnly(e, wparam);
    case EM_GETPASSWORDCHAR:
      return static_cast<unsigned char>(e.password);
    case EM_SETMARGINS:
      return OnSetMargins(e, wparam, lparam);
    case EM_GETMARGINS:
      return OnGetMargins(e);
    case EM_GETLIMITTEXT:
      return static_cast<LRESULT>(e.limit);
    case EM_POSFROMCHAR:
      return OnPosFromChar(e, wparam);
    case EM_CHARFROMPOS:
      return OnCharFromPos(e, lparam);
    default:
      return DefWindowProcA(e.hwnd, message, wparam, lparam);
  }
}

}  // namespace platform::controls::edit
