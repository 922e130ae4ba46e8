// What a message box holds and where it goes: its buttons by style, their
// Chinese captions, the default and Esc answers, and the places of the icon,
// the text and the buttons. The arithmetic is apart from any DC so that it
// can be tested with made-up measures.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

namespace platform::dialogs {

// The buttons of the MB_TYPEMASK bits, left to right; empty for a set
// that does not exist.
std::vector<int> MessageBoxButtons(UINT style);

// A button's caption as a Chinese Windows shows it, in GBK: "确定",
// "取消", "中止(&A)", "重试(&R)", "忽略(&I)", "是(&Y)", "否(&N)",
// "重试(&T)", "继续(&C)".
std::string MessageBoxButtonCaption(int id);

// The default button's index: MB_DEFBUTTON2..4 when the box has that many
// buttons, else the first.
size_t DefaultButtonIndex(UINT style, size_t button_count);

// What Esc (and the close box) answer: IDCANCEL when there is a Cancel
// button, IDOK for a box with OK alone, 0 when Esc does nothing.
int EscapeAnswer(const std::vector<int>& buttons);

// The measures layout needs, in pixels.
struct MessageBoxMeasures {
  SIZE text{0, 0};                 // the text as wrapped at the widest allowed
  int line_height = 16;            // of the message font
  std::vector<int> button_widths;  // of each caption's text
  int caption_width = 0;           // of the title in the caption font
  bool has_icon = false;
};

struct MessageBoxLayout {
  SIZE client{0, 0};  // the box's client area
  RECT icon{};        // empty without an icon
  RECT text{};
  std::vector<RECT> buttons;
};

// Icon at the top left, the text to its right (centred against the icon when
// shorter), and the buttons in a centred row below, all in client
// coordinates. The text is at most `max_height` high (the rest is cut).
MessageBoxLayout LayOutMessageBox(const MessageBoxMeasures& measures, int max_height);

// The widest the text may be: five eighths of the work area's width.
int MaxMessageTextWidth(const RECT& work_area);

// The box's window rectangle: centred on the owner when it shows, else on
// the work area, and kept inside the work area.
RECT PlaceMessageBox(SIZE window, HWND owner, const RECT& work_area);

}  // namespace platform::dialogs
