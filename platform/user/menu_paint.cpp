// How menus look: the classic bar (a raised frame round the item the
// keyboard is on, a sunken one round the item whose popup is open) and
// popups in a raised edge, the chosen item in the highlight colours, check
// marks, sub-menu arrows, separators as etched lines and grayed text
// embossed.
#include <algorithm>

#include "platform/user/menu_layout.h"
#include "platform/user/menu_popup.h"
#include "platform/win32.h"

namespace platform::user {

namespace m = menu_metrics;

namespace {

void Fill(HDC dc, const RECT& r, int color) { FillRect(dc, &r, GetSysColorBrush(color)); }

void Text(HDC dc, const std::string& text, RECT r, UINT format, COLORREF color) {
  if (text.empty()) return;
  SetTextColor(dc, color);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
            format | DT_SINGLELINE | DT_VCENTER);
}

// Grayed text stands out of the surface: a white copy one pixel down and
// right under the gray one.
void GrayedText(HDC dc, const std::string& text, RECT r, UINT format) {
  RECT shadow = r;
  OffsetRect(&shadow, 1, 1);
  Text(dc, text, shadow, format, GetSysColor(COLOR_3DHILIGHT));
  Text(dc, text, r, format, GetSysColor(COLOR_GRAYTEXT));
}

void ItemText(HDC dc, const std::string& text, const RECT& r, UINT format, bool grayed,
              bool highlighted) {
  if (grayed && !highlighted) {
    GrayedText(dc, text, r, format);
  } else {
    const int color = grayed ? COLOR_GRAYTEXT : highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT;
    Text(dc, text, r, format, GetSysColor(color));
  }
}

// A tick seven pixels wide, three pixels thick, centred on `c`.
void CheckMark(HDC dc, POINT c, COLORREF color) {
  static constexpr int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int x = 0; x < 7; ++x) {
    for (int y = 0; y < 3; ++y) SetPixel(dc, c.x - 3 + x, c.y - 3 + kTop[x] + y, color);
  }
}

// A right-pointing triangle four pixels wide, seven high, centred on `c`.
void Arrow(HDC dc, POINT c, COLORREF color) {
  for (int x = 0; x < 4; ++x) {
    for (int y = -3 + x; y <= 3 - x; ++y) SetPixel(dc, c.x - 2 + x, c.y + y, color);
  }
}

void Separator(HDC dc, const RECT& r) {
  const int y = r.top + (r.bottom - r.top) / 2 - 1;
  Fill(dc, {r.left + 1, y, r.right - 1, y + 1}, COLOR_3DSHADOW);
  Fill(dc, {r.left + 1, y + 1, r.right - 1, y + 2}, COLOR_3DHILIGHT);
}

void PopupItem(HDC dc, const Menu& menu, size_t index) {
  const MenuItem& item = menu.items[index];
  if (IsSeparator(item)) {
    Separator(dc, item.rect);
    return;
  }
  const bool highlighted = menu.focused == static_cast<int>(index);
  const bool grayed = (item.state & MF_GRAYED) != 0;
  if (highlighted) Fill(dc, item.rect, COLOR_HIGHLIGHT);
  const COLORREF ink = GetSysColor(grayed        ? COLOR_GRAYTEXT
                                   : highlighted ? COLOR_HIGHLIGHTTEXT
                                                 : COLOR_MENUTEXT);
  const int middle = (item.rect.top + item.rect.bottom) / 2;
  if (item.state & MF_CHECKED) CheckMark(dc, {item.rect.left + m::kCheckColumn / 2, middle}, ink);
  if (item.type & MF_POPUP) Arrow(dc, {item.rect.right - m::kArrowColumn / 2, middle}, ink);
  const RECT main{item.rect.left + m::kCheckColumn, item.rect.top, menu.shortcut_x,
                  item.rect.bottom};
  ItemText(dc, MainText(item.text), main, DT_LEFT, grayed, highlighted);
  const RECT shortcut{menu.shortcut_x, item.rect.top, item.rect.right - m::kArrowColumn,
                      item.rect.bottom};
  ItemText(dc, ShortcutText(item.text), shortcut, DT_LEFT, grayed, highlighted);
}

void BarItem(HDC dc, const Menu& menu, size_t index, POINT origin) {
  const MenuItem& item = menu.items[index];
  if (IsSeparator(item)) return;
  RECT r = item.rect;
  OffsetRect(&r, origin.x, origin.y);
  RECT text = r;
  if (menu.focused == static_cast<int>(index)) {
    RECT frame = r;
    DrawEdge(dc, &frame, menu.dropped ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    if (menu.dropped) OffsetRect(&text, 1, 1);
  }
  ItemText(dc, MainText(item.text), text, DT_CENTER, (item.state & MF_GRAYED) != 0, false);
}

}  // namespace

void PaintPopupMenu(HDC dc, const Menu& menu) {
  RECT frame{0, 0, menu.size.cx, menu.size.cy};
  Fill(dc, frame, COLOR_MENU);
  DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);
  MenuFont font(dc);
  SetBkMode(dc, TRANSPARENT);
  for (size_t i = 0; i < menu.items.size(); ++i) PopupItem(dc, menu, i);
}

void PaintMenuBar(HDC window_dc, Window* w) {
  const RECT bar = MenuBarRect(w);
  if (bar.bottom <= bar.top) return;
  Fill(window_dc, bar, COLOR_MENUBAR);
  std::shared_ptr<Menu> menu = FindMenuQuiet(BarOf(w));
  if (menu == nullptr) return;  // destroyed while attached: the room stays, empty
  // Items laid out for another width must not spill into the frame.
  const int saved = SaveDC(window_dc);
  IntersectClipRect(window_dc, bar.left, bar.top, bar.right, bar.bottom);
  {
    MenuFont font(window_dc);
    SetBkMode(window_dc, TRANSPARENT);
    for (size_t i = 0; i < menu->items.size(); ++i) {
      BarItem(window_dc, *menu, i, {bar.left, bar.top});
    }
  }
  RestoreDC(window_dc, saved);
}

}  // namespace platform::user
