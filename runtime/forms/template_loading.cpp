#include "runtime/forms/template_loading.h"

#include <memory>
#include <span>
#include <vector>

#include "runtime/forms/registry.h"
#include "runtime/forms/template_segment.h"

namespace runtime::forms {

namespace {

std::unique_ptr<LoadedWindow> MakeLoadedWindow(WindowTemplate& source) {
  auto window = std::make_unique<LoadedWindow>();
  window->window_id = source.window_id;
  window->word_a = source.word_a;
  window->word_b = source.word_b;
  window->text_c = std::move(source.text_c);
  window->text_d = std::move(source.text_d);
  window->units = std::move(source.units);
  window->slots.resize(static_cast<size_t>(window->units.Count()));
  return window;
}

}  // namespace

bool LoadTemplates(const ProgramHeader& header) {
  if (header.template_segment == nullptr && header.template_size != 0) return false;
  auto windows = ReadTemplateSegment({header.template_segment, header.template_size});
  if (!windows) return false;
  // The table holds function pointers; only its length matters here.
  const size_t handler_count =
      CountHandlers(reinterpret_cast<const void* const*>(header.code_base));
  for (WindowTemplate& window : *windows) {
    if (!RelocateHandlers(window.units, handler_count)) return false;
  }
  for (WindowTemplate& window : *windows) Registry().Add(MakeLoadedWindow(window));
  return true;
}

}  // namespace runtime::forms
