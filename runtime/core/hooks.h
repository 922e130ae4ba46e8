// The places where the window framework plugs into the runtime core.
//
// The core starts the program, runs the message loop and shuts down, but the
// template reader, the window registry with its form loader, the window unit
// and the window objects live above it. They install themselves here, once,
// before the start routine runs. A slot left empty means the piece is not
// there, and the core behaves as a program without it would: no windows are
// registered, loading any window fails, nothing asks for idle time and no
// window object consumes a message.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "runtime/core/program_header.h"

namespace runtime {

struct FrameworkHooks {
  // Reads the template segment of `header` into loaded windows, turns handler
  // offsets into addresses and enters the windows into the registry. False
  // when the segment cannot be read. Called only for a non-empty segment.
  bool (*load_templates)(const ProgramHeader& header) = nullptr;

  // Loads the registered window `window_id` as a top-level window without an
  // owner. False when the id is not registered or loading fails; on success
  // *window is its handle (null if the window closed itself while loading).
  bool (*load_start_window)(uint32_t window_id, HWND* window) = nullptr;

  // The registry by position: how many windows it holds, and the handle of
  // the one at `position` (0-based) when it is live, else null.
  int32_t (*loaded_window_count)() = nullptr;
  HWND (*loaded_window_handle)(int32_t position) = nullptr;
  // The registry by window id: the handle of the window `window_id` when it
  // is registered and live, else null (commands that take a window
  // reference, such as a message box's owner).
  HWND (*registered_window_handle)(uint32_t window_id) = nullptr;

  // Deletes every loaded window with the units it still holds and empties
  // the registry (shut-down).
  void (*delete_loaded_windows)() = nullptr;

  // Raises the idle event of the registry window at `position` with the
  // milliseconds since idle time began; the handler's result, 0 when none ran.
  int32_t (*raise_idle_event)(int32_t position, int32_t milliseconds) = nullptr;

  // Window objects: the object of a window handle that the framework knows
  // (null otherwise), and the object's message pre-translation (non-zero when
  // it consumed the message). A window whose object is not known is asked
  // for it with kQueryWindowObject.
  void* (*find_window_object)(HWND window) = nullptr;
  BOOL (*pre_translate)(void* window_object, MSG* message) = nullptr;

  // Property access by window id and unit id: the 64-bit value (low word,
  // high word), and the write of (low, high).
  uint64_t (*read_property)(uint32_t window_id, uint32_t unit_id, int32_t index,
                            int32_t sub_index) = nullptr;
  void (*write_property)(uint32_t window_id, uint32_t unit_id, int32_t index, int32_t sub_index,
                         uint32_t value_low, uint32_t value_high) = nullptr;

  // The system service routine handed to every library at start-up.
  SystemServiceRoutine system_service = nullptr;
};

// Asked of a window whose object the framework does not know; the answer is
// the object's address, or 0 (DefWindowProc's answer) when it has none.
inline constexpr UINT kQueryWindowObject = 0x8002;

FrameworkHooks& Hooks();

}  // namespace runtime
