// WM_COPY, WM_CUT, WM_PASTE and WM_CLEAR through the CF_TEXT clipboard.
// A password box never gives its text away, and a read-only one takes none.
#include <cstring>
#include <optional>
#include <string>

#include "platform/controls/edit_control.h"

namespace platform::controls::edit {

namespace {

bool PutOnClipboard(HWND owner, std::string_view text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (block == nullptr) return false;
  auto* bytes = static_cast<char*>(GlobalLock(block));
  if (bytes == nullptr) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(bytes, text.data(), text.size());
  bytes[text.size()] = '\0';
  GlobalUnlock(block);
  if (!OpenClipboard(owner)) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_TEXT, block) != nullptr;
  if (!placed) GlobalFree(block);
  CloseClipboard();
  return placed;
}

// Reads no further than the block, NUL or not.
std::optional<std::string> ClipboardText(HWND owner) {
  if (!OpenClipboard(owner)) return std::nullopt;
  std::optional<std::string> text;
  if (HANDLE block = GetClipboardData(CF_TEXT)) {
    if (const auto* bytes = static_cast<const char*>(GlobalLock(block))) {
      const size_t size = GlobalSize(block);
      text.emplace(bytes, strnlen(bytes, size));
      GlobalUnlock(block);
    }
  }
  CloseClipboard();
  return text;
}

// A single-line box takes the first line of what is pasted.
void KeepFirstLine(std::string& text) {
  const size_t end = text.find_first_of("\r\n");
  if (end != std::string::npos) text.resize(end);
}

bool CanGiveAway(const Edit& e) { return e.password == 0 && e.text.HasSelection(); }

}  // namespace

void Copy(Edit& e) {
  if (CanGiveAway(e)) PutOnClipboard(e.hwnd, e.text.Selected());
}

void Cut(Edit& e) {
  if (IsReadOnly(e) || !CanGiveAway(e)) return;
  if (PutOnClipboard(e.hwnd, e.text.Selected())) Clear(e);
}

void Paste(Edit& e) {
  if (IsReadOnly(e)) return;
  std::optional<std::string> text = ClipboardText(e.hwnd);
  if (!text) return;
  if (!IsMultiLine(e)) KeepFirstLine(*text);
  InsertText(e, std::move(*text), UndoKind::kOther);
}

void Clear(Edit& e) {
  if (IsReadOnly(e) || !e.text.HasSelection()) return;
  InsertText(e, std::string(), UndoKind::kOther);
}

}  // namespace platform::controls::edit
