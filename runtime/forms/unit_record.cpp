#include "runtime/forms/unit_record.h"

#include "runtime/forms/byte_reader.h"

namespace runtime::forms {

namespace {

// The fixed words between the comment and the child list: live-object slot,
// left, top, width, height, cursor slot, parent id, child count.
constexpr size_t kPlacementWords = 8;
constexpr size_t kTailReserved = 20;

}  // namespace

std::optional<UnitRecordLayout> LocateUnitFields(std::span<const uint8_t> record) {
  ByteReader reader(record);
  UnitRecordLayout at;
  reader.Skip(kNameAt);
  reader.SkipText();
  at.comment = reader.position();
  reader.SkipText();
  at.live_slot = reader.position();
  at.left = at.live_slot + 4;
  at.top = at.live_slot + 8;
  at.width = at.live_slot + 12;
  at.height = at.live_slot + 16;
  at.cursor_slot = at.live_slot + 20;
  at.parent_id = at.live_slot + 24;
  at.child_count = at.live_slot + 28;
  reader.Skip((kPlacementWords - 1) * 4);
  at.child_count_value = reader.Word();
  at.children = reader.position();
  if (at.child_count_value > reader.remaining() / 4) return std::nullopt;
  reader.Skip(static_cast<size_t>(at.child_count_value) * 4);
  at.pointer_length = reader.position();
  at.pointer_length_value = reader.Word();
  at.pointer_data = reader.position();
  reader.Skip(at.pointer_length_value);
  at.tag = reader.position();
  at.tag_length = reader.SkipText();
  at.reserved = reader.position();
  at.flags = at.reserved + 4;
  at.tab_order = at.reserved + 8;
  at.binding_count = at.reserved + 12;
  reader.Skip(12);
  at.binding_count_value = reader.Word();
  at.bindings = reader.position();
  if (at.binding_count_value > reader.remaining() / 8) return std::nullopt;
  reader.Skip(static_cast<size_t>(at.binding_count_value) * 8);
  at.reserved_tail = reader.position();
  reader.Skip(kTailReserved);
  if (!reader.ok()) return std::nullopt;
  at.properties = reader.position();
  at.properties_length = reader.remaining();
  return at;
}

std::optional<MenuItemLayout> LocateMenuItemFields(std::span<const uint8_t> record) {
  ByteReader reader(record);
  MenuItemLayout at;
  reader.Skip(kNameAt);
  reader.SkipText();
  at.comment = reader.position();
  reader.SkipText();
  at.shortcut = reader.position();
  at.level = at.shortcut + 4;
  at.flags = at.shortcut + 8;
  reader.Skip(12);
  at.caption = reader.position();
  reader.SkipText();
  at.handler = reader.position();
  reader.Skip(4 + kTailReserved);
  if (!reader.ok()) return std::nullopt;
  at.end = reader.position();
  return at;
}

bool IsReadableRecord(std::span<const uint8_t> record) {
  if (record.size() < kNameAt) return false;
  if (RecordWord(record, kTypeCodeAt) == kMenuItemType) {
    return LocateMenuItemFields(record).has_value();
  }
  return LocateUnitFields(record).has_value();
}

uint32_t RecordWord(std::span<const uint8_t> record, size_t at) {
  return at + 4 <= record.size() ? LoadWord(record.data() + at) : 0;
}

void SetRecordWord(std::span<uint8_t> record, size_t at, uint32_t value) {
  if (at + 4 <= record.size()) StoreWord(record.data() + at, value);
}

}  // namespace runtime::forms
