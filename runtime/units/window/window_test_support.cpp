#include "runtime/units/window/window_test_support.h"

#include <cstdlib>

#include "runtime/core/app_state.h"
#include "runtime/core/hidden_owner.h"
#include "runtime/core/hooks.h"
#include "runtime/core/run_loop.h"
#include "runtime/core/runtime_library.h"
#include "runtime/forms/unit_types.h"
#include "runtime/units/window/window_type.h"

namespace runtime::units::window_testing {

namespace {

using forms::AsUnitHandler;
using forms_testing::Services;

constexpr const char* kStandInProperty = "WindowTestStandIn";

struct StandIn : forms::UnitObject {
  WNDPROC previous = nullptr;
};

LRESULT StandInProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* unit = static_cast<StandIn*>(GetPropA(hwnd, kStandInProperty));
  if (unit == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  WNDPROC previous = unit->previous;
  if (message == WM_NCDESTROY) {
    RemovePropA(hwnd, kStandInProperty);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    Services(2000, unit->window_id, unit->unit_id);
    delete unit;
  }
  return CallWindowProcA(previous, hwnd, message, wparam, lparam);
}

struct StandInKind {
  const char* class_name;
  DWORD style;
};

StandInKind KindOf(uint32_t type_code) {
  switch (type_code) {
    case kEditType:
      return {"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | WS_BORDER};
    case kLineEditType:
      return {"EDIT", ES_AUTOHSCROLL | WS_BORDER};
    case kButtonType:
      return {"BUTTON", BS_PUSHBUTTON};
    case kDefaultButtonType:
      return {"BUTTON", BS_DEFPUSHBUTTON};
    case kRadioType:
      return {"BUTTON", BS_RADIOBUTTON};
    case kCheckType:
      return {"BUTTON", BS_CHECKBOX};
    default:
      return {"STATIC", SS_LEFT | SS_NOTIFY};  // takes the mouse, as a label unit does
  }
}

template <uint32_t kType>
void* CreateStandIn(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                    uint32_t control_id, HMENU, int32_t x, int32_t y, int32_t width, int32_t height,
                    uint32_t window_id, uint32_t unit_id, int32_t, int32_t) {
  const std::string caption(reinterpret_cast<const char*>(properties),
                            properties != nullptr && length > 0 ? static_cast<size_t>(length) : 0);
  const StandInKind kind = KindOf(kType);
  HWND hwnd = CreateWindowExA(
      0, kind.class_name, caption.c_str(), WS_CHILD | style | kind.style, x, y, width, height,
      parent, reinterpret_cast<HMENU>(static_cast<uintptr_t>(control_id)), nullptr, nullptr);
  if (hwnd == nullptr) return nullptr;
  auto* unit = new StandIn;
  unit->window = hwnd;
  unit->window_id = window_id;
  unit->unit_id = unit_id;
  SetPropA(hwnd, kStandInProperty, unit);
  unit->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StandInProc)));
  return unit;
}

// A multi-line edit box keeps Enter.
int32_t EditWantsKey(void* object, uint32_t key) {
  HWND hwnd = static_cast<StandIn*>(object)->window;
  return key == VK_RETURN && (GetWindowLongA(hwnd, GWL_STYLE) & ES_MULTILINE) != 0 ? 1 : 0;
}

int32_t IsDefaultButton(void* object) {
  HWND hwnd = static_cast<StandIn*>(object)->window;
  return (GetWindowLongA(hwnd, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON ? 1 : 0;
}

template <uint32_t kType>
UnitHandler StandInQuery(int32_t number) {
  if (number == forms::kHandlerCreate) {
    return AsUnitHandler<forms::CreateHandler>(CreateStandIn<kType>);
  }
  if (number == forms::kHandlerWantsKey && kType == kEditType) {
    return AsUnitHandler<forms::WantsKeyHandler>(EditWantsKey);
  }
  if (number == forms::kHandlerIsDefaultButton &&
      (kType == kButtonType || kType == kDefaultButtonType)) {
    return AsUnitHandler<forms::IsDefaultButtonHandler>(IsDefaultButton);
  }
  return nullptr;
}

constexpr PropertyTypeEntry kCommonProperties[8] = {
    {nullptr, nullptr, nullptr, 1001, 0xE000, nullptr},
    {nullptr, nullptr, nullptr, 1001, 0xE000, nullptr},
    {nullptr, nullptr, nullptr, 1001, 0xE000, nullptr},
    {nullptr, nullptr, nullptr, 1001, 0xE000, nullptr},
    {nullptr, nullptr, nullptr, 1005, 0xE000, nullptr},
    {nullptr, nullptr, nullptr, 1003, 0xE000, nullptr},
    {nullptr, nullptr, nullptr, 1003, 0xE000, nullptr},
    {nullptr, nullptr, nullptr, 1011, 0xE000, nullptr}};

template <uint32_t kType>
forms_testing::TestProgram::RealType StandInType(uint32_t flags) {
  UnitTypeDescriptor descriptor{};
  descriptor.english_name = "StandIn";
  descriptor.state_flags = flags;
  descriptor.property_count = 8;
  descriptor.property_types = kCommonProperties;
  descriptor.handler_query = StandInQuery<kType>;
  return {static_cast<int32_t>(kType & 0xFFFF), descriptor};
}

std::vector<forms_testing::TestProgram::RealType> RealTypes() {
  return {{1, WindowTypeDescriptor()},
          StandInType<kEditType>(0x80000040),
          StandInType<kLineEditType>(0x80000040),
          StandInType<kButtonType>(0x80000840),
          StandInType<kDefaultButtonType>(0x80000840),
          StandInType<kRadioType>(0x80000440),
          StandInType<kCheckType>(0x80001040),
          StandInType<kLabelType>(0x84012040)};
}

void Put16(std::string& out, uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}
void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace

std::string WindowRecord(const std::function<void(forms::RecordValues&)>& change) {
  forms::RecordValues values(WindowSchema());
  if (change) change(values);
  return forms::WriteRecord(values);
}

std::string SolidBmp(int width, int height, COLORREF colour) {
  const auto row = static_cast<uint32_t>((width * 3 + 3) / 4 * 4);
  const uint32_t pixels = row * static_cast<uint32_t>(height);
  std::string bmp = "BM";
  Put32(bmp, 54 + pixels);
  Put32(bmp, 0);
  Put32(bmp, 54);
  Put32(bmp, 40);
  Put32(bmp, static_cast<uint32_t>(width));
  Put32(bmp, static_cast<uint32_t>(height));
  Put16(bmp, 1);
  Put16(bmp, 24);
  for (int i = 0; i < 6; ++i) Put32(bmp, 0);
  for (int y = 0; y < height; ++y) {
    std::string line;
    for (int x = 0; x < width; ++x) {
      line.push_back(static_cast<char>(GetBValue(colour)));
      line.push_back(static_cast<char>(GetGValue(colour)));
      line.push_back(static_cast<char>(GetRValue(colour)));
    }
    line.resize(row, '\0');
    bmp += line;
  }
  return bmp;
}

WindowTest::WindowTest() {
  setenv("SDL_AUDIODRIVER", "dummy", 1);  // music plays nowhere
  RuntimeLibrary().notify(1, reinterpret_cast<intptr_t>(Hooks().system_service), 0);
  App().hidden_owner = CreateHiddenOwnerWindow();
}

void WindowTest::TearDown() {
  PlaySoundA(nullptr, nullptr, 0);
  forms_testing::LoaderTest::TearDown();
}

void WindowTest::RegisterForms(const std::vector<forms::WindowTemplate>& windows) {
  Register(windows, RealTypes());
}

void WindowTest::RegisterForms(
    const std::vector<forms::WindowTemplate>& windows,
    const std::vector<forms_testing::TestProgram::RealType>& more_types) {
  std::vector<forms_testing::TestProgram::RealType> types = RealTypes();
  types.insert(types.end(), more_types.begin(), more_types.end());
  Register(windows, types);
}

forms::WindowTemplate WindowTest::OneWindow(const std::string& record, int32_t left, int32_t top,
                                            int32_t width, int32_t height, uint32_t window_id) {
  forms_testing::FormBuilder form(window_id);
  form.Window(left, top, width, height).properties = record;
  return form.Build();
}

window::WindowUnit* WindowTest::LoadOne(const std::string& record, int32_t width, int32_t height) {
  RegisterForms({OneWindow(record, 100, 80, width, height)});
  if (!Load()) return nullptr;
  Pump();
  return UnitOf();
}

window::WindowUnit* WindowTest::UnitOf(uint32_t window_id) {
  return static_cast<window::WindowUnit*>(Window(window_id).WindowObject());
}

HWND WindowTest::HandleOf(uint32_t window_id) { return Window(window_id).Window(); }

void WindowTest::Pump() {
  MSG msg{};
  for (int guard = 0; guard < 100000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    HandleRetrievedMessage(msg);
  }
}

void WindowTest::Press(UINT vk, std::initializer_list<UINT> modifiers) {
  for (UINT modifier : modifiers) display_.KeyDown(modifier);
  display_.Key(vk);
  for (UINT modifier : modifiers) display_.KeyUp(modifier);
  Pump();
}

COLORREF WindowTest::ClientPixel(HWND hwnd, int x, int y) const {
  POINT point{x, y};
  ClientToScreen(hwnd, &point);
  const uint32_t rgb = display_.ScreenPixel(point.x, point.y);
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::vector<int32_t> WindowTest::CalledHandlers() {
  std::vector<int32_t> positions;
  for (const forms_testing::HandlerCall& call : forms_testing::HandlerCalls()) {
    positions.push_back(call.position);
  }
  return positions;
}

void WindowTest::ResetCalls() { forms_testing::HandlerCalls().clear(); }

void SaveScreenshotIfAsked(const platform::HeadlessDisplay& display, const std::string& name) {
  const char* folder = std::getenv("MIENZO_SCREENSHOT_DIR");
  if (folder == nullptr || *folder == '\0') return;
  EXPECT_TRUE(display.SaveScreenshot(std::string(folder) + "/" + name));
}

}  // namespace runtime::units::window_testing
