#include "runtime/forms/property_access.h"

#include <optional>
#include <string>

#include "runtime/core/error_report.h"
#include "runtime/core/messages.h"
#include "runtime/core/text_value.h"
#include "runtime/forms/common_properties.h"
#include "runtime/forms/menu_bar.h"
#include "runtime/forms/property_conversion.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/unit_record.h"
#include "runtime/forms/unit_recreation.h"
#include "runtime/forms/unit_types.h"

namespace runtime::forms {

namespace {

enum MenuItemProperty : int32_t { kItemCaption = 0, kItemChecked, kItemDisabled, kItemVisible };

LoadedWindow& WindowOrReport(uint32_t window_id) {
  LoadedWindow* window = Registry().Find(window_id);
  if (window == nullptr) ReportRuntimeError(messages::WindowNotLoaded(), 0);
  return *window;
}

// An id that names no entry of the window is a misuse like a missing unit.
int32_t EntryOrReport(const LoadedWindow& window, uint32_t unit_id) {
  const int32_t index = window.units.IndexOf(unit_id);
  if (index < 0) ReportRuntimeError(messages::UnitNotLoaded(), 0);
  return index;
}

UnitObject& LiveOrReport(const LoadedWindow& window, int32_t index) {
  UnitObject* unit = window.LiveAt(index);
  if (unit == nullptr) ReportRuntimeError(messages::WindowNotYetLoaded(), 0);
  return *unit;
}

// The type code of property `index`, or nullopt when the type has no such
// property.
std::optional<int16_t> PropertyTypeOf(const UnitTypeDescriptor* type, int32_t index) {
  if (type == nullptr || type->property_types == nullptr || index >= type->property_count) {
    return std::nullopt;
  }
  return type->property_types[index].type_code;
}

// --- menu items -------------------------------------------------------------

// The state flag behind properties 1 to 3 (visible is the hidden bit
// inverted); 0 for the others.
uint32_t MenuFlagOf(int32_t property) {
  switch (property) {
    case kItemChecked:
      return kMenuChecked;
    case kItemDisabled:
      return kMenuDisabled;
    case kItemVisible:
      return kMenuHidden;
    default:
      return 0;
  }
}

uint64_t ReadMenuItem(const LoadedWindow& window, int32_t index, int32_t property) {
  std::span<const uint8_t> record = window.units.RecordAt(index);
  std::optional<MenuItemLayout> at = LocateMenuItemFields(record);
  if (!at) return 0;
  if (property == kItemCaption) {
    return PointerValue(MakeText(reinterpret_cast<const char*>(record.data() + at->caption)));
  }
  const uint32_t flag = MenuFlagOf(property);
  if (flag == 0) return 0;
  const bool set = (RecordWord(record, at->flags) & flag) != 0;
  return property == kItemVisible ? !set : set;
}

// True when the record changed.
bool WriteMenuItem(LoadedWindow& window, int32_t index, int32_t property, uint64_t value) {
  std::span<uint8_t> record = window.units.RecordAt(index);
  std::optional<MenuItemLayout> at = LocateMenuItemFields(record);
  if (!at) return false;
  if (property == kItemCaption) {
    const std::string caption = TextOrEmpty(static_cast<const char*>(ValuePointer(value)));
    const size_t old_length = at->handler - at->caption;
    return window.units.Rewrite(
        index, at->caption, old_length,
        {reinterpret_cast<const uint8_t*>(caption.c_str()), caption.size() + 1});
  }
  const uint32_t flag = MenuFlagOf(property);
  if (flag == 0) return false;
  bool set = static_cast<uint32_t>(value) != 0;
  if (property == kItemVisible) set = !set;
  const uint32_t flags = RecordWord(record, at->flags);
  const uint32_t changed = set ? flags | flag : flags & ~flag;
  if (changed == flags) return false;
  SetRecordWord(record, at->flags, changed);
  return true;
}

// --- the unit types' own properties ------------------------------------------

uint64_t ReadOwnProperty(const LoadedWindow& window, int32_t index, int32_t property,
                         int32_t sub_index) {
  UnitObject& unit = LiveOrReport(window, index);
  const UnitTypeDescriptor* type = FindUnitType(window.units.TypeCodeAt(index));
  std::optional<int16_t> type_code = PropertyTypeOf(type, property);
  auto get = TypedHandler<GetPropertyHandler>(type, kHandlerGetProperty);
  if (!type_code || get == nullptr) return 0;
  PropertyPair pair;
  get(&unit, property - kCommonPropertyCount, &pair);
  return ValueFromPair(*type_code, pair, sub_index);
}

void WriteOwnProperty(LoadedWindow& window, int32_t index, int32_t property, int32_t sub_index,
                      uint64_t value) {
  UnitObject& unit = LiveOrReport(window, index);
  const UnitTypeDescriptor* type = FindUnitType(window.units.TypeCodeAt(index));
  std::optional<int16_t> type_code = PropertyTypeOf(type, property);
  auto set = TypedHandler<SetPropertyHandler>(type, kHandlerSetProperty);
  if (!type_code || set == nullptr) return;
  const int32_t own_index = property - kCommonPropertyCount;
  PropertyPair current;
  if (KindOfPropertyType(*type_code) == PropertyKind::kFont && sub_index != -1) {
    if (auto get = TypedHandler<GetPropertyHandler>(type, kHandlerGetProperty)) {
      get(&unit, own_index, &current);
    }
  }
  PairStorage storage;
  std::optional<PropertyPair> pair = PairFromValue(*type_code, value, sub_index, current, storage);
  if (!pair) return;
  const HWND unit_window = unit.window;
  if (set(&unit, own_index, &*pair, 0) == 1 && unit_window != nullptr && IsWindow(unit_window)) {
    RecreateAfterRequest(window, index);
  }
}

}  // namespace

uint64_t ReadProperty(uint32_t window_id, uint32_t unit_id, int32_t index, int32_t sub_index) {
  LoadedWindow& window = WindowOrReport(window_id);
  const int32_t entry = EntryOrReport(window, unit_id);
  if (window.units.IsMenuItem(entry)) return ReadMenuItem(window, entry, index);
  if (index >= kCommonPropertyCount) return ReadOwnProperty(window, entry, index, sub_index);
  if (index < 0) return 0;
  return ReadCommonProperty(window, entry, index);
}

void WriteProperty(uint32_t window_id, uint32_t unit_id, int32_t index, int32_t sub_index,
                   uint32_t value_low, uint32_t value_high) {
  LoadedWindow& window = WindowOrReport(window_id);
  const int32_t entry = EntryOrReport(window, unit_id);
  const uint64_t value = JoinWords(value_low, value_high);
  if (window.units.IsMenuItem(entry)) {
    if (WriteMenuItem(window, entry, index, value) && window.Window() != nullptr) {
      RebuildMenuBar(window);
    }
    return;
  }
  if (index >= kCommonPropertyCount) {
    WriteOwnProperty(window, entry, index, sub_index, value);
  } else if (index >= 0) {
    WriteCommonProperty(window, entry, index, value);
  }
}

}  // namespace runtime::forms
