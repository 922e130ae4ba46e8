// The application's doors into the runtime: the runtime entry table and the
// runtime library's command routine table, reached through one pointer pair
// as a compiled program's stubs jump through the tables the runtime filled.
// Tests put stand-in tables in their place.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "runtime/core/entry_table.h"
#include "runtime/core/runtime_library.h"
#include "runtime/core/value.h"

namespace app {

struct RuntimeLink {
  const runtime::RuntimeEntryTable* entries;
  const runtime::CommandRoutine* commands;  // indexed by runtime::RuntimeCommand
};

// The tables in use; the runtime's own unless a test replaced them.
const RuntimeLink& Runtime();
// Replaces the tables and returns the previous pair, so a test can put it back.
RuntimeLink SetRuntimeLink(const RuntimeLink& link);

// Entry 3 with the command routine at `command` of the command table.
runtime::ValueRecord CallCommand(runtime::RuntimeCommand command,
                                 std::initializer_list<runtime::ArgumentRecord> arguments);

// Entries 4 and 5 with sub-index 0 (none of the application's properties are
// indexed). Reads of texts and byte sets hand over a fresh block (null when
// absent) that the caller frees; writes always pass a zero extra word.
uint32_t ReadIntProperty(uint32_t window_id, uint32_t unit_id, int32_t index);
char* ReadTextProperty(uint32_t window_id, uint32_t unit_id, int32_t index);
void* ReadByteSetProperty(uint32_t window_id, uint32_t unit_id, int32_t index);
void WriteIntProperty(uint32_t window_id, uint32_t unit_id, int32_t index, uint32_t value);
void WriteTextProperty(uint32_t window_id, uint32_t unit_id, int32_t index, const char* text);

// Entries 6 and 8. Freeing null, the empty text or the empty byte set is
// harmless: the runtime ignores null and constant data.
void* MemAlloc(uint32_t size);
void MemFree(void* block);

}  // namespace app
