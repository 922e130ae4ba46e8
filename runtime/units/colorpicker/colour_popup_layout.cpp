#include "runtime/units/colorpicker/colour_popup_layout.h"

#include <algorithm>

#include "runtime/units/colorpicker/colour_palette.h"

namespace runtime::units::colorpicker {

namespace {

constexpr int32_t kCellSize = 18;

bool Inside(const RECT& r, int32_t x, int32_t y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

int32_t CellAt(int32_t row, int32_t column) {
  const int32_t index = row * kColumns + column;
  return index < kPaletteSize ? index : kNoEntry;
}

}  // namespace

RECT PopupLayout::CellRect(int32_t index) const {
  const int32_t left = margin + (index % kColumns) * cell;
  const int32_t top = grid_top + margin + (index / kColumns) * cell;
  return {left, top, left + cell, top + cell};
}

int32_t PopupLayout::HitTest(int32_t x, int32_t y) const {
  if (has_transparent && Inside(transparent_box, x, y)) return kTransparentEntry;
  if (Inside(other_box, x, y)) return kOtherEntry;
  for (int32_t i = 0; i < kPaletteSize; ++i) {
    if (Inside(CellRect(i), x, y)) return i;
  }
  return kNoEntry;
}

PopupLayout LayOutPopup(int32_t margin, int32_t text_height, int32_t text_width,
                        bool has_transparent) {
  PopupLayout layout;
  layout.margin = margin;
  layout.cell = std::max(kCellSize, 2 * margin + 7);
  layout.has_transparent = has_transparent;
  const int32_t grid_width = kColumns * layout.cell + 2 * margin;
  const int32_t grid_height = kRows * layout.cell + 2 * margin;
  const int32_t box_height = text_height + 5 * margin + 2;
  const int32_t width = std::max(grid_width, text_width + 2 * margin);
  int32_t height = grid_height;
  if (has_transparent) {
    layout.transparent_box = {margin, margin, width - margin, margin + box_height};
    layout.grid_top = box_height + margin;
    height += box_height + 2 * margin;
  }
  const int32_t other_top = layout.grid_top + grid_height;
  layout.other_box = {margin, other_top, width - margin, other_top + box_height};
  height += box_height + 2 * margin;
  layout.size = {width, height};
  return layout;
}

int32_t MoveEntry(int32_t from, Arrow arrow, bool has_transparent, int32_t* column) {
  const int32_t first = has_transparent ? kTransparentEntry : 0;
  if (from >= 0 && from < kPaletteSize) *column = from % kColumns;
  switch (arrow) {
    case Arrow::kLeft:
      return from <= first ? kOtherEntry : (from == 0 ? kTransparentEntry : from - 1);
    case Arrow::kRight:
      return from >= kOtherEntry ? first : from + 1;
    case Arrow::kUp:
      if (from == kOtherEntry) {
        const int32_t below = CellAt(kRows - 1, *column);
        return below != kNoEntry ? below : CellAt(kRows - 2, *column);
      }
      if (from == kTransparentEntry) return kOtherEntry;
      if (from < kColumns) return has_transparent ? kTransparentEntry : kOtherEntry;
      return from - kColumns;
    case Arrow::kDown:
      if (from == kTransparentEntry) return CellAt(0, *column);
      if (from == kOtherEntry) return has_transparent ? kTransparentEntry : CellAt(0, *column);
      return from + kColumns < kPaletteSize ? from + kColumns : kOtherEntry;
  }
  return from;
}

}  // namespace runtime::units::colorpicker
