// GlobalAlloc and friends: the memory the clipboard trades in.
//
// Every block is registered, so a handle that was freed, never existed or
// names something else is refused instead of being dereferenced. A fixed
// block's handle is its address; a moveable block's handle is a value that no
// allocation can have (4 past a multiple of 16, while malloc's addresses are
// multiples of 8 at least), so the two never collide.
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/win32.h"

namespace platform {

namespace {

constexpr UINT kKnownFlags = GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE;
constexpr uintptr_t kMoveableBase = 0x10000;
constexpr uintptr_t kMoveableStep = 16;
constexpr uintptr_t kMoveableTag = 4;

struct GlobalBlock {
  void* memory = nullptr;  // null for a discarded (0-byte) moveable block
  SIZE_T size = 0;         // as asked for
  bool moveable = false;
  UINT locks = 0;  // moveable blocks only
};

struct GlobalMemory {
  std::mutex mutex;
  std::unordered_map<uintptr_t, GlobalBlock> blocks;
  uintptr_t next_moveable = kMoveableBase + kMoveableTag;
};

GlobalMemory& Globals() {
  static GlobalMemory* globals = new GlobalMemory;  // outlives static destructors
  return *globals;
}

uintptr_t Key(HGLOBAL h) { return reinterpret_cast<uintptr_t>(h); }

// The block behind a handle, with the lock held; null (and the last error)
// when there is none.
GlobalBlock* FindLocked(GlobalMemory& g, HGLOBAL h) {
  auto it = g.blocks.find(Key(h));
  if (it == g.blocks.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return &it->second;
}

void* Allocate(SIZE_T bytes, bool zero) {
  size_t n = bytes == 0 ? 1 : bytes;  // a fixed block of 0 bytes still has an address
  return zero ? std::calloc(1, n) : std::malloc(n);
}

}  // namespace

}  // namespace platform

using platform::Globals;

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
  if (uFlags & ~platform::kKnownFlags) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  bool moveable = (uFlags & GMEM_MOVEABLE) != 0;
  platform::GlobalBlock block;
  block.size = dwBytes;
  block.moveable = moveable;
  if (!moveable || dwBytes > 0) {
    block.memory = platform::Allocate(dwBytes, (uFlags & GMEM_ZEROINIT) != 0);
    if (block.memory == nullptr) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
  }
  auto& g = Globals();
  std::lock_guard lock(g.mutex);
  uintptr_t key = reinterpret_cast<uintptr_t>(block.memory);
  if (moveable) {
    key = g.next_moveable;
    g.next_moveable += platform::kMoveableStep;  // never reused: a stale handle stays stale
  }
  g.blocks.emplace(key, block);
  return reinterpret_cast<HGLOBAL>(key);
}

LPVOID GlobalLock(HGLOBAL hMem) {
  auto& g = Globals();
  std::lock_guard lock(g.mutex);
  platform::GlobalBlock* block = platform::FindLocked(g, hMem);
  if (block == nullptr) return nullptr;
  if (!block->moveable) return block->memory;
  if (block->memory == nullptr) {
    SetLastError(ERROR_DISCARDED);
    return nullptr;
  }
  ++block->locks;
  return block->memory;
}

BOOL GlobalUnlock(HGLOBAL hMem) {
  auto& g = Globals();
  std::lock_guard lock(g.mutex);
  platform::GlobalBlock* block = platform::FindLocked(g, hMem);
  if (block == nullptr) return FALSE;
  if (!block->moveable) return TRUE;
  if (block->locks == 0) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  if (--block->locks > 0) return TRUE;
  SetLastError(ERROR_SUCCESS);
  return FALSE;
}

HGLOBAL GlobalFree(HGLOBAL hMem) {
  if (hMem == nullptr) return nullptr;
  void* memory = nullptr;
  {
    auto& g = Globals();
    std::lock_guard lock(g.mutex);
    platform::GlobalBlock* block = platform::FindLocked(g, hMem);
    if (block == nullptr) return hMem;
    memory = block->memory;
    g.blocks.erase(platform::Key(hMem));
  }
  std::free(memory);
  return nullptr;
}

SIZE_T GlobalSize(HGLOBAL hMem) {
  auto& g = Globals();
  std::lock_guard lock(g.mutex);
  platform::GlobalBlock* block = platform::FindLocked(g, hMem);
  return block ? block->size : 0;
}
