// The framework in the runtime core's hooks: the start-up read of the
// template, the start window, the registry by position, idle events, window
// objects and the shut-down's deletion of the loaded windows.
#include "runtime/forms/framework.h"

#include <gtest/gtest.h>

#include <vector>

#include "runtime/core/app_state.h"
#include "runtime/core/hooks.h"
#include "runtime/core/startup.h"
#include "runtime/forms/loader_test_support.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/template_loading.h"
#include "runtime/forms/unit_record.h"

namespace runtime::forms_testing {
namespace {

constexpr uint32_t kBox = 0x16010001;

// Event 7 (idle) of the window to handler 1, event -1 of the box to handler 2.
forms::WindowTemplate BoundWindow(uint32_t window_id = kMainWindow, uint32_t box_type = kBoxType) {
  FormBuilder form(window_id);
  form.Window().bindings = {{forms::kWindowIdle, 1}};
  form.Unit(kBox, box_type, "box", 10, 10, 50, 20).bindings = {{-1, 2}, {-2, 0xFFFFFFFF}};
  return form.Build();
}

uint32_t BindingWord(const forms::LoadedWindow& window, int32_t index, uint32_t binding) {
  const auto record = window.units.RecordAt(index);
  const auto layout = forms::LocateUnitFields(record);
  return forms::RecordWord(record, layout->bindings + binding * 8 + 4);
}

class FrameworkTest : public LoaderTest {
 protected:
  // Start-up as the program runs it, up to the template read.
  void StartUp(const std::vector<forms::WindowTemplate>& windows) {
    program_ = std::make_unique<TestProgram>(windows);
    InitializeRuntime();
  }
};

TEST_F(FrameworkTest, TheTemplateReadRegistersEveryWindowWithRelocatedBindings) {
  StartUp({BoundWindow(), BoundWindow(kSecondWindow)});
  ASSERT_EQ(forms::Registry().Count(), 2);
  EXPECT_EQ(forms::Registry().At(0)->window_id, kMainWindow);
  EXPECT_EQ(forms::Registry().At(1)->window_id, kSecondWindow);
  const forms::LoadedWindow& window = Window();
  EXPECT_EQ(window.slots.size(), 2u);
  EXPECT_FALSE(window.loaded);
  EXPECT_EQ(BindingWord(window, 0, 0), 2u) << "handler 1 is kept as position + 1";
  EXPECT_EQ(BindingWord(window, 1, 0), 3u);
  EXPECT_EQ(BindingWord(window, 1, 1), 0u) << "no handler";
}

TEST_F(FrameworkTest, ADamagedSegmentOrABindingPastTheHandlerTableRegistersNothing) {
  program_ = std::make_unique<TestProgram>(std::vector{BoundWindow()});
  ProgramHeader cut = program_->header();
  cut.template_size -= 1;
  EXPECT_FALSE(forms::LoadTemplates(cut));
  EXPECT_EQ(forms::Registry().Count(), 0);

  FormBuilder form;
  form.Window().bindings = {{0, 1}, {3, kHandlerCount}};
  program_ = std::make_unique<TestProgram>(std::vector{BoundWindow(), form.Build()});
  EXPECT_FALSE(forms::LoadTemplates(program_->header()));
  EXPECT_EQ(forms::Registry().Count(), 0) << "not even the first, good window";
}

using FrameworkDeathTest = FrameworkTest;

TEST_F(FrameworkDeathTest, StartUpReportsADamagedSegment) {
  program_ = std::make_unique<TestProgram>(std::vector{BoundWindow()});
  static ProgramHeader cut;
  cut = program_->header();
  cut.template_size -= 4;
  App().header = &cut;
  EXPECT_EXIT(InitializeRuntime(), testing::ExitedWithCode(255),
              "^MessageBox: 错误: 运行时出错! 错误信息：载入窗口模板数据段出错!\n$");
}

TEST_F(FrameworkDeathTest, AStartWindowThatCannotBeLoadedIsReported) {
  StartUp({BoundWindow(kMainWindow, kMissingType)});
  EXPECT_EXIT(LoadStartWindow(kMainWindow), testing::ExitedWithCode(255),
              "^MessageBox: 错误: 运行时出错! 错误信息：载入启动窗口失败\n$");
  EXPECT_EXIT(LoadStartWindow(kSecondWindow), testing::ExitedWithCode(255), "载入启动窗口失败");
}

TEST_F(FrameworkTest, TheStartWindowIsLoadedAndTheRegistryAnswersByPositionAndId) {
  StartUp({PlainWindow(kSecondWindow, 300), BoundWindow()});
  LoadStartWindow(kMainWindow);
  HWND main = Window().Window();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(App().main_window, main);
  EXPECT_TRUE(Window().loaded);
  EXPECT_TRUE(IsWindowEnabled(main));
  const FrameworkHooks& hooks = Hooks();
  EXPECT_EQ(hooks.loaded_window_count(), 2);
  EXPECT_EQ(hooks.loaded_window_handle(0), nullptr) << "window 2 is not loaded";
  EXPECT_EQ(hooks.loaded_window_handle(1), main);
  EXPECT_EQ(hooks.registered_window_handle(kMainWindow), main);
  EXPECT_EQ(hooks.registered_window_handle(kSecondWindow), nullptr);
  EXPECT_EQ(hooks.find_window_object(main), &Window());
  EXPECT_EQ(hooks.find_window_object(UnitWindow(kMainWindow, kBox)), nullptr);
}

TEST_F(FrameworkTest, OnlyRegisteredWindowsFilterMessages) {
  StartUp({BoundWindow()});
  LoadStartWindow(kMainWindow);
  HWND box = UnitWindow(kMainWindow, kBox);
  MSG click{};
  click.hwnd = box;
  click.message = WM_LBUTTONDOWN;
  click.wParam = MK_LBUTTON;
  click.lParam = MAKELPARAM(3, 4);
  // The box's own object is offered the way a window names its object; it
  // is no loaded window and must not be taken for one.
  EXPECT_FALSE(Hooks().pre_translate(Window().LiveAt(1), &click));
  EXPECT_TRUE(HandlerCalls().empty());
  Hooks().pre_translate(&Window(), &click);
  ASSERT_EQ(HandlerCalls().size(), 1u) << "the window's filter raised the click";
  EXPECT_EQ(HandlerCalls()[0].position, 2);
}

TEST_F(FrameworkTest, TheIdleEventCarriesTheTimeAndAnswersTheHandlersValue) {
  StartUp({BoundWindow(), BoundWindow(kSecondWindow)});
  LoadStartWindow(kMainWindow);
  HandlerResults()[1] = {true, 1};
  EXPECT_EQ(Hooks().raise_idle_event(0, 250), 1);
  ASSERT_EQ(HandlerCalls().size(), 1u);
  EXPECT_EQ(HandlerCalls()[0].arguments, std::vector<uint32_t>{250});
  HandlerResults()[1] = {};
  EXPECT_EQ(Hooks().raise_idle_event(0, 300), 0) << "a handler that returns nothing declines";
  EXPECT_EQ(Hooks().raise_idle_event(1, 300), 0) << "a window that is not live";
  EXPECT_EQ(Hooks().raise_idle_event(7, 300), 0);
  EXPECT_EQ(HandlerCalls().size(), 2u);
}

TEST_F(FrameworkTest, DeletingTheLoadedWindowsDestroysEveryUnitAndEmptiesTheRegistry) {
  StartUp({BoundWindow(), BoundWindow(kSecondWindow)});
  LoadStartWindow(kMainWindow);
  ASSERT_TRUE(Load(kSecondWindow));
  ASSERT_EQ(CreatedUnits().size(), 4u);
  Hooks().delete_loaded_windows();
  for (const CreatedUnit& unit : CreatedUnits()) EXPECT_TRUE(unit.destroyed);
  EXPECT_EQ(forms::Registry().Count(), 0);
  EXPECT_EQ(Hooks().loaded_window_count(), 0);
}

}  // namespace
}  // namespace runtime::forms_testing
