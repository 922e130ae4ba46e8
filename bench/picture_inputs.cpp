#include "bench/picture_inputs.h"

#include <gif_lib.h>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

// jpeglib.h needs <cstdio> before it.
#include <jpeglib.h>

namespace bench {
namespace {

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "picture inputs: %s\n", why.c_str());
  std::exit(1);
}

std::vector<uint8_t> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(std::string("cannot read ") + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) Fail("cannot write " + path);
}

// Top-down RGB, by libjpeg-turbo with its defaults: the pixels every other
// file is made from, independent of the decoder being measured.
std::vector<uint8_t> RgbOf(const std::vector<uint8_t>& jpeg, int* width, int* height) {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr error{};
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, jpeg.data(), jpeg.size());
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  *width = int(cinfo.output_width);
  *height = int(cinfo.output_height);
  std::vector<uint8_t> rgb(size_t(*width) * size_t(*height) * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = &rgb[size_t(cinfo.output_scanline) * size_t(*width) * 3];
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return rgb;
}

std::vector<uint8_t> MakeBmp(const std::vector<uint8_t>& rgb, int width, int height) {
  const size_t stride = (size_t(width) * 3 + 3) / 4 * 4;
  const uint32_t size = uint32_t(54 + stride * size_t(height));
  std::vector<uint8_t> file(size);
  const uint32_t header[] = {size, 0, 54, 40, uint32_t(width), uint32_t(height)};
  file[0] = 'B';
  file[1] = 'M';
  std::memcpy(&file[2], header, sizeof header);
  file[26] = 1;
  file[28] = 24;
  for (int y = 0; y < height; ++y) {
    const uint8_t* in = &rgb[size_t(height - 1 - y) * size_t(width) * 3];
    uint8_t* out = &file[54 + size_t(y) * stride];
    for (int x = 0; x < width; ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
  return file;
}

void AppendPng(png_structp png, png_bytep bytes, png_size_t count) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), bytes, bytes + count);
}

std::vector<uint8_t> MakePng(const std::vector<uint8_t>& rgb, int width, int height) {
  std::vector<uint8_t> file;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) Fail("libpng: no write struct");
  if (setjmp(png_jmpbuf(png))) Fail("libpng could not write the PNG");
  png_set_write_fn(png, &file, AppendPng, nullptr);
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) png_write_row(png, &rgb[size_t(y) * size_t(width) * 3]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return file;
}

int AppendGif(GifFileType* gif, const GifByteType* bytes, int count) {
  auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + count);
  return count;
}

// Levels of the colour cube: 6 reds, 7 greens, 6 blues (252 of 256 entries).
constexpr int kReds = 6, kGreens = 7, kBlues = 6;
// Ordered (4 x 4 Bayer) dithering, as a true-colour picture saved as GIF
// usually gets: the gradients come out as patterns rather than flat bands,
// which LZW finds harder.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

int Level(uint8_t value, int levels, int x, int y) {
  return int(std::floor(value * (levels - 1) / 255.0 + (kBayer[y % 4][x % 4] + 0.5) / 16));
}

std::vector<uint8_t> MakeGif(const std::vector<uint8_t>& rgb, int width, int height) {
  std::vector<GifColorType> colours(256, GifColorType{0, 0, 0});
  for (int r = 0; r < kReds; ++r)
    for (int g = 0; g < kGreens; ++g)
      for (int b = 0; b < kBlues; ++b)
        colours[size_t((r * kGreens + g) * kBlues + b)] = {uint8_t(r * 255 / (kReds - 1)),
                                                           uint8_t(g * 255 / (kGreens - 1)),
                                                           uint8_t(b * 255 / (kBlues - 1))};
  std::vector<uint8_t> file;
  int error = 0;
  GifFileType* gif = EGifOpen(&file, AppendGif, &error);
  ColorMapObject* map = GifMakeMapObject(256, colours.data());
  if (!gif || !map || EGifPutScreenDesc(gif, width, height, 8, 0, map) != GIF_OK ||
      EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) != GIF_OK) {
    Fail("giflib could not start the GIF");
  }
  std::vector<GifPixelType> row(static_cast<size_t>(width));
  for (int y = 0; y < height; ++y) {
    const uint8_t* in = &rgb[size_t(y) * size_t(width) * 3];
    for (int x = 0; x < width; ++x, in += 3)
      row[size_t(x)] = GifPixelType(
          (Level(in[0], kReds, x, y) * kGreens + Level(in[1], kGreens, x, y)) * kBlues +
          Level(in[2], kBlues, x, y));
    if (EGifPutLine(gif, row.data(), width) != GIF_OK) Fail("giflib could not write a row");
  }
  if (EGifCloseFile(gif, &error) != GIF_OK) Fail("giflib could not finish the GIF");
  GifFreeMapObject(map);
  return file;
}

PictureInputs Make() {
  PictureInputs inputs;
  inputs.jpeg = ReadFile(MIENZO_BENCH_HARBOUR);
  const std::vector<uint8_t> rgb = RgbOf(inputs.jpeg, &inputs.width, &inputs.height);
  inputs.png = MakePng(rgb, inputs.width, inputs.height);
  inputs.bmp = MakeBmp(rgb, inputs.width, inputs.height);
  inputs.gif = MakeGif(rgb, inputs.width, inputs.height);
  if (const char* folder = std::getenv("MIENZO_BENCH_PICTURES_DIR")) {
    const std::string base = std::string(folder) + "/harbour.";
    WriteFile(base + "jpg", inputs.jpeg);
    WriteFile(base + "png", inputs.png);
    WriteFile(base + "bmp", inputs.bmp);
    WriteFile(base + "gif", inputs.gif);
  }
  return inputs;
}

}  // namespace

const PictureInputs& BenchPictures() {
  static const PictureInputs inputs = Make();
  return inputs;
}

}  // namespace bench
