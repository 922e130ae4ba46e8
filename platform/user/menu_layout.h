// Where menu items go: the bar's rows and a popup's column. Sizes are those
// of the classic look at 96 DPI, in the menu font (NONCLIENTMETRICS'
// lfMenuFont).
#pragma once

#include "platform/user/menu.h"

namespace platform::user {

namespace menu_metrics {
constexpr int kBarPadding = 6;        // each side of a bar item's text
constexpr int kPopupBorder = 3;       // a raised edge and one pixel of menu colour
constexpr int kCheckColumn = 17;      // left of a popup item's text: the check mark
constexpr int kArrowColumn = 17;      // right of it: a sub-menu's arrow
constexpr int kShortcutGap = 22;      // between the widest text and the shortcut column
constexpr int kPopupItemHeight = 19;  // SM_CYMENU less the bar's bottom line
constexpr int kSeparatorHeight = 9;
constexpr int kMinPopupWidth = 60;
}  // namespace menu_metrics

// The menu font, selected into a DC for measuring or drawing (restored and
// freed at the end of the scope).
class MenuFont {
 public:
  explicit MenuFont(HDC dc);
  ~MenuFont();
  MenuFont(const MenuFont&) = delete;
  MenuFont& operator=(const MenuFont&) = delete;
  // Width of `text` as DrawTextA shows it ('&' prefixes taken out).
  int Width(const std::string& text) const;

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ old_;
};

// Lays out a popup: each item's rect in the popup's client coordinates,
// `size` and `shortcut_x`.
void LayOutPopup(Menu& menu);
// Lays out a bar `width` pixels wide, wrapping into rows (an item with
// MF_MENUBREAK or MF_MENUBARBREAK starts a row; MF_RIGHTJUSTIFY pushes it
// and the rest of its row to the right end). Rects are relative to the
// bar's top-left; returns the bar's height, SM_CYMENU a row.
int LayOutBar(Menu& menu, int width);

// The item of a laid-out menu at `p` (its coordinates), or -1.
int MenuItemAt(const Menu& menu, POINT p);

}  // namespace platform::user
