#include "platform/controls/list_box_model.h"

#include <algorithm>
#include <climits>
#include <new>
#include <stdexcept>

namespace platform::controls {

namespace {

// Indices travel as int in the messages; one below INT_MAX keeps "count"
// representable too.
constexpr size_t kMaxItems = INT_MAX - 1;

// The bytes of the character at `at`: a lead byte takes the next byte with
// it, as CharNextA steps (a lead byte at the very end stands alone).
size_t CharLength(std::string_view s, size_t at) {
  const auto byte = static_cast<BYTE>(s[at]);
  return (IsDBCSLeadByte(byte) && at + 1 < s.size()) ? 2 : 1;
}

// What a character sorts by: single bytes folded to lower case below 0x100,
// double-byte characters by their code above it.
unsigned CharKey(std::string_view s, size_t at, size_t length) {
  const auto first = static_cast<unsigned char>(s[at]);
  if (length == 2) return (first << 8) | static_cast<unsigned char>(s[at + 1]);
  if (first >= 'A' && first <= 'Z') return first - 'A' + 'a';
  return first;
}

// Compares `a` with `b` up to the end of `b` when `prefix_only`.
int CompareChars(std::string_view a, std::string_view b, bool prefix_only) {
  size_t i = 0;
  size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const size_t la = CharLength(a, i);
    const size_t lb = CharLength(b, j);
    const unsigned ka = CharKey(a, i, la);
    const unsigned kb = CharKey(b, j, lb);
    if (ka != kb) return ka < kb ? -1 : 1;
    i += la;
    j += lb;
  }
  if (j == b.size() && (prefix_only || i == a.size())) return 0;
  return i == a.size() ? -1 : 1;
}

}  // namespace

int CompareItemText(std::string_view a, std::string_view b) { return CompareChars(a, b, false); }

bool StartsWithItemText(std::string_view text, std::string_view prefix) {
  return CompareChars(text, prefix, true) == 0;
}

int ListBoxModel::InsertAt(size_t at, std::string_view text) {
  if (items_.size() >= kMaxItems) return LB_ERRSPACE;
  try {
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), Item{std::string(text), 0});
  } catch (const std::bad_alloc&) {
    return LB_ERRSPACE;
  } catch (const std::length_error&) {
    return LB_ERRSPACE;
  }
  const int index = static_cast<int>(at);
  if (selection_ >= index) ++selection_;
  return index;
}

int ListBoxModel::Add(std::string_view text) {
  if (!sorted()) return InsertAt(items_.size(), text);
  // After every item that does not sort after it: equal texts keep the
  // order they came in.
  auto at = std::upper_bound(
      items_.begin(), items_.end(), text,
      [](std::string_view t, const Item& item) { return CompareItemText(t, item.text) < 0; });
  return InsertAt(static_cast<size_t>(at - items_.begin()), text);
}

int ListBoxModel::Insert(int index, std::string_view text) {
  if (index == -1) return InsertAt(items_.size(), text);
  if (index < 0 || index > count()) return LB_ERR;
  return InsertAt(static_cast<size_t>(index), text);
}

int ListBoxModel::Delete(int index) {
  if (!Contains(index)) return LB_ERR;
  items_.erase(items_.begin() + index);
  if (selection_ == index) {
    selection_ = -1;
  } else if (selection_ > index) {
    --selection_;
  }
  return count();
}

void ListBoxModel::Clear() {
  items_.clear();
  items_.shrink_to_fit();
  selection_ = -1;
}

const std::string* ListBoxModel::Text(int index) const {
  return Contains(index) ? &items_[static_cast<size_t>(index)].text : nullptr;
}

bool ListBoxModel::SetData(int index, ULONG_PTR data) {
  if (!Contains(index)) return false;
  items_[static_cast<size_t>(index)].data = data;
  return true;
}

LRESULT ListBoxModel::Data(int index) const {
  if (!Contains(index)) return LB_ERR;
  return static_cast<LRESULT>(items_[static_cast<size_t>(index)].data);
}

int ListBoxModel::Find(std::string_view text, int after, Match match) const {
  const int n = count();
  if (after < -1 || after >= n) after = -1;
  for (int step = 1; step <= n; ++step) {
    const int index = (after + step) % n;
    const std::string& item = items_[static_cast<size_t>(index)].text;
    const bool hit =
        match == Match::kPrefix ? StartsWithItemText(item, text) : CompareItemText(item, text) == 0;
    if (hit) return index;
  }
  return LB_ERR;
}

bool ListBoxModel::Select(int index) {
  if (Contains(index)) {
    selection_ = index;
    return true;
  }
  selection_ = -1;
  return index == -1;
}

}  // namespace platform::controls
