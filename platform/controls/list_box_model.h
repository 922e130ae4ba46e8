// The items of a list box or combo box, without any window: GBK texts with
// their item data, kept sorted or in the order given, and the one selected
// item. Indices and results follow the LB_* messages (LB_ERR, LB_ERRSPACE)
// so the window procedures can hand them straight back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"

namespace platform::controls {

// Orders texts as lstrcmpi does in code page 936: character by character,
// ASCII letters without case (folded to lower case, so "_" comes before
// letters), double-byte characters by their GBK code, which puts Latin
// text before Chinese and GB2312's level-1 characters in pinyin order. A
// text that is the start of another comes first. <0, 0 or >0.
int CompareItemText(std::string_view a, std::string_view b);

// True when `text` starts with the whole characters of `prefix`, compared
// as CompareItemText compares.
bool StartsWithItemText(std::string_view text, std::string_view prefix);

class ListBoxModel {
 public:
  enum class Order { kAsGiven, kSorted };
  enum class Match { kPrefix, kExact };

  explicit ListBoxModel(Order order = Order::kAsGiven) : order_(order) {}

  int count() const { return static_cast<int>(items_.size()); }
  bool sorted() const { return order_ == Order::kSorted; }
  bool Contains(int index) const { return index >= 0 && index < count(); }

  // Sorted lists put the text after the items that compare equal to it;
  // others append it. Returns its index, or LB_ERRSPACE when memory or the
  // index range is exhausted.
  int Add(std::string_view text);
  // At `index` (-1: at the end) whatever the order; LB_ERR for an index
  // past the end.
  int Insert(int index, std::string_view text);
  // Returns the items left, or LB_ERR.
  int Delete(int index);
  void Clear();

  // Null for an index out of range.
  const std::string* Text(int index) const;
  bool SetData(int index, ULONG_PTR data);
  // LB_ERR for an index out of range (as Win32 answers, which a datum of
  // LB_ERR cannot be told from).
  LRESULT Data(int index) const;

  // The first item after `after` that matches, going round to the start
  // and stopping at `after`; -1 (or an index out of range) searches all
  // from the first. LB_ERR when none matches.
  int Find(std::string_view text, int after, Match match) const;

  int selection() const { return selection_; }
  // -1 clears the selection; so does an index out of range, which
  // returns false.
  bool Select(int index);

 private:
  struct Item {
    std::string text;
    ULONG_PTR data = 0;
  };

  int InsertAt(size_t at, std::string_view text);

  std::vector<Item> items_;
  int selection_ = -1;  // the selected item, -1 for none
  Order order_;
};

}  // namespace platform::controls
