// Text to integer as the ToInteger command reads typed text.
#pragma once

#include <cstdint>

namespace runtime {

// Reads GBK text as a decimal integer the way a person types one: the
// full-width forms of ASCII characters (and the ideographic space, '～', '☆'
// and '★') count as their ASCII bytes; then leading white space, one optional
// sign and decimal digits, in 32-bit arithmetic that wraps, stopping at the
// first other byte. Null reads as "". Folding and parsing happen in one pass.
int32_t TextToInteger(const char* text);

}  // namespace runtime
