// Helpers for the GDI tests: tiny memory DCs over 32-bit DIB sections whose
// pixels the tests read and write straight through the bits, and a pixel
// comparison that prints both pictures when they differ.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace gdi_testing {

inline HBITMAP MakeDib(int width, int height, int bits_per_pixel, bool top_down, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = top_down ? -height : height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bits_per_pixel);
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// A memory DC drawing into a top-down 32-bit DIB section.
class MemoryDc {
 public:
  MemoryDc(int width, int height, uint32_t fill = 0) : width_(width), height_(height) {
    void* bits = nullptr;
    bitmap_ = MakeDib(width, height, 32, true, &bits);
    bits_ = static_cast<uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    original_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < width * height; ++i) bits_[i] = fill;
  }
  ~MemoryDc() {
    SelectObject(dc_, original_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  int width() const { return width_; }
  uint32_t& at(int x, int y) { return bits_[y * width_ + x]; }
  std::vector<uint32_t> Pixels() const {
    return std::vector<uint32_t>(bits_, bits_ + width_ * height_);
  }

 private:
  int width_;
  int height_;
  HBITMAP bitmap_ = nullptr;
  uint32_t* bits_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ original_ = nullptr;
};

inline std::string Picture(const std::vector<uint32_t>& pixels, int width) {
  std::string text;
  char cell[16];
  for (size_t i = 0; i < pixels.size(); ++i) {
    std::snprintf(cell, sizeof cell, "%06X ", static_cast<unsigned>(pixels[i] & 0xFFFFFFFF));
    text += cell;
    if ((i + 1) % static_cast<size_t>(width) == 0) text += "\n";
  }
  return text;
}

inline testing::AssertionResult SamePixels(const std::vector<uint32_t>& expected,
                                           const std::vector<uint32_t>& actual, int width) {
  if (expected == actual) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "expected pixels:\n"
                                     << Picture(expected, width) << "got:\n"
                                     << Picture(actual, width);
}

}  // namespace gdi_testing
