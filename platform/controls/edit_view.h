// How an EDIT control's text looks: lines laid out in the font, the format
// rectangle inside the margins, scrolling, the map between positions and
// client points, and painting. Built on the public GDI facade only.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/controls/edit_lines.h"
#include "platform/controls/edit_text.h"
#include "platform/win32.h"

namespace platform::controls {

enum class Alignment { kLeft, kCenter, kRight };

// What the control's styles ask of the layout.
struct EditLayout {
  bool wrap = false;  // multi-line without horizontal scrolling
  Alignment alignment = Alignment::kLeft;
  char password = 0;  // echo character; 0 shows the text
};

// The colours of one paint, as the parent answered WM_CTLCOLOR*.
struct EditLook {
  COLORREF text = 0;
  COLORREF background = 0;
  HBRUSH brush = nullptr;
  bool show_selection = false;  // focused, or ES_NOHIDESEL
};

class EditView {
 public:
  explicit EditView(const EditText& text);
  ~EditView();
  EditView(const EditView&) = delete;
  EditView& operator=(const EditView&) = delete;

  // Font: null draws with the system font.
  void SetFont(HFONT font);
  HFONT font() const { return font_; }
  int line_height() const { return line_height_; }
  int average_width() const { return average_width_; }
  // The margins EC_USEFONTINFO asks for: a third of the average character.
  int FontMargin() const;

  void SetMargins(int left, int right);
  int left_margin() const { return left_margin_; }
  int right_margin() const { return right_margin_; }
  void SetClient(const RECT& client);
  RECT FormatRect() const;
  void SetLayout(const EditLayout& layout) { layout_ = layout; }
  const EditLayout& layout() const { return layout_; }

  // Lays the text out again; after every change of text, font or size.
  void Relayout();
  const std::vector<EditLine>& lines() const { return lines_; }
  size_t LineOfPos(size_t pos, bool after_wrap = false) const;
  int WidestLine() const { return widest_; }
  int VisibleLines() const;
  // Would a line this wide or this many lines still be seen whole?
  bool FitsWidth() const;
  bool FitsHeight() const;

  // Client coordinates of the caret at pos (the top of its line).
  POINT PointOf(size_t pos, bool after_wrap = false) const;
  // The position nearest a client point; `after_wrap` says whether it is the
  // end of a wrapped line rather than the start of the next.
  size_t PosAt(POINT pt, bool* after_wrap = nullptr) const;

  // Scrolling: the first line shown and the pixels scrolled to the right.
  size_t first_line() const { return first_line_; }
  int x_offset() const { return x_offset_; }
  // Scrolls so that pos can be seen; true when anything moved.
  bool ScrollToPos(size_t pos, bool after_wrap = false);
  bool SetFirstLine(long line);
  bool SetXOffset(long x);

  void Paint(HDC dc, const EditLook& look) const;

 private:
  int CharWidth(std::string_view ch) const;
  int Advance(std::string_view ch, int x) const;
  int XInLine(const EditLine& line, size_t pos) const;
  int LineLeft(size_t index) const;
  void ClampScroll();
  void PaintLine(HDC dc, size_t index, int y, const EditLook& look) const;

  const EditText& text_;
  HDC measure_dc_ = nullptr;
  HFONT font_ = nullptr;
  int line_height_ = 16;
  int average_width_ = 8;
  // Widths of characters in this font: single bytes by value, double-byte
  // characters by their two bytes; -1 not measured yet.
  mutable std::array<int, 256> single_widths_{};
  mutable std::unordered_map<unsigned, int> double_widths_;
  int left_margin_ = 0;
  int right_margin_ = 0;
  RECT client_{0, 0, 0, 0};
  EditLayout layout_;
  std::vector<EditLine> lines_;
  std::vector<int> widths_;  // of each line
  int widest_ = 0;
  size_t first_line_ = 0;
  int x_offset_ = 0;
};

}  // namespace platform::controls
