#include "app/program.h"

#include <iterator>

#include "app/app_constants.h"
#include "app/handlers.h"
#include "app/main_window_segment.h"
#include "runtime/core/runtime_library.h"

namespace app {

const runtime::EventHandler kHandlerTable[] = {
    OnPanelMouseMove, OnPanelMouseDown,  OnPanelMouseUp, OnAddText,
    OnPlaceText,      OnAddSmallPicture, OnOpenPicture,  OnSaveFile,
    OnClearAll,       OnSavePicBox,      nullptr,
};

const char* const kHandlerTableNames[] = {
    "OnPanelMouseMove", "OnPanelMouseDown",  "OnPanelMouseUp", "OnAddText",
    "OnPlaceText",      "OnAddSmallPicture", "OnOpenPicture",  "OnSaveFile",
    "OnClearAll",       "OnSavePicBox",      nullptr,
};
static_assert(std::size(kHandlerTable) == std::size(kHandlerTableNames));

namespace {

constexpr uint32_t kRunMode = 3;
constexpr uint32_t kCounterSeed = 0x00010053;

const runtime::LibraryDescriptor* const kLibraries[] = {&runtime::RuntimeLibrary()};

runtime::ProgramHeader MakeHeader() {
  runtime::ProgramHeader header{};
  header.run_mode = kRunMode;
  header.counter_seed = kCounterSeed;
  header.code_base = kHandlerTable;
  header.constant_data = &Constants();
  header.constant_size = kConstantDataSize;
  header.template_segment = kMainWindowSegment;
  header.template_size = static_cast<uint32_t>(kMainWindowSegment_size);
  header.library_count = 1;
  header.libraries = kLibraries;
  return header;  // no external-library routines are declared
}

}  // namespace

const runtime::ProgramHeader& Program() {
  static const runtime::ProgramHeader header = MakeHeader();
  return header;
}

}  // namespace app
