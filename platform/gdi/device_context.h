// Device contexts: memory DCs drawing into a selected bitmap and window DCs
// drawing into a window surface through the window's visible region.
//
// A DC's lock guards its state; drawing copies what it needs out of the DC
// (a Canvas and a few colours) and then works under the pixels' own lock, so
// no code ever holds two DC locks and a blit between DCs cannot deadlock.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/drawing_objects.h"
#include "platform/gdi/gdi_object.h"
#include "platform/gdi/mapping.h"
#include "platform/gdi/path.h"
#include "platform/gdi/pixels.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/window_dc.h"

namespace platform::gdi {

// Everything SaveDC saves and RestoreDC brings back. Pens, text, mapping
// modes and the rest of the drawing state join it as they arrive.
struct DcState {
  Held<Brush> brush;    // fills with the DC's brush (PatBlt, PaintRgn, BitBlt patterns)
  Held<Pen> pen;        // outlines
  Held<Font> font;      // text
  Held<Bitmap> bitmap;  // memory DCs: what they draw into; window DCs: none
  // The application's clip region in device coordinates; none means the
  // whole DC, which differs from an empty region (that clips everything).
  std::optional<Region> clip;
  // Text colour, and the colour 0 bits of a monochrome source take in a blit.
  COLORREF text_color = RGB(0, 0, 0);
  // Background of opaque text, the colour 1 bits of a monochrome source take,
  // and the colour that turns white when a colour source meets a monochrome
  // destination.
  COLORREF bk_color = RGB(255, 255, 255);
  int bk_mode = OPAQUE;
  UINT text_align = TA_LEFT | TA_TOP | TA_NOUPDATECP;  // where text sits around its reference point
  int char_extra = 0;                                  // pixels added to every character's advance
  POINT position{0, 0};             // the current position: MoveToEx, LineTo, PolylineTo
  int rop2 = R2_COPYPEN;            // how pens and shape interiors combine with the pixels
  int poly_fill_mode = ALTERNATE;   // which parts of a self-crossing polygon are inside
  int stretch_mode = BLACKONWHITE;  // what StretchBlt does with the pixels it drops
  Mapping mapping;                  // logical coordinates to device pixels
  Path path;                        // what BeginPath records, in device coordinates
};

// The pixels one drawing call goes to, copied out of a DC.
struct Canvas {
  std::shared_ptr<Surface> surface;  // window DCs
  std::shared_ptr<Bitmap> bitmap;    // memory DCs
  POINT origin{0, 0};                // device (0, 0) in pixel coordinates
  Region clip;                       // pixel coordinates, not yet cut to the pixels' bounds

  std::mutex& mutex() const;
  bool monochrome() const { return bitmap && bitmap->monochrome(); }
  bool SharesPixelsWith(const Canvas& other) const;
  // The callers hold mutex().
  PixelView View() const;
  void MarkDirty(const std::vector<RECT>& rects) const;
  // Takes the lock itself: what output really reaches, device coordinates.
  Region ReachableArea() const;
};

class DeviceContext final : public GdiObject {
 public:
  // Default state: stock brush, pen and font; memory DCs hold the 1x1
  // monochrome default bitmap.
  static std::shared_ptr<DeviceContext> MakeMemory();
  static std::shared_ptr<DeviceContext> MakeWindow(WindowDcTarget target);

  bool is_memory() const { return type() == OBJ_MEMDC; }
  std::mutex& mutex() const { return mutex_; }

  // Guarded by mutex().
  DcState state;
  std::vector<DcState> saved;  // SaveDC's stack, oldest first
  WindowDcTarget target;       // window DCs only

  // The callers hold mutex().
  Canvas CanvasLocked() const;
  // The area "no clip region" stands for when a clip region is combined
  // with another: the bitmap, or the window's surface, in device coordinates.
  Region WholeAreaLocked() const;
  // Lets go of every object selected, now or in a saved state (DeleteDC).
  void ReleaseLocked();

 private:
  explicit DeviceContext(DWORD type);
  mutable std::mutex mutex_;
};

// What a drawing call needs from a DC.
struct DrawSnapshot {
  Canvas canvas;
  std::shared_ptr<Brush> brush;
  std::shared_ptr<Pen> pen;
  int rop2 = R2_COPYPEN;
  int poly_fill_mode = ALTERNATE;
  COLORREF text_color = 0;
  COLORREF bk_color = 0;
  int bk_mode = OPAQUE;
  int stretch_mode = BLACKONWHITE;
  Mapping mapping;
};

// Null with ERROR_INVALID_HANDLE for anything that is not a DC.
std::shared_ptr<DeviceContext> FindDc(HDC hdc);
std::optional<DrawSnapshot> Snapshot(HDC hdc);

}  // namespace platform::gdi
