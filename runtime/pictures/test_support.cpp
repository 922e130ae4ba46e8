#include "runtime/pictures/test_support.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace runtime::testing_pictures {

std::string TestFilePath(const std::string& name) {
  return std::string(MIENZO_PICTURES_TESTDATA) + "/" + name;
}

std::vector<uint8_t> TestFile(const std::string& name) {
  std::ifstream in(TestFilePath(name), std::ios::binary);
  if (!in) throw std::runtime_error("missing test file " + name);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string ToString(const Rgb& rgb) {
  return "(" + std::to_string(rgb.r) + ", " + std::to_string(rgb.g) + ", " + std::to_string(rgb.b) +
         ")";
}

Rgb BgrPixel(const Picture& picture, int x, int y) {
  size_t row = static_cast<size_t>(picture.height - 1 - y);
  const auto* p = static_cast<const uint8_t*>(picture.pixels) +
                  (row * static_cast<size_t>(picture.width) + static_cast<size_t>(x)) * 3;
  return {p[2], p[1], p[0]};
}

DibFields DibHeader(const Picture& picture) {
  BITMAPINFOHEADER h;
  std::memcpy(&h, picture.pixels, sizeof h);
  return {static_cast<int32_t>(h.biSize),
          h.biWidth,
          h.biHeight,
          h.biPlanes,
          h.biBitCount,
          h.biCompression,
          h.biClrUsed,
          h.biClrImportant};
}

uint8_t DibIndex(const Picture& picture, size_t stride, int x, int y) {
  const auto* rows = static_cast<const uint8_t*>(picture.pixels) + kDibPixelsOffset;
  return rows[static_cast<size_t>(y) * stride + static_cast<size_t>(x)];
}

Rgb DibColour(const Picture& picture, int index) {
  const uint8_t* entry = DibColourEntry(picture.pixels, static_cast<size_t>(index));
  return {entry[2], entry[1], entry[0]};
}

void PutU16(std::vector<uint8_t>& out, size_t at, uint16_t value) {
  if (out.size() < at + 2) out.resize(at + 2);
  out[at] = static_cast<uint8_t>(value);
  out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  PutU16(out, at, static_cast<uint16_t>(value));
  PutU16(out, at + 2, static_cast<uint16_t>(value >> 16));
}

}  // namespace runtime::testing_pictures
