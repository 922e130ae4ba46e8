#include "runtime/units/picbox/gif_frames.h"

#include "runtime/pictures/paint_picture.h"

namespace runtime::units::picbox {

namespace {

// Stops at the next image, with the graphic control met on the way: a
// graphic control belongs to the image that follows it, so an image without
// one gets none (no disposal, no transparency, delay 0).
class NextImage : public GifBlockVisitor {
 public:
  void OnGraphicControl(const GifGraphicControl& control) override { control_ = control; }
  bool OnImage(const GifImageDescriptor& image) override {
    image_ = image;
    return false;
  }
  const GifImageDescriptor& image() const { return image_; }
  const GifGraphicControl& control() const { return control_; }

 private:
  GifImageDescriptor image_{};
  GifGraphicControl control_{};
};

bool RestoresArea(uint8_t disposal) {
  return disposal == kDisposeToBackground || disposal == kDisposeToPrevious;
}

}  // namespace

GifFrames::~GifFrames() { ReleaseSaved(); }

bool GifFrames::Load(Bytes gif) {
  bytes_.assign(gif.begin(), gif.end());
  if (!ReadGifScreen(bytes_, &screen_) || screen_.width == 0 || screen_.height == 0) return false;
  NextImage first;
  if (WalkGifBlocks(bytes_, screen_.blocks_offset, first) != GifWalkEnd::kStopped) return false;
  Rewind();
  return true;
}

void GifFrames::Rewind() {
  position_ = screen_.blocks_offset;
  restore_pending_ = false;
}

DWORD GifFrames::ComposeNext(HDC canvas, COLORREF background) {
  if (restore_pending_) {
    RestoreArea(canvas);
    restore_pending_ = false;
  }
  Frame frame;
  if (!NextFrame(&frame)) return kDefaultFrameDelayMs;
  if (RestoresArea(frame.control.disposal)) restore_pending_ = SaveArea(canvas, frame.image);
  DrawFrame(canvas, frame, background);
  return frame.control.delay == 0 ? kDefaultFrameDelayMs : DWORD{frame.control.delay} * 10;
}

bool GifFrames::NextFrame(Frame* frame) {
  // A second try from the first block: after the trailer (or a damaged
  // tail) the animation starts again.
  for (int attempt = 0; attempt < 2; ++attempt) {
    NextImage next;
    if (WalkGifBlocks(bytes_, position_, next) == GifWalkEnd::kStopped) {
      // A data chain running past the input ends the frame early; the walk
      // then finds the end of the input and starts again.
      size_t end = bytes_.size();
      const size_t data = next.image().data_offset;
      if (data < bytes_.size()) SkipGifSubBlocks(bytes_, data + 1, &end);
      position_ = end;
      *frame = {next.image(), next.control()};
      return true;
    }
    position_ = screen_.blocks_offset;
  }
  return false;
}

void GifFrames::DrawFrame(HDC canvas, const Frame& frame, COLORREF background) {
  Picture* picture = DecodeGifFrame(bytes_, screen_, frame.image);
  if (picture == nullptr) return;
  // The frame alone, at its own place: not the logical screen with the
  // frame in its corner, as a still GIF is drawn.
  picture->width = frame.image.width;
  picture->height = frame.image.height;
  const int32_t x = frame.image.left;
  const int32_t y = frame.image.top;
  if (frame.control.transparent) {
    const uint8_t* entry = DibColourEntry(picture->pixels, frame.control.transparent_index);
    const COLORREF transparent = RGB(entry[2], entry[1], entry[0]);
    PaintPictureTransparent(*picture, canvas, x, y, -1, -1, transparent, background);
  } else {
    PaintPicture(*picture, canvas, x, y, -1, -1, SRCCOPY, background);
  }
  ReleasePicture(picture);
}

bool GifFrames::SaveArea(HDC canvas, const GifImageDescriptor& image) {
  if (image.width == 0 || image.height == 0) return false;
  if (saved_width_ != image.width || saved_height_ != image.height) {
    ReleaseSaved();
    saved_dc_ = CreateCompatibleDC(canvas);
    saved_bitmap_ = CreateCompatibleBitmap(canvas, image.width, image.height);
    if (saved_dc_ == nullptr || saved_bitmap_ == nullptr) {
      ReleaseSaved();
      return false;
    }
    saved_previous_ = SelectObject(saved_dc_, saved_bitmap_);
    saved_width_ = image.width;
    saved_height_ = image.height;
  }
  BitBlt(saved_dc_, 0, 0, saved_width_, saved_height_, canvas, image.left, image.top, SRCCOPY);
  restore_at_ = {image.left, image.top};
  return true;
}

void GifFrames::RestoreArea(HDC canvas) {
  if (saved_dc_ == nullptr) return;
  BitBlt(canvas, restore_at_.x, restore_at_.y, saved_width_, saved_height_, saved_dc_, 0, 0,
         SRCCOPY);
}

void GifFrames::ReleaseSaved() {
  if (saved_dc_ != nullptr) {
    if (saved_previous_ != nullptr) SelectObject(saved_dc_, saved_previous_);
    DeleteDC(saved_dc_);
  }
  if (saved_bitmap_ != nullptr) DeleteObject(saved_bitmap_);
  saved_dc_ = nullptr;
  saved_bitmap_ = nullptr;
  saved_previous_ = nullptr;
  saved_width_ = saved_height_ = 0;
}

}  // namespace runtime::units::picbox
