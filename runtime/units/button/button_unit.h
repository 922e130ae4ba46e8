// The live button and what the type's files share; only they include this
// header.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/win32.h"
#include "runtime/forms/record_schema.h"
#include "runtime/forms/unit_object.h"
#include "runtime/forms/unit_types.h"
#include "runtime/pictures/drawable.h"
#include "runtime/pictures/picture.h"
#include "runtime/units/button/button_schema.h"

namespace runtime::units::button {

inline constexpr uint32_t kTypeFlags = 0x80000840;
inline constexpr int32_t kPropertyCount = 14;

// The unit's own properties, as its handlers number them (index - 8).
enum PropertyIndex : int32_t {
  kPictureIndex,
  kButtonTypeIndex,
  kCaptionIndex,
  kAlignmentIndex,
  kVerticalAlignmentIndex,
  kFontIndex,
  kOwnPropertyCount,
};

inline constexpr DWORD kHorizontalMask = 0x300;
inline constexpr DWORD kVerticalMask = 0xC00;

struct ButtonUnit : forms::UnitObject {
  explicit ButtonUnit(forms::RecordValues stored) : record(std::move(stored)) {}
  ~ButtonUnit();
  ButtonUnit(const ButtonUnit&) = delete;
  ButtonUnit& operator=(const ButtonUnit&) = delete;

  int32_t Int(Field field) const { return record.Int(field); }

  forms::RecordValues record;       // the stored properties, kept current
  WNDPROC previous = nullptr;       // the BUTTON class's procedure
  HFONT font = nullptr;             // made from Font; null: the stock GUI font
  Picture* picture = nullptr;       // Picture decoded, while the button shows it
  std::unique_ptr<Drawable> image;  // its bitmap or icon handed to the control
};

// --- button_create.cpp ---
void* CreateButton(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                   uint32_t control_id, HMENU menu, int32_t x, int32_t y, int32_t width,
                   int32_t height, uint32_t window_id, uint32_t unit_id, int32_t zero1,
                   int32_t zero2);
// The horizontal and vertical alignment styles of the record.
DWORD AlignmentStyle(const forms::RecordValues& record);
void ApplyFont(ButtonUnit& unit);
// IsDefaultButton handler (10).
int32_t IsDefaultButton(void* object);

// --- button_properties.cpp ---
void GetButtonProperty(void* object, int32_t index, forms::PropertyPair* pair);
int32_t SetButtonProperty(void* object, int32_t index, const forms::PropertyPair* pair,
                          int32_t zero);
HGLOBAL SaveButtonProperties(void* object);

}  // namespace runtime::units::button
