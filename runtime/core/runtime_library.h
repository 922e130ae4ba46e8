// The runtime's own library: the descriptor a program's header lists first,
// with its 51 unit-type slots and the table of the command routines the
// application calls.
#pragma once

#include <cstdint>

#include "runtime/core/program_header.h"

namespace runtime {

// Positions in the command routine table, in the order the application's
// routines first call them.
enum RuntimeCommand : int32_t {
  kCommandDrawLine = 0,
  kCommandWriteText = 1,
  kCommandToInteger = 2,
  kCommandWriteTextAt = 3,
  kCommandOpen = 4,  // the common dialog unit's method
  kCommandLoadPicture = 5,
  kCommandDrawPicture = 6,
  kCommandGetRunDirectory = 7,
  kCommandGetPicture = 8,
  kCommandWriteToFile = 9,
  kCommandShowMessageBox = 10,
  kCommandRedraw = 11,
  kRuntimeCommandCount = 12,
};

const LibraryDescriptor& RuntimeLibrary();

// The system service routine the runtime library was handed at start-up;
// null before. Unit types reach the framework through it.
SystemServiceRoutine LibraryServices();

}  // namespace runtime
