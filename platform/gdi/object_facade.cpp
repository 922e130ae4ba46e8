// Object functions: stock objects, selecting, deleting, describing. Brushes
// are made in brush_facade.cpp.
#include <cstring>
#include <mutex>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing_objects.h"
#include "platform/gdi/region_object.h"
#include "platform/gdi/stock_objects.h"

namespace platform::gdi {

namespace {

template <typename T>
HGDIOBJ Swap(Held<T>& slot, std::shared_ptr<T> object) {
  HGDIOBJ previous = HandleOf<HGDIOBJ>(slot.get());
  slot = Held<T>(std::move(object));
  return previous;
}

// A bitmap goes into memory DCs only, and into one DC at a time; the stock
// default bitmap is shared by all of them.
HGDIOBJ SelectBitmap(DeviceContext& dc, std::shared_ptr<Bitmap> bitmap) {
  if (!dc.is_memory() || (!bitmap->stock() && bitmap->holds() > 0 && bitmap->owner != &dc)) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  bitmap->owner = &dc;
  return Swap(dc.state.bitmap, std::move(bitmap));
}

HGDIOBJ SelectTool(DeviceContext& dc, const std::shared_ptr<GdiObject>& object) {
  std::lock_guard lock(dc.mutex());
  if (auto brush = std::dynamic_pointer_cast<Brush>(object)) return Swap(dc.state.brush, brush);
  if (auto pen = std::dynamic_pointer_cast<Pen>(object)) return Swap(dc.state.pen, pen);
  if (auto font = std::dynamic_pointer_cast<Font>(object)) return Swap(dc.state.font, font);
  if (auto bitmap = std::dynamic_pointer_cast<Bitmap>(object)) return SelectBitmap(dc, bitmap);
  ::SetLastError(ERROR_INVALID_PARAMETER);
  return nullptr;
}

template <typename Structure>
int CopyOut(const Structure& structure, int size, LPVOID buffer) {
  if (!buffer) return static_cast<int>(sizeof(Structure));
  if (size < static_cast<int>(sizeof(Structure))) {
    ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(buffer, &structure, sizeof(Structure));
  return static_cast<int>(sizeof(Structure));
}

// A DIB section describes itself as a DIBSECTION when there is room for one
// and as a BITMAP otherwise.
int DescribeBitmap(Bitmap& bitmap, int size, LPVOID buffer) {
  const bool dib = bitmap.format().dib;
  if (dib && (!buffer || size >= static_cast<int>(sizeof(DIBSECTION)))) {
    return CopyOut(bitmap.DescribeDib(), size, buffer);
  }
  return CopyOut(bitmap.Describe(), size, buffer);
}

}  // namespace

}  // namespace platform::gdi

using namespace platform::gdi;

HGDIOBJ GetStockObject(int i) { return HandleOf<HGDIOBJ>(StockObject(i).get()); }

// A region is not held: it becomes the clip region, as SelectClipRgn makes it.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
  auto object = FindOrFail<GdiObject>(h);
  if (!object) return nullptr;
  if (object->type() == OBJ_REGION) {
    const int type = SelectClipRgn(hdc, static_cast<HRGN>(h));
    return type == ERROR ? HGDI_ERROR : reinterpret_cast<HGDIOBJ>(static_cast<LONG_PTR>(type));
  }
  auto dc = FindDc(hdc);
  if (!dc) return nullptr;
  std::lock_guard lock(SelectionMutex());
  return SelectTool(*dc, object);
}

// Stock objects are not deleted but the call succeeds; an object a DC still
// holds (selected now, or in a state SaveDC keeps) is refused.
BOOL DeleteObject(HGDIOBJ ho) {
  std::lock_guard lock(SelectionMutex());
  auto object = FindOrFail<GdiObject>(ho);
  if (!object) return FALSE;
  if (object->type() == OBJ_DC || object->type() == OBJ_MEMDC) {
    ::SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (object->stock()) return TRUE;
  if (object->holds() > 0) return FALSE;
  Unregister(ho);
  return TRUE;
}

DWORD GetObjectType(HGDIOBJ h) {
  auto object = FindOrFail<GdiObject>(h);
  return object ? object->type() : 0;
}

int GetObjectA(HANDLE h, int c, LPVOID pv) {
  auto object = FindOrFail<GdiObject>(h);
  if (!object) return 0;
  if (auto bitmap = std::dynamic_pointer_cast<Bitmap>(object))
    return DescribeBitmap(*bitmap, c, pv);
  if (auto brush = std::dynamic_pointer_cast<Brush>(object))
    return CopyOut(brush->logical(), c, pv);
  if (auto pen = std::dynamic_pointer_cast<Pen>(object)) return CopyOut(pen->logical(), c, pv);
  if (auto font = std::dynamic_pointer_cast<Font>(object)) return CopyOut(font->logical(), c, pv);
  ::SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}

HBRUSH GetSysColorBrush(int nIndex) { return HandleOf<HBRUSH>(SystemColorBrush(nIndex).get()); }
