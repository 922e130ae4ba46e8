// Icon and cursor files: one image, chosen from the directory, made into a
// platform icon. A 32-pixel entry with 16 colours or more is preferred;
// otherwise the last entry is used.
#include <cstring>
#include <memory>
#include <new>

#include "runtime/pictures/decoders.h"

namespace runtime {

namespace {

constexpr size_t kDirectoryHeaderBytes = 6;
constexpr size_t kEntryBytes = 16;
constexpr DWORD kIconFormatVersion = 0x00030000;
constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr size_t kPngSizeEnd = 24;             // IHDR width and height end here
constexpr size_t kDibFieldsEnd = 16;           // bitmap header width, height, planes, bit count

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// The entry to use: the first 32-pixel entry with at least 16 colours, else
// the last. False when an entry that has to be read lies past the input.
bool ChooseEntry(Bytes bytes, uint16_t count, size_t* entry) {
  for (uint16_t i = 0; i < count; ++i) {
    size_t at = kDirectoryHeaderBytes + size_t{i} * kEntryBytes;
    if (!Fits(bytes, at, kEntryBytes)) return false;
    *entry = at;
    if (bytes[at] == 32 && bytes[at + 2] >= 16) return true;
  }
  return true;
}

struct ImageSize {
  int32_t width;   // asked of the platform and kept in the picture
  int32_t height;  // half the bitmap header's height (image and mask)
  uint16_t bits;   // bit count; 0 for a PNG image
};

// The size the image's own header gives. A PNG image keeps its size in its
// IHDR chunk, where a bitmap header's fields would be signature bytes.
bool ReadImageSize(Bytes image, ImageSize* size) {
  if (image.size() >= sizeof kPngSignature &&
      std::memcmp(image.data(), kPngSignature, sizeof kPngSignature) == 0) {
    if (image.size() < kPngSizeEnd) return false;
    *size = {static_cast<int32_t>(BigEndian32(image.data() + 16)),
             static_cast<int32_t>(BigEndian32(image.data() + 20)), 0};
    return true;
  }
  if (image.size() < kDibFieldsEnd) return false;
  *size = {static_cast<int32_t>(U32At(image.data() + 4)),
           static_cast<int32_t>(U32At(image.data() + 8)) / 2, U16At(image.data() + 14)};
  return true;
}

// Asks for the header's size first; when that fails, once more at the
// platform's default size, except for 16-bit images.
HICON MakeIcon(Bytes image, const ImageSize& size) {
  // The platform takes the bytes as writable, so they are copied.
  std::unique_ptr<BYTE[]> copy(new (std::nothrow) BYTE[image.size()]());
  if (copy == nullptr) return nullptr;
  std::memcpy(copy.get(), image.data(), image.size());
  auto bytes = static_cast<DWORD>(image.size());
  HICON icon = CreateIconFromResourceEx(copy.get(), bytes, TRUE, kIconFormatVersion, size.width,
                                        size.height, LR_DEFAULTCOLOR);
  if (icon == nullptr && size.bits != 16) {
    icon = CreateIconFromResourceEx(copy.get(), bytes, TRUE, kIconFormatVersion, 0, 0,
                                    LR_DEFAULTCOLOR | LR_DEFAULTSIZE);
  }
  return icon;
}

}  // namespace

Picture* DecodeIcon(Bytes bytes) {
  if (bytes.size() < kDirectoryHeaderBytes) return nullptr;
  uint16_t type = U16At(bytes.data() + 2);
  uint16_t count = U16At(bytes.data() + 4);
  if (U16At(bytes.data()) != 0 || (type != 1 && type != 2) || count == 0) return nullptr;
  size_t entry = 0;
  if (!ChooseEntry(bytes, count, &entry)) return nullptr;
  uint32_t image_size = U32At(bytes.data() + entry + 8);
  uint32_t image_offset = U32At(bytes.data() + entry + 12);
  if (!Fits(bytes, image_offset, image_size)) return nullptr;
  Bytes image = bytes.subspan(image_offset, image_size);
  ImageSize size;
  if (!ReadImageSize(image, &size)) return nullptr;
  HICON icon = MakeIcon(image, size);
  if (icon == nullptr) return nullptr;
  return NewIconPicture(type == 1 ? PictureKind::kIcon : PictureKind::kCursor, size.width,
                        size.height, icon);
}

}  // namespace runtime
