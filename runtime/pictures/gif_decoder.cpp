// The first image of a GIF as a kind 5 DIB record. The picture's size is the
// logical screen's; the record's is the frame's.
#include "runtime/pictures/decoders.h"
#include "runtime/pictures/gif.h"

namespace runtime {

namespace {

// Stops at the first image. Graphic-control data is read and not applied:
// transparent pixels show their table colour.
class FirstImage : public GifBlockVisitor {
 public:
  void OnGraphicControl(const GifGraphicControl&) override {}
  bool OnImage(const GifImageDescriptor& image) override {
    image_ = image;
    return false;
  }
  const GifImageDescriptor& image() const { return image_; }

 private:
  GifImageDescriptor image_{};
};

void FillColourEntries(Bytes table, void* dib) {
  size_t entries = table.size() / kGifColourEntryBytes;
  for (size_t i = 0; i < entries; ++i) {
    const uint8_t* rgb = table.data() + i * kGifColourEntryBytes;
    uint8_t* entry = DibColourEntry(dib, i);
    entry[0] = rgb[2];
    entry[1] = rgb[1];
    entry[2] = rgb[0];
  }
}

}  // namespace

Picture* DecodeGifFrame(Bytes gif, const GifScreen& screen, const GifImageDescriptor& image) {
  size_t stride = image.width == 0 ? 0 : ((image.width - 1u) | 3u) + 1;
  Picture* picture = NewPicture(PictureKind::kGif, screen.width, screen.height,
                                kDibPixelsOffset + uint64_t{stride} * image.height);
  if (picture == nullptr) return nullptr;
  WriteDibHeader(picture->pixels, {image.width, -static_cast<int32_t>(image.height), 1, 256, 256});
  FillColourEntries(image.local_table.empty() ? screen.global_table : image.local_table,
                    picture->pixels);
  auto* indices = static_cast<uint8_t*>(picture->pixels) + kDibPixelsOffset;
  if (!DecodeGifImage(gif, image, indices, stride)) {
    ReleasePicture(picture);
    return nullptr;
  }
  return picture;
}

Picture* DecodeGif(Bytes bytes) {
  GifScreen screen;
  if (!ReadGifScreen(bytes, &screen)) return nullptr;
  FirstImage first;
  if (WalkGifBlocks(bytes, screen.blocks_offset, first) != GifWalkEnd::kStopped) return nullptr;
  return DecodeGifFrame(bytes, screen, first.image());
}

}  // namespace runtime
