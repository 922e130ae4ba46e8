#include "runtime/forms/unit_recreation.h"

#include <vector>

#include "runtime/forms/common_properties.h"
#include "runtime/forms/event_suspension.h"
#include "runtime/forms/form_loader.h"
#include "runtime/forms/framework_state.h"
#include "runtime/forms/paged_container.h"
#include "runtime/forms/unit_record.h"
#include "runtime/forms/unit_types.h"

namespace runtime::forms {

namespace {

// What the new unit takes over from the old one.
struct OldUnit {
  HWND window = nullptr;
  HWND parent = nullptr;
  HWND above = nullptr;  // the sibling directly above it; null at the top
  Placement place;
  uint32_t control_id = 0;
  uint32_t style = 0;
  bool visible = false;
  bool focused = false;
};

// The style the loader would give, but with the window's present enabled
// state.
uint32_t CreationStyle(const LoadedWindow& window, int32_t index, HWND old,
                       const UnitTypeDescriptor& type) {
  if ((type.state_flags & kTypeNoWindow) != 0) return 0;
  uint32_t style = IsWindowEnabled(old) ? 0 : WS_DISABLED;
  auto record = window.units.RecordAt(index);
  auto layout = LocateUnitFields(record);
  if (layout && (RecordWord(record, layout->flags) & kUnitTabStop) != 0) style |= WS_TABSTOP;
  return style;
}

OldUnit Capture(const LoadedWindow& window, int32_t index, HWND old,
                const UnitTypeDescriptor& type) {
  OldUnit unit;
  unit.window = old;
  unit.parent = GetParent(old);
  unit.above = GetWindow(old, GW_HWNDPREV);
  unit.place = LivePlacement(old);
  unit.control_id = static_cast<uint32_t>(GetDlgCtrlID(old));
  unit.style = CreationStyle(window, index, old, type);
  unit.visible = (GetWindowLongA(old, GWL_STYLE) & WS_VISIBLE) != 0;
  HWND focus = GetFocus();
  unit.focused = focus != nullptr && (focus == old || IsChild(old, focus));
  return unit;
}

UnitObject* CreateFromBlock(HGLOBAL block, CreateHandler create, const OldUnit& old,
                            uint32_t window_id, uint32_t unit_id) {
  const auto* record = static_cast<const uint8_t*>(GlobalLock(block));
  const auto length = static_cast<int32_t>(GlobalSize(block));
  void* fresh = create(record, record != nullptr ? length : 0, old.style, old.parent,
                       old.control_id, nullptr, old.place.left, old.place.top, old.place.width,
                       old.place.height, window_id, unit_id, 0, 0);
  GlobalUnlock(block);
  return static_cast<UnitObject*>(fresh);
}

void MoveChildWindows(HWND from, HWND to) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(from, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  for (HWND child : children) SetParent(child, to);
}

// Puts the new unit where the old one was and tells it that it is complete.
void TakeOver(LoadedWindow& window, int32_t index, const UnitTypeDescriptor& type,
              const OldUnit& old, UnitObject& fresh) {
  if ((type.state_flags & kTypeMovesChildrenOnRecreate) != 0) {
    MoveChildWindows(old.window, fresh.window);
  }
  window.slots[static_cast<size_t>(index)].live = &fresh;
  SetWindowPos(fresh.window, old.above != nullptr ? old.above : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageA(fresh.window, kUnitsCreated, 0, 0);
  SendMessageA(fresh.window, kWindowComplete, 0, 0);
  if ((type.state_flags & kTypeNotifyParentOnRecreate) != 0 && old.parent != nullptr) {
    SendMessageA(old.parent, kUnitsPlaced, 0, 0);
  }
  if (old.visible) ShowWindow(fresh.window, SW_SHOWNA);
  if ((type.state_flags & kTypePagedContainer) != 0) ApplyPageVisibility(window, index);
}

}  // namespace

void RecreateAfterRequest(LoadedWindow& window, int32_t index) {
  SuspendEvents();
  RecreateUnit(window, index);
  ResumeEvents();
}

bool RecreateUnit(LoadedWindow& window, int32_t index) {
  HWND old_window = LiveUnitWindow(window, index);
  const UnitTypeDescriptor* type = FindUnitType(window.units.TypeCodeAt(index));
  if (old_window == nullptr || type == nullptr ||
      static_cast<size_t>(index) >= window.slots.size() ||
      (type->state_flags & kTypeNeverRecreated) != 0) {
    return false;
  }
  auto save = TypedHandler<SavePropertiesHandler>(type, kHandlerSaveProperties);
  auto create = TypedHandler<CreateHandler>(type, kHandlerCreate);
  if (save == nullptr || create == nullptr) return false;
  HGLOBAL block = save(window.LiveAt(index));
  if (block == nullptr) return false;
  const OldUnit old = Capture(window, index, old_window, *type);
  UnitObject* fresh =
      CreateFromBlock(block, create, old, window.window_id, window.units.IdAt(index));
  const bool replaced = fresh != nullptr && fresh->window != nullptr && IsWindow(fresh->window);
  if (replaced) {
    TakeOver(window, index, *type, old, *fresh);
    {
      // The old unit's destroy notice must leave the slot to its successor.
      RecreationGuard guard;
      DestroyWindow(old.window);
    }
    if (old.focused) SetFocus(fresh->window);
  }
  GlobalFree(block);
  return replaced;
}

}  // namespace runtime::forms
