// The picture decoders against the libraries a program would use instead,
// on the same bytes (bench/picture_inputs.h): JPEG against libjpeg-turbo and
// stb_image, PNG against libpng and stb_image, BMP against stb_image, GIF
// against giflib and stb_image; bench/pillow_decode.py adds Pillow. Every
// decoder reads from memory. What each hands back differs a little, and the
// names say so where it matters:
//   ours        JPEG and BMP bottom-up BGR, PNG top-down BGRA, GIF the
//               first frame's indices in a DIB record with its colour table
//   libjpeg     top-down RGB (its defaults: slow integer IDCT, fancy upsampling)
//   libpng      top-down RGB rows, no transforms (the file is 8-bit RGB)
//   giflib      DGifSlurp: every frame's indices and colour tables
//   stb_image   top-down RGB; GIF always as RGBA
// Also the panel-picture encoder against a memcpy of the bytes it writes.
#include <benchmark/benchmark.h>
#include <gif_lib.h>
#include <png.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

// jpeglib.h needs <cstdio> before it.
#include <jpeglib.h>

#include "bench/picture_inputs.h"
#include "runtime/pictures/bmp_encoder.h"
#include "runtime/pictures/decode.h"

namespace runtime {
namespace {

using bench::BenchPictures;
using Input = std::vector<uint8_t> bench::PictureInputs::*;

void CountPixels(benchmark::State& state) {
  const auto& inputs = BenchPictures();
  state.SetItemsProcessed(int64_t(state.iterations()) * inputs.width * inputs.height);
}

void BM_DecodeMienzo(benchmark::State& state, Input input) {
  const std::vector<uint8_t>& file = BenchPictures().*input;
  for (auto _ : state) {
    Picture* picture = DecodePictureBytes(Bytes(file.data(), file.size()));
    if (!picture) {
      state.SkipWithError("Mienzo did not decode the file");
      break;
    }
    benchmark::DoNotOptimize(picture->pixels);
    ReleasePicture(picture);
  }
  CountPixels(state);
}
BENCHMARK_CAPTURE(BM_DecodeMienzo, jpeg, &bench::PictureInputs::jpeg)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DecodeMienzo, png, &bench::PictureInputs::png)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DecodeMienzo, bmp, &bench::PictureInputs::bmp)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DecodeMienzo, gif, &bench::PictureInputs::gif)->Unit(benchmark::kMillisecond);

void BM_DecodeStbImage(benchmark::State& state, Input input) {
  const std::vector<uint8_t>& file = BenchPictures().*input;
  for (auto _ : state) {
    int w = 0, h = 0, n = 0;
    stbi_uc* pixels = stbi_load_from_memory(file.data(), int(file.size()), &w, &h, &n, 3);
    if (!pixels) {
      state.SkipWithError("stb_image did not decode the file");
      break;
    }
    benchmark::DoNotOptimize(pixels);
    stbi_image_free(pixels);
  }
  CountPixels(state);
}
BENCHMARK_CAPTURE(BM_DecodeStbImage, jpeg, &bench::PictureInputs::jpeg)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DecodeStbImage, png, &bench::PictureInputs::png)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DecodeStbImage, bmp, &bench::PictureInputs::bmp)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DecodeStbImage, gif, &bench::PictureInputs::gif)
    ->Unit(benchmark::kMillisecond);

// The pixels of one decoded picture: a new block each time, as every decoder
// here hands back (ours and stb_image's allocate it themselves), left
// uninitialised as a C program's malloc would.
std::unique_ptr<uint8_t[]> NewRgbBlock() {
  const auto& inputs = BenchPictures();
  return std::unique_ptr<uint8_t[]>(new uint8_t[size_t(inputs.width) * size_t(inputs.height) * 3]);
}

// Plain libjpeg-turbo: the same library with its defaults, straight into RGB.
void BM_DecodeLibjpegTurbo(benchmark::State& state) {
  const std::vector<uint8_t>& file = BenchPictures().jpeg;
  for (auto _ : state) {
    std::unique_ptr<uint8_t[]> pixels = NewRgbBlock();
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), file.size());
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = &pixels[size_t(cinfo.output_scanline) * cinfo.output_width * 3];
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    benchmark::DoNotOptimize(pixels.get());
  }
  CountPixels(state);
}
BENCHMARK(BM_DecodeLibjpegTurbo)->Unit(benchmark::kMillisecond);

struct PngReader {
  const std::vector<uint8_t>* bytes;
  size_t at;
};

void ReadPng(png_structp png, png_bytep out, png_size_t count) {
  auto* reader = static_cast<PngReader*>(png_get_io_ptr(png));
  if (count > reader->bytes->size() - reader->at) png_error(png, "past the end");
  std::memcpy(out, reader->bytes->data() + reader->at, count);
  reader->at += count;
}

// libpng's ordinary reading interface, as a program that reads 8-bit RGB
// files writes it: header, then the rows into its own buffer.
bool DecodeWithLibpng(const std::vector<uint8_t>& file, uint8_t* pixels,
                      std::vector<png_bytep>& rows) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) return false;
  PngReader reader{&file, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &reader, ReadPng);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (png_get_rowbytes(png, info) != size_t(width) * 3 || rows.size() != height)
    png_error(png, "not the benchmark's picture");
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = &pixels[size_t(y) * width * 3];
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

void BM_DecodeLibpng(benchmark::State& state) {
  const auto& inputs = BenchPictures();
  std::vector<png_bytep> rows(size_t(inputs.height));
  for (auto _ : state) {
    std::unique_ptr<uint8_t[]> pixels = NewRgbBlock();
    if (!DecodeWithLibpng(inputs.png, pixels.get(), rows)) {
      state.SkipWithError("libpng did not decode the file");
      break;
    }
    benchmark::DoNotOptimize(pixels.get());
  }
  CountPixels(state);
}
BENCHMARK(BM_DecodeLibpng)->Unit(benchmark::kMillisecond);

struct GifReader {
  const std::vector<uint8_t>* bytes;
  size_t at;
};

int ReadGif(GifFileType* gif, GifByteType* out, int n) {
  auto* reader = static_cast<GifReader*>(gif->UserData);
  const size_t count = std::min<size_t>(size_t(n), reader->bytes->size() - reader->at);
  std::memcpy(out, reader->bytes->data() + reader->at, count);
  reader->at += count;
  return int(count);
}

void BM_DecodeGiflib(benchmark::State& state) {
  const std::vector<uint8_t>& file = BenchPictures().gif;
  for (auto _ : state) {
    GifReader reader{&file, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadGif, &error);
    if (!gif) {
      state.SkipWithError("giflib did not open the file");
      break;
    }
    const bool read = DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0;
    if (read) benchmark::DoNotOptimize(gif->SavedImages[0].RasterBits);
    DGifCloseFile(gif, &error);
    if (!read) {
      state.SkipWithError("giflib did not decode the file");
      break;
    }
  }
  CountPixels(state);
}
BENCHMARK(BM_DecodeGiflib)->Unit(benchmark::kMillisecond);

// The editor's panel: 852 x 630.
constexpr int kPanelWidth = 852;
constexpr int kPanelHeight = 630;

void BM_EncodePanelPicture(benchmark::State& state) {
  BITMAPINFO info{};
  info.bmiHeader = {
      sizeof(BITMAPINFOHEADER), kPanelWidth, -kPanelHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::memset(bits, 0x5A, size_t(kPanelWidth) * kPanelHeight * 4);
  for (auto _ : state) {
    std::vector<uint8_t> file = EncodePanelPicture(bitmap, 0, 0);
    if (file.empty()) state.SkipWithError("no picture");
    benchmark::DoNotOptimize(file.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kPanelWidth * kPanelHeight * 3);
  DeleteObject(bitmap);
}
BENCHMARK(BM_EncodePanelPicture)->Unit(benchmark::kMillisecond);

// What the encoder's output, and GetPicture's, costs at the least: a new
// block of the file's size with its bytes copied in.
void BM_EncodeMemcpyReference(benchmark::State& state) {
  const size_t size = 54 + size_t(kPanelWidth) * 3 * kPanelHeight;
  std::vector<uint8_t> from(size, 0x5A);
  for (auto _ : state) {
    std::vector<uint8_t> to(size);
    std::memcpy(to.data(), from.data(), size);
    benchmark::DoNotOptimize(to.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kPanelWidth * kPanelHeight * 3);
}
BENCHMARK(BM_EncodeMemcpyReference)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace runtime
