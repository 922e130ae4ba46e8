// Helpers for the text tests: fonts pinned to WenQuanYi Zen Hei (the face
// the set-up installs; tests that need it skip without it), monochrome
// memory DCs, and the box of changed pixels.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/gbk.h"
#include "platform/gdi/font_match.h"
#include "platform/win32.h"

namespace text_testing {

inline bool HaveWenQuanYi() {
  return platform::gdi::FindFamily("WenQuanYi Zen Hei").has_value() &&
         platform::gdi::FindFamily("WenQuanYi Zen Hei Sharp").has_value();
}

#define SKIP_WITHOUT_WENQUANYI() \
  if (!text_testing::HaveWenQuanYi()) GTEST_SKIP() << "fonts-wqy-zenhei is not installed"

inline std::string Gbk(const char* utf8) { return platform::gbk::Gbk(utf8); }

// A font by its GBK-encoded name: "宋体" at 12 pixels draws WenQuanYi's
// one-bit bitmaps, "黑体" draws grey outlines.
inline HFONT ChineseFont(const char* utf8_face, LONG height, LONG weight = FW_NORMAL) {
  return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, GB2312_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                     Gbk(utf8_face).c_str());
}

inline bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

inline std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The smallest rectangle holding every pixel that is not `background`;
// all zero when there is none.
inline RECT ChangedBox(const std::vector<uint32_t>& pixels, int width, uint32_t background) {
  RECT box{0, 0, 0, 0};
  bool any = false;
  for (size_t i = 0; i < pixels.size(); ++i) {
    if ((pixels[i] & 0xFFFFFF) == background) continue;
    const LONG x = static_cast<LONG>(i % static_cast<size_t>(width));
    const LONG y = static_cast<LONG>(i / static_cast<size_t>(width));
    if (!any) box = RECT{x, y, x + 1, y + 1};
    box.left = std::min(box.left, x);
    box.top = std::min(box.top, y);
    box.right = std::max(box.right, x + 1);
    box.bottom = std::max(box.bottom, y + 1);
    any = true;
  }
  return box;
}

inline bool Inside(const RECT& inner, const RECT& outer) {
  return Empty(inner) || (inner.left >= outer.left && inner.top >= outer.top &&
                          inner.right <= outer.right && inner.bottom <= outer.bottom);
}

// A memory DC over a monochrome bitmap, all white to start with.
class MonoDc {
 public:
  MonoDc(int width, int height) : width_(width), height_(height) {
    bitmap_ = CreateBitmap(width, height, 1, 1, nullptr);
    dc_ = CreateCompatibleDC(nullptr);
    original_ = SelectObject(dc_, bitmap_);
    PatBlt(dc_, 0, 0, width, height, WHITENESS);
  }
  ~MonoDc() {
    SelectObject(dc_, original_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  MonoDc(const MonoDc&) = delete;
  MonoDc& operator=(const MonoDc&) = delete;

  HDC dc() const { return dc_; }
  // 0x000000 or 0xFFFFFF per pixel, rows top-down.
  std::vector<uint32_t> Pixels() const {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) pixels.push_back(GetPixel(dc_, x, y) == 0 ? 0 : 0xFFFFFF);
    }
    return pixels;
  }

 private:
  int width_;
  int height_;
  HBITMAP bitmap_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ original_ = nullptr;
};

// Selects a font into a DC for one scope and deletes it afterwards.
class ScopedFont {
 public:
  ScopedFont(HDC dc, HFONT font) : dc_(dc), font_(font), previous_(SelectObject(dc, font)) {}
  ~ScopedFont() {
    SelectObject(dc_, previous_);
    DeleteObject(font_);
  }
  ScopedFont(const ScopedFont&) = delete;
  ScopedFont& operator=(const ScopedFont&) = delete;

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ previous_;
};

}  // namespace text_testing
