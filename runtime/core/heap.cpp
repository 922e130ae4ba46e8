#include "runtime/core/heap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "runtime/core/app_state.h"
#include "runtime/core/error_report.h"

namespace runtime {

bool IsConstantData(const void* block) {
  const AppState& state = App();
  if (block == nullptr || state.constant_begin == nullptr) return false;
  auto p = static_cast<const char*>(block);
  // std::less gives a total order even for pointers into different objects.
  std::less<const char*> before;
  return !before(p, state.constant_begin) && before(p, state.constant_end);
}

void* MemAlloc(uint32_t size) {
  // malloc(0) may return null; the runtime promises a block.
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) ReportOutOfMemory(size);
  return block;
}

void* MemRealloc(void* block, uint32_t size) {
  if (block == nullptr) return MemAlloc(size);
  if (IsConstantData(block)) {
    auto source = static_cast<const char*>(block);
    size_t available = static_cast<size_t>(App().constant_end - source);
    void* copy = MemAlloc(size);
    std::memcpy(copy, source, std::min<size_t>(size, available));
    return copy;
  }
  void* resized = std::realloc(block, size == 0 ? 1 : size);
  if (resized == nullptr) ReportOutOfMemory(size);
  return resized;
}

void MemFree(void* block) {
  if (block == nullptr || IsConstantData(block)) return;
  std::free(block);
}

}  // namespace runtime
