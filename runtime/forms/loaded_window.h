// A window of the template and what the framework keeps of it while the
// program runs: its working unit table, the copy taken when it was loaded,
// and the live objects of its units.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32.h"
#include "runtime/forms/template_segment.h"
#include "runtime/forms/unit_object.h"
#include "runtime/forms/unit_table.h"

namespace runtime::forms {

// What a unit table entry holds at run time. The record keeps a 32-bit
// live-object slot and cursor slot, too narrow for a 64-bit object address,
// so the framework keeps both here, one per entry, and leaves the record's
// slots at 0.
struct UnitSlots {
  UnitObject* live = nullptr;  // from the type's create routine, until destroyed
  HCURSOR cursor = nullptr;    // made from the mouse-pointer data; null for none
};

struct LoadedWindow {
  uint32_t window_id = 0;
  uint32_t word_a = 0;
  uint32_t word_b = 0;
  std::string text_c;
  std::string text_d;

  // Common property values, tags and flags change here while the window
  // lives; `saved_units` is the table as it was when the window was loaded
  // and becomes the working table again when the window is destroyed.
  UnitTable units;
  UnitTable saved_units;
  std::vector<UnitSlots> slots;  // one per entry of `units`

  bool loaded = false;        // loading succeeded and the window lives
  bool being_closed = false;  // the window is inside its close handling

  HMENU menu = nullptr;  // the menu bar built from the menu items
  HACCEL accelerators = nullptr;
  // Menu command number of each menu-item entry (0 for other entries).
  std::vector<uint32_t> menu_commands;

  // Windows disabled while this one runs without an owner: each handle and
  // whether it was enabled before.
  std::vector<std::pair<HWND, bool>> disabled_windows;
  bool owner_less = false;

  // The live object of entry `index`, or null.
  UnitObject* LiveAt(int32_t index) const {
    return index >= 0 && static_cast<size_t>(index) < slots.size() ? slots[index].live : nullptr;
  }
  // The window's own live object and window handle (entry 0).
  UnitObject* WindowObject() const { return LiveAt(0); }
  HWND Window() const {
    UnitObject* object = WindowObject();
    return object != nullptr ? object->window : nullptr;
  }
};

}  // namespace runtime::forms
