// The runtime heap: every text value, byte set and array that crosses the
// boundary between the application and the runtime comes from here.
//
// Blocks inside the application's constant data (the range kept in the
// application state) are never freed or resized in place, so the application
// can pass its constant empty text and empty byte set wherever an owned value
// is expected.
#pragma once

#include <cstdint>

namespace runtime {

// Never returns null for a non-zero size: failure ends the process through
// the run-time error report ("分配 %d 字节内存失败!"). A size of 0 gives a
// valid, unique block that must still be freed.
void* MemAlloc(uint32_t size);

// Null behaves as MemAlloc. A block in constant data is copied into a fresh
// block of `size` bytes (as many bytes as lie between it and the end of the
// constant data, at most `size`). Other blocks are resized by the heap.
void* MemRealloc(void* block, uint32_t size);

// Ignores null and blocks in constant data.
void MemFree(void* block);

bool IsConstantData(const void* block);

}  // namespace runtime
