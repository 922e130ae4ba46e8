// The main window's template segment and handler names, compiled from
// main_window.form by formc at build time.
#pragma once

#include <cstddef>
#include <cstdint>

extern const uint8_t kMainWindowSegment[];
extern const size_t kMainWindowSegment_size;
extern const char* const kMainWindowSegment_handler_names[];  // null-terminated
extern const size_t kMainWindowSegment_handler_count;
