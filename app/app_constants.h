// The application's constant data: one block, named by the program header, so
// that the runtime recognises these addresses and never frees or resizes them
// in place. Texts are GBK.
#pragma once

#include <cstddef>
#include <cstdint>

namespace app {

struct AppConstants {
  int32_t empty_byte_set[2];  // (dimension count 1, byte count 0), first for its alignment
  char empty_text[1];
  char picture_filter[108];
  char path_separator[2];
  char saved_message[11];  // "保存成功！"
};

inline constexpr uint32_t kConstantDataSize =
    offsetof(AppConstants, saved_message) + sizeof(AppConstants::saved_message);
static_assert(kConstantDataSize == 130, "the header names exactly the constants");

const AppConstants& Constants();

// What the application passes where it holds an absent value: a command
// never receives a null text or byte set from it.
const char* TextOrEmpty(const char* text);
const void* ByteSetOrEmpty(const void* byte_set);

}  // namespace app
