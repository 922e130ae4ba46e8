#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32.h"

namespace {

TEST(ProcessHeap, AllocatesZeroesAndGrowsBlocks) {
  HANDLE heap = GetProcessHeap();
  ASSERT_NE(heap, nullptr);
  EXPECT_EQ(GetProcessHeap(), heap) << "one heap per process";
  EXPECT_FALSE(CloseHandle(heap)) << "the heap is no kernel object";

  void* empty = HeapAlloc(heap, 0, 0);
  EXPECT_NE(empty, nullptr) << "0 bytes still give a block";
  EXPECT_TRUE(HeapFree(heap, 0, empty));

  auto* zeroed = static_cast<unsigned char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 16));
  ASSERT_NE(zeroed, nullptr);
  for (int i = 0; i < 16; ++i) ASSERT_EQ(zeroed[i], 0) << "byte " << i;
  std::memset(zeroed, 0xAB, 16);
  zeroed = static_cast<unsigned char*>(HeapReAlloc(heap, HEAP_ZERO_MEMORY, zeroed, 4096));
  ASSERT_NE(zeroed, nullptr);
  EXPECT_EQ(zeroed[15], 0xAB) << "growing keeps the old bytes";
  EXPECT_EQ(zeroed[16], 0) << "and zeroes the new ones";
  EXPECT_EQ(zeroed[4095], 0);
  EXPECT_TRUE(HeapFree(heap, 0, zeroed));
  EXPECT_TRUE(HeapFree(heap, 0, nullptr));

  auto* plain = static_cast<char*>(HeapAlloc(heap, 0, 4));
  std::memcpy(plain, "abc", 4);
  plain = static_cast<char*>(HeapReAlloc(heap, 0, plain, 1 << 20));
  ASSERT_NE(plain, nullptr);
  EXPECT_STREQ(plain, "abc") << "without HEAP_ZERO_MEMORY the bytes stay as they were";
  EXPECT_TRUE(HeapFree(heap, 0, plain));
}

TEST(ProcessHeap, RefusesOtherHandlesAndNullBlocks) {
  HANDLE other = reinterpret_cast<HANDLE>(uintptr_t{8});
  SetLastError(0);
  EXPECT_EQ(HeapAlloc(other, 0, 8), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(HeapFree(other, 0, nullptr));
  EXPECT_EQ(HeapReAlloc(GetProcessHeap(), 0, nullptr, 8), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
