#include "platform/user/menu_layout.h"

#include <algorithm>

#include "platform/win32.h"

namespace platform::user {

LOGFONTA SystemLogFont(LONG weight);

namespace m = menu_metrics;

MenuFont::MenuFont(HDC dc) : dc_(dc) {
  const LOGFONTA logfont = SystemLogFont(FW_NORMAL);
  font_ = CreateFontIndirectA(&logfont);
  old_ = SelectObject(dc_, font_);
}

MenuFont::~MenuFont() {
  SelectObject(dc_, old_);
  DeleteObject(font_);
}

int MenuFont::Width(const std::string& text) const {
  if (text.empty()) return 0;
  RECT r{0, 0, 0, 0};
  DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  return r.right - r.left;
}

namespace {

// A memory DC with the menu font, for measuring.
class Measure {
 public:
  Measure() : dc_(CreateCompatibleDC(nullptr)), font_(dc_) {}
  ~Measure() { DeleteDC(dc_); }
  int Width(const std::string& text) const { return font_.Width(text); }

 private:
  HDC dc_;
  MenuFont font_;
};

// Moves the items of one bar row from the first right-justified one on so
// that the row ends at `width`.
void JustifyRow(Menu& menu, size_t first, size_t end, int width) {
  for (size_t i = first; i < end; ++i) {
    if (!(menu.items[i].type & MF_RIGHTJUSTIFY)) continue;
    const int shift = std::max(0, width - static_cast<int>(menu.items[end - 1].rect.right));
    for (size_t j = i; j < end; ++j) OffsetRect(&menu.items[j].rect, shift, 0);
    return;
  }
}

}  // namespace

void LayOutPopup(Menu& menu) {
  Measure measure;
  int text_width = 0, shortcut_width = 0;
  for (const MenuItem& item : menu.items) {
    if (IsSeparator(item)) continue;
    text_width = std::max(text_width, measure.Width(MainText(item.text)));
    shortcut_width = std::max(shortcut_width, measure.Width(ShortcutText(item.text)));
  }
  const int text_left = m::kPopupBorder + m::kCheckColumn;
  menu.shortcut_x = text_left + text_width + (shortcut_width > 0 ? m::kShortcutGap : 0);
  const int width = std::max(m::kMinPopupWidth,
                             menu.shortcut_x + shortcut_width + m::kArrowColumn + m::kPopupBorder);
  int y = m::kPopupBorder;
  for (MenuItem& item : menu.items) {
    const int height = IsSeparator(item) ? m::kSeparatorHeight : m::kPopupItemHeight;
    item.rect = {m::kPopupBorder, y, width - m::kPopupBorder, y + height};
    y += height;
  }
  menu.size = {width, y + m::kPopupBorder};
}

int LayOutBar(Menu& menu, int width) {
  Measure measure;
  const int row_height = GetSystemMetrics(SM_CYMENU);
  int x = 0, row = 0;
  size_t row_start = 0;
  for (size_t i = 0; i < menu.items.size(); ++i) {
    MenuItem& item = menu.items[i];
    const int item_width = IsSeparator(item)
                               ? m::kBarPadding
                               : measure.Width(MainText(item.text)) + 2 * m::kBarPadding;
    const bool forced = i > 0 && (item.type & (MF_MENUBREAK | MF_MENUBARBREAK));
    if (forced || (x > 0 && x + item_width > width)) {
      JustifyRow(menu, row_start, i, width);
      row_start = i;
      ++row;
      x = 0;
    }
    item.rect = {x, row * row_height, x + item_width, (row + 1) * row_height - 1};
    x += item_width;
  }
  if (!menu.items.empty()) JustifyRow(menu, row_start, menu.items.size(), width);
  return (row + 1) * row_height;
}

int MenuItemAt(const Menu& menu, POINT p) {
  for (size_t i = 0; i < menu.items.size(); ++i) {
    if (PtInRect(&menu.items[i].rect, p)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace platform::user
