// How a unit-specific property value crosses the property interface: the
// application's 64-bit value (low word, high word; a pointer fills both on a
// 64-bit build) on one side, the pair a unit's get and set handlers
// exchange on the other, converted by the property's type code.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/win32.h"
#include "runtime/forms/unit_types.h"

namespace runtime::forms {

enum class PropertyKind {
  kInteger,       // 1000, 1001 and the colours 1014, 1015, 1017
  kChoice,        // 1006: negative values are written as 0
  kWide,          // 1002, 1004: both words
  kLogical,       // 1003
  kText,          // 1005, 1007, 1008, 1016, 1018 to 1022
  kBytes,         // 1009, 1010, 1012, 1023, 1024
  kMousePointer,  // 1011
  kFont,          // 1013
  kOther,         // codes outside the table: both words, unconverted
};

PropertyKind KindOfPropertyType(int16_t type_code);

// The application's value of what a get handler reported. Texts, byte sets
// and font values are new blocks the caller frees with MemFree.
uint64_t ValueFromPair(int16_t type_code, const PropertyPair& pair, int32_t sub_index);

// What the pair of a write points into; it must outlive the set handler's
// call.
struct PairStorage {
  std::vector<uint8_t> bytes;
  LOGFONTA font{};
};

// The pair a set handler receives for the application's value. `current` is
// what the get handler reports now: a font field (sub-index 0..6) changes
// one field of that font. Nullopt when there is nothing to write (a font
// sub-index outside -1..6).
std::optional<PropertyPair> PairFromValue(int16_t type_code, uint64_t value, int32_t sub_index,
                                          const PropertyPair& current, PairStorage& storage);

// The application's 64-bit value from the two words WriteProperty receives,
// and the pointer such a value may carry.
inline uint64_t JoinWords(uint32_t low, uint32_t high) {
  return (static_cast<uint64_t>(high) << 32) | low;
}
inline const void* ValuePointer(uint64_t value) {
  return reinterpret_cast<const void*>(static_cast<uintptr_t>(value));
}
inline uint64_t PointerValue(const void* pointer) { return reinterpret_cast<uintptr_t>(pointer); }

}  // namespace runtime::forms
