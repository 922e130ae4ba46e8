#include "platform/gdi/region.h"

#include <pixman.h>

#include <cstring>
#include <utility>

namespace platform::gdi {

static_assert(sizeof(pixman_region32_t) <= 32, "Region::storage_ is too small for pixman");
static_assert(alignof(pixman_region32_t) <= 8, "Region::storage_ is not aligned enough");

// The pixman region lives in storage_, so a Region needs no allocation of its
// own: a single rectangle is held entirely inside it.
struct Region::Impl {
  static pixman_region32_t* Of(Region& region) {
    return reinterpret_cast<pixman_region32_t*>(region.storage_);
  }
  static const pixman_region32_t* Of(const Region& region) {
    return reinterpret_cast<const pixman_region32_t*>(region.storage_);
  }
};

namespace {

bool IsEmptyRect(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

RECT RectOf(const pixman_box32_t& box) { return RECT{box.x1, box.y1, box.x2, box.y2}; }

void InitRect(pixman_region32_t* region, const RECT& rect) {
  if (IsEmptyRect(rect)) {
    pixman_region32_init(region);
    return;
  }
  pixman_box32_t box{rect.left, rect.top, rect.right, rect.bottom};
  pixman_region32_init_with_extents(region, &box);
}

}  // namespace

Region::Region() { pixman_region32_init(Impl::Of(*this)); }

Region::Region(const RECT& rect) { InitRect(Impl::Of(*this), rect); }

Region::Region(const Region& other) {
  pixman_region32_init(Impl::Of(*this));
  pixman_region32_copy(Impl::Of(*this), Impl::Of(other));
}

// A pixman region owns at most one heap block through its data pointer, so
// moving the bytes moves the ownership; the source is left empty.
Region::Region(Region&& other) noexcept {
  std::memcpy(storage_, other.storage_, sizeof(pixman_region32_t));
  pixman_region32_init(Impl::Of(other));
}

Region& Region::operator=(const Region& other) {
  if (this != &other) pixman_region32_copy(Impl::Of(*this), Impl::Of(other));
  return *this;
}

Region& Region::operator=(Region&& other) noexcept {
  if (this != &other) {
    pixman_region32_fini(Impl::Of(*this));
    std::memcpy(storage_, other.storage_, sizeof(pixman_region32_t));
    pixman_region32_init(Impl::Of(other));
  }
  return *this;
}

Region::~Region() { pixman_region32_fini(Impl::Of(*this)); }

Region Region::FromRects(const std::vector<RECT>& rects) {
  Region result;
  for (const RECT& rect : rects) result.Union(rect);
  return result;
}

bool Region::IsEmpty() const { return !pixman_region32_not_empty(Impl::Of(*this)); }

RECT Region::Bounds() const {
  if (IsEmpty()) return RECT{0, 0, 0, 0};
  return RectOf(*pixman_region32_extents(Impl::Of(*this)));
}

bool Region::Contains(POINT point) const {
  return pixman_region32_contains_point(Impl::Of(*this), point.x, point.y, nullptr);
}

bool Region::Intersects(const RECT& rect) const {
  if (IsEmptyRect(rect)) return false;
  pixman_box32_t box{rect.left, rect.top, rect.right, rect.bottom};
  return pixman_region32_contains_rectangle(Impl::Of(*this), &box) != PIXMAN_REGION_OUT;
}

std::vector<RECT> Region::Rects() const {
  int count = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(Impl::Of(*this), &count);
  std::vector<RECT> rects;
  rects.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) rects.push_back(RectOf(boxes[i]));
  return rects;
}

// pixman compares extents first, and empty regions keep whatever extents the
// operation that emptied them left behind; all empty regions are equal here.
bool Region::operator==(const Region& other) const {
  bool empty = IsEmpty();
  if (empty || other.IsEmpty()) return empty && other.IsEmpty();
  return pixman_region32_equal(Impl::Of(*this), Impl::Of(other));
}

void Region::Clear() { pixman_region32_clear(Impl::Of(*this)); }

void Region::Set(const RECT& rect) {
  pixman_region32_fini(Impl::Of(*this));
  InitRect(Impl::Of(*this), rect);
}

void Region::Union(const Region& other) {
  pixman_region32_union(Impl::Of(*this), Impl::Of(*this), Impl::Of(other));
}

// Going through a one-box region keeps pixman from adding widths to
// coordinates, which could overflow near the ends of the coordinate range.
void Region::Union(const RECT& rect) {
  if (!IsEmptyRect(rect)) Union(Region(rect));
}

void Region::Intersect(const Region& other) {
  pixman_region32_intersect(Impl::Of(*this), Impl::Of(*this), Impl::Of(other));
}

void Region::Intersect(const RECT& rect) { Intersect(Region(rect)); }

void Region::Subtract(const Region& other) {
  pixman_region32_subtract(Impl::Of(*this), Impl::Of(*this), Impl::Of(other));
}

void Region::Subtract(const RECT& rect) {
  if (IsEmptyRect(rect)) return;
  Subtract(Region(rect));
}

// pixman has no exclusive or: (A - B) + (B - A).
void Region::Xor(const Region& other) {
  Region only_other(other);
  only_other.Subtract(*this);
  Subtract(other);
  Union(only_other);
}

void Region::Offset(int dx, int dy) { pixman_region32_translate(Impl::Of(*this), dx, dy); }

void* Region::native() { return storage_; }

const void* Region::native() const { return storage_; }

}  // namespace platform::gdi
