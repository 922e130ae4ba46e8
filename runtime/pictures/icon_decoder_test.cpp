#include <gtest/gtest.h>

#include <vector>

#include "runtime/pictures/decoders.h"
#include "runtime/pictures/test_support.h"

namespace runtime {
namespace {

using namespace testing_pictures;

// A square 32-bit icon image: bitmap header (height doubled), pixels, mask.
std::vector<uint8_t> DibImage(int size, uint32_t compression = 0) {
  std::vector<uint8_t> image(40, 0);
  PutU32(image, 0, 40);
  PutU32(image, 4, static_cast<uint32_t>(size));
  PutU32(image, 8, static_cast<uint32_t>(size * 2));
  PutU16(image, 12, 1);
  PutU16(image, 14, 32);
  PutU32(image, 16, compression);
  size_t mask_row = static_cast<size_t>((size + 31) / 32 * 4);
  image.resize(40 + static_cast<size_t>(size * size) * 4 + mask_row * static_cast<size_t>(size),
               0x80);
  return image;
}

struct Entry {
  uint8_t width_byte;
  uint8_t colours_byte;
  std::vector<uint8_t> image;
};

std::vector<uint8_t> IconFile(uint16_t type, const std::vector<Entry>& entries) {
  std::vector<uint8_t> out;
  PutU16(out, 0, 0);
  PutU16(out, 2, type);
  PutU16(out, 4, static_cast<uint16_t>(entries.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    size_t at = 6 + 16 * i;
    out.resize(at + 16, 0);
    out[at] = out[at + 1] = entries[i].width_byte;
    out[at + 2] = entries[i].colours_byte;
    PutU32(out, at + 8, static_cast<uint32_t>(entries[i].image.size()));
    PutU32(out, at + 12, offset);
    offset += static_cast<uint32_t>(entries[i].image.size());
  }
  for (const Entry& entry : entries) out.insert(out.end(), entry.image.begin(), entry.image.end());
  return out;
}

PicturePtr Decode(const std::vector<uint8_t>& bytes) {
  return PicturePtr(DecodeIcon(AsBytes(bytes)));
}

TEST(IconDecoder, IconAndCursorFilesBecomePlatformIcons) {
  PicturePtr icon = Decode(TestFile("icon_16_only.ico"));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->kind, PictureKind::kIcon);
  EXPECT_EQ(icon->width, 16);
  EXPECT_EQ(icon->height, 16);
  EXPECT_NE(icon->icon, nullptr);
  EXPECT_EQ(icon->pixels, nullptr);
  EXPECT_EQ(icon->size, 0);

  PicturePtr cursor = Decode(TestFile("cursor_32.cur"));
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor->kind, PictureKind::kCursor);
  EXPECT_EQ(cursor->width, 32);
  EXPECT_EQ(cursor->height, 32);
  EXPECT_NE(cursor->icon, nullptr);
}

TEST(IconDecoder, ThirtyTwoPixelEntryWithSixteenColoursOrMoreIsChosen) {
  PicturePtr mixed = Decode(TestFile("icon_mixed.ico"));
  ASSERT_NE(mixed, nullptr);
  EXPECT_EQ(mixed->width, 32) << "not the last (48-pixel) entry";

  // Only 16-pixel entries: the last is used (its image says 20 pixels).
  PicturePtr last = Decode(IconFile(1, {{16, 16, DibImage(16)}, {16, 16, DibImage(20)}}));
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->width, 20);

  // A 32-pixel entry with a colour count byte of 0 (256 colours or more) does
  // not count; one with 8 colours neither.
  for (uint8_t colours : {0, 8}) {
    PicturePtr p = Decode(IconFile(1, {{32, colours, DibImage(32)}, {16, 16, DibImage(16)}}));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->width, 16) << "colour count " << int(colours);
  }
}

TEST(IconDecoder, PngImageKeepsItsOwnSize) {
  PicturePtr picture = Decode(TestFile("icon_png.ico"));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->width, 24);
  EXPECT_EQ(picture->height, 24);
}

TEST(IconDecoder, ReleaseDestroysTheIcon) {
  Picture* picture = DecodeIcon(AsBytes(TestFile("icon_mixed.ico")));
  ASSERT_NE(picture, nullptr);
  HICON icon = picture->icon;
  ReleasePicture(picture);
  EXPECT_FALSE(DestroyIcon(icon)) << "already destroyed";
}

TEST(IconDecoder, DirectoryAndImageChecks) {
  std::vector<uint8_t> good = IconFile(1, {{32, 16, DibImage(32)}});
  ASSERT_NE(Decode(good), nullptr);
  auto refused = [](const char* what, std::vector<uint8_t> bytes) {
    EXPECT_EQ(Decode(bytes), nullptr) << what;
  };
  std::vector<uint8_t> bytes = good;
  bytes[0] = 1;
  refused("reserved word", bytes);
  bytes = good;
  bytes[2] = 3;
  refused("type 3", bytes);
  bytes = good;
  bytes[4] = 0;
  refused("no entries", bytes);
  refused("5 bytes", {good.begin(), good.begin() + 5});
  refused("image cut short", {good.begin(), good.end() - 1});
  bytes = good;
  PutU32(bytes, 6 + 12, 0xFFFFFFF0u);
  refused("image offset past the input", bytes);
  bytes = good;
  PutU32(bytes, 6 + 8, 15);
  refused("image shorter than its header's fields", bytes);
  refused("image the platform refuses", IconFile(1, {{32, 16, DibImage(32, 1)}}));

  // Entries are read until one matches: later entries may be missing, earlier not.
  bytes = good;
  bytes[4] = 9;
  EXPECT_NE(Decode(bytes), nullptr) << "the first entry matches; the rest are never read";
  bytes = IconFile(1, {{16, 16, DibImage(16)}});
  bytes[4] = 200;
  refused("entries past the input before any match", bytes);
}

TEST(IconDecoder, PixelIndicesPastTheAnnouncedColoursStayInsideTheImage) {
  // Found by fuzzing: an 8-bit image announcing 40 colours whose pixels use
  // indices up to 255, at the very end of the image bytes. Under the
  // sanitizers a lookup past the block would end the test.
  std::vector<uint8_t> file = TestFile("fuzz_icon_index_past_colours.ico");
  PicturePtr picture = Decode(file);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->width, 2);
  EXPECT_EQ(picture->height, 71);
}

}  // namespace
}  // namespace runtime
