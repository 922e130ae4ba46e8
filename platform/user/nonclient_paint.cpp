// Drawing the non-client area: frame, edges, caption bar with its title and
// buttons.
#include <algorithm>
#include <string>

#include "platform/user/focus.h"
#include "platform/user/menu.h"
#include "platform/user/nonclient.h"
#include "platform/user/painting.h"
#include "platform/user/scroll_bar.h"
#include "platform/win32.h"

namespace platform::user {

LOGFONTA SystemLogFont(LONG weight);

namespace {

void Fill(HDC dc, const RECT& r, int color) { FillRect(dc, &r, GetSysColorBrush(color)); }

// A one-pixel frame of two colours: `top_left` on the top and left sides.
void Bevel(HDC dc, const RECT& r, int top_left, int bottom_right) {
  Fill(dc, {r.left, r.top, r.right - 1, r.top + 1}, top_left);
  Fill(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, top_left);
  Fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottom_right);
  Fill(dc, {r.right - 1, r.top, r.right, r.bottom}, bottom_right);
}

RECT Shrink(RECT r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

// Draws the frame band of `width` pixels inside `outer`; returns what is left.
RECT PaintFrame(HDC dc, const Window* w, RECT outer) {
  if (w->style & (WS_THICKFRAME | WS_DLGFRAME) || (w->ex_style & WS_EX_DLGMODALFRAME)) {
    int width = (w->style & WS_THICKFRAME) ? 4 : 3;
    RECT edge = outer;
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    for (int i = 2; i < width; ++i) {
      Bevel(dc, Shrink(outer, i), (w->style & WS_THICKFRAME) ? COLOR_ACTIVEBORDER : COLOR_3DFACE,
            (w->style & WS_THICKFRAME) ? COLOR_ACTIVEBORDER : COLOR_3DFACE);
    }
    return Shrink(outer, width);
  }
  if (w->style & WS_BORDER) {
    Bevel(dc, outer, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
    return Shrink(outer, 1);
  }
  return outer;
}

void PaintCloseGlyph(HDC dc, const RECT& b, COLORREF ink) {
  int size = std::min(b.right - b.left, b.bottom - b.top) - 8;
  int x0 = b.left + (b.right - b.left - size) / 2, y0 = b.top + (b.bottom - b.top - size) / 2;
  for (int i = 0; i < size; ++i) {
    for (int t = 0; t < 2; ++t) {
      SetPixel(dc, x0 + i + t, y0 + i, ink);
      SetPixel(dc, x0 + size - 1 - i + t, y0 + i, ink);
    }
  }
}

void PaintButton(HDC dc, const RECT& b, int glyph) {
  if (b.right <= b.left) return;
  Fill(dc, b, COLOR_3DFACE);
  Bevel(dc, b, COLOR_3DHILIGHT, COLOR_3DDKSHADOW);
  Bevel(dc, Shrink(b, 1), COLOR_3DFACE, COLOR_3DSHADOW);
  COLORREF ink = GetSysColor(COLOR_BTNTEXT);
  RECT inner = Shrink(b, 4);
  HBRUSH brush = GetSysColorBrush(COLOR_BTNTEXT);
  switch (glyph) {
    case HTCLOSE:
      PaintCloseGlyph(dc, b, ink);
      break;
    case HTMAXBUTTON:
      FrameRect(dc, &inner, brush);
      inner.bottom = inner.top + 2;
      FillRect(dc, &inner, brush);
      break;
    case HTMINBUTTON:
      inner.top = inner.bottom - 2;
      inner.right = inner.left + (inner.right - inner.left) / 2 + 1;
      FillRect(dc, &inner, brush);
      break;
  }
}

void PaintTitle(HDC dc, const std::string& text, RECT area, bool active) {
  if (text.empty() || area.right <= area.left) return;
  LOGFONTA logfont = SystemLogFont(FW_BOLD);
  HFONT font = CreateFontIndirectA(&logfont);
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, old);
  DeleteObject(font);
}

void PaintCaption(HDC dc, const Window* w) {
  RECT caption = CaptionRect(w->style, w->ex_style, w->Width());
  if (caption.right <= caption.left) return;
  bool active = w->caption_active;
  RECT bar = caption;
  bar.bottom -= 1;
  Fill(dc, bar, active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  // The caption's height counts the line below the bar: two face-coloured
  // rows part it from the menu bar or the client area.
  Fill(dc, {caption.left, caption.bottom - 1, caption.right, caption.bottom + 1}, COLOR_3DFACE);
  CaptionButtons buttons = CaptionButtonRects(w->style, w->ex_style, w->Width());
  RECT title = bar;
  title.left += 5;
  LONG buttons_left = std::min({buttons.close.left ? buttons.close.left : bar.right,
                                buttons.minimize.left ? buttons.minimize.left : bar.right});
  title.right = buttons_left - 2;
  PaintTitle(dc, w->text, title, active);
  PaintButton(dc, buttons.close, HTCLOSE);
  PaintButton(dc, buttons.maximize, HTMAXBUTTON);
  PaintButton(dc, buttons.minimize, HTMINBUTTON);
}

void PaintEdges(HDC dc, const Window* w, RECT inside) {
  if (w->ex_style & WS_EX_CLIENTEDGE) DrawEdge(dc, &inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  if (w->ex_style & WS_EX_STATICEDGE) DrawEdge(dc, &inside, BDR_SUNKENOUTER, BF_RECT);
}

}  // namespace

void PaintNonClient(Window* w) {
  RECT insets = NonClientInsets(w->style, w->ex_style);
  if (insets.left == 0 && insets.top == 0 && insets.right == 0 && insets.bottom == 0 &&
      w->menu_height == 0) {
    return;
  }
  HDC dc = GetWindowDC(w->hwnd);
  if (dc == nullptr) return;
  ExcludeClipRect(dc, w->client.left, w->client.top, w->client.right, w->client.bottom);
  RECT inside = PaintFrame(dc, w, {0, 0, w->Width(), w->Height()});
  PaintCaption(dc, w);
  RECT caption = CaptionRect(w->style, w->ex_style, w->Width());
  if (caption.bottom > caption.top) inside.top = caption.bottom;
  const RECT bar = MenuBarRect(w);
  if (bar.bottom > bar.top) {
    PaintMenuBar(dc, w);
    inside.top = bar.bottom;
  }
  PaintEdges(dc, w, inside);
  PaintWindowScrollBars(dc, w);
  ReleaseDC(w->hwnd, dc);
}

}  // namespace platform::user
