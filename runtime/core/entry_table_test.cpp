// The entry and helper tables as the application calls them.
#include "runtime/core/entry_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "runtime/core/array_value.h"
#include "runtime/core/heap.h"
#include "runtime/core/hooks.h"
#include "runtime/core/test_support.h"
#include "tests/support/temp_dir.h"

namespace runtime {
namespace {

void SetFortyTwo(ValueRecord* result, int32_t count, ArgumentRecord*) {
  result->SetInt32(40 + count);
  result->type = type::kInt;
}

TEST(EntryTable, MemoryAndCommandEntriesServeTheApplication) {
  const RuntimeEntryTable& runtime = EntryTable();
  auto* block = static_cast<char*>(runtime.mem_alloc(4));
  std::memcpy(block, "abc", 4);
  block = static_cast<char*>(runtime.mem_realloc(block, 4096));
  EXPECT_STREQ(block, "abc");
  runtime.mem_free(block);
  ArgumentRecord args[2] = {IntValue(1), IntValue(2)};
  for (auto call : {runtime.call_command_too, runtime.call_command}) {
    ValueRecord result = call(SetFortyTwo, 2, args);
    EXPECT_EQ(result.AsInt32(), 42);
    EXPECT_EQ(result.type, type::kInt);
  }
  EXPECT_EQ(runtime.call_helper(7), 0) << "no such helper";
  EXPECT_EQ(runtime.call_helper(-1), 0);
}

void ExitA() {}
void ExitB() {}

TEST(EntryTable, ExitRoutineHelperKeepsEachRoutineOnce) {
  const RuntimeEntryTable& runtime = EntryTable();
  runtime.call_helper(3, ExitA);
  runtime.call_helper(3, ExitB);
  runtime.call_helper(3, ExitA);
  EXPECT_EQ(App().exit_routines, (std::vector<ExitRoutine>{ExitA, ExitB}));
  App().exit_routines.clear();
}

class FileSearchTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"b.txt", "a.txt", ".hidden.txt"}) std::ofstream(temp_.PathOf(name));
    std::filesystem::create_directory(temp_.PathOf("sub"));
  }
  // Every name the helpers find for `pattern`, in order.
  std::vector<std::string> FindAll(const std::string& pattern, int32_t mask,
                                   int32_t directories_only) {
    std::vector<std::string> names;
    HANDLE search = nullptr;
    const char* next_pattern = pattern.c_str();
    while (auto* name = reinterpret_cast<char*>(
               EntryTable().call_helper(0, next_pattern, mask, directories_only, &search))) {
      names.emplace_back(name);
      MemFree(name);
      next_pattern = "";
    }
    EXPECT_EQ(search, nullptr) << "the search is closed after its last name";
    return names;
  }
  testing_support::TempDir temp_;
};

TEST_F(FileSearchTest, AttributeMaskSelectsHiddenFilesAndDirectories) {
  const std::string all = temp_.PathOf("*");
  using Names = std::vector<std::string>;
  EXPECT_EQ(FindAll(all, 0, 0), (Names{"a.txt", "b.txt"})) << "plain files only, no dot entries";
  EXPECT_EQ(FindAll(all, 0x10, 0), (Names{"a.txt", "b.txt", "sub"}));
  EXPECT_EQ(FindAll(all, 0x02, 0), (Names{".hidden.txt", "a.txt", "b.txt"}));
  EXPECT_EQ(FindAll(all, 0xFFFFFFC0, 0), (Names{"a.txt", "b.txt"})) << "bits past 0x37 count not";
  EXPECT_EQ(FindAll(all, 0, 1), (Names{"sub"}));
  EXPECT_EQ(FindAll(temp_.PathOf("*.png"), 0x37, 0), Names{});
}

TEST_F(FileSearchTest, NewPatternReplacesTheOpenSearchAndCloseTakesAnyHandle) {
  HANDLE search = nullptr;
  auto* first = reinterpret_cast<char*>(
      EntryTable().call_helper(0, temp_.PathOf("*.txt").c_str(), 0, 0, &search));
  ASSERT_NE(search, nullptr);
  MemFree(first);
  auto* again = reinterpret_cast<char*>(
      EntryTable().call_helper(0, temp_.PathOf("b*").c_str(), 0, 0, &search));
  EXPECT_STREQ(again, "b.txt");
  MemFree(again);
  EntryTable().call_helper(1, search);
  EntryTable().call_helper(1, HANDLE{nullptr});
  HANDLE none = nullptr;
  EXPECT_EQ(EntryTable().call_helper(0, "", 0, 0, &none), 0) << "nothing to continue";
}

int32_t IntAt(const void* array, size_t index) { return ArrayElementAt<int32_t>(array, index); }

TEST(GrowArrayHelper, AppendsZeroedElementsAsOneDimension) {
  void* array = nullptr;
  EntryTable().call_helper(2, 2, &array, type::kInt);
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(ArrayElementCount(array), 2u);
  SetArrayElement<int32_t>(array, 0, 5);
  SetArrayElement<int32_t>(array, 1, 6);
  EntryTable().call_helper(2, 0, &array, type::kInt);  // nothing to add
  EntryTable().call_helper(2, 1, &array, type::kInt);
  ASSERT_EQ(ArrayDimensions(array).size(), 1u);
  EXPECT_EQ(ArrayDimensions(array)[0], 3);
  EXPECT_EQ(IntAt(array, 0), 5);
  EXPECT_EQ(IntAt(array, 1), 6);
  EXPECT_EQ(IntAt(array, 2), 0);
  FreeArray(array, type::kInt);

  const int32_t sizes[] = {2, 3};
  void* grid = MakeArray(type::kDouble, sizes);
  SetArrayElement<double>(grid, 5, 2.5);
  EntryTable().call_helper(2, 1, &grid, type::kDouble);
  ASSERT_EQ(ArrayDimensions(grid).size(), 1u);
  EXPECT_EQ(ArrayDimensions(grid)[0], 7);
  EXPECT_EQ(ArrayElementAt<double>(grid, 5), 2.5) << "elements move down with the header";
  EXPECT_EQ(ArrayElementAt<double>(grid, 6), 0.0);
  FreeArray(grid, type::kDouble);
}

TEST(GrowArrayHelper, ArrayInConstantDataIsCopiedNotWritten) {
  const int32_t constant[3] = {1, 1, 9};  // one dimension, one element: 9
  SetConstantData(App(), constant, sizeof constant);
  void* array = const_cast<int32_t*>(constant);
  EntryTable().call_helper(2, 1, &array, type::kInt);
  EXPECT_NE(array, static_cast<const void*>(constant));
  EXPECT_EQ(IntAt(array, 0), 9);
  EXPECT_EQ(constant[1], 1) << "the constant array is untouched";
  FreeArray(array, type::kInt);
  SetConstantData(App(), nullptr, 0);
}

TEST(GrowArrayHelperDeathTest, GrowingPastTheHeapsRangeIsExhaustedMemory) {
  void* array = nullptr;
  EXPECT_EXIT(EntryTable().call_helper(2, 0x7FFFFFFF, &array, type::kLong),
              testing::ExitedWithCode(255),
              "^MessageBox: 错误: 运行时出错! 错误信息：分配 -1 字节内存失败!\n$");
}

TEST(PropertyEntryDeathTest, WithoutTheWindowFrameworkNoWindowIsRegistered) {
  EXPECT_EXIT(EntryTable().read_property(0x52010001, 0x16010005, 2, -1),
              testing::ExitedWithCode(255),
              "^MessageBox: 错误: 运行时出错! 错误信息：未载入欲访问窗口组件所在的窗口\n$");
  EXPECT_EXIT(EntryTable().write_property(0x52010001, 0x16010005, 2, -1, 10, 0),
              testing::ExitedWithCode(255),
              "^MessageBox: 错误: 运行时出错! 错误信息：未载入欲访问窗口组件所在的窗口\n$");
}

std::string g_access;
uint64_t ReadHook(uint32_t window, uint32_t unit, int32_t index, int32_t sub) {
  g_access = std::to_string(window) + "/" + std::to_string(unit) + "/" + std::to_string(index) +
             "/" + std::to_string(sub);
  return 0x1122334455667788u;
}
void WriteHook(uint32_t window, uint32_t unit, int32_t index, int32_t sub, uint32_t low,
               uint32_t high) {
  g_access = std::to_string(window) + "/" + std::to_string(unit) + "/" + std::to_string(index) +
             "/" + std::to_string(sub) + "=" + std::to_string(low) + "," + std::to_string(high);
}

TEST(PropertyHelpers, UnitReferenceNamesTheWindowAndTheUnit) {
  Hooks().read_property = ReadHook;
  Hooks().write_property = WriteHook;
  const ValueRecord unit = UnitReference(7, 9, 0x00010008);
  EXPECT_EQ(static_cast<uint64_t>(EntryTable().call_helper(4, TypeCode{0x00010008}, &unit, 16, -1)),
            0x1122334455667788u);
  EXPECT_EQ(g_access, "7/9/16/-1");
  EntryTable().call_helper(5, TypeCode{0x00010008}, &unit, 17, -1, 0x00FF00FFu, 0u);
  EXPECT_EQ(g_access, "7/9/17/-1=16711935,0");
  Hooks() = FrameworkHooks{};
}

}  // namespace
}  // namespace runtime
