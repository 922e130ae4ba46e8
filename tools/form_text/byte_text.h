// Byte values written as text: hexadecimal and base64.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tools::form_text {

std::string ToHex(std::string_view bytes);
// Null unless `text` is an even number of hexadecimal digits.
std::optional<std::string> FromHex(std::string_view text);

std::string ToBase64(std::string_view bytes);
// Null unless `text` is padded base64 (a multiple of four characters).
std::optional<std::string> FromBase64(std::string_view text);

// `text` cut into lines of at most `width` characters.
std::vector<std::string_view> WrapLines(std::string_view text, size_t width);

}  // namespace tools::form_text
