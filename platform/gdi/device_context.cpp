#include "platform/gdi/device_context.h"

#include <utility>

#include "platform/gdi/stock_objects.h"

namespace platform::gdi {

std::mutex& Canvas::mutex() const { return surface ? surface->mutex() : bitmap->mutex(); }

bool Canvas::SharesPixelsWith(const Canvas& other) const {
  return (surface && surface == other.surface) || (bitmap && bitmap == other.bitmap);
}

PixelView Canvas::View() const {
  if (!surface) return bitmap->View();
  PixelView view;
  view.top = reinterpret_cast<uint8_t*>(surface->Pixels());
  view.stride = static_cast<ptrdiff_t>(surface->width()) * 4;
  view.width = surface->width();
  view.height = surface->height();
  view.format = PixelFormat::kXrgb32;
  return view;
}

void Canvas::MarkDirty(const std::vector<RECT>& rects) const {
  if (!surface) return;
  for (const RECT& rect : rects) surface->MarkDirty(rect);
}

Region Canvas::ReachableArea() const {
  Region area = clip;
  {
    std::lock_guard lock(mutex());
    area.Intersect(View().Bounds());
  }
  area.Offset(-origin.x, -origin.y);
  return area;
}

namespace {

DcState DefaultState(bool memory) {
  DcState state;
  state.brush = Held<Brush>(StockBrush(WHITE_BRUSH));
  state.pen = Held<Pen>(StockPen(BLACK_PEN));
  state.font = Held<Font>(StockFont(SYSTEM_FONT));
  if (memory) state.bitmap = Held<Bitmap>(DefaultBitmap());
  return state;
}

}  // namespace

DeviceContext::DeviceContext(DWORD type)
    : GdiObject(type), state(DefaultState(type == OBJ_MEMDC)) {}

std::shared_ptr<DeviceContext> DeviceContext::MakeMemory() {
  std::shared_ptr<DeviceContext> dc(new DeviceContext(OBJ_MEMDC));
  Register(dc);
  return dc;
}

std::shared_ptr<DeviceContext> DeviceContext::MakeWindow(WindowDcTarget target) {
  std::shared_ptr<DeviceContext> dc(new DeviceContext(OBJ_DC));
  dc->target = std::move(target);
  Register(dc);
  return dc;
}

Canvas DeviceContext::CanvasLocked() const {
  Canvas canvas;
  if (is_memory()) {
    canvas.bitmap = state.bitmap.shared();
    canvas.clip = state.clip ? *state.clip : Region(canvas.bitmap->View().Bounds());
    return canvas;
  }
  canvas.surface = target.surface;
  canvas.origin = target.origin;
  canvas.clip = target.visible;
  if (state.clip) {
    Region app_clip = *state.clip;
    app_clip.Offset(target.origin.x, target.origin.y);
    canvas.clip.Intersect(app_clip);
  }
  return canvas;
}

Region DeviceContext::WholeAreaLocked() const {
  if (is_memory()) return Region(state.bitmap->View().Bounds());
  RECT bounds{0, 0, 0, 0};
  {
    std::lock_guard lock(target.surface->mutex());
    bounds = RECT{0, 0, target.surface->width(), target.surface->height()};
  }
  Region area(bounds);
  area.Offset(-target.origin.x, -target.origin.y);
  return area;
}

// Back to stock objects rather than to nothing, so that a thread which found
// the DC just before it was deleted still sees a DC it can draw on.
void DeviceContext::ReleaseLocked() {
  saved.clear();
  state = DefaultState(is_memory());
}

std::shared_ptr<DeviceContext> FindDc(HDC hdc) { return FindOrFail<DeviceContext>(hdc); }

std::optional<DrawSnapshot> Snapshot(HDC hdc) {
  auto dc = FindDc(hdc);
  if (!dc) return std::nullopt;
  std::lock_guard lock(dc->mutex());
  DrawSnapshot snapshot;
  snapshot.canvas = dc->CanvasLocked();
  snapshot.brush = dc->state.brush.shared();
  snapshot.pen = dc->state.pen.shared();
  snapshot.rop2 = dc->state.rop2;
  snapshot.poly_fill_mode = dc->state.poly_fill_mode;
  snapshot.text_color = dc->state.text_color;
  snapshot.bk_color = dc->state.bk_color;
  snapshot.bk_mode = dc->state.bk_mode;
  snapshot.stretch_mode = dc->state.stretch_mode;
  snapshot.mapping = dc->state.mapping;
  return snapshot;
}

}  // namespace platform::gdi
