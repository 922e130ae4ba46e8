// The template segment: the window map followed by one record per window,
// each carrying the window's unit table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "runtime/forms/unit_table.h"

namespace runtime::forms {

// One window record of the segment.
struct WindowTemplate {
  uint32_t window_id = 0;
  uint32_t word_a = 0;  // kept with the window; nothing reads them
  uint32_t word_b = 0;
  std::string text_c;
  std::string text_d;
  UnitTable units;
};

// Null when the segment is damaged: it ends early, has bytes after the last
// window record, a map length that is not a multiple of 8, or a unit table
// that is not readable.
std::optional<std::vector<WindowTemplate>> ReadTemplateSegment(std::span<const uint8_t> segment);

// The segment bytes of `windows`, map slots zero.
std::string WriteTemplateSegment(const std::vector<WindowTemplate>& windows);

// Number of handlers in a null-terminated handler table (0 for none).
size_t CountHandlers(const void* const* table);

// Turns every stored handler offset of `table` (the bindings of unit
// records, the handler of menu items) into its relocated form: a position
// in the application's handler table plus one, so that 0 stays "no handler";
// a stored 0xFFFFFFFF becomes 0. False, leaving the table partly relocated,
// when an offset lies beyond the `handler_count` handlers of the table.
bool RelocateHandlers(UnitTable& table, size_t handler_count);

// The position in the handler table of a relocated handler word, or -1 for 0.
inline int64_t HandlerPosition(uint32_t relocated) {
  return relocated == 0 ? -1 : static_cast<int64_t>(relocated) - 1;
}

}  // namespace runtime::forms
