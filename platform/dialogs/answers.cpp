#include "platform/dialogs/answers.h"

#include <cstdio>
#include <deque>
#include <mutex>
#include <utility>

#include "platform/base/gbk.h"
#include "platform/display/headless.h"

namespace platform::dialogs {

namespace {

// A script may queue from another thread than the one that shows dialogs.
struct Answers {
  std::mutex mutex;
  Answering mode = Answering::kUnattended;
  std::deque<int> message_box;
  std::deque<FileAnswer> file;
  std::deque<ColorAnswer> color;
  std::deque<FontAnswer> font;
  ModalShownHook shown_hook;
};

Answers& State() {
  static Answers answers;
  return answers;
}

template <typename T>
std::optional<T> TakeFront(std::deque<T>& queue) {
  std::lock_guard lock(State().mutex);
  if (queue.empty()) return std::nullopt;
  T front = std::move(queue.front());
  queue.pop_front();
  return front;
}

template <typename T>
void PushBack(std::deque<T>& queue, T value) {
  std::lock_guard lock(State().mutex);
  queue.push_back(std::move(value));
}

// Nobody sits at a headless screen, nor at none at all.
bool NobodyAtTheScreen() {
  Display* display = CurrentDisplay();
  return display == nullptr || dynamic_cast<HeadlessDisplay*>(display) != nullptr;
}

// Runs of CR and LF become one space; trailing ones go.
std::string OneLine(std::string_view text) {
  std::string line;
  bool pending_space = false;
  for (char c : text) {
    if (c == '\r' || c == '\n') {
      pending_space = !line.empty();
      continue;
    }
    if (pending_space) line += ' ';
    pending_space = false;
    line += c;
  }
  return line;
}

}  // namespace

void SetAnswering(Answering mode) {
  std::lock_guard lock(State().mutex);
  State().mode = mode;
}

Answering CurrentAnswering() {
  std::lock_guard lock(State().mutex);
  return State().mode;
}

void QueueMessageBoxAnswer(int id) { PushBack(State().message_box, id); }
void QueueFileDialogAnswer(std::string path) {
  PushBack(State().file, FileAnswer{false, std::move(path)});
}
void QueueFileDialogCancel() { PushBack(State().file, FileAnswer{true, {}}); }
void QueueColorDialogAnswer(COLORREF color) { PushBack(State().color, ColorAnswer{false, color}); }
void QueueColorDialogCancel() { PushBack(State().color, ColorAnswer{true, 0}); }
void QueueFontDialogAnswer(const LOGFONTA& font, COLORREF color) {
  PushBack(State().font, FontAnswer{false, font, color});
}
void QueueFontDialogCancel() { PushBack(State().font, FontAnswer{true, {}, 0}); }

void ClearQueuedAnswers() {
  Answers& a = State();
  std::lock_guard lock(a.mutex);
  a.message_box.clear();
  a.file.clear();
  a.color.clear();
  a.font.clear();
}

size_t QueuedAnswerCount() {
  Answers& a = State();
  std::lock_guard lock(a.mutex);
  return a.message_box.size() + a.file.size() + a.color.size() + a.font.size();
}

void SetModalShownHook(ModalShownHook hook) {
  std::lock_guard lock(State().mutex);
  State().shown_hook = std::move(hook);
}

bool DialogsAnswerThemselves() {
  return NobodyAtTheScreen() && CurrentAnswering() == Answering::kUnattended;
}

void ModalWindowShown(HWND window) {
  if (!NobodyAtTheScreen()) return;
  ModalShownHook hook;
  {
    std::lock_guard lock(State().mutex);
    hook = State().shown_hook;  // a copy: the hook may replace itself
  }
  if (hook) hook(window);
}

std::optional<int> TakeMessageBoxAnswer() { return TakeFront(State().message_box); }
std::optional<FileAnswer> TakeFileDialogAnswer() { return TakeFront(State().file); }
std::optional<ColorAnswer> TakeColorDialogAnswer() { return TakeFront(State().color); }
std::optional<FontAnswer> TakeFontDialogAnswer() { return TakeFront(State().font); }

std::string UnansweredLine(std::string_view kind, std::string_view caption_gbk,
                           std::string_view text_gbk) {
  std::string line(kind);
  line += ": ";
  line += gbk::ToUtf8(OneLine(caption_gbk));
  line += ": ";
  line += gbk::ToUtf8(OneLine(text_gbk));
  return line;
}

void LogUnanswered(std::string_view kind, std::string_view caption_gbk, std::string_view text_gbk) {
  const std::string line = UnansweredLine(kind, caption_gbk, text_gbk) + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

}  // namespace platform::dialogs
