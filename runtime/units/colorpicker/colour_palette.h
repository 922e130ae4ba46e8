// The colour picker's fixed palette: 32 named colours, 0x00BBGGRR.
#pragma once

#include <array>
#include <cstdint>

namespace runtime::units::colorpicker {

struct PaletteColour {
  uint32_t value;
  const char* name;  // GBK; the cell's tooltip
};

inline constexpr int32_t kPaletteSize = 32;
const std::array<PaletteColour, kPaletteSize>& Palette();

// The transparent marker the "透明" entry gives.
inline constexpr uint32_t kTransparent = 0xFF000000;

}  // namespace runtime::units::colorpicker
