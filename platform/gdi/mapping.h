// Mapping modes: how a DC turns the logical coordinates drawing calls are
// given into device pixels, and back.
//
// device = (logical - window origin) * viewport extent / window extent
//          + viewport origin, rounded to the nearest integer (halves up).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/region.h"
#include "platform/win32.h"

namespace platform::gdi {

struct Mapping {
  int mode = MM_TEXT;
  POINT window_origin{0, 0};
  SIZE window_extent{1, 1};
  POINT viewport_origin{0, 0};
  SIZE viewport_extent{1, 1};

  // MM_TEXT, or any mode whose extents and origins change nothing.
  bool IsIdentity() const;
};

// What the fixed modes take their scale from: the screen's size in
// millimetres (GetDeviceCaps HORZSIZE, VERTSIZE) and in pixels (HORZRES,
// VERTRES).
struct DeviceSize {
  SIZE millimetres{1, 1};
  SIZE pixels{1, 1};
};

// MM_ISOTROPIC and MM_ANISOTROPIC: the modes whose extents the application
// sets.
bool IsScalableMode(int mode);

// SetMapMode. False (and nothing changed) for a mode that is not MM_xxx.
// A fixed mode sets its extents; MM_ISOTROPIC starts from MM_LOMETRIC's, as
// Windows NT does; MM_ANISOTROPIC keeps the current ones. Choosing the mode
// already set changes nothing. Origins are left alone.
bool SetMode(Mapping& mapping, int mode, const DeviceSize& device);

// SetWindowExtEx and SetViewportExtEx: ignored (true) outside the scalable
// modes, refused (false) for a zero extent. MM_ISOTROPIC then shrinks one
// viewport extent so that a logical unit covers as many pixels across as
// down (pixels are square).
bool SetWindowExtent(Mapping& mapping, SIZE extent);
bool SetViewportExtent(Mapping& mapping, SIZE extent);

// Logical to device (LPtoDP) and back (DPtoLP), computed exactly and
// rounded to the nearest (halves up); results are clamped to the 32-bit
// range.
POINT ToDevice(const Mapping& mapping, POINT logical);
POINT ToLogical(const Mapping& mapping, POINT device);
// Both corners converted, then put in order (a flipped y axis would turn
// the rectangle upside down).
RECT ToDeviceRect(const Mapping& mapping, const RECT& logical);
RECT ToLogicalRect(const Mapping& mapping, const RECT& device);
// A logical length along x or y (pen widths, font heights) in device
// pixels, sign kept, rounded to the nearest: the length is scaled by the
// size of extent ratio only, so a flipped axis does not flip its sign.
int64_t WidthToDevice(const Mapping& mapping, int64_t logical);
int64_t HeightToDevice(const Mapping& mapping, int64_t logical);

// For drawing: device points clamped further to the +-2^27 range GDI draws
// in (ClampCoordinate).
POINT ToDevicePixel(const Mapping& mapping, POINT logical);
std::vector<POINT> ToDevicePixels(const Mapping& mapping, const POINT* logical, size_t count);
// A region given in logical units (FillRgn, PaintRgn, ...), rectangle by
// rectangle in device pixels. Regions are unchanged in an identity mapping.
Region ToDeviceRegion(const Mapping& mapping, const Region& logical);

}  // namespace platform::gdi
