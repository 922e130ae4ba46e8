#include "runtime/forms/font_property.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include "runtime/core/heap.h"
#include "runtime/core/text_value.h"
#include "runtime/forms/property_conversion.h"

namespace runtime::forms {

namespace {

constexpr LONG kBoldWeight = 700;
constexpr int32_t kFullTurn = 3600;  // tenths of a degree
constexpr int32_t kPointsPerInch = 72;
// A face name written alone must leave room for its terminator; one inside
// a whole font value must be shorter still.
constexpr size_t kFieldFaceLimit = LF_FACESIZE;
constexpr size_t kWholeFaceLimit = LF_FACESIZE - 1;

// What units apply when they make a font: character set 1, precisions 0,
// quality 2, pitch 0.
constexpr BYTE kUnitCharSet = DEFAULT_CHARSET;
constexpr BYTE kUnitQuality = PROOF_QUALITY;

void SetFaceName(LOGFONTA& font, const char* name) {
  std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
  std::memcpy(font.lfFaceName, name, std::min(std::strlen(name), sizeof font.lfFaceName - 1));
}

size_t FaceLength(const LOGFONTA& font) { return strnlen(font.lfFaceName, LF_FACESIZE); }

int32_t SizeInPoints(const LOGFONTA& font) {
  const int64_t height = std::llabs(static_cast<int64_t>(font.lfHeight));
  if (height > std::numeric_limits<int32_t>::max()) return 0;
  return MulDiv(static_cast<int>(height), kPointsPerInch, ScreenPixelsPerInchY());
}

LONG HeightForPoints(int32_t points) {
  const int64_t magnitude = std::llabs(static_cast<int64_t>(points));
  const int size = magnitude > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                               : static_cast<int>(magnitude);
  return -MulDiv(size, ScreenPixelsPerInchY(), kPointsPerInch);
}

int32_t Logical(bool value) { return value ? 1 : 0; }

}  // namespace

const char* FallbackFaceName() { return "\xCB\xCE\xCC\xE5"; }  // 宋体

LOGFONTA FontOfPair(const PropertyPair& pair) {
  LOGFONTA font{};
  if (pair.address != nullptr && pair.second == sizeof(LOGFONTA)) {
    std::memcpy(&font, pair.address, sizeof font);
  } else {
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  }
  return font;
}

int32_t ScreenPixelsPerInchY() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

uint64_t ReadFont(const LOGFONTA& font, int32_t sub_index) {
  switch (sub_index) {
    case kWholeFont: {
      auto* value = static_cast<FontValue*>(MemAlloc(sizeof(FontValue)));
      value->angle = font.lfEscapement;
      value->bold = Logical(font.lfWeight >= kBoldWeight);
      value->italic = Logical(font.lfItalic != 0);
      value->strikeout = Logical(font.lfStrikeOut != 0);
      value->underline = Logical(font.lfUnderline != 0);
      value->size = SizeInPoints(font);
      value->face_name = MakeText(std::string_view(font.lfFaceName, FaceLength(font)));
      return PointerValue(value);
    }
    case 0:
      return static_cast<uint32_t>(font.lfEscapement);
    case 1:
      return static_cast<uint32_t>(Logical(font.lfWeight >= kBoldWeight));
    case 2:
      return static_cast<uint32_t>(Logical(font.lfItalic != 0));
    case 3:
      return static_cast<uint32_t>(Logical(font.lfStrikeOut != 0));
    case 4:
      return static_cast<uint32_t>(Logical(font.lfUnderline != 0));
    case 5:
      return static_cast<uint32_t>(SizeInPoints(font));
    case 6:
      return PointerValue(MakeText(std::string_view(font.lfFaceName, FaceLength(font))));
    default:
      return 0;
  }
}

std::optional<LOGFONTA> FontFromValue(const FontValue* value) {
  if (value == nullptr) return std::nullopt;
  LOGFONTA font{};
  font.lfCharSet = kUnitCharSet;
  font.lfQuality = kUnitQuality;
  const int32_t fields[] = {value->angle,     value->bold,      value->italic,
                            value->strikeout, value->underline, value->size};
  for (int32_t field = 0; field < 6; ++field) {
    WriteFontField(font, field, static_cast<uint32_t>(fields[field]));
  }
  const char* face = value->face_name;
  // An empty name stays empty: the font system picks its default face then.
  SetFaceName(font,
              face == nullptr || std::strlen(face) >= kWholeFaceLimit ? FallbackFaceName() : face);
  return font;
}

bool WriteFontField(LOGFONTA& font, int32_t sub_index, uint64_t value) {
  const auto number = static_cast<int32_t>(static_cast<uint32_t>(value));
  switch (sub_index) {
    case 0:
      font.lfEscapement = ((number % kFullTurn) + kFullTurn) % kFullTurn;
      font.lfOrientation = font.lfEscapement;
      return true;
    case 1:
      font.lfWeight = number != 0 ? kBoldWeight : 0;
      return true;
    case 2:
      font.lfItalic = number != 0 ? 1 : 0;
      return true;
    case 3:
      font.lfStrikeOut = number != 0 ? 1 : 0;
      return true;
    case 4:
      font.lfUnderline = number != 0 ? 1 : 0;
      return true;
    case 5:
      font.lfHeight = HeightForPoints(number);
      return true;
    case 6: {
      const auto* face = static_cast<const char*>(ValuePointer(value));
      const size_t length = face != nullptr ? std::strlen(face) : 0;
      SetFaceName(font, length == 0 || length >= kFieldFaceLimit ? FallbackFaceName() : face);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace runtime::forms
