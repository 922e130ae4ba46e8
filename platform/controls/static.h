// The STATIC control: text (left, centred or right, wrapped at words), an
// icon or a bitmap, on the colours its parent gives in WM_CTLCOLORSTATIC.
#pragma once

namespace platform::controls {

// Registers the "Static" class (system_classes.cpp calls it once).
void RegisterStaticClass();

}  // namespace platform::controls
