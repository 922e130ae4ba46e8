// Decoding a picture byte set or a picture file: detection, then the decoder
// of the kind it names. Units use these for their stored pictures; the
// LoadPicture command for what the application hands it.
#pragma once

#include "runtime/pictures/byte_reader.h"
#include "runtime/pictures/picture.h"

namespace runtime {

// The picture the bytes hold, or null for an unknown format or a failed
// decode. The caller owns the picture (ReleasePicture).
Picture* DecodePictureBytes(Bytes bytes);

// The picture in the file `name` (GBK), or null when the file cannot be
// opened or read, or its bytes do not decode. The file is opened for reading
// with writes by others denied while it is read.
Picture* DecodePictureFile(const char* name);

}  // namespace runtime
