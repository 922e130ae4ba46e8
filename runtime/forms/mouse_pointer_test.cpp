// Pointer numbers, cursor handle numbers and the cursors made from
// mouse-pointer data.
#include "runtime/forms/mouse_pointer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/display/headless.h"

namespace runtime::forms {
namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int32_t> words) {
  std::vector<uint8_t> bytes(words.size() * 4);
  size_t at = 0;
  for (int32_t word : words) {
    std::memcpy(bytes.data() + at, &word, 4);
    at += 4;
  }
  return bytes;
}

void Append(std::vector<uint8_t>& out, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A .cur (kind 2) or .ico (kind 1) file of one 16 x 16 monochrome image.
std::vector<uint8_t> CursorFile(uint16_t kind = 2, uint16_t hot_x = 3, uint16_t hot_y = 5) {
  constexpr uint32_t kSide = 16, kRow = 4;
  const uint32_t image = 40 + 8 + 2 * kRow * kSide;
  std::vector<uint8_t> file;
  Append(file, 0, 2);
  Append(file, kind, 2);
  Append(file, 1, 2);
  file.insert(file.end(), {kSide, kSide, 2, 0});
  Append(file, hot_x, 2);
  Append(file, hot_y, 2);
  Append(file, image, 4);
  Append(file, 22, 4);  // the image follows the directory
  for (uint32_t word : {40u, kSide, 2 * kSide}) Append(file, word, 4);
  Append(file, 1, 2);  // planes
  Append(file, 1, 2);  // bits
  for (int i = 0; i < 6; ++i) Append(file, 0, 4);
  Append(file, 0x000000, 4);                    // black
  Append(file, 0xFFFFFF, 4);                    // white
  file.insert(file.end(), kRow * kSide, 0xF0);  // image
  file.insert(file.end(), kRow * kSide, 0x0F);  // mask
  return file;
}

using Spot = std::pair<DWORD, DWORD>;

Spot HotSpot(HCURSOR cursor) {
  ICONINFO info{};
  if (!GetIconInfo(cursor, &info)) return {0xFFFF, 0xFFFF};
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return {info.xHotspot, info.yHotspot};
}

class MousePointerTest : public testing::Test {
 protected:
  platform::HeadlessDisplay display_;
};

TEST_F(MousePointerTest, PointerNumbersMapToTheSystemCursors) {
  const LPCSTR cursors[] = {IDC_ARROW,       IDC_CROSS,  IDC_IBEAM,   IDC_WAIT,     IDC_HELP,
                            IDC_APPSTARTING, IDC_NO,     IDC_SIZEALL, IDC_SIZENESW, IDC_SIZENS,
                            IDC_SIZENWSE,    IDC_SIZEWE, IDC_UPARROW, IDC_HAND};
  for (int32_t pointer = 1; pointer <= 14; ++pointer) {
    const auto handle = static_cast<int32_t>(reinterpret_cast<uintptr_t>(cursors[pointer - 1]));
    EXPECT_EQ(PointerToHandleNumber(pointer), handle) << pointer;
    EXPECT_EQ(HandleToPointerNumber(handle), pointer) << pointer;
    EXPECT_EQ(PointerToHandleNumber(handle), handle) << "handle numbers are accepted as they are";
    EXPECT_EQ(HandleToPointerNumber(pointer), pointer) << "and so are pointer numbers";
    EXPECT_EQ(CreatePointerCursor(Bytes({pointer})), LoadCursorA(nullptr, cursors[pointer - 1]));
    EXPECT_EQ(CreatePointerCursor(Bytes({handle})), LoadCursorA(nullptr, cursors[pointer - 1]));
  }
  for (int32_t unchanged : {0, -1, 15, 32517}) {
    EXPECT_EQ(PointerToHandleNumber(unchanged), unchanged);
    EXPECT_EQ(HandleToPointerNumber(unchanged), unchanged);
  }
  const std::vector<uint8_t> with_tail = {2, 0, 0, 0, 9, 9};
  EXPECT_EQ(TranslatePointerData(with_tail, PointerTranslation::kToHandleNumber),
            (std::vector<uint8_t>{0x03, 0x7F, 0, 0, 9, 9}))
      << "32515, IDC_CROSS; the bytes after the word stay";
  EXPECT_EQ(
      TranslatePointerData(std::vector<uint8_t>{2, 0, 0}, PointerTranslation::kToHandleNumber),
      (std::vector<uint8_t>{2, 0, 0}));
}

TEST_F(MousePointerTest, NoCursorForTheClassPointerOrUnknownNumbers) {
  EXPECT_EQ(CreatePointerCursor({}), nullptr);
  EXPECT_EQ(CreatePointerCursor(Bytes({0})), nullptr) << "0: the window class's cursor";
  EXPECT_EQ(CreatePointerCursor(Bytes({15})), nullptr);
  EXPECT_EQ(CreatePointerCursor(Bytes({-1})), nullptr) << "a file marker without a file";
  const std::vector<uint8_t> one_byte = {3};
  EXPECT_EQ(CreatePointerCursor(one_byte), LoadCursorA(nullptr, IDC_IBEAM))
      << "shorter data holds the number in one byte";
}

TEST_F(MousePointerTest, CursorFileImages) {
  std::vector<uint8_t> marked = Bytes({-1});
  const std::vector<uint8_t> file = CursorFile();
  marked.insert(marked.end(), file.begin(), file.end());
  HCURSOR after_marker = CreatePointerCursor(marked);
  ASSERT_NE(after_marker, nullptr);
  EXPECT_EQ(HotSpot(after_marker), (Spot{3, 5}));
  EXPECT_TRUE(DestroyCursor(after_marker));

  HCURSOR whole = CreatePointerCursor(file);
  ASSERT_NE(whole, nullptr) << "longer data is tried as a file first";
  EXPECT_EQ(HotSpot(whole), (Spot{3, 5}));
  DestroyCursor(whole);

  HCURSOR icon = CursorFromFileImage(CursorFile(1));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(HotSpot(icon), (Spot{8, 8})) << "an icon points with its centre";
  DestroyCursor(icon);

  std::vector<uint8_t> cut = file;
  cut.resize(cut.size() - 100);
  EXPECT_EQ(CursorFromFileImage(cut), nullptr) << "an image that runs past the data";
  std::vector<uint8_t> not_a_file = Bytes({2, 0, 0});
  EXPECT_EQ(CreatePointerCursor(not_a_file), LoadCursorA(nullptr, IDC_CROSS))
      << "12 bytes that are no file fall back to the pointer number";
}

}  // namespace
}  // namespace runtime::forms
