#include "runtime/pictures/load_picture.h"

#include "runtime/core/byte_set.h"
#include "runtime/pictures/decode.h"
#include "runtime/pictures/picture_list.h"

namespace runtime {

namespace {

Picture* DecodeArgument(const ValueRecord& arg) {
  if (arg.type == type::kByteSet) {
    Bytes bytes = ByteSetBytes(arg.AsPointer());
    return bytes.empty() ? nullptr : DecodePictureBytes(bytes);
  }
  if (arg.type == type::kText) {
    const char* name = arg.AsText();
    return name == nullptr || *name == '\0' ? nullptr : DecodePictureFile(name);
  }
  return nullptr;
}

}  // namespace

void LoadPicture(ValueRecord* result, int32_t count, ArgumentRecord* args) {
  result->SetInt32(0);
  Picture* picture = DecodeArgument(ArgumentAt(count, args, 0));
  if (picture == nullptr) return;
  int32_t handle = RuntimePictures().Add(picture);
  if (handle == 0) ReleasePicture(picture);
  result->SetInt32(handle);
}

}  // namespace runtime
