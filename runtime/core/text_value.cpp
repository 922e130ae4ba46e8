#include "runtime/core/text_value.h"

#include <cstring>

#include "runtime/core/heap.h"

namespace runtime {

char* MakeText(std::string_view source) {
  if (source.empty()) return nullptr;
  // A text value ends at its first NUL; bytes after one are not part of it.
  source = source.substr(0, std::min(source.size(), source.find('\0')));
  if (source.empty()) return nullptr;
  auto text = static_cast<char*>(MemAlloc(static_cast<uint32_t>(source.size() + 1)));
  std::memcpy(text, source.data(), source.size());
  text[source.size()] = '\0';
  return text;
}

char* MakeText(const char* source) { return source ? MakeText(std::string_view(source)) : nullptr; }

}  // namespace runtime
