#include "platform/controls/edit_lines.h"

#include <algorithm>

#include "platform/base/gbk.h"

namespace platform::controls {

namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

size_t CharLen(std::string_view text, size_t pos) {
  size_t n = gbk::CharLength(text.data() + pos, text.size() - pos);
  return n ? n : 1;
}

bool IsLineBreak(std::string_view text, size_t pos) {
  return text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n';
}

// One pass over the text, keeping the pen position on the current line and
// the last place where that line may be broken.
class LineBreaker {
 public:
  LineBreaker(std::string_view text, Wrapping wrapping, int width, const CharAdvance& advance)
      : text_(text), wrap_(wrapping == Wrapping::kWrap), width_(width), advance_(advance) {}

  std::vector<EditLine> Run() {
    while (pos_ < text_.size()) {
      if (IsLineBreak(text_, pos_)) {
        lines_.push_back({line_start_, pos_, pos_ + 2, false});
        StartLine(pos_ + 2);
      } else {
        Step();
      }
    }
    lines_.push_back({line_start_, text_.size(), text_.size(), false});
    return std::move(lines_);
  }

 private:
  void StartLine(size_t start) {
    pos_ = line_start_ = start;
    x_ = 0;
    last_break_ = kNone;
  }

  // Places the character at pos_, or wraps the line before it.
  void Step() {
    const size_t n = CharLen(text_, pos_);
    const std::string_view ch = text_.substr(pos_, n);
    const int w = advance_(ch, x_);
    if (wrap_ && ch != " " && x_ + w > width_ && pos_ > line_start_) {
      Wrap();
      return;
    }
    Advance(pos_, n, w);
  }

  // Moves the pen past a placed character and notes the break chances it
  // makes: after spaces, and on both sides of a double-byte character.
  void Advance(size_t at, size_t n, int w) {
    if (n == 2 && at > line_start_) last_break_ = at;
    x_ += w;
    pos_ = at + n;
    if (n == 2 || text_[at] == ' ') last_break_ = pos_;
  }

  void Wrap() {
    const size_t resume = pos_;
    const size_t brk = last_break_ != kNone && last_break_ > line_start_ ? last_break_ : pos_;
    lines_.push_back({line_start_, brk, brk, true});
    StartLine(brk);
    // What followed the break moves to the new line: measure it again there.
    while (pos_ < resume) {
      const size_t n = CharLen(text_, pos_);
      Advance(pos_, n, advance_(text_.substr(pos_, n), x_));
    }
  }

  std::string_view text_;
  bool wrap_;
  int width_;
  const CharAdvance& advance_;
  std::vector<EditLine> lines_;
  size_t pos_ = 0;
  size_t line_start_ = 0;
  int x_ = 0;
  size_t last_break_ = kNone;
};

}  // namespace

std::vector<EditLine> BreakLines(std::string_view text, Wrapping wrapping, int wrap_width,
                                 const CharAdvance& advance) {
  if (wrapping == Wrapping::kSingleLine) return {{0, text.size(), text.size(), false}};
  return LineBreaker(text, wrapping, wrap_width, advance).Run();
}

size_t LineOf(const std::vector<EditLine>& lines, size_t pos, bool after_wrap) {
  if (lines.empty()) return 0;
  auto it = std::upper_bound(lines.begin(), lines.end(), pos,
                             [](size_t p, const EditLine& line) { return p < line.start; });
  size_t index = it == lines.begin() ? 0 : static_cast<size_t>(it - lines.begin()) - 1;
  if (after_wrap && index > 0 && lines[index].start == pos && lines[index - 1].soft) --index;
  return index;
}

}  // namespace platform::controls
