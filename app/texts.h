// The application's two text helpers. An absent (null) text counts as empty.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace app {

// Bytes before the terminating NUL; 0 for an absent text.
int32_t TextLength(const char* text);

// A fresh text from the runtime allocator holding `parts` one after another;
// never absent, so joining only empty parts gives a text of length 0. The
// caller frees it with MemFree.
char* JoinTexts(std::initializer_list<const char*> parts);

}  // namespace app
