// The common events: the mouse and keyboard events every unit raises, which
// the framework makes from the messages a loaded window filters, and the
// focus events that unit types raise themselves.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "runtime/forms/event_record.h"
#include "runtime/forms/loaded_window.h"
#include "runtime/forms/unit_object.h"

namespace runtime::forms {

// The entry of `window`'s unit table whose events messages to `target` are:
// the unit whose live window `target` is, else the nearest unit above
// `target` whose type takes its child windows' messages as its own (flag
// 0x200 or 0x200000). The window's own entry never counts. -1 for none.
int32_t FindMessageUnit(const LoadedWindow& window, HWND target);

// Modifier bits now: 1 Ctrl, 2 Shift, 4 Alt (GetKeyState).
uint32_t ModifierBits();

// The key code a key event carries for virtual key `vk`: keypad digits,
// minus, point and slash read as the main keyboard's keys.
uint32_t EventKeyCode(uint32_t vk);

// The common event `message` makes, with its arguments; false when it makes
// none. Only event, argument_count and arguments are filled.
bool MapCommonEvent(const MSG& message, EventRecord* record);

// Raises the common event of `message` for entry `index` of `window` and
// applies the handler's answer: true when the message is swallowed. A
// character handler's non-zero answer replaces the character in `message`.
bool RaiseCommonEvent(LoadedWindow& window, int32_t index, MSG* message);

// Raises focus gained (-7) or lost (-8) for `unit`; 1 when a handler ran.
int32_t RaiseFocusEvent(const UnitObject* unit, bool gained);

}  // namespace runtime::forms
