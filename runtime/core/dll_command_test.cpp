// Calls of declared external-library routines, found in two copies of one
// test library that answer with their variant number.
#include "runtime/core/dll_command.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "runtime/core/app_state.h"
#include "runtime/core/entry_table.h"
#include "runtime/core/shutdown.h"
#include "runtime/core/test_support.h"

namespace runtime {
namespace {

class DllCommandTest : public testing::Test {
 protected:
  void TearDown() override { core_testing::ResetApp(); }

  // Replaces the declared routines, letting go of the libraries resolved so far.
  static void Declare(std::vector<DllRoutine> routines) {
    for (const DllRoutine& routine : App().dll_routines) {
      if (routine.module != nullptr) FreeLibrary(routine.module);
    }
    App().dll_routines = std::move(routines);
  }

  // Declares routine 0 as (file, routine) and calls it without arguments.
  static intptr_t CallDeclared(const char* file, const char* routine) {
    Declare({{file, routine}});
    return EntryTable().call_dll_command(0, 0, nullptr);
  }
};

TEST_F(DllCommandTest, LibraryDirectoryComesBeforeRunDirectoryBeforeModuleDirectory) {
  AppState& state = App();
  state.library_directory = MIENZO_TEST_DLL_DIR_1;
  state.run_directory = MIENZO_TEST_DLL_DIR_2;
  EXPECT_EQ(CallDeclared("testdll.dll", "TestDllVariant"), 1);
  state.library_directory.clear();
  EXPECT_EQ(CallDeclared("testdll.dll", "TestDllVariant"), 2);
  state.run_directory = "/nonexistent";
  state.module_directory = MIENZO_TEST_DLL_DIR_1 "/";
  EXPECT_EQ(CallDeclared("testdll.dll", "TestDllVariant"), 1);
  state.module_directory.clear();
  EXPECT_EQ(CallDeclared(MIENZO_TEST_DLL_DIR_2 "/testdll.dll", "TestDllVariant"), 2)
      << "a full path is taken as given";
}

TEST_F(DllCommandTest, ArgumentsArriveInOrderAndTheAddressIsKept) {
  App().run_directory = MIENZO_TEST_DLL_DIR_1;
  Declare({{"testdll.dll", "TestDllSum"}, {"testdll.dll", "TestDllDifference"}});
  const intptr_t twelve[kMaxDllArguments] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, -1};
  EXPECT_EQ(CallDllCommand(0, kMaxDllArguments, twelve), 66 - 12);
  const intptr_t two[2] = {50, 8};
  EXPECT_EQ(CallDllCommand(1, 2, two), 42);
  ASSERT_NE(App().dll_routines[1].module, nullptr);
  App().run_directory = "/nonexistent";
  EXPECT_EQ(CallDllCommand(1, 2, two), 42) << "resolved once, called directly afterwards";

  const std::string path = std::string(MIENZO_TEST_DLL_DIR_1) + "/testdll.dll";
  ASSERT_NE(GetModuleHandleA(path.c_str()), nullptr);
  Shutdown(0);
  EXPECT_TRUE(App().dll_routines.empty());
  EXPECT_EQ(GetModuleHandleA(path.c_str()), nullptr) << "shut-down freed the library";
}

TEST_F(DllCommandTest, RoutinesThatCannotBeFoundAreReported) {
  App().run_directory = MIENZO_TEST_DLL_DIR_1;
  EXPECT_EXIT(CallDeclared("testdll.dll", "Missing"), testing::ExitedWithCode(255),
              "^MessageBox: 错误: 运行时出错! "
              "错误信息：无法找到指定DLL库文件“testdll.dll”中的输出命令“Missing”\n$");
  EXPECT_EXIT(CallDeclared("testdll.dll", "#2"), testing::ExitedWithCode(255),
              "^MessageBox: 错误: 运行时出错! "
              "错误信息：无法找到指定DLL库文件“testdll.dll”中的输出命令“#2”\n$")
      << "no library here exports by ordinal";
  EXPECT_EXIT(
      CallDeclared("", "GetTickCount"), testing::ExitedWithCode(255),
      "^MessageBox: 错误: 运行时出错! 错误信息：无法找到指定DLL库文件中的输出命令“GetTickCount”\n$")
      << "there are no system libraries of these names";
  EXPECT_EXIT(CallDeclared("nowhere.dll", "TestDllVariant"), testing::ExitedWithCode(255),
              "^MessageBox: 错误: 运行时出错! "
              "错误信息：无法找到指定DLL库文件“nowhere.dll”中的输出命令“TestDllVariant”\n$");
  EXPECT_EXIT(EntryTable().call_dll_command(3, 0, nullptr), testing::ExitedWithCode(255),
              "^MessageBox: 错误: 运行时出错! 错误信息：无法找到指定DLL库文件中的输出命令“3”\n$")
      << "routine 3 was never declared";
}

TEST_F(DllCommandTest, TooManyArgumentsAreAMisuse) {
  App().run_directory = MIENZO_TEST_DLL_DIR_1;
  Declare({{"testdll.dll", "TestDllSum"}});
  const intptr_t thirteen[kMaxDllArguments + 1] = {};
  EXPECT_EXIT(
      CallDllCommand(0, kMaxDllArguments + 1, thirteen), testing::ExitedWithCode(255),
      "^MessageBox: 错误: 运行时出错! 错误代码：11 错误信息：所提供参数的数据类型不符合要求\n$");
}

}  // namespace
}  // namespace runtime
