#include "runtime/forms/window_object.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace runtime::forms {

namespace {

// Every object handed out and not yet deleted. Callers pass them back as
// plain addresses, so an address is checked against this list before it is
// used.
std::vector<std::unique_ptr<WindowObject>>& Objects() {
  static std::vector<std::unique_ptr<WindowObject>> objects;
  return objects;
}

auto FindEntry(void* object) {
  return std::ranges::find_if(
      Objects(), [object](const auto& entry) { return static_cast<void*>(entry.get()) == object; });
}

}  // namespace

WindowObject* NewWindowObject(HWND window) {
  auto object = std::make_unique<WindowObject>();
  object->window = window;
  Objects().push_back(std::move(object));
  return Objects().back().get();
}

WindowObject* FindWindowObject(void* object) {
  if (object == nullptr) return nullptr;
  auto entry = FindEntry(object);
  return entry != Objects().end() ? entry->get() : nullptr;
}

bool DeleteWindowObject(void* object) {
  if (object == nullptr) return false;
  auto entry = FindEntry(object);
  if (entry == Objects().end()) return false;
  Objects().erase(entry);
  return true;
}

HWND DetachWindowObject(void* object) {
  WindowObject* found = FindWindowObject(object);
  if (found == nullptr) return nullptr;
  HWND window = found->window;
  found->window = nullptr;
  return window;
}

bool AttachWindowObject(void* object, HWND window) {
  WindowObject* found = FindWindowObject(object);
  if (found == nullptr || found->window != nullptr || !IsWindow(window)) return false;
  found->window = window;
  return true;
}

}  // namespace runtime::forms
