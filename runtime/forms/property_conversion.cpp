#include "runtime/forms/property_conversion.h"

#include "runtime/core/byte_set.h"
#include "runtime/core/text_value.h"
#include "runtime/forms/font_property.h"
#include "runtime/forms/mouse_pointer.h"

namespace runtime::forms {

namespace {

std::span<const uint8_t> PairBytes(const PropertyPair& pair) {
  if (pair.address == nullptr || static_cast<int32_t>(pair.second) <= 0) return {};
  return {static_cast<const uint8_t*>(pair.address), pair.second};
}

uint64_t NewByteSet(std::span<const uint8_t> bytes) {
  return PointerValue(MakeByteSet(bytes.data(), static_cast<int32_t>(bytes.size())));
}

// Bytes point into the caller's byte set; an empty one is (null, 0).
PropertyPair BytesPair(std::span<const uint8_t> bytes) {
  PropertyPair pair;
  pair.address = bytes.empty() ? nullptr : bytes.data();
  pair.second = static_cast<uint32_t>(bytes.size());
  return pair;
}

std::optional<PropertyPair> FontPair(uint64_t value, int32_t sub_index, const PropertyPair& current,
                                     PairStorage& storage) {
  if (sub_index == kWholeFont) {
    std::optional<LOGFONTA> font =
        FontFromValue(static_cast<const FontValue*>(ValuePointer(value)));
    if (!font) return PropertyPair{};  // no font: the unit goes back to the default one
    storage.font = *font;
  } else {
    storage.font = FontOfPair(current);
    if (!WriteFontField(storage.font, sub_index, value)) return std::nullopt;
  }
  PropertyPair pair;
  pair.address = &storage.font;
  pair.second = sizeof storage.font;
  return pair;
}

}  // namespace

PropertyKind KindOfPropertyType(int16_t type_code) {
  switch (type_code) {
    case 1000:
    case 1001:
    case 1014:
    case 1015:
    case 1017:
      return PropertyKind::kInteger;
    case 1006:
      return PropertyKind::kChoice;
    case 1002:
    case 1004:
      return PropertyKind::kWide;
    case 1003:
      return PropertyKind::kLogical;
    case 1005:
    case 1007:
    case 1008:
    case 1016:
    case 1018:
    case 1019:
    case 1020:
    case 1021:
    case 1022:
      return PropertyKind::kText;
    case 1009:
    case 1010:
    case 1012:
    case 1023:
    case 1024:
      return PropertyKind::kBytes;
    case 1011:
      return PropertyKind::kMousePointer;
    case 1013:
      return PropertyKind::kFont;
    default:
      return PropertyKind::kOther;
  }
}

uint64_t ValueFromPair(int16_t type_code, const PropertyPair& pair, int32_t sub_index) {
  switch (KindOfPropertyType(type_code)) {
    case PropertyKind::kInteger:
    case PropertyKind::kChoice:
      return pair.first;
    case PropertyKind::kLogical:
      return pair.first == 1 ? 1 : 0;
    case PropertyKind::kText:
      return PointerValue(MakeText(static_cast<const char*>(pair.address)));
    case PropertyKind::kBytes:
      return NewByteSet(PairBytes(pair));
    case PropertyKind::kMousePointer: {
      auto data = TranslatePointerData(PairBytes(pair), PointerTranslation::kToPointerNumber);
      return NewByteSet(data);
    }
    case PropertyKind::kFont:
      return ReadFont(FontOfPair(pair), sub_index);
    case PropertyKind::kWide:
    case PropertyKind::kOther:
      break;
  }
  return JoinWords(pair.first, pair.second);
}

std::optional<PropertyPair> PairFromValue(int16_t type_code, uint64_t value, int32_t sub_index,
                                          const PropertyPair& current, PairStorage& storage) {
  const auto low = static_cast<uint32_t>(value);
  PropertyPair pair;
  switch (KindOfPropertyType(type_code)) {
    case PropertyKind::kInteger:
      pair.first = low;
      return pair;
    case PropertyKind::kChoice:
      pair.first = static_cast<int32_t>(low) < 0 ? 0 : low;
      return pair;
    case PropertyKind::kLogical:
      pair.first = low != 0 ? 1 : 0;
      return pair;
    case PropertyKind::kText: {
      const void* text = ValuePointer(value);
      pair.address = text != nullptr ? text : "";
      return pair;
    }
    case PropertyKind::kBytes:
      return BytesPair(ByteSetBytes(ValuePointer(value)));
    case PropertyKind::kMousePointer:
      storage.bytes = TranslatePointerData(ByteSetBytes(ValuePointer(value)),
                                           PointerTranslation::kToHandleNumber);
      return BytesPair(storage.bytes);
    case PropertyKind::kFont:
      return FontPair(value, sub_index, current, storage);
    case PropertyKind::kWide:
    case PropertyKind::kOther:
      break;
  }
  pair.first = low;
  pair.second = static_cast<uint32_t>(value >> 32);
  return pair;
}

}  // namespace runtime::forms
