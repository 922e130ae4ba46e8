// System cursors and cursors made from .cur/.ico image bytes.
#include "platform/user/cursor.h"

#include <png.h>

#include <cstring>

#include "platform/user/test_support.h"

namespace platform::user::testing {
namespace {

// A 2 x 2 cursor image: 1 bit per pixel, palette black/white, hot spot (1,0).
// Top row: white, black (masked out); bottom row: black, white.
std::vector<BYTE> TinyCursor() {
  std::vector<BYTE> bytes = {1, 0, 0, 0};  // hot spot x = 1, y = 0
  BITMAPINFOHEADER header{};
  header.biSize = 40;
  header.biWidth = 2;
  header.biHeight = 4;  // the picture and its mask
  header.biPlanes = 1;
  header.biBitCount = 1;
  const BYTE* raw = reinterpret_cast<const BYTE*>(&header);
  bytes.insert(bytes.end(), raw, raw + sizeof header);
  const BYTE palette[8] = {0, 0, 0, 0, 255, 255, 255, 0};
  bytes.insert(bytes.end(), palette, palette + 8);
  // XOR rows bottom-up, each padded to 4 bytes: bottom row 0b01, top row 0b10.
  const BYTE xor_rows[8] = {0x40, 0, 0, 0, 0x80, 0, 0, 0};
  bytes.insert(bytes.end(), xor_rows, xor_rows + 8);
  const BYTE and_rows[8] = {0x00, 0, 0, 0, 0x40, 0, 0, 0};  // top-right pixel transparent
  bytes.insert(bytes.end(), and_rows, and_rows + 8);
  return bytes;
}

TEST(Cursors, SystemShapesAreSharedAndSurviveDestroy) {
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
  EXPECT_NE(LoadCursorA(nullptr, IDC_IBEAM), arrow);
  EXPECT_TRUE(DestroyCursor(arrow));
  EXPECT_NE(FindCursor(arrow), nullptr) << "a shared cursor outlives DestroyCursor";
  EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
}

TEST(Cursors, MadeFromCursorImageBytes) {
  std::vector<BYTE> bytes = TinyCursor();
  HCURSOR cursor = CreateIconFromResourceEx(bytes.data(), static_cast<DWORD>(bytes.size()), FALSE,
                                            0x00030000, 0, 0, LR_DEFAULTCOLOR);
  ASSERT_NE(cursor, nullptr);
  auto shape = FindCursor(cursor);
  ASSERT_EQ(shape->width, 2);
  ASSERT_EQ(shape->height, 2);
  EXPECT_EQ(shape->hotspot.x, 1);
  EXPECT_EQ(shape->argb[0], 0xFFFFFFFFu);  // top-left white
  EXPECT_EQ(shape->argb[1] >> 24, 0u) << "the AND mask makes it transparent";
  EXPECT_EQ(shape->argb[2], 0xFF000000u);
  EXPECT_EQ(shape->argb[3], 0xFFFFFFFFu);
  HCURSOR big = CreateIconFromResourceEx(bytes.data(), static_cast<DWORD>(bytes.size()), FALSE,
                                         0x00030000, 4, 4, 0);
  EXPECT_EQ(FindCursor(big)->width, 4);
  EXPECT_EQ(FindCursor(big)->hotspot.x, 2);
  EXPECT_TRUE(DestroyCursor(cursor));
  EXPECT_EQ(FindCursor(cursor), nullptr);
  DestroyCursor(big);
}

// Tools writing 32-bit icons often leave the AND mask out: the alpha says
// everything, so the image is taken without it. Other depths need the mask.
TEST(Cursors, ThirtyTwoBitIconsNeedNoMask) {
  BITMAPINFOHEADER header{};
  header.biSize = 40;
  header.biWidth = 1;
  header.biHeight = 2;
  header.biPlanes = 1;
  header.biBitCount = 32;
  std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(&header),
                          reinterpret_cast<const BYTE*>(&header) + sizeof header);
  const BYTE pixel[4] = {0x30, 0x20, 0x10, 0x80};
  bytes.insert(bytes.end(), pixel, pixel + 4);
  HICON icon = CreateIconFromResourceEx(bytes.data(), static_cast<DWORD>(bytes.size()), TRUE,
                                        0x00030000, 0, 0, 0);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(FindCursor(icon)->argb[0], 0x80102030u);
  DestroyIcon(icon);
  std::vector<BYTE> no_mask = TinyCursor();
  no_mask.resize(no_mask.size() - 8);  // a 1-bit image without its mask
  EXPECT_EQ(CreateIconFromResourceEx(no_mask.data(), static_cast<DWORD>(no_mask.size()), FALSE,
                                     0x00030000, 0, 0, 0),
            nullptr);
}

TEST(Cursors, TruncatedOrDamagedImagesAreRefused) {
  std::vector<BYTE> bytes = TinyCursor();
  for (size_t cut : {size_t{0}, size_t{3}, size_t{20}, bytes.size() - 1}) {
    EXPECT_EQ(
        CreateIconFromResourceEx(bytes.data(), static_cast<DWORD>(cut), FALSE, 0x00030000, 0, 0, 0),
        nullptr)
        << "cut to " << cut << " bytes";
  }
  std::vector<BYTE> huge = bytes;
  huge[4 + 4] = 0xFF;  // width 255 + ...: more pixels than bytes
  huge[4 + 5] = 0x7F;
  EXPECT_EQ(CreateIconFromResourceEx(huge.data(), static_cast<DWORD>(huge.size()), FALSE,
                                     0x00030000, 0, 0, 0),
            nullptr);
  EXPECT_EQ(CreateIconFromResourceEx(nullptr, 100, TRUE, 0x00030000, 0, 0, 0), nullptr);
}

TEST(Cursors, IndexPastTheColourTableIsBlackNotARead) {
  // One palette entry announced; the set pixels use index 1. The bytes are
  // cut right after the image so a lookup past the table would leave them.
  std::vector<BYTE> bytes = TinyCursor();
  const size_t clr_used = 4 + 32;  // biClrUsed inside the header
  bytes[clr_used] = 1;
  bytes.erase(bytes.begin() + 4 + 40 + 4, bytes.begin() + 4 + 40 + 8);  // drop entry 1
  std::vector<BYTE> exact(bytes.begin(), bytes.end());
  HCURSOR cursor = CreateIconFromResourceEx(exact.data(), static_cast<DWORD>(exact.size()), FALSE,
                                            0x00030000, 0, 0, 0);
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(FindCursor(cursor)->argb[0], 0xFF000000u);
  DestroyCursor(cursor);
}

TEST(Cursors, PngIconImages) {
  const uint32_t pixels[4] = {0xFF0000FF, 0x80FF0000, 0x00000000, 0xFF00FF00};  // BGRA words
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = 2;
  image.height = 2;
  image.format = PNG_FORMAT_BGRA;
  std::vector<BYTE> png(1024);
  png_alloc_size_t size = png.size();
  ASSERT_TRUE(png_image_write_to_memory(&image, png.data(), &size, 0, pixels, 0, nullptr));
  HICON icon =
      CreateIconFromResourceEx(png.data(), static_cast<DWORD>(size), TRUE, 0x00030000, 0, 0, 0);
  ASSERT_NE(icon, nullptr);
  auto shape = FindCursor(icon);
  EXPECT_TRUE(shape->is_icon);
  EXPECT_EQ(std::vector<uint32_t>(shape->argb.begin(), shape->argb.end()),
            std::vector<uint32_t>(pixels, pixels + 4));
  DestroyIcon(icon);
}

}  // namespace
}  // namespace platform::user::testing
