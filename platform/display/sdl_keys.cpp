#include "platform/display/sdl_keys.h"

#include <SDL.h>

#include <algorithm>
#include <iterator>

#include "platform/win32/user.h"

namespace platform::sdl {

namespace {

// Virtual keys the facade does not name (yet); the values are Win32's.
constexpr UINT kVkSnapshot = 0x2C;
constexpr UINT kVkOem1 = 0xBA;  // ;: on a US keyboard
constexpr UINT kVkOemPlus = 0xBB;
constexpr UINT kVkOemComma = 0xBC;
constexpr UINT kVkOemMinus = 0xBD;
constexpr UINT kVkOemPeriod = 0xBE;
constexpr UINT kVkOem2 = 0xBF;    // /?
constexpr UINT kVkOem3 = 0xC0;    // `~
constexpr UINT kVkOem4 = 0xDB;    // [{
constexpr UINT kVkOem5 = 0xDC;    // \|
constexpr UINT kVkOem6 = 0xDD;    // ]}
constexpr UINT kVkOem7 = 0xDE;    // '"
constexpr UINT kVkOem102 = 0xE2;  // the extra key of ISO keyboards

struct PositionKey {
  SDL_Scancode code;
  UINT vk;
  UINT scan;
  bool extended = false;
};

// Keys by where they sit on a US keyboard.
// clang-format off
constexpr PositionKey kByPosition[] = {
    {SDL_SCANCODE_A, 'A', 0x1E}, {SDL_SCANCODE_B, 'B', 0x30}, {SDL_SCANCODE_C, 'C', 0x2E},
    {SDL_SCANCODE_D, 'D', 0x20}, {SDL_SCANCODE_E, 'E', 0x12}, {SDL_SCANCODE_F, 'F', 0x21},
    {SDL_SCANCODE_G, 'G', 0x22}, {SDL_SCANCODE_H, 'H', 0x23}, {SDL_SCANCODE_I, 'I', 0x17},
    {SDL_SCANCODE_J, 'J', 0x24}, {SDL_SCANCODE_K, 'K', 0x25}, {SDL_SCANCODE_L, 'L', 0x26},
    {SDL_SCANCODE_M, 'M', 0x32}, {SDL_SCANCODE_N, 'N', 0x31}, {SDL_SCANCODE_O, 'O', 0x18},
    {SDL_SCANCODE_P, 'P', 0x19}, {SDL_SCANCODE_Q, 'Q', 0x10}, {SDL_SCANCODE_R, 'R', 0x13},
    {SDL_SCANCODE_S, 'S', 0x1F}, {SDL_SCANCODE_T, 'T', 0x14}, {SDL_SCANCODE_U, 'U', 0x16},
    {SDL_SCANCODE_V, 'V', 0x2F}, {SDL_SCANCODE_W, 'W', 0x11}, {SDL_SCANCODE_X, 'X', 0x2D},
    {SDL_SCANCODE_Y, 'Y', 0x15}, {SDL_SCANCODE_Z, 'Z', 0x2C},
    {SDL_SCANCODE_1, '1', 0x02}, {SDL_SCANCODE_2, '2', 0x03}, {SDL_SCANCODE_3, '3', 0x04},
    {SDL_SCANCODE_4, '4', 0x05}, {SDL_SCANCODE_5, '5', 0x06}, {SDL_SCANCODE_6, '6', 0x07},
    {SDL_SCANCODE_7, '7', 0x08}, {SDL_SCANCODE_8, '8', 0x09}, {SDL_SCANCODE_9, '9', 0x0A},
    {SDL_SCANCODE_0, '0', 0x0B},
    {SDL_SCANCODE_RETURN, VK_RETURN, 0x1C}, {SDL_SCANCODE_ESCAPE, VK_ESCAPE, 0x01},
    {SDL_SCANCODE_BACKSPACE, VK_BACK, 0x0E}, {SDL_SCANCODE_TAB, VK_TAB, 0x0F},
    {SDL_SCANCODE_SPACE, VK_SPACE, 0x39},
    {SDL_SCANCODE_MINUS, kVkOemMinus, 0x0C}, {SDL_SCANCODE_EQUALS, kVkOemPlus, 0x0D},
    {SDL_SCANCODE_LEFTBRACKET, kVkOem4, 0x1A}, {SDL_SCANCODE_RIGHTBRACKET, kVkOem6, 0x1B},
    {SDL_SCANCODE_BACKSLASH, kVkOem5, 0x2B}, {SDL_SCANCODE_SEMICOLON, kVkOem1, 0x27},
    {SDL_SCANCODE_APOSTROPHE, kVkOem7, 0x28}, {SDL_SCANCODE_GRAVE, kVkOem3, 0x29},
    {SDL_SCANCODE_COMMA, kVkOemComma, 0x33}, {SDL_SCANCODE_PERIOD, kVkOemPeriod, 0x34},
    {SDL_SCANCODE_SLASH, kVkOem2, 0x35}, {SDL_SCANCODE_NONUSBACKSLASH, kVkOem102, 0x56},
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL, 0x3A},
    {SDL_SCANCODE_F1, VK_F1, 0x3B}, {SDL_SCANCODE_F2, VK_F2, 0x3C}, {SDL_SCANCODE_F3, VK_F3, 0x3D},
    {SDL_SCANCODE_F4, VK_F4, 0x3E}, {SDL_SCANCODE_F5, VK_F5, 0x3F}, {SDL_SCANCODE_F6, VK_F6, 0x40},
    {SDL_SCANCODE_F7, VK_F7, 0x41}, {SDL_SCANCODE_F8, VK_F8, 0x42}, {SDL_SCANCODE_F9, VK_F9, 0x43},
    {SDL_SCANCODE_F10, VK_F10, 0x44}, {SDL_SCANCODE_F11, VK_F11, 0x57},
    {SDL_SCANCODE_F12, VK_F12, 0x58},
    {SDL_SCANCODE_PRINTSCREEN, kVkSnapshot, 0x37, true},
    {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL, 0x46}, {SDL_SCANCODE_PAUSE, VK_PAUSE, 0x45},
    {SDL_SCANCODE_INSERT, VK_INSERT, 0x52, true}, {SDL_SCANCODE_DELETE, VK_DELETE, 0x53, true},
    {SDL_SCANCODE_HOME, VK_HOME, 0x47, true}, {SDL_SCANCODE_END, VK_END, 0x4F, true},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR, 0x49, true}, {SDL_SCANCODE_PAGEDOWN, VK_NEXT, 0x51, true},
    {SDL_SCANCODE_LEFT, VK_LEFT, 0x4B, true}, {SDL_SCANCODE_RIGHT, VK_RIGHT, 0x4D, true},
    {SDL_SCANCODE_UP, VK_UP, 0x48, true}, {SDL_SCANCODE_DOWN, VK_DOWN, 0x50, true},
    {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, 0x45, true},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, 0x35, true}, {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, 0x37},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, 0x4A}, {SDL_SCANCODE_KP_PLUS, VK_ADD, 0x4E},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN, 0x1C, true},
    {SDL_SCANCODE_APPLICATION, VK_APPS, 0x5D, true}, {SDL_SCANCODE_LGUI, VK_LWIN, 0x5B, true},
    {SDL_SCANCODE_RGUI, VK_RWIN, 0x5C, true},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT, 0x2A}, {SDL_SCANCODE_RSHIFT, VK_SHIFT, 0x36},
    {SDL_SCANCODE_LCTRL, VK_CONTROL, 0x1D}, {SDL_SCANCODE_RCTRL, VK_CONTROL, 0x1D, true},
    {SDL_SCANCODE_LALT, VK_MENU, 0x38}, {SDL_SCANCODE_RALT, VK_MENU, 0x38, true},
};
// clang-format on

struct PadKey {
  SDL_Scancode code;
  UINT digit_vk;  // with NumLock on
  UINT move_vk;   // with NumLock off
  UINT scan;
};

// The keypad's digits and point, which change meaning with NumLock.
constexpr PadKey kPad[] = {
    {SDL_SCANCODE_KP_0, VK_NUMPAD0 + 0, VK_INSERT, 0x52},
    {SDL_SCANCODE_KP_1, VK_NUMPAD0 + 1, VK_END, 0x4F},
    {SDL_SCANCODE_KP_2, VK_NUMPAD0 + 2, VK_DOWN, 0x50},
    {SDL_SCANCODE_KP_3, VK_NUMPAD0 + 3, VK_NEXT, 0x51},
    {SDL_SCANCODE_KP_4, VK_NUMPAD0 + 4, VK_LEFT, 0x4B},
    {SDL_SCANCODE_KP_5, VK_NUMPAD0 + 5, VK_CLEAR, 0x4C},
    {SDL_SCANCODE_KP_6, VK_NUMPAD0 + 6, VK_RIGHT, 0x4D},
    {SDL_SCANCODE_KP_7, VK_NUMPAD0 + 7, VK_HOME, 0x47},
    {SDL_SCANCODE_KP_8, VK_NUMPAD0 + 8, VK_UP, 0x48},
    {SDL_SCANCODE_KP_9, VK_NUMPAD0 + 9, VK_PRIOR, 0x49},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, VK_DELETE, 0x53},
};

// The virtual key of a character the layout puts on a key; 0 for characters
// Win32 gives no virtual key of their own.
UINT LayoutVk(int32_t keycode) {
  if (keycode >= 'a' && keycode <= 'z') return static_cast<UINT>(keycode - 'a' + 'A');
  if (keycode >= '0' && keycode <= '9') return static_cast<UINT>(keycode);
  switch (keycode) {
    case ' ':
      return VK_SPACE;
    case ';':
      return kVkOem1;
    case '=':
      return kVkOemPlus;
    case ',':
      return kVkOemComma;
    case '-':
      return kVkOemMinus;
    case '.':
      return kVkOemPeriod;
    case '/':
      return kVkOem2;
    case '`':
      return kVkOem3;
    case '[':
      return kVkOem4;
    case '\\':
      return kVkOem5;
    case ']':
      return kVkOem6;
    case '\'':
      return kVkOem7;
    default:
      return 0;
  }
}

template <typename Table>
auto Find(const Table& table, int scancode) -> decltype(&table[0]) {
  auto it = std::find_if(std::begin(table), std::end(table),
                         [&](const auto& key) { return key.code == scancode; });
  return it == std::end(table) ? nullptr : &*it;
}

}  // namespace

Win32Key MapKey(int scancode, int32_t keycode, bool num_lock) {
  if (const PadKey* pad = Find(kPad, scancode)) {
    return {num_lock ? pad->digit_vk : pad->move_vk, pad->scan, false};
  }
  Win32Key key;
  if (const PositionKey* at = Find(kByPosition, scancode)) key = {at->vk, at->scan, at->extended};
  if (UINT vk = LayoutVk(keycode)) key.vk = vk;
  return key;
}

}  // namespace platform::sdl
