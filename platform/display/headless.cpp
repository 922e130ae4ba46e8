#include "platform/display/headless.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>

#include "platform/base/gbk.h"
#include "platform/gdi/surface.h"
#include "platform/user/message_queue.h"
#include "platform/user/painting.h"
#include "platform/user/window.h"

namespace platform {

namespace {

constexpr uint32_t kDesktopPixel = 0x003A6EA5;  // the classic desktop blue
constexpr int kPumpLimit = 100000;

bool ParseScreen(const char* text, int* width, int* height) {
  return text != nullptr && std::sscanf(text, "%dx%d", width, height) == 2 && *width > 0 &&
         *height > 0;
}

void DrawTopLevel(const user::Window* w, int screen_w, int screen_h,
                  std::vector<uint32_t>& screen) {
  const gdi::Surface& surface = *w->surface;
  std::lock_guard lock(surface.mutex());
  for (int y = 0; y < std::min(w->Height(), surface.height()); ++y) {
    int sy = w->rect.top + y;
    if (sy < 0 || sy >= screen_h) continue;
    const uint32_t* row = surface.Row(y);
    for (int x = 0; x < std::min(w->Width(), surface.width()); ++x) {
      int sx = w->rect.left + x;
      if (sx < 0 || sx >= screen_w) continue;
      if (w->has_window_region && !w->window_region.Contains({x, y})) continue;
      screen[static_cast<size_t>(sy) * screen_w + sx] = row[x];
    }
  }
}

}  // namespace

ScreenSettings HeadlessDisplay::ScreenFromEnvironment() {
  ScreenSettings s;
  int width = 0, height = 0;
  if (ParseScreen(std::getenv("MIENZO_SCREEN"), &width, &height)) {
    s.width = width;
    s.height = height;
    s.work_area = {0, 0, width, std::max(1, height - 40)};
  }
  if (const char* dpi = std::getenv("MIENZO_DPI")) {
    int value = std::atoi(dpi);
    if (value >= 48 && value <= 480) s.dpi = value;
  }
  return s;
}

HeadlessDisplay::HeadlessDisplay(ClockKind clock, ScreenSettings screen) : screen_(screen) {
  if (clock == ClockKind::kVirtual) {
    virtual_clock_ = std::make_unique<VirtualClock>(1000);
    SetCurrentClock(virtual_clock_.get());
  }
  SetCurrentDisplay(this);
}

HeadlessDisplay::~HeadlessDisplay() {
  if (CurrentDisplay() == this) SetCurrentDisplay(nullptr);
  if (virtual_clock_) SetCurrentClock(nullptr);
}

// The screen is composed when it is read, so a present shows nothing. A
// frame counts once a shown window is there and nothing waits to be painted.
void HeadlessDisplay::Present() {
  if (user::FindWindowToPaint(user::CurrentThreadId(), nullptr) != nullptr) return;
  for (const user::Window* w : user::TopLevels()) {
    if (w->IsVisibleFlag() && (w->style & WS_MINIMIZE) == 0 && w->surface) {
      NoteFramePresented();
      return;
    }
  }
}

void HeadlessDisplay::WaitForEvents(uint64_t deadline_ms) {
  std::unique_lock lock(mutex_);
  // Short slices: a virtual clock moves without telling anyone.
  while (!wake_pending_ && CurrentClock().NowMs() < deadline_ms) {
    if (woken_.wait_for(lock, std::chrono::milliseconds(10)) == std::cv_status::no_timeout) {
      break;
    }
    if (deadline_ms == UINT64_MAX) break;  // nothing to wait for: let the caller look again
  }
  wake_pending_ = false;
}

void HeadlessDisplay::Wake() {
  {
    std::lock_guard lock(mutex_);
    wake_pending_ = true;
  }
  woken_.notify_all();
}

bool HeadlessDisplay::SetClipboardText(std::string_view utf8) {
  std::lock_guard lock(mutex_);
  clipboard_.assign(utf8);
  return true;
}

std::string HeadlessDisplay::ClipboardText() {
  std::lock_guard lock(mutex_);
  return clipboard_;
}

void HeadlessDisplay::MoveMouse(int x, int y) { input::MouseMove({x, y}); }
void HeadlessDisplay::Press(input::Button button) { input::MouseButton(button, true); }
void HeadlessDisplay::Release(input::Button button) { input::MouseButton(button, false); }

void HeadlessDisplay::Click(int x, int y, input::Button button) {
  MoveMouse(x, y);
  Press(button);
  Release(button);
}

void HeadlessDisplay::KeyDown(UINT vk) { input::Key(vk, true); }
void HeadlessDisplay::KeyUp(UINT vk) { input::Key(vk, false); }

void HeadlessDisplay::Key(UINT vk) {
  KeyDown(vk);
  KeyUp(vk);
}

void HeadlessDisplay::Type(std::string_view utf8) { input::Text(gbk::FromUtf8(utf8)); }

bool HeadlessDisplay::PumpUntilIdle() {
  MSG msg;
  for (int i = 0; i < kPumpLimit; ++i) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return true;
    if (msg.message == WM_QUIT) {
      quit_received_ = true;
      quit_code_ = static_cast<int>(msg.wParam);
      return true;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return false;
}

void HeadlessDisplay::AdvanceTime(uint64_t ms) {
  if (virtual_clock_) virtual_clock_->Advance(ms);
}

std::vector<uint32_t> HeadlessDisplay::ComposeScreen() const {
  std::vector<uint32_t> screen(static_cast<size_t>(screen_.width) * screen_.height, kDesktopPixel);
  const auto& tops = user::TopLevels();
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    const user::Window* w = *it;
    if (!w->IsVisibleFlag() || (w->style & WS_MINIMIZE) || !w->surface) continue;
    DrawTopLevel(w, screen_.width, screen_.height, screen);
  }
  return screen;
}

uint32_t HeadlessDisplay::ScreenPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= screen_.width || y >= screen_.height) return 0;
  return ComposeScreen()[static_cast<size_t>(y) * screen_.width + x];
}

bool HeadlessDisplay::SaveScreenshot(const std::string& png_path) const {
  std::vector<uint32_t> pixels = ComposeScreen();
  std::vector<uint8_t> rgb(pixels.size() * 3);
  for (size_t i = 0; i < pixels.size(); ++i) {
    rgb[i * 3] = static_cast<uint8_t>(pixels[i] >> 16);
    rgb[i * 3 + 1] = static_cast<uint8_t>(pixels[i] >> 8);
    rgb[i * 3 + 2] = static_cast<uint8_t>(pixels[i]);
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(screen_.width);
  image.height = static_cast<png_uint_32>(screen_.height);
  image.format = PNG_FORMAT_RGB;
  int ok = png_image_write_to_file(&image, png_path.c_str(), 0, rgb.data(), 0, nullptr);
  png_image_free(&image);
  return ok != 0;
}

}  // namespace platform
