// The button's property handlers: a new Picture needs a new control; the
// rest applies to the live one.
#include <string>

#include "runtime/units/button/button_unit.h"
#include "runtime/units/common/unit_controls.h"

namespace runtime::units::button {

namespace {

std::string BytesOf(const forms::PropertyPair& pair) {
  if (pair.address == nullptr) return {};
  return {static_cast<const char*>(pair.address), pair.second};
}

void GiveBytes(const forms::RecordValues& record, Field field, forms::PropertyPair* pair) {
  const std::span<const uint8_t> bytes = record.Bytes(field);
  pair->address = bytes.empty() ? nullptr : bytes.data();
  pair->second = static_cast<uint32_t>(bytes.size());
}

void Restyle(const ButtonUnit& unit, DWORD mask, DWORD bits) {
  const auto style = static_cast<DWORD>(GetWindowLongA(unit.window, GWL_STYLE));
  SetWindowLongA(unit.window, GWL_STYLE, static_cast<LONG>((style & ~mask) | bits));
  InvalidateRect(unit.window, nullptr, TRUE);
}

}  // namespace

void GetButtonProperty(void* object, int32_t index, forms::PropertyPair* pair) {
  const auto& unit = *static_cast<const ButtonUnit*>(object);
  *pair = {};
  switch (index) {
    case kPictureIndex:
      GiveBytes(unit.record, kPicture, pair);
      break;
    case kFontIndex:
      GiveBytes(unit.record, kFont, pair);
      break;
    case kCaptionIndex:
      pair->address = unit.record.Text(kCaption).c_str();
      break;
    case kButtonTypeIndex:
      pair->first = static_cast<uint32_t>(unit.Int(kButtonType));
      break;
    case kAlignmentIndex:
      pair->first = static_cast<uint32_t>(unit.Int(kAlignment));
      break;
    case kVerticalAlignmentIndex:
      pair->first = static_cast<uint32_t>(unit.Int(kVerticalAlignment));
      break;
    default:
      break;
  }
}

int32_t SetButtonProperty(void* object, int32_t index, const forms::PropertyPair* pair, int32_t) {
  auto& unit = *static_cast<ButtonUnit*>(object);
  const auto value = static_cast<int32_t>(pair->first);
  switch (index) {
    case kPictureIndex:
      unit.record.SetText(kPicture, BytesOf(*pair));
      return 1;  // the control takes its picture style only when made
    case kButtonTypeIndex:
      unit.record.SetInt(kButtonType, ClampTo(value, 0, 1));
      SendMessageA(unit.window, BM_SETSTYLE,
                   unit.Int(kButtonType) == 1 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
      InvalidateRect(unit.window, nullptr, TRUE);
      return 0;
    case kCaptionIndex:
      unit.record.SetText(kCaption,
                          pair->address != nullptr ? static_cast<const char*>(pair->address) : "");
      SetWindowTextA(unit.window, unit.record.Text(kCaption).c_str());
      return 0;
    case kAlignmentIndex:
      unit.record.SetInt(kAlignment, ClampTo(value, 0, 2));
      Restyle(unit, kHorizontalMask, AlignmentStyle(unit.record) & kHorizontalMask);
      return 0;
    case kVerticalAlignmentIndex:
      unit.record.SetInt(kVerticalAlignment, ClampTo(value, 0, 2));
      Restyle(unit, kVerticalMask, AlignmentStyle(unit.record) & kVerticalMask);
      return 0;
    case kFontIndex:
      unit.record.SetText(kFont, BytesOf(*pair));
      ApplyFont(unit);
      return 0;
    default:
      return 0;
  }
}

HGLOBAL SaveButtonProperties(void* object) {
  const auto& unit = *static_cast<const ButtonUnit*>(object);
  return GlobalCopy(forms::WriteRecord(unit.record));
}

}  // namespace runtime::units::button
