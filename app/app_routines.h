// The application's globals, its start routine and its exit routine.
#pragma once

#include <cstdint>

namespace app {

struct AppGlobals {
  int32_t mouse_down = 0;             // 1 while the left button is held on the panel
  char* picture_file_name = nullptr;  // last chosen file; owned, freed when replaced
  int32_t loaded_picture = 0;         // picture handle; the runtime keeps the picture
};

// Static storage, zero when the program starts.
AppGlobals& Globals();

// The program's start routine: initialises the runtime, registers CleanUp,
// loads the main window and runs the message loop. Returns 0 once the
// program is over.
int32_t StartRoutine();

// The exit routine: frees the file name the open dialog left.
void CleanUp();

}  // namespace app
