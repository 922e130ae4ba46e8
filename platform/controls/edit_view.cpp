#include "platform/controls/edit_view.h"

#include <algorithm>
#include <string>

#include "platform/base/gbk.h"

namespace platform::controls {

namespace {

constexpr int kTabStopChars = 8;  // 32 dialog units

HFONT ActualFont(HFONT font) {
  return font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

size_t CharLen(std::string_view text, size_t pos) {
  size_t n = gbk::CharLength(text.data() + pos, text.size() - pos);
  return n ? n : 1;
}

}  // namespace

EditView::EditView(const EditText& text) : text_(text) {
  measure_dc_ = CreateCompatibleDC(nullptr);
  SetFont(nullptr);
}

EditView::~EditView() {
  if (measure_dc_) DeleteDC(measure_dc_);
}

// ---------------------------------------------------------------------------
// Font and measuring
// ---------------------------------------------------------------------------

void EditView::SetFont(HFONT font) {
  font_ = font;
  single_widths_.fill(-1);
  double_widths_.clear();
  TEXTMETRICA tm{};
  HGDIOBJ old = SelectObject(measure_dc_, ActualFont(font));
  if (GetTextMetricsA(measure_dc_, &tm)) {
    line_height_ = std::max<int>(1, tm.tmHeight);
    average_width_ = std::max<int>(1, tm.tmAveCharWidth);
  }
  SelectObject(measure_dc_, old);
}

int EditView::FontMargin() const { return average_width_ / 3; }

int EditView::CharWidth(std::string_view ch) const {
  auto b0 = static_cast<unsigned char>(ch[0]);
  unsigned key = ch.size() == 2 ? (b0 << 8 | static_cast<unsigned char>(ch[1])) : b0;
  int* cached = nullptr;
  if (ch.size() == 1) {
    cached = &single_widths_[b0];
  } else if (auto it = double_widths_.find(key); it != double_widths_.end()) {
    cached = &it->second;
  }
  if (cached && *cached >= 0) return *cached;
  SIZE size{0, 0};
  HGDIOBJ old = SelectObject(measure_dc_, ActualFont(font_));
  GetTextExtentPoint32A(measure_dc_, ch.data(), static_cast<int>(ch.size()), &size);
  SelectObject(measure_dc_, old);
  if (ch.size() == 1) {
    single_widths_[b0] = size.cx;
  } else {
    double_widths_[key] = size.cx;
  }
  return size.cx;
}

int EditView::Advance(std::string_view ch, int x) const {
  if (layout_.password) return CharWidth(std::string_view(&layout_.password, 1));
  if (ch == "\t") {
    const int stop = kTabStopChars * average_width_;
    return (x / stop + 1) * stop - x;
  }
  return CharWidth(ch);
}

int EditView::XInLine(const EditLine& line, size_t pos) const {
  const std::string& text = text_.text();
  int x = 0;
  for (size_t p = line.start; p < pos && p < line.end;) {
    size_t n = CharLen(text, p);
    x += Advance(std::string_view(text).substr(p, n), x);
    p += n;
  }
  return x;
}

// ---------------------------------------------------------------------------
// Geometry and layout
// ---------------------------------------------------------------------------

void EditView::SetMargins(int left, int right) {
  left_margin_ = std::max(0, left);
  right_margin_ = std::max(0, right);
}

void EditView::SetClient(const RECT& client) { client_ = client; }

RECT EditView::FormatRect() const {
  RECT f = client_;
  f.left += left_margin_;
  f.right = std::max(f.left, f.right - right_margin_);
  return f;
}

void EditView::Relayout() {
  const RECT f = FormatRect();
  const Wrapping wrapping = text_.mode() == LineMode::kSingle ? Wrapping::kSingleLine
                            : layout_.wrap                    ? Wrapping::kWrap
                                                              : Wrapping::kHardBreaksOnly;
  lines_ = BreakLines(text_.text(), wrapping, f.right - f.left,
                      [this](std::string_view ch, int x) { return Advance(ch, x); });
  widths_.resize(lines_.size());
  widest_ = 0;
  for (size_t i = 0; i < lines_.size(); ++i) {
    widths_[i] = XInLine(lines_[i], lines_[i].end);
    widest_ = std::max(widest_, widths_[i]);
  }
  ClampScroll();
}

size_t EditView::LineOfPos(size_t pos, bool after_wrap) const {
  return LineOf(lines_, pos, after_wrap);
}

int EditView::VisibleLines() const {
  const RECT f = FormatRect();
  return std::max(1, static_cast<int>((f.bottom - f.top) / line_height_));
}

bool EditView::FitsWidth() const {
  const RECT f = FormatRect();
  return widest_ <= f.right - f.left;
}

bool EditView::FitsHeight() const { return lines_.size() <= static_cast<size_t>(VisibleLines()); }

// Where line `index` starts on the client area: aligned inside the format
// rectangle while it fits, then scrolled.
int EditView::LineLeft(size_t index) const {
  const RECT f = FormatRect();
  const int room = f.right - f.left - widths_[index];
  int align = 0;
  if (layout_.alignment == Alignment::kCenter) align = std::max(0, room / 2);
  if (layout_.alignment == Alignment::kRight) align = std::max(0, room - 1);
  return f.left + align - x_offset_;
}

POINT EditView::PointOf(size_t pos, bool after_wrap) const {
  const size_t index = LineOfPos(pos, after_wrap);
  const long row = static_cast<long>(index) - static_cast<long>(first_line_);
  return POINT{LineLeft(index) + XInLine(lines_[index], pos),
               FormatRect().top + static_cast<LONG>(row * line_height_)};
}

size_t EditView::PosAt(POINT pt, bool* after_wrap) const {
  const RECT f = FormatRect();
  long row = pt.y >= f.top ? (pt.y - f.top) / line_height_ : -1 - (f.top - pt.y - 1) / line_height_;
  long index = static_cast<long>(first_line_) + row;
  index = std::clamp<long>(index, 0, static_cast<long>(lines_.size()) - 1);
  const EditLine& line = lines_[static_cast<size_t>(index)];
  const std::string& text = text_.text();
  const int x = pt.x - LineLeft(static_cast<size_t>(index));
  int pen = 0;
  size_t p = line.start;
  while (p < line.end) {
    size_t n = CharLen(text, p);
    int w = Advance(std::string_view(text).substr(p, n), pen);
    if (x < pen + (w + 1) / 2) break;
    pen += w;
    p += n;
  }
  if (after_wrap) *after_wrap = line.soft && p == line.end;
  return p;
}

// ---------------------------------------------------------------------------
// Scrolling
// ---------------------------------------------------------------------------

void EditView::ClampScroll() {
  SetFirstLine(static_cast<long>(first_line_));
  SetXOffset(x_offset_);
}

bool EditView::SetFirstLine(long line) {
  const long last = std::max(0L, static_cast<long>(lines_.size()) - VisibleLines());
  const auto clamped = static_cast<size_t>(std::clamp(line, 0L, last));
  const bool changed = clamped != first_line_;
  first_line_ = clamped;
  return changed;
}

bool EditView::SetXOffset(long x) {
  const RECT f = FormatRect();
  const long last =
      layout_.wrap ? 0 : std::max(0L, static_cast<long>(widest_) - (f.right - f.left) + 1);
  const int clamped = static_cast<int>(std::clamp(x, 0L, last));
  const bool changed = clamped != x_offset_;
  x_offset_ = clamped;
  return changed;
}

// Lines scroll just enough; columns jump a quarter of the width past the
// caret, as Win32's edit control does, so typing does not scroll each key.
bool EditView::ScrollToPos(size_t pos, bool after_wrap) {
  const size_t index = LineOfPos(pos, after_wrap);
  const long visible = VisibleLines();
  long first = static_cast<long>(first_line_);
  if (static_cast<long>(index) < first) first = static_cast<long>(index);
  if (static_cast<long>(index) >= first + visible) first = static_cast<long>(index) - visible + 1;
  bool changed = SetFirstLine(first);
  if (layout_.wrap) return changed;
  const RECT f = FormatRect();
  const long width = f.right - f.left;
  const long x = PointOf(pos, after_wrap).x - f.left + x_offset_;
  long offset = x_offset_;
  if (x < offset) {
    offset = x - width / 4;
  } else if (x >= offset + width) {
    offset = x - width + 1 + width / 4;
  }
  return SetXOffset(offset) || changed;
}

// ---------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------

void EditView::Paint(HDC dc, const EditLook& look) const {
  const int saved = SaveDC(dc);
  FillRect(dc, &client_, look.brush);
  SelectObject(dc, ActualFont(font_));
  SetBkMode(dc, TRANSPARENT);
  const RECT f = FormatRect();
  IntersectClipRect(dc, f.left, f.top, f.right, f.bottom);
  const size_t last = std::min(lines_.size(), first_line_ + VisibleLines() + 1);
  for (size_t i = first_line_; i < last; ++i) {
    PaintLine(dc, i, f.top + static_cast<int>(i - first_line_) * line_height_, look);
  }
  RestoreDC(dc, saved);
}

// Draws the line in runs of characters that share a colour; tabs are only
// their background.
void EditView::PaintLine(HDC dc, size_t index, int y, const EditLook& look) const {
  const EditLine& line = lines_[index];
  const std::string& text = text_.text();
  const bool selecting = look.show_selection && text_.HasSelection();
  const size_t sel_start = text_.SelStart(), sel_end = text_.SelEnd();
  const int left = LineLeft(index);
  std::string run;
  int run_x = left, pen = 0;
  bool run_selected = false;
  auto flush = [&](int end_x) {
    SetTextColor(dc, run_selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : look.text);
    SetBkColor(dc, run_selected ? GetSysColor(COLOR_HIGHLIGHT) : look.background);
    RECT cell{run_x, y, end_x, y + line_height_};
    ExtTextOutA(dc, run_x, y, ETO_OPAQUE, &cell, run.empty() ? nullptr : run.data(),
                static_cast<UINT>(run.size()), nullptr);
    run.clear();
    run_x = end_x;
  };
  for (size_t p = line.start; p < line.end;) {
    const size_t n = CharLen(text, p);
    const std::string_view ch = std::string_view(text).substr(p, n);
    const bool selected = selecting && p >= sel_start && p < sel_end;
    const int x = left + pen;
    if (selected != run_selected || ch == "\t") {
      if (x > run_x) flush(x);
      run_selected = selected;
    }
    pen += Advance(ch, pen);
    if (ch == "\t") {
      flush(left + pen);
    } else if (layout_.password) {
      run.push_back(layout_.password);
    } else {
      run.append(ch);
    }
    p += n;
  }
  if (!run.empty()) flush(left + pen);
}

}  // namespace platform::controls
