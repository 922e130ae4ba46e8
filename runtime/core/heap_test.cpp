#include "runtime/core/heap.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "runtime/core/app_state.h"

namespace runtime {
namespace {

// The application's constant data as a compiled program lays it out: an empty
// text and an empty byte set (1, 0) among other constants.
struct ConstantData {
  char empty_text[4] = {0, 0, 0, 0};
  int32_t empty_byte_set[2] = {1, 0};
  char greeting[8] = "hello";
};

class HeapTest : public testing::Test {
 protected:
  void SetUp() override { SetConstantData(App(), &constants_, sizeof constants_); }
  void TearDown() override { SetConstantData(App(), nullptr, 0); }
  ConstantData constants_;
};

TEST_F(HeapTest, FreeIgnoresNullAndConstantData) {
  MemFree(nullptr);
  MemFree(constants_.empty_text);
  MemFree(constants_.empty_byte_set);
  MemFree(constants_.greeting + 3);  // anywhere inside the range
  EXPECT_STREQ(constants_.greeting, "hello");
}

TEST_F(HeapTest, ResizingConstantDataCopiesIntoANewBlock) {
  auto copy = static_cast<char*>(MemRealloc(constants_.greeting, 6));
  ASSERT_NE(copy, constants_.greeting);
  EXPECT_FALSE(IsConstantData(copy));
  EXPECT_STREQ(copy, "hello");
  MemFree(copy);
}

TEST_F(HeapTest, ResizingConstantDataCopiesNoFurtherThanItsEnd) {
  // 64 bytes asked from 3 bytes before the end: only those 3 are copied.
  const char* tail = reinterpret_cast<const char*>(&constants_) + sizeof constants_ - 3;
  auto copy = static_cast<char*>(MemRealloc(const_cast<char*>(tail), 64));
  EXPECT_EQ(std::memcmp(copy, tail, 3), 0);
  MemFree(copy);
}

TEST_F(HeapTest, BlocksOutsideConstantDataResizeInPlaceOrMove) {
  auto block = static_cast<char*>(MemRealloc(nullptr, 4));
  std::memcpy(block, "abc", 4);
  block = static_cast<char*>(MemRealloc(block, 4096));
  EXPECT_STREQ(block, "abc");
  MemFree(block);
  void* empty = MemAlloc(0);
  EXPECT_NE(empty, nullptr);
  MemFree(empty);
}

// Caps this (child) process's address space at what it maps now plus 512
// MiB, so that the next large request fails while the small ones of the
// report's message box still succeed. Relative to the present size because a
// sanitizer build already maps terabytes of shadow memory.
void LimitAddressSpace() {
  unsigned long pages = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%lu", &pages) != 1) pages = 0;
    std::fclose(statm);
  }
  rlimit limit{};
  limit.rlim_cur = limit.rlim_max =
      pages * static_cast<unsigned long>(sysconf(_SC_PAGESIZE)) + (512ul << 20);
  setrlimit(RLIMIT_AS, &limit);
}

TEST(HeapDeathTest, ExhaustedHeapEndsTheProgramWithTheSize) {
  EXPECT_EXIT(
      {
        LimitAddressSpace();
        MemAlloc(2000000000u);
      },
      testing::ExitedWithCode(255),
      "^MessageBox: 错误: 运行时出错! 错误信息：分配 2000000000 字节内存失败!\n$");
}

TEST(HeapDeathTest, FailedResizeIsReportedLikeAllocation) {
  EXPECT_EXIT(
      {
        LimitAddressSpace();
        MemRealloc(MemAlloc(16), 0x90000000u);
      },
      testing::ExitedWithCode(255),
      "^MessageBox: 错误: 运行时出错! 错误信息：分配 -1879048192 字节内存失败!\n$");
}

}  // namespace
}  // namespace runtime
