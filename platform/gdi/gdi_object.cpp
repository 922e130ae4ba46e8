#include "platform/gdi/gdi_object.h"

#include <algorithm>

namespace platform::gdi {

namespace {

// Table values start at 4; GDI handles start here instead.
constexpr uintptr_t kHandleBase = 0x10000;

HandleTable<GdiObject>& Table() {
  static HandleTable<GdiObject> table;
  return table;
}

bool TableValue(const void* handle, uintptr_t* value) {
  const auto raw = reinterpret_cast<uintptr_t>(handle);
  if (raw <= kHandleBase) return false;
  *value = raw - kHandleBase;
  return true;
}

}  // namespace

uintptr_t Register(std::shared_ptr<GdiObject> object, bool stock) {
  GdiObject* raw = object.get();
  raw->stock_.store(stock);
  const uintptr_t handle = Table().Insert(std::move(object)) + kHandleBase;
  raw->handle_.store(handle);
  return handle;
}

std::shared_ptr<GdiObject> Unregister(const void* handle) {
  uintptr_t value = 0;
  if (!TableValue(handle, &value)) return nullptr;
  return Table().Remove(value);
}

std::shared_ptr<GdiObject> FindObject(const void* handle) {
  uintptr_t value = 0;
  if (!TableValue(handle, &value)) return nullptr;
  return Table().Find(value);
}

std::mutex& SelectionMutex() {
  static std::mutex mutex;
  return mutex;
}

LONG ClampCoordinate(int64_t value) {
  return static_cast<LONG>(std::clamp<int64_t>(value, -kMaxCoordinate, kMaxCoordinate));
}

RECT ClampedRect(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  return RECT{ClampCoordinate(left), ClampCoordinate(top), ClampCoordinate(right),
              ClampCoordinate(bottom)};
}

RECT OrderedRect(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  return ClampedRect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
}

int RegionType(const Region& region) {
  if (region.IsEmpty()) return NULLREGION;
  return region.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace platform::gdi
