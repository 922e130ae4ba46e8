// The list box's rows: where they are, scrolling them, and painting them in
// the colours the parent answers to WM_CTLCOLORLISTBOX.
#include <algorithm>

#include "platform/controls/list_box_control.h"

namespace platform::controls::list_box {

namespace {

constexpr int kTextMargin = 2;  // pixels between a row's left edge and its text
constexpr int kWheelLines = 3;  // rows a wheel notch scrolls, as SPI_GETWHEELSCROLLLINES

RECT ClientOf(const ListBox& lb) {
  RECT client;
  GetClientRect(lb.hwnd, &client);
  return client;
}

int MaxTop(const ListBox& lb) { return std::max(0, lb.model.count() - VisibleRows(lb)); }

}  // namespace

int VisibleRows(const ListBox& lb) {
  return std::max(1, static_cast<int>(ClientOf(lb).bottom) / lb.item_height);
}

RECT ItemRect(const ListBox& lb, int index) {
  const RECT client = ClientOf(lb);
  // Rows far from the top lie far outside; keep their coordinates in range.
  const long long far = 1LL << 27;
  const auto y = static_cast<LONG>(
      std::clamp(static_cast<long long>(index - lb.top) * lb.item_height, -far, far));
  return RECT{0, y, client.right, y + lb.item_height};
}

int ItemAt(const ListBox& lb, POINT p, bool* outside) {
  const int count = lb.model.count();
  const RECT client = ClientOf(lb);
  const int row = p.y >= 0 ? p.y / lb.item_height : -1 - (-p.y - 1) / lb.item_height;
  const int index = lb.top + row;
  if (outside) *outside = !PtInRect(&client, p) || index < 0 || index >= count;
  if (count == 0) return -1;
  return std::clamp(index, 0, count - 1);
}

void SetTop(ListBox& lb, int top) {
  top = std::clamp(top, 0, MaxTop(lb));
  if (top == lb.top) return;
  lb.top = top;
  SetScrollPos(lb.hwnd, SB_VERT, top, TRUE);
  InvalidateRect(lb.hwnd, nullptr, FALSE);
}

void ScrollIntoView(ListBox& lb, int index) {
  if (index < 0) return;
  if (index < lb.top) {
    SetTop(lb, index);
  } else if (index >= lb.top + VisibleRows(lb)) {
    SetTop(lb, index - VisibleRows(lb) + 1);
  }
}

void UpdateScrollBar(ListBox& lb) {
  // Hiding the bar takes WS_VSCROLL away, so the style it was made with
  // decides.
  if (!lb.scroll_bar) return;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = std::max(lb.model.count() - 1, 0);
  si.nPage = static_cast<UINT>(VisibleRows(lb));
  si.nPos = lb.top;
  SetScrollInfo(lb.hwnd, SB_VERT, &si, TRUE);
}

void InvalidateItem(ListBox& lb, int index) {
  if (!lb.model.Contains(index)) return;
  const RECT rect = ItemRect(lb, index);
  InvalidateRect(lb.hwnd, &rect, FALSE);
}

void Refresh(ListBox& lb) {
  lb.top = std::clamp(lb.top, 0, MaxTop(lb));
  UpdateScrollBar(lb);
  // The bar may have come or gone, which changes the rows that fit.
  lb.top = std::clamp(lb.top, 0, MaxTop(lb));
  InvalidateRect(lb.hwnd, nullptr, FALSE);
}

void MeasureFont(ListBox& lb) {
  HDC dc = GetDC(lb.hwnd);
  if (dc == nullptr) return;
  HGDIOBJ old = lb.font ? SelectObject(dc, lb.font) : nullptr;
  TEXTMETRICA tm{};
  if (GetTextMetricsA(dc, &tm) && tm.tmHeight > 0) lb.item_height = std::min<int>(tm.tmHeight, 255);
  if (old) SelectObject(dc, old);
  ReleaseDC(lb.hwnd, dc);
}

// ---------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------

namespace {

HBRUSH ColorsFromParent(const ListBox& lb, HDC dc) {
  const auto wparam = reinterpret_cast<WPARAM>(dc);
  const auto lparam = reinterpret_cast<LPARAM>(lb.hwnd);
  LRESULT brush = 0;
  if (HWND target = NotifyTarget(lb))
    brush = SendMessageA(target, WM_CTLCOLORLISTBOX, wparam, lparam);
  if (brush == 0) brush = DefWindowProcA(lb.hwnd, WM_CTLCOLORLISTBOX, wparam, lparam);
  return reinterpret_cast<HBRUSH>(brush);
}

void PaintItem(const ListBox& lb, HDC dc, int index, HBRUSH brush, COLORREF text_color) {
  const RECT rect = ItemRect(lb, index);
  const bool selected = lb.model.selection() == index;
  if (selected) {
    FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    FillRect(dc, &rect, brush);
    SetTextColor(dc, text_color);
  }
  const std::string& text = *lb.model.Text(index);
  RECT text_rect{rect.left + kTextMargin, rect.top, rect.right, rect.bottom};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &text_rect,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (lb.focused && lb.caret == index) DrawFocusRect(dc, &rect);
}

void Paint(ListBox& lb, HDC dc) {
  HBRUSH brush = ColorsFromParent(lb, dc);
  const COLORREF text_color =
      IsWindowEnabled(lb.hwnd) ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
  HGDIOBJ old_font = lb.font ? SelectObject(dc, lb.font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  const RECT client = ClientOf(lb);
  int index = lb.top;
  for (; index < lb.model.count(); ++index) {
    if (ItemRect(lb, index).top >= client.bottom) break;
    PaintItem(lb, dc, index, brush, text_color);
  }
  RECT rest = client;
  rest.top = std::max<LONG>(0, (index - lb.top) * lb.item_height);
  if (rest.top < rest.bottom) FillRect(dc, &rest, brush);
  if (old_font) SelectObject(dc, old_font);
}

}  // namespace

LRESULT OnPaint(ListBox& lb) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(lb.hwnd, &ps);
  if (dc != nullptr) Paint(lb, dc);
  EndPaint(lb.hwnd, &ps);
  return 0;
}

// ---------------------------------------------------------------------------
// Scrolling
// ---------------------------------------------------------------------------

LRESULT OnVScroll(ListBox& lb, WPARAM request) {
  const int page = VisibleRows(lb);
  switch (LOWORD(request)) {
    case SB_LINEUP:
      SetTop(lb, lb.top - 1);
      break;
    case SB_LINEDOWN:
      SetTop(lb, lb.top + 1);
      break;
    case SB_PAGEUP:
      SetTop(lb, lb.top - page);
      break;
    case SB_PAGEDOWN:
      SetTop(lb, lb.top + page);
      break;
    case SB_TOP:
      SetTop(lb, 0);
      break;
    case SB_BOTTOM:
      SetTop(lb, MaxTop(lb));
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si{};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      if (GetScrollInfo(lb.hwnd, SB_VERT, &si)) SetTop(lb, si.nTrackPos);
      break;
    }
    default:
      break;
  }
  return 0;
}

LRESULT OnMouseWheel(ListBox& lb, WPARAM wparam) {
  lb.wheel_remainder += GET_WHEEL_DELTA_WPARAM(wparam);
  const int notches = lb.wheel_remainder / WHEEL_DELTA;
  lb.wheel_remainder -= notches * WHEEL_DELTA;
  const int rows = std::min(kWheelLines, VisibleRows(lb));
  if (notches != 0) SetTop(lb, lb.top - notches * rows);
  return 0;
}

}  // namespace platform::controls::list_box
