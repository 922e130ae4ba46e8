// The live drawing panel ("画板"): what the DrawPanel unit type keeps for
// one panel between messages, and the property numbers its get and set
// handlers see.
//
// A panel draws with four resources of its own (pen, brush, font and, when
// AutoRedraw is on, an off-screen bitmap that repaints it). They are rebuilt
// whenever a property they depend on changes and released with the panel.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "runtime/forms/record_schema.h"
#include "runtime/forms/unit_object.h"
#include "runtime/pictures/picture.h"
#include "runtime/units/drawpanel/drawpanel_schema.h"

namespace runtime::units::drawpanel {

// Unit-specific properties as the get and set handlers number them (the
// property index - 8).
enum PanelProperty : int32_t {
  kPropBorder,
  kPropBackColor,
  kPropBackPicture,
  kPropBackPictureMode,
  kPropAutoRedraw,
  kPropCoordinateUnit,
  kPropPenStyle,
  kPropDrawMode,
  kPropPenWidth,
  kPropPenColor,
  kPropBrushStyle,
  kPropBrushColor,
  kPropTextColor,
  kPropTextBackColor,
  kPropFont,
  kPropDrawAreaWidth,   // read-only
  kPropDrawAreaHeight,  // read-only
  kPanelPropertyCount
};

// The colour that stands for the system's button face as a background and
// for "no background" behind text.
inline constexpr uint32_t kSystemColourMarker = 0xFF000000;

// Background picture modes.
enum BackPictureMode : int32_t { kPictureTopLeft, kPictureTiled, kPictureCentredFit };

// The one panel event of its own: its area needs drawing again.
inline constexpr int32_t kPaintEvent = 0;

struct Panel : forms::UnitObject {
  explicit Panel(forms::RecordValues values) : record(std::move(values)) {}
  ~Panel();  // releases every resource below
  Panel(const Panel&) = delete;
  Panel& operator=(const Panel&) = delete;

  int32_t Int(Field field) const { return record.Int(field); }

  forms::RecordValues record;     // the stored properties, kept in record form
  Picture* background = nullptr;  // BackPicture decoded, made on first use
  POINT text_position{0, 0};      // where WriteText goes on, in device pixels
  HDC paint_target = nullptr;     // the paint DC while PaintEvent runs
  RECT last_repaint{0, 0, 0, 0};  // the area the last repaint covered
  HPEN pen = nullptr;             // from PenStyle, PenWidth, PenColor
  HBRUSH brush = nullptr;         // from BrushStyle, BrushColor
  HFONT font = nullptr;           // from Font and CoordinateUnit
  HBITMAP bitmap = nullptr;       // the drawing kept off screen (AutoRedraw)
  SIZE bitmap_size{0, 0};
  // Set once the create handler has its window. A window that dies while
  // it is being made leaves the panel to the create handler, which then
  // fails, instead of freeing it underneath it.
  bool created = false;
};

// BackColor as it paints: the button face for the system colour marker.
COLORREF ResolvedBackColor(const Panel& panel);

}  // namespace runtime::units::drawpanel
