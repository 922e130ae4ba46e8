#include "runtime/forms/mouse_pointer.h"

#include <array>
#include <cstring>

#include "runtime/forms/byte_reader.h"

namespace runtime::forms {

namespace {

constexpr int32_t kPointerNumbers = 14;
constexpr size_t kWholeImageMinimum = 10;  // longer data may be a cursor file as a whole
constexpr size_t kDirectoryBytes = 6;
constexpr size_t kEntryBytes = 16;
constexpr DWORD kResourceVersion = 0x00030000;

int32_t ResourceNumber(LPCSTR resource) {
  return static_cast<int32_t>(reinterpret_cast<uintptr_t>(resource));
}

// Cursor handle numbers by pointer number - 1. The hand is the system's
// IDC_HAND: the program carries no cursor resources of its own.
const std::array<int32_t, kPointerNumbers>& HandleNumbers() {
  static const std::array<int32_t, kPointerNumbers> numbers = {
      ResourceNumber(IDC_ARROW),   ResourceNumber(IDC_CROSS),    ResourceNumber(IDC_IBEAM),
      ResourceNumber(IDC_WAIT),    ResourceNumber(IDC_HELP),     ResourceNumber(IDC_APPSTARTING),
      ResourceNumber(IDC_NO),      ResourceNumber(IDC_SIZEALL),  ResourceNumber(IDC_SIZENESW),
      ResourceNumber(IDC_SIZENS),  ResourceNumber(IDC_SIZENWSE), ResourceNumber(IDC_SIZEWE),
      ResourceNumber(IDC_UPARROW), ResourceNumber(IDC_HAND)};
  return numbers;
}

bool IsHandleNumber(int32_t number) {
  for (int32_t handle : HandleNumbers()) {
    if (handle == number) return true;
  }
  return false;
}

// The first word, or the single byte of data shorter than a word.
int32_t FirstNumber(std::span<const uint8_t> data) {
  if (data.size() >= 4) return static_cast<int32_t>(LoadWord(data.data()));
  return data[0];
}

// The directory entry to use: the first whose width is the system cursor
// width (0 stands for 256), else the first. 0 when the directory is damaged.
size_t ChooseEntry(std::span<const uint8_t> image, uint16_t count) {
  if (image.size() < kDirectoryBytes + size_t{count} * kEntryBytes) return 0;
  const int cursor_width = GetSystemMetrics(SM_CXCURSOR);
  for (uint16_t i = 0; i < count; ++i) {
    const size_t at = kDirectoryBytes + size_t{i} * kEntryBytes;
    const int width = image[at] == 0 ? 256 : image[at];
    if (width == cursor_width) return at;
  }
  return kDirectoryBytes;
}

uint16_t Half(const uint8_t* at) { return static_cast<uint16_t>(at[0] | (at[1] << 8)); }

}  // namespace

int32_t PointerToHandleNumber(int32_t pointer) {
  if (pointer < 1 || pointer > kPointerNumbers) return pointer;
  return HandleNumbers()[static_cast<size_t>(pointer - 1)];
}

int32_t HandleToPointerNumber(int32_t handle) {
  const auto& numbers = HandleNumbers();
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (numbers[i] == handle) return static_cast<int32_t>(i + 1);
  }
  return handle;
}

std::vector<uint8_t> TranslatePointerData(std::span<const uint8_t> data,
                                          PointerTranslation direction) {
  std::vector<uint8_t> copy(data.begin(), data.end());
  if (copy.size() < 4) return copy;
  const auto first = static_cast<int32_t>(LoadWord(copy.data()));
  const int32_t translated = direction == PointerTranslation::kToHandleNumber
                                 ? PointerToHandleNumber(first)
                                 : HandleToPointerNumber(first);
  StoreWord(copy.data(), static_cast<uint32_t>(translated));
  return copy;
}

HCURSOR CursorFromFileImage(std::span<const uint8_t> image) {
  if (image.size() < kDirectoryBytes) return nullptr;
  const uint16_t kind = Half(image.data() + 2);
  const uint16_t count = Half(image.data() + 4);
  if (Half(image.data()) != 0 || (kind != 1 && kind != 2) || count == 0) return nullptr;
  const size_t entry = ChooseEntry(image, count);
  if (entry == 0) return nullptr;
  const uint32_t size = LoadWord(image.data() + entry + 8);
  const uint32_t offset = LoadWord(image.data() + entry + 12);
  if (offset > image.size() || size > image.size() - offset || size == 0) return nullptr;
  // A cursor resource is the image after its hot spot; icons point at their
  // centre.
  uint16_t hot_x = Half(image.data() + entry + 4);
  uint16_t hot_y = Half(image.data() + entry + 6);
  if (kind == 1) {
    hot_x = static_cast<uint16_t>((image[entry] == 0 ? 256 : image[entry]) / 2);
    hot_y = static_cast<uint16_t>((image[entry + 1] == 0 ? 256 : image[entry + 1]) / 2);
  }
  std::vector<BYTE> resource(4 + size_t{size});
  resource[0] = static_cast<BYTE>(hot_x);
  resource[1] = static_cast<BYTE>(hot_x >> 8);
  resource[2] = static_cast<BYTE>(hot_y);
  resource[3] = static_cast<BYTE>(hot_y >> 8);
  std::memcpy(resource.data() + 4, image.data() + offset, size);
  return CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), FALSE,
                                  kResourceVersion, 0, 0, LR_DEFAULTCOLOR);
}

HCURSOR CreatePointerCursor(std::span<const uint8_t> data) {
  if (data.empty()) return nullptr;
  const int32_t first = FirstNumber(data);
  if (data.size() > kWholeImageMinimum && first != kPointerFileImage) {
    if (HCURSOR cursor = CursorFromFileImage(data)) return cursor;
  }
  if (first == kPointerFileImage) {
    return data.size() > 4 ? CursorFromFileImage(data.subspan(4)) : nullptr;
  }
  const int32_t handle = PointerToHandleNumber(first);
  if (!IsHandleNumber(handle)) return nullptr;
  return LoadCursorA(nullptr, MAKEINTRESOURCEA(handle));
}

}  // namespace runtime::forms
