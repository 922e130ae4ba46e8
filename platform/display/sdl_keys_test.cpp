// Win32 keys for SDL key events: layout and position, the E0 keys, the
// keypad with and without NumLock, and the table as a whole.
#include "platform/display/sdl_keys.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "platform/win32.h"

namespace platform::sdl {
namespace {

Win32Key Key(SDL_Scancode scancode, SDL_Keycode keycode = SDLK_UNKNOWN, bool num_lock = true) {
  return MapKey(scancode, keycode, num_lock);
}

TEST(SdlKeys, LettersDigitsAndPunctuationFollowTheLayout) {
  EXPECT_EQ(Key(SDL_SCANCODE_A, SDLK_a), (Win32Key{'A', 0x1E, false}));
  EXPECT_EQ(Key(SDL_SCANCODE_0, SDLK_0), (Win32Key{'0', 0x0B, false}));
  EXPECT_EQ(Key(SDL_SCANCODE_SPACE, SDLK_SPACE), (Win32Key{VK_SPACE, 0x39, false}));
  EXPECT_EQ(Key(SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON).vk, 0xBAu);
  EXPECT_EQ(Key(SDL_SCANCODE_SLASH, SDLK_SLASH).vk, 0xBFu);
  // AZERTY: the key where US has Q types 'a'; Win32 calls it 'A' and keeps its scan code.
  EXPECT_EQ(Key(SDL_SCANCODE_Q, SDLK_a), (Win32Key{'A', 0x10, false}));
  // AZERTY's digit row types '&' unshifted; Win32 still calls the key '1'.
  EXPECT_EQ(Key(SDL_SCANCODE_1, SDLK_AMPERSAND), (Win32Key{'1', 0x02, false}));
}

TEST(SdlKeys, EditingKeysAndRightHandModifiersAreExtended) {
  EXPECT_EQ(Key(SDL_SCANCODE_LEFT), (Win32Key{VK_LEFT, 0x4B, true}));
  EXPECT_EQ(Key(SDL_SCANCODE_DELETE), (Win32Key{VK_DELETE, 0x53, true}));
  EXPECT_EQ(Key(SDL_SCANCODE_PAGEDOWN), (Win32Key{VK_NEXT, 0x51, true}));
  EXPECT_EQ(Key(SDL_SCANCODE_RETURN, SDLK_RETURN), (Win32Key{VK_RETURN, 0x1C, false}));
  EXPECT_EQ(Key(SDL_SCANCODE_KP_ENTER), (Win32Key{VK_RETURN, 0x1C, true}));
  EXPECT_EQ(Key(SDL_SCANCODE_LSHIFT), (Win32Key{VK_SHIFT, 0x2A, false}));
  EXPECT_EQ(Key(SDL_SCANCODE_RSHIFT), (Win32Key{VK_SHIFT, 0x36, false}));
  EXPECT_EQ(Key(SDL_SCANCODE_RCTRL), (Win32Key{VK_CONTROL, 0x1D, true}));
  EXPECT_EQ(Key(SDL_SCANCODE_RALT), (Win32Key{VK_MENU, 0x38, true}));
  EXPECT_EQ(Key(SDL_SCANCODE_F1), (Win32Key{VK_F1, 0x3B, false}));
  EXPECT_EQ(Key(SDL_SCANCODE_F12), (Win32Key{VK_F12, 0x58, false}));
  EXPECT_EQ(Key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE), (Win32Key{VK_ESCAPE, 0x01, false}));
}

TEST(SdlKeys, KeypadDigitsMoveWithoutNumLock) {
  EXPECT_EQ(Key(SDL_SCANCODE_KP_7, SDLK_KP_7, true), (Win32Key{VK_NUMPAD0 + 7, 0x47, false}));
  EXPECT_EQ(Key(SDL_SCANCODE_KP_7, SDLK_KP_7, false), (Win32Key{VK_HOME, 0x47, false}));
  EXPECT_EQ(Key(SDL_SCANCODE_KP_5, SDLK_KP_5, false).vk, static_cast<UINT>(VK_CLEAR));
  EXPECT_EQ(Key(SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, true).vk, static_cast<UINT>(VK_DECIMAL));
  EXPECT_EQ(Key(SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, false).vk, static_cast<UINT>(VK_DELETE));
  EXPECT_EQ(Key(SDL_SCANCODE_KP_DIVIDE), (Win32Key{VK_DIVIDE, 0x35, true}));
}

TEST(SdlKeys, EveryKeyHasItsOwnScanCodeAndKeysWithoutOneAreDropped) {
  std::map<std::pair<UINT, bool>, int> owner;
  int mapped = 0;
  for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
    Win32Key key = MapKey(scancode, SDLK_UNKNOWN, true);
    if (key.vk == 0) continue;
    ++mapped;
    EXPECT_NE(key.scan, 0u) << "SDL scancode " << scancode;
    auto [it, fresh] = owner.emplace(std::pair{key.scan, key.extended}, scancode);
    EXPECT_TRUE(fresh) << "SDL scancodes " << it->second << " and " << scancode
                       << " share scan code " << key.scan;
  }
  EXPECT_GE(mapped, 100);
  EXPECT_EQ(Key(SDL_SCANCODE_UNKNOWN).vk, 0u);
  EXPECT_EQ(Key(SDL_SCANCODE_MUTE).vk, 0u);
}

}  // namespace
}  // namespace platform::sdl
