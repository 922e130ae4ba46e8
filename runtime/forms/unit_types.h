// Unit-type descriptors by library type code, and their handlers.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "runtime/core/program_header.h"

namespace runtime::forms {

// Unit-type state flags the framework tests.
inline constexpr uint32_t kTypeNeverRecreated = 0x10;
inline constexpr uint32_t kTypePreTranslates = 0x20;
inline constexpr uint32_t kTypeRaisesEvents = 0x40;
inline constexpr uint32_t kTypeRaisesEventsAlt = 0x04;
inline constexpr uint32_t kTypeMovesChildrenOnRecreate = 0x80;
inline constexpr uint32_t kTypePagedContainer = 0x100;
inline constexpr uint32_t kTypeChildMessagesOwn = 0x200;
inline constexpr uint32_t kTypeChildMessagesOwnAlt = 0x200000;
inline constexpr uint32_t kTypeNoWindow = 0x8000;
inline constexpr uint32_t kTypeNeverPageFocus = 0x10000;
inline constexpr uint32_t kTypeNotifyParentOnRecreate = 0x100000;
inline constexpr uint32_t kTypeClickDragsWindow = 0x4000000;

// A window unit hands its child controls' notifications (WM_COMMAND from a
// control, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*) back to the control that sent them as
// message + kReflectedMessageOffset, so that a unit built on a standard
// control hears its own notifications. A non-zero answer is the result;
// zero lets the window answer as usual.
inline constexpr UINT kReflectedMessageOffset = 0x2000;

// Handler numbers of a unit type's handler query.
enum UnitHandlerNumber : int32_t {
  kHandlerCreate = 1,
  kHandlerSetProperty = 4,
  kHandlerSaveProperties = 5,
  kHandlerGetProperty = 6,
  kHandlerStoredIcon = 7,
  kHandlerWantsKey = 8,
  // Reports the texts a stored property record holds (captions, font
  // faces, ...) to a callback and answers the record written out again.
  kHandlerListTexts = 9,
  kHandlerIsDefaultButton = 10,
  kHandlerPreTranslate = 11,
  // The window type's show routine: how the loader (and a write of the
  // visible property) shows a top-level window, with its start position
  // rules. A window type without one is shown with ShowWindow(SW_SHOW).
  kHandlerShowWindow = 20,
  // The window type's keyboard interface (Tab, Enter, Esc, F1, dragging),
  // offered every message the window filters before the common events.
  kHandlerWindowKeys = 21,
};

// The descriptor of library type code `type_code` (library number in the
// high 16 bits, type number = slot + 1 in the low 16 bits) among the
// program's libraries; null when the library or the slot is missing or empty.
const UnitTypeDescriptor* FindUnitType(uint32_t type_code);

// The handler `number` of `type`, or null.
UnitHandler UnitTypeHandler(const UnitTypeDescriptor* type, int32_t number);

// The same, as its real type `Handler` (one of the signatures below).
template <class Handler>
Handler TypedHandler(const UnitTypeDescriptor* type, int32_t number) {
  return reinterpret_cast<Handler>(UnitTypeHandler(type, number));
}

// What a handler query answers for `handler`.
template <class Handler>
UnitHandler AsUnitHandler(Handler handler) {
  return reinterpret_cast<UnitHandler>(handler);
}

// What a unit's get and set handlers exchange: two 32-bit words, with an
// address beside them, since on a 64-bit build an address fits no word.
// Texts travel as `address` (NUL-terminated GBK), byte sets and fonts as
// `address` and `second` (the byte count), 64-bit values as `first` (low)
// and `second` (high), everything else as `first`.
struct PropertyPair {
  uint32_t first = 0;
  uint32_t second = 0;
  const void* address = nullptr;
};

// The handlers' own signatures.
using CreateHandler = void* (*)(const uint8_t* properties, int32_t length, uint32_t style,
                                HWND parent, uint32_t control_id, HMENU menu, int32_t x, int32_t y,
                                int32_t width, int32_t height, uint32_t window_id, uint32_t unit_id,
                                int32_t zero1, int32_t zero2);
// Fills the (first word, second word) pair of property `index` (index - 8).
using GetPropertyHandler = void (*)(void* unit, int32_t index, PropertyPair* pair);
// Returns 1 when the unit must be re-created to apply the value.
using SetPropertyHandler = int32_t (*)(void* unit, int32_t index, const PropertyPair* pair,
                                       int32_t zero);
using SavePropertiesHandler = HGLOBAL (*)(void* unit);
using PreTranslateHandler = int32_t (*)(void* unit, MSG* message);
// From a stored property record: a GlobalAlloc block with the icon bytes the
// record keeps, or null when it keeps none.
using StoredIconHandler = HGLOBAL (*)(const uint8_t* properties, int32_t length);
// Non-zero when the unit wants virtual key `key` for itself, so that the
// window's keyboard interface leaves it alone (a multi-line edit box and
// Enter).
using WantsKeyHandler = int32_t (*)(void* unit, uint32_t key);
// Non-zero when the push button is the window's default button (Enter).
using IsDefaultButtonHandler = int32_t (*)(void* unit);
// kHandlerListTexts: `callback` receives every text (GBK) of the record;
// the answer is a GlobalAlloc block holding the record written out again,
// or null when the record is not readable.
using ListTextCallback = void (*)(const char* text, void* context);
using ListTextsHandler = HGLOBAL (*)(const uint8_t* properties, int32_t length,
                                     ListTextCallback callback, void* context);
// Shows the window of a window unit (kHandlerShowWindow).
using ShowWindowHandler = void (*)(void* window_unit);
// Non-zero when the window's key handling consumed the message.
using WindowKeysHandler = int32_t (*)(void* window_object, MSG* message);

}  // namespace runtime::forms
