#include "runtime/forms/unit_table.h"

#include <algorithm>
#include <utility>

#include "runtime/forms/byte_reader.h"
#include "runtime/forms/unit_record.h"

namespace runtime::forms {

namespace {

// Whether the `count` offsets of `bytes` each name a length word whose
// record lies inside the block, every record can be read, and no two records
// share bytes. Rewrite moves the records behind the one it changes; a record
// that overlapped the changed one would be cut apart and read garbage.
bool RecordsFit(std::span<const uint8_t> bytes, uint32_t count) {
  const size_t area = static_cast<size_t>(count) * 8;
  std::vector<std::pair<size_t, size_t>> extents;  // [length word, record end)
  extents.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    const size_t offset = LoadWord(bytes.data() + static_cast<size_t>(count) * 4 + i * 4);
    if (offset > bytes.size() - area || bytes.size() - area - offset < 4) return false;
    const size_t length_at = area + offset;
    const size_t length = LoadWord(bytes.data() + length_at);
    if (length > bytes.size() - length_at - 4) return false;
    if (!IsReadableRecord(bytes.subspan(length_at + 4, length))) return false;
    extents.emplace_back(length_at, length_at + 4 + length);
  }
  std::sort(extents.begin(), extents.end());
  for (size_t i = 1; i < extents.size(); ++i) {
    if (extents[i].first < extents[i - 1].second) return false;
  }
  return true;
}

}  // namespace

std::optional<UnitTable> UnitTable::FromBytes(std::span<const uint8_t> bytes, uint32_t count) {
  if (count > bytes.size() / 8) return std::nullopt;
  if (!RecordsFit(bytes, count)) return std::nullopt;
  UnitTable table;
  table.bytes_.assign(bytes.begin(), bytes.end());
  table.count_ = static_cast<int32_t>(count);
  return table;
}

UnitTable UnitTable::Build(std::span<const uint32_t> ids, const std::vector<std::string>& records) {
  std::string out;
  for (uint32_t id : ids) AppendWord(out, id);
  uint32_t offset = 0;
  for (const std::string& record : records) {
    AppendWord(out, offset);
    offset += 4 + static_cast<uint32_t>(record.size());
  }
  for (const std::string& record : records) {
    AppendWord(out, static_cast<uint32_t>(record.size()));
    out += record;
  }
  UnitTable table;
  table.bytes_.assign(out.begin(), out.end());
  table.count_ = static_cast<int32_t>(ids.size());
  return table;
}

uint32_t UnitTable::IdAt(int32_t index) const {
  if (index < 0 || index >= count_) return 0;
  return LoadWord(bytes_.data() + static_cast<size_t>(index) * 4);
}

int32_t UnitTable::IndexOf(uint32_t id) const {
  for (int32_t i = 0; i < count_; ++i) {
    if (IdAt(i) == id) return i;
  }
  return -1;
}

size_t UnitTable::LengthWordAt(int32_t index) const {
  const size_t offset_at = static_cast<size_t>(count_) * 4 + static_cast<size_t>(index) * 4;
  return RecordAreaStart() + LoadWord(bytes_.data() + offset_at);
}

std::span<uint8_t> UnitTable::RecordAt(int32_t index) {
  if (index < 0 || index >= count_) return {};
  const size_t at = LengthWordAt(index);
  return {bytes_.data() + at + 4, LoadWord(bytes_.data() + at)};
}

std::span<const uint8_t> UnitTable::RecordAt(int32_t index) const {
  return const_cast<UnitTable*>(this)->RecordAt(index);
}

uint32_t UnitTable::TypeCodeAt(int32_t index) const {
  return RecordWord(RecordAt(index), kTypeCodeAt);
}

bool UnitTable::IsMenuItem(int32_t index) const { return IsMenuItemId(IdAt(index)); }

MenuRun UnitTable::FirstMenuRun() const {
  MenuRun run;
  for (int32_t i = 0; i < count_; ++i) {
    if (!IsMenuItem(i)) {
      if (run.length > 0) break;
      continue;
    }
    if (run.length == 0) run.start = i;
    ++run.length;
  }
  return run;
}

std::span<const uint8_t> UnitTable::StoredProperties(int32_t index) const {
  auto record = RecordAt(index);
  if (record.empty() || RecordWord(record, kTypeCodeAt) == kMenuItemType) return {};
  auto layout = LocateUnitFields(record);
  if (!layout) return {};
  return record.subspan(layout->properties, layout->properties_length);
}

bool UnitTable::Rewrite(int32_t index, size_t offset, size_t old_length,
                        std::span<const uint8_t> replacement) {
  auto record = RecordAt(index);
  if (record.empty() || offset > record.size() || old_length > record.size() - offset) {
    return false;
  }
  const size_t new_length = record.size() - old_length + replacement.size();
  if (new_length > UINT32_MAX) return false;
  std::vector<uint8_t> updated(record.begin(), record.begin() + offset);
  updated.insert(updated.end(), replacement.begin(), replacement.end());
  updated.insert(updated.end(), record.begin() + offset + old_length, record.end());
  if (!IsReadableRecord(updated)) return false;

  const size_t length_at = LengthWordAt(index);
  const size_t old_record_length = record.size();
  const uint32_t old_end_offset =
      static_cast<uint32_t>(length_at - RecordAreaStart() + 4 + old_record_length);
  const int64_t delta = static_cast<int64_t>(new_length) - static_cast<int64_t>(old_record_length);
  auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(length_at + 4);
  bytes_.erase(first, first + static_cast<std::ptrdiff_t>(old_record_length));
  bytes_.insert(bytes_.begin() + static_cast<std::ptrdiff_t>(length_at + 4), updated.begin(),
                updated.end());
  StoreWord(bytes_.data() + length_at, static_cast<uint32_t>(new_length));
  // Records need not lie in entry order: move every record that started
  // behind the changed one.
  for (int32_t i = 0; i < count_; ++i) {
    uint8_t* offset_word = bytes_.data() + static_cast<size_t>(count_) * 4 + i * 4;
    const uint32_t offset_value = LoadWord(offset_word);
    if (i != index && offset_value >= old_end_offset) {
      StoreWord(offset_word, static_cast<uint32_t>(offset_value + delta));
    }
  }
  return true;
}

}  // namespace runtime::forms
