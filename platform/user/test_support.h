// What the window-manager tests share: a headless display on a virtual
// clock, a window class whose procedure records every message, and helpers
// to compare recorded message sequences with expected ones.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/display/headless.h"
#include "platform/win32.h"

namespace platform::user::testing {

struct Recorded {
  HWND hwnd;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};

// Records the messages of every window of the class "Recorder" and answers
// them through per-message handlers or DefWindowProc.
class Recorder {
 public:
  using Handler = std::function<LRESULT(HWND, WPARAM, LPARAM)>;

  Recorder();
  ~Recorder();

  HWND Create(DWORD style, int x, int y, int w, int h, HWND parent = nullptr, DWORD ex_style = 0,
              int id = 0);
  // Answers `message` with `handler` instead of DefWindowProc.
  void On(UINT message, Handler handler) { handlers_[message] = std::move(handler); }
  // The messages recorded since the last Clear, without the noise of hit
  // testing and cursor setting unless asked for.
  std::vector<UINT> Messages(HWND hwnd = nullptr, bool with_mouse_noise = false) const;
  const std::vector<Recorded>& all() const { return log_; }
  void Clear() { log_.clear(); }

  static LRESULT Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  std::vector<Recorded> log_;
  std::map<UINT, Handler> handlers_;
};

// Names messages for failure output: "WM_CREATE" instead of 1.
std::string MessageName(UINT message);
std::string Describe(const std::vector<UINT>& messages);

#define EXPECT_MESSAGES(actual, ...)                     \
  EXPECT_EQ(::platform::user::testing::Describe(actual), \
            ::platform::user::testing::Describe(std::vector<UINT>{__VA_ARGS__}))

}  // namespace platform::user::testing
