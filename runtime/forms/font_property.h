// Font properties: the 60-byte LOGFONTA a unit keeps, seen by the
// application as a font value (whole, sub-index -1) or as one of its seven
// fields (sub-index 0 angle, 1 bold, 2 italic, 3 strike-out, 4 underline,
// 5 size in points, 6 face name).
#pragma once

#include <cstdint>
#include <optional>

#include "platform/win32.h"
#include "runtime/core/value.h"
#include "runtime/forms/unit_types.h"

namespace runtime::forms {

inline constexpr int32_t kWholeFont = -1;
inline constexpr int32_t kLastFontField = 6;

// The face name that stands in for an unusable one ("宋体", GBK).
const char* FallbackFaceName();

// The font a get handler reported: its LOGFONTA when it gave exactly 60
// bytes, otherwise the default GUI font.
LOGFONTA FontOfPair(const PropertyPair& pair);

// LOGPIXELSY of the screen: sizes in points turn into pixels with it.
int32_t ScreenPixelsPerInchY();

// The application's value of `font` at `sub_index`: a new font value (its
// face name a new text value) for -1, the field for 0..6 (the face name a
// new text value), 0 for any other sub-index.
uint64_t ReadFont(const LOGFONTA& font, int32_t sub_index);

// A font from a whole font value, null standing for none (so nullopt).
std::optional<LOGFONTA> FontFromValue(const FontValue* value);

// Writes field `sub_index` (0..6) of `font` from the application's value;
// false for any other sub-index.
bool WriteFontField(LOGFONTA& font, int32_t sub_index, uint64_t value);

}  // namespace runtime::forms
