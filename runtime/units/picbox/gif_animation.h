// The picture box's GIF animation engine.
//
// A thread of its own composes frame after frame on a canvas of the GIF's
// logical screen (gif_frames.h) and copies each finished frame onto the
// window; the box's paint handler copies the same canvas whenever the window
// needs painting. The busy flag, a mutex, keeps the two off the canvas at the
// same time. Everything else the thread reads is either fixed before it
// starts (window, frames, background) or handed over under a lock (the view,
// and the window DC it draws through, which the UI thread makes: making one
// reads the window tree).
//
// Life: made on the UI thread when a GIF is shown with animation on; the
// first paint after that starts the thread; Stop (a new picture,
// PlayAnimation turned off, destruction; the destructor stops) asks the
// thread to end, wakes it out of its delay and joins it, so nothing of the
// engine is freed while the thread may still touch it.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/win32.h"
#include "runtime/pictures/byte_reader.h"
#include "runtime/units/picbox/gif_frames.h"

namespace runtime::units::picbox {

class GifAnimation {
 public:
  enum class RunState { kNotRunning, kRunning, kStopRequested, kStopped };

  // What the thread is doing, read as one piece: frames it has drawn, and
  // while it waits out a frame's delay, the tick count the delay ends at and
  // the one it last read.
  struct Pacing {
    uint32_t frames = 0;
    bool waiting = false;
    DWORD due = 0;
    DWORD seen = 0;
  };

  // Null when `gif` holds no screen with a first image, or its canvas would
  // exceed the picture byte limit.
  static std::unique_ptr<GifAnimation> Create(HWND window, Bytes gif);
  ~GifAnimation();
  GifAnimation(const GifAnimation&) = delete;
  GifAnimation& operator=(const GifAnimation&) = delete;

  int32_t width() const { return frames_.width(); }  // the logical screen
  int32_t height() const { return frames_.height(); }

  // Where the canvas goes on the window. The UI thread sets it whenever the
  // display mode or the client size changes; the thread reads it per frame.
  void SetView(int32_t mode, int32_t client_width, int32_t client_height);

  // Starts the thread from the first image, the canvas filled with
  // `background` when the thread first makes it. False while a thread runs or
  // when none can be made.
  bool Start(COLORREF background);
  bool started() const { return started_; }  // Start succeeded at least once
  // Asks the thread to stop, waits until it has ended and releases its
  // window DC. Nothing when no thread runs.
  void Stop();
  RunState state() const { return state_.load(); }

  // Copies the canvas onto `dc` by the view (the box's painting). False
  // while the thread has not made the canvas yet.
  bool PaintCanvas(HDC dc);

  // Takes a new DC of the window, on the calling (UI) thread, for the
  // animation thread to draw through from its next frame on. A window DC
  // clips to what was visible when it was made, and making one reads the
  // window tree, which only the UI thread may do; so the UI thread makes it
  // when the thread starts and again whenever the window's place, size,
  // visibility or what lies over it may have changed.
  void RefreshWindowDc();

  Pacing pacing() const;

  // Makes the thread read the tick count again at once. A virtual clock
  // moves without telling the waits measured on it, so whoever moves one
  // calls this after each step.
  void ClockMoved();

 private:
  struct View {
    int32_t mode = 0;
    int32_t client_width = 0;
    int32_t client_height = 0;
  };

  explicit GifAnimation(HWND window) : window_(window) {}
  static DWORD ThreadMain(LPVOID self);
  void Run();
  bool MakeCanvas();            // with busy_ held
  void CopyCanvas(HDC target);  // with busy_ held
  void WaitOut(DWORD t0, DWORD delay);
  void Publish(bool waiting, DWORD due, DWORD seen);
  void ReleaseCanvas();
  void ReleaseWindowDc();

  const HWND window_;
  COLORREF background_ = 0;  // set before the thread starts

  // The busy flag, and what it guards.
  std::mutex busy_;
  GifFrames frames_;
  HDC window_dc_ = nullptr;  // made and released on the UI thread
  HDC canvas_dc_ = nullptr;
  HBITMAP canvas_ = nullptr;
  HGDIOBJ canvas_previous_ = nullptr;  // what canvas_dc_ held before

  mutable std::mutex view_mutex_;
  View view_;  // guarded by view_mutex_

  mutable std::mutex pacing_mutex_;
  Pacing pacing_;  // guarded by pacing_mutex_

  std::atomic<RunState> state_{RunState::kNotRunning};
  HANDLE wake_ = nullptr;    // auto-reset: a stop request or ClockMoved
  HANDLE thread_ = nullptr;  // UI thread only
  bool started_ = false;     // UI thread only
};

}  // namespace runtime::units::picbox
