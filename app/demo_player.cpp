#include "app/demo_player.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/dialogs/answers.h"

namespace app {
namespace {

// Pointer steps of a drag: close enough that the editor's 4-pixel dots
// make a continuous stroke.
constexpr int kDragStepPixels = 3;

constexpr char kTimerClass[] = "MienzoDemoTimer";
constexpr UINT_PTR kTimer = 1;

DemoPlayer*& Current() {
  static DemoPlayer* current = nullptr;
  return current;
}

}  // namespace

DemoPlayer::DemoPlayer(platform::HeadlessDisplay& display, DemoScript script, DemoFolders folders)
    : display_(display), script_(std::move(script)), folders_(std::move(folders)) {}

DemoPlayer::~DemoPlayer() {
  if (timer_ != 0) KillTimer(timer_window_, kTimer);
  if (timer_window_ != nullptr) DestroyWindow(timer_window_);
  platform::dialogs::SetModalShownHook({});
  if (Current() == this) Current() = nullptr;
}

// The timer belongs to a hidden window of its own: the layer hands thread
// timers (no window) to nobody, so their procedure would never run.
void DemoPlayer::Start() {
  Current() = this;
  platform::dialogs::SetModalShownHook([this](HWND modal) { modal_ = modal; });
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.lpszClassName = kTimerClass;
  RegisterClassA(&window_class);
  timer_window_ =
      CreateWindowExA(0, kTimerClass, "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  timer_ = SetTimer(timer_window_, kTimer, USER_TIMER_MINIMUM, &DemoPlayer::Tick);
}

void DemoPlayer::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (Current() != nullptr) Current()->OnTick();
}

// A step given while a dialog's own loop runs would land in that dialog, or
// start a second handler inside the first: wait until it has gone.
bool DemoPlayer::Busy() {
  if (modal_ != nullptr && IsWindow(modal_) && IsWindowVisible(modal_)) return true;
  return !IsWindowEnabled(main_);
}

void DemoPlayer::OnTick() {
  if (finished_) return;
  if (main_ == nullptr) {
    const HWND active = GetActiveWindow();
    if (active == nullptr || !IsWindowVisible(active)) return;
    main_ = active;
  }
  if (!IsWindow(main_)) return Finish();  // the script closed it itself
  if (Busy() || GetTickCount() < resume_at_) return;
  while (next_ < script_.steps.size()) {
    const DemoStep& step = script_.steps[next_];
    const bool done = RunStep(step);
    if (step.command != DemoCommand::kDrag || drag_part_ < 0) ++next_;
    if (!done) return;
  }
  Finish();
}

bool DemoPlayer::RunStep(const DemoStep& step) {
  switch (step.command) {
    case DemoCommand::kAnswerOpen:
      platform::dialogs::QueueFileDialogAnswer(Resolve(step.text, folders_.inputs));
      return true;
    case DemoCommand::kAnswerCancel:
      platform::dialogs::QueueFileDialogCancel();
      return true;
    case DemoCommand::kMove: {
      const POINT at = ToScreen(step.x, step.y);
      display_.MoveMouse(at.x, at.y);
      return false;
    }
    case DemoCommand::kClick: {
      const POINT at = ToScreen(step.x, step.y);
      display_.Click(at.x, at.y);
      return false;
    }
    case DemoCommand::kDrag:
      return RunDragPart(step);
    case DemoCommand::kType:
      display_.Type(step.text);
      return false;
    case DemoCommand::kKey:
      for (size_t i = 0; i + 1 < step.keys.size(); ++i) display_.KeyDown(step.keys[i]);
      display_.Key(step.keys.back());
      for (size_t i = step.keys.size() - 1; i-- > 0;) display_.KeyUp(step.keys[i]);
      return false;
    case DemoCommand::kWait:
      resume_at_ = GetTickCount() + static_cast<uint64_t>(step.ms);
      return false;
    case DemoCommand::kScreenshot: {
      const std::string path = Resolve(step.text, folders_.outputs);
      if (display_.SaveScreenshot(path)) {
        screenshots_.push_back(path);
      } else {
        problems_.push_back("line " + std::to_string(step.line) + ": cannot write " + path);
      }
      return true;
    }
  }
  return true;
}

// Mouse moves still waiting are merged into one, so each move of a drag
// needs a tick of its own for the program to see the whole path.
bool DemoPlayer::RunDragPart(const DemoStep& step) {
  const int dx = step.x2 - step.x;
  const int dy = step.y2 - step.y;
  const int parts = std::max(1, std::max(std::abs(dx), std::abs(dy)) / kDragStepPixels);
  if (drag_part_ < 0) {
    const POINT from = ToScreen(step.x, step.y);
    display_.MoveMouse(from.x, from.y);
    display_.Press();
    drag_part_ = 1;
    return false;
  }
  if (drag_part_ <= parts) {
    const POINT at = ToScreen(step.x + dx * drag_part_ / parts, step.y + dy * drag_part_ / parts);
    display_.MoveMouse(at.x, at.y);
    ++drag_part_;
    return false;
  }
  display_.Release();
  drag_part_ = -1;
  return false;
}

POINT DemoPlayer::ToScreen(int x, int y) const {
  POINT point{x, y};
  ClientToScreen(main_, &point);
  return point;
}

std::string DemoPlayer::Resolve(const std::string& path, const std::string& folder) {
  if (path.empty() || path.front() == '/' || folder.empty()) return path;
  return folder + "/" + path;
}

void DemoPlayer::Finish() {
  finished_ = true;
  if (timer_ != 0) KillTimer(timer_window_, kTimer);
  timer_ = 0;
  if (main_ != nullptr && IsWindow(main_)) PostMessageA(main_, WM_CLOSE, 0, 0);
}

}  // namespace app
