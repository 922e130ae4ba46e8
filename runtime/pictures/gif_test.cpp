#include "runtime/pictures/gif.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "runtime/pictures/decoders.h"
#include "runtime/pictures/test_support.h"

namespace runtime {
namespace {

using namespace testing_pictures;

PicturePtr Decode(const std::vector<uint8_t>& bytes) {
  return PicturePtr(DecodeGif(AsBytes(bytes)));
}

size_t GifStride(int width) { return width == 0 ? 0 : ((static_cast<size_t>(width) - 1) | 3) + 1; }

// Codes packed least-significant bit first: (code, width) pairs.
std::vector<uint8_t> PackCodes(const std::vector<std::pair<int, int>>& codes) {
  std::vector<uint8_t> out;
  uint32_t acc = 0;
  int count = 0;
  for (auto [code, width] : codes) {
    acc |= static_cast<uint32_t>(code) << count;
    for (count += width; count >= 8; count -= 8, acc >>= 8)
      out.push_back(static_cast<uint8_t>(acc));
  }
  if (count > 0) out.push_back(static_cast<uint8_t>(acc));
  return out;
}

// A GIF89a with a 4-entry global table and one image of w x h whose data is
// `data` in one sub-block after minimum code size `minimum`.
std::vector<uint8_t> OneImageGif(int w, int h, uint8_t minimum, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a'};
  PutU16(gif, 6, static_cast<uint16_t>(w));
  PutU16(gif, 8, static_cast<uint16_t>(h));
  gif.insert(gif.end(), {0x81, 0, 0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 99, 99, 99, 0x2C});
  size_t descriptor = gif.size();
  PutU16(gif, descriptor + 4, static_cast<uint16_t>(w));
  PutU16(gif, descriptor + 6, static_cast<uint16_t>(h));
  gif.push_back(0);  // flags
  gif.push_back(minimum);
  for (size_t at = 0; at < data.size(); at += 255) {
    size_t length = std::min<size_t>(255, data.size() - at);
    gif.push_back(static_cast<uint8_t>(length));
    gif.insert(gif.end(), data.begin() + static_cast<long>(at),
               data.begin() + static_cast<long>(at + length));
  }
  gif.insert(gif.end(), {0, 0x3B});
  return gif;
}

// Codes at the widths a decoder expects: it adds a table entry for every
// code but the first after a clear, and widens when the next free code
// reaches 2^width.
class CodeStream {
 public:
  explicit CodeStream(int minimum) : clear_(1 << minimum), minimum_(minimum), width_(minimum + 1) {
    Clear();
  }
  void Clear() {
    codes_.push_back({clear_, width_});
    width_ = minimum_ + 1;
    next_ = clear_ + 2;
    first_ = true;
  }
  void Code(int code) {
    codes_.push_back({code, width_});
    if (first_) {
      first_ = false;
      return;
    }
    if (next_ < 4096 && ++next_ == (1 << width_) && width_ < 12) ++width_;
  }
  int next() const { return next_; }
  std::vector<uint8_t> Packed() const { return PackCodes(codes_); }

 private:
  int clear_;
  int minimum_;
  int width_ = 0;
  int next_ = 0;
  bool first_ = true;
  std::vector<std::pair<int, int>> codes_;
};

std::vector<uint8_t> Indices(const Picture& picture, int w, int h) {
  std::vector<uint8_t> out;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) out.push_back(DibIndex(picture, GifStride(w), x, y));
  }
  return out;
}

TEST(GifDecoder, FirstImageBecomesAnEightBitTopDownDibRecord) {
  PicturePtr picture = Decode(TestFile("gif87_4x3.gif"));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->kind, PictureKind::kGif);
  EXPECT_EQ(picture->width, 4);
  EXPECT_EQ(picture->height, 3);
  EXPECT_EQ(picture->size, 40 + 1024 + 4 * 3);
  DibFields h = DibHeader(*picture);
  EXPECT_EQ(h.size, 40);
  EXPECT_EQ(h.width, 4);
  EXPECT_EQ(h.height, -3);
  EXPECT_EQ(h.planes, 1);
  EXPECT_EQ(h.bits, 8);
  EXPECT_EQ(h.compression, 0u);
  EXPECT_EQ(h.colours_used, 256u);
  EXPECT_EQ(h.colours_important, 256u);
  EXPECT_EQ(DibColour(*picture, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(DibColour(*picture, 2), (Rgb{0, 0, 255}));
  EXPECT_EQ(DibColour(*picture, 3), (Rgb{255, 255, 255}));
  for (int i = 4; i < 256; ++i) EXPECT_EQ(DibColour(*picture, i), (Rgb{0, 0, 0})) << "entry " << i;
  EXPECT_EQ(DibColourEntry(picture->pixels, 3)[3], 0) << "the fourth byte of an entry is 0";
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(DibIndex(*picture, 4, x, y), (x + y) % 4);
  }
}

TEST(GifDecoder, InterlacedFrameWithLocalTableAndExtensions) {
  PicturePtr picture = Decode(TestFile("gif89_interlaced.gif"));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->width, 8) << "the logical screen's size";
  EXPECT_EQ(picture->height, 12);
  DibFields h = DibHeader(*picture);
  EXPECT_EQ(h.width, 5) << "the frame's size";
  EXPECT_EQ(h.height, -10);
  EXPECT_EQ(picture->size, 40 + 1024 + 8 * 10);
  EXPECT_EQ(DibColour(*picture, 1), (Rgb{30, 225, 10})) << "local table, not the global one";
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(DibIndex(*picture, 8, x, y), (x + 2 * y) % 8) << "at " << x << "," << y;
    }
  }
}

int Noise(int x, int y) { return (x * 7 + y * 13 + ((x * y) ^ (x + 3 * y)) * 5) % 256; }

TEST(GifDecoder, TwelveBitCodesWithAndWithoutClearingAFullTable) {
  for (const char* name : {"gif_noise_clear.gif", "gif_noise_full.gif"}) {
    PicturePtr picture = Decode(TestFile(name));
    ASSERT_NE(picture, nullptr) << name;
    int wrong = 0;
    for (int y = 0; y < 96; ++y) {
      for (int x = 0; x < 96; ++x) wrong += DibIndex(*picture, 96, x, y) != Noise(x, y);
    }
    EXPECT_EQ(wrong, 0) << name;
  }
}

TEST(GifDecoder, CodeNotYetInTheTableAndRowsNotReachedAreBlack) {
  // clear, 1, 6 (= next free: "1" + "1"), end -> 1 1 1, the fourth pixel untouched.
  PicturePtr picture = Decode(OneImageGif(2, 2, 2, PackCodes({{4, 3}, {1, 3}, {6, 3}, {5, 3}})));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(Indices(*picture, 2, 2), (std::vector<uint8_t>{1, 1, 1, 0}));
  // Without an end code the data simply runs out.
  picture = Decode(OneImageGif(2, 2, 2, PackCodes({{4, 3}, {3, 3}})));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(Indices(*picture, 2, 2), (std::vector<uint8_t>{3, 0, 0, 0}));
}

TEST(GifDecoder, TheLastTableEntryIsAddedAndUsedWhenTheTableFills) {
  CodeStream stream(2);
  int count = 0;
  while (stream.next() < 4096) stream.Code(++count % 2 == 1 ? 1 : 2);
  // Entry 4095 is the string of the second-last code (2) and the first index
  // of the last (1).
  stream.Code(4095);
  stream.Code(3);  // still 12 bits wide
  std::vector<uint8_t> gif = OneImageGif(count + 3, 1, 2, stream.Packed());
  PicturePtr picture = Decode(gif);
  ASSERT_NE(picture, nullptr);
  std::vector<uint8_t> tail = Indices(*picture, count + 3, 1);
  tail.erase(tail.begin(), tail.end() - 5);
  EXPECT_EQ(tail, (std::vector<uint8_t>{2, 1, 2, 1, 3}));
}

TEST(GifDecoder, PixelsPastTheLastRowAndCodesAfterTheEndAreDropped) {
  PicturePtr picture =
      Decode(OneImageGif(1, 2, 2, PackCodes({{4, 3}, {1, 3}, {2, 3}, {3, 3}, {5, 4}, {7, 4}})));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(Indices(*picture, 1, 2), (std::vector<uint8_t>{1, 2}));
}

TEST(GifDecoder, InvalidCodesFailTheDecode) {
  EXPECT_EQ(Decode(OneImageGif(2, 2, 2, PackCodes({{4, 3}, {1, 3}, {7, 3}}))), nullptr)
      << "a code above the next free code";
  EXPECT_EQ(Decode(OneImageGif(2, 2, 2, PackCodes({{4, 3}, {6, 3}}))), nullptr)
      << "a string code right after a clear";
  EXPECT_EQ(Decode(OneImageGif(2, 2, 9, PackCodes({{512, 10}, {1, 10}}))), nullptr)
      << "minimum code size 9: indices would not fit a byte";
  EXPECT_EQ(Decode(OneImageGif(2, 2, 12, {0xFF, 0xFF})), nullptr) << "minimum code size 12";
}

TEST(GifDecoder, HeaderAndBlockStructureIsChecked) {
  std::vector<uint8_t> good = TestFile("gif87_4x3.gif");
  ASSERT_NE(Decode(good), nullptr);
  std::vector<uint8_t> bad = good;
  bad[4] = '8';
  EXPECT_EQ(Decode(bad), nullptr) << "GIF88a";
  EXPECT_EQ(Decode({good.begin(), good.begin() + 13}), nullptr) << "shorter than 14 bytes";
  EXPECT_EQ(Decode({good.begin(), good.begin() + 25}), nullptr)
      << "global table not followed by a byte";
  bad = {good.begin(), good.begin() + 25};
  bad.insert(bad.end(), {0x21, 0xFE, 0x00});
  EXPECT_EQ(Decode(bad), nullptr) << "input ends before any image";
  for (uint8_t end : {0x3B, 0x00, 0x99}) {
    bad = {good.begin(), good.begin() + 25};
    bad.push_back(end);
    bad.insert(bad.end(), good.begin() + 25, good.end());
    EXPECT_EQ(Decode(bad), nullptr) << "block byte " << int(end) << " before the image";
  }
  bad = {good.begin(), good.begin() + 25};
  bad.insert(bad.end(), {0x21, 0x77, 0x00});
  bad.insert(bad.end(), good.begin() + 25, good.end());
  EXPECT_EQ(Decode(bad), nullptr) << "unknown extension label";
  bad = {good.begin(), good.begin() + 25};
  bad.insert(bad.end(), {0x21, 0xFE, 0x05, 'a', 'b'});
  EXPECT_EQ(Decode(bad), nullptr) << "comment running past the input";
  bad = {good.begin(), good.begin() + 25 + 10};
  EXPECT_EQ(Decode(bad), nullptr) << "image descriptor without its data";
  bad = {good.begin(), good.begin() + 25};
  bad.insert(bad.end(), {0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0x87});
  EXPECT_EQ(Decode(bad), nullptr) << "local table past the input";
  bad = good;
  bad[6] = bad[7] = bad[8] = bad[9] = 0x80;  // 32896 x 32896
  EXPECT_EQ(Decode(bad), nullptr) << "a 4 x 3 frame on a screen of 4 GB to draw";
}

class Recorder : public GifBlockVisitor {
 public:
  void OnGraphicControl(const GifGraphicControl& control) override { controls.push_back(control); }
  bool OnImage(const GifImageDescriptor& image) override {
    images.push_back(image);
    return true;
  }
  std::vector<GifGraphicControl> controls;
  std::vector<GifImageDescriptor> images;
};

TEST(GifBlockWalker, ReportsGraphicControlAndEveryImage) {
  std::vector<uint8_t> gif = TestFile("gif89_interlaced.gif");
  GifScreen screen;
  ASSERT_TRUE(ReadGifScreen(AsBytes(gif), &screen));
  EXPECT_EQ(screen.global_table.size(), 6u);
  Recorder recorder;
  EXPECT_EQ(WalkGifBlocks(AsBytes(gif), screen.blocks_offset, recorder), GifWalkEnd::kTrailer);
  ASSERT_EQ(recorder.controls.size(), 1u);
  EXPECT_EQ(recorder.controls[0].disposal, 0x08);
  EXPECT_TRUE(recorder.controls[0].transparent);
  EXPECT_EQ(recorder.controls[0].delay, 25);
  EXPECT_EQ(recorder.controls[0].transparent_index, 3);
  ASSERT_EQ(recorder.images.size(), 1u);
  const GifImageDescriptor& image = recorder.images[0];
  EXPECT_EQ(image.left, 1);
  EXPECT_EQ(image.top, 2);
  EXPECT_EQ(image.width, 5);
  EXPECT_EQ(image.height, 10);
  EXPECT_TRUE(image.interlaced);
  EXPECT_EQ(image.local_table.size(), 24u);

  // A second frame after the first, then the input ends without a trailer.
  std::vector<uint8_t> two = gif;
  two.pop_back();
  size_t first_image = image.data_offset - 24 - 10;  // back over the local table and descriptor
  two.insert(two.end(), gif.begin() + static_cast<long>(first_image), gif.end() - 1);
  Recorder again;
  EXPECT_EQ(WalkGifBlocks(AsBytes(two), screen.blocks_offset, again), GifWalkEnd::kTruncated);
  EXPECT_EQ(again.images.size(), 2u);
  std::vector<uint8_t> indices(8 * 10);
  EXPECT_TRUE(DecodeGifImage(AsBytes(two), again.images[1], indices.data(), 8));
  EXPECT_EQ(indices[8 * 9 + 4], (4 + 2 * 9) % 8);
}

}  // namespace
}  // namespace runtime
