#include "runtime/forms/form_loader.h"

#include <optional>
#include <span>
#include <vector>

#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/event_suspension.h"
#include "runtime/forms/menu_bar.h"
#include "runtime/forms/mouse_pointer.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/unit_record.h"
#include "runtime/forms/unit_types.h"
#include "runtime/forms/window_notices.h"

namespace runtime::forms {

namespace {

constexpr UINT kZOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

bool IsLive(const LoadedWindow& window) { return LiveWindowHandle(window) != nullptr; }

uint32_t TypeFlagsAt(const LoadedWindow& window, int32_t index) {
  const UnitTypeDescriptor* type = FindUnitType(window.units.TypeCodeAt(index));
  return type != nullptr ? type->state_flags : 0;
}

// Menu items have no live object; the record's type code decides how it is
// laid out, whatever its id says.
bool IsUnitEntry(const UnitTable& units, int32_t index) {
  return !units.IsMenuItem(index) && units.TypeCodeAt(index) != kMenuItemType;
}

std::optional<UnitRecordLayout> LayoutAt(const UnitTable& units, int32_t index) {
  if (!IsUnitEntry(units, index)) return std::nullopt;
  return LocateUnitFields(units.RecordAt(index));
}

uint32_t WordAt(const UnitTable& units, int32_t index, size_t at) {
  return RecordWord(units.RecordAt(index), at);
}

// The unit's own window, when it has one that exists.
HWND UnitWindow(const LoadedWindow& window, int32_t index) {
  UnitObject* object = window.LiveAt(index);
  return object != nullptr && object->window != nullptr && IsWindow(object->window) ? object->window
                                                                                    : nullptr;
}

// Calls the type's create routine for entry `index`; the new object goes
// into the entry's slot. False when the type or its create routine is
// missing or creation fails. `visible` receives the initial visibility.
bool CreateEntry(LoadedWindow& window, int32_t index, HWND parent, uint32_t control_id, HMENU menu,
                 bool& visible) {
  const UnitTypeDescriptor* type = FindUnitType(window.units.TypeCodeAt(index));
  auto create = TypedHandler<CreateHandler>(type, kHandlerCreate);
  const auto layout = LayoutAt(window.units, index);
  if (create == nullptr || !layout) return false;
  const uint32_t flags = WordAt(window.units, index, layout->flags);
  const bool windowless = (type->state_flags & kTypeNoWindow) != 0;
  uint32_t style = 0;
  if (!windowless && (flags & kUnitDisabled) != 0) style |= WS_DISABLED;
  if (!windowless && (flags & kUnitTabStop) != 0) style |= WS_TABSTOP;
  visible = !windowless && (flags & kUnitVisible) != 0;
  const auto properties = window.units.StoredProperties(index);
  const auto position = [&](size_t at) {
    return static_cast<int32_t>(WordAt(window.units, index, at));
  };
  void* object = create(properties.empty() ? nullptr : properties.data(),
                        static_cast<int32_t>(properties.size()), style, parent, control_id, menu,
                        position(layout->left), position(layout->top), position(layout->width),
                        position(layout->height), window.window_id, window.units.IdAt(index), 0, 0);
  window.slots[static_cast<size_t>(index)].live = static_cast<UnitObject*>(object);
  return object != nullptr;
}

// The window with its owner and menu, then the units from the last entry
// back to entry 1 with the window as parent.
bool CreateAll(LoadedWindow& window, HWND owner, std::vector<char>& visible) {
  // The window's own visibility is read again when it is to be shown.
  bool shown = false;
  if (!CreateEntry(window, 0, owner, 0, window.menu, shown) || !IsLive(window)) return false;
  HWND parent = window.Window();
  uint32_t control_id = kFirstControlId;
  for (int32_t i = window.units.Count() - 1; i >= 1; --i) {
    if (!IsUnitEntry(window.units, i)) continue;
    if (!CreateEntry(window, i, parent, control_id, nullptr, shown)) return false;
    visible[static_cast<size_t>(i)] = shown;
    control_id += kControlIdStep;
  }
  return true;
}

// The window of the unit a parent id names: the window itself for 0, and
// also when the id names nothing live (the unit then stays where it was
// made rather than being lost).
HWND ParentWindow(const LoadedWindow& window, uint32_t parent_id) {
  const int32_t index = parent_id == 0 ? -1 : window.units.IndexOf(parent_id);
  HWND parent = index > 0 ? UnitWindow(window, index) : nullptr;
  return parent != nullptr ? parent : window.Window();
}

// Units after the first 0 of a paged container's child list are on later
// pages, which start hidden.
void HideLaterPages(const LoadedWindow& window, int32_t index, const UnitRecordLayout& layout,
                    std::vector<char>& visible) {
  bool later_page = false;
  for (uint32_t c = 0; c < layout.child_count_value; ++c) {
    const uint32_t child = WordAt(window.units, index, layout.children + c * 4);
    if (child == 0) {
      later_page = true;
    } else if (later_page) {
      const int32_t child_index = window.units.IndexOf(child);
      if (child_index > 0) visible[static_cast<size_t>(child_index)] = 0;
    }
  }
}

// Gives every unit the parent its record names.
void PlaceUnits(LoadedWindow& window, std::vector<char>& visible) {
  for (int32_t i = 1; i < window.units.Count(); ++i) {
    const auto layout = LayoutAt(window.units, i);
    if (!layout) continue;
    if (HWND unit = UnitWindow(window, i)) {
      SetParent(unit, ParentWindow(window, WordAt(window.units, i, layout->parent_id)));
    }
    if ((TypeFlagsAt(window, i) & kTypePagedContainer) != 0) {
      HideLaterPages(window, i, *layout, visible);
    }
  }
}

// Among units of one parent, table order is top to bottom.
void ArrangeZOrder(const LoadedWindow& window) {
  const UnitTable& units = window.units;
  for (int32_t i = 1; i < units.Count(); ++i) {
    HWND unit = UnitWindow(window, i);
    const auto layout = LayoutAt(units, i);
    if (unit == nullptr || !layout) continue;
    const uint32_t parent_id = WordAt(units, i, layout->parent_id);
    HWND above = HWND_TOP;
    for (int32_t j = i - 1; j >= 1; --j) {
      const auto other = LayoutAt(units, j);
      HWND sibling = UnitWindow(window, j);
      if (other && sibling != nullptr && WordAt(units, j, other->parent_id) == parent_id) {
        above = sibling;
        break;
      }
    }
    SetWindowPos(unit, above, 0, 0, 0, 0, kZOrderOnly);
  }
}

// Cursors from the mouse-pointer data, the window's own included.
void CreateCursors(LoadedWindow& window) {
  for (int32_t i = 0; i < window.units.Count(); ++i) {
    const auto layout = LayoutAt(window.units, i);
    if (!layout || window.LiveAt(i) == nullptr) continue;
    const auto record = window.units.RecordAt(i);
    window.slots[static_cast<size_t>(i)].cursor =
        CreatePointerCursor(record.subspan(layout->pointer_data, layout->pointer_length_value));
  }
}

// Last entry first, so the window itself hears it last.
void SendToAll(const LoadedWindow& window, UINT message) {
  for (int32_t i = window.units.Count() - 1; i >= 0; --i) {
    if (HWND unit = UnitWindow(window, i)) SendMessageA(unit, message, 0, 0);
  }
}

// Tells every unit they all exist, then shows those meant to be seen.
void AnnounceUnits(const LoadedWindow& window, const std::vector<char>& visible) {
  SendToAll(window, kUnitsCreated);
  if (HWND own = LiveWindowHandle(window)) SendMessageA(own, kUnitsPlaced, 0, 0);
  for (int32_t i = 1; i < window.units.Count(); ++i) {
    if (HWND unit = UnitWindow(window, i)) {
      ShowWindow(unit, visible[static_cast<size_t>(i)] ? SW_SHOWNA : SW_HIDE);
    }
  }
}

void RaiseWindowEvent(const LoadedWindow& window, int32_t event) {
  if (!IsLive(window)) return;
  EventRecord record;
  record.window_id = window.window_id;
  record.event = event;
  RaiseEvent(record);
}

// Every other live top-level loaded window is disabled until this one is
// destroyed.
void DisableOtherWindows(LoadedWindow& window) {
  window.owner_less = true;
  for (int32_t position = 0; position < Registry().Count(); ++position) {
    LoadedWindow* other = Registry().At(position);
    HWND handle = other != nullptr && other != &window ? LiveWindowHandle(*other) : nullptr;
    if (handle == nullptr || (GetWindowLongA(handle, GWL_STYLE) & WS_CHILD) != 0) continue;
    window.disabled_windows.emplace_back(handle, IsWindowEnabled(handle) != FALSE);
    EnableWindow(handle, FALSE);
  }
}

bool EntryVisible(const UnitTable& units, int32_t index) {
  const auto layout = LayoutAt(units, index);
  return layout && (WordAt(units, index, layout->flags) & kUnitVisible) != 0;
}

// What follows creation: the load events, showing, disabling the other
// windows, completion. After each event every step checks that the window
// still exists, since a handler may have closed it.
void FinishLoad(LoadedWindow& window, bool owner_less) {
  for (int32_t event : {kWindowCreated, kWindowMoved, kWindowResized}) {
    RaiseWindowEvent(window, event);
  }
  if (IsLive(window) && EntryVisible(window.units, 0)) ShowWindowUnit(window);
  if (!IsLive(window)) return;
  if (owner_less) DisableOtherWindows(window);
  HWND focus = GetFocus();
  SendToAll(window, kWindowComplete);
  if (focus != nullptr && GetFocus() != focus && IsWindow(focus)) SetFocus(focus);
  window.loaded = IsLive(window);
}

// A failed load leaves nothing behind: destroying the window takes the
// units made so far with it (they are its children), and the slots are
// cleared even when a unit type does not report its destruction.
void AbandonLoad(LoadedWindow& window) {
  if (HWND own = LiveWindowHandle(window)) DestroyWindow(own);
  ForgetLiveUnits(window);
  DestroyMenuBar(window);
}

// The window is live but must be built anew: it is told, then ended, so
// that one loaded window never holds two sets of live units.
void EndLiveInstance(LoadedWindow& window) {
  if (window.being_closed) SendMessageA(window.Window(), kReloadWhileClosing, 0, 0);
  if (HWND own = LiveWindowHandle(window)) DestroyWindow(own);
  ForgetLiveUnits(window);
}

void Reactivate(const LoadedWindow& window) {
  HWND own = window.Window();
  if (IsIconic(own)) {
    ShowWindow(own, SW_RESTORE);
  } else {
    SetActiveWindow(own);
  }
}

}  // namespace

HWND LiveWindowHandle(const LoadedWindow& window) { return UnitWindow(window, 0); }

HWND LiveWindowAt(int32_t position) {
  LoadedWindow* window = Registry().At(position);
  return window != nullptr ? LiveWindowHandle(*window) : nullptr;
}

void ShowWindowUnit(LoadedWindow& window) {
  HWND own = LiveWindowHandle(window);
  if (own == nullptr) return;
  const UnitTypeDescriptor* type = FindUnitType(window.units.TypeCodeAt(0));
  if (auto show = TypedHandler<ShowWindowHandler>(type, kHandlerShowWindow)) {
    show(window.WindowObject());
  } else {
    ShowWindow(own, SW_SHOW);
  }
}

bool LoadForm(LoadedWindow& window, const LoadOptions& options) {
  if (!options.reload && IsLive(window) && !window.being_closed) {
    Reactivate(window);
    return true;
  }
  if (IsLive(window)) EndLiveInstance(window);
  HWND owner = options.owner_less ? nullptr : options.owner;
  if (owner != nullptr && !IsWindow(owner)) return false;
  if (window.units.Count() == 0) return false;

  SuspendEvents();
  window.saved_units = window.units;
  window.slots.assign(static_cast<size_t>(window.units.Count()), UnitSlots{});
  std::vector<char> visible(static_cast<size_t>(window.units.Count()), 0);
  if (!BuildMenuBar(window) || !CreateAll(window, owner, visible)) {
    AbandonLoad(window);
    ResumeEvents();
    return false;
  }
  AnswerMenuCommands(window);
  PlaceUnits(window, visible);
  ArrangeZOrder(window);
  CreateCursors(window);
  AnnounceUnits(window, visible);
  ResumeEvents();
  FinishLoad(window, options.owner_less);
  return true;
}

}  // namespace runtime::forms
