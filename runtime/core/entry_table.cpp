#include "runtime/core/entry_table.h"

#include <cstdarg>

#include "runtime/core/array_value.h"
#include "runtime/core/dll_command.h"
#include "runtime/core/error_report.h"
#include "runtime/core/file_search.h"
#include "runtime/core/heap.h"
#include "runtime/core/hooks.h"
#include "runtime/core/messages.h"
#include "runtime/core/run_loop.h"
#include "runtime/core/shutdown.h"
#include "runtime/core/startup.h"

namespace runtime {

namespace {

const RuntimeEntryTable kEntries = {
    ReportErrorByCode, CallDllCommand,  CallCommand, CallCommand, ReadProperty,
    WriteProperty,     MemAlloc,        MemRealloc,  MemFree,     EndProgram,
    RunMessageLoop,    LoadStartWindow, CallHelper,
};

const HelperTable kHelpers = {
    FindNextFileName, CloseFileSearch,   GrowArray,         RegisterExitRoutine,
    ReadUnitProperty, WriteUnitProperty, InitializeRuntime,
};

// One reader per helper: takes the helper's arguments off the list in order.
intptr_t FindNextFileFrom(va_list& args) {
  auto pattern = va_arg(args, const char*);
  auto mask = va_arg(args, int32_t);
  auto directories_only = va_arg(args, int32_t);
  auto search = va_arg(args, HANDLE*);
  return reinterpret_cast<intptr_t>(
      kHelpers.find_next_file(pattern, mask, directories_only, search));
}

intptr_t GrowArrayFrom(va_list& args) {
  auto more = va_arg(args, int32_t);
  auto slot = va_arg(args, void**);
  auto element_type = va_arg(args, TypeCode);
  kHelpers.grow_array(more, slot, element_type);
  return 0;
}

intptr_t ReadUnitPropertyFrom(va_list& args) {
  auto object_type = va_arg(args, TypeCode);
  auto unit = va_arg(args, const ValueRecord*);
  auto index = va_arg(args, int32_t);
  auto sub_index = va_arg(args, int32_t);
  return static_cast<intptr_t>(kHelpers.read_unit_property(object_type, unit, index, sub_index));
}

intptr_t WriteUnitPropertyFrom(va_list& args) {
  auto object_type = va_arg(args, TypeCode);
  auto unit = va_arg(args, const ValueRecord*);
  auto index = va_arg(args, int32_t);
  auto sub_index = va_arg(args, int32_t);
  auto low = va_arg(args, uint32_t);
  auto high = va_arg(args, uint32_t);
  kHelpers.write_unit_property(object_type, unit, index, sub_index, low, high);
  return 0;
}

intptr_t RunHelper(int32_t helper, va_list& args) {
  switch (helper) {
    case 0:
      return FindNextFileFrom(args);
    case 1:
      kHelpers.close_search(va_arg(args, HANDLE));
      return 0;
    case 2:
      return GrowArrayFrom(args);
    case 3:
      kHelpers.register_exit_routine(va_arg(args, ExitRoutine));
      return 0;
    case 4:
      return ReadUnitPropertyFrom(args);
    case 5:
      return WriteUnitPropertyFrom(args);
    case 6:
      kHelpers.initialize_runtime();
      return 0;
    default:
      return 0;
  }
}

}  // namespace

const RuntimeEntryTable& EntryTable() { return kEntries; }
const HelperTable& Helpers() { return kHelpers; }

intptr_t CallHelper(int32_t helper, ...) {
  va_list args;
  va_start(args, helper);
  const intptr_t result = RunHelper(helper, args);
  va_end(args);
  return result;
}

uint64_t ReadProperty(uint32_t window_id, uint32_t unit_id, int32_t index, int32_t sub_index) {
  auto read = Hooks().read_property;
  if (read == nullptr) ReportRuntimeError(messages::WindowNotLoaded(), 0);
  return read(window_id, unit_id, index, sub_index);
}

void WriteProperty(uint32_t window_id, uint32_t unit_id, int32_t index, int32_t sub_index,
                   uint32_t value_low, uint32_t value_high) {
  auto write = Hooks().write_property;
  if (write == nullptr) ReportRuntimeError(messages::WindowNotLoaded(), 0);
  write(window_id, unit_id, index, sub_index, value_low, value_high);
}

uint64_t ReadUnitProperty(TypeCode, const ValueRecord* unit, int32_t index, int32_t sub_index) {
  const ValueRecord reference = unit != nullptr ? *unit : ValueRecord{};
  return ReadProperty(reference.low, reference.high, index, sub_index);
}

void WriteUnitProperty(TypeCode, const ValueRecord* unit, int32_t index, int32_t sub_index,
                       uint32_t value_low, uint32_t value_high) {
  const ValueRecord reference = unit != nullptr ? *unit : ValueRecord{};
  WriteProperty(reference.low, reference.high, index, sub_index, value_low, value_high);
}

}  // namespace runtime
