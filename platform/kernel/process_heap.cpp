// The process heap over the C heap: the runtime allocates every value that
// crosses to the application here, and the C heap already is one per process.
#include <malloc.h>

#include <cstdlib>
#include <cstring>

#include "platform/win32.h"

namespace {

// Odd, so it can never equal a kernel table handle (those are multiples of 4).
const HANDLE kProcessHeap = reinterpret_cast<HANDLE>(uintptr_t{0x00510001});

bool IsProcessHeap(HANDLE heap) {
  if (heap == kProcessHeap) return true;
  SetLastError(ERROR_INVALID_HANDLE);
  return false;
}

}  // namespace

HANDLE GetProcessHeap() { return kProcessHeap; }

LPVOID HeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T dwBytes) {
  if (!IsProcessHeap(hHeap)) return nullptr;
  // The C heap may answer 0 bytes with null; Windows gives a block.
  const size_t bytes = dwBytes == 0 ? 1 : dwBytes;
  return (dwFlags & HEAP_ZERO_MEMORY) ? std::calloc(1, bytes) : std::malloc(bytes);
}

LPVOID HeapReAlloc(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem, SIZE_T dwBytes) {
  if (!IsProcessHeap(hHeap)) return nullptr;
  if (lpMem == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const size_t bytes = dwBytes == 0 ? 1 : dwBytes;
  const bool zero = (dwFlags & HEAP_ZERO_MEMORY) != 0;
  const size_t old_size = zero ? ::malloc_usable_size(lpMem) : 0;
  void* resized = std::realloc(lpMem, bytes);
  if (resized != nullptr && zero && old_size < bytes) {
    std::memset(static_cast<char*>(resized) + old_size, 0, bytes - old_size);
  }
  return resized;
}

BOOL HeapFree(HANDLE hHeap, DWORD, LPVOID lpMem) {
  if (!IsProcessHeap(hHeap)) return FALSE;
  std::free(lpMem);
  return TRUE;
}
