// The EDIT standard control: single-line and multi-line text entry over GBK
// text. Its class is registered with the other system classes.
#pragma once

namespace platform::controls {

// Registers the "EDIT" window class (once, from RegisterSystemClasses).
void RegisterEditClass();

}  // namespace platform::controls
