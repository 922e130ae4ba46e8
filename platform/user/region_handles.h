// Reading and writing the region behind an HRGN from the window manager.
#pragma once

#include "platform/gdi/region_object.h"

namespace platform::user {

inline bool RegionOfHandle(HRGN handle, gdi::Region* out) {
  auto object = gdi::FindOrFail<gdi::RegionObject>(handle);
  if (!object) return false;
  *out = object->Get();
  return true;
}

inline bool SetHandleRegion(HRGN handle, const gdi::Region& region) {
  auto object = gdi::FindOrFail<gdi::RegionObject>(handle);
  if (!object) return false;
  object->Set(region);
  return true;
}

}  // namespace platform::user
