// GDI objects and their handles.
//
// Brushes, pens, fonts, bitmaps, regions and DCs share one handle table, as
// GDI handles do on Windows, so GetObjectType can tell any of them apart. The
// values are offset well above zero so that a system colour passed where a
// brush goes ((HBRUSH)(COLOR_xxx + 1)) can never be taken for a real handle.
//
// A DC holds what is selected into it through Held<T>. While any hold on an
// object exists (in a DC's current state or a saved one), DeleteObject
// refuses it, and a bitmap records which DC holds it so it is never in two.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/base/handle_table.h"
#include "platform/gdi/region.h"
#include "platform/win32.h"

namespace platform::gdi {

class GdiObject {
 public:
  explicit GdiObject(DWORD type) : type_(type) {}
  virtual ~GdiObject() = default;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  DWORD type() const { return type_; }  // OBJ_xxx
  uintptr_t handle() const { return handle_.load(); }
  bool stock() const { return stock_.load(); }
  int holds() const { return holds_.load(); }

 private:
  friend uintptr_t Register(std::shared_ptr<GdiObject> object, bool stock);
  template <typename T>
  friend class Held;

  const DWORD type_;
  std::atomic<uintptr_t> handle_{0};
  std::atomic<bool> stock_{false};
  std::atomic<int> holds_{0};
};

// Puts the object in the table; returns its handle value.
uintptr_t Register(std::shared_ptr<GdiObject> object, bool stock = false);

// Takes the object out of the table (DeleteObject, DeleteDC).
std::shared_ptr<GdiObject> Unregister(const void* handle);

std::shared_ptr<GdiObject> FindObject(const void* handle);

template <typename T>
std::shared_ptr<T> Find(const void* handle) {
  return std::dynamic_pointer_cast<T>(FindObject(handle));
}

// As Find, but a missing object of that kind sets ERROR_INVALID_HANDLE.
template <typename T>
std::shared_ptr<T> FindOrFail(const void* handle) {
  auto object = Find<T>(handle);
  if (!object) ::SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

template <typename H>
H HandleOf(const GdiObject* object) {
  return object ? reinterpret_cast<H>(object->handle()) : nullptr;
}

// Serialises selecting and deleting so that a check that an object is free
// and the change that follows cannot interleave with another thread's.
std::mutex& SelectionMutex();

// A selection's hold on an object: copying a DC state (SaveDC) adds holds,
// destroying one (RestoreDC, DeleteDC) releases them.
template <typename T>
class Held {
 public:
  Held() = default;
  explicit Held(std::shared_ptr<T> object) : object_(std::move(object)) { Acquire(); }
  Held(const Held& other) : object_(other.object_) { Acquire(); }
  Held(Held&& other) noexcept : object_(std::move(other.object_)) {}
  Held& operator=(Held other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~Held() {
    if (object_) object_->holds_.fetch_sub(1);
  }

  T* get() const { return object_.get(); }
  T* operator->() const { return object_.get(); }
  const std::shared_ptr<T>& shared() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  void Acquire() {
    if (object_) object_->holds_.fetch_add(1);
  }

  std::shared_ptr<T> object_;
};

// Coordinates are kept inside +-2^27, as on Windows, so that sums and
// differences of them never overflow.
constexpr LONG kMaxCoordinate = 1 << 27;
LONG ClampCoordinate(int64_t value);
RECT ClampedRect(int64_t left, int64_t top, int64_t right, int64_t bottom);
// The same with the corners put in order first.
RECT OrderedRect(int64_t x1, int64_t y1, int64_t x2, int64_t y2);

// What region functions return for a region's shape.
int RegionType(const Region& region);

}  // namespace platform::gdi
