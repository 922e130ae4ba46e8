// The runtime entry table and the helper table: the only doors through which
// the application reaches the runtime, as a compiled program's stubs jump
// through them. Both keep their order; each entry is pointer-sized.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "runtime/core/app_state.h"
#include "runtime/core/value.h"

namespace runtime {

struct RuntimeEntryTable {
  void (*report_error_by_code)(int32_t code);                                            // 0
  intptr_t (*call_dll_command)(int32_t number, int32_t count, const intptr_t* args);     // 1
  ValueRecord (*call_command_too)(CommandRoutine, int32_t count, ArgumentRecord* args);  // 2
  ValueRecord (*call_command)(CommandRoutine, int32_t count, ArgumentRecord* args);      // 3
  uint64_t (*read_property)(uint32_t window_id, uint32_t unit_id, int32_t index,
                            int32_t sub_index);  // 4
  void (*write_property)(uint32_t window_id, uint32_t unit_id, int32_t index, int32_t sub_index,
                         uint32_t value_low, uint32_t value_high);  // 5
  void* (*mem_alloc)(uint32_t size);                                // 6
  void* (*mem_realloc)(void* block, uint32_t size);                 // 7
  void (*mem_free)(void* block);                                    // 8
  void (*end_program)(int32_t exit_code);                           // 9
  void (*run_message_loop)();                                       // 10
  void (*load_start_window)(uint32_t window_id);                    // 11
  intptr_t (*call_helper)(int32_t helper, ...);                     // 12
};
static_assert(sizeof(RuntimeEntryTable) == 13 * sizeof(void*), "13 entries, one pointer each");

struct HelperTable {
  char* (*find_next_file)(const char* pattern, int32_t attribute_mask, int32_t directories_only,
                          HANDLE* search);                                     // 0
  void (*close_search)(HANDLE search);                                         // 1
  void (*grow_array)(int32_t more, void** array_slot, TypeCode element_type);  // 2
  void (*register_exit_routine)(ExitRoutine routine);                          // 3
  uint64_t (*read_unit_property)(TypeCode object_type, const ValueRecord* unit, int32_t index,
                                 int32_t sub_index);  // 4
  void (*write_unit_property)(TypeCode object_type, const ValueRecord* unit, int32_t index,
                              int32_t sub_index, uint32_t value_low, uint32_t value_high);  // 5
  void (*initialize_runtime)();                                                             // 6
};
static_assert(sizeof(HelperTable) == 7 * sizeof(void*), "7 helpers, one pointer each");

const RuntimeEntryTable& EntryTable();
const HelperTable& Helpers();

// Entry 12: runs helper `helper` with the arguments that follow, which must
// have the helper's parameter types in order (see HelperTable), and hands
// back its result as an integer (a text value's address for helper 0, the
// 64-bit value for helper 4, 0 for helpers without a result). A number
// outside 0..6 does nothing and gives 0.
intptr_t CallHelper(int32_t helper, ...);

// Entries 4 and 5, through the window framework. Without it no window is
// registered, so every access is reported ("未载入欲访问窗口组件所在的窗口").
uint64_t ReadProperty(uint32_t window_id, uint32_t unit_id, int32_t index, int32_t sub_index);
void WriteProperty(uint32_t window_id, uint32_t unit_id, int32_t index, int32_t sub_index,
                   uint32_t value_low, uint32_t value_high);

// Helpers 4 and 5: the same by unit reference (window id in the low word,
// unit id in the high word). The object type is part of the call's shape;
// the property numbers already belong to that type.
uint64_t ReadUnitProperty(TypeCode object_type, const ValueRecord* unit, int32_t index,
                          int32_t sub_index);
void WriteUnitProperty(TypeCode object_type, const ValueRecord* unit, int32_t index,
                       int32_t sub_index, uint32_t value_low, uint32_t value_high);

}  // namespace runtime
