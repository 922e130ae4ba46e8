// The runtime's menu shortcuts. A menu-item record names one by number
// (1 to kShortcutCount; 0 for none); the menu shows its text after the
// caption and the window's accelerator table maps the keys to the item.
#pragma once

#include <cstdint>

namespace runtime::forms {

// Modifier bits of a shortcut.
inline constexpr uint8_t kShortcutCtrl = 1;
inline constexpr uint8_t kShortcutShift = 2;
inline constexpr uint8_t kShortcutAlt = 4;

struct Shortcut {
  const char* text;   // as shown in the menu: "Ctrl+A", "Shift+F5"
  uint8_t modifiers;  // kShortcut* bits
  uint8_t key;        // virtual-key code
};

inline constexpr int32_t kShortcutCount = 77;

// The shortcut of `number`, or null when the number names none.
const Shortcut* FindShortcut(uint32_t number);

}  // namespace runtime::forms
