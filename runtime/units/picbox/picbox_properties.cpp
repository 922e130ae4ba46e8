// The picture box's own properties (index - 8), its stored record, and
// showing the Picture bytes.
#include <algorithm>
#include <cstring>
#include <string>

#include "runtime/pictures/decode.h"
#include "runtime/pictures/detect.h"
#include "runtime/units/picbox/display_mode.h"
#include "runtime/units/picbox/picbox_paint.h"
#include "runtime/units/picbox/picbox_schema.h"
#include "runtime/units/picbox/picbox_unit.h"

namespace runtime::units::picbox {

namespace {

using forms::PropertyPair;

void Invalidate(const PicBoxUnit& unit) { InvalidateRect(unit.window, nullptr, FALSE); }

std::string BytesOf(const PropertyPair& pair) {
  if (pair.address == nullptr || pair.second == 0) return {};
  return std::string(static_cast<const char*>(pair.address), pair.second);
}

std::string TextOf(const PropertyPair& pair) {
  return pair.address != nullptr ? static_cast<const char*>(pair.address) : "";
}

bool ShowsGif(const PicBoxUnit& unit) {
  return DetectPictureKind(unit.record.Bytes(kPicture)) == PictureKind::kGif;
}

void SetDisplayMode(PicBoxUnit& unit, int32_t mode) {
  mode = ClampDisplayMode(mode);
  if (mode == unit.record.Int(kDisplayMode)) return;
  unit.record.SetInt(kDisplayMode, mode);
  UpdateAnimationView(unit);
  Invalidate(unit);
  UpdateWindow(unit.window);
}

// The stored flag and the effective one stay equal, whatever the picture
// is; only a GIF needs showing again to start or stop playing.
void SetPlayAnimation(PicBoxUnit& unit, bool play) {
  unit.record.SetInt(kPlayAnimation, play ? 1 : 0);
  unit.play = play;
  if (!ShowsGif(unit)) return;
  unit.keep_shown_frame = play;
  ShowPicture(unit);
}

// No data source can be bound in this runtime: binding to one finds no
// current record, and the picture it would supply is empty.
void SetBinding(PicBoxUnit& unit, size_t field, std::string name) {
  unit.record.SetText(field, std::move(name));
  unit.record.SetText(kPicture, std::string());
  ShowPicture(unit);
}

}  // namespace

void GetPicBoxProperty(void* object, int32_t index, PropertyPair* pair) {
  const auto& unit = *static_cast<const PicBoxUnit*>(object);
  const forms::RecordValues& record = unit.record;
  switch (index) {
    case kBorderIndex:
      pair->first = static_cast<uint32_t>(record.Int(kBorder));
      break;
    case kBackColorIndex:
      pair->first = static_cast<uint32_t>(record.Int(kBackColor));
      break;
    case kPictureIndex: {
      const std::string& bytes = record.Text(kPicture);
      pair->address = bytes.empty() ? nullptr : bytes.data();
      pair->second = static_cast<uint32_t>(bytes.size());
      break;
    }
    case kDisplayModeIndex:
      pair->first = static_cast<uint32_t>(record.Int(kDisplayMode));
      break;
    case kPlayAnimationIndex:
      pair->first = record.Int(kPlayAnimation) != 0 ? 1 : 0;
      break;
    case kDataSourceIndex:
      pair->address = record.Text(kDataSource).c_str();
      break;
    case kDataFieldIndex:
      pair->address = record.Text(kDataField).c_str();
      break;
    default:
      break;
  }
}

int32_t SetPicBoxProperty(void* object, int32_t index, const PropertyPair* pair, int32_t) {
  auto& unit = *static_cast<PicBoxUnit*>(object);
  const auto value = static_cast<int32_t>(pair->first);
  switch (index) {
    case kBorderIndex:
      unit.record.SetInt(kBorder, std::clamp(value, 0, kLastBorder));
      ApplyBorder(unit.window, unit.record.Int(kBorder));
      UpdateAnimationView(unit);
      break;
    case kBackColorIndex:
      unit.record.SetInt(kBackColor, value);
      MakeBackground(unit);
      Invalidate(unit);
      break;
    case kPictureIndex:
      unit.record.SetText(kPicture, BytesOf(*pair));
      ShowPicture(unit);
      break;
    case kDisplayModeIndex:
      SetDisplayMode(unit, value);
      break;
    case kPlayAnimationIndex:
      SetPlayAnimation(unit, value != 0);
      break;
    case kDataSourceIndex:
      SetBinding(unit, kDataSource, TextOf(*pair));
      break;
    case kDataFieldIndex:
      SetBinding(unit, kDataField, TextOf(*pair));
      break;
    default:
      break;
  }
  return 0;  // nothing the box shows needs a new window
}

HGLOBAL SavePicBoxProperties(void* object) {
  const auto& unit = *static_cast<const PicBoxUnit*>(object);
  const std::string record = forms::WriteRecord(unit.record);
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, record.size());
  if (block == nullptr) return nullptr;
  std::memcpy(GlobalLock(block), record.data(), record.size());
  GlobalUnlock(block);
  return block;
}

void ShowPicture(PicBoxUnit& unit) {
  unit.animation.reset();  // stops and joins the thread first
  ReleasePicture(unit.picture);
  unit.picture = nullptr;
  const std::span<const uint8_t> bytes = unit.record.Bytes(kPicture);
  if (!bytes.empty()) {
    if (unit.play && DetectPictureKind(bytes) == PictureKind::kGif) {
      unit.animation = GifAnimation::Create(unit.window, bytes);
      UpdateAnimationView(unit);
    } else {
      unit.picture = DecodePictureBytes(bytes);
    }
  }
  Invalidate(unit);
}

}  // namespace runtime::units::picbox
