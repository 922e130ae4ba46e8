#include "runtime/forms/loader_test_support.h"

#include "runtime/core/app_state.h"
#include "runtime/core/hooks.h"
#include "runtime/core/test_support.h"
#include "runtime/forms/framework.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/template_loading.h"

namespace runtime::forms_testing {

LoaderTest::LoaderTest() { forms::InstallFormsFramework(); }

void LoaderTest::TearDown() {
  forms::DeleteLoadedWindows();
  TakeQuit();
  Hooks() = FrameworkHooks{};
  core_testing::ResetApp();
  App().current_event_source = {};
  program_.reset();
}

void LoaderTest::Register(const std::vector<forms::WindowTemplate>& windows) {
  program_ = std::make_unique<TestProgram>(windows);
  ASSERT_TRUE(forms::LoadTemplates(program_->header()));
}

void LoaderTest::Register(const std::vector<forms::WindowTemplate>& windows,
                          const std::vector<TestProgram::RealType>& real_types) {
  program_ = std::make_unique<TestProgram>(windows, real_types);
  ASSERT_TRUE(forms::LoadTemplates(program_->header()));
}

forms::LoadedWindow& LoaderTest::Window(uint32_t window_id) {
  forms::LoadedWindow* window = forms::Registry().Find(window_id);
  EXPECT_NE(window, nullptr);
  return *window;
}

bool LoaderTest::Load(uint32_t window_id, const forms::LoadOptions& options) {
  return forms::LoadForm(Window(window_id), options);
}

HWND LoaderTest::UnitWindow(uint32_t window_id, uint32_t unit_id) {
  const forms::LoadedWindow& window = Window(window_id);
  const forms::UnitObject* unit = window.LiveAt(window.units.IndexOf(unit_id));
  return unit != nullptr ? unit->window : nullptr;
}

bool LoaderTest::TakeQuit() {
  MSG msg{};
  bool found = false;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) found = true;
  return found;
}

forms::WindowTemplate PlainWindow(uint32_t window_id, int32_t x) {
  FormBuilder form(window_id);
  form.Window(x, 50, 200, 150);
  return form.Build();
}

}  // namespace runtime::forms_testing
