// The EDIT control's state and the operations its message handlers share.
// The window procedure (edit.cpp) dispatches to small handlers in
// edit_messages.cpp (EM_*), edit_input.cpp (keys and mouse),
// edit_clipboard.cpp and edit_scroll.cpp (caret, scroll bars, scrolling).
// Everything is built on the public Win32 facade, as any program's control
// would be.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/controls/edit_text.h"
#include "platform/controls/edit_view.h"
#include "platform/win32.h"

namespace platform::controls::edit {

// The text limit until EM_LIMITTEXT says otherwise, and what a limit of 0
// stands for.
inline constexpr size_t kDefaultLimit = 32767;
inline constexpr size_t kSingleLineMaxLimit = 0x7FFFFFFE;
inline constexpr size_t kMultiLineMaxLimit = 0xFFFFFFFF;

inline constexpr UINT_PTR kDragScrollTimer = 1;
inline constexpr UINT kDragScrollMs = 100;

struct Edit {
  Edit(HWND window, DWORD style);

  HWND hwnd;
  EditText text;
  EditView view;
  size_t limit = kDefaultLimit;  // bytes the user may bring the text to
  char password = 0;             // echo character (single-line only); 0 for none
  bool focused = false;
  bool after_wrap = false;         // the caret shows at the end of a wrapped line
  unsigned char pending_lead = 0;  // a lead byte waiting for its trail byte
  bool tracking = false;           // the left button went down in the control
  int wheel_remainder = 0;         // wheel movement short of a whole notch
};

Edit* EditOf(HWND hwnd);
DWORD StyleOf(const Edit& e);
bool IsMultiLine(const Edit& e);
bool IsReadOnly(const Edit& e);
// The layout the styles and password character ask for.
EditLayout LayoutFor(const Edit& e);

// Sends WM_COMMAND with `code` to the parent. False when the parent's answer
// destroyed the control: the caller must not touch `e` again.
bool Notify(Edit& e, WORD code);

// After the text changed: lays it out, brings the caret into view, and (when
// `notify`) sends EN_UPDATE, repaints and sends EN_CHANGE. False when the
// control was destroyed meanwhile.
bool TextChanged(Edit& e, bool notify);
// Puts the caret at `caret`, keeping the anchor when `extend`; scrolls it
// into view and repaints the selection.
void MoveCaret(Edit& e, size_t caret, bool extend, bool after_wrap = false);
void Select(Edit& e, size_t anchor, size_t caret);

// Replaces the selection with text the user typed or pasted (or a program
// sent with EM_REPLACESEL): case conversion, the text limit, and the box's
// size when it does not scroll. EN_MAXTEXT when something did not fit.
// False when nothing changed.
bool InsertText(Edit& e, std::string text, UndoKind undo);
// Backspace (`forward` false) or Delete.
void DeleteChar(Edit& e, bool forward);
bool Undo(Edit& e);

// edit_scroll.cpp: the caret, scroll bars and scrolling requests.
void CreateEditCaret(Edit& e);
void PlaceCaret(Edit& e);
// Scrolls the caret into view and updates the bars; repaints if it scrolled.
void ScrollToCaret(Edit& e);
void UpdateScrollBars(Edit& e);
LRESULT OnScroll(Edit& e, int bar, WPARAM request);
LRESULT OnMouseWheel(Edit& e, WPARAM wparam, LPARAM lparam);
LRESULT OnEmScroll(Edit& e, WPARAM request);
LRESULT OnLineScroll(Edit& e, LPARAM lines, WPARAM columns);

// edit_input.cpp
LRESULT OnKeyDown(Edit& e, WPARAM vk);
LRESULT OnChar(Edit& e, WPARAM ch);
LRESULT OnImeChar(Edit& e, WPARAM ch);
LRESULT OnButtonDown(Edit& e, WPARAM keys, LPARAM point);
LRESULT OnDoubleClick(Edit& e, LPARAM point);
LRESULT OnMouseMove(Edit& e, LPARAM point);
LRESULT OnButtonUp(Edit& e);
LRESULT OnDragTimer(Edit& e);
void EndTracking(Edit& e);

// edit_clipboard.cpp: WM_COPY, WM_CUT, WM_PASTE, WM_CLEAR.
void Copy(Edit& e);
void Cut(Edit& e);
void Paste(Edit& e);
void Clear(Edit& e);

// edit_messages.cpp: the EM_* messages.
bool IsEditMessage(UINT message);
LRESULT OnEditMessage(Edit& e, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace platform::controls::edit
