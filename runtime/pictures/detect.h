// Format detection: a picture's kind from its first 8 bytes, whatever its
// file name says. The picture box runs this itself to find GIFs it animates.
#pragma once

#include "runtime/pictures/byte_reader.h"
#include "runtime/pictures/picture.h"

namespace runtime {

inline constexpr size_t kDetectionBytes = 8;

// The kind the leading bytes announce, or kNone for fewer than 8 bytes and
// for anything unknown. PCX kinds are only a first guess: the PCX decoder
// decides again from the whole header.
PictureKind DetectPictureKind(Bytes bytes);

}  // namespace runtime
