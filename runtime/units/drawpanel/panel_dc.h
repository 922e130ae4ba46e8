// DCs a panel holds for one operation, given back when they go out of
// scope: a window's DC, and a memory DC holding one bitmap.
#pragma once

#include "platform/win32.h"

namespace runtime::units::drawpanel {

class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC dc() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

class BitmapDc {
 public:
  explicit BitmapDc(HBITMAP bitmap)
      : dc_(CreateCompatibleDC(nullptr)), previous_(dc_ ? SelectObject(dc_, bitmap) : nullptr) {}
  ~BitmapDc() {
    if (dc_ == nullptr) return;
    if (previous_ != nullptr) SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  BitmapDc(const BitmapDc&) = delete;
  BitmapDc& operator=(const BitmapDc&) = delete;

  // Null when the DC could not be made or would not take the bitmap.
  HDC dc() const { return previous_ != nullptr ? dc_ : nullptr; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace runtime::units::drawpanel
