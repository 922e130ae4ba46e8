// The window classes every process has without registering them: the
// standard controls. The window manager registers them the first time any
// class is looked up, so they exist before the first CreateWindowExA.
#pragma once

namespace platform::controls {

// Registers each standard control's class once per process; later calls do
// nothing.
void RegisterSystemClasses();

}  // namespace platform::controls
