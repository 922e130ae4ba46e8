// The object behind an HRGN. Regions can be changed in place (CombineRgn,
// OffsetRgn, SetRectRgn) while another thread draws with them, so the region
// is only read or replaced under the object's own lock.
#pragma once

#include <mutex>
#include <optional>
#include <utility>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/region.h"

namespace platform::gdi {

class RegionObject final : public GdiObject {
 public:
  explicit RegionObject(Region region = Region())
      : GdiObject(OBJ_REGION), region_(std::move(region)) {}

  Region Get() const {
    std::lock_guard lock(mutex_);
    return region_;
  }
  void Set(Region region) {
    std::lock_guard lock(mutex_);
    region_ = std::move(region);
  }
  // Runs `change` on the region under the lock and returns the new type.
  template <typename Change>
  int Update(Change change) {
    std::lock_guard lock(mutex_);
    change(region_);
    return RegionType(region_);
  }

 private:
  mutable std::mutex mutex_;
  Region region_;
};

// RGN_AND, RGN_OR, RGN_XOR or RGN_DIFF of two regions; none for any other
// mode (RGN_COPY needs no second region and is the caller's to handle).
std::optional<Region> CombineRegions(const Region& first, const Region& second, int mode);

}  // namespace platform::gdi
