// The COMBOBOX standard control: an edit or selection field over a list of
// GBK items that drops down below it (or, for CBS_SIMPLE, always shows).
#pragma once

namespace platform::controls {

// Registers the "ComboBox" class (system_classes.cpp calls it once).
void RegisterComboBoxClass();

}  // namespace platform::controls
