// Where the colour popup puts its cells and entry boxes, and how the arrow
// keys move between them: plain geometry, kept apart from the window.
#pragma once

#include <cstdint>

#include "platform/win32.h"

namespace runtime::units::colorpicker {

inline constexpr int32_t kColumns = 7;
inline constexpr int32_t kRows = 5;  // 32 cells, 7 a row

// Positions in the popup: the transparent box, cells 0..31, the
// other-colours box.
inline constexpr int32_t kTransparentEntry = -1;
inline constexpr int32_t kOtherEntry = 32;
inline constexpr int32_t kNoEntry = -2;

struct PopupLayout {
  int32_t margin = 0;  // m
  int32_t cell = 0;    // k
  int32_t grid_top = 0;
  bool has_transparent = false;
  RECT transparent_box{};  // empty without the entry
  RECT other_box{};
  SIZE size{};  // of the whole popup

  RECT CellRect(int32_t index) const;
  // The entry at client point (x, y), or kNoEntry.
  int32_t HitTest(int32_t x, int32_t y) const;
};

// margin: SM_CXEDGE; text_height: one line of the entry font; text_width:
// the wider of the two entry texts.
PopupLayout LayOutPopup(int32_t margin, int32_t text_height, int32_t text_width,
                        bool has_transparent);

enum class Arrow { kLeft, kRight, kUp, kDown };

// Where an arrow key moves from `from`; `column` is the grid column last
// visited, kept for the way back from an entry box.
int32_t MoveEntry(int32_t from, Arrow arrow, bool has_transparent, int32_t* column);

}  // namespace runtime::units::colorpicker
