#include "runtime/pictures/detect.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace runtime {
namespace {

PictureKind Detect(std::vector<uint8_t> head) {
  return DetectPictureKind({head.data(), head.size()});
}

std::vector<uint8_t> Padded(std::string head) {
  std::vector<uint8_t> bytes(head.begin(), head.end());
  bytes.resize(8, 0x55);
  return bytes;
}

TEST(DetectPictureKind, EachFormatByItsLeadingBytes) {
  EXPECT_EQ(Detect(Padded("BM")), PictureKind::kBmp);
  EXPECT_EQ(Detect(Padded("\xFF\xD8")), PictureKind::kJpeg);
  EXPECT_EQ(Detect(Padded("\x89PNG")), PictureKind::kPng);
  EXPECT_EQ(Detect({0, 0, 1, 0, 3, 0, 9, 9}), PictureKind::kIcon);
  EXPECT_EQ(Detect({0, 0, 2, 0, 1, 0, 9, 9}), PictureKind::kCursor);
  EXPECT_EQ(Detect(Padded("GIF87a")), PictureKind::kGif);
  EXPECT_EQ(Detect(Padded("GIF89a")), PictureKind::kGif);
  EXPECT_EQ(Detect({0x0A, 5, 1, 8, 0, 0, 0, 0}), PictureKind::kPcx8);
  EXPECT_EQ(Detect({0x0A, 0, 1, 8, 0, 0, 0, 0}), PictureKind::kPcx8);
  EXPECT_EQ(Detect({0x0A, 3, 1, 1, 0, 0, 0, 0}), PictureKind::kPcx1);
}

TEST(DetectPictureKind, NearMissesAreUnknown) {
  EXPECT_EQ(Detect(Padded("GIF88a")), PictureKind::kNone);
  EXPECT_EQ(Detect(Padded("GIF87b")), PictureKind::kNone);
  EXPECT_EQ(Detect(Padded("\x89PNX")), PictureKind::kNone);
  EXPECT_EQ(Detect({0, 0, 1, 0, 0, 0, 9, 9}), PictureKind::kNone) << "an icon with no entries";
  EXPECT_EQ(Detect({0, 0, 3, 0, 1, 0, 9, 9}), PictureKind::kNone) << "directory type 3";
  EXPECT_EQ(Detect({1, 0, 1, 0, 1, 0, 9, 9}), PictureKind::kNone) << "reserved word not 0";
  EXPECT_EQ(Detect({0x0A, 6, 1, 8, 0, 0, 0, 0}), PictureKind::kNone) << "PCX version 6";
  EXPECT_EQ(Detect({0x0A, 5, 1, 1, 0, 0, 0, 0}), PictureKind::kNone)
      << "1-bit PCX other than version 3";
  EXPECT_EQ(Detect({0x0A, 3, 0, 8, 0, 0, 0, 0}), PictureKind::kNone)
      << "PCX without run-length coding";
  EXPECT_EQ(Detect({0x0A, 3, 1, 4, 0, 0, 0, 0}), PictureKind::kNone) << "4-bit PCX";
  EXPECT_EQ(Detect(Padded("")), PictureKind::kNone);
}

TEST(DetectPictureKind, FewerThanEightBytesAreUnknownWhateverTheyStartWith) {
  EXPECT_EQ(Detect({'B', 'M', 1, 2, 3, 4, 5}), PictureKind::kNone);
  EXPECT_EQ(Detect({0xFF, 0xD8}), PictureKind::kNone);
  EXPECT_EQ(Detect({}), PictureKind::kNone);
}

TEST(DetectPictureKind, TheFirstMatchingTestDecides) {
  // "BM" wins over anything that follows; an icon header with a count
  // wins over the PCX tests it could never meet.
  EXPECT_EQ(Detect({'B', 'M', 0x89, 'P', 'N', 'G', 0, 0}), PictureKind::kBmp);
  EXPECT_EQ(Detect({0, 0, 1, 0, 0xFF, 0xFF, 0, 0}), PictureKind::kIcon);
}

}  // namespace
}  // namespace runtime
