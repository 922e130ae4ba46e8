// The tooltips_class32 control: a topmost popup that shows a tool's text
// after the pointer has rested on the tool. Its class is registered with
// the other system classes.
#pragma once

namespace platform::controls {

// Registers "tooltips_class32" (system_classes.cpp calls it once).
void RegisterTooltipClass();

}  // namespace platform::controls
