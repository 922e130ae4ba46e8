#include "runtime/core/heap.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "platform/win32.h"
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

namespace {

// The heap start-up kept; before start-up (tests, early failures) the same
// process heap asked for directly.
HANDLE RuntimeHeap() {
  HANDLE heap = App().process_heap;
  return heap != nullptr ? heap : GetProcessHeap();
}

}  // namespace

void* MemAlloc(uint32_t size) {
  // HeapAlloc gives a block for 0 bytes too, as the runtime promises.
  void* block = HeapAlloc(RuntimeHeap(), 0, size);
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
  void* resized = HeapReAlloc(RuntimeHeap(), 0, block, size);
  if (resized == nullptr) ReportOutOfMemory(size);
  return resized;
}

void MemFree(void* block) {
  if (block == nullptr || IsConstantData(block)) return;
  HeapFree(RuntimeHeap(), 0, block);
}

}  // namespace runtime
