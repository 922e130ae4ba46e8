#include "app/editor_e2e_support.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "app/app_routines.h"
#include "app/main_window_units.h"
#include "app/program.h"
#include "platform/base/gbk.h"
#include "platform/dialogs/answers.h"
#include "runtime/core/app_state.h"
#include "runtime/core/hooks.h"
#include "runtime/core/run_loop.h"
#include "runtime/core/startup.h"
#include "runtime/core/test_support.h"
#include "runtime/forms/framework.h"
#include "runtime/forms/loaded_window.h"
#include "runtime/forms/registry.h"

namespace app::e2e {

namespace {

namespace fs = std::filesystem;
using runtime::App;

constexpr int kMessageBoxTextId = 0xFFFF;  // the id Windows gives a message box's text

COLORREF ToColorRef(uint32_t rgb) { return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); }

std::string Hex(uint32_t rgb) {
  char text[16];
  std::snprintf(text, sizeof text, "#%06X", rgb);
  return text;
}

// Runs `draw` on a memory DC with the panel's default font selected.
template <typename Draw>
void WithFontDc(Draw draw) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  draw(dc);
  SelectObject(dc, old_font);
  DeleteDC(dc);
}

SIZE TextExtent(const std::string& gbk) {
  SIZE size{};
  WithFontDc(
      [&](HDC dc) { GetTextExtentPoint32A(dc, gbk.data(), static_cast<int>(gbk.size()), &size); });
  return size;
}

// `gbk` in `rgb` over the background, drawn by the platform alone at the
// top-left of a bitmap of the text's extent.
std::vector<uint32_t> RenderedText(const std::string& gbk, uint32_t rgb, SIZE size) {
  std::vector<uint32_t> pixels;
  if (size.cx <= 0 || size.cy <= 0) return pixels;
  void* bits = nullptr;
  HBITMAP bitmap = TopDownDib(size, &bits);
  if (bitmap == nullptr) return pixels;
  auto* first = static_cast<uint32_t*>(bits);
  const size_t count = static_cast<size_t>(size.cx) * size.cy;
  std::fill(first, first + count, ButtonFace());
  WithFontDc([&](HDC dc) {
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(rgb));
    TextOutA(dc, 0, 0, gbk.data(), static_cast<int>(gbk.size()));
    SelectObject(dc, old_bitmap);
  });
  for (size_t i = 0; i < count; ++i) pixels.push_back(first[i] & 0xFFFFFF);
  DeleteObject(bitmap);
  return pixels;
}

// Records the text of every message box once it is up; other modal windows
// (the file and colour dialogs) have no such text.
void RecordMessageBoxes(std::vector<std::string>* texts) {
  platform::dialogs::SetModalShownHook([texts](HWND window) {
    HWND text = GetDlgItem(window, kMessageBoxTextId);
    if (text == nullptr) return;
    char gbk[512] = {};
    GetWindowTextA(text, gbk, sizeof gbk);
    texts->push_back(platform::gbk::ToUtf8(gbk));
  });
}

}  // namespace

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

uint32_t Le32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

uint32_t BmpPixel(const std::string& bmp, int x, int y) {
  if (bmp.size() < 54) return 0xFFFFFFFF;
  const uint32_t width = Le32(bmp, 18);
  const uint32_t height = Le32(bmp, 22);
  const uint32_t row = (width * 3 + 3) / 4 * 4;
  const size_t at = Le32(bmp, 10) + static_cast<size_t>(height - 1 - y) * row + x * 3;
  if (at + 2 >= bmp.size()) return 0xFFFFFFFF;
  return static_cast<unsigned char>(bmp[at + 2]) << 16 |
         static_cast<unsigned char>(bmp[at + 1]) << 8 | static_cast<unsigned char>(bmp[at]);
}

HBITMAP TopDownDib(SIZE size, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

uint32_t ButtonFace() {
  const COLORREF c = GetSysColor(COLOR_BTNFACE);
  return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

// ---------------------------------------------------------------------------
// Start and end
// ---------------------------------------------------------------------------

void EditorTest::SetUp() {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  run_directory_ =
      fs::temp_directory_path() / ("mienzo-e2e-" + std::to_string(::getpid()) + "-" +
                                   testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::remove_all(run_directory_);
  fs::create_directories(run_directory_);
  fs::copy_file(MIENZO_APP_DIR "/assets/harbour.jpg", run_directory_ / "harbour.jpg");
  RecordMessageBoxes(&message_boxes_);

  // The start routine's steps, short of its message loop: the test pumps.
  runtime::forms::InstallFormsFramework();
  App().header = &app::Program();
  runtime::InitializeRuntime();
  App().run_directory = run_directory_.string();
  runtime::LoadStartWindow(app::kMainWindow);
  ASSERT_NE(App().main_window, nullptr);
  Pump();
}

void EditorTest::TearDown() {
  platform::dialogs::SetModalShownHook({});
  platform::dialogs::ClearQueuedAnswers();
  runtime::forms::DeleteLoadedWindows();
  MSG msg{};
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  runtime::Hooks() = runtime::FrameworkHooks{};
  runtime::core_testing::ResetApp();
  App().current_event_source = {};
  app::CleanUp();
  app::Globals() = app::AppGlobals{};
  if (!HasFailure()) fs::remove_all(run_directory_);
}

void EditorTest::Pump() {
  screen_.clear();
  MSG msg{};
  for (int guard = 0; guard < 100000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    runtime::HandleRetrievedMessage(msg);
  }
}

// ---------------------------------------------------------------------------
// Windows and input
// ---------------------------------------------------------------------------

HWND EditorTest::Unit(uint32_t unit_id) {
  const runtime::forms::LoadedWindow* window = runtime::forms::Registry().Find(app::kMainWindow);
  if (window == nullptr) return nullptr;
  const runtime::forms::UnitObject* unit = window->LiveAt(window->units.IndexOf(unit_id));
  return unit != nullptr ? unit->window : nullptr;
}

HWND EditorTest::Panel() { return Unit(app::kDrawPanel); }

POINT EditorTest::OnScreen(HWND hwnd, int x, int y) {
  POINT point{x, y};
  ClientToScreen(hwnd, &point);
  return point;
}

SIZE EditorTest::ClientSize(HWND hwnd) {
  RECT rect{};
  GetClientRect(hwnd, &rect);
  return {rect.right, rect.bottom};
}

void EditorTest::MoveTo(HWND hwnd, int x, int y) {
  const POINT at = OnScreen(hwnd, x, y);
  display_.MoveMouse(at.x, at.y);
  Pump();
}

void EditorTest::ClickUnit(uint32_t unit_id) {
  HWND unit = Unit(unit_id);
  ASSERT_NE(unit, nullptr);
  const SIZE size = ClientSize(unit);
  const POINT at = OnScreen(unit, size.cx / 2, size.cy / 2);
  display_.Click(at.x, at.y);
  Pump();
}

void EditorTest::PaintDot(int x, int y) {
  MoveTo(Panel(), x - 1, y);
  display_.Press();
  Pump();
  MoveTo(Panel(), x, y);
  display_.Release();
  Pump();
}

void EditorTest::TypeInto(uint32_t edit_box, std::string_view utf8) {
  ClickUnit(edit_box);
  display_.KeyDown(VK_CONTROL);
  display_.Key('A');
  display_.KeyUp(VK_CONTROL);
  if (utf8.empty()) {
    display_.Key(VK_BACK);
  } else {
    display_.Type(utf8);
  }
  Pump();
}

void EditorTest::ChooseOtherColour(uint32_t rgb) {
  ClickUnit(app::kColorPicker);
  HWND popup = GetCapture();  // the open popup holds the mouse
  ASSERT_NE(popup, nullptr) << "a click on the colour picker opens its popup";
  // The other-colours entry spans the popup's foot.
  const SIZE size = ClientSize(popup);
  const POINT at = OnScreen(popup, size.cx / 2, size.cy - GetSystemMetrics(SM_CXEDGE) - 3);
  platform::dialogs::QueueColorDialogAnswer(ToColorRef(rgb));
  display_.Click(at.x, at.y);
  Pump();
  EXPECT_FALSE(IsWindow(popup)) << "the popup closes once the dialog answered";
  EXPECT_EQ(platform::dialogs::QueuedAnswerCount(), 0u) << "the colour dialog took the answer";
}

void EditorTest::ChooseExtension(std::string_view item) {
  HWND combo = Unit(app::kExtensionCombo);
  ASSERT_NE(combo, nullptr);
  const SIZE size = ClientSize(combo);
  const POINT button = OnScreen(combo, size.cx - GetSystemMetrics(SM_CXVSCROLL) / 2, size.cy / 2);
  display_.Click(button.x, button.y);
  Pump();
  ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) << "the button drops the list";
  RECT list{};
  SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
  const std::string gbk = platform::gbk::FromUtf8(item);
  const auto index = static_cast<int>(SendMessageA(
      combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(gbk.c_str())));
  ASSERT_GE(index, 0) << "no item " << item;
  const auto height = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
  const int row = index - static_cast<int>(SendMessageA(combo, CB_GETTOPINDEX, 0, 0));
  display_.Click((list.left + list.right) / 2, list.top + 1 + row * height + height / 2);
  Pump();
}

// ---------------------------------------------------------------------------
// The panel on the screen
// ---------------------------------------------------------------------------

uint32_t EditorTest::PanelPixel(int x, int y) const {
  // Composing the screen is slow: once per pump is enough.
  if (screen_.empty()) screen_ = display_.ComposeScreen();
  const POINT at = OnScreen(Panel(), x, y);
  const int width = display_.Screen().width;
  return screen_[static_cast<size_t>(at.y) * width + at.x] & 0xFFFFFF;
}

std::vector<uint32_t> EditorTest::PanelPixels() const {
  if (screen_.empty()) screen_ = display_.ComposeScreen();
  const SIZE size = ClientSize(Panel());
  const POINT origin = OnScreen(Panel(), 0, 0);
  const size_t width = static_cast<size_t>(display_.Screen().width);
  std::vector<uint32_t> pixels;
  pixels.reserve(static_cast<size_t>(size.cx) * size.cy);
  for (int y = 0; y < size.cy; ++y) {
    const uint32_t* row = &screen_[(origin.y + y) * width + origin.x];
    for (int x = 0; x < size.cx; ++x) pixels.push_back(row[x] & 0xFFFFFF);
  }
  return pixels;
}

int EditorTest::CountAround(int x, int y, int radius, uint32_t colour) const {
  int count = 0;
  for (int dy = -radius; dy <= radius; ++dy) {
    for (int dx = -radius; dx <= radius; ++dx) count += PanelPixel(x + dx, y + dy) == colour;
  }
  return count;
}

int EditorTest::LineStep() { return TextExtent("W").cy + 2; }

RECT EditorTest::TextRect(POINT at, std::string_view utf8) {
  const SIZE size = TextExtent(platform::gbk::FromUtf8(utf8));
  return {at.x, at.y, at.x + size.cx, at.y + size.cy};
}

testing::AssertionResult EditorTest::TextAt(POINT at, std::string_view utf8, uint32_t rgb) const {
  const std::string gbk = platform::gbk::FromUtf8(utf8);
  const SIZE size = TextExtent(gbk);
  const std::vector<uint32_t> expected = RenderedText(gbk, rgb, size);
  const SIZE panel = ClientSize(Panel());
  if (expected.empty() || at.x < 0 || at.y < 0 || at.x + size.cx > panel.cx ||
      at.y + size.cy > panel.cy) {
    return testing::AssertionFailure()
           << "'" << utf8 << "' does not fit on the panel at (" << at.x << ", " << at.y << ")";
  }
  const std::vector<uint32_t> shown = PanelPixels();
  int differing = 0;
  std::string first;
  for (int y = 0; y < size.cy; ++y) {
    for (int x = 0; x < size.cx; ++x) {
      const uint32_t want = expected[static_cast<size_t>(y) * size.cx + x];
      const uint32_t got = shown[static_cast<size_t>(at.y + y) * panel.cx + at.x + x];
      if (got == want) continue;
      if (differing++ == 0) {
        first = "first at (" + std::to_string(at.x + x) + ", " + std::to_string(at.y + y) +
                "): expected " + Hex(want) + ", got " + Hex(got);
      }
    }
  }
  if (differing == 0) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "expected '" << utf8 << "' in " << Hex(rgb) << " at (" << at.x << ", " << at.y
         << "): " << differing << " of " << size.cx * size.cy << " pixels differ, " << first;
}

testing::AssertionResult EditorTest::BackgroundOutside(const std::vector<RECT>& drawn) const {
  const SIZE size = ClientSize(Panel());
  const uint32_t background = ButtonFace();
  const std::vector<uint32_t> shown = PanelPixels();
  int other = 0;
  std::string first;
  for (int y = 0; y < size.cy; ++y) {
    for (int x = 0; x < size.cx; ++x) {
      const POINT point{x, y};
      const bool inside = std::any_of(drawn.begin(), drawn.end(),
                                      [&](const RECT& r) { return PtInRect(&r, point) != FALSE; });
      if (inside) continue;
      const uint32_t got = shown[static_cast<size_t>(y) * size.cx + x];
      if (got == background) continue;
      if (other++ == 0) {
        first = "first " + Hex(got) + " at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
      }
    }
  }
  if (other == 0) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "expected only the background " << Hex(background) << " outside what was drawn; "
         << other << " pixels differ, " << first;
}

// ---------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------

std::vector<std::string> EditorTest::RunDirectoryNames() const {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(run_directory_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace app::e2e
