#include "platform/controls/edit_control.h"

#include <optional>

#include "platform/controls/repaint.h"

namespace platform::controls::edit {

Edit::Edit(HWND window, DWORD style)
    : hwnd(window),
      text((style & ES_MULTILINE) ? LineMode::kMulti : LineMode::kSingle),
      view(text),
      password((style & ES_PASSWORD) && !(style & ES_MULTILINE) ? '*' : 0) {}

Edit* EditOf(HWND hwnd) { return reinterpret_cast<Edit*>(GetWindowLongPtrA(hwnd, 0)); }

DWORD StyleOf(const Edit& e) { return static_cast<DWORD>(GetWindowLongA(e.hwnd, GWL_STYLE)); }

bool IsMultiLine(const Edit& e) { return e.text.mode() == LineMode::kMulti; }

bool IsReadOnly(const Edit& e) { return (StyleOf(e) & ES_READONLY) != 0; }

EditLayout LayoutFor(const Edit& e) {
  const DWORD style = StyleOf(e);
  EditLayout layout;
  // A horizontal scroll bar implies horizontal scrolling, as on Windows.
  layout.wrap = IsMultiLine(e) && !(style & (ES_AUTOHSCROLL | WS_HSCROLL));
  layout.alignment = (style & ES_RIGHT)    ? Alignment::kRight
                     : (style & ES_CENTER) ? Alignment::kCenter
                                           : Alignment::kLeft;
  layout.password = e.password;
  return layout;
}

// Notifications go to the window's parent as it is now.
bool Notify(Edit& e, WORD code) {
  HWND hwnd = e.hwnd;
  if (HWND parent = GetParent(hwnd)) {
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                 reinterpret_cast<LPARAM>(hwnd));
  }
  return EditOf(hwnd) == &e;
}

bool TextChanged(Edit& e, bool notify) {
  e.after_wrap = false;
  e.view.Relayout();
  ScrollToCaret(e);
  InvalidateRect(e.hwnd, nullptr, FALSE);
  if (notify && !Notify(e, EN_UPDATE)) return false;
  // Shown now, unless a parent still has to paint (it would paint over it).
  if (AncestorsArePainted(e.hwnd)) UpdateWindow(e.hwnd);
  return !notify || Notify(e, EN_CHANGE);
}

void MoveCaret(Edit& e, size_t caret, bool extend, bool after_wrap) {
  const size_t old_start = e.text.SelStart(), old_end = e.text.SelEnd();
  e.text.Select(extend ? e.text.anchor() : caret, caret);
  e.after_wrap = after_wrap;
  ScrollToCaret(e);
  if (e.text.SelStart() != old_start || e.text.SelEnd() != old_end) {
    InvalidateRect(e.hwnd, nullptr, FALSE);
  }
}

void Select(Edit& e, size_t anchor, size_t caret) {
  const size_t old_start = e.text.SelStart(), old_end = e.text.SelEnd();
  e.text.Select(anchor, caret);
  e.after_wrap = false;
  PlaceCaret(e);
  if (e.text.SelStart() != old_start || e.text.SelEnd() != old_end) {
    InvalidateRect(e.hwnd, nullptr, FALSE);
  }
}

namespace {

CaseConversion CaseOf(DWORD style) {
  if (style & ES_UPPERCASE) return CaseConversion::kUpper;
  if (style & ES_LOWERCASE) return CaseConversion::kLower;
  return CaseConversion::kNone;
}

// A box that does not scroll takes no more text than it can show.
bool LimitedBySize(const Edit& e, DWORD style) {
  if (IsMultiLine(e)) return !(style & (ES_AUTOVSCROLL | WS_VSCROLL));
  return !(style & ES_AUTOHSCROLL);
}

}  // namespace

bool InsertText(Edit& e, std::string text, UndoKind undo) {
  const DWORD style = StyleOf(e);
  ConvertCase(text, CaseOf(style));
  std::optional<EditText> before;
  if (LimitedBySize(e, style)) before = e.text;
  EditText::Replaced result = e.text.ReplaceSelection(text, undo, e.limit);
  if (result.changed && before) {
    e.view.Relayout();
    if (IsMultiLine(e) ? !e.view.FitsHeight() : !e.view.FitsWidth()) {
      e.text = *before;
      e.view.Relayout();
      result = {false, true};
    }
  }
  if (result.truncated && !Notify(e, EN_MAXTEXT)) return false;
  if (!result.changed) return false;
  TextChanged(e, true);
  return true;
}

void DeleteChar(Edit& e, bool forward) {
  if (e.text.DeleteChar(forward)) TextChanged(e, true);
}

bool Undo(Edit& e) {
  if (!e.text.Undo()) return false;
  TextChanged(e, true);
  return true;
}

}  // namespace platform::controls::edit
