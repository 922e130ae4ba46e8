#include "platform/gdi/text_format.h"

#include <algorithm>

#include "platform/base/gbk.h"

namespace platform::gdi {

namespace {

enum class CellKind { kText, kSpace, kTab, kControl };

struct Cell {
  std::string bytes;  // GBK as drawn
  CellKind kind = CellKind::kText;
  int advance = 0;        // with the character extra; tabs get theirs on the line
  int glyph_advance = 0;  // without it: the width a prefix underline takes
  bool prefixed = false;
};

// A cell on its line, with the advance it takes there.
struct Placed {
  const Cell* cell;
  int advance;
};

bool IsBlank(const Cell& cell) {
  return cell.kind == CellKind::kSpace || cell.kind == CellKind::kTab;
}
bool IsDoubleByte(const Cell& cell) { return cell.bytes.size() == 2; }

Cell MakeCell(const char* bytes, size_t length, char32_t code, const DrawTextRules& rules) {
  Cell cell;
  if (code == U'\t' && (rules.format & DT_EXPANDTABS)) {
    cell.bytes = " ";
    cell.kind = CellKind::kTab;
  } else if (code < 0x20) {
    cell.bytes = " ";
    cell.kind = CellKind::kControl;
  } else {
    cell.bytes.assign(bytes, length);
    cell.kind = code == U' ' ? CellKind::kSpace : CellKind::kText;
    cell.glyph_advance = rules.advance(code);
    cell.advance = cell.glyph_advance + rules.char_extra;
  }
  return cell;
}

// One paragraph's cells, prefixes resolved.
std::vector<Cell> CellsOf(std::string_view text, const DrawTextRules& rules) {
  const bool prefixes = !(rules.format & DT_NOPREFIX);
  std::vector<Cell> cells;
  bool prefixed = false;
  size_t offset = 0;
  while (offset < text.size()) {
    const auto decoded = gbk::DecodeChar(text.data() + offset, text.size() - offset);
    const char* bytes = text.data() + offset;
    offset += decoded.length;
    if (prefixes && decoded.code == U'&' && !prefixed) {
      prefixed = true;
      continue;
    }
    cells.push_back(MakeCell(bytes, decoded.length, decoded.code, rules));
    // "&&" is a plain '&'.
    cells.back().prefixed = prefixed && decoded.code != U'&';
    prefixed = false;
  }
  return cells;
}

int CellAdvance(const Cell& cell, int64_t x, const DrawTextRules& rules) {
  if (cell.kind != CellKind::kTab) return cell.advance;
  if (rules.tab_width <= 0) return 0;
  const int64_t from = std::max<int64_t>(x, 0);
  return static_cast<int>((from / rules.tab_width + 1) * rules.tab_width - from);
}

bool CanBreakBefore(const std::vector<Cell>& cells, size_t i) {
  const Cell& before = cells[i - 1];
  const Cell& here = cells[i];
  if (IsBlank(here)) return false;
  return IsBlank(before) || IsDoubleByte(before) || IsDoubleByte(here);
}

struct Range {
  size_t begin;
  size_t end;
};

// Where a line starting at `start` overflows: the cell that no longer fits
// and the last place before it a line may break.
void FillLine(const std::vector<Cell>& cells, size_t start, const DrawTextRules& rules,
              size_t* overflow, size_t* last_break) {
  int64_t x = 0;
  size_t i = start;
  *last_break = start;
  while (i < cells.size()) {
    const int advance = CellAdvance(cells[i], x, rules);
    if (!IsBlank(cells[i]) && i > start && x + advance > rules.max_width) break;
    x += advance;
    ++i;
    if (i < cells.size() && CanBreakBefore(cells, i)) *last_break = i;
  }
  *overflow = i;
}

std::vector<Range> BreakLines(const std::vector<Cell>& cells, const DrawTextRules& rules) {
  const bool wrap = (rules.format & DT_WORDBREAK) && !(rules.format & DT_SINGLELINE);
  if (!wrap || cells.empty()) return {Range{0, cells.size()}};
  std::vector<Range> lines;
  size_t start = 0;
  while (start < cells.size()) {
    size_t overflow = 0;
    size_t last_break = 0;
    FillLine(cells, start, rules, &overflow, &last_break);
    if (overflow == cells.size()) {
      lines.push_back(Range{start, overflow});
      break;
    }
    const size_t end = last_break > start ? last_break : overflow;
    size_t kept = end;
    while (kept > start && IsBlank(cells[kept - 1])) --kept;
    lines.push_back(Range{start, kept});
    start = end;
    while (start < cells.size() && IsBlank(cells[start])) ++start;
  }
  return lines;
}

int64_t WidthOf(const std::vector<Placed>& placed) {
  int64_t width = 0;
  for (const Placed& p : placed) width += p.advance;
  return width;
}

// Drops characters from the end until what is left and "..." fit.
void EndWithEllipsis(std::vector<Placed>& placed, const Cell& dot, const DrawTextRules& rules) {
  const int64_t ellipsis = 3 * int64_t{dot.advance};
  if (WidthOf(placed) <= rules.max_width) return;
  while (!placed.empty() && WidthOf(placed) + ellipsis > rules.max_width) placed.pop_back();
  for (int i = 0; i < 3; ++i) placed.push_back(Placed{&dot, dot.advance});
}

DrawTextLine MakeLine(const std::vector<Placed>& placed, const DrawTextRules& rules) {
  DrawTextLine line;
  int64_t x = 0;
  for (const Placed& p : placed) {
    if (p.cell->prefixed && !(rules.format & DT_HIDEPREFIX)) {
      line.underlines.push_back(
          Underline{ClampCoordinate(x), ClampCoordinate(x + p.cell->glyph_advance)});
    }
    line.text += p.cell->bytes;
    line.dx.push_back(p.advance);
    if (p.cell->bytes.size() == 2) line.dx.push_back(0);
    x += p.advance;
  }
  line.width = ClampCoordinate(x);
  return line;
}

void AddParagraph(std::string_view text, const DrawTextRules& rules, const Cell& dot,
                  std::vector<DrawTextLine>& lines) {
  const std::vector<Cell> cells = CellsOf(text, rules);
  for (const Range& range : BreakLines(cells, rules)) {
    std::vector<Placed> placed;
    int64_t x = 0;
    for (size_t i = range.begin; i < range.end; ++i) {
      placed.push_back(Placed{&cells[i], CellAdvance(cells[i], x, rules)});
      x += placed.back().advance;
    }
    if (rules.format & DT_END_ELLIPSIS) EndWithEllipsis(placed, dot, rules);
    lines.push_back(MakeLine(placed, rules));
  }
}

}  // namespace

std::vector<DrawTextLine> FormatDrawText(std::string_view text, const DrawTextRules& rules) {
  const Cell dot = MakeCell(".", 1, U'.', rules);
  std::vector<DrawTextLine> lines;
  if (rules.format & DT_SINGLELINE) {
    if (!text.empty()) AddParagraph(text, rules, dot, lines);
    return lines;
  }
  size_t start = 0;
  while (start < text.size()) {
    // Line breaks are single bytes no trail byte can be (trail bytes are 0x40
    // and up), so searching the bytes is safe in GBK.
    const size_t stop = text.find_first_of("\r\n", start);
    const size_t end = stop == std::string_view::npos ? text.size() : stop;
    AddParagraph(text.substr(start, end - start), rules, dot, lines);
    if (stop == std::string_view::npos) break;
    start = stop + 1;
    if (text[stop] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

}  // namespace platform::gdi
