#include "platform/dialogs/message_box_layout.h"

#include <algorithm>
#include <numeric>

#include "platform/base/gbk.h"

namespace platform::dialogs {

namespace {

// Distances at 96 DPI.
constexpr int kMargin = 12;      // around the content and below the buttons
constexpr int kIconSize = 32;    // SM_CXICON
constexpr int kIconGap = 12;     // between the icon and the text
constexpr int kButtonsGap = 16;  // between the content and the buttons
constexpr int kButtonHeight = 23;
constexpr int kButtonMinWidth = 75;
constexpr int kButtonPadding = 16;   // around a caption wider than the minimum
constexpr int kButtonSpacing = 8;    // between two buttons
constexpr int kCaptionReserve = 40;  // the close box and the caption's ends

}  // namespace

std::vector<int> MessageBoxButtons(UINT style) {
  switch (style & MB_TYPEMASK) {
    case MB_OK:
      return {IDOK};
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_RETRYCANCEL:
      return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE:
      return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default:
      return {};
  }
}

std::string MessageBoxButtonCaption(int id) {
  switch (id) {
    case IDOK:
      return gbk::Gbk("确定");
    case IDCANCEL:
      return gbk::Gbk("取消");
    case IDABORT:
      return gbk::Gbk("中止(&A)");
    case IDRETRY:
      return gbk::Gbk("重试(&R)");
    case IDIGNORE:
      return gbk::Gbk("忽略(&I)");
    case IDYES:
      return gbk::Gbk("是(&Y)");
    case IDNO:
      return gbk::Gbk("否(&N)");
    case IDTRYAGAIN:
      return gbk::Gbk("重试(&T)");
    case IDCONTINUE:
      return gbk::Gbk("继续(&C)");
    default:
      return {};
  }
}

size_t DefaultButtonIndex(UINT style, size_t button_count) {
  const size_t index = (style & MB_DEFMASK) >> 8;
  return index < button_count ? index : 0;
}

int EscapeAnswer(const std::vector<int>& buttons) {
  if (std::find(buttons.begin(), buttons.end(), IDCANCEL) != buttons.end()) return IDCANCEL;
  if (buttons.size() == 1 && buttons[0] == IDOK) return IDOK;
  return 0;
}

MessageBoxLayout LayOutMessageBox(const MessageBoxMeasures& m, int max_height) {
  MessageBoxLayout layout;
  const int content_left = kMargin + (m.has_icon ? kIconSize + kIconGap : 0);
  const int text_height = std::clamp(m.text.cy, m.line_height, std::max(m.line_height, max_height));
  const int content_height = std::max(text_height, m.has_icon ? kIconSize : 0);
  if (m.has_icon) layout.icon = {kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize};
  const int text_top = kMargin + (content_height - text_height) / 2;
  layout.text = {content_left, text_top, content_left + m.text.cx, text_top + text_height};

  std::vector<int> widths;
  for (int w : m.button_widths) widths.push_back(std::max(kButtonMinWidth, w + kButtonPadding));
  const int row = std::accumulate(widths.begin(), widths.end(), 0) +
                  kButtonSpacing * static_cast<int>(widths.empty() ? 0 : widths.size() - 1);
  layout.client.cx = std::max(
      {content_left + m.text.cx + kMargin, row + 2 * kMargin, m.caption_width + kCaptionReserve});
  const int buttons_top = kMargin + content_height + kButtonsGap;
  layout.client.cy = buttons_top + kButtonHeight + kMargin;
  int x = (layout.client.cx - row) / 2;
  for (int w : widths) {
    layout.buttons.push_back({x, buttons_top, x + w, buttons_top + kButtonHeight});
    x += w + kButtonSpacing;
  }
  return layout;
}

int MaxMessageTextWidth(const RECT& work_area) {
  return std::max(1, (work_area.right - work_area.left) * 5 / 8);
}

RECT PlaceMessageBox(SIZE window, HWND owner, const RECT& work_area) {
  RECT around = work_area;
  RECT owner_rect;
  if (owner && IsWindowVisible(owner) && !IsIconic(owner) && GetWindowRect(owner, &owner_rect)) {
    around = owner_rect;
  }
  int left = around.left + (around.right - around.left - window.cx) / 2;
  int top = around.top + (around.bottom - around.top - window.cy) / 2;
  left = std::max<int>(work_area.left, std::min<int>(left, work_area.right - window.cx));
  top = std::max<int>(work_area.top, std::min<int>(top, work_area.bottom - window.cy));
  return {left, top, left + window.cx, top + window.cy};
}

}  // namespace platform::dialogs
