// A window's unit table: one block holding the entry ids, the offsets of the
// records and the records themselves, exactly as the template stores it.
//
// The framework edits it in place at run time (common property values,
// tags, mouse-pointer data, state flags), so the block is owned here and
// every change keeps it readable: Rewrite moves the records behind a changed
// one and fixes their offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace runtime::forms {

// A stretch of consecutive menu-item entries; length 0 when there is none.
struct MenuRun {
  int32_t start = 0;
  int32_t length = 0;
};

class UnitTable {
 public:
  UnitTable() = default;

  // Takes a copy of `bytes` holding `count` entries. Null when the ids,
  // offsets or record lengths run past the block, when a record cannot be
  // read field by field, or when two records share bytes (records may lie in
  // any order, with bytes between them, but each has its own).
  static std::optional<UnitTable> FromBytes(std::span<const uint8_t> bytes, uint32_t count);
  // Lays out a table from records (without their length words), in order.
  static UnitTable Build(std::span<const uint32_t> ids, const std::vector<std::string>& records);

  int32_t Count() const { return count_; }
  uint32_t IdAt(int32_t index) const;
  // Position of the first entry with `id`; -1 when there is none.
  int32_t IndexOf(uint32_t id) const;

  // The record of entry `index`, after its length word.
  std::span<uint8_t> RecordAt(int32_t index);
  std::span<const uint8_t> RecordAt(int32_t index) const;

  uint32_t TypeCodeAt(int32_t index) const;
  bool IsMenuItem(int32_t index) const;
  // The first run of consecutive menu-item entries.
  MenuRun FirstMenuRun() const;
  // The unit's stored property record (empty for menu items and when the
  // record ends at its reserved words).
  std::span<const uint8_t> StoredProperties(int32_t index) const;

  // Replaces `old_length` bytes at `offset` of record `index` with
  // `replacement`, adjusting the record's length word and the offsets of the
  // entries after it. False (and nothing changed) when the range lies outside
  // the record or the result would not be readable.
  bool Rewrite(int32_t index, size_t offset, size_t old_length,
               std::span<const uint8_t> replacement);

  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  size_t RecordAreaStart() const { return static_cast<size_t>(count_) * 8; }
  size_t LengthWordAt(int32_t index) const;

  std::vector<uint8_t> bytes_;
  int32_t count_ = 0;
};

}  // namespace runtime::forms
