// Start-up and shut-down in process: what each step leaves behind.
#include "runtime/core/startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/display/headless.h"
#include "runtime/core/app_state.h"
#include "runtime/core/heap.h"
#include "runtime/core/hidden_owner.h"
#include "runtime/core/hooks.h"
#include "runtime/core/idle.h"
#include "runtime/core/runtime_library.h"
#include "runtime/core/shutdown.h"
#include "runtime/core/test_support.h"

namespace runtime {
namespace {

std::vector<std::string> g_steps;

intptr_t Services(int32_t, intptr_t, intptr_t) { return 0; }

int32_t RecordNotify(int32_t code, intptr_t first, intptr_t second) {
  g_steps.push_back(
      "notify " + std::to_string(code) + " " +
      (first == reinterpret_cast<intptr_t>(Services) ? "services" : std::to_string(first)) + " " +
      std::to_string(second));
  return code == 1 ? 42 : -1;
}

bool RecordTemplates(const ProgramHeader& header) {
  g_steps.push_back("templates " + std::to_string(header.template_size));
  return true;
}

LibraryDescriptor RecordingLibrary() {
  LibraryDescriptor library{};
  library.format = kLibraryFormat;
  library.notify = RecordNotify;
  return library;
}

class StartupTest : public testing::Test {
 protected:
  void SetUp() override {
    g_steps.clear();
    libraries_[0] = &RuntimeLibrary();
    libraries_[1] = nullptr;  // an empty slot keeps its library number
    libraries_[2] = &recording_;
    header_.run_mode = 3;
    header_.second_mode = 7;
    header_.counter_seed = 0x00010053;
    header_.constant_data = constants_;
    header_.constant_size = sizeof constants_;
    header_.template_segment = segment_;
    header_.template_size = sizeof segment_;
    header_.library_count = 3;
    header_.libraries = libraries_;
    header_.dll_routine_count = 2;
    header_.dll_file_names = dll_files_;
    header_.dll_routine_names = dll_routines_;
    Hooks().system_service = Services;
    Hooks().load_templates = RecordTemplates;
    App().header = &header_;
    GetCurrentDirectoryA(sizeof previous_directory_, previous_directory_);
  }
  void TearDown() override {
    SetCurrentDirectoryA(previous_directory_);
    core_testing::ResetApp();
    Hooks() = FrameworkHooks{};
  }

  platform::HeadlessDisplay display_;
  char constants_[16] = "constants";
  uint8_t segment_[12] = {};
  const char* dll_files_[2] = {"a.dll", ""};
  const char* dll_routines_[2] = {"First", "#3"};
  LibraryDescriptor recording_ = RecordingLibrary();
  const LibraryDescriptor* libraries_[3] = {};
  ProgramHeader header_{};
  char previous_directory_[4096] = {};
};

TEST_F(StartupTest, InitialisationKeepsWhatTheHeaderSaysAndEntersTheRunDirectory) {
  InitializeRuntime();
  const AppState& state = App();
  EXPECT_EQ(state.process_heap, GetProcessHeap());
  EXPECT_EQ(state.run_mode, 3u);
  EXPECT_EQ(state.second_mode, 7u);
  EXPECT_EQ(NextRuntimeNumber(App()), 0x00010054u) << "numbers start after the seed";
  EXPECT_EQ(NextRuntimeNumber(App()), 0x00010055u);
  EXPECT_TRUE(state.ole_initialized);
  EXPECT_EQ(OleInitialize(nullptr), S_FALSE) << "start-up initialised OLE on this thread";
  OleUninitialize();

  char current[4096] = {};
  GetCurrentDirectoryA(sizeof current, current);
  EXPECT_EQ(std::string(current), state.run_directory);
  EXPECT_FALSE(state.program_file_name.empty());
  EXPECT_EQ(state.main_thread_id, GetCurrentThreadId());

  EXPECT_TRUE(IsConstantData(constants_ + 15));
  EXPECT_FALSE(IsConstantData(constants_ + 16));
  ASSERT_EQ(state.dll_routines.size(), 2u);
  EXPECT_STREQ(state.dll_routines[1].routine_name, "#3");
  EXPECT_EQ(state.dll_routines[1].address, nullptr) << "resolved only when first called";

  ASSERT_EQ(state.libraries.size(), 3u);
  EXPECT_EQ(state.libraries[2].private_value, 42);
  EXPECT_EQ(LibraryServices(), Services) << "the runtime's own library keeps the services";
  EXPECT_EQ(g_steps, (std::vector<std::string>{"notify 1 services 0", "templates 12"}));
}

TEST_F(StartupTest, HiddenOwnerWindowIsAnInvisibleToolWindowOfItsOwnClass) {
  InitializeRuntime();
  HWND owner = App().hidden_owner;
  ASSERT_TRUE(IsWindow(owner));
  char name[32] = {};
  GetClassNameA(owner, name, sizeof name);
  EXPECT_STREQ(name, kHiddenOwnerClass);
  EXPECT_FALSE(IsWindowVisible(owner));
  EXPECT_TRUE(GetWindowLongA(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(GetWindowLongA(owner, GWL_STYLE) & (WS_VISIBLE | WS_CHILD | WS_POPUP));
  RECT rect{1, 1, 1, 1};
  GetWindowRect(owner, &rect);
  EXPECT_EQ(rect.right - rect.left, 0);
  EXPECT_EQ(rect.bottom - rect.top, 0);
  EXPECT_EQ(GetClassLongPtrA(owner, GCLP_HCURSOR),
            reinterpret_cast<ULONG_PTR>(LoadCursorA(nullptr, IDC_ARROW)));
  EXPECT_EQ(GetClassLongPtrA(owner, GCLP_HBRBACKGROUND),
            reinterpret_cast<ULONG_PTR>(GetStockObject(NULL_BRUSH)));

  InitializeRuntime();
  EXPECT_EQ(App().hidden_owner, owner) << "start-up runs once";
  EXPECT_EQ(g_steps.size(), 2u);
}

TEST_F(StartupTest, EmptyTemplateIsNotReadAndMissingTablesDeclareNothingReadable) {
  header_.template_size = 0;
  header_.dll_file_names = nullptr;
  header_.libraries = nullptr;
  InitializeRuntime();
  EXPECT_EQ(g_steps, std::vector<std::string>{}) << "no library and no template was asked";
  ASSERT_EQ(App().dll_routines.size(), 2u);
  EXPECT_EQ(App().dll_routines[0].file_name, nullptr);
  EXPECT_EQ(App().libraries.size(), 3u);
}

void FirstExit() { g_steps.push_back("exit first"); }
void SecondExit() {
  g_steps.push_back("exit second");
  Shutdown(3);  // asked again while running: returns at once
}
void DeleteWindows() { g_steps.push_back("delete windows"); }
void NeverCalled(intptr_t) { g_steps.push_back("idle callback"); }

TEST_F(StartupTest, ShutDownRunsItsStepsInOrderOnce) {
  InitializeRuntime();
  Hooks().delete_loaded_windows = DeleteWindows;
  RegisterExitRoutine(FirstExit);
  RegisterExitRoutine(SecondExit);
  RegisterExitRoutine(FirstExit);
  RegisterExitRoutine(nullptr);
  RegisterIdleCallback(App().hidden_owner, NeverCalled, 0);
  g_steps.clear();

  Shutdown(0);
  EXPECT_EQ(g_steps, (std::vector<std::string>{"delete windows", "exit first", "exit second",
                                               "notify 6 42 0"}));
  const AppState& state = App();
  EXPECT_GE(state.event_suppression, 1);
  EXPECT_TRUE(state.shutdown_running);
  EXPECT_TRUE(state.idle_callbacks.empty());
  EXPECT_TRUE(state.exit_routines.empty());
  EXPECT_TRUE(state.libraries.empty());
  EXPECT_TRUE(state.dll_routines.empty());
  EXPECT_FALSE(state.ole_initialized);
  EXPECT_EQ(OleInitialize(nullptr), S_OK) << "shut-down ended OLE";
  OleUninitialize();

  g_steps.clear();
  Shutdown(0);
  EXPECT_TRUE(g_steps.empty()) << "a second shut-down does nothing";
}

TEST(ProgramPath, ModuleDirectoryKeepsItsSeparator) {
  AppState state;
  RecordProgramPath(state);
  RecordModuleDirectory(state);
  EXPECT_EQ(state.module_directory, state.run_directory + "/");
}

}  // namespace
}  // namespace runtime
