#include "runtime/units/picbox/gif_animation.h"

#include "runtime/pictures/paint_picture.h"
#include "runtime/pictures/picture.h"
#include "runtime/units/picbox/display_mode.h"

namespace runtime::units::picbox {

std::unique_ptr<GifAnimation> GifAnimation::Create(HWND window, Bytes gif) {
  std::unique_ptr<GifAnimation> animation(new GifAnimation(window));
  if (!animation->frames_.Load(gif)) return nullptr;
  // The canvas is a bitmap of the logical screen's size.
  if (!PictureWithinLimit(uint64_t(animation->width()), uint64_t(animation->height()), 0)) {
    return nullptr;
  }
  animation->wake_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (animation->wake_ == nullptr) return nullptr;
  return animation;
}

GifAnimation::~GifAnimation() {
  Stop();
  ReleaseWindowDc();
  ReleaseCanvas();
  if (wake_ != nullptr) CloseHandle(wake_);
}

void GifAnimation::SetView(int32_t mode, int32_t client_width, int32_t client_height) {
  std::lock_guard lock(view_mutex_);
  view_ = {mode, client_width, client_height};
}

bool GifAnimation::Start(COLORREF background) {
  if (thread_ != nullptr) return false;
  background_ = background;
  {
    std::lock_guard busy(busy_);
    frames_.Rewind();
  }
  RefreshWindowDc();
  state_ = RunState::kRunning;
  thread_ = CreateThread(nullptr, 0, &GifAnimation::ThreadMain, this, 0, nullptr);
  if (thread_ == nullptr) {
    state_ = RunState::kNotRunning;
    return false;
  }
  started_ = true;
  return true;
}

void GifAnimation::Stop() {
  if (thread_ == nullptr) return;
  RunState running = RunState::kRunning;
  state_.compare_exchange_strong(running, RunState::kStopRequested);
  SetEvent(wake_);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  thread_ = nullptr;
  ReleaseWindowDc();
}

bool GifAnimation::PaintCanvas(HDC dc) {
  std::lock_guard busy(busy_);
  if (canvas_dc_ == nullptr) return false;
  CopyCanvas(dc);
  return true;
}

void GifAnimation::RefreshWindowDc() {
  HDC fresh = GetDC(window_);
  HDC old = nullptr;
  {
    std::lock_guard busy(busy_);
    old = window_dc_;
    window_dc_ = fresh;
  }
  if (old != nullptr) ReleaseDC(window_, old);
}

void GifAnimation::ReleaseWindowDc() {
  HDC old = nullptr;
  {
    std::lock_guard busy(busy_);
    old = window_dc_;
    window_dc_ = nullptr;
  }
  if (old != nullptr) ReleaseDC(window_, old);
}

GifAnimation::Pacing GifAnimation::pacing() const {
  std::lock_guard lock(pacing_mutex_);
  return pacing_;
}

void GifAnimation::ClockMoved() { SetEvent(wake_); }

DWORD GifAnimation::ThreadMain(LPVOID self) {
  static_cast<GifAnimation*>(self)->Run();
  return 0;
}

void GifAnimation::Run() {
  bool canvas = false;
  {
    std::lock_guard busy(busy_);
    canvas = canvas_dc_ != nullptr || MakeCanvas();
  }
  while (canvas && state_.load() == RunState::kRunning) {
    const DWORD t0 = GetTickCount();
    DWORD delay = 0;
    {
      std::lock_guard busy(busy_);
      delay = frames_.ComposeNext(canvas_dc_, background_);
      if (window_dc_ != nullptr && IsWindow(window_)) CopyCanvas(window_dc_);
      std::lock_guard lock(pacing_mutex_);
      ++pacing_.frames;
    }
    WaitOut(t0, delay);
  }
  state_ = RunState::kStopped;
}

bool GifAnimation::MakeCanvas() {
  if (window_dc_ == nullptr) return false;
  canvas_dc_ = CreateCompatibleDC(window_dc_);
  canvas_ = CreateCompatibleBitmap(window_dc_, width(), height());
  if (canvas_dc_ == nullptr || canvas_ == nullptr) {
    ReleaseCanvas();
    return false;
  }
  canvas_previous_ = SelectObject(canvas_dc_, canvas_);
  const RECT all{0, 0, width(), height()};
  HBRUSH brush = CreateSolidBrush(background_);
  if (brush != nullptr) {
    FillRect(canvas_dc_, &all, brush);
    DeleteObject(brush);
  }
  return true;
}

void GifAnimation::CopyCanvas(HDC target) {
  View view;
  {
    std::lock_guard lock(view_mutex_);
    view = view_;
  }
  if (view.mode == kNaturalSize) {
    BitBlt(target, 0, 0, width(), height(), canvas_dc_, 0, 0, SRCCOPY);
    return;
  }
  const Placement at =
      PlacePicture(view.mode, width(), height(), view.client_width, view.client_height);
  SetStretchBltMode(target, StretchModeFor(target));
  StretchBlt(target, at.x, at.y, at.width, at.height, canvas_dc_, 0, 0, width(), height(), SRCCOPY);
}

// Measured on the tick count from t0, the frame's start, so that composing
// and copying count towards the delay. A stop request ends the wait at once.
void GifAnimation::WaitOut(DWORD t0, DWORD delay) {
  const DWORD due = t0 + delay;
  while (state_.load() == RunState::kRunning) {
    const DWORD now = GetTickCount();
    const DWORD elapsed = now - t0;
    if (elapsed >= delay) break;
    Publish(true, due, now);
    WaitForSingleObject(wake_, delay - elapsed);
  }
  Publish(false, 0, 0);
}

void GifAnimation::Publish(bool waiting, DWORD due, DWORD seen) {
  std::lock_guard lock(pacing_mutex_);
  pacing_.waiting = waiting;
  pacing_.due = due;
  pacing_.seen = seen;
}

void GifAnimation::ReleaseCanvas() {
  if (canvas_dc_ != nullptr) {
    if (canvas_previous_ != nullptr) SelectObject(canvas_dc_, canvas_previous_);
    DeleteDC(canvas_dc_);
  }
  if (canvas_ != nullptr) DeleteObject(canvas_);
  canvas_dc_ = nullptr;
  canvas_ = nullptr;
  canvas_previous_ = nullptr;
}

}  // namespace runtime::units::picbox
