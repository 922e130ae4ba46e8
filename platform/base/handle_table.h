// A table that hands out Win32-style handle values for objects of the layer.
//
// Handles are small non-zero multiples of 4 (as Win32 handles are), never
// pointers, so a stale or forged handle is caught by a lookup instead of being
// dereferenced. Slots are reused only after a close. The table is shared by
// every thread of the process; objects are held by shared_ptr so that a close
// on one thread cannot free an object another thread is still using.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

template <typename Object>
class HandleTable {
 public:
  // Returns the handle value, never 0.
  uintptr_t Insert(std::shared_ptr<Object> object) {
    std::lock_guard lock(mutex_);
    for (size_t i = 0; i < slots_.size(); ++i) {
      if (!slots_[i]) {
        slots_[i] = std::move(object);
        return ValueOf(i);
      }
    }
    slots_.push_back(std::move(object));
    return ValueOf(slots_.size() - 1);
  }

  std::shared_ptr<Object> Find(uintptr_t handle) const {
    std::lock_guard lock(mutex_);
    size_t index = 0;
    if (!IndexOf(handle, &index)) return nullptr;
    return slots_[index];
  }

  // Removes the object and hands it back (null when the handle is unknown).
  std::shared_ptr<Object> Remove(uintptr_t handle) {
    std::lock_guard lock(mutex_);
    size_t index = 0;
    if (!IndexOf(handle, &index)) return nullptr;
    return std::move(slots_[index]);
  }

 private:
  static constexpr uintptr_t kStep = 4;

  static uintptr_t ValueOf(size_t index) { return (index + 1) * kStep; }

  bool IndexOf(uintptr_t handle, size_t* index) const {
    if (handle == 0 || handle % kStep != 0) return false;
    *index = handle / kStep - 1;
    return *index < slots_.size() && slots_[*index] != nullptr;
  }

  mutable std::mutex mutex_;
  std::vector<std::shared_ptr<Object>> slots_;
};

}  // namespace platform
