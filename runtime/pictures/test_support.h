// Helpers shared by the picture tests: test files, owning pointers and pixel
// reads in picture coordinates (row 0 at the top, whatever the layout).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/pictures/byte_reader.h"
#include "runtime/pictures/picture.h"

namespace runtime::testing_pictures {

struct PictureDeleter {
  void operator()(Picture* picture) const { ReleasePicture(picture); }
};
using PicturePtr = std::unique_ptr<Picture, PictureDeleter>;

// The bytes of a file in runtime/pictures/testdata.
std::vector<uint8_t> TestFile(const std::string& name);
std::string TestFilePath(const std::string& name);

inline Bytes AsBytes(const std::vector<uint8_t>& bytes) { return {bytes.data(), bytes.size()}; }

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};
std::string ToString(const Rgb& rgb);  // "(r, g, b)" for failure messages

// Kinds 1 and 2: bottom-up blue-green-red, no padding.
Rgb BgrPixel(const Picture& picture, int x, int y);

// Kinds 5 and 6: the index at (x, y) with rows `stride` bytes apart, and the
// colour of an entry.
uint8_t DibIndex(const Picture& picture, size_t stride, int x, int y);
Rgb DibColour(const Picture& picture, int index);
// The bitmap header fields of kinds 5 and 6.
struct DibFields {
  int32_t size, width, height;
  uint16_t planes, bits;
  uint32_t compression, colours_used, colours_important;
};
DibFields DibHeader(const Picture& picture);

// Little-endian writers for building inputs.
void PutU16(std::vector<uint8_t>& out, size_t at, uint16_t value);
void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t value);

}  // namespace runtime::testing_pictures
