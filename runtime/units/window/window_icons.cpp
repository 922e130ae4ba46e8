// The caption and taskbar icons of a window unit, made from the icon file
// image of its Icon property: one for the large size and one for the small
// size, each from the file's entry of that size when it has one.
#include <cstring>
#include <memory>
#include <new>
#include <span>

#include "runtime/units/window/window_unit.h"

namespace runtime::units::window {

namespace {

constexpr size_t kDirectoryBytes = 6;
constexpr size_t kEntryBytes = 16;
constexpr DWORD kIconFormatVersion = 0x00030000;

uint32_t Word32(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8) |
         (static_cast<uint32_t>(bytes[at + 2]) << 16) |
         (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

// The directory entry of an icon file to make a `size`-pixel icon from: the
// first of that width, else the first. Null when the file has no readable
// entry.
std::optional<std::span<const uint8_t>> ImageFor(std::span<const uint8_t> file, int size) {
  if (file.size() < kDirectoryBytes || file[0] != 0 || file[1] != 0 || file[2] != 1) {
    return std::nullopt;
  }
  const size_t count = static_cast<size_t>(file[4]) | (static_cast<size_t>(file[5]) << 8);
  std::optional<std::span<const uint8_t>> chosen;
  for (size_t i = 0; i < count; ++i) {
    const size_t at = kDirectoryBytes + i * kEntryBytes;
    if (at + kEntryBytes > file.size()) break;
    const uint64_t length = Word32(file, at + 8);
    const uint64_t offset = Word32(file, at + 12);
    if (offset > file.size() || length > file.size() - offset || length == 0) continue;
    const std::span<const uint8_t> image = file.subspan(offset, length);
    const int width = file[at] == 0 ? 256 : file[at];
    if (width == size) return image;
    if (!chosen) chosen = image;
  }
  return chosen;
}

HICON MakeIcon(std::span<const uint8_t> file, int size) {
  const auto image = ImageFor(file, size);
  if (!image) return nullptr;
  // The platform takes the bytes as writable.
  std::unique_ptr<BYTE[]> copy(new (std::nothrow) BYTE[image->size()]);
  if (copy == nullptr) return nullptr;
  std::memcpy(copy.get(), image->data(), image->size());
  return CreateIconFromResourceEx(copy.get(), static_cast<DWORD>(image->size()), TRUE,
                                  kIconFormatVersion, size, size, LR_DEFAULTCOLOR);
}

}  // namespace

void ApplyIcons(WindowUnit& unit) {
  const std::span<const uint8_t> file = unit.record.Bytes(kIcon);
  HICON big = file.empty() ? nullptr : MakeIcon(file, GetSystemMetrics(SM_CXICON));
  HICON small = file.empty() ? nullptr : MakeIcon(file, GetSystemMetrics(SM_CXSMICON));
  HICON fallback = LoadIconA(nullptr, IDI_APPLICATION);
  SendMessageA(unit.window, WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(big != nullptr ? big : fallback));
  SendMessageA(unit.window, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(small != nullptr ? small : fallback));
  if (unit.big_icon != nullptr) DestroyIcon(unit.big_icon);
  if (unit.small_icon != nullptr) DestroyIcon(unit.small_icon);
  unit.big_icon = big;
  unit.small_icon = small;
}

}  // namespace runtime::units::window
