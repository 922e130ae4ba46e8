// The clipboard's text formats and how they turn into each other: CF_TEXT and
// CF_OEMTEXT hold GBK, CF_UNICODETEXT UTF-16, both NUL-terminated with
// "\r\n" line ends; the desktop holds UTF-8 with "\n".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/win32.h"

namespace platform::user::clipboard {

bool IsTextFormat(UINT format);

// The text of a global-memory handle of a text format, as UTF-8: up to its
// first NUL and never past the block's size, so a block without a NUL is
// still read safely. Nothing for a bad handle.
std::optional<std::string> ReadText(UINT format, HANDLE handle);

// A new moveable block holding `utf8` in `format`, NUL-terminated; null when
// memory runs out.
HGLOBAL MakeText(UINT format, std::string_view utf8);

std::string ToDesktopLineEnds(std::string_view text);    // "\r\n" -> "\n"
std::string FromDesktopLineEnds(std::string_view text);  // a lone "\n" -> "\r\n"

// UTF-16 <-> UTF-8. Unpaired surrogates and malformed UTF-8 become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace platform::user::clipboard
