// The start-up read of the window template: every window of the segment
// becomes a loaded window in the registry, with its handler bindings turned
// into positions in the application's handler table.
#pragma once

#include "runtime/core/program_header.h"

namespace runtime::forms {

// Reads the header's template segment, relocates the handler bindings of
// every window against the header's handler table and enters the windows
// into Registry() in map order. False when the segment is damaged or a
// binding names a handler beyond the table; the registry is then left as
// it was, so that no half-read window is ever reachable.
bool LoadTemplates(const ProgramHeader& header);

}  // namespace runtime::forms
