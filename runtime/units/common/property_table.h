// Unit-type descriptors of the runtime's own types: property type codes,
// flag words, the eight common properties every property table begins
// with, and the descriptor record itself.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "runtime/core/program_header.h"

namespace runtime::units {

// Property type codes (how a value crosses the property interface).
namespace property_code {
inline constexpr int16_t kPlainInteger = 1000;  // the common geometry properties
inline constexpr int16_t kInteger = 1001;
inline constexpr int16_t kLogical = 1003;
inline constexpr int16_t kText = 1005;
inline constexpr int16_t kChoice = 1006;
inline constexpr int16_t kPicture = 1009;
inline constexpr int16_t kIcon = 1010;
inline constexpr int16_t kMousePointer = 1011;
inline constexpr int16_t kSound = 1012;
inline constexpr int16_t kFont = 1013;
inline constexpr int16_t kColour = 1014;
inline constexpr int16_t kColourOrNone = 1015;  // a colour, or none (transparent)
inline constexpr int16_t kFileName = 1016;
inline constexpr int16_t kSystemColour = 1017;
inline constexpr int16_t kDataSource = 1018;
inline constexpr int16_t kDataField = 1020;
inline constexpr int16_t kOtherBytes = 1024;
}  // namespace property_code

// Flag words: the framework reads only the type code; these are carried.
inline constexpr uint16_t kCommonPropertyFlags = 0xE000;
inline constexpr uint16_t kOwnPropertyFlags = 0x8000;

inline constexpr size_t kCommonPropertyCount = 8;

constexpr PropertyTypeEntry PropertyEntry(int16_t type_code, uint16_t flags = kOwnPropertyFlags) {
  return {nullptr, nullptr, nullptr, type_code, flags, nullptr};
}

// The eight common properties (left, top, width, height, tag, visible,
// disabled, mouse pointer), then `own` (the type's properties from index 8).
template <size_t kOwn>
constexpr std::array<PropertyTypeEntry, kCommonPropertyCount + kOwn> PropertyTable(
    const PropertyTypeEntry (&own)[kOwn]) {
  using namespace property_code;
  std::array<PropertyTypeEntry, kCommonPropertyCount + kOwn> table = {
      PropertyEntry(kPlainInteger, kCommonPropertyFlags),
      PropertyEntry(kPlainInteger, kCommonPropertyFlags),
      PropertyEntry(kPlainInteger, kCommonPropertyFlags),
      PropertyEntry(kPlainInteger, kCommonPropertyFlags),
      PropertyEntry(kText, kCommonPropertyFlags),
      PropertyEntry(kLogical, kCommonPropertyFlags),
      PropertyEntry(kLogical, kCommonPropertyFlags),
      PropertyEntry(kMousePointer, kCommonPropertyFlags)};
  for (size_t i = 0; i < kOwn; ++i) table[kCommonPropertyCount + i] = own[i];
  return table;
}

// A descriptor of one of the runtime's types: names (the Chinese one in
// GBK), state flags, property table and handler query; no methods, events
// or elements are described.
template <size_t kCount>
UnitTypeDescriptor MakeUnitType(const char* chinese_name, const char* english_name,
                                uint32_t state_flags,
                                const std::array<PropertyTypeEntry, kCount>& properties,
                                HandlerQuery handler_query) {
  UnitTypeDescriptor type{};
  type.chinese_name = chinese_name;
  type.english_name = english_name;
  type.state_flags = state_flags;
  type.property_count = static_cast<int32_t>(kCount);
  type.property_types = properties.data();
  type.handler_query = handler_query;
  return type;
}

}  // namespace runtime::units
