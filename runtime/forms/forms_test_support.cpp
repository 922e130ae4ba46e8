#include "runtime/forms/forms_test_support.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "runtime/core/app_state.h"
#include "runtime/core/hooks.h"
#include "runtime/forms/byte_reader.h"
#include "runtime/forms/unit_types.h"

namespace runtime::forms_testing {

namespace {

using forms::PropertyPair;

constexpr const char* kWindowClass = "MienzoTestForm";
constexpr const char* kBoxClass = "MienzoTestBox";

TestUnit* UnitOf(HWND hwnd) {
  return reinterpret_cast<TestUnit*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void MarkDestroyed(HWND hwnd) {
  for (CreatedUnit& unit : CreatedUnits()) {
    if (unit.window == hwnd) unit.destroyed = true;
  }
}

LRESULT TestProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  TestUnit* unit = UnitOf(hwnd);
  if (unit != nullptr &&
      (message == 0x806F || message == 0x8076 || message == 0x8004 || message == 0x8065)) {
    unit->private_messages.push_back(message);
    PrivateMessageLog().emplace_back(unit->unit_id, message);
    return 0;
  }
  if (message == WM_NCDESTROY && unit != nullptr) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    MarkDestroyed(hwnd);
    Services(2000, static_cast<intptr_t>(unit->window_id), static_cast<intptr_t>(unit->unit_id));
    delete unit;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

void RegisterTestClasses() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  for (const char* name : {kWindowClass, kBoxClass}) {
    WNDCLASSA window_class{};
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = TestProc;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    window_class.lpszClassName = name;
    RegisterClassA(&window_class);
  }
}

// Reads the box record: version word, Number, counted Text. An empty record
// gives the defaults; a damaged one fails.
bool ReadBoxRecord(const uint8_t* bytes, int32_t length, TestUnit& unit) {
  if (length <= 0 || bytes == nullptr) return true;
  forms::ByteReader reader({bytes, static_cast<size_t>(length)});
  reader.Word();
  unit.number = reader.SignedWord();
  auto text = reader.CountedBytes();
  unit.text.assign(text.begin(), text.end());
  return reader.ok();
}

int32_t CountCreations(uint32_t unit_id) {
  int32_t count = 1;
  for (const CreatedUnit& unit : CreatedUnits()) count += unit.unit_id == unit_id ? 1 : 0;
  return count;
}

template <uint32_t kTypeCode>
void* Create(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
             uint32_t control_id, HMENU menu, int32_t x, int32_t y, int32_t width, int32_t height,
             uint32_t window_id, uint32_t unit_id, int32_t, int32_t) {
  for (uint32_t failing : FailingUnits()) {
    if (failing == unit_id) return nullptr;
  }
  RegisterTestClasses();
  auto* unit = new TestUnit;
  unit->type_code = kTypeCode;
  unit->window_id = window_id;
  unit->unit_id = unit_id;
  unit->control_id = static_cast<int32_t>(control_id);
  unit->create_style = style;
  unit->creations = CountCreations(unit_id);
  if (!ReadBoxRecord(properties, length, *unit)) {
    delete unit;
    return nullptr;
  }
  const bool top_level = kTypeCode == kWindowType;
  const DWORD window_style =
      top_level ? style | WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN : style | WS_CHILD;
  HMENU menu_or_id = top_level ? menu : reinterpret_cast<HMENU>(static_cast<uintptr_t>(control_id));
  unit->window =
      CreateWindowExA(0, top_level ? kWindowClass : kBoxClass, unit->text.c_str(), window_style, x,
                      y, width, height, parent, menu_or_id, nullptr, nullptr);
  if (unit->window == nullptr) {
    delete unit;
    return nullptr;
  }
  SetWindowLongPtrA(unit->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(unit));
  CreatedUnits().push_back(
      {unit_id, kTypeCode, unit->control_id, unit->window, false, App().event_suppression});
  return unit;
}

void GetProperty(void* object, int32_t index, PropertyPair* pair) {
  auto* unit = static_cast<TestUnit*>(object);
  switch (index + 8) {
    case kBoxNumber:
    case kBoxRebuild:
      pair->first = static_cast<uint32_t>(unit->number);
      break;
    case kBoxText:
      pair->address = unit->text.c_str();
      break;
    case kBoxBytes:
      pair->address = unit->bytes.empty() ? nullptr : unit->bytes.data();
      pair->second = static_cast<uint32_t>(unit->bytes.size());
      break;
    case kBoxFont:
      pair->address = unit->font.empty() ? nullptr : unit->font.data();
      pair->second = static_cast<uint32_t>(unit->font.size());
      break;
    case kBoxLong:
      pair->first = static_cast<uint32_t>(unit->long_value);
      pair->second = static_cast<uint32_t>(static_cast<uint64_t>(unit->long_value) >> 32);
      break;
    case kBoxColour:
      pair->first = unit->colour;
      break;
    default:
      pair->first = unit->pair_first;
      pair->second = unit->pair_second;
  }
}

int32_t SetProperty(void* object, int32_t index, const PropertyPair* pair, int32_t) {
  auto* unit = static_cast<TestUnit*>(object);
  const auto* bytes = static_cast<const char*>(pair->address);
  switch (index + 8) {
    case kBoxNumber:
      unit->number = static_cast<int32_t>(pair->first);
      return 0;
    case kBoxRebuild:
      unit->number = static_cast<int32_t>(pair->first);
      return 1;
    case kBoxText:
      unit->text = bytes != nullptr ? bytes : "";
      return 0;
    case kBoxBytes:
      unit->bytes.assign(bytes != nullptr ? bytes : "", bytes != nullptr ? pair->second : 0);
      return 0;
    case kBoxFont:
      unit->font.assign(static_cast<const uint8_t*>(pair->address),
                        static_cast<const uint8_t*>(pair->address) + pair->second);
      return 0;
    case kBoxLong:
      unit->long_value =
          static_cast<int64_t>((static_cast<uint64_t>(pair->second) << 32) | pair->first);
      return 0;
    case kBoxColour:
      unit->colour = pair->first;
      return 0;
    default:
      unit->pair_first = pair->first;
      unit->pair_second = pair->second;
      return 0;
  }
}

HGLOBAL SaveProperties(void* object) {
  auto* unit = static_cast<TestUnit*>(object);
  const std::string record = BoxRecord(unit->number, unit->text);
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, record.size());
  if (block != nullptr) std::memcpy(GlobalLock(block), record.data(), record.size());
  return block;
}

int32_t PreTranslate(void* object, MSG* message) { return PreTranslateFilter()(object, message); }

int32_t WindowKeys(void* object, MSG* message) { return WindowKeysFilter()(object, message); }

void ShowRoutine(void* window_unit) { WindowShowRoutine()(window_unit); }

template <uint32_t kTypeCode>
UnitHandler Query(int32_t number) {
  switch (number) {
    case forms::kHandlerCreate:
      return forms::AsUnitHandler(&Create<kTypeCode>);
    case forms::kHandlerGetProperty:
      return forms::AsUnitHandler(&GetProperty);
    case forms::kHandlerSetProperty:
      return forms::AsUnitHandler(&SetProperty);
    case forms::kHandlerShowWindow:
      return kTypeCode == kWindowType && WindowShowRoutine() ? forms::AsUnitHandler(&ShowRoutine)
                                                             : nullptr;
    case forms::kHandlerSaveProperties:
      return forms::AsUnitHandler(&SaveProperties);
    case forms::kHandlerPreTranslate:
      return PreTranslateFilter() ? forms::AsUnitHandler(&PreTranslate) : nullptr;
    case forms::kHandlerWindowKeys:
      return WindowKeysFilter() ? forms::AsUnitHandler(&WindowKeys) : nullptr;
    default:
      return nullptr;
  }
}

constexpr uint16_t kCommonFlags = 0xE000;
constexpr uint16_t kOwnFlags = 0x8000;

constexpr std::array<PropertyTypeEntry, kBoxPropertyEnd> kBoxProperties = {{
    {nullptr, nullptr, nullptr, 1000, kCommonFlags, nullptr},  // left
    {nullptr, nullptr, nullptr, 1000, kCommonFlags, nullptr},  // top
    {nullptr, nullptr, nullptr, 1000, kCommonFlags, nullptr},  // width
    {nullptr, nullptr, nullptr, 1000, kCommonFlags, nullptr},  // height
    {nullptr, nullptr, nullptr, 1005, kCommonFlags, nullptr},  // tag
    {nullptr, nullptr, nullptr, 1003, kCommonFlags, nullptr},  // visible
    {nullptr, nullptr, nullptr, 1003, kCommonFlags, nullptr},  // disabled
    {nullptr, nullptr, nullptr, 1011, kCommonFlags, nullptr},  // mouse pointer
    {nullptr, nullptr, nullptr, 1000, kOwnFlags, nullptr},     // Number
    {nullptr, nullptr, nullptr, 1006, kOwnFlags, nullptr},     // Choice
    {nullptr, nullptr, nullptr, 1003, kOwnFlags, nullptr},     // Flag
    {nullptr, nullptr, nullptr, 1005, kOwnFlags, nullptr},     // Text
    {nullptr, nullptr, nullptr, 1009, kOwnFlags, nullptr},     // Bytes
    {nullptr, nullptr, nullptr, 1013, kOwnFlags, nullptr},     // Font
    {nullptr, nullptr, nullptr, 1002, kOwnFlags, nullptr},     // Long
    {nullptr, nullptr, nullptr, 1014, kOwnFlags, nullptr},     // Colour
    {nullptr, nullptr, nullptr, 1000, kOwnFlags, nullptr},     // Rebuild
}};

template <uint32_t kTypeCode>
UnitTypeDescriptor Descriptor(const char* name, uint32_t flags, int32_t property_count) {
  UnitTypeDescriptor type{};
  type.chinese_name = name;
  type.english_name = name;
  type.state_flags = flags;
  type.property_count = property_count;
  type.property_types = kBoxProperties.data();
  type.handler_query = &Query<kTypeCode>;
  return type;
}

std::array<UnitTypeDescriptor, kUnitTypeSlots> MakeTypes() {
  std::array<UnitTypeDescriptor, kUnitTypeSlots> types{};
  types[0] = Descriptor<kWindowType>("window", 0x800000D0, 8);
  types[1] = Descriptor<kBoxType>("Box", 0x80000040, kBoxPropertyEnd);
  // Slot 3 stays empty: menu items have no unit type.
  types[3] = Descriptor<kOtherType>("Other", 0x80000040, kBoxPropertyEnd);
  types[4] = Descriptor<kMuteType>("Mute", 0x80000000, kBoxPropertyEnd);
  types[5] = Descriptor<kPagedType>("Paged", 0x80000140, kBoxPropertyEnd);
  types[6] = Descriptor<kFilterType>("Filter", 0x80000260, kBoxPropertyEnd);
  types[7] = Descriptor<kMoverType>("Mover", 0x801000C0, kBoxPropertyEnd);
  types[9] = Descriptor<kHiddenType>("Hidden", 0x80008040, kBoxPropertyEnd);
  return types;
}

HandlerResult Record(int32_t position, const uint32_t* arguments, int32_t count) {
  HandlerCalls().push_back({position, std::vector<uint32_t>(arguments, arguments + count)});
  if (HandlerActions()[position]) HandlerActions()[position]();
  return HandlerResults()[position];
}

template <int32_t kPosition>
HandlerResult Handler(const uint32_t* arguments, int32_t count) {
  return Record(kPosition, arguments, count);
}

}  // namespace

std::string BoxRecord(int32_t number, const std::string& text) {
  std::string record;
  forms::AppendWord(record, 1);
  forms::AppendWord(record, static_cast<uint32_t>(number));
  forms::AppendWord(record, static_cast<uint32_t>(text.size()));
  return record + text;
}

std::vector<CreatedUnit>& CreatedUnits() {
  static std::vector<CreatedUnit> units;
  return units;
}

std::vector<std::pair<uint32_t, UINT>>& PrivateMessageLog() {
  static std::vector<std::pair<uint32_t, UINT>> log;
  return log;
}

std::function<void(void*)>& WindowShowRoutine() {
  static std::function<void(void*)> routine;
  return routine;
}

std::vector<uint32_t>& FailingUnits() {
  static std::vector<uint32_t> units;
  return units;
}

std::vector<HandlerCall>& HandlerCalls() {
  static std::vector<HandlerCall> calls;
  return calls;
}

HandlerResult* HandlerResults() {
  static HandlerResult results[kHandlerCount];
  return results;
}

std::function<void()>* HandlerActions() {
  static std::function<void()> actions[kHandlerCount];
  return actions;
}

MessageFilter& PreTranslateFilter() {
  static MessageFilter filter;
  return filter;
}

MessageFilter& WindowKeysFilter() {
  static MessageFilter filter;
  return filter;
}

const EventHandler* HandlerTable() {
  static const EventHandler table[kHandlerCount + 1] = {Handler<0>, Handler<1>, Handler<2>,
                                                        Handler<3>, Handler<4>, Handler<5>,
                                                        Handler<6>, Handler<7>, nullptr};
  return table;
}

FormBuilder::FormBuilder(uint32_t window_id) : window_id_(window_id) {}

forms::UnitRecordFields& FormBuilder::Window(int32_t left, int32_t top, int32_t width,
                                             int32_t height) {
  return Unit(0x06010000, kWindowType, "", left, top, width, height);
}

forms::UnitRecordFields& FormBuilder::Unit(uint32_t id, uint32_t type_code, const std::string& name,
                                           int32_t left, int32_t top, int32_t width,
                                           int32_t height) {
  Entry entry{id, false, {}, {}};
  entry.unit.type_code = type_code;
  entry.unit.name = name;
  entry.unit.left = left;
  entry.unit.top = top;
  entry.unit.width = width;
  entry.unit.height = height;
  entries_.push_back(std::move(entry));
  return entries_.back().unit;
}

forms::MenuItemFields& FormBuilder::MenuItem(uint32_t id, const std::string& caption,
                                             uint32_t level) {
  Entry entry{id, true, {}, {}};
  entry.item.caption = caption;
  entry.item.level = level;
  entries_.push_back(std::move(entry));
  return entries_.back().item;
}

forms::WindowTemplate FormBuilder::Build() const {
  std::vector<uint32_t> ids;
  std::vector<std::string> records;
  for (const Entry& entry : entries_) {
    ids.push_back(entry.id);
    records.push_back(entry.menu ? forms::WriteMenuItemRecord(entry.item)
                                 : forms::WriteUnitRecord(entry.unit));
  }
  forms::WindowTemplate window;
  window.window_id = window_id_;
  window.units = forms::UnitTable::Build(ids, records);
  return window;
}

const LibraryDescriptor& TestLibrary() {
  static const std::array<UnitTypeDescriptor, kUnitTypeSlots> types = MakeTypes();
  static const LibraryDescriptor library = [] {
    LibraryDescriptor descriptor{};
    descriptor.format = kLibraryFormat;
    descriptor.identifier = "00000000000000000000000000000001";
    descriptor.unit_type_count = kUnitTypeSlots;
    descriptor.unit_types = types.data();
    return descriptor;
  }();
  return library;
}

TestProgram::TestProgram(const std::vector<forms::WindowTemplate>& windows)
    : segment_(forms::WriteTemplateSegment(windows)) {
  Attach(&TestLibrary(), nullptr);
}

// Library 1 is then a copy of the test library with the real types in
// their slots, so one program's real types never reach another program.
TestProgram::TestProgram(const std::vector<forms::WindowTemplate>& windows,
                         const std::vector<RealType>& real_types)
    : segment_(forms::WriteTemplateSegment(windows)) {
  const LibraryDescriptor& test_library = TestLibrary();
  std::copy_n(test_library.unit_types, types_.size(), types_.begin());
  for (const RealType& real : real_types) {
    if (real.type_number >= 1 && real.type_number <= kUnitTypeSlots) {
      types_[static_cast<size_t>(real.type_number - 1)] = real.descriptor;
    }
  }
  library_ = test_library;
  library_.unit_types = types_.data();
  Attach(&library_, nullptr);
}

TestProgram::TestProgram(const std::vector<forms::WindowTemplate>& windows,
                         const LibraryDescriptor* extra_library)
    : segment_(forms::WriteTemplateSegment(windows)) {
  Attach(&TestLibrary(), extra_library);
}

void TestProgram::Attach(const LibraryDescriptor* first, const LibraryDescriptor* second) {
  libraries_[0] = first;
  libraries_[1] = second;
  const uint32_t library_count = second != nullptr ? 2 : 1;
  header_.run_mode = 3;
  header_.code_base = HandlerTable();
  header_.template_segment = reinterpret_cast<const uint8_t*>(segment_.data());
  header_.template_size = static_cast<uint32_t>(segment_.size());
  header_.library_count = library_count;
  header_.libraries = libraries_;
  App().header = &header_;
  App().libraries.clear();
  for (uint32_t i = 0; i < library_count; ++i) App().libraries.push_back({libraries_[i], 0});
  CreatedUnits().clear();
  PrivateMessageLog().clear();
  WindowShowRoutine() = nullptr;
  FailingUnits().clear();
  HandlerCalls().clear();
  for (int32_t i = 0; i < kHandlerCount; ++i) {
    HandlerResults()[i] = {};
    HandlerActions()[i] = nullptr;
  }
  PreTranslateFilter() = nullptr;
  WindowKeysFilter() = nullptr;
}

TestProgram::~TestProgram() {
  App().libraries.clear();
  App().header = nullptr;
}

intptr_t Services(int32_t code, intptr_t first, intptr_t second) {
  SystemServiceRoutine services = Hooks().system_service;
  return services != nullptr ? services(code, first, second) : 0;
}

}  // namespace runtime::forms_testing
