// The window registry: every loaded window of the template, by window id.
// Filled once at start-up, emptied at shut-down.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "runtime/forms/loaded_window.h"

namespace runtime::forms {

class WindowRegistry {
 public:
  // Enters `window`; a window id already present gets a second entry that
  // lookups never find.
  LoadedWindow& Add(std::unique_ptr<LoadedWindow> window);
  // The first window with `window_id`, or null.
  LoadedWindow* Find(uint32_t window_id) const;
  LoadedWindow* At(int32_t position) const;
  int32_t Count() const { return static_cast<int32_t>(windows_.size()); }
  // The loaded window whose window (entry 0) is `hwnd`, or null.
  LoadedWindow* FindByHandle(HWND hwnd) const;
  void Clear() { windows_.clear(); }

 private:
  std::vector<std::unique_ptr<LoadedWindow>> windows_;
};

// The program's registry.
WindowRegistry& Registry();

}  // namespace runtime::forms
