// The static records through which the runtime learns about the program: the
// program header, the library descriptors it names and their unit-type and
// property-type records.
//
// These are in-memory records: fields keep their order, and on a 64-bit build
// every pointer field takes a whole pointer, so the 32-bit offsets (60-byte
// header, 0x90-byte library descriptor, 56-byte unit-type descriptor, 20-byte
// property-type entry) hold on 32-bit builds only.
#pragma once

#include <cstdint>

#include "runtime/core/value.h"

namespace runtime {

// The application's start routine: runs the whole program and returns 0.
using StartRoutine = int32_t (*)();

// An application event handler. It takes its arguments as 32-bit words in
// order and either returns no value or returns one; `returned` tells which,
// since a handler that returns 0 means something other than one that returns
// nothing (a mouse handler answering 0 swallows the click).
struct HandlerResult {
  bool returned = false;
  int64_t value = 0;  // 32-bit handlers leave the high half as the sign
};
using EventHandler = HandlerResult (*)(const uint32_t* arguments, int32_t count);

// The system service routine that units and libraries call back into the
// framework through (service code, first argument, second argument).
using SystemServiceRoutine = intptr_t (*)(int32_t code, intptr_t first, intptr_t second);

// A library's notify routine (notify code, first argument, second argument).
using LibraryNotify = int32_t (*)(int32_t code, intptr_t first, intptr_t second);

// A unit type's handlers are found by number; callers cast the answer to the
// handler's real type.
using UnitHandler = void (*)();  // cast to the handler's real type before calling
using HandlerQuery = UnitHandler (*)(int32_t handler_number);

struct PropertyTypeEntry {
  const char* name;
  const char* english_name;
  const char* description;
  int16_t type_code;  // the only field the runtime's conversions read
  uint16_t flags;     // 0xE000 on the eight common properties, 0x8000 on the others
  const char* const* pick_list;
};

struct UnitTypeDescriptor {
  const char* chinese_name;  // GBK
  const char* english_name;
  const char* description;
  int32_t method_count;
  const int32_t* method_indices;
  uint32_t state_flags;
  int32_t bitmap_number;
  int32_t event_count;
  const void* event_descriptions;
  int32_t property_count;
  const PropertyTypeEntry* property_types;
  HandlerQuery handler_query;
  int32_t element_count;
  const void* elements;
};

inline constexpr uint32_t kLibraryFormat = 20000101;  // 0x01312D65
inline constexpr int32_t kUnitTypeSlots = 51;

struct LibraryDescriptor {
  uint32_t format;         // kLibraryFormat
  const char* identifier;  // 32 lowercase hexadecimal digits
  int32_t version_major;
  int32_t version_minor;
  int32_t version_build;
  int32_t runtime_major;  // required runtime version
  int32_t runtime_minor;
  int32_t core_major;  // required core version
  int32_t core_minor;
  const char* display_name;  // GBK
  int32_t language;
  const char* description;
  uint32_t state_flags;
  const char* further_texts[8];
  int32_t unit_type_count;               // kUnitTypeSlots
  const UnitTypeDescriptor* unit_types;  // a slot of an unused type is all zero
  int32_t category_count;
  const char* const* categories;
  int32_t command_count;
  const void* command_descriptions;
  const CommandRoutine* command_routines;  // exactly the commands the application calls
  const void* add_in_routine;
  const char* add_in_description;
  LibraryNotify notify;  // may be null
  const void* template_routine;
  const char* template_description;
  int32_t constant_count;
  const void* constants;
  const char* const* dependent_files;
};

struct ProgramHeader {
  uint32_t reserved[2];
  uint32_t run_mode;  // 3 in this program; system service 2030 answers it
  uint32_t second_mode;
  uint32_t counter_seed;  // run-time numbers start at counter_seed + 1
  // The application's handler table, ended by a null entry. A handler offset
  // in the window template is a position in it (0 is the first handler).
  const EventHandler* code_base;
  const void* constant_data;
  uint32_t constant_size;
  const uint8_t* template_segment;
  uint32_t template_size;  // 0: the program has no window template
  uint32_t library_count;
  const LibraryDescriptor* const* libraries;
  uint32_t dll_routine_count;  // declared external-library routines
  const char* const* dll_file_names;
  const char* const* dll_routine_names;  // "#n" names ordinal n
};

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(ProgramHeader) == 60);
static_assert(sizeof(LibraryDescriptor) == 0x90);
static_assert(sizeof(UnitTypeDescriptor) == 56);
static_assert(sizeof(PropertyTypeEntry) == 20);
#endif

}  // namespace runtime
