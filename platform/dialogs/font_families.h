// The font families the font dialog offers, from fontconfig: scalable
// faces only, each family once, under the name a Chinese system shows (the
// family's zh-cn name where fontconfig has one, "文泉驿正黑", else its own
// name), in GBK, with the styles it really has.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace platform::dialogs {

// The four styles of the dialog's style list, in its order.
enum FontStyle : int { kRegular = 0, kItalic = 1, kBold = 2, kBoldItalic = 3 };
inline constexpr int kFontStyleCount = 4;

inline bool StyleIsBold(int style) { return (style & kBold) != 0; }
inline bool StyleIsItalic(int style) { return (style & kItalic) != 0; }
inline int StyleOf(bool bold, bool italic) { return (bold ? kBold : 0) | (italic ? kItalic : 0); }

struct FontFamily {
  std::string name;        // GBK, at most LF_FACESIZE - 1 bytes: the LOGFONTA face name
  bool monospace = false;  // fontconfig says so (mono, dual or char-cell spacing)
  bool chinese = false;    // covers Simplified Chinese: offers the GB2312 script
  std::array<bool, kFontStyleCount> has_style{};  // faces the family has (others are simulated)
};

// Every family, sorted by name as the dialog lists them (ASCII letters
// without case, then GBK byte order); empty when fontconfig has none.
std::vector<FontFamily> ListFontFamilies();

// The order the list uses, for finding names in it.
bool FontNameLess(const std::string& a, const std::string& b);

}  // namespace platform::dialogs
