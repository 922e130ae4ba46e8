// GlobalAlloc and friends: handles, lock counts, sizes, and refusing what is
// not a live block.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32.h"

namespace {

TEST(GlobalMemory, MoveableBlocksCountTheirLocks) {
  HGLOBAL h = GlobalAlloc(GHND, 10);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalSize(h), 10u);
  auto* bytes = static_cast<unsigned char*>(GlobalLock(h));
  ASSERT_NE(bytes, nullptr);
  EXPECT_NE(static_cast<void*>(bytes), static_cast<void*>(h)) << "a handle, not the address";
  for (int i = 0; i < 10; ++i) EXPECT_EQ(bytes[i], 0) << "GMEM_ZEROINIT, byte " << i;
  EXPECT_EQ(GlobalLock(h), bytes) << "locked twice: the same address";
  EXPECT_TRUE(GlobalUnlock(h)) << "one lock left";
  SetLastError(ERROR_INVALID_HANDLE);
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << "the last lock went";
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
  EXPECT_EQ(GlobalFree(h), nullptr);
}

TEST(GlobalMemory, FixedBlocksAreTheirOwnAddress) {
  HGLOBAL h = GlobalAlloc(GPTR, 4);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalLock(h), static_cast<void*>(h));
  EXPECT_TRUE(GlobalUnlock(h)) << "a fixed block always answers TRUE";
  std::memcpy(h, "abc", 4);
  EXPECT_EQ(GlobalSize(h), 4u);
  HGLOBAL empty = GlobalAlloc(GMEM_FIXED, 0);
  EXPECT_NE(empty, nullptr) << "even 0 bytes have an address";
  EXPECT_EQ(GlobalSize(empty), 0u);
  EXPECT_EQ(GlobalFree(empty), nullptr);
  EXPECT_EQ(GlobalFree(h), nullptr);
}

TEST(GlobalMemory, StaleForeignAndDiscardedHandlesAreRefused) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 8);
  ASSERT_NE(h, nullptr);
  GlobalLock(h);
  EXPECT_EQ(GlobalFree(h), nullptr) << "a locked block is freed too";
  EXPECT_EQ(GlobalLock(h), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GlobalSize(h), 0u);
  EXPECT_EQ(GlobalFree(h), h) << "freeing twice fails and hands the handle back";
  int on_stack = 0;
  EXPECT_EQ(GlobalSize(&on_stack), 0u);
  EXPECT_EQ(GlobalFree(nullptr), nullptr);
  HGLOBAL discarded = GlobalAlloc(GMEM_MOVEABLE, 0);
  ASSERT_NE(discarded, nullptr);
  EXPECT_EQ(GlobalLock(discarded), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISCARDED));
  EXPECT_EQ(GlobalFree(discarded), nullptr);
  EXPECT_EQ(GlobalAlloc(0x8000, 4), nullptr) << "unknown flags";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SIZE_T huge = ~static_cast<SIZE_T>(0) / 2;
  EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, huge), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
}

}  // namespace
