#include "runtime/core/value.h"

#include <cmath>

#include "runtime/core/error_report.h"
#include "runtime/core/messages.h"

namespace runtime {

namespace {

ValueRecord Word(TypeCode code, uint32_t low) { return ValueRecord{low, 0, code}; }

ValueRecord Wide(TypeCode code, int64_t bits) {
  ValueRecord r{0, 0, code};
  r.SetInt64(bits);
  return r;
}

ValueRecord Pointer(TypeCode code, const void* p) {
  ValueRecord r{0, 0, code};
  r.SetPointer(p);
  return r;
}

}  // namespace

ValueRecord IntValue(int32_t v) { return Word(type::kInt, static_cast<uint32_t>(v)); }
ValueRecord LongValue(int64_t v) { return Wide(type::kLong, v); }
ValueRecord ByteValue(uint8_t v) { return Word(type::kByte, v); }
ValueRecord ShortValue(int16_t v) { return Word(type::kShort, static_cast<uint16_t>(v)); }
ValueRecord FloatValue(float v) { return Word(type::kFloat, std::bit_cast<uint32_t>(v)); }
ValueRecord DoubleValue(double v) {
  return Wide(type::kDouble, static_cast<int64_t>(std::bit_cast<uint64_t>(v)));
}
ValueRecord BoolValue(bool v) { return Word(type::kBool, v ? 1 : 0); }
ValueRecord DateTimeValue(double days) {
  return Wide(type::kDateTime, static_cast<int64_t>(std::bit_cast<uint64_t>(days)));
}
ValueRecord TextValue(const char* text) { return Pointer(type::kText, text); }
ValueRecord ByteSetValue(const void* byte_set) { return Pointer(type::kByteSet, byte_set); }

ValueRecord UnitReference(uint32_t window_id, uint32_t unit_id, TypeCode object_type) {
  return ValueRecord{window_id, unit_id, object_type};
}

ValueRecord CallCommand(CommandRoutine routine, int32_t count, ArgumentRecord* args) {
  ValueRecord result{};
  routine(&result, count, args);
  return result;
}

int32_t TruncatedLow32(double value) {
  // 2^63 is exactly representable; anything at or beyond it (or NaN) has no
  // 64-bit integer to truncate to.
  constexpr double kLimit = 9223372036854775808.0;
  if (!(value >= -kLimit && value < kLimit)) return 0;
  auto whole = static_cast<int64_t>(value);  // truncates toward zero
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(whole)));
}

int32_t ValueToInteger(const ValueRecord& value) {
  switch (value.type) {
    case type::kByte:
      return static_cast<uint8_t>(value.low);
    case type::kShort:
      return static_cast<int16_t>(value.low);
    case type::kInt:
    case type::kLong:
      return static_cast<int32_t>(value.low);
    case type::kFloat:
      return TruncatedLow32(value.AsFloat());
    case type::kDouble:
      return TruncatedLow32(value.AsDouble());
    default:
      ReportRuntimeError(messages::NotNumeric(), 0);
  }
}

}  // namespace runtime
