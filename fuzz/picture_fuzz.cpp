// Arbitrary bytes through the picture decoders. Built once per decoder
// family (PICTURE_FUZZ_FAMILY picks it; "all" goes through detection), so
// each target spends its time inside one format. Every picture that comes
// back must be self-consistent: a pixel block exactly as long as its kind's
// layout says, every byte of it readable.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "runtime/pictures/decode.h"
#include "runtime/pictures/decoders.h"
#include "runtime/pictures/gif.h"

#ifndef PICTURE_FUZZ_FAMILY
#define PICTURE_FUZZ_FAMILY "all"
#endif

namespace {

using runtime::Picture;
using runtime::PictureKind;

constexpr std::string_view kFamily = PICTURE_FUZZ_FAMILY;
// Pictures of up to 16 MB keep each run fast and inside libFuzzer's memory limit.
constexpr uint64_t kFuzzByteLimit = 16u << 20;

void Check(bool condition) {
  if (!condition) std::abort();
}

int32_t DibHeaderField(const Picture& picture, size_t offset) {
  int32_t value;
  std::memcpy(&value, static_cast<const uint8_t*>(picture.pixels) + offset, sizeof value);
  return value;
}

// The byte length each kind's layout implies.
uint64_t ExpectedSize(const Picture& p) {
  uint64_t w = static_cast<uint32_t>(p.width);
  uint64_t h = static_cast<uint32_t>(p.height);
  switch (p.kind) {
    case PictureKind::kJpeg:
    case PictureKind::kBmp:
      return w * h * 3;
    case PictureKind::kPng:
      return w * h * 4;
    case PictureKind::kPcx1:
      return ((w + 7) / 8 + 1) / 2 * 2 * h;
    case PictureKind::kGif: {
      auto frame_w = static_cast<uint64_t>(DibHeaderField(p, 4));
      auto frame_h = static_cast<uint64_t>(-static_cast<int64_t>(DibHeaderField(p, 8)));
      return runtime::kDibPixelsOffset + (frame_w + 3) / 4 * 4 * frame_h;
    }
    case PictureKind::kPcx8:
      // Rows hold at least the width; the exact stride depends on the header.
      Check(static_cast<uint64_t>(p.size) >= runtime::kDibPixelsOffset + (w + 3) / 4 * 4 * h);
      return static_cast<uint64_t>(p.size);
    default:
      return 0;
  }
}

void CheckPicture(const Picture& p) {
  Check(p.width >= 0 && p.height >= 0 && p.size >= 0);
  if (p.kind == PictureKind::kIcon || p.kind == PictureKind::kCursor) {
    Check(p.icon != nullptr && p.pixels == nullptr);
    return;
  }
  Check(p.pixels != nullptr && p.icon == nullptr);
  Check(ExpectedSize(p) == static_cast<uint64_t>(p.size));
  // Touch both ends so the sanitizers see any block shorter than its size.
  if (p.size > 0) {
    const volatile uint8_t* bytes = static_cast<const uint8_t*>(p.pixels);
    (void)bytes[0];
    (void)bytes[p.size - 1];
  }
}

// The picture box walks every frame; so does this, decoding each into a
// buffer of its own size.
class EveryFrame : public runtime::GifBlockVisitor {
 public:
  explicit EveryFrame(runtime::Bytes gif) : gif_(gif) {}
  void OnGraphicControl(const runtime::GifGraphicControl&) override {}
  bool OnImage(const runtime::GifImageDescriptor& image) override {
    size_t pixels = size_t{image.width} * image.height;
    if (pixels > (1u << 22) || ++frames_ > 64) return false;
    buffer_.assign(pixels, 0);
    runtime::DecodeGifImage(gif_, image, buffer_.data(), image.width);
    return true;
  }

 private:
  runtime::Bytes gif_;
  std::vector<uint8_t> buffer_;
  int frames_ = 0;
};

void WalkGif(runtime::Bytes bytes) {
  runtime::GifScreen screen;
  if (!runtime::ReadGifScreen(bytes, &screen)) return;
  EveryFrame frames(bytes);
  runtime::WalkGifBlocks(bytes, screen.blocks_offset, frames);
}

// libpng refuses a chunk whose CRC is wrong, which is what nearly every
// mutation makes; the PNG target mends them so inputs reach the decoding.
std::vector<uint8_t> WithMendedCrcs(runtime::Bytes bytes) {
  std::vector<uint8_t> png(bytes.begin(), bytes.end());
  size_t at = 8;  // after the signature
  while (at + 12 <= png.size()) {
    uint32_t length = (uint32_t{png[at]} << 24) | (uint32_t{png[at + 1]} << 16) |
                      (uint32_t{png[at + 2]} << 8) | png[at + 3];
    if (length > png.size() - at - 12) break;
    uint32_t crc = static_cast<uint32_t>(crc32(0, png.data() + at + 4, length + 4));
    uint8_t* out = png.data() + at + 8 + length;
    out[0] = static_cast<uint8_t>(crc >> 24);
    out[1] = static_cast<uint8_t>(crc >> 16);
    out[2] = static_cast<uint8_t>(crc >> 8);
    out[3] = static_cast<uint8_t>(crc);
    at += 12 + length;
  }
  return png;
}

Picture* DecodeFamily(runtime::Bytes bytes) {
  if (kFamily == "bmp") return runtime::DecodeBmp(bytes);
  if (kFamily == "gif") {
    WalkGif(bytes);
    return runtime::DecodeGif(bytes);
  }
  if (kFamily == "pcx") return runtime::DecodePcx(bytes);
  if (kFamily == "jpeg") return runtime::DecodeJpeg(bytes);
  if (kFamily == "png") {
    std::vector<uint8_t> png = WithMendedCrcs(bytes);
    return runtime::DecodePng({png.data(), png.size()});
  }
  if (kFamily == "icon") return runtime::DecodeIcon(bytes);
  return runtime::DecodePictureBytes(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  runtime::SetPictureByteLimit(kFuzzByteLimit);
  Picture* picture = DecodeFamily({data, size});
  if (picture != nullptr) {
    CheckPicture(*picture);
    runtime::ReleasePicture(picture);
  }
  return 0;
}
