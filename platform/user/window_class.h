// Registered window classes. Class names compare case-insensitively (ASCII),
// as Win32 does; system classes (controls) are registered like any other.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/user.h"

namespace platform::user {

struct WindowClass {
  std::string name;  // GBK, as registered
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int class_extra = 0;
  int window_extra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON small_icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  std::vector<unsigned char> extra;  // cbClsExtra bytes
  int window_count = 0;              // live windows of the class
};

// The class a CreateWindowEx name or atom names; null when none.
std::shared_ptr<WindowClass> FindClass(LPCSTR name_or_atom);

}  // namespace platform::user
