// The value record and the command-call convention.
//
// Every exchange between the application and the runtime passes 12-byte value
// records: a value field of two 32-bit words and a type code. 64-bit values
// span both words; on a 64-bit build a pointer fills both words too, which is
// why pointers are read and written only through the accessors here.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "runtime/core/type_code.h"

namespace runtime {

struct ValueRecord {
  uint32_t low = 0;   // integer, logical, pointer (low half), window id of a unit reference
  uint32_t high = 0;  // high half of 64-bit values and pointers; unit id of a unit reference
  TypeCode type = type::kNone;

  int32_t AsInt32() const { return static_cast<int32_t>(low); }
  int64_t AsInt64() const {
    return static_cast<int64_t>((static_cast<uint64_t>(high) << 32) | low);
  }
  float AsFloat() const { return std::bit_cast<float>(low); }
  double AsDouble() const { return std::bit_cast<double>(static_cast<uint64_t>(AsInt64())); }
  void* AsPointer() const {
    uint64_t bits = (static_cast<uint64_t>(high) << 32) | low;
    return reinterpret_cast<void*>(static_cast<uintptr_t>(bits));
  }
  const char* AsText() const { return static_cast<const char*>(AsPointer()); }
  bool IsOmitted() const { return type == type::kNone; }

  void SetInt32(int32_t v) { low = static_cast<uint32_t>(v); }
  void SetInt64(int64_t v) {
    low = static_cast<uint32_t>(v);
    high = static_cast<uint32_t>(static_cast<uint64_t>(v) >> 32);
  }
  void SetFloat(float v) { low = std::bit_cast<uint32_t>(v); }
  void SetDouble(double v) { SetInt64(static_cast<int64_t>(std::bit_cast<uint64_t>(v))); }
  void SetPointer(const void* p) {
    uint64_t bits = reinterpret_cast<uintptr_t>(p);
    low = static_cast<uint32_t>(bits);
    high = static_cast<uint32_t>(bits >> 32);
  }
};
static_assert(sizeof(ValueRecord) == 12, "value records are exchanged as 12-byte records");

// Typed constructors for building argument records.
ValueRecord IntValue(int32_t v);
ValueRecord LongValue(int64_t v);
ValueRecord ByteValue(uint8_t v);
ValueRecord ShortValue(int16_t v);
ValueRecord FloatValue(float v);
ValueRecord DoubleValue(double v);
ValueRecord BoolValue(bool v);
ValueRecord DateTimeValue(double days);
ValueRecord TextValue(const char* text);  // the record refers to text; no copy
ValueRecord ByteSetValue(const void* byte_set);
// A reference to a unit: the first argument of every unit method.
ValueRecord UnitReference(uint32_t window_id, uint32_t unit_id, TypeCode object_type);

// In an argument list the value record is the argument record.
using ArgumentRecord = ValueRecord;

// A command routine: writes its result into a record the caller has zeroed,
// reads `count` argument records starting at `args`. It must accept omitted
// optional arguments (type code 0) and never read past `count`.
using CommandRoutine = void (*)(ValueRecord* result, int32_t count, ArgumentRecord* args);

// The runtime's CallCommand: zeroes a result record, runs the routine and
// hands the record back. A routine that writes nothing yields all zeros.
ValueRecord CallCommand(CommandRoutine routine, int32_t count, ArgumentRecord* args);

// The argument at `index` when it lies within the count, otherwise an omitted
// argument: routines read their optional arguments through this.
inline ValueRecord ArgumentAt(int32_t count, const ArgumentRecord* args, int32_t index) {
  if (index < 0 || index >= count || args == nullptr) return {};
  return args[index];
}

// The value a font property yields: seven fields in this order. The face name
// is a text value owned by the record; on a 64-bit build it is pointer-sized.
struct FontValue {
  int32_t angle;
  int32_t bold;       // logical
  int32_t italic;     // logical
  int32_t strikeout;  // logical
  int32_t underline;  // logical
  int32_t size;
  char* face_name;  // text value (GBK), null is empty
};
static_assert(offsetof(FontValue, face_name) == 24, "font value fields keep their order");

// Conversion of a numeric value record to an integer (system service 2001):
// byte zero-extended, short sign-extended, integer and long integer low 32
// bits, floats truncated toward zero. Any other type is a misuse and ends the
// process through the run-time error report.
int32_t ValueToInteger(const ValueRecord& value);

}  // namespace runtime

namespace runtime {
// A float truncated toward zero to a 64-bit integer, of which the low 32 bits
// are kept (2147483648.0 gives -2147483648, 4294967296.0 gives 0). Values
// outside the 64-bit range and NaN give 0 instead of undefined behaviour.
int32_t TruncatedLow32(double value);
}  // namespace runtime
