// The end of the program: exit routines, the shut-down and EndProgram.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "runtime/core/app_state.h"

namespace runtime {

// Sent to the hidden owner window by a thread other than the main thread that
// asks for the shut-down; wParam is the exit code.
inline constexpr UINT kShutdownRequest = 0x83E7;

// Appends `routine` to the exit routines unless it is already there (a null
// routine is ignored). They run once each, in this order, at shut-down.
void RegisterExitRoutine(ExitRoutine routine);

// The shut-down, on the main thread: events suppressed for good, idle
// callbacks dropped, loaded windows deleted, exit routines run and emptied,
// libraries told and forgotten, external libraries freed, OLE ended. Asked
// for on another thread it is passed to the main thread (kShutdownRequest)
// and, unless a shut-down is already running there, ends the process. A
// shut-down asked for while one runs returns at once.
void Shutdown(int32_t exit_code);

// Runs the shut-down and ends the process with `exit_code`. On a thread other
// than the main thread while the main thread is shutting down, the calling
// thread waits for that shut-down to end the process instead.
[[noreturn]] void EndProgram(int32_t exit_code);

// What the hidden owner window does with kShutdownRequest on the main thread.
void HandleShutdownRequest(int32_t exit_code);

}  // namespace runtime
