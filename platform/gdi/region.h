// A set of pixels made of rectangles: update regions, visible regions, clip
// regions and HRGN objects all use it. Backed by pixman's regions.
#pragma once

#include <vector>

#include "platform/win32/base_types.h"

namespace platform::gdi {

class Region {
 public:
  Region();
  explicit Region(const RECT& rect);  // an empty or inverted rect gives the empty region
  Region(const Region& other);
  Region(Region&& other) noexcept;
  Region& operator=(const Region& other);
  Region& operator=(Region&& other) noexcept;
  ~Region();

  static Region FromRects(const std::vector<RECT>& rects);

  bool IsEmpty() const;
  RECT Bounds() const;  // all zero when empty
  bool Contains(POINT point) const;
  bool Intersects(const RECT& rect) const;
  std::vector<RECT> Rects() const;  // disjoint, in y-x bands
  bool operator==(const Region& other) const;

  void Clear();
  void Set(const RECT& rect);
  void Union(const Region& other);
  void Union(const RECT& rect);
  void Intersect(const Region& other);
  void Intersect(const RECT& rect);
  void Subtract(const Region& other);
  void Subtract(const RECT& rect);
  void Xor(const Region& other);
  void Offset(int dx, int dy);

  // The pixman_region32_t inside, for code in gdi/ that hands it to pixman.
  void* native();
  const void* native() const;

 private:
  struct Impl;
  alignas(8) unsigned char storage_[32];  // holds a pixman_region32_t
};

}  // namespace platform::gdi
