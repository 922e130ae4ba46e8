// What the framework's tests share: a library of small unit types of the
// tests' own, a handler table that records every call, and a builder for
// windows' unit tables, put together into a program the framework reads.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32.h"
#include "runtime/core/program_header.h"
#include "runtime/forms/record_fields.h"
#include "runtime/forms/template_segment.h"
#include "runtime/forms/unit_object.h"

namespace runtime::forms_testing {

// Type codes of the test library (library 1).
inline constexpr uint32_t kWindowType = 0x00010001;  // top-level window, flags 0x800000D0
inline constexpr uint32_t kBoxType = 0x00010002;     // child window with events, 0x80000040
inline constexpr uint32_t kOtherType = 0x00010004;   // another child type with events
inline constexpr uint32_t kMuteType = 0x00010005;    // child window raising no events (flags 0)
inline constexpr uint32_t kPagedType = 0x00010006;   // paged container, 0x80000140
inline constexpr uint32_t kFilterType = 0x00010007;  // pre-translates, owns child msgs, 0x80000260
// A container whose re-creation moves its child windows and tells its
// parent, 0x801000C0.
inline constexpr uint32_t kMoverType = 0x00010008;
inline constexpr uint32_t kMissingType = 0x00010009;  // empty slot
// No visible window, 0x80008040. Slot 3 is the menu-item type: 0x00010003
// is the type code of menu-item records.
inline constexpr uint32_t kHiddenType = 0x0001000A;

// Unit-specific properties of the box type (index 8 on), by type code:
// Number 1000, Choice 1006, Flag 1003, Text 1005, Bytes 1009, Font 1013,
// Long 1002, Colour 1014, Rebuild 1000 (its set asks to be re-created).
enum BoxProperty : int32_t {
  kBoxNumber = 8,
  kBoxChoice,
  kBoxFlag,
  kBoxText,
  kBoxBytes,
  kBoxFont,
  kBoxLong,
  kBoxColour,
  kBoxRebuild,
  kBoxPropertyEnd
};

// The live object of every test type.
struct TestUnit : forms::UnitObject {
  uint32_t type_code = 0;
  int32_t number = 0;  // from the stored record: version word, then Number, then Text
  std::string text;
  uint32_t pair_first = 0, pair_second = 0;  // what the last plain set stored
  std::string bytes;
  std::vector<uint8_t> font;  // 60 bytes when set
  int64_t long_value = 0;
  uint32_t colour = 0;
  int32_t creations = 0;  // how many units of this id were created before, + 1
  int32_t control_id = 0;
  uint32_t create_style = 0;
  std::vector<UINT> private_messages;  // 0x806F, 0x8076, 0x8004, 0x8065 as they came
};

// A stored record for the box type: version 1, Number, counted Text.
std::string BoxRecord(int32_t number, const std::string& text);

// Every unit the test types created, in creation order (objects of
// destroyed units are gone; their entries stay, marked destroyed).
struct CreatedUnit {
  uint32_t unit_id;
  uint32_t type_code;
  int32_t control_id;
  HWND window;
  bool destroyed;
  int32_t suppression = 0;  // the event-suppression counter while it was created
};
std::vector<CreatedUnit>& CreatedUnits();

// Every private notification (0x806F, 0x8076, 0x8004, 0x8065) any test unit
// received, as (unit id, message), in the order they came.
std::vector<std::pair<uint32_t, UINT>>& PrivateMessageLog();

// When set, the window type answers the handler query for its show routine
// (kHandlerShowWindow) with a routine that calls this with the window's
// object; unset, the window type has no show routine.
std::function<void(void* window_unit)>& WindowShowRoutine();

// Units whose create routine fails, by unit id.
std::vector<uint32_t>& FailingUnits();

// The handler table: kHandlerCount handlers recording (position, arguments)
// into HandlerCalls(); HandlerResults()[position] is what each returns
// (nothing by default); HandlerActions()[position] runs inside the handler.
inline constexpr int32_t kHandlerCount = 8;
struct HandlerCall {
  int32_t position;
  std::vector<uint32_t> arguments;
};
std::vector<HandlerCall>& HandlerCalls();
HandlerResult* HandlerResults();
std::function<void()>* HandlerActions();
const EventHandler* HandlerTable();  // null-terminated

// Handlers 11 (pre-translate) and 21 (window keys) of every test type call
// these; while one is unset the types have no such handler.
using MessageFilter = std::function<int32_t(void* object, MSG* message)>;
MessageFilter& PreTranslateFilter();
MessageFilter& WindowKeysFilter();

// Builds one window's unit table entry by entry (entry 0 first).
class FormBuilder {
 public:
  explicit FormBuilder(uint32_t window_id = 0x52010001);
  // The window's own record; ids default to 0x06010000.
  forms::UnitRecordFields& Window(int32_t left = 50, int32_t top = 50, int32_t width = 400,
                                  int32_t height = 300);
  forms::UnitRecordFields& Unit(uint32_t id, uint32_t type_code, const std::string& name,
                                int32_t left, int32_t top, int32_t width, int32_t height);
  forms::MenuItemFields& MenuItem(uint32_t id, const std::string& caption, uint32_t level);
  forms::WindowTemplate Build() const;

 private:
  struct Entry {
    uint32_t id;
    bool menu;
    forms::UnitRecordFields unit;
    forms::MenuItemFields item;
  };
  uint32_t window_id_;
  std::vector<Entry> entries_;
};

// A program made of `windows`: its header (segment, handler table, the test
// library) stays valid while the object lives; the libraries are attached to
// the application state as start-up would. Resetting clears the recorders.
class TestProgram {
 public:
  explicit TestProgram(const std::vector<forms::WindowTemplate>& windows);
  // A real unit type taking the place of the test type in slot
  // `type_number` - 1 of library 1, so that 0x0001nnnn (what form text
  // compiles type names to, and what the program's own templates hold)
  // names it.
  struct RealType {
    int32_t type_number;  // 1 to kUnitTypeSlots
    UnitTypeDescriptor descriptor;
  };
  TestProgram(const std::vector<forms::WindowTemplate>& windows,
              const std::vector<RealType>& real_types);
  // The test library as library 1 and `extra_library` (the runtime's own,
  // say) as library 2, whose types are 0x0002nnnn.
  TestProgram(const std::vector<forms::WindowTemplate>& windows,
              const LibraryDescriptor* extra_library);
  ~TestProgram();
  TestProgram(const TestProgram&) = delete;
  TestProgram& operator=(const TestProgram&) = delete;

  const ProgramHeader& header() const { return header_; }
  const std::string& segment() const { return segment_; }

 private:
  void Attach(const LibraryDescriptor* first, const LibraryDescriptor* second);

  std::string segment_;
  ProgramHeader header_{};
  // Library 1 when a program has real types: the test library's slots with
  // those types in place.
  std::array<UnitTypeDescriptor, kUnitTypeSlots> types_{};
  LibraryDescriptor library_{};
  const LibraryDescriptor* libraries_[2] = {};
};

const LibraryDescriptor& TestLibrary();

// The framework's system service routine, as units reach it.
intptr_t Services(int32_t code, intptr_t first, intptr_t second);

}  // namespace runtime::forms_testing
