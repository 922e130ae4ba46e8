// The picture decoders and the BMP encoder against Debian's own libraries on
// the same bytes: our GIF decoder vs giflib, our BMP decoder vs stb_image,
// our JPEG path vs plain libjpeg-turbo, and the panel-picture encoder vs a
// memcpy of the bytes it writes. Compare the pairs' times in one run.
#include <benchmark/benchmark.h>
#include <gif_lib.h>
#include <jpeglib.h>
#include <stb/stb_image.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "runtime/pictures/bmp_encoder.h"
#include "runtime/pictures/decode.h"

namespace runtime {
namespace {

constexpr int kWidth = 658;  // the editor's embedded picture's size
constexpr int kHeight = 986;

uint8_t Channel(int x, int y, int c) {
  return uint8_t((x * (c + 1) + y * (3 - c) + (x ^ y)) & 0xFF);
}

std::vector<uint8_t> MakeBmp() {
  const int stride = (kWidth * 3 + 3) / 4 * 4;
  const uint32_t size = uint32_t(54 + stride * kHeight);
  std::vector<uint8_t> file(size);
  const uint32_t header[] = {size, 0, 54, 40, uint32_t(kWidth), uint32_t(kHeight)};
  file[0] = 'B';
  file[1] = 'M';
  std::memcpy(&file[2], header, sizeof header);
  file[26] = 1;
  file[28] = 24;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      for (int c = 0; c < 3; ++c)
        file[54 + size_t(y) * stride + size_t(x) * 3 + c] = Channel(x, y, c);
    }
  }
  return file;
}

std::vector<uint8_t> MakeJpeg() {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr error{};
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long out_size = 0;
  jpeg_mem_dest(&cinfo, &out, &out_size);
  cinfo.image_width = kWidth;
  cinfo.image_height = kHeight;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 85, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(kWidth * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    for (int x = 0; x < kWidth * 3; ++x) row[x] = Channel(x / 3, int(cinfo.next_scanline), x % 3);
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<uint8_t> file(out, out + out_size);
  std::free(out);
  return file;
}

int WriteToVector(GifFileType* gif, const GifByteType* bytes, int n) {
  auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + n);
  return n;
}

std::vector<uint8_t> MakeGif() {
  std::vector<uint8_t> file;
  int error = 0;
  GifFileType* gif = EGifOpen(&file, WriteToVector, &error);
  std::vector<GifColorType> colours(256);
  for (int i = 0; i < 256; ++i) colours[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)};
  ColorMapObject* map = GifMakeMapObject(256, colours.data());
  EGifPutScreenDesc(gif, kWidth, kHeight, 8, 0, map);
  EGifPutImageDesc(gif, 0, 0, kWidth, kHeight, false, nullptr);
  std::vector<GifPixelType> row(kWidth);
  for (int y = 0; y < kHeight; ++y) {
    // Runs of a colour, as in a drawing, with some noise.
    for (int x = 0; x < kWidth; ++x)
      row[x] = GifPixelType(((x / 16) * 7 + (y / 16) * 3 + ((x * y) % 5 == 0)) & 0xFF);
    EGifPutLine(gif, row.data(), kWidth);
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return file;
}

struct Reader {
  const std::vector<uint8_t>* bytes;
  size_t at;
};

int ReadFromVector(GifFileType* gif, GifByteType* out, int n) {
  auto* reader = static_cast<Reader*>(gif->UserData);
  const size_t count = std::min<size_t>(size_t(n), reader->bytes->size() - reader->at);
  std::memcpy(out, reader->bytes->data() + reader->at, count);
  reader->at += count;
  return int(count);
}

void DecodeWithRuntime(benchmark::State& state, const std::vector<uint8_t>& file) {
  for (auto _ : state) {
    Picture* picture = DecodePictureBytes(Bytes(file.data(), file.size()));
    if (!picture) state.SkipWithError("the runtime did not decode the file");
    benchmark::DoNotOptimize(picture);
    ReleasePicture(picture);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 3);
}

void BM_GifRuntime(benchmark::State& state) { DecodeWithRuntime(state, MakeGif()); }
void BM_GifGiflib(benchmark::State& state) {
  const std::vector<uint8_t> file = MakeGif();
  for (auto _ : state) {
    Reader reader{&file, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadFromVector, &error);
    if (!gif || DGifSlurp(gif) != GIF_OK) state.SkipWithError("giflib did not decode the file");
    benchmark::DoNotOptimize(gif->SavedImages[0].RasterBits);
    DGifCloseFile(gif, &error);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 3);
}

void BM_BmpRuntime(benchmark::State& state) { DecodeWithRuntime(state, MakeBmp()); }
void BM_BmpStbImage(benchmark::State& state) {
  const std::vector<uint8_t> file = MakeBmp();
  for (auto _ : state) {
    int w = 0, h = 0, n = 0;
    stbi_uc* pixels = stbi_load_from_memory(file.data(), int(file.size()), &w, &h, &n, 3);
    if (!pixels) state.SkipWithError("stb_image did not decode the file");
    benchmark::DoNotOptimize(pixels);
    stbi_image_free(pixels);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 3);
}

void BM_JpegRuntime(benchmark::State& state) { DecodeWithRuntime(state, MakeJpeg()); }
// Plain libjpeg-turbo: the same library with its defaults, straight into RGB.
void BM_JpegLibjpeg(benchmark::State& state) {
  const std::vector<uint8_t> file = MakeJpeg();
  std::vector<uint8_t> pixels(size_t(kWidth) * kHeight * 3);
  for (auto _ : state) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), file.size());
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = &pixels[size_t(cinfo.output_scanline) * kWidth * 3];
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 3);
}

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
// What the encoder's output costs at the least: copying its bytes.
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

BENCHMARK(BM_GifRuntime)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GifGiflib)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BmpRuntime)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BmpStbImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegRuntime)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegLibjpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodePanelPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeMemcpyReference)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace runtime
