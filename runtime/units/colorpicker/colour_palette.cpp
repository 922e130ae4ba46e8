#include "runtime/units/colorpicker/colour_palette.h"

namespace runtime::units::colorpicker {

const std::array<PaletteColour, kPaletteSize>& Palette() {
  static constexpr std::array<PaletteColour, kPaletteSize> kPalette = {{
      {0x000000, "\xBA\xDA\xC9\xAB"},  // 黑色
      {0x800000, "\xB2\xD8\xC7\xE0"},  // 藏青
      {0x008000, "\xC4\xAB\xC2\xCC"},  // 墨绿
      {0x808000, "\xC9\xEE\xC7\xE0"},  // 深青
      {0x000080, "\xBA\xEC\xBA\xD6"},  // 红褐
      {0x800080, "\xD7\xCF\xBA\xEC"},  // 紫红
      {0x008080, "\xBA\xD6\xC2\xCC"},  // 褐绿
      {0xC0C0C0, "\xC7\xB3\xBB\xD2"},  // 浅灰
      {0x808080, "\xBB\xD2\xC9\xAB"},  // 灰色
      {0xFF0000, "\xC0\xB6\xC9\xAB"},  // 蓝色
      {0x00FF00, "\xC2\xCC\xC9\xAB"},  // 绿色
      {0xFFFF00, "\xD1\xDE\xC7\xE0"},  // 艳青
      {0x0000FF, "\xBA\xEC\xC9\xAB"},  // 红色
      {0xFF00FF, "\xC6\xB7\xBA\xEC"},  // 品红
      {0x00FFFF, "\xBB\xC6\xC9\xAB"},  // 黄色
      {0xFFFFFF, "\xB0\xD7\xC9\xAB"},  // 白色
      {0xFF8080, "\xC0\xB6\xBB\xD2"},  // 蓝灰
      {0xE03058, "\xB2\xD8\xC0\xB6"},  // 藏蓝
      {0x00E080, "\xC4\xDB\xC2\xCC"},  // 嫩绿
      {0x80E000, "\xC7\xE0\xC2\xCC"},  // 青绿
      {0x0060C0, "\xBB\xC6\xBA\xD6"},  // 黄褐
      {0xFFA8FF, "\xB7\xDB\xBA\xEC"},  // 粉红
      {0x00D8D8, "\xC4\xDB\xBB\xC6"},  // 嫩黄
      {0xECECEC, "\xD2\xF8\xB0\xD7"},  // 银白
      {0xFF0090, "\xD7\xCF\xC9\xAB"},  // 紫色
      {0xFF8800, "\xCC\xEC\xC0\xB6"},  // 天蓝
      {0x80A080, "\xBB\xD2\xC2\xCC"},  // 灰绿
      {0xC06000, "\xC7\xE0\xC0\xB6"},  // 青蓝
      {0x0080FF, "\xB3\xC8\xBB\xC6"},  // 橙黄
      {0x8050FF, "\xCC\xD2\xBA\xEC"},  // 桃红
      {0xC080FF, "\xDC\xBD\xBA\xEC"},  // 芙红
      {0x606060, "\xC9\xEE\xBB\xD2"},  // 深灰
  }};
  return kPalette;
}

}  // namespace runtime::units::colorpicker
