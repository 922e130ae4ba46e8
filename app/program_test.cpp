#include "app/program.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app_constants.h"
#include "app/main_window_segment.h"
#include "runtime/core/runtime_library.h"

namespace app {
namespace {

TEST(ProgramTest, HandlerTableFollowsTheFormsHandlerOrder) {
  ASSERT_EQ(kMainWindowSegment_handler_count, 10u);
  for (size_t i = 0; i < kMainWindowSegment_handler_count; ++i) {
    ASSERT_NE(kHandlerTableNames[i], nullptr);
    EXPECT_EQ(std::string(kHandlerTableNames[i]), kMainWindowSegment_handler_names[i])
        << "position " << i;
    EXPECT_NE(kHandlerTable[i], nullptr);
  }
  EXPECT_EQ(kHandlerTable[10], nullptr) << "the table ends with a null entry";
  EXPECT_EQ(kHandlerTableNames[10], nullptr);
}

TEST(ProgramTest, HeaderNamesConstantsTemplateAndTheRuntimeLibrary) {
  const runtime::ProgramHeader& header = Program();
  EXPECT_EQ(header.run_mode, 3u);
  EXPECT_EQ(header.second_mode, 0u);
  EXPECT_EQ(header.counter_seed, 0x00010053u);
  EXPECT_EQ(header.code_base, kHandlerTable);
  EXPECT_EQ(header.constant_data, static_cast<const void*>(&Constants()));
  EXPECT_EQ(header.constant_size, 130u);
  EXPECT_EQ(header.template_segment, kMainWindowSegment);
  EXPECT_EQ(header.template_size, kMainWindowSegment_size);
  EXPECT_GT(header.template_size, 0u);
  ASSERT_EQ(header.library_count, 1u);
  EXPECT_EQ(header.libraries[0], &runtime::RuntimeLibrary());
  EXPECT_EQ(header.dll_routine_count, 0u);
  EXPECT_EQ(header.dll_file_names, nullptr);
}

}  // namespace
}  // namespace app
