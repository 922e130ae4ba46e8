// The label's property handlers: every property is a stored value; a write
// repaints and never needs a new window.
#include <string>

#include "runtime/units/common/unit_controls.h"
#include "runtime/units/label/label_unit.h"

namespace runtime::units::label {

namespace {

// The record field of every property, in property order.
constexpr Field kFieldOf[kOwnPropertyCount] = {
    kCaption,        kTextEffect,      kBorder,       kFrameWidth,        kFrameColor1,
    kFrameColor2,    kFrameColor3,     kFont,         kTextColor,         kBackColor,
    kBackPicture,    kBackPictureMode, kGradientMode, kGradientColor1,    kGradientColor2,
    kGradientColor3, kAlignment,       kWordWrap,     kVerticalAlignment, kDataSource,
    kDataField};

bool IsBytes(Field field) { return field == kFont || field == kBackPicture; }
bool IsText(Field field) {
  return field == kCaption || field == kDataSource || field == kDataField;
}

std::string BytesOf(const forms::PropertyPair& pair) {
  if (pair.address == nullptr) return {};
  return {static_cast<const char*>(pair.address), pair.second};
}

void ApplyChange(LabelUnit& unit, Field field) {
  switch (field) {
    case kCaption:
      SetWindowTextA(unit.window, unit.record.Text(kCaption).c_str());
      break;
    case kBorder:
      ApplyBorderStyle(unit.window, unit.Int(kBorder) == kGradientFrame ? 0 : unit.Int(kBorder));
      break;
    case kFont:
      if (unit.font != nullptr) DeleteObject(unit.font);
      unit.font = MakeUnitFont(unit.record.Bytes(kFont));
      break;
    case kBackPicture:
      ReleasePicture(unit.picture);
      unit.picture = nullptr;
      break;
    default:
      break;
  }
  InvalidateRect(unit.window, nullptr, TRUE);
}

}  // namespace

void GetLabelProperty(void* object, int32_t index, forms::PropertyPair* pair) {
  const auto& unit = *static_cast<const LabelUnit*>(object);
  *pair = {};
  if (index < 0 || index >= kOwnPropertyCount) return;
  const Field field = kFieldOf[index];
  if (IsText(field)) {
    pair->address = unit.record.Text(field).c_str();
  } else if (IsBytes(field)) {
    const std::span<const uint8_t> bytes = unit.record.Bytes(field);
    pair->address = bytes.empty() ? nullptr : bytes.data();
    pair->second = static_cast<uint32_t>(bytes.size());
  } else {
    pair->first = static_cast<uint32_t>(unit.Int(field));
  }
}

int32_t SetLabelProperty(void* object, int32_t index, const forms::PropertyPair* pair, int32_t) {
  auto& unit = *static_cast<LabelUnit*>(object);
  if (index < 0 || index >= kOwnPropertyCount) return 0;
  const Field field = kFieldOf[index];
  if (IsText(field)) {
    unit.record.SetText(field,
                        pair->address != nullptr ? static_cast<const char*>(pair->address) : "");
  } else if (IsBytes(field)) {
    unit.record.SetText(field, BytesOf(*pair));
  } else {
    unit.record.SetInt(field, static_cast<int32_t>(pair->first));
    ClampRecord(unit.record);
  }
  ApplyChange(unit, field);
  return 0;
}

HGLOBAL SaveLabelProperties(void* object) {
  const auto& unit = *static_cast<const LabelUnit*>(object);
  return GlobalCopy(forms::WriteRecord(unit.record));
}

}  // namespace runtime::units::label
