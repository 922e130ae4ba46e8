// Win32 keys for SDL key events: the virtual-key code a program sees in
// WM_KEYDOWN, and the scan code and extended flag of its lParam.
//
// Letters, digits and punctuation follow the keyboard layout (SDL's key
// code), as Win32 virtual keys do; every other key, and keys whose layout
// character has no virtual key (the AZERTY digit row), follows its position
// (SDL's scan code). Shift, Ctrl and Alt are the generic VK_SHIFT,
// VK_CONTROL and VK_MENU of either hand.
#pragma once

#include <cstdint>

#include "platform/win32/base_types.h"

namespace platform::sdl {

struct Win32Key {
  UINT vk = 0;            // 0 when the key has no Win32 virtual key
  UINT scan = 0;          // set-1 make code, without the E0 prefix
  bool extended = false;  // the E0 prefix: right Ctrl/Alt, the editing and arrow keys, ...

  bool operator==(const Win32Key&) const = default;
};

// `scancode` is an SDL_Scancode, `keycode` an SDL_Keycode; `num_lock` says
// whether the numeric keypad types digits or moves.
Win32Key MapKey(int scancode, int32_t keycode, bool num_lock);

}  // namespace platform::sdl
