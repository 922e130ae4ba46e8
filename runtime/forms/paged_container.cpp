#include "runtime/forms/paged_container.h"

#include "runtime/forms/unit_record.h"
#include "runtime/forms/unit_types.h"

namespace runtime::forms {

namespace {

bool IsPagedContainer(const LoadedWindow& window, int32_t index) {
  const UnitTypeDescriptor* type = FindUnitType(window.units.TypeCodeAt(index));
  return type != nullptr && (type->state_flags & kTypePagedContainer) != 0;
}

}  // namespace

int32_t CurrentPage(const LoadedWindow&, int32_t) { return 0; }

int32_t PagedContainerOf(const LoadedWindow& window, int32_t index) {
  auto record = window.units.RecordAt(index);
  auto layout = LocateUnitFields(record);
  if (!layout) return -1;
  const uint32_t parent_id = RecordWord(record, layout->parent_id);
  if (parent_id == 0) return -1;
  const int32_t parent = window.units.IndexOf(parent_id);
  return parent > 0 && !window.units.IsMenuItem(parent) && IsPagedContainer(window, parent) ? parent
                                                                                            : -1;
}

int32_t PageOfChild(const LoadedWindow& window, int32_t container, uint32_t unit_id) {
  auto record = window.units.RecordAt(container);
  auto layout = LocateUnitFields(record);
  if (!layout) return -1;
  int32_t page = 0;
  for (uint32_t i = 0; i < layout->child_count_value; ++i) {
    const uint32_t child = RecordWord(record, layout->children + size_t{i} * 4);
    if (child == 0) {
      ++page;
    } else if (child == unit_id) {
      return page;
    }
  }
  return -1;
}

bool OnShownPage(const LoadedWindow& window, int32_t index) {
  const int32_t container = PagedContainerOf(window, index);
  if (container < 0) return true;
  return PageOfChild(window, container, window.units.IdAt(index)) == CurrentPage(window, container);
}

void ApplyPageVisibility(LoadedWindow& window, int32_t container) {
  for (int32_t i = 1; i < window.units.Count(); ++i) {
    if (window.units.IsMenuItem(i) || PagedContainerOf(window, i) != container) continue;
    UnitObject* unit = window.LiveAt(i);
    if (unit == nullptr || unit->window == nullptr) continue;
    auto record = window.units.RecordAt(i);
    auto layout = LocateUnitFields(record);
    const UnitTypeDescriptor* type = FindUnitType(window.units.TypeCodeAt(i));
    const bool windowless = type != nullptr && (type->state_flags & kTypeNoWindow) != 0;
    const bool visible =
        !windowless && layout && (RecordWord(record, layout->flags) & kUnitVisible) != 0;
    const bool shown_page =
        PageOfChild(window, container, window.units.IdAt(i)) == CurrentPage(window, container);
    ShowWindow(unit->window, visible && shown_page ? SW_SHOWNA : SW_HIDE);
  }
}

}  // namespace runtime::forms
