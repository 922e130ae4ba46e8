// Where the fields of a unit record and of a menu-item record lie.
//
// Records are variable-length: the name, comment, child list, mouse-pointer
// data, tag and bindings decide where everything after them starts. Nothing
// keeps those positions; every consumer locates them again from the record
// bytes through these functions, which refuse a record whose fields run past
// its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace runtime::forms {

// Type code of menu-item records; every other record is a unit record.
inline constexpr uint32_t kMenuItemType = 0x00010003;

// Identifier kinds (bits 28..31): the window's own record, a unit, a menu item.
inline constexpr uint32_t kWindowEntryKind = 0;
inline constexpr uint32_t kUnitKind = 1;
inline constexpr uint32_t kMenuItemKind = 2;

inline bool IsMenuItemId(uint32_t id) {
  return (id & 0x0F000000u) == 0x06000000u && (id & 0xF0000000u) == 0x20000000u;
}

// Unit state flags.
inline constexpr uint32_t kUnitVisible = 0x1;
inline constexpr uint32_t kUnitDisabled = 0x2;
inline constexpr uint32_t kUnitTabStop = 0x4;

// Menu-item state flags.
inline constexpr uint32_t kMenuHidden = 0x1;
inline constexpr uint32_t kMenuDisabled = 0x2;
inline constexpr uint32_t kMenuChecked = 0x4;

// The words at the start of every record.
inline constexpr size_t kTypeCodeAt = 0;
inline constexpr size_t kEventSourceAt = 4;
inline constexpr size_t kNameAt = 24;

// Byte offsets from the start of a unit record (after its length word).
struct UnitRecordLayout {
  size_t name = kNameAt;
  size_t comment = 0;
  size_t live_slot = 0;
  size_t left = 0, top = 0, width = 0, height = 0;
  size_t cursor_slot = 0;
  size_t parent_id = 0;
  size_t child_count = 0;
  size_t children = 0;  // child_count_value words
  uint32_t child_count_value = 0;
  size_t pointer_length = 0;
  size_t pointer_data = 0;  // pointer_length_value bytes
  uint32_t pointer_length_value = 0;
  size_t tag = 0;
  size_t tag_length = 0;  // with its terminator
  size_t reserved = 0;
  size_t flags = 0;
  size_t tab_order = 0;
  size_t binding_count = 0;
  size_t bindings = 0;  // binding_count_value pairs of (event number, handler)
  uint32_t binding_count_value = 0;
  size_t reserved_tail = 0;  // five words
  size_t properties = 0;     // the stored property record runs to the record end
  size_t properties_length = 0;
};

// Offsets from the start of a menu-item record.
struct MenuItemLayout {
  size_t name = kNameAt;
  size_t comment = 0;
  size_t shortcut = 0;
  size_t level = 0;
  size_t flags = 0;
  size_t caption = 0;
  size_t handler = 0;
  size_t end = 0;  // after the 20 reserved bytes
};

// Null when a field would run past the record.
std::optional<UnitRecordLayout> LocateUnitFields(std::span<const uint8_t> record);
std::optional<MenuItemLayout> LocateMenuItemFields(std::span<const uint8_t> record);

// Either kind, by the record's type code: whether it can be read at all.
bool IsReadableRecord(std::span<const uint8_t> record);

uint32_t RecordWord(std::span<const uint8_t> record, size_t at);
void SetRecordWord(std::span<uint8_t> record, size_t at, uint32_t value);

}  // namespace runtime::forms
