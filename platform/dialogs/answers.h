// Modal UI without a person. On the headless display (or with no display at
// all) a message box or common dialog is still a real modal window, shown
// and painted, but it answers itself: with the answer a test or script
// queued for its kind, or else with its default (a message box logs
// "MessageBox: <caption>: <text>" to stderr and takes its default button; a
// file dialog is cancelled). With the SDL display nothing answers by itself.
//
// Tests that want to drive a dialog with real input switch answering to
// manual and inject input from the shown hook, which runs inside the
// dialog's modal loop once the window is up:
//
//   ScopedAnswering manual(Answering::kManual);
//   SetModalShownHook([&](HWND) { display.Key(VK_ESCAPE); });
//   int result = MessageBoxA(owner, "text", "caption", MB_OKCANCEL);
//
// Sections: for tests and scripts - for the dialogs.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/win32.h"

namespace platform::dialogs {

// ---------------------------------------------------------------------------
// For tests and scripts
// ---------------------------------------------------------------------------

enum class Answering {
  kUnattended,  // headless: the queued answer, else the default (the usual case)
  kManual,      // the caller drives the windows with input itself
};
void SetAnswering(Answering mode);
Answering CurrentAnswering();

// Switches answering for a scope and restores the previous mode after it.
class ScopedAnswering {
 public:
  explicit ScopedAnswering(Answering mode) : previous_(CurrentAnswering()) { SetAnswering(mode); }
  ~ScopedAnswering() { SetAnswering(previous_); }
  ScopedAnswering(const ScopedAnswering&) = delete;
  ScopedAnswering& operator=(const ScopedAnswering&) = delete;

 private:
  Answering previous_;
};

// Answers are taken first in, first out, one per dialog of that kind, and
// only while the dialogs answer themselves.
void QueueMessageBoxAnswer(int id);            // the button: IDOK .. IDCONTINUE
void QueueFileDialogAnswer(std::string path);  // GBK, as GetOpenFileNameA returns it
void QueueFileDialogCancel();
void QueueColorDialogAnswer(COLORREF color);
void QueueColorDialogCancel();
void QueueFontDialogAnswer(const LOGFONTA& font, COLORREF color);
void QueueFontDialogCancel();
void ClearQueuedAnswers();
size_t QueuedAnswerCount();  // of every kind together

// Called on the UI thread with each modal window of the layer once it is
// shown and painted, before it answers itself or waits for input. An empty
// function removes the hook.
using ModalShownHook = std::function<void(HWND)>;
void SetModalShownHook(ModalShownHook hook);

// ---------------------------------------------------------------------------
// For the dialogs
// ---------------------------------------------------------------------------

struct FileAnswer {
  bool cancelled = false;
  std::string path;  // GBK
};
struct ColorAnswer {
  bool cancelled = false;
  COLORREF color = 0;
};
struct FontAnswer {
  bool cancelled = false;
  LOGFONTA font{};
  COLORREF color = 0;
};

// True when a modal window must answer itself: the display is the headless
// one (or there is none) and answering is unattended.
bool DialogsAnswerThemselves();

// A modal window is up: runs the shown hook on the headless display.
void ModalWindowShown(HWND window);

std::optional<int> TakeMessageBoxAnswer();
std::optional<FileAnswer> TakeFileDialogAnswer();
std::optional<ColorAnswer> TakeColorDialogAnswer();
std::optional<FontAnswer> TakeFontDialogAnswer();

// The one line written for a dialog nobody answered, without the newline:
// "<kind>: <caption>: <text>" in UTF-8, each run of line breaks in the text
// (and caption) turned into one space and trailing breaks dropped.
std::string UnansweredLine(std::string_view kind, std::string_view caption_gbk,
                           std::string_view text_gbk);
// Writes that line and a newline to stderr.
void LogUnanswered(std::string_view kind, std::string_view caption_gbk, std::string_view text_gbk);

}  // namespace platform::dialogs
