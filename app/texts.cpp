#include "app/texts.h"

#include <cstring>
#include <limits>

#include "app/runtime_link.h"

namespace app {

int32_t TextLength(const char* text) {
  if (text == nullptr) return 0;
  const size_t length = std::strlen(text);
  constexpr auto kMost = static_cast<size_t>(std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(length < kMost ? length : kMost);
}

char* JoinTexts(std::initializer_list<const char*> parts) {
  // The allocator takes a 32-bit size: a join that would not fit ends at the
  // last byte that does instead of writing past its block.
  constexpr size_t kMostBytes = std::numeric_limits<int32_t>::max() - 1;
  size_t total = 0;
  for (const char* part : parts) total += static_cast<size_t>(TextLength(part));
  if (total > kMostBytes) total = kMostBytes;

  auto* joined = static_cast<char*>(MemAlloc(static_cast<uint32_t>(total + 1)));
  size_t at = 0;
  for (const char* part : parts) {
    const size_t room = total - at;
    size_t length = static_cast<size_t>(TextLength(part));
    if (length > room) length = room;
    if (length > 0) std::memcpy(joined + at, part, length);
    at += length;
  }
  joined[at] = '\0';
  return joined;
}

}  // namespace app
