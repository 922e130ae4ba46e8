// Text output: lines per second of a 40-character mixed Latin and Chinese
// line in the default GUI font, upright and turned 30 degrees, into an
// 852 x 630 32-bit memory DC (the editor's drawing panel). Glyphs are cached
// after the first line, so this measures layout, placement and blending.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/base/gbk.h"
#include "platform/win32.h"

namespace {

constexpr int kWidth = 852;
constexpr int kHeight = 630;

class TextPanel {
 public:
  explicit TextPanel(LONG escapement) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    old_bitmap_ = SelectObject(dc_, bitmap_);
    PatBlt(dc_, 0, 0, kWidth, kHeight, WHITENESS);
    LOGFONTA logical{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof logical, &logical);
    logical.lfEscapement = escapement;
    font_ = CreateFontIndirectA(&logical);
    old_font_ = SelectObject(dc_, font_);
    SetBkMode(dc_, TRANSPARENT);
  }
  ~TextPanel() {
    SelectObject(dc_, old_font_);
    SelectObject(dc_, old_bitmap_);
    DeleteObject(font_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  TextPanel(const TextPanel&) = delete;
  TextPanel& operator=(const TextPanel&) = delete;

  HDC dc() const { return dc_; }

 private:
  HBITMAP bitmap_ = nullptr;
  HFONT font_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  HGDIOBJ old_font_ = nullptr;
};

const std::string& Line() {
  static const std::string line =
      platform::gbk::Gbk("Mienzo 图片编辑器 draws 文字: GBK 测试 line 2024!");
  return line;
}

void RunLines(benchmark::State& state, LONG escapement, int x, int first_y) {
  TextPanel panel(escapement);
  const std::string& line = Line();
  int y = first_y;
  for (auto _ : state) {
    TextOutA(panel.dc(), x, y, line.c_str(), static_cast<int>(line.size()));
    y = y + 16 < kHeight ? y + 16 : first_y;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_TextOutLine(benchmark::State& state) { RunLines(state, 0, 4, 0); }
BENCHMARK(BM_TextOutLine);

// Turned lines start low on the panel so that they rise across it.
void BM_TextOutTurnedLine(benchmark::State& state) { RunLines(state, 300, 20, 200); }
BENCHMARK(BM_TextOutTurnedLine);

}  // namespace
