// The drawing panel through the path the editor takes: a panel of the
// editor's size (852 x 630) loaded by the framework on the headless
// display, its properties written with WriteProperty and its methods called
// through the command convention. Dots are the editor's painting stroke
// (PenWidth and PenColor written, then DrawLine of one point); GetPicture
// encodes the whole panel; WriteText writes one line a call.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/display/headless.h"
#include "runtime/core/app_state.h"
#include "runtime/core/heap.h"
#include "runtime/core/hooks.h"
#include "runtime/core/runtime_library.h"
#include "runtime/forms/form_loader.h"
#include "runtime/forms/forms_test_support.h"
#include "runtime/forms/framework.h"
#include "runtime/forms/property_access.h"
#include "runtime/forms/record_schema.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/system_services.h"
#include "runtime/forms/template_loading.h"
#include "runtime/units/drawpanel/drawpanel_commands.h"
#include "runtime/units/drawpanel/drawpanel_schema.h"
#include "runtime/units/drawpanel/drawpanel_type.h"
#include "runtime/units/drawpanel/panel.h"

namespace runtime {
namespace {

constexpr uint32_t kWindow = 0x52010001;
constexpr uint32_t kPanel = 0x16010005;
constexpr uint32_t kPanelType = 0x00010008;
constexpr int32_t kPenWidth = 16;
constexpr int32_t kPenColor = 17;

enum class Bitmap { kOff, kOn };

// One loaded window holding the panel, for the length of a benchmark.
class Stage {
 public:
  explicit Stage(Bitmap bitmap) {
    forms::InstallFormsFramework();
    RuntimeLibrary().notify(1, reinterpret_cast<intptr_t>(&forms::SystemService), 0);
    forms_testing::FormBuilder form(kWindow);
    form.Window(0, 0, 900, 700);
    forms::UnitRecordFields& panel = form.Unit(kPanel, kPanelType, "panel", 10, 10, 852, 630);
    forms::RecordValues values(units::DrawPanelSchema());
    values.SetInt(units::drawpanel::kAutoRedraw, bitmap == Bitmap::kOn ? 1 : 0);
    values.SetInt(units::drawpanel::kBackColor, 0xFFFFFF);
    panel.properties = forms::WriteRecord(values);
    program_ = std::make_unique<forms_testing::TestProgram>(
        std::vector<forms::WindowTemplate>{form.Build()},
        std::vector<forms_testing::TestProgram::RealType>{
            {units::kDrawPanelTypeNumber, units::DrawPanelTypeDescriptor()}});
    forms::LoadTemplates(program_->header());
    forms::LoadForm(*forms::Registry().Find(kWindow), {});
    display_.PumpUntilIdle();
  }
  ~Stage() {
    forms::DeleteLoadedWindows();
    display_.PumpUntilIdle();
    Hooks() = FrameworkHooks{};
  }
  Stage(const Stage&) = delete;
  Stage& operator=(const Stage&) = delete;

  bool live() const { return panel() != nullptr; }
  units::drawpanel::Panel* panel() const {
    return static_cast<units::drawpanel::Panel*>(forms::FindLiveUnit(kWindow, kPanel));
  }

  ValueRecord Call(CommandRoutine method, std::vector<ArgumentRecord> arguments) {
    arguments.insert(arguments.begin(), UnitReference(kWindow, kPanel, kPanelType));
    return CallCommand(method, static_cast<int32_t>(arguments.size()), arguments.data());
  }

 private:
  platform::HeadlessDisplay display_;
  std::unique_ptr<forms_testing::TestProgram> program_;
};

void BM_PanelDot(benchmark::State& state, Bitmap bitmap) {
  Stage stage(bitmap);
  if (!stage.live()) return state.SkipWithError("the panel did not load");
  int32_t i = 0;
  for (auto _ : state) {
    const int32_t x = 5 + (i * 7) % 840, y = 5 + (i * 13) % 620;
    forms::WriteProperty(kWindow, kPanel, kPenWidth, -1, 4, 0);
    forms::WriteProperty(kWindow, kPanel, kPenColor, -1, static_cast<uint32_t>(i) & 0xFFFFFF, 0);
    stage.Call(units::DrawLine, {IntValue(x), IntValue(y), IntValue(x), IntValue(y)});
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("dots");
}
BENCHMARK_CAPTURE(BM_PanelDot, screen_only, Bitmap::kOff);
BENCHMARK_CAPTURE(BM_PanelDot, bitmap_and_screen, Bitmap::kOn);

void BM_PanelGetPicture(benchmark::State& state, Bitmap bitmap) {
  Stage stage(bitmap);
  if (!stage.live()) return state.SkipWithError("the panel did not load");
  for (int i = 0; i < 200; ++i) {
    const int32_t x = (i * 37) % 840, y = (i * 53) % 620;
    stage.Call(units::DrawLine, {IntValue(x), IntValue(y), IntValue(x + 10), IntValue(y + 7)});
  }
  for (auto _ : state) {
    const ValueRecord picture = stage.Call(units::GetPicture, {});
    benchmark::DoNotOptimize(picture.AsPointer());
    MemFree(picture.AsPointer());
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(state.iterations() * (54 + 852 * 3 * 630));
}
BENCHMARK_CAPTURE(BM_PanelGetPicture, from_bitmap, Bitmap::kOn)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PanelGetPicture, from_screen, Bitmap::kOff)->Unit(benchmark::kMillisecond);

void BM_PanelWriteText(benchmark::State& state, Bitmap bitmap) {
  Stage stage(bitmap);
  if (!stage.live()) return state.SkipWithError("the panel did not load");
  units::drawpanel::Panel& panel = *stage.panel();
  const char* line = "Mienzo \xBB\xAD\xB0\xE5 caption 2024";  // 画板
  for (auto _ : state) {
    if (panel.text_position.y > 600) panel.text_position = POINT{0, 0};
    stage.Call(units::WriteText, {TextValue(line)});
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("lines");
}
BENCHMARK_CAPTURE(BM_PanelWriteText, screen_only, Bitmap::kOff);
BENCHMARK_CAPTURE(BM_PanelWriteText, bitmap_and_screen, Bitmap::kOn);

}  // namespace
}  // namespace runtime
