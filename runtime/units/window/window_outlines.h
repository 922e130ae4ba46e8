// The polygon outlines of the window shapes 4 to 29.
#pragma once

#include <cstdint>
#include <span>

namespace runtime::units::window {

struct OutlinePoint {
  int32_t x;  // 0..kOutlineScale
  int32_t y;
};

inline constexpr int32_t kOutlineScale = 32767;
inline constexpr int32_t kFirstOutline = 4;
inline constexpr int32_t kOutlineCount = 26;

// The points of `shape`, in order; empty for shapes that are no outline.
std::span<const OutlinePoint> Outline(int32_t shape);

}  // namespace runtime::units::window
