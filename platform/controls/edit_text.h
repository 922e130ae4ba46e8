// The text an EDIT control holds: GBK bytes, the selection, the one level of
// undo and the modification flag. Positions are byte offsets, as in every
// ANSI edit message; they only ever rest on character boundaries, so a
// double-byte character (and, in multi-line text, a "\r\n" line break) is
// never split by the caret, the selection, an edit or the text limit.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace platform::controls {

enum class LineMode { kSingle, kMulti };

// How an edit joins the undo record: typing and deleting extend a record of
// their own kind when they continue where it ended, so one undo takes back
// the whole run, as Win32's edit control does.
enum class UndoKind { kTyping, kDeleting, kOther, kNone };

enum class CaseConversion { kNone, kLower, kUpper };

// Word classes for double-click selection and Ctrl+arrow movement.
enum class CharClass { kWord, kDoubleByte, kSpace, kBreak, kOther };

class EditText {
 public:
  explicit EditText(LineMode mode) : mode_(mode) {}

  const std::string& text() const { return text_; }
  size_t size() const { return text_.size(); }
  LineMode mode() const { return mode_; }

  // Selection: the anchor stays where the selection began, the caret moves.
  size_t anchor() const { return anchor_; }
  size_t caret() const { return caret_; }
  size_t SelStart() const { return std::min(anchor_, caret_); }
  size_t SelEnd() const { return std::max(anchor_, caret_); }
  bool HasSelection() const { return anchor_ != caret_; }
  std::string_view Selected() const {
    return std::string_view(text_).substr(SelStart(), SelEnd() - SelStart());
  }
  // Both ends are clamped to the text and moved back to a character start.
  void Select(size_t anchor, size_t caret);

  // Character boundaries.
  size_t Snap(size_t pos) const;  // the boundary at or before pos
  size_t NextChar(size_t pos) const;
  size_t PrevChar(size_t pos) const;
  CharClass ClassAt(size_t pos) const;
  // The run of characters of one class around pos (for a double click).
  std::pair<size_t, size_t> WordAt(size_t pos) const;
  size_t NextWordStart(size_t pos) const;
  size_t PrevWordStart(size_t pos) const;

  // Replaces the whole text: caret at the start, no undo, not modified.
  void SetText(std::string_view text);

  struct Replaced {
    bool changed = false;    // the text is different now
    bool truncated = false;  // the limit cut the insertion short
  };
  // Replaces the selection with `insert`, of which only what fits in
  // `limit` bytes is kept (whole characters and line breaks only). When not
  // even one character fits, nothing changes. The caret ends after the
  // insertion. Sets the modification flag when the text changed.
  Replaced ReplaceSelection(std::string_view insert, UndoKind undo, size_t limit);
  // Deletes the selection, or else the character after (`forward`) or
  // before the caret.
  bool DeleteChar(bool forward);

  bool CanUndo() const { return can_undo_; }
  // Takes the last edit back and selects what it restored; a second undo
  // redoes it.
  bool Undo();
  void EmptyUndo() { can_undo_ = false; }

  bool modified() const { return modified_; }
  void set_modified(bool modified) { modified_ = modified; }

 private:
  struct UndoRecord {
    size_t pos = 0;        // where the edit happened
    std::string removed;   // what it took out
    std::string inserted;  // what it put in (its bytes are text_[pos..])
    UndoKind kind = UndoKind::kOther;
  };

  size_t CharLen(size_t pos) const;
  size_t FitInLimit(std::string_view insert, size_t room) const;
  void Record(size_t pos, std::string_view removed, std::string_view inserted, UndoKind kind);

  LineMode mode_;
  std::string text_;
  size_t anchor_ = 0;
  size_t caret_ = 0;
  UndoRecord undo_;
  bool can_undo_ = false;
  bool modified_ = false;
};

// ASCII letters only; trail bytes of double-byte characters stay as they are
// even where they look like letters.
void ConvertCase(std::string& gbk, CaseConversion conversion);

}  // namespace platform::controls
