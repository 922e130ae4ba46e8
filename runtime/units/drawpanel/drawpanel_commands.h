// The drawing panel's methods, as command routines of the runtime library.
// Argument 0 of each is the reference to the panel (window id, unit id,
// object type); an argument of type 0 is an omitted optional one.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/core/value.h"

namespace runtime::units {

// x1, y1, x2, y2 in CoordinateUnit: a line with the pen, its end point
// left out.
void DrawLine(ValueRecord* result, int32_t count, ArgumentRecord* args);

// Picture handle, x, y, [width, height], [copy mode].
void DrawPicture(ValueRecord* result, int32_t count, ArgumentRecord* args);

// Values of any kind, each ended by a line break, from the current text
// position on, which moves down past them.
void WriteText(ValueRecord* result, int32_t count, ArgumentRecord* args);

// [x], [y], then values, one after the other on a line; the current text
// position stays.
void WriteTextAt(ValueRecord* result, int32_t count, ArgumentRecord* args);

// [width], [height] -> byte set: the panel's picture as a 24-bit BMP file,
// or the empty byte set.
void GetPicture(ValueRecord* result, int32_t count, ArgumentRecord* args);

// The method every unit has: its window repainted with its background
// erased. A window also repaints its visible transparent child windows.
void Redraw(ValueRecord* result, int32_t count, ArgumentRecord* args);

namespace drawpanel {
// Argument `index` as an integer, or nullopt when it is omitted or lies
// beyond the count. A value that is not a number is a run-time error.
std::optional<int32_t> IntegerArgument(int32_t count, const ArgumentRecord* args, int32_t index);
}  // namespace drawpanel

}  // namespace runtime::units
