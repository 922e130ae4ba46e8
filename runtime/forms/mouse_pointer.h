// Mouse-pointer data of unit records: a pointer number (0 the class cursor,
// 1..14 the system cursors) or a cursor file image, and the cursors made
// from it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/win32.h"

namespace runtime::forms {

// The cursor the data stands for; null for pointer number 0, empty data or
// data that makes no cursor. The caller destroys it with DestroyCursor when
// it came from a cursor file image (system cursors are shared).
HCURSOR CreatePointerCursor(std::span<const uint8_t> data);

// The first word of mouse-pointer data that says a cursor file image follows.
inline constexpr int32_t kPointerFileImage = -1;

// The application speaks pointer numbers (1 arrow ... 14 hand); records keep
// cursor handle numbers (the IDC_ values). Numbers of the other kind, 0 and
// -1 pass unchanged, so either form is accepted wherever one is expected.
int32_t PointerToHandleNumber(int32_t pointer);
int32_t HandleToPointerNumber(int32_t handle);

enum class PointerTranslation { kToHandleNumber, kToPointerNumber };

// A copy of `data` with its first word translated; data shorter than a word
// is copied unchanged (its single byte cannot hold a handle number).
std::vector<uint8_t> TranslatePointerData(std::span<const uint8_t> data,
                                          PointerTranslation direction);

// A cursor from the bytes of a .cur (or .ico) file: the entry of the system
// cursor size, else the first. Null when the bytes are no such file.
HCURSOR CursorFromFileImage(std::span<const uint8_t> image);

}  // namespace runtime::forms
