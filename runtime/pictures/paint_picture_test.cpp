// Pictures drawn onto a 32-bit memory DC, read back pixel by pixel.
#include "runtime/pictures/paint_picture.h"

#include <gtest/gtest.h>

#include <cstring>

#include "runtime/pictures/drawable.h"
#include "runtime/pictures/test_support.h"

namespace runtime {
namespace {

using testing_pictures::PicturePtr;

constexpr uint32_t kGrey = 0x808080;

// A top-down 32-bit target whose pixels the test reads as 0x00RRGGBB.
class Target {
 public:
  Target(int width, int height) : width_(width) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) bits_[i] = kGrey;
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~Target() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  HDC dc() const { return dc_; }
  uint32_t at(int x, int y) const { return bits_[y * width_ + x] & 0xFFFFFF; }

 private:
  int width_;
  HBITMAP bitmap_;
  uint32_t* bits_;
  HDC dc_;
  HGDIOBJ old_;
};

// Kind 1: unpadded bottom-up BGR; `rows` are given top-down as 0xRRGGBB.
PicturePtr BgrPicture(int width, int height, const std::vector<uint32_t>& rows) {
  PicturePtr picture(NewPicture(PictureKind::kJpeg, width, height, uint64_t(width) * height * 3));
  auto* out = static_cast<uint8_t*>(picture->pixels);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t rgb = rows[size_t(y * width + x)];
      uint8_t* p = out + (size_t(height - 1 - y) * width + x) * 3;
      p[0] = uint8_t(rgb);
      p[1] = uint8_t(rgb >> 8);
      p[2] = uint8_t(rgb >> 16);
    }
  }
  return picture;
}

TEST(PaintPicture, UnpaddedBgrRowsLandTopDownAtTheirPlace) {
  Target target(8, 8);
  // Three pixels a row: the rows need padding to become a DIB.
  PicturePtr picture = BgrPicture(3, 2,
                                  {0xFF0000, 0x00FF00, 0x0000FF,  //
                                   0x112233, 0x445566, 0x778899});
  PaintPicture(*picture, target.dc(), 2, 1, -1, -1, SRCCOPY, RGB(255, 255, 255));
  EXPECT_EQ(target.at(2, 1), 0xFF0000u);
  EXPECT_EQ(target.at(4, 1), 0x0000FFu);
  EXPECT_EQ(target.at(3, 2), 0x445566u);
  EXPECT_EQ(target.at(4, 2), 0x778899u);
  EXPECT_EQ(target.at(5, 1), kGrey) << "nothing drawn beyond the picture";
  EXPECT_EQ(target.at(2, 3), kGrey);

  // Four pixels a row need no padding and are drawn straight from the block.
  picture = BgrPicture(4, 2, {1, 2, 3, 4, 5, 6, 7, 8});
  PaintPicture(*picture, target.dc(), 4, 6, -1, -1, SRCCOPY, RGB(255, 255, 255));
  EXPECT_EQ(target.at(4, 6), 1u);
  EXPECT_EQ(target.at(7, 6), 4u);
  EXPECT_EQ(target.at(5, 7), 6u);
  EXPECT_EQ(target.at(7, 7), 8u);
}

TEST(PaintPicture, StretchesToTheSizeAsked) {
  Target target(8, 8);
  PicturePtr picture = BgrPicture(2, 1, {0xFF0000, 0x0000FF});
  PaintPicture(*picture, target.dc(), 0, 0, 4, 2, SRCCOPY, RGB(255, 255, 255));
  EXPECT_EQ(target.at(0, 0), 0xFF0000u);
  EXPECT_EQ(target.at(0, 1), 0xFF0000u);
  EXPECT_EQ(target.at(3, 1), 0x0000FFu);
  EXPECT_EQ(target.at(4, 0), kGrey);
}

TEST(PaintPicture, RasterOperationCombinesWithTheTarget) {
  Target target(4, 4);
  PicturePtr picture = BgrPicture(1, 1, {0x0F0F0F});
  PaintPicture(*picture, target.dc(), 0, 0, -1, -1, SRCINVERT, RGB(255, 255, 255));
  EXPECT_EQ(target.at(0, 0), 0x0F0F0Fu ^ kGrey);
}

TEST(PaintPicture, TransparentColourLeavesTheTargetAlone) {
  Target target(6, 2);
  PicturePtr picture = BgrPicture(3, 1, {0x00FF00, 0x123456, 0x00FF00});
  SetTextColor(target.dc(), RGB(1, 2, 3));
  SetBkColor(target.dc(), RGB(4, 5, 6));
  PaintPicture(*picture, target.dc(), 0, 0, 6, 2, -int64_t{RGB(0, 255, 0)}, RGB(255, 255, 255));
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(target.at(0, y), kGrey);
    EXPECT_EQ(target.at(1, y), kGrey);
    EXPECT_EQ(target.at(2, y), 0x123456u);
    EXPECT_EQ(target.at(3, y), 0x123456u);
    EXPECT_EQ(target.at(5, y), kGrey);
  }
  EXPECT_EQ(GetTextColor(target.dc()), RGB(1, 2, 3)) << "colours put back afterwards";
  EXPECT_EQ(GetBkColor(target.dc()), RGB(4, 5, 6));
}

TEST(PaintPicture, PngAlphaBlendsWithTheBackgroundRoundingDown) {
  Target target(4, 1);
  PicturePtr picture(NewPicture(PictureKind::kPng, 3, 1, 12));
  const uint8_t pixels[12] = {0,   0,   255, 128,  // red, half transparent
                              10,  20,  30,  255,  // opaque: kept as it is
                              200, 100, 50,  0};   // fully transparent
  std::memcpy(picture->pixels, pixels, sizeof pixels);
  PaintPicture(*picture, target.dc(), 0, 0, -1, -1, SRCCOPY, RGB(255, 255, 255));
  EXPECT_EQ(target.at(0, 0), 0xFF7F7Fu) << "red 255, green 127, blue 127";
  EXPECT_EQ(target.at(1, 0), 0x1E140Au);
  EXPECT_EQ(target.at(2, 0), 0xFFFFFFu);
}

TEST(PaintPicture, BlendChannelIsTheExactValueRoundedDown) {
  EXPECT_EQ(BlendChannel(255, 255, 128), 255);
  EXPECT_EQ(BlendChannel(0, 255, 128), 127);
  EXPECT_EQ(BlendChannel(0, 255, 127), 128);
  EXPECT_EQ(BlendChannel(200, 0, 0), 0);
  EXPECT_EQ(BlendChannel(200, 0, 255), 200);
}

TEST(PaintPicture, GifFrameGoesTopLeftAndTheRestIsBlack) {
  Target target(4, 3);
  // Logical screen 3 x 2, frame 1 x 1 of index 1 (blue).
  PicturePtr picture(NewPicture(PictureKind::kGif, 3, 2, kDibPixelsOffset + 4));
  WriteDibHeader(picture->pixels, {1, -1, 1, 256, 256});
  DibColourEntry(picture->pixels, 1)[0] = 255;
  static_cast<uint8_t*>(picture->pixels)[kDibPixelsOffset] = 1;
  PaintPicture(*picture, target.dc(), 0, 0, -1, -1, SRCCOPY, RGB(255, 255, 255));
  EXPECT_EQ(target.at(0, 0), 0x0000FFu);
  EXPECT_EQ(target.at(2, 1), 0u);
  EXPECT_EQ(target.at(3, 0), kGrey);
}

TEST(PaintPicture, MonochromePcxTakesTheTargetsTextAndBackgroundColours) {
  Target target(10, 1);
  // Rows of ceil(10 / 8) = 2 bytes: bits 1 0 then 1 at x = 9.
  PicturePtr picture(NewPicture(PictureKind::kPcx1, 10, 1, 2));
  static_cast<uint8_t*>(picture->pixels)[0] = 0x80;
  static_cast<uint8_t*>(picture->pixels)[1] = 0x40;
  SetTextColor(target.dc(), RGB(255, 0, 0));
  SetBkColor(target.dc(), RGB(0, 0, 255));
  PaintPicture(*picture, target.dc(), 0, 0, -1, -1, SRCCOPY, RGB(255, 255, 255));
  EXPECT_EQ(target.at(0, 0), 0x0000FFu) << "1 bits: background colour";
  EXPECT_EQ(target.at(1, 0), 0xFF0000u) << "0 bits: text colour";
  EXPECT_EQ(target.at(9, 0), 0x0000FFu);
}

TEST(PaintPicture, NothingToDrawDrawsNothing) {
  Target target(2, 2);
  PicturePtr picture(NewPicture(PictureKind::kJpeg, 1, 1, 3));
  picture->width = 0;
  PaintPicture(*picture, target.dc(), 0, 0, -1, -1, SRCCOPY, RGB(255, 255, 255));
  EXPECT_EQ(target.at(0, 0), kGrey);
}

}  // namespace
}  // namespace runtime
