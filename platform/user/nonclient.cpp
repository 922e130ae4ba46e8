// Frame metrics, caption layout and hit testing of the non-client area.
// The look is that of Windows 7 "classic" at 96 DPI.
#include "platform/user/nonclient.h"

#include <algorithm>

#include "platform/user/menu.h"
#include "platform/user/scroll_bar.h"
#include "platform/user/window.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

constexpr int kCaptionHeight = 22;       // SM_CYCAPTION, the line below included
constexpr int kSmallCaptionHeight = 16;  // SM_CYSMCAPTION (tool windows)
constexpr int kSizeFrame = 4;            // SM_CXSIZEFRAME
constexpr int kFixedFrame = 3;           // SM_CXFIXEDFRAME
constexpr int kBorder = 1;               // SM_CXBORDER
constexpr int kEdge = 2;                 // SM_CXEDGE

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

int FrameWidth(DWORD style, DWORD ex_style) {
  if (style & WS_THICKFRAME) return kSizeFrame;
  if ((style & WS_DLGFRAME) || (ex_style & WS_EX_DLGMODALFRAME)) return kFixedFrame;
  if (style & WS_BORDER) return kBorder;
  return 0;
}

int CaptionHeight(DWORD ex_style) {
  return (ex_style & WS_EX_TOOLWINDOW) ? kSmallCaptionHeight : kCaptionHeight;
}

}  // namespace

RECT NonClientInsets(DWORD style, DWORD ex_style) {
  int frame = FrameWidth(style, ex_style);
  if (ex_style & WS_EX_CLIENTEDGE) frame += kEdge;
  if (ex_style & WS_EX_STATICEDGE) frame += kBorder;
  // A thick frame without a caption still shows the fixed frame inside it.
  int top = frame + (HasCaption(style) ? CaptionHeight(ex_style) : 0);
  int scroll_v = (style & WS_VSCROLL) ? 17 : 0;
  int scroll_h = (style & WS_HSCROLL) ? 17 : 0;
  return {frame, top, frame + scroll_v, frame + scroll_h};
}

RECT CaptionRect(DWORD style, DWORD ex_style, int width) {
  if (!HasCaption(style)) return {0, 0, 0, 0};
  int frame = FrameWidth(style, ex_style);
  return {frame, frame, width - frame, frame + CaptionHeight(ex_style) - 1};
}

CaptionButtons CaptionButtonRects(DWORD style, DWORD ex_style, int width) {
  CaptionButtons buttons;
  RECT caption = CaptionRect(style, ex_style, width);
  if (caption.right <= caption.left || !(style & WS_SYSMENU)) return buttons;
  int height = caption.bottom - caption.top - 4;
  int button_width = height + 2;
  int right = caption.right - 2;
  buttons.close = {right - button_width, caption.top + 2, right, caption.top + 2 + height};
  right = buttons.close.left - 2;
  bool tool = (ex_style & WS_EX_TOOLWINDOW) != 0;
  if (!tool && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
    buttons.maximize = {right - button_width, caption.top + 2, right, caption.top + 2 + height};
    buttons.minimize = {buttons.maximize.left - button_width, caption.top + 2,
                        buttons.maximize.left, caption.top + 2 + height};
  }
  return buttons;
}

namespace {

bool In(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// Which part of a sizing frame a point is on; HTBORDER for fixed frames.
LRESULT FrameHit(const Window* w, POINT p) {
  if (!(w->style & WS_THICKFRAME)) return HTBORDER;
  const int corner = kCaptionHeight;
  bool left = p.x < kSizeFrame, right = p.x >= w->Width() - kSizeFrame;
  bool top = p.y < kSizeFrame, bottom = p.y >= w->Height() - kSizeFrame;
  bool near_left = p.x < corner, near_right = p.x >= w->Width() - corner;
  bool near_top = p.y < corner, near_bottom = p.y >= w->Height() - corner;
  if (top) return near_left ? HTTOPLEFT : near_right ? HTTOPRIGHT : HTTOP;
  if (bottom) return near_left ? HTBOTTOMLEFT : near_right ? HTBOTTOMRIGHT : HTBOTTOM;
  if (left) return near_top ? HTTOPLEFT : near_bottom ? HTBOTTOMLEFT : HTLEFT;
  if (right) return near_top ? HTTOPRIGHT : near_bottom ? HTBOTTOMRIGHT : HTRIGHT;
  return HTBORDER;
}

}  // namespace

LRESULT NonClientHitTest(HWND hwnd, POINT p) {
  Window* w = FindWindowQuiet(hwnd);
  if (w == nullptr) return HTERROR;
  if (p.x < 0 || p.y < 0 || p.x >= w->Width() || p.y >= w->Height()) return HTNOWHERE;
  if (In(w->client, p)) return HTCLIENT;
  if (w->style & WS_MINIMIZE) return HTCAPTION;
  RECT caption = CaptionRect(w->style, w->ex_style, w->Width());
  if (In(caption, p)) {
    CaptionButtons buttons = CaptionButtonRects(w->style, w->ex_style, w->Width());
    if (In(buttons.close, p)) return HTCLOSE;
    if (In(buttons.maximize, p)) return HTMAXBUTTON;
    if (In(buttons.minimize, p)) return HTMINBUTTON;
    return HTCAPTION;
  }
  if (In(MenuBarRect(w), p)) return HTMENU;
  if (In(ScrollBarRect(w, SB_VERT), p)) return HTVSCROLL;
  if (In(ScrollBarRect(w, SB_HORZ), p)) return HTHSCROLL;
  int frame = FrameWidth(w->style, w->ex_style);
  bool on_frame =
      p.x < frame || p.y < frame || p.x >= w->Width() - frame || p.y >= w->Height() - frame;
  return on_frame ? FrameHit(w, p) : HTBORDER;  // client edges count as border
}

}  // namespace platform::user
