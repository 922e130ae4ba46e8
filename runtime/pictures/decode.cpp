#include "runtime/pictures/decode.h"

#include "runtime/pictures/decoders.h"
#include "runtime/pictures/detect.h"
#include "runtime/pictures/picture_file.h"

namespace runtime {

Picture* DecodePictureBytes(Bytes bytes) {
  switch (DetectPictureKind(bytes)) {
    case PictureKind::kJpeg:
      return DecodeJpeg(bytes);
    case PictureKind::kBmp:
      return DecodeBmp(bytes);
    case PictureKind::kIcon:
    case PictureKind::kCursor:
      return DecodeIcon(bytes);
    case PictureKind::kGif:
      return DecodeGif(bytes);
    case PictureKind::kPcx8:
    case PictureKind::kPcx1:
      return DecodePcx(bytes);
    case PictureKind::kPng:
      return DecodePng(bytes);
    case PictureKind::kNone:
      break;
  }
  return nullptr;
}

Picture* DecodePictureFile(const char* name) {
  PictureFileBytes file;
  if (!ReadPictureFile(name, &file)) return nullptr;
  return DecodePictureBytes(file.bytes());
}

}  // namespace runtime
