// The live label and what the type's files share; only they include this
// header.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "runtime/forms/record_schema.h"
#include "runtime/forms/unit_object.h"
#include "runtime/forms/unit_types.h"
#include "runtime/pictures/picture.h"
#include "runtime/units/label/label_schema.h"

namespace runtime::units::label {

inline constexpr const char* kLabelClass = "_QZ_Label";
inline constexpr uint32_t kTypeFlags = 0x84012040;
inline constexpr int32_t kPropertyCount = 29;
// A private message with two integers: raises event 0 with them and answers
// what the handler returned.
inline constexpr UINT kFeedbackMessage = 0x8075;
inline constexpr int32_t kGradientFrame = 6;
inline constexpr int32_t kLeastFrameWidth = 5;

// The unit's own properties, as its handlers number them (index - 8).
enum PropertyIndex : int32_t {
  kCaptionIndex,
  kTextEffectIndex,
  kBorderIndex,
  kFrameWidthIndex,
  kFrameColor1Index,
  kFrameColor2Index,
  kFrameColor3Index,
  kFontIndex,
  kTextColorIndex,
  kBackColorIndex,
  kBackPictureIndex,
  kBackPictureModeIndex,
  kGradientModeIndex,
  kGradientColor1Index,
  kGradientColor2Index,
  kGradientColor3Index,
  kAlignmentIndex,
  kWordWrapIndex,
  kVerticalAlignmentIndex,
  kDataSourceIndex,
  kDataFieldIndex,
  kOwnPropertyCount,
};

struct LabelUnit : forms::UnitObject {
  explicit LabelUnit(forms::RecordValues stored) : record(std::move(stored)) {}
  ~LabelUnit();
  LabelUnit(const LabelUnit&) = delete;
  LabelUnit& operator=(const LabelUnit&) = delete;

  int32_t Int(Field field) const { return record.Int(field); }

  forms::RecordValues record;  // the stored properties, kept current
  HFONT font = nullptr;        // made from Font; null: the stock GUI font
  Picture* picture = nullptr;  // BackPicture decoded at the first paint
};

// --- label_create.cpp ---
void* CreateLabel(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                  uint32_t control_id, HMENU menu, int32_t x, int32_t y, int32_t width,
                  int32_t height, uint32_t window_id, uint32_t unit_id, int32_t zero1,
                  int32_t zero2);
// Keeps stored values in their ranges (FrameWidth at least 5).
void ClampRecord(forms::RecordValues& record);

// --- label_properties.cpp ---
void GetLabelProperty(void* object, int32_t index, forms::PropertyPair* pair);
int32_t SetLabelProperty(void* object, int32_t index, const forms::PropertyPair* pair,
                         int32_t zero);
HGLOBAL SaveLabelProperties(void* object);

// --- label_paint.cpp ---
void PaintLabel(LabelUnit& unit, HDC dc);

}  // namespace runtime::units::label
