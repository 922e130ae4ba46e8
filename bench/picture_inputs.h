// The pictures the decoder benchmarks read: the editor's own harbour.jpg
// (658 x 986, the picture box's picture) and its pixels stored again as PNG,
// BMP and GIF, made the same way every run so every decoder, ours and the
// peers', reads the very same bytes.
#pragma once

#include <cstdint>
#include <vector>

namespace bench {

struct PictureInputs {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> jpeg;  // harbour.jpg as it is
  std::vector<uint8_t> png;   // 8-bit RGB, libpng's default compression and filters
  std::vector<uint8_t> bmp;   // 24-bit, bottom-up, no compression
  std::vector<uint8_t> gif;   // one frame: a 6 x 7 x 6 colour cube, ordered dithering
};

// Made on the first call. When MIENZO_BENCH_PICTURES_DIR names a folder, the
// four files are also written there (harbour.jpg, .png, .bmp, .gif), so
// bench/pillow_decode.py can time Pillow on the same bytes. Exits with a
// message when harbour.jpg cannot be read or a file cannot be made.
const PictureInputs& BenchPictures();

}  // namespace bench
