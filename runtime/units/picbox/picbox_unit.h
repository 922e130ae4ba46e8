// The live PicBox unit ("图片框"): a child window showing one picture, held
// as the picture file's bytes, over a background colour; a GIF may play as
// an animation on a thread of its own (gif_animation.h).
//
// The unit lives on the UI thread: its window procedure, property handlers
// and painting all run there. Only the animation engine's thread runs
// elsewhere, and it touches nothing of this object.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/win32.h"
#include "runtime/forms/record_schema.h"
#include "runtime/forms/unit_object.h"
#include "runtime/forms/unit_types.h"
#include "runtime/pictures/picture.h"
#include "runtime/units/picbox/gif_animation.h"

namespace runtime::units::picbox {

inline constexpr const char* kPicBoxClass = "_QZ_PicBox";

// The unit's own properties, as its handlers number them (index - 8).
enum PropertyIndex : int32_t {
  kBorderIndex = 0,
  kBackColorIndex = 1,
  kPictureIndex = 2,
  kDisplayModeIndex = 3,
  kPlayAnimationIndex = 4,
  kDataSourceIndex = 5,
  kDataFieldIndex = 6,
  kOwnPropertyCount = 7,
};

// The background paint request: paint into the DC in wParam, inside the
// rectangle lParam points to (null: everywhere), and answer kPaintedReply.
inline constexpr UINT kBackgroundPaintRequest = 0x8389;
inline constexpr LRESULT kPaintedReply = 20141111;

// BackColor's "system colour" marker: the button-face colour.
inline constexpr uint32_t kSystemColourMarker = 0xFF000000;

inline constexpr int32_t kLastBorder = 5;

struct PicBoxUnit : forms::UnitObject {
  explicit PicBoxUnit(forms::RecordValues stored) : record(std::move(stored)) {}
  ~PicBoxUnit();
  PicBoxUnit(const PicBoxUnit&) = delete;
  PicBoxUnit& operator=(const PicBoxUnit&) = delete;

  forms::RecordValues record;  // the stored properties, kept current
  COLORREF back_colour = 0;    // BackColor with the marker resolved
  HBRUSH back_brush = nullptr;
  // The still picture; null when the bytes are empty, do not decode, or a
  // GIF plays (then `animation` stands in for it).
  Picture* picture = nullptr;
  std::unique_ptr<GifAnimation> animation;
  bool play = true;  // the effective play flag
  // PlayAnimation was just turned on: the first paint leaves the frame
  // shown until then in place while the thread starts.
  bool keep_shown_frame = false;
};

// Create handler: null when the stored record is rejected or no window can
// be made.
void* CreatePicBox(const uint8_t* properties, int32_t length, uint32_t style, HWND parent,
                   uint32_t control_id, HMENU menu, int32_t x, int32_t y, int32_t width,
                   int32_t height, uint32_t window_id, uint32_t unit_id, int32_t zero1,
                   int32_t zero2);

void GetPicBoxProperty(void* unit, int32_t index, forms::PropertyPair* pair);
int32_t SetPicBoxProperty(void* unit, int32_t index, const forms::PropertyPair* pair, int32_t zero);
HGLOBAL SavePicBoxProperties(void* unit);

// Shows the current Picture bytes again (stopping any animation): decoded
// once here, drawn at every paint.
void ShowPicture(PicBoxUnit& unit);

// Applies Border (0..5) to the window's styles and frame.
void ApplyBorder(HWND window, int32_t border);

// BackColor resolved and its brush made again.
void MakeBackground(PicBoxUnit& unit);

}  // namespace runtime::units::picbox
