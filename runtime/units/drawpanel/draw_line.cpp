// DrawLine, and the reading of integer arguments the methods share.
#include "runtime/units/drawpanel/draw_dispatch.h"
#include "runtime/units/drawpanel/drawpanel_commands.h"

namespace runtime::units {

std::optional<int32_t> drawpanel::IntegerArgument(int32_t count, const ArgumentRecord* args,
                                                  int32_t index) {
  const ArgumentRecord argument = ArgumentAt(count, args, index);
  if (argument.IsOmitted()) return std::nullopt;
  return ValueToInteger(argument);
}

void DrawLine(ValueRecord*, int32_t count, ArgumentRecord* args) {
  drawpanel::Panel* panel = drawpanel::ReferencedPanel(count, args);
  if (panel == nullptr) return;
  const auto at = [&](int32_t index) {
    return drawpanel::IntegerArgument(count, args, index).value_or(0);
  };
  const POINT from{at(1), at(2)}, to{at(3), at(4)};
  drawpanel::DrawOnTargets(*panel, drawpanel::TextColourOf::kBrush, [&](HDC dc) {
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
  });
}

}  // namespace runtime::units
