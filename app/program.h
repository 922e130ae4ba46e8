// The program header through which the runtime learns about the editor: its
// constants, its window template, its handler table and the runtime library.
#pragma once

#include "runtime/core/program_header.h"

namespace app {

// The handlers in the order of the form's `handlers` lines, then null: a
// handler offset stored in the template is a position in this table.
extern const runtime::EventHandler kHandlerTable[];
extern const char* const kHandlerTableNames[];  // the same order, then null

const runtime::ProgramHeader& Program();

}  // namespace app
