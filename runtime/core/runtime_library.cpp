#include "runtime/core/runtime_library.h"

#include <array>

#include "runtime/commands/commands.h"
#include "runtime/commands/show_message_box.h"
#include "runtime/pictures/load_picture.h"
#include "runtime/units/commondlg/commondlg_type.h"
#include "runtime/units/drawpanel/drawpanel_commands.h"
#include "runtime/units/unit_type_table.h"

namespace runtime {

namespace {

// Commands whose units or files are not part of the runtime yet stay null
// until they are.
const std::array<CommandRoutine, kRuntimeCommandCount> kCommands = [] {
  std::array<CommandRoutine, kRuntimeCommandCount> table{};
  table[kCommandDrawLine] = units::DrawLine;
  table[kCommandOpen] = units::OpenCommonDialog;
  table[kCommandWriteText] = units::WriteText;
  table[kCommandWriteTextAt] = units::WriteTextAt;
  table[kCommandDrawPicture] = units::DrawPicture;
  table[kCommandGetPicture] = units::GetPicture;
  table[kCommandRedraw] = units::Redraw;
  table[kCommandToInteger] = ToInteger;
  table[kCommandLoadPicture] = LoadPicture;
  table[kCommandGetRunDirectory] = GetRunDirectory;
  table[kCommandWriteToFile] = WriteToFile;
  table[kCommandShowMessageBox] = ShowMessageBox;
  return table;
}();

SystemServiceRoutine g_services = nullptr;

// Code 1 hands over the system service routine; codes 2 and 11 to 14 serve
// facilities this runtime does not offer. Everything else is unknown.
int32_t Notify(int32_t code, intptr_t first, intptr_t /*second*/) {
  constexpr int32_t kServicesHandedOver = 1;
  if (code != kServicesHandedOver) return -1;
  g_services = reinterpret_cast<SystemServiceRoutine>(first);
  return 0;
}

const LibraryDescriptor kRuntimeLibrary = {
    .format = kLibraryFormat,
    .identifier = "6d69656e7a6f2072756e74696d650001",
    .version_major = 5,
    .version_minor = 3,
    .version_build = 64,
    .runtime_major = 3,
    .runtime_minor = 7,
    .core_major = 3,
    .core_minor = 7,
    .display_name = "Mienzo runtime",
    .language = 1,
    .description = nullptr,
    .state_flags = 0xC0000001,
    .further_texts = {},
    .unit_type_count = kUnitTypeSlots,
    .unit_types = units::RuntimeUnitTypes().data(),
    .category_count = 0,
    .categories = nullptr,
    .command_count = kRuntimeCommandCount,
    .command_descriptions = nullptr,
    .command_routines = kCommands.data(),
    .add_in_routine = nullptr,
    .add_in_description = nullptr,
    .notify = Notify,
    .template_routine = nullptr,
    .template_description = nullptr,
    .constant_count = 0,
    .constants = nullptr,
    .dependent_files = nullptr,
};

}  // namespace

const LibraryDescriptor& RuntimeLibrary() { return kRuntimeLibrary; }

SystemServiceRoutine LibraryServices() { return g_services; }

}  // namespace runtime
