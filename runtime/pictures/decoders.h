// One decoder per format. Each takes the whole picture file and returns a new
// picture in its kind's layout (picture.h), or null: a decoder never reports
// an error, reads outside its input or allocates past the picture byte limit.
#pragma once

#include "runtime/pictures/byte_reader.h"
#include "runtime/pictures/picture.h"

namespace runtime {

// libjpeg. Kind 1. A truncated file still decodes (the missing part is grey
// or repeated, as libjpeg fills it); an empty one does not.
Picture* DecodeJpeg(Bytes bytes);

// Uncompressed BMP with 1, 4, 8, 24 or 32 bits per pixel. Kind 2.
Picture* DecodeBmp(Bytes bytes);

// libpng's simplified interface, blue-green-red-alpha. Kind 8.
Picture* DecodePng(Bytes bytes);

// The first image of a GIF87a or GIF89a file. Kind 5.
Picture* DecodeGif(Bytes bytes);

// 8-bit PCX (kind 6) or 1-bit, one-plane PCX (kind 7), decided by the header.
Picture* DecodePcx(Bytes bytes);

// One image of an icon (kind 3) or cursor (kind 4) file, made into a
// platform icon.
Picture* DecodeIcon(Bytes bytes);

}  // namespace runtime
