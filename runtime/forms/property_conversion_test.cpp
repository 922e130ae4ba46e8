// Property values across the property interface, by type code, both ways.
#include "runtime/forms/property_conversion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/display/headless.h"
#include "runtime/core/byte_set.h"
#include "runtime/core/heap.h"
#include "runtime/forms/font_property.h"

namespace runtime::forms {
namespace {

constexpr const char* kSongTi = "\xCB\xCE\xCC\xE5";  // 宋体

PropertyPair Pair(uint32_t first, uint32_t second = 0, const void* address = nullptr) {
  PropertyPair pair;
  pair.first = first;
  pair.second = second;
  pair.address = address;
  return pair;
}

// Writes `value` without a current value (fine for everything but font
// fields).
PropertyPair Written(int16_t type_code, uint64_t value, PairStorage& storage,
                     int32_t sub_index = kWholeFont) {
  std::optional<PropertyPair> pair = PairFromValue(type_code, value, sub_index, {}, storage);
  EXPECT_TRUE(pair.has_value());
  return pair.value_or(PropertyPair{});
}

std::string TakeText(uint64_t value) {
  auto* text = static_cast<char*>(const_cast<void*>(ValuePointer(value)));
  std::string copy = text != nullptr ? text : "<null>";
  MemFree(text);
  return copy;
}

std::string TakeBytes(uint64_t value) {
  void* block = const_cast<void*>(ValuePointer(value));
  auto bytes = ByteSetBytes(block);
  std::string copy(bytes.begin(), bytes.end());
  MemFree(block);
  return copy;
}

class PropertyConversionTest : public testing::Test {
 protected:
  explicit PropertyConversionTest(int dpi = 96)
      : display_(platform::ClockKind::kVirtual, Screen(dpi)) {}
  static platform::ScreenSettings Screen(int dpi) {
    platform::ScreenSettings screen;
    screen.dpi = dpi;
    return screen;
  }

  platform::HeadlessDisplay display_;
};

TEST_F(PropertyConversionTest, NumbersColoursAndLogicals) {
  PairStorage storage;
  for (int16_t code : {1000, 1001, 1014, 1015, 1017}) {
    EXPECT_EQ(ValueFromPair(code, Pair(0xFFFFFFFE, 7), -1), 0xFFFFFFFEu) << code;
    PropertyPair pair = Written(code, 0x00000009FFFFFFF0ull, storage);
    EXPECT_EQ(pair.first, 0xFFFFFFF0u) << code;
    EXPECT_EQ(pair.second, 0u) << "only the low word is written, " << code;
  }
  EXPECT_EQ(Written(1006, static_cast<uint32_t>(-5), storage).first, 0u)
      << "a negative choice becomes 0";
  EXPECT_EQ(Written(1006, 3, storage).first, 3u);
  for (int16_t code : {1002, 1004}) {
    EXPECT_EQ(ValueFromPair(code, Pair(1, 2), -1), 0x0000000200000001ull);
    PropertyPair pair = Written(code, 0x8000000300000004ull, storage);
    EXPECT_EQ(pair.first, 4u);
    EXPECT_EQ(pair.second, 0x80000003u);
  }
  EXPECT_EQ(ValueFromPair(1003, Pair(1), -1), 1u);
  EXPECT_EQ(ValueFromPair(1003, Pair(2), -1), 0u) << "true is exactly 1 in the pair";
  EXPECT_EQ(Written(1003, 0x100, storage).first, 1u);
  EXPECT_EQ(Written(1003, 0, storage).first, 0u);
}

TEST_F(PropertyConversionTest, TextsAreCopiedOutAndLentIn) {
  PairStorage storage;
  const char* unit_text = "\xB0\xB4\xC5\xA5";  // 按钮
  for (int16_t code : {1005, 1007, 1008, 1016, 1018, 1019, 1020, 1021, 1022}) {
    const uint64_t value = ValueFromPair(code, Pair(0, 0, unit_text), -1);
    EXPECT_NE(ValuePointer(value), unit_text) << "the reader gets its own block";
    EXPECT_EQ(TakeText(value), unit_text);
    EXPECT_EQ(ValueFromPair(code, Pair(0), -1), 0u) << "no text reads as null";

    PropertyPair lent = Written(code, PointerValue(unit_text), storage);
    EXPECT_EQ(lent.address, unit_text) << "the caller's text is lent, not copied";
    PropertyPair empty = Written(code, 0, storage);
    ASSERT_NE(empty.address, nullptr) << code;
    EXPECT_STREQ(static_cast<const char*>(empty.address), "");
  }
}

TEST_F(PropertyConversionTest, BytesBecomeNewByteSetsAndLendTheirBytes) {
  PairStorage storage;
  const uint8_t bytes[] = {1, 0, 2, 0, 3};
  for (int16_t code : {1009, 1010, 1012, 1023, 1024}) {
    EXPECT_EQ(TakeBytes(ValueFromPair(code, Pair(0, 5, bytes), -1)),
              std::string("\x01\x00\x02\x00\x03", 5));
    EXPECT_EQ(ValueFromPair(code, Pair(0, 0, bytes), -1), 0u) << "no bytes, no byte set";
    EXPECT_EQ(ValueFromPair(code, Pair(0, 5, nullptr), -1), 0u);

    void* set = MakeByteSet(bytes, 5);
    PropertyPair lent = Written(code, PointerValue(set), storage);
    EXPECT_EQ(lent.address, static_cast<uint8_t*>(set) + 8) << "the bytes inside the set";
    EXPECT_EQ(lent.second, 5u);
    MemFree(set);
    PropertyPair none = Written(code, 0, storage);
    EXPECT_EQ(none.address, nullptr);
    EXPECT_EQ(none.second, 0u);
  }
}

TEST_F(PropertyConversionTest, MousePointersSpeakPointerNumbersToTheApplication) {
  PairStorage storage;
  const uint8_t kept[] = {0x00, 0x7F, 0x00, 0x00, 0xAA};  // 32512: IDC_ARROW, then a byte
  EXPECT_EQ(TakeBytes(ValueFromPair(1011, Pair(0, 5, kept), -1)),
            std::string("\x01\x00\x00\x00\xAA", 5));
  void* hand = MakeByteSet("\x0E\x00\x00\x00", 4);
  PropertyPair pair = Written(1011, PointerValue(hand), storage);
  ASSERT_EQ(pair.second, 4u);
  int32_t handle = 0;
  std::memcpy(&handle, pair.address, 4);
  EXPECT_EQ(handle, 32649) << "pointer 14 is the hand, IDC_HAND";
  MemFree(hand);
  void* short_data = MakeByteSet("\x02\x00", 2);
  pair = Written(1011, PointerValue(short_data), storage);
  EXPECT_EQ(std::string(static_cast<const char*>(pair.address), pair.second),
            std::string("\x02\x00", 2))
      << "a single-byte number is left alone";
  MemFree(short_data);
}

LOGFONTA SampleFont() {
  LOGFONTA font{};
  font.lfHeight = -16;  // 12 points at 96 DPI
  font.lfEscapement = 450;
  font.lfWeight = 700;
  font.lfItalic = 1;
  font.lfUnderline = 1;
  std::strcpy(font.lfFaceName, "Arial");
  return font;
}

TEST_F(PropertyConversionTest, WholeFontsReadAsFontValues) {
  LOGFONTA font = SampleFont();
  uint64_t value = ValueFromPair(1013, Pair(0, sizeof font, &font), kWholeFont);
  auto* read = static_cast<FontValue*>(const_cast<void*>(ValuePointer(value)));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->angle, 450);
  EXPECT_EQ(read->bold, 1);
  EXPECT_EQ(read->italic, 1);
  EXPECT_EQ(read->strikeout, 0);
  EXPECT_EQ(read->underline, 1);
  EXPECT_EQ(read->size, 12);
  EXPECT_STREQ(read->face_name, "Arial");
  MemFree(read->face_name);
  MemFree(read);

  // A unit without its own font (or not 60 bytes of it) has the default GUI
  // font: 宋体, 12 pixels, 9 points.
  for (PropertyPair none : {Pair(0), Pair(0, 59, &font)}) {
    EXPECT_EQ(ValueFromPair(1013, none, 5), 9u);
    EXPECT_EQ(TakeText(ValueFromPair(1013, none, 6)), kSongTi);
  }
  EXPECT_EQ(ValueFromPair(1013, Pair(0, sizeof font, &font), 7), 0u) << "no such field";
}

TEST_F(PropertyConversionTest, WholeFontValuesReplaceTheFontWithFaceNameRules) {
  PairStorage storage;
  const std::string longest(30, 'f');
  FontValue value{-900, 5, 1, 1, 0, 9, const_cast<char*>(longest.c_str())};
  PropertyPair pair = Written(1013, PointerValue(&value), storage);
  ASSERT_EQ(pair.second, 60u);
  const auto* font = static_cast<const LOGFONTA*>(pair.address);
  EXPECT_EQ(font->lfEscapement, 2700);
  EXPECT_EQ(font->lfOrientation, 2700);
  EXPECT_EQ(font->lfWeight, 700);
  EXPECT_EQ(font->lfItalic, 1);
  EXPECT_EQ(font->lfStrikeOut, 1);
  EXPECT_EQ(font->lfHeight, -12);
  EXPECT_EQ(font->lfCharSet, DEFAULT_CHARSET);
  EXPECT_STREQ(font->lfFaceName, longest.c_str()) << "30 bytes still fit";

  const std::string too_long(31, 'f');
  char empty[] = "";
  for (char* face : {static_cast<char*>(nullptr), const_cast<char*>(too_long.c_str()), empty}) {
    value.face_name = face;
    pair = Written(1013, PointerValue(&value), storage);
    EXPECT_STREQ(static_cast<const LOGFONTA*>(pair.address)->lfFaceName,
                 face == empty ? "" : kSongTi);
  }
  pair = Written(1013, 0, storage);
  EXPECT_EQ(pair.address, nullptr) << "no font value: the unit goes back to its default font";
}

// Changes field `sub_index` of SampleFont() to `value`.
LOGFONTA WithField(int32_t sub_index, uint64_t value) {
  LOGFONTA font = SampleFont();
  PairStorage storage;
  std::optional<PropertyPair> pair =
      PairFromValue(1013, value, sub_index, Pair(0, sizeof font, &font), storage);
  EXPECT_TRUE(pair.has_value());
  return pair ? *static_cast<const LOGFONTA*>(pair->address) : LOGFONTA{};
}

TEST_F(PropertyConversionTest, FontFieldsChangeOneFieldOfTheUnitsFont) {
  EXPECT_EQ(WithField(0, static_cast<uint32_t>(-1)).lfEscapement, 3599);
  EXPECT_EQ(WithField(0, 7205).lfEscapement, 5);
  EXPECT_EQ(WithField(0, 3600).lfOrientation, 0);
  EXPECT_EQ(WithField(1, 0).lfWeight, 0);
  EXPECT_EQ(WithField(1, 2).lfWeight, 700);
  EXPECT_EQ(WithField(2, 0).lfItalic, 0);
  EXPECT_EQ(WithField(3, 9).lfStrikeOut, 1);
  EXPECT_EQ(WithField(4, 0).lfUnderline, 0);
  LOGFONTA sized = WithField(5, static_cast<uint32_t>(-11));
  EXPECT_EQ(sized.lfHeight, -15) << "the size's magnitude, rounded";
  EXPECT_STREQ(sized.lfFaceName, "Arial") << "other fields stay";
  EXPECT_EQ(sized.lfEscapement, 450);

  EXPECT_STREQ(WithField(6, PointerValue("Courier")).lfFaceName, "Courier");
  const std::string fits(31, 'c');
  const std::string too_long(32, 'c');
  EXPECT_STREQ(WithField(6, PointerValue(fits.c_str())).lfFaceName, fits.c_str());
  for (const char* face : {"", too_long.c_str(), static_cast<const char*>(nullptr)}) {
    EXPECT_STREQ(WithField(6, PointerValue(face)).lfFaceName, kSongTi);
  }

  PairStorage storage;
  EXPECT_FALSE(PairFromValue(1013, 1, 7, {}, storage).has_value());
  EXPECT_FALSE(PairFromValue(1013, 1, -2, {}, storage).has_value());
}

TEST_F(PropertyConversionTest, FontFieldsRead) {
  LOGFONTA font = SampleFont();
  font.lfWeight = 699;
  const PropertyPair pair = Pair(0, sizeof font, &font);
  EXPECT_EQ(ValueFromPair(1013, pair, 0), 450u);
  EXPECT_EQ(ValueFromPair(1013, pair, 1), 0u) << "bold starts at 700";
  EXPECT_EQ(ValueFromPair(1013, pair, 2), 1u);
  EXPECT_EQ(ValueFromPair(1013, pair, 3), 0u);
  EXPECT_EQ(ValueFromPair(1013, pair, 4), 1u);
  EXPECT_EQ(ValueFromPair(1013, pair, 5), 12u);
  EXPECT_EQ(TakeText(ValueFromPair(1013, pair, 6)), "Arial");
}

// Sizes written and read back at the screen's DPI come back unchanged.
void ExpectSizesRoundTrip(int32_t dpi) {
  EXPECT_EQ(ScreenPixelsPerInchY(), dpi);
  for (int32_t points : {1, 5, 8, 9, 10, 11, 12, 14, 18, 26, 36, 72, 200}) {
    LOGFONTA font = WithField(5, static_cast<uint32_t>(points));
    EXPECT_EQ(ValueFromPair(1013, Pair(0, sizeof font, &font), 5), static_cast<uint32_t>(points))
        << points << " points at " << dpi << " DPI";
  }
}

TEST_F(PropertyConversionTest, SizesRoundTripAt96Dpi) {
  EXPECT_EQ(WithField(5, 9).lfHeight, -12);
  ExpectSizesRoundTrip(96);
}

class PropertyConversionAt120DpiTest : public PropertyConversionTest {
 protected:
  PropertyConversionAt120DpiTest() : PropertyConversionTest(120) {}
};

TEST_F(PropertyConversionAt120DpiTest, SizesRoundTrip) {
  EXPECT_EQ(WithField(5, 9).lfHeight, -15);
  ExpectSizesRoundTrip(120);
}

}  // namespace
}  // namespace runtime::forms
