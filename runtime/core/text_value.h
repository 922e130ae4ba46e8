// Text values: NUL-terminated GBK bytes on the runtime heap. Null is the
// empty text. The receiver of a text value owns it and frees it with MemFree.
#pragma once

#include <cstddef>
#include <string_view>

namespace runtime {

// A new text value holding a copy of `source`; null when source is null or
// empty.
char* MakeText(const char* source);
char* MakeText(std::string_view source);

// The text a text value stands for; null reads as "".
inline const char* TextOrEmpty(const char* text) { return text ? text : ""; }

}  // namespace runtime
