#include "platform/controls/edit_text.h"

#include "platform/base/gbk.h"

namespace platform::controls {

namespace {

bool IsAsciiAlnum(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool SameRun(CharClass c) { return c == CharClass::kWord || c == CharClass::kDoubleByte; }

}  // namespace

size_t EditText::CharLen(size_t pos) const {
  if (pos >= text_.size()) return 0;
  if (mode_ == LineMode::kMulti && text_[pos] == '\r' && pos + 1 < text_.size() &&
      text_[pos + 1] == '\n') {
    return 2;
  }
  size_t n = gbk::CharLength(text_.data() + pos, text_.size() - pos);
  return n ? n : 1;  // an embedded NUL is a character of its own
}

// Walking from the text's start would be exact but slow; any byte that can
// only end a character (not a lead byte, and not the '\r' that may open a
// line break) is followed by a boundary, so the walk starts after the last
// such byte before pos.
size_t EditText::Snap(size_t pos) const {
  if (pos >= text_.size()) return text_.size();
  size_t start = pos;
  while (start > 0) {
    auto b = static_cast<unsigned char>(text_[start - 1]);
    if (!gbk::IsLeadByte(b) && b != '\r') break;
    --start;
  }
  while (start < pos && start + CharLen(start) <= pos) start += CharLen(start);
  return start;
}

size_t EditText::NextChar(size_t pos) const {
  pos = Snap(pos);
  return pos + CharLen(pos);
}

size_t EditText::PrevChar(size_t pos) const {
  pos = Snap(pos);
  return pos == 0 ? 0 : Snap(pos - 1);
}

CharClass EditText::ClassAt(size_t pos) const {
  if (pos >= text_.size()) return CharClass::kBreak;
  auto b = static_cast<unsigned char>(text_[pos]);
  if (CharLen(pos) == 2) return b == '\r' ? CharClass::kBreak : CharClass::kDoubleByte;
  if (IsAsciiAlnum(b)) return CharClass::kWord;
  if (b == ' ' || b == '\t') return CharClass::kSpace;
  if (b == '\r' || b == '\n') return CharClass::kBreak;
  return CharClass::kOther;
}

std::pair<size_t, size_t> EditText::WordAt(size_t pos) const {
  pos = Snap(pos);
  if (pos == text_.size() && pos > 0) pos = PrevChar(pos);
  CharClass c = ClassAt(pos);
  if (c == CharClass::kBreak || c == CharClass::kOther) return {pos, NextChar(pos)};
  size_t start = pos, end = NextChar(pos);
  while (start > 0 && ClassAt(PrevChar(start)) == c) start = PrevChar(start);
  while (end < text_.size() && ClassAt(end) == c) end = NextChar(end);
  return {start, end};
}

// Ctrl+Right: past the rest of this word (or this one mark) and the spaces
// after it.
size_t EditText::NextWordStart(size_t pos) const {
  pos = Snap(pos);
  if (pos >= text_.size()) return text_.size();
  CharClass c = ClassAt(pos);
  if (c == CharClass::kBreak) return NextChar(pos);
  if (SameRun(c)) {
    while (pos < text_.size() && ClassAt(pos) == c) pos = NextChar(pos);
  } else if (c == CharClass::kOther) {
    pos = NextChar(pos);
  }
  while (pos < text_.size() && ClassAt(pos) == CharClass::kSpace) pos = NextChar(pos);
  return pos;
}

// Ctrl+Left: back over spaces, then to the start of the word before them.
size_t EditText::PrevWordStart(size_t pos) const {
  pos = PrevChar(pos);
  while (pos > 0 && ClassAt(pos) == CharClass::kSpace) pos = PrevChar(pos);
  CharClass c = ClassAt(pos);
  if (SameRun(c)) {
    while (pos > 0 && ClassAt(PrevChar(pos)) == c) pos = PrevChar(pos);
  }
  return pos;
}

void EditText::Select(size_t anchor, size_t caret) {
  anchor_ = Snap(anchor);
  caret_ = Snap(caret);
}

void EditText::SetText(std::string_view text) {
  text_.assign(text.data(), text.size());
  anchor_ = caret_ = 0;
  can_undo_ = false;
  modified_ = false;
}

// The longest prefix of whole characters within `room` bytes. A lead byte
// left dangling at the very end is dropped too: it would pair with the byte
// after the insertion and swallow it.
size_t EditText::FitInLimit(std::string_view insert, size_t room) const {
  size_t fit = 0;
  while (fit < insert.size()) {
    size_t n = gbk::CharLength(insert.data() + fit, insert.size() - fit);
    if (n == 0) n = 1;
    if (mode_ == LineMode::kMulti && insert[fit] == '\r' && fit + 1 < insert.size() &&
        insert[fit + 1] == '\n') {
      n = 2;
    }
    if (n == 1 && gbk::IsLeadByte(static_cast<unsigned char>(insert[fit])) &&
        fit + 1 == insert.size()) {
      break;
    }
    if (fit + n > room) break;
    fit += n;
  }
  return fit;
}

EditText::Replaced EditText::ReplaceSelection(std::string_view insert, UndoKind undo,
                                              size_t limit) {
  const size_t start = SelStart(), length = SelEnd() - SelStart();
  const size_t kept = text_.size() - length;
  const size_t room = limit > kept ? limit - kept : 0;
  const size_t whole = FitInLimit(insert, insert.size());
  const size_t fit = FitInLimit(insert, room);
  Replaced result;
  result.truncated = fit < whole;
  if (fit == 0 && (whole > 0 || length == 0)) return result;
  std::string removed = text_.substr(start, length);
  text_.replace(start, length, insert.substr(0, fit));
  Record(start, removed, insert.substr(0, fit), undo);
  anchor_ = caret_ = Snap(start + fit);
  modified_ = true;
  result.changed = true;
  return result;
}

bool EditText::DeleteChar(bool forward) {
  if (HasSelection()) {
    return ReplaceSelection({}, UndoKind::kDeleting, text_.size()).changed;
  }
  size_t from = forward ? caret_ : PrevChar(caret_);
  size_t to = forward ? NextChar(caret_) : caret_;
  if (from == to) return false;
  std::string removed = text_.substr(from, to - from);
  text_.erase(from, to - from);
  Record(from, removed, {}, UndoKind::kDeleting);
  anchor_ = caret_ = from;
  modified_ = true;
  return true;
}

void EditText::Record(size_t pos, std::string_view removed, std::string_view inserted,
                      UndoKind kind) {
  if (kind == UndoKind::kNone) {
    can_undo_ = false;
    return;
  }
  UndoRecord& last = undo_;
  const size_t last_end = last.pos + last.inserted.size();
  if (can_undo_ && kind == UndoKind::kTyping && last.kind == UndoKind::kTyping && removed.empty() &&
      pos == last_end) {
    last.inserted.append(inserted);
    return;
  }
  if (can_undo_ && kind == UndoKind::kDeleting && inserted.empty()) {
    // Backspace over what was just typed shortens the typing.
    if (last.kind == UndoKind::kTyping && pos + removed.size() == last_end &&
        removed.size() <= last.inserted.size()) {
      last.inserted.resize(last.inserted.size() - removed.size());
      can_undo_ = !last.inserted.empty() || !last.removed.empty();
      return;
    }
    if (last.kind == UndoKind::kDeleting && last.inserted.empty()) {
      if (pos + removed.size() == last.pos) {  // Backspace again
        last.removed.insert(0, removed);
        last.pos = pos;
        return;
      }
      if (pos == last.pos) {  // Delete again
        last.removed.append(removed);
        return;
      }
    }
  }
  last = UndoRecord{pos, std::string(removed), std::string(inserted), kind};
  can_undo_ = true;
}

bool EditText::Undo() {
  if (!can_undo_) return false;
  UndoRecord& r = undo_;
  if (r.pos > text_.size() || r.inserted.size() > text_.size() - r.pos) {
    can_undo_ = false;  // cannot happen while every edit goes through Record
    return false;
  }
  text_.replace(r.pos, r.inserted.size(), r.removed);
  std::swap(r.removed, r.inserted);
  r.kind = UndoKind::kOther;
  anchor_ = Snap(r.pos);
  caret_ = Snap(r.pos + r.inserted.size());
  modified_ = true;
  return true;
}

void ConvertCase(std::string& gbk_text, CaseConversion conversion) {
  if (conversion == CaseConversion::kNone) return;
  size_t pos = 0;
  while (pos < gbk_text.size()) {
    size_t n = gbk::CharLength(gbk_text.data() + pos, gbk_text.size() - pos);
    if (n == 0) n = 1;
    char& c = gbk_text[pos];
    if (n == 1 && conversion == CaseConversion::kUpper && c >= 'a' && c <= 'z') c -= 'a' - 'A';
    if (n == 1 && conversion == CaseConversion::kLower && c >= 'A' && c <= 'Z') c += 'a' - 'A';
    pos += n;
  }
}

}  // namespace platform::controls
