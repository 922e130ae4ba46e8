// The panel's own fill patterns for BrushStyle 8 to 55.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace runtime::units::drawpanel {

inline constexpr int32_t kFirstPatternStyle = 8;
inline constexpr int32_t kLastBrushStyle = 55;
inline constexpr int32_t kPatternCount = kLastBrushStyle - kFirstPatternStyle + 1;

// Eight rows of one 8 x 8 pattern, the leftmost pixel in the top bit. Set
// bits show the background colour, clear bits the brush colour.
using BrushPattern = std::array<uint8_t, 8>;

// The pattern of brush style `style` (8 to 55; others give the first).
const BrushPattern& PatternForStyle(int32_t style);

}  // namespace runtime::units::drawpanel
