// Arbitrary bytes as GBK text: the codec and the text-reading commands must
// never read past the end, and stepping must agree with decoding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/base/gbk.h"
#include "runtime/commands/commands.h"
#include "runtime/commands/number_text.h"

namespace {

void CheckStepping(const std::string& text) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  for (const char* p = begin; p < end && *p != '\0';) {
    const char* next = platform::gbk::CharNext(p, end);
    auto decoded = platform::gbk::DecodeChar(p, static_cast<size_t>(end - p));
    if (next <= p || next > end || decoded.length != static_cast<size_t>(next - p)) std::abort();
    if (platform::gbk::CharPrev(begin, next) != p) std::abort();
    p = next;
  }
}

void CheckRoundTrip(const std::string& text) {
  std::string utf8 = platform::gbk::ToUtf8(text);
  std::string back = platform::gbk::FromUtf8(utf8);
  // Whatever decodes to a real character encodes back to the same bytes, so a
  // second trip changes nothing.
  if (platform::gbk::FromUtf8(platform::gbk::ToUtf8(back)) != back) std::abort();
  char buffer[16];
  platform::gbk::ToUtf8Buffer(text, buffer, sizeof buffer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  CheckStepping(text);
  CheckRoundTrip(text);

  std::string terminated = text.substr(0, text.find('\0'));
  runtime::ArgumentRecord arg = runtime::TextValue(terminated.c_str());
  runtime::CallCommand(runtime::ToInteger, 1, &arg);

  if (size >= 8) {
    double days;
    __builtin_memcpy(&days, data, sizeof days);
    char out[runtime::kNumberTextSize];
    runtime::DateTimeText(days, out);
    runtime::NumberToText(runtime::DoubleValue(days), out);
    float single;
    __builtin_memcpy(&single, data, sizeof single);
    runtime::NumberToText(runtime::FloatValue(single), out);
  }
  return 0;
}
