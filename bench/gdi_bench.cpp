// Blits and stretches against their yardsticks, measured in one run:
// BitBlt SRCCOPY of a 852 x 630 32-bit bitmap against memcpy of the same
// bytes, and StretchBlt HALFTONE of a 658 x 986 picture into 852 x 630
// against pixman's box-filtered scaling of the same pixels, and wide-pen dots
// against FillRect of their box.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/win32.h"

namespace {

constexpr int kPictureWidth = 658;
constexpr int kPictureHeight = 986;
constexpr int kPanelWidth = 852;
constexpr int kPanelHeight = 630;

// A memory DC over a top-down 32-bit DIB section filled with a varied picture.
class BenchDc {
 public:
  BenchDc(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    uint32_t seed = 1;
    for (int i = 0; i < width * height; ++i) {
      seed = seed * 1103515245u + 12345u;
      bits_[i] = ((i % width) * 255 / width) << 16 | ((i / width) * 255 / height) << 8 |
                 ((seed >> 16) & 0x3F);
    }
  }
  ~BenchDc() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  BenchDc(const BenchDc&) = delete;
  BenchDc& operator=(const BenchDc&) = delete;

  HDC dc() const { return dc_; }
  uint32_t* bits() const { return bits_; }
  int width() const { return width_; }
  int height() const { return height_; }
  size_t bytes() const { return static_cast<size_t>(width_) * height_ * 4; }

 private:
  int width_;
  int height_;
  HBITMAP bitmap_ = nullptr;
  uint32_t* bits_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

void BM_BitBlt(benchmark::State& state) {
  BenchDc source(kPanelWidth, kPanelHeight);
  BenchDc target(kPanelWidth, kPanelHeight);
  for (auto _ : state) {
    BitBlt(target.dc(), 0, 0, kPanelWidth, kPanelHeight, source.dc(), 0, 0, SRCCOPY);
    benchmark::DoNotOptimize(target.bits()[0]);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(target.bytes()));
}
BENCHMARK(BM_BitBlt);

void BM_Memcpy(benchmark::State& state) {
  const size_t bytes = static_cast<size_t>(kPanelWidth) * kPanelHeight * 4;
  std::vector<uint8_t> from(bytes, 0x5A);
  std::vector<uint8_t> to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_Memcpy);

void BM_StretchHalftone(benchmark::State& state) {
  BenchDc picture(kPictureWidth, kPictureHeight);
  BenchDc panel(kPanelWidth, kPanelHeight);
  SetStretchBltMode(panel.dc(), HALFTONE);
  for (auto _ : state) {
    StretchBlt(panel.dc(), 0, 0, kPanelWidth, kPanelHeight, picture.dc(), 0, 0, kPictureWidth,
               kPictureHeight, SRCCOPY);
    benchmark::DoNotOptimize(panel.bits()[0]);
  }
  state.SetItemsProcessed(state.iterations() * kPanelWidth * kPanelHeight);
}
BENCHMARK(BM_StretchHalftone)->Unit(benchmark::kMillisecond);

// The same pixels through pixman: the destination samples the picture
// through a scale transform and a filter.
void PixmanScale(benchmark::State& state, bool separable_box) {
  BenchDc picture(kPictureWidth, kPictureHeight);
  std::vector<uint32_t> panel(static_cast<size_t>(kPanelWidth) * kPanelHeight);
  pixman_image_t* source = pixman_image_create_bits(PIXMAN_x8r8g8b8, kPictureWidth, kPictureHeight,
                                                    picture.bits(), kPictureWidth * 4);
  pixman_image_t* target = pixman_image_create_bits(PIXMAN_x8r8g8b8, kPanelWidth, kPanelHeight,
                                                    panel.data(), kPanelWidth * 4);
  const double scale_x = static_cast<double>(kPictureWidth) / kPanelWidth;
  const double scale_y = static_cast<double>(kPictureHeight) / kPanelHeight;
  pixman_transform_t transform;
  pixman_transform_init_scale(&transform, pixman_double_to_fixed(scale_x),
                              pixman_double_to_fixed(scale_y));
  pixman_image_set_transform(source, &transform);
  if (separable_box) {
    int count = 0;
    pixman_fixed_t* params = pixman_filter_create_separable_convolution(
        &count, pixman_double_to_fixed(scale_x), pixman_double_to_fixed(scale_y), PIXMAN_KERNEL_BOX,
        PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, 4, 4);
    pixman_image_set_filter(source, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, count);
    free(params);
  } else {
    pixman_image_set_filter(source, PIXMAN_FILTER_GOOD, nullptr, 0);
  }
  pixman_image_set_repeat(source, PIXMAN_REPEAT_PAD);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, source, nullptr, target, 0, 0, 0, 0, 0, 0, kPanelWidth,
                             kPanelHeight);
    benchmark::DoNotOptimize(panel[0]);
  }
  state.SetItemsProcessed(state.iterations() * kPanelWidth * kPanelHeight);
  pixman_image_unref(source);
  pixman_image_unref(target);
}

void BM_PixmanBoxScale(benchmark::State& state) { PixmanScale(state, true); }
BENCHMARK(BM_PixmanBoxScale)->Unit(benchmark::kMillisecond);

void BM_PixmanGoodScale(benchmark::State& state) { PixmanScale(state, false); }
BENCHMARK(BM_PixmanGoodScale)->Unit(benchmark::kMillisecond);

// The editor paints with a 4-pixel pen: every mouse move is a zero-length
// LineTo that leaves a round dot. The yardstick is FillRect of the dot's
// 4 x 4 box with a solid brush, the least any dot could cost.
void BM_WidePenDot(benchmark::State& state) {
  BenchDc panel(kPanelWidth, kPanelHeight);
  HPEN pen = CreatePen(PS_SOLID, 4, RGB(200, 30, 30));
  HGDIOBJ old = SelectObject(panel.dc(), pen);
  int i = 0;
  for (auto _ : state) {
    const int x = (i * 37) % (kPanelWidth - 8) + 4;
    const int y = (i * 53) % (kPanelHeight - 8) + 4;
    MoveToEx(panel.dc(), x, y, nullptr);
    LineTo(panel.dc(), x, y);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
  SelectObject(panel.dc(), old);
  DeleteObject(pen);
}
BENCHMARK(BM_WidePenDot);

void BM_DotBoxFillRect(benchmark::State& state) {
  BenchDc panel(kPanelWidth, kPanelHeight);
  HBRUSH brush = CreateSolidBrush(RGB(200, 30, 30));
  int i = 0;
  for (auto _ : state) {
    const int x = (i * 37) % (kPanelWidth - 8) + 4;
    const int y = (i * 53) % (kPanelHeight - 8) + 4;
    const RECT box{x - 2, y - 2, x + 2, y + 2};
    FillRect(panel.dc(), &box, brush);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
  DeleteObject(brush);
}
BENCHMARK(BM_DotBoxFillRect);

}  // namespace
