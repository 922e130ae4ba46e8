// Unit and menu-item records as plain fields, for building records (the form
// compiler, tests) and for taking them apart whole (the dumper). Every byte
// of a record has a field here, reserved words included, so reading a record
// and writing it again gives the same bytes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "runtime/forms/unit_record.h"

namespace runtime::forms {

struct EventBinding {
  int32_t event = 0;
  uint32_t handler = 0xFFFFFFFF;  // offset in the handler table; 0xFFFFFFFF none
};

struct UnitRecordFields {
  uint32_t type_code = 0;
  uint32_t event_source = 0;
  std::array<uint32_t, 4> reserved_head{};
  std::string name;  // GBK, without terminator
  std::string comment;
  uint32_t live_slot = 0;
  int32_t left = 0, top = 0, width = 0, height = 0;
  uint32_t cursor_slot = 0;
  uint32_t parent_id = 0;
  std::vector<uint32_t> children;
  std::string mouse_pointer = std::string(4, '\0');  // pointer number 0: the class cursor
  std::string tag;
  uint32_t reserved_after_tag = 0;
  uint32_t flags = kUnitVisible;
  int32_t tab_order = 0;
  std::vector<EventBinding> bindings;
  std::array<uint32_t, 5> reserved_tail{};
  std::string properties;  // the stored property record
};

struct MenuItemFields {
  uint32_t event_source = 0;
  std::array<uint32_t, 4> reserved_head{};
  std::string name;
  std::string comment;
  uint32_t shortcut = 0;  // 0 none, 1..77 the shortcut table
  uint32_t level = 0;
  uint32_t flags = 0;
  std::string caption;  // "-" makes a separator
  uint32_t handler = 0xFFFFFFFF;
  std::array<uint32_t, 5> reserved_tail{};
  std::string trailing;  // bytes after the reserved words; none in a well-formed record
};

std::string WriteUnitRecord(const UnitRecordFields& fields);
std::string WriteMenuItemRecord(const MenuItemFields& fields);

// Null when the record cannot be read.
std::optional<UnitRecordFields> ReadUnitRecord(std::span<const uint8_t> record);
std::optional<MenuItemFields> ReadMenuItemRecord(std::span<const uint8_t> record);

}  // namespace runtime::forms
