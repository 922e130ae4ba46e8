// Modules: the running program and the libraries loaded with LoadLibraryA.
#pragma once

#include <string>

#include "platform/win32.h"

namespace platform {

// GetModuleHandleA(NULL): a fixed value, the classic image base of a Win32
// program, far above any table handle.
inline HMODULE ProgramModule() { return reinterpret_cast<HMODULE>(uintptr_t{0x00400000}); }

// The path the dynamic loader opened for a library from LoadLibraryA, in
// UTF-8; false when `module` is no such library.
bool LibraryPath(HMODULE module, std::string* path);

}  // namespace platform
