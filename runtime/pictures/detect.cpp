#include "runtime/pictures/detect.h"

#include <cstring>

namespace runtime {

namespace {

// An icon directory (type 1) or a cursor directory (type 2) with entries.
bool IsDirectory(const uint8_t* head, uint16_t type) {
  return U16At(head) == 0 && U16At(head + 2) == type && U16At(head + 4) > 0;
}

bool IsGif(const uint8_t* head) {
  return std::memcmp(head, "GIF8", 4) == 0 && (head[4] == '7' || head[4] == '9') && head[5] == 'a';
}

}  // namespace

PictureKind DetectPictureKind(Bytes bytes) {
  if (bytes.size() < kDetectionBytes) return PictureKind::kNone;
  const uint8_t* head = bytes.data();
  // The order matters: the first test that matches decides.
  if (head[0] == 'B' && head[1] == 'M') return PictureKind::kBmp;
  if (head[0] == 0xFF && head[1] == 0xD8) return PictureKind::kJpeg;
  if (head[0] == 0x89 && head[1] == 'P' && head[2] == 'N' && head[3] == 'G') {
    return PictureKind::kPng;
  }
  if (IsDirectory(head, 1)) return PictureKind::kIcon;
  if (IsDirectory(head, 2)) return PictureKind::kCursor;
  if (IsGif(head)) return PictureKind::kGif;
  if (head[0] == 0x0A && head[1] <= 5 && head[2] == 0x01 && head[3] == 0x08) {
    return PictureKind::kPcx8;
  }
  if (head[0] == 0x0A && head[1] == 0x03 && head[2] == 0x01 && head[3] == 0x01) {
    return PictureKind::kPcx1;
  }
  return PictureKind::kNone;
}

}  // namespace runtime
