#include "runtime/pictures/load_picture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/base/gbk.h"
#include "runtime/core/byte_set.h"
#include "runtime/core/heap.h"
#include "runtime/pictures/decode.h"
#include "runtime/pictures/picture_list.h"
#include "runtime/pictures/test_support.h"
#include "tests/support/temp_dir.h"

namespace runtime {
namespace {

using namespace testing_pictures;

// A 24-bit bottom-up BMP of w x h whose every pixel is (r, g, b).
std::vector<uint8_t> SolidBmp(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
  std::vector<uint8_t> out(54, 0);
  out[0] = 'B';
  out[1] = 'M';
  PutU32(out, 10, 54);
  PutU32(out, 14, 40);
  PutU32(out, 18, static_cast<uint32_t>(w));
  PutU32(out, 22, static_cast<uint32_t>(h));
  PutU16(out, 26, 1);
  PutU16(out, 28, 24);
  size_t stride = (static_cast<size_t>(w) * 3 + 3) / 4 * 4;
  for (int y = 0; y < h; ++y) {
    std::vector<uint8_t> row(stride, 0);
    for (int x = 0; x < w; ++x) {
      row[static_cast<size_t>(x) * 3] = b;
      row[static_cast<size_t>(x) * 3 + 1] = g;
      row[static_cast<size_t>(x) * 3 + 2] = r;
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

class LoadPictureTest : public testing::Test {
 protected:
  void TearDown() override {
    for (int32_t handle : handles_) RuntimePictures().Remove(handle);
    for (void* set : sets_) MemFree(set);
  }

  int32_t Load(ValueRecord arg) {
    ValueRecord result = CallCommand(LoadPicture, 1, &arg);
    EXPECT_EQ(result.type, type::kNone) << "the command writes only the value";
    if (result.AsInt32() != 0) handles_.push_back(result.AsInt32());
    return result.AsInt32();
  }
  int32_t LoadBytes(const std::vector<uint8_t>& bytes) {
    void* set = MakeByteSet(bytes.data(), static_cast<int32_t>(bytes.size()));
    sets_.push_back(set);
    return Load(ByteSetValue(set));
  }
  int32_t LoadFile(const std::string& name) { return Load(TextValue(name.c_str())); }

  std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = temp_.PathOf(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  testing_support::TempDir temp_;
  std::vector<int32_t> handles_;
  std::vector<void*> sets_;
};

TEST_F(LoadPictureTest, ByteSetIsDecodedIntoTheRuntimeList) {
  int32_t handle = LoadBytes(SolidBmp(2, 2, 1, 2, 3));
  ASSERT_NE(handle, 0);
  ASSERT_TRUE(RuntimePictures().Contains(handle));
  Picture* picture = RuntimePictures().Find(handle);
  EXPECT_EQ(picture->kind, PictureKind::kBmp);
  EXPECT_EQ(BgrPixel(*picture, 1, 1), (Rgb{1, 2, 3}));
  int32_t second = LoadBytes(SolidBmp(2, 2, 1, 2, 3));
  EXPECT_NE(second, 0);
  EXPECT_NE(second, handle) << "every load is a picture of its own";
}

TEST_F(LoadPictureTest, FileNameIsReadThroughTheSameDecoders) {
  std::vector<uint8_t> bmp = SolidBmp(60, 50, 200, 100, 50);  // several 4096-byte blocks
  ASSERT_GT(bmp.size(), 2 * 4096u);
  int32_t handle = LoadFile(WriteFile("picture.bmp", bmp));
  ASSERT_NE(handle, 0);
  Picture* picture = RuntimePictures().Find(handle);
  PicturePtr direct(DecodePictureBytes(AsBytes(bmp)));
  ASSERT_EQ(picture->size, direct->size);
  EXPECT_EQ(std::memcmp(picture->pixels, direct->pixels, static_cast<size_t>(direct->size)), 0);
  EXPECT_NE(LoadFile(WriteFile("not-a-bmp.gif", TestFile("gif87_4x3.gif"))), 0)
      << "the bytes decide, not the name";
}

TEST_F(LoadPictureTest, GbkFileName) {
  std::string utf8_path = WriteFile("图片.bmp", SolidBmp(1, 1, 9, 9, 9));
  std::string gbk_path = platform::gbk::Gbk(utf8_path);
  EXPECT_NE(LoadFile(gbk_path), 0);
}

TEST_F(LoadPictureTest, FileHeldByAWriterIsRefusedAndReadersShare) {
  std::string path = WriteFile("held.bmp", SolidBmp(1, 1, 9, 9, 9));
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(LoadFile(path), 0);
  CloseHandle(writer);
  HANDLE reader =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_NE(LoadFile(path), 0);
  // While LoadPicture read it, writers were kept out; afterwards they are not.
  CloseHandle(reader);
  HANDLE after = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(after, INVALID_HANDLE_VALUE) << "LoadPicture closed the file";
  CloseHandle(after);
}

TEST_F(LoadPictureTest, EmptyMissingOrUndecodableGivesZero) {
  EXPECT_EQ(Load(ByteSetValue(nullptr)), 0);
  const ByteSetHeader empty_set{1, 0};
  EXPECT_EQ(Load(ByteSetValue(&empty_set)), 0);
  EXPECT_EQ(Load(TextValue(nullptr)), 0);
  EXPECT_EQ(Load(TextValue("")), 0);
  EXPECT_EQ(Load(IntValue(7)), 0);
  EXPECT_EQ(Load(ValueRecord{}), 0) << "omitted argument";
  EXPECT_EQ(CallCommand(LoadPicture, 0, nullptr).AsInt32(), 0);
  EXPECT_EQ(LoadBytes({'B', 'M', 1, 2, 3, 4, 5}), 0) << "7 bytes";
  EXPECT_EQ(LoadBytes({'B', 'M', 1, 2, 3, 4, 5, 6}), 0) << "8 bytes, no BMP header";
  EXPECT_EQ(LoadBytes({'h', 'e', 'l', 'l', 'o', '!', '!', '!'}), 0);
  EXPECT_EQ(LoadFile(temp_.PathOf("missing.bmp")), 0);
  EXPECT_EQ(LoadFile(WriteFile("empty.bmp", {})), 0);
  EXPECT_EQ(LoadFile(temp_.path().string()), 0) << "a folder";
  EXPECT_TRUE(handles_.empty());
}

TEST(DecodePictureBytes, EachKindReachesItsDecoder) {
  struct Case {
    const char* file;
    PictureKind kind;
  } cases[] = {{"gif87_4x3.gif", PictureKind::kGif},
               {"pcx8_5x3.pcx", PictureKind::kPcx8},
               {"pcx1_10x2.pcx", PictureKind::kPcx1},
               {"icon_mixed.ico", PictureKind::kIcon},
               {"cursor_32.cur", PictureKind::kCursor}};
  for (const Case& c : cases) {
    PicturePtr picture(DecodePictureBytes(AsBytes(TestFile(c.file))));
    ASSERT_NE(picture, nullptr) << c.file;
    EXPECT_EQ(picture->kind, c.kind) << c.file;
  }
  PicturePtr bmp(DecodePictureBytes(AsBytes(SolidBmp(1, 1, 0, 0, 0))));
  ASSERT_NE(bmp, nullptr);
  EXPECT_EQ(bmp->kind, PictureKind::kBmp);
  std::vector<uint8_t> icon = TestFile("icon_png.ico");
  std::vector<uint8_t> png(icon.begin() + 22, icon.end());  // the one entry's image
  PicturePtr from_png(DecodePictureBytes(AsBytes(png)));
  ASSERT_NE(from_png, nullptr);
  EXPECT_EQ(from_png->kind, PictureKind::kPng);
}

}  // namespace
}  // namespace runtime
