// Type codes: the 32-bit tag that says what a value record holds.
//
// The two top bits give the class: 10 = system base type (fixed codes below),
// 01 = type defined by the application, 00 = library type (library number in
// the high half, type number in the low half; unit objects carry these).
// Bit 29 on a text or byte-set code marks an array of that element type.
#pragma once

#include <cstdint>

namespace runtime {

using TypeCode = uint32_t;

namespace type {
inline constexpr TypeCode kNone = 0;  // no value: an omitted optional argument
inline constexpr TypeCode kByte = 0x80000101;
inline constexpr TypeCode kShort = 0x80000201;
inline constexpr TypeCode kInt = 0x80000301;
inline constexpr TypeCode kLong = 0x80000401;
inline constexpr TypeCode kFloat = 0x80000501;
inline constexpr TypeCode kDouble = 0x80000601;
inline constexpr TypeCode kBool = 0x80000002;
inline constexpr TypeCode kDateTime = 0x80000003;
inline constexpr TypeCode kText = 0x80000004;
inline constexpr TypeCode kByteSet = 0x80000005;
inline constexpr TypeCode kCodeAddress = 0x80000006;  // 32-bit, taken unchanged as integer
inline constexpr TypeCode kOther8 = 0x80000008;       // 8-byte, passed like a date-time
inline constexpr TypeCode kArrayBit = 0x20000000;
}  // namespace type

enum class TypeClass { kNone, kSystem, kApplication, kLibrary };

constexpr TypeClass ClassOf(TypeCode code) {
  if (code == type::kNone) return TypeClass::kNone;
  switch (code & 0xC0000000u) {
    case 0x80000000u:
      return TypeClass::kSystem;
    case 0x40000000u:
      return TypeClass::kApplication;
    case 0x00000000u:
      return TypeClass::kLibrary;
    default:
      return TypeClass::kNone;  // top bits 11 name nothing
  }
}

constexpr bool IsArray(TypeCode code) { return (code & type::kArrayBit) != 0; }
constexpr TypeCode ElementType(TypeCode code) { return code & ~type::kArrayBit; }
constexpr TypeCode ArrayOf(TypeCode element) { return element | type::kArrayBit; }

// Library types: 1-based library number and 1-based type number in that
// library's unit-type table. 0x00010008 is type 8 of library 1.
constexpr TypeCode LibraryType(uint16_t library, uint16_t type_number) {
  return (static_cast<TypeCode>(library) << 16) | type_number;
}
constexpr uint16_t LibraryNumberOf(TypeCode code) { return static_cast<uint16_t>(code >> 16); }
constexpr uint16_t TypeNumberOf(TypeCode code) { return static_cast<uint16_t>(code & 0xFFFF); }

constexpr bool IsIntegerType(TypeCode code) {
  return code == type::kByte || code == type::kShort || code == type::kInt || code == type::kLong;
}
constexpr bool IsFloatType(TypeCode code) { return code == type::kFloat || code == type::kDouble; }
constexpr bool IsNumericType(TypeCode code) { return IsIntegerType(code) || IsFloatType(code); }

}  // namespace runtime
