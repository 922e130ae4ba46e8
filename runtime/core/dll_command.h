// Calls of the external-library routines a program declares in its header.
#pragma once

#include <cstdint>

namespace runtime {

// Runtime entry 1: resolves the declared routine `number` (once; later calls
// reuse the address) and calls it with the `count` integer or pointer
// arguments at `args`, first argument first, handing back its result.
//
// A routine whose library file name is empty is looked for in Kernel32.dll,
// Gdi32.dll, User32.dll, Advapi32.dll, Mpr.dll and Shell32.dll, in this
// order. Another file name is tried, unless it is a full path, under the
// application's library directory (when set), under the run directory, under
// the module directory, and then as given. A routine name "#n" asks for
// ordinal n. A routine that cannot be found is reported and ends the process.
//
// At most kMaxDllArguments arguments (more are reported with error code 11);
// floating-point arguments and results cannot pass this way.
inline constexpr int32_t kMaxDllArguments = 12;
intptr_t CallDllCommand(int32_t number, int32_t count, const intptr_t* args);

}  // namespace runtime
