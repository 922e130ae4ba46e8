#include "runtime/units/drawpanel/drawpanel_test_support.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "runtime/core/byte_set.h"
#include "runtime/core/heap.h"
#include "runtime/core/runtime_library.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/property_access.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/system_services.h"
#include "runtime/forms/template_segment.h"
#include "runtime/pictures/load_picture.h"
#include "runtime/pictures/picture_list.h"
#include "runtime/units/drawpanel/drawpanel_type.h"
#include "runtime/units/drawpanel/panel_dc.h"
#include "tools/form_text/form_parser.h"

namespace runtime::units::drawpanel_testing {

using forms_testing::kMainWindow;

std::string PanelForm(const std::string& properties, int width, int height,
                      const std::string& extra) {
  return "form 1\n"
         "handlers OnPaint OnMouseDown OnFocus OnBlur\n"
         "window 0x52010001 {\n"
         "  unit 0x06010000 window \"\" {\n"
         "    position 40 40 " +
         std::to_string(std::max(width + 60, 420)) + " " +
         std::to_string(std::max(height + 100, 320)) +
         "\n"
         "    flags visible\n"
         "    properties none\n"
         "  }\n"
         "  unit 0x16010005 DrawPanel \"画板1\" {\n"
         "    position 10 20 " +
         std::to_string(width) + " " + std::to_string(height) + "\n" + extra +
         "    properties {\n" + properties +
         "\n"
         "    }\n"
         "  }\n"
         "}\n";
}

PanelTest::PanelTest() {
  RuntimeLibrary().notify(1, reinterpret_cast<intptr_t>(&forms::SystemService), 0);
}

PanelTest::~PanelTest() { RuntimePictures().Clear(); }

bool PanelTest::RegisterAndLoad(const std::string& form_text) {
  const tools::form_text::CompileResult compiled = tools::form_text::CompileForm(
      form_text, [](const std::string&) { return std::optional<std::string>(); });
  EXPECT_TRUE(compiled.form) << "line " << compiled.error.line << ": " << compiled.error.message;
  if (!compiled.form) return false;
  const std::string& segment = compiled.form->segment;
  const auto windows = forms::ReadTemplateSegment(
      {reinterpret_cast<const uint8_t*>(segment.data()), segment.size()});
  EXPECT_TRUE(windows) << "the compiled segment reads back";
  if (!windows) return false;
  Register(*windows, {{kDrawPanelTypeNumber, DrawPanelTypeDescriptor()}});
  const bool loaded = Load();
  Pump();
  return loaded;
}

void PanelTest::LoadForm(const std::string& form_text) {
  ASSERT_TRUE(RegisterAndLoad(form_text)) << "the window and its panel load";
}

void PanelTest::LoadPanel(const std::string& properties, int width, int height,
                          const std::string& extra) {
  LoadForm(PanelForm(properties, width, height, extra));
}

void PanelTest::Pump() {
  for (int round = 0; round < 1000; ++round) {
    MSG msg{};
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return;
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    forms::LoadedWindow* window = forms::Registry().FindByHandle(GetAncestor(msg.hwnd, GA_ROOT));
    if (window == nullptr || !forms::PreTranslateWindowMessage(*window, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  ADD_FAILURE() << "messages keep coming";
}

ValueRecord PanelTest::Call(CommandRoutine method, std::vector<ValueRecord> arguments) {
  arguments.insert(arguments.begin(), UnitReference(kMainWindow, kPanelId, kPanelType));
  return CallCommand(method, static_cast<int32_t>(arguments.size()), arguments.data());
}

uint64_t PanelTest::Read(int32_t index, int32_t sub_index) const {
  return forms::ReadProperty(kMainWindow, kPanelId, index, sub_index);
}

void PanelTest::Write(int32_t index, uint32_t low, uint32_t high) const {
  forms::WriteProperty(kMainWindow, kPanelId, index, -1, low, high);
}

void PanelTest::WritePointer(int32_t index, const void* pointer) const {
  const auto bits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(pointer));
  Write(index, static_cast<uint32_t>(bits), static_cast<uint32_t>(bits >> 32));
}

drawpanel::Panel& PanelTest::panel() const {
  auto* unit = static_cast<drawpanel::Panel*>(forms::FindLiveUnit(kMainWindow, kPanelId));
  EXPECT_NE(unit, nullptr) << "the panel is live";
  return *unit;
}

HWND PanelTest::panel_window() const { return panel().window; }

COLORREF PanelTest::ScreenPixel(int x, int y) const {
  drawpanel::WindowDc dc(panel_window());
  return GetPixel(dc.dc(), x, y);
}

COLORREF PanelTest::BitmapPixel(int x, int y) const {
  drawpanel::BitmapDc dc(panel().bitmap);
  return dc.dc() != nullptr ? GetPixel(dc.dc(), x, y) : CLR_INVALID;
}

int PanelTest::CountScreen(const RECT& area, COLORREF colour) const {
  drawpanel::WindowDc dc(panel_window());
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) count += GetPixel(dc.dc(), x, y) == colour;
  }
  return count;
}

int32_t PanelTest::LoadTestPicture(int width, int height, COLORREF (*colour)(int x, int y)) {
  const std::vector<uint8_t> file = BmpFile(width, height, colour);
  void* bytes = MakeByteSet(file.data(), static_cast<int32_t>(file.size()));
  ArgumentRecord argument = ByteSetValue(bytes);
  const ValueRecord handle = CallCommand(LoadPicture, 1, &argument);
  MemFree(bytes);
  return handle.AsInt32();
}

void PanelTest::KeepScreenshot(const std::string& name) const {
  if (const char* keep = std::getenv("MIENZO_SCREENSHOT_DIR")) {
    EXPECT_TRUE(display_.SaveScreenshot(std::string(keep) + "/" + name));
  }
}

std::vector<uint8_t> BmpFile(int width, int height, COLORREF (*colour)(int x, int y)) {
  const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  const uint32_t image = stride * static_cast<uint32_t>(height);
  std::vector<uint8_t> file(54 + image, 0);
  const auto put = [&](size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put(2, static_cast<uint32_t>(file.size()), 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, static_cast<uint32_t>(width), 4);
  put(22, static_cast<uint32_t>(height), 4);
  put(26, 1, 2);
  put(28, 24, 2);
  put(34, image, 4);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = file.data() + 54 + stride * static_cast<uint32_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      row[x * 3] = static_cast<uint8_t>(c >> 16);
      row[x * 3 + 1] = static_cast<uint8_t>(c >> 8);
      row[x * 3 + 2] = static_cast<uint8_t>(c);
    }
  }
  return file;
}

}  // namespace runtime::units::drawpanel_testing
