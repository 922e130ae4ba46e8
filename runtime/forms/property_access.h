// Reading and writing unit properties by number: the eight common properties
// the framework serves from the unit record and the live window, and the
// unit types' own properties through their get and set handlers, converted
// by each property's type code.
#pragma once

#include <cstdint>

namespace runtime::forms {

// The 64-bit value (low word, high word). Text and byte-set results are new
// blocks the caller frees with MemFree.
uint64_t ReadProperty(uint32_t window_id, uint32_t unit_id, int32_t index, int32_t sub_index);

// Text and byte-set values stay owned by the caller.
void WriteProperty(uint32_t window_id, uint32_t unit_id, int32_t index, int32_t sub_index,
                   uint32_t value_low, uint32_t value_high);

}  // namespace runtime::forms
