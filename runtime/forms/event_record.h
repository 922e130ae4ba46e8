// The records through which units raise events (system services 2008 and
// 2031). Every field is a 32-bit word, so the layouts hold on any build.
#pragma once

#include <cstdint>

namespace runtime::forms {

struct EventRecord {
  uint32_t window_id = 0;
  uint32_t unit_id = 0;  // 0: the window itself (entry 0 of its unit table)
  int32_t event = 0;
  int32_t argument_count = 0;  // 0 to 5
  uint32_t arguments[5] = {};
  uint32_t returned = 0;  // 1 when the handler returned a value
  uint32_t returned_value = 0;
};
static_assert(sizeof(EventRecord) == 44);

struct TypedArgument {
  uint32_t low = 0;
  uint32_t high = 0;
  uint32_t type_code = 0;
  uint32_t state = 0;  // bit 0: `low` is the address of the caller's variable
};

struct TypedEventRecord {
  uint32_t window_id = 0;
  uint32_t unit_id = 0;
  int32_t event = 0;
  int32_t argument_count = 0;  // 0 to 12
  TypedArgument arguments[12] = {};
  uint32_t returned = 0;
  uint32_t returned_low = 0;
  uint32_t returned_high = 0;
};
static_assert(sizeof(TypedEventRecord) == 220);

// Common event numbers.
enum CommonEvent : int32_t {
  kEventLeftDown = -1,
  kEventLeftUp = -2,
  kEventLeftDoubleClick = -3,
  kEventRightDown = -4,
  kEventRightUp = -5,
  kEventMouseMove = -6,
  kEventFocusGained = -7,
  kEventFocusLost = -8,
  kEventKeyDown = -9,
  kEventKeyUp = -10,
  kEventCharacter = -11,
  kEventWheel = -12,
};

}  // namespace runtime::forms
