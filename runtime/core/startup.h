// Start-up: from the process entry to the application's start routine, the
// runtime initialisation the start routine asks for first, and the loading
// of its start window.
#pragma once

#include <cstdint>

#include "runtime/core/program_header.h"

namespace runtime {

// The framework's part of the process start: keeps `header`, records the
// module directory and runs `start` once. A start routine that returns 0 ran
// the whole program itself; any other result gets the message loop here. Then
// the exit path: the shut-down with exit code 0. Returns the exit code of the
// process, the wParam of the WM_QUIT that ended the loop (0 if none came);
// the caller ends the process with it.
int32_t RunProgram(const ProgramHeader& header, StartRoutine start);

// Helper 6, the runtime initialisation, in this order: keep the process heap;
// copy run mode, second mode word and counter seed + 1; OleInitialize; record
// the run directory and program file name and make the run directory current;
// create the hidden owner window; record the main thread; keep the constant
// data range; take the declared external-library routines; hand each library
// with a notify routine the system service routine; read the window template.
// An unreadable template is reported ("载入窗口模板数据段出错!"). Runs once.
void InitializeRuntime();

// Runtime entry 11: loads the registered window `window_id` as a top-level
// window without owner and makes it the main window. A window that is not
// registered or does not load is reported ("载入启动窗口失败").
void LoadStartWindow(uint32_t window_id);

}  // namespace runtime
