#include "runtime/forms/common_properties.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "runtime/core/byte_set.h"
#include "runtime/core/text_value.h"
#include "runtime/forms/byte_reader.h"
#include "runtime/forms/form_loader.h"
#include "runtime/forms/mouse_pointer.h"
#include "runtime/forms/paged_container.h"
#include "runtime/forms/property_conversion.h"
#include "runtime/forms/unit_record.h"
#include "runtime/forms/unit_types.h"

namespace runtime::forms {

namespace {

struct RecordView {
  std::span<uint8_t> record;
  UnitRecordLayout at;
};

std::optional<RecordView> ViewOf(LoadedWindow& window, int32_t index) {
  std::span<uint8_t> record = window.units.RecordAt(index);
  std::optional<UnitRecordLayout> layout = LocateUnitFields(record);
  if (!layout) return std::nullopt;
  return RecordView{record, *layout};
}

size_t GeometryField(const UnitRecordLayout& at, int32_t property) {
  const size_t fields[] = {at.left, at.top, at.width, at.height};
  return fields[property];
}

uint32_t Flags(const RecordView& view) { return RecordWord(view.record, view.at.flags); }

void SetFlag(const RecordView& view, uint32_t flag, bool on) {
  const uint32_t flags = Flags(view);
  SetRecordWord(view.record, view.at.flags, on ? flags | flag : flags & ~flag);
}

int32_t ClampCoordinate(int32_t property, int32_t value) {
  if (property == kPropertyLeft || property == kPropertyTop) {
    return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
  }
  return std::clamp(value, 0, kCoordinateLimit);
}

int32_t LiveGeometry(HWND live, int32_t property) {
  const Placement place = LivePlacement(live);
  const int32_t fields[] = {place.left, place.top, place.width, place.height};
  return fields[property];
}

void WriteGeometry(LoadedWindow& window, int32_t index, int32_t property, int32_t value) {
  std::optional<RecordView> view = ViewOf(window, index);
  if (!view) return;
  value = ClampCoordinate(property, value);
  SetRecordWord(view->record, GeometryField(view->at, property), static_cast<uint32_t>(value));
  HWND live = LiveUnitWindow(window, index);
  if (live == nullptr) return;
  Placement place = LivePlacement(live);
  switch (property) {
    case kPropertyLeft:
    case kPropertyTop:
      (property == kPropertyLeft ? place.left : place.top) = value;
      MoveWindow(live, place.left, place.top, place.width, place.height, TRUE);
      return;
    default:
      (property == kPropertyWidth ? place.width : place.height) = value;
      SetWindowPos(live, nullptr, 0, 0, place.width, place.height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void WriteTag(LoadedWindow& window, int32_t index, const char* text) {
  std::optional<RecordView> view = ViewOf(window, index);
  if (!view) return;
  const std::string tag = TextOrEmpty(text);
  std::span<const uint8_t> replacement(reinterpret_cast<const uint8_t*>(tag.c_str()),
                                       tag.size() + 1);
  window.units.Rewrite(index, view->at.tag, view->at.tag_length, replacement);
}

void WriteVisible(LoadedWindow& window, int32_t index, bool visible) {
  std::optional<RecordView> view = ViewOf(window, index);
  if (!view) return;
  SetFlag(*view, kUnitVisible, visible);
  HWND live = LiveUnitWindow(window, index);
  if (live == nullptr) return;
  if (!visible) {
    ShowWindow(live, SW_HIDE);
    return;
  }
  const UnitTypeDescriptor* type = FindUnitType(window.units.TypeCodeAt(index));
  if (type != nullptr && (type->state_flags & kTypeNoWindow) != 0) return;
  if (index == 0) {
    ShowWindowUnit(window);  // its type's show routine knows the start position
  } else if (OnShownPage(window, index)) {
    ShowWindow(live, SW_SHOW);
  }
}

void WriteDisabled(LoadedWindow& window, int32_t index, bool disabled) {
  std::optional<RecordView> view = ViewOf(window, index);
  if (!view) return;
  SetFlag(*view, kUnitDisabled, disabled);
  if (HWND live = LiveUnitWindow(window, index)) EnableWindow(live, disabled ? FALSE : TRUE);
}

// The record keeps cursor handle numbers; the cursor is made only for a
// live unit (the loader makes the others' when it loads them).
void WriteMousePointer(LoadedWindow& window, int32_t index, const void* byte_set) {
  std::optional<RecordView> view = ViewOf(window, index);
  if (!view) return;
  const std::vector<uint8_t> data =
      TranslatePointerData(ByteSetBytes(byte_set), PointerTranslation::kToHandleNumber);
  HWND live = LiveUnitWindow(window, index);
  if (static_cast<size_t>(index) < window.slots.size()) {
    UnitSlots& slot = window.slots[static_cast<size_t>(index)];
    if (slot.cursor != nullptr) DestroyCursor(slot.cursor);
    slot.cursor = live != nullptr ? CreatePointerCursor(data) : nullptr;
  }
  std::string block;
  AppendWord(block, static_cast<uint32_t>(data.size()));
  block.append(data.begin(), data.end());
  window.units.Rewrite(index, view->at.pointer_length, 4 + size_t{view->at.pointer_length_value},
                       {reinterpret_cast<const uint8_t*>(block.data()), block.size()});
  if (live == nullptr) return;
  POINT position{};
  if (GetCursorPos(&position)) SetCursorPos(position.x, position.y);
}

uint64_t ReadMousePointer(const RecordView& view) {
  std::span<const uint8_t> data = std::span<const uint8_t>(view.record)
                                      .subspan(view.at.pointer_data, view.at.pointer_length_value);
  const std::vector<uint8_t> translated =
      TranslatePointerData(data, PointerTranslation::kToPointerNumber);
  return PointerValue(MakeByteSet(translated.data(), static_cast<int32_t>(translated.size())));
}

}  // namespace

Placement LivePlacement(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  POINT corner{rect.left, rect.top};
  HWND parent = GetParent(window);
  if (parent != nullptr && (GetWindowLongA(window, GWL_STYLE) & WS_POPUP) == 0) {
    ScreenToClient(parent, &corner);
  }
  return {corner.x, corner.y, rect.right - rect.left, rect.bottom - rect.top};
}

HWND LiveUnitWindow(const LoadedWindow& window, int32_t index) {
  UnitObject* unit = window.LiveAt(index);
  if (unit == nullptr || unit->window == nullptr || !IsWindow(unit->window)) return nullptr;
  return unit->window;
}

uint64_t ReadCommonProperty(LoadedWindow& window, int32_t index, int32_t property) {
  std::optional<RecordView> view = ViewOf(window, index);
  if (!view) return 0;
  HWND live = LiveUnitWindow(window, index);
  switch (property) {
    case kPropertyLeft:
    case kPropertyTop:
    case kPropertyWidth:
    case kPropertyHeight:
      return static_cast<uint32_t>(
          live != nullptr ? LiveGeometry(live, property)
                          : RecordWord(view->record, GeometryField(view->at, property)));
    case kPropertyTag:
      return PointerValue(
          MakeText(reinterpret_cast<const char*>(view->record.data() + view->at.tag)));
    case kPropertyVisible:
      return live != nullptr ? IsWindowVisible(live) != FALSE : (Flags(*view) & kUnitVisible) != 0;
    case kPropertyDisabled:
      return live != nullptr ? IsWindowEnabled(live) == FALSE : (Flags(*view) & kUnitDisabled) != 0;
    case kPropertyMousePointer:
      return ReadMousePointer(*view);
    default:
      return 0;
  }
}

void WriteCommonProperty(LoadedWindow& window, int32_t index, int32_t property, uint64_t value) {
  const auto low = static_cast<int32_t>(static_cast<uint32_t>(value));
  switch (property) {
    case kPropertyLeft:
    case kPropertyTop:
    case kPropertyWidth:
    case kPropertyHeight:
      WriteGeometry(window, index, property, low);
      return;
    case kPropertyTag:
      WriteTag(window, index, static_cast<const char*>(ValuePointer(value)));
      return;
    case kPropertyVisible:
      WriteVisible(window, index, low != 0);
      return;
    case kPropertyDisabled:
      WriteDisabled(window, index, low != 0);
      return;
    case kPropertyMousePointer:
      WriteMousePointer(window, index, ValuePointer(value));
      return;
    default:
      return;
  }
}

}  // namespace runtime::forms
