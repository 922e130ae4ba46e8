// WriteText and WriteTextAt: values written as lines of text from a start
// point, in the panel's font and text colours.
#include <optional>
#include <string>
#include <vector>

#include "runtime/units/drawpanel/coordinate_unit.h"
#include "runtime/units/drawpanel/draw_dispatch.h"
#include "runtime/units/drawpanel/drawpanel_commands.h"
#include "runtime/units/drawpanel/value_text.h"

namespace runtime::units {

namespace {

using drawpanel::ToDevice;
using drawpanel::ToLogical;

enum class TextMethod {
  kWriteText,    // every value ends with a line break; the position moves on
  kWriteTextAt,  // values follow each other on a line; the position stays
};

// Lines are two pixels apart whatever the coordinate unit.
constexpr LONG kLineGapPixels = 2;

struct TextJob {
  TextMethod method;
  std::optional<int32_t> x, y;      // WriteTextAt's start, where given
  std::vector<std::string> values;  // as text, values that are not written left out
};

POINT NextLine(HDC dc, POINT point, LONG height, LONG line_x) {
  point.y += height;
  POINT device = ToDevice(dc, point);
  device.y += kLineGapPixels;
  point.y = ToLogical(dc, device).y;
  point.x = line_x;
  return point;
}

// Writes the lines of one value from `point` on; returns where the next
// value starts.
POINT WriteValue(HDC dc, TextMethod method, const std::string& value, POINT point,
                 LONG empty_height) {
  const LONG line_x = point.x;
  const std::vector<std::string_view> lines = drawpanel::SplitLines(value);
  for (size_t i = 0; i < lines.size(); ++i) {
    const bool last = i + 1 == lines.size();
    const std::string_view line = lines[i];
    if (method == TextMethod::kWriteTextAt && last && line.empty()) break;
    SIZE size{0, empty_height};
    if (!line.empty()) {
      const int length = static_cast<int>(line.size());
      GetTextExtentPoint32A(dc, line.data(), length, &size);
      TextOutA(dc, point.x, point.y, line.data(), length);
    }
    if (method == TextMethod::kWriteTextAt && last) {
      point.x += size.cx;
    } else {
      point = NextLine(dc, point, size.cy, line_x);
    }
  }
  return point;
}

// One run on a prepared target; the end point comes back in pixels.
POINT WriteValues(HDC dc, const TextJob& job, POINT start_pixels) {
  POINT point = ToLogical(dc, start_pixels);
  if (job.x) point.x = *job.x;
  if (job.y) point.y = *job.y;
  SIZE letter{};
  GetTextExtentPoint32A(dc, "W", 1, &letter);
  for (const std::string& value : job.values) {
    point = WriteValue(dc, job.method, value, point, letter.cy);
  }
  return ToDevice(dc, point);
}

void WriteTextBy(TextMethod method, int32_t count, ArgumentRecord* args) {
  drawpanel::Panel* panel = drawpanel::ReferencedPanel(count, args);
  if (panel == nullptr) return;
  TextJob job{method, std::nullopt, std::nullopt, {}};
  int32_t first_value = 1;
  if (method == TextMethod::kWriteTextAt) {
    job.x = drawpanel::IntegerArgument(count, args, 1);
    job.y = drawpanel::IntegerArgument(count, args, 2);
    first_value = 3;
  }
  for (int32_t i = first_value; i < count; ++i) {
    if (std::optional<std::string> text = drawpanel::ValueText(args[i])) {
      job.values.push_back(std::move(*text));
    }
  }
  const POINT start = panel->text_position;
  POINT end = start;
  drawpanel::DrawOnTargets(*panel, drawpanel::TextColourOf::kText,
                           [&](HDC dc) { end = WriteValues(dc, job, start); });
  if (method == TextMethod::kWriteText) panel->text_position = end;
}

}  // namespace

void WriteText(ValueRecord*, int32_t count, ArgumentRecord* args) {
  WriteTextBy(TextMethod::kWriteText, count, args);
}

void WriteTextAt(ValueRecord*, int32_t count, ArgumentRecord* args) {
  WriteTextBy(TextMethod::kWriteTextAt, count, args);
}

}  // namespace runtime::units
