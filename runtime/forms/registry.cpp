#include "runtime/forms/registry.h"

namespace runtime::forms {

LoadedWindow& WindowRegistry::Add(std::unique_ptr<LoadedWindow> window) {
  windows_.push_back(std::move(window));
  return *windows_.back();
}

LoadedWindow* WindowRegistry::Find(uint32_t window_id) const {
  for (const auto& window : windows_) {
    if (window->window_id == window_id) return window.get();
  }
  return nullptr;
}

LoadedWindow* WindowRegistry::At(int32_t position) const {
  if (position < 0 || position >= Count()) return nullptr;
  return windows_[static_cast<size_t>(position)].get();
}

LoadedWindow* WindowRegistry::FindByHandle(HWND hwnd) const {
  if (hwnd == nullptr) return nullptr;
  for (const auto& window : windows_) {
    if (window->Window() == hwnd) return window.get();
  }
  return nullptr;
}

WindowRegistry& Registry() {
  static WindowRegistry registry;
  return registry;
}

}  // namespace runtime::forms
